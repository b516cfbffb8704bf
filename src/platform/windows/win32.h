#pragma once
// <windows.h> for the Windows adapters. A few system macros share their names
// with constants that the core declares for itself (with the same values);
// the macros are dropped so the core's names stay usable.

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#undef SND_ASYNC
#undef SND_LOOP
#undef SPI_SETSCREENSAVEACTIVE
#undef SPI_SCREENSAVERRUNNING
