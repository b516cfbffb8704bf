#pragma once
// <windows.h> for the Windows adapters. A few system macros share their names
// with names the core declares for itself (constants with the same values, a
// canvas operation); the macros are dropped so the core's names stay usable.
// Adapters call the wide functions by their full names.

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#undef SND_ASYNC
#undef SND_LOOP
#undef DrawText
