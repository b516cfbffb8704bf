#pragma once
// The process environment as the program reads it.

#include <cstdlib>
#include <optional>
#include <string>

namespace cindral::app {

// A variable's value; nothing when it is not in the environment.
inline std::optional<std::string> EnvValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
}

// Whether a value is there and not empty: an empty variable counts as unset.
inline bool IsSet(const std::optional<std::string>& v) { return v && !v->empty(); }

}  // namespace cindral::app
