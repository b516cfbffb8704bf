#include "platform/x11/monitors.h"

#include <gtest/gtest.h>

namespace cindral::platform::x11 {
namespace {

TEST(ChooseMonitors, XineramaHeadsReplaceOneSpanningDisplay) {
    std::vector<MonitorRect> screens = {{0, 0, 1280, 480}};
    std::vector<MonitorRect> heads = {{0, 0, 640, 480}, {640, 0, 640, 480}};
    EXPECT_EQ(ChooseMonitors(screens, heads), heads);
}

TEST(ChooseMonitors, ScreensKeptWhenHeadsAddNothing) {
    std::vector<MonitorRect> screens = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    EXPECT_EQ(ChooseMonitors(screens, {}), screens);
    EXPECT_EQ(ChooseMonitors(screens, {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}}), screens);
    // Mirrored outputs report the same head twice: still one monitor.
    std::vector<MonitorRect> one = {{0, 0, 800, 600}};
    EXPECT_EQ(ChooseMonitors(one, {{0, 0, 800, 600}, {0, 0, 800, 600}}), one);
    // Empty heads are ignored.
    EXPECT_EQ(ChooseMonitors(one, {{0, 0, 0, 0}, {5, 5, 0, 10}}), one);
}

}  // namespace
}  // namespace cindral::platform::x11
