// The saver as the platforms assemble it, with a disc that works, over many
// CD-timer ticks: the poll keeps a chosen track repeating, undoes a manual
// skip, starts a stopped disc again, and the end stops and closes the drive.
// Each case runs with the player in place (as Linux has it) and queued to a
// thread of its own (as Windows has it).

#include "saver/assembly.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fake_disc.h"
#include "fakes.h"

namespace cindral::saver {
namespace {

using fakes::FakeDisc;

enum class Act { Tick, EndOfTrack, StopAtTheDrive, RightArrow, Click };

struct Step {
    Act act;
    FakeDisc::State expected;  // the disc once the step's music calls have finished
};

struct Case {
    const char* name;
    std::int16_t repeatTrack;
    std::vector<Step> steps;
};

constexpr FakeDisc::State Playing(int track) { return {true, true, track}; }
constexpr FakeDisc::State Stopped(int track) { return {true, false, track}; }
constexpr FakeDisc::State Closed(int track) { return {false, false, track}; }

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"track 3 repeats at every end of it",
         3,
         {{Act::Tick, Playing(3)},
          {Act::EndOfTrack, Playing(4)},
          {Act::Tick, Playing(3)},
          {Act::Tick, Playing(3)},
          {Act::EndOfTrack, Playing(4)},
          {Act::Tick, Playing(3)},
          {Act::EndOfTrack, Playing(4)},
          {Act::Tick, Playing(3)}}},
        {"a manual skip is undone at the next poll",
         2,
         {{Act::Tick, Playing(2)},
          {Act::RightArrow, Playing(3)},
          {Act::Tick, Playing(2)},
          {Act::Tick, Playing(2)},
          {Act::RightArrow, Playing(3)},
          {Act::Tick, Playing(2)}}},
        {"a stopped disc starts again where it stopped",
         0,
         {{Act::Tick, Playing(1)},
          {Act::EndOfTrack, Playing(2)},
          {Act::StopAtTheDrive, Stopped(2)},
          {Act::Tick, Playing(2)},
          {Act::Tick, Playing(2)},
          {Act::EndOfTrack, Playing(3)},
          {Act::EndOfTrack, Playing(4)},
          {Act::EndOfTrack, Stopped(4)},  // past the last track
          {Act::Tick, Playing(4)}}},
        {"the end stops and closes the drive",
         0,
         {{Act::Tick, Playing(1)},
          {Act::Tick, Playing(1)},
          {Act::Tick, Playing(1)},
          {Act::Tick, Playing(1)},
          {Act::Click, Closed(1)}}},
    };
    return cases;
}

struct Path {
    const char* name;
    MusicCalls calls;
    friend void PrintTo(const Path& p, std::ostream* out) { *out << p.name; }
};

class DiscOverTicks : public ::testing::TestWithParam<Path> {};

TEST_P(DiscOverTicks, PollsFollowTheDiscAndTheEndClosesIt) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        fakes::Log log;
        fakes::RecDisplay display{log};
        fakes::RecHost host{log};
        fakes::RecSystem system{log};
        fakes::FakeClock clock;
        FakeDisc disc(4);
        startup::ProgramState state;
        state.settings.MusicKind = 1;
        state.settings.RepeatTrack = c.repeatTrack;
        SaverAssembly parts({disc, GetParam().calls, clock, display, host, system}, state);
        SaverWindow& saver = parts.Window();
        ASSERT_TRUE(saver.Load());
        ASSERT_TRUE(parts.FinishMusic(2000));
        EXPECT_EQ(disc.Now(), Stopped(1)) << "opening the drive starts nothing";

        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i));
            const Step& step = c.steps[i];
            switch (step.act) {
                case Act::Tick:
                    clock.AdvanceMs(200);
                    saver.ServeTimers();
                    break;
                case Act::EndOfTrack:
                    disc.EndOfTrack();
                    break;
                case Act::StopAtTheDrive:
                    disc.StopAtTheDrive();
                    break;
                case Act::RightArrow:
                    saver.KeyDown(Key::Right);
                    break;
                case Act::Click:
                    saver.MouseDown();
                    break;
            }
            ASSERT_TRUE(parts.FinishMusic(2000));
            EXPECT_EQ(disc.Now(), step.expected);
            EXPECT_EQ(saver.Timer2().Enabled(), step.act != Act::Click);
        }
        if (c.steps.back().act == Act::Click) {
            const auto sent = disc.Commands();
            ASSERT_GE(sent.size(), 2u);
            EXPECT_EQ(std::vector<std::string>(sent.end() - 2, sent.end()),
                      (std::vector<std::string>{"stop cdaudio", "close cdaudio"}));
            EXPECT_FALSE(saver.Running());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Platforms, DiscOverTicks,
                         ::testing::Values(Path{"InPlaceAsOnLinux", MusicCalls::InPlace},
                                           Path{"QueuedAsOnWindows", MusicCalls::Queued}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cindral::saver
