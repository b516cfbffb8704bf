#include "saver/pacer.h"

#include <gtest/gtest.h>

namespace cindral::saver {
namespace {

TEST(FramePacer, HoldsSixtyFramesASecondWithoutCatchUpBursts) {
    FramePacer pacer(60);
    EXPECT_EQ(pacer.PeriodUs(), 16666);
    EXPECT_EQ(pacer.FrameStarted(1'000'000), 1'016'666);
    // Slightly late: the schedule holds, so the average rate stays at 60.
    EXPECT_EQ(pacer.FrameStarted(1'020'000), 1'033'332);
    // A frame a whole period late restarts the schedule from now.
    EXPECT_EQ(pacer.FrameStarted(1'100'000), 1'116'666);
}

}  // namespace
}  // namespace cindral::saver
