#pragma once
// Runs the saver window's frame loop on SDL2: one frame, then the message
// step (input, due timers, termination signals) until the next frame is due
// (at most 60 a second), until the saver has ended.

#include <functional>

#include "saver/window.h"

namespace cindral::platform::linux {

// Makes SIGTERM and SIGINT end the saver between frames with the same clean-up
// as a key press (music stopped). Call before the loop starts.
void InstallSaverSignalHandlers();

// Maps an SDL key code to the virtual-key code the saver's key handler reads
// (arrows 37 and 39; other keys to their upper-case letter or digit, else 0).
int VirtualKeyOf(int sdlKeycode);

// `onFirstFrame` runs once after the first frame was presented. Returns the
// number of frames run.
long RunSaverLoop(saver::SaverWindow& saver, const std::function<void()>& onFirstFrame = {});

}  // namespace cindral::platform::linux
