// The full-screen saver on headless sway: a surface covering every output
// with moving fire, scaled by whole pixels, ended by a key or a click (not by
// motion) and by SIGTERM. Outputs that come and go: output_hotplug_test.cpp.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "saver_fixture.h"

namespace cindral::e2e {
namespace {

using namespace std::chrono_literals;

// The source pixel that a nearest filter sampling at pixel centres shows.
int SourceOf(int dest, int sourceSize, int destSize) {
    return static_cast<int>((2L * dest + 1) * sourceSize / (2L * destSize));
}

struct Layout {
    const char* name;
    std::vector<OutputSize> outputs;
};

class SaverOnSway : public ::testing::TestWithParam<Layout> {};

// One surface per output, each covered with moving fire; SIGTERM then ends
// the program at once with status 0.
TEST_P(SaverOnSway, EveryOutputShowsMovingFireUntilSigterm) {
    auto sway = Compositor::Sway(GetParam().outputs);
    ASSERT_TRUE(sway) << "headless sway did not start";
    Child saver = StartCindral(*sway, {"/s"});
    for (std::size_t i = 0; i < GetParam().outputs.size(); ++i) {
        const std::string name = "HEADLESS-" + std::to_string(i + 1);
        ExpectMovingFireOn(*sway, name);
        const Picture p = sway->Grab(name);
        EXPECT_EQ(p.width, GetParam().outputs[i].width) << name;
        EXPECT_EQ(p.height, GetParam().outputs[i].height) << name;
    }
    kill(saver.pid, SIGTERM);
    int status = -1;
    const auto ms = MsUntilExit(saver.pid, 3000, &status);
    ASSERT_TRUE(ms) << "SIGTERM did not end the saver";
    std::printf("SIGTERM ended the saver in %.0f ms\n", *ms);
    EXPECT_LT(*ms, kEndLimitMs);
    EXPECT_EQ(status, 0) << ReadAll(saver.stderrFd, 100);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SaverOnSway,
                         ::testing::Values(Layout{"one", {{1920, 1080}}},
                                           Layout{"two", {{1920, 1080}, {1280, 720}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The compositor scales the 320 x 240 frame (wp_viewporter); sway's pixman
// renderer takes the nearest source pixel at each destination pixel's
// centre, source column floor((x + 0.5) * 320 / W). Every destination pixel
// then shows one whole source pixel: all columns (rows) that map to one
// source column (row) are identical, while neighbouring blocks differ
// somewhere in a picture of fire. A smoothing filter would blend them.
TEST(SaverScaling, WholePixelBlocksAtFullHdAndUltraHd) {
    for (const OutputSize size : {OutputSize{1920, 1080}, OutputSize{3840, 2160}}) {
        auto sway = Compositor::Sway({size});
        ASSERT_TRUE(sway);
        Child saver = StartCindral(*sway, {"/s"});
        ASSERT_TRUE(WaitForOutputFire(*sway, "HEADLESS-1", 20000)) << size.width;
        const Picture p = sway->Grab("HEADLESS-1");
        ASSERT_EQ(p.width, size.width);
        auto column = [&](int x) {
            std::vector<std::uint8_t> c;
            for (int y = 0; y < p.height; ++y) {
                c.insert(c.end(), {p.R(x, y), p.G(x, y), p.B(x, y)});
            }
            return c;
        };
        auto row = [&](int y) {
            return std::vector<std::uint8_t>(p.rgb.begin() + 3L * y * p.width,
                                             p.rgb.begin() + 3L * (y + 1) * p.width);
        };
        int insideDiffer = 0, boundaryDiffer = 0;
        for (int x = 1; x < p.width; ++x) {
            const bool boundary = SourceOf(x, 320, p.width) != SourceOf(x - 1, 320, p.width);
            const bool differ = column(x) != column(x - 1);
            (boundary ? boundaryDiffer : insideDiffer) += differ;
        }
        int insideRows = 0, boundaryRows = 0;
        for (int y = 1; y < p.height; ++y) {
            const bool boundary = SourceOf(y, 240, p.height) != SourceOf(y - 1, 240, p.height);
            const bool differ = row(y) != row(y - 1);
            (boundary ? boundaryRows : insideRows) += differ;
        }
        EXPECT_EQ(insideDiffer, 0) << size.width << ": columns inside a source column differ";
        EXPECT_EQ(insideRows, 0) << size.width << ": rows inside a source row differ";
        EXPECT_GT(boundaryDiffer, 200) << size.width;
        EXPECT_GT(boundaryRows, 100) << size.width;
        kill(saver.pid, SIGTERM);
        MsUntilExit(saver.pid, 3000);
    }
}

struct EndingInput {
    const char* name;
    std::vector<std::string> argv;  // the input helper's command
};

class SaverInput : public ::testing::TestWithParam<EndingInput> {};

// A key (through a virtual keyboard that appears only for it, so the saver
// must take the seat's new keyboard and its keymap) or a click ends the
// saver, within the limit of the helper having sent it.
TEST_P(SaverInput, EndsTheSaver) {
    auto sway = Compositor::Sway({{1280, 720}});
    ASSERT_TRUE(sway);
    Child saver = StartCindral(*sway, {"/s"});
    ASSERT_TRUE(WaitForOutputFire(*sway, "HEADLESS-1"));
    std::vector<std::string> argv = GetParam().argv;
    if (argv[0] == "cindral-test-pointer") argv[0] = BinDir() + "/cindral-test-pointer";
    Child helper = Spawn(argv, sway->ClientEnv());
    const auto helperStart = Clock::now();
    int status = -1;
    const auto ms = MsUntilExit(saver.pid, 5000, &status);
    ASSERT_TRUE(ms) << GetParam().name << " did not end the saver";
    const auto helperEnd = MsUntilExit(helper.pid, 3000);
    // The helper waits 300 ms before its input, and lives on 300 ms after
    // (the pointer) or ends at once (the keyboard).
    const double sinceInput =
        std::chrono::duration<double, std::milli>(Clock::now() - helperStart).count();
    std::printf("%s: saver ended %.0f ms after the helper started\n", GetParam().name,
                sinceInput - (helperEnd ? *helperEnd : 0));
    EXPECT_GT(*ms, 250) << "ended before the input was sent";
    EXPECT_LT(*ms, 300 + 300 + kEndLimitMs);
    EXPECT_EQ(status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SaverInput,
    ::testing::Values(EndingInput{"Escape", {"wtype", "-s", "300", "-k", "Escape"}},
                      EndingInput{"Letter", {"wtype", "-s", "300", "-k", "a"}},
                      EndingInput{"Click",
                                  {"cindral-test-pointer", "640", "360", "1280", "720", "click"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Moving the pointer over the surface does nothing.
TEST(SaverInputMotion, PointerMotionLeavesItRunning) {
    auto sway = Compositor::Sway({{1280, 720}});
    ASSERT_TRUE(sway);
    Child saver = StartCindral(*sway, {"/s"});
    ASSERT_TRUE(WaitForOutputFire(*sway, "HEADLESS-1"));
    for (const char* at : {"100", "900"}) {
        Child move = Spawn({BinDir() + "/cindral-test-pointer", at, "300", "1280", "720", "move"},
                           sway->ClientEnv());
        ASSERT_TRUE(MsUntilExit(move.pid, 5000));
    }
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(StillRunning(saver.pid)) << "motion ended the saver";
    ExpectMovingFireOn(*sway, "HEADLESS-1");
    kill(saver.pid, SIGTERM);
    MsUntilExit(saver.pid, 3000);
}

}  // namespace
}  // namespace cindral::e2e
