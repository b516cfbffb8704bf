#pragma once
// Whether the X server drives a real display whose vertical blank frames can
// be presented at: RandR reports a CRTC showing a mode with a refresh rate
// and the server has Present. A virtual server (Xvfb) reports none; Present
// there completes as a copy, late at large sizes, so clock pacing stays.

typedef struct _XDisplay Display;

namespace cindral::platform::x11 {

// The refresh rate in hertz of a mode: its dot clock over its total pixels;
// 0 when the mode has no timings.
double ModeRefreshHz(unsigned long dotClock, unsigned hTotal, unsigned vTotal);

// The highest refresh rate of the CRTCs that show a mode; 0 when none does
// or the server has no RandR 1.2.
double CrtcRefreshHz(::Display* x);

// Present is there and CrtcRefreshHz is above 0.
bool PresentsAtVerticalBlank(::Display* x);

}  // namespace cindral::platform::x11
