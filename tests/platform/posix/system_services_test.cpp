#include "platform/posix/system_services.h"

#include <gtest/gtest.h>

#include <vector>

namespace cindral::platform::posix {
namespace {

TEST(LinuxSystemServices, CursorCountHidesBelowZeroAndReportsChanges) {
    LinuxSystemServices sys;
    std::vector<bool> applied;
    sys.OnCursorVisibility([&](bool v) { applied.push_back(v); });
    EXPECT_EQ(sys.ShowCursor(false), -1);
    EXPECT_FALSE(sys.CursorVisible());
    EXPECT_EQ(sys.ShowCursor(false), -2);
    EXPECT_EQ(sys.ShowCursor(true), -1);
    EXPECT_FALSE(sys.CursorVisible());
    EXPECT_EQ(sys.ShowCursor(true), 0);
    EXPECT_TRUE(sys.CursorVisible());
    // Once at hook-up, then only when visibility changed.
    EXPECT_EQ(applied, (std::vector<bool>{true, false, true}));
}

TEST(LinuxSystemServices, NeverAsksForAPassword) {
    LinuxSystemServices sys;
    EXPECT_FALSE(sys.AsksSaverPassword());
    EXPECT_TRUE(sys.AskSaverPassword(1));
}

}  // namespace
}  // namespace cindral::platform::posix
