#pragma once
// The saver's frame loop on Win32: one frame, then the message step (input,
// due timers) until the next frame is due, at most 60 frames a second, until
// the saver has ended.

#include <functional>

#include "saver/window.h"

namespace cindral::platform::windows {

// `onFirstFrame` runs once after the first frame was presented. Returns the
// number of frames run.
long RunSaverLoop(saver::SaverWindow& saver, const std::function<void()>& onFirstFrame = {});

// Dispatches every pending message of this thread; false once WM_QUIT came.
bool DispatchPendingMessages();

}  // namespace cindral::platform::windows
