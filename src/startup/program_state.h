#pragma once
// Program-wide values of the main module; they live for the whole run.

#include <cstdint>

#include "config/settings.h"

namespace cindral::startup {

struct ProgramState {
    config::Settings settings;
    char ModeLetter = '\0';        // second character of the upper-cased command line
    std::int32_t CursorCount = 0;  // what the last ShowCursor call returned
};

}  // namespace cindral::startup
