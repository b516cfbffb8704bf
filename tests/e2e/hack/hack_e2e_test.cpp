// The real program in hack mode under Xvfb: pictures with ImageMagick's
// import, input with xdotool, sound through SDL's disk audio driver.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "hack_fixture.h"

namespace cindral::e2e {
namespace {

namespace fs = std::filesystem;

class Hack : public HackE2E {
  protected:
    // Records windows created on the screen while it runs.
    Child WatchWindowCreation() {
        Child c = e2e::WatchWindowCreation(*x_);
        children_.push_back(c.pid);
        return c;
    }
    void EndWithSignal(pid_t pid) {
        kill(pid, SIGTERM);
        auto status = WaitExit(pid, 1000);
        ASSERT_TRUE(status);
        EXPECT_EQ(*status, 0);
    }
};

TEST_F(Hack, DrawsIntoExactlyTheNamedWindowAndCreatesNone) {
    StartServer(640, 480);
    struct Case {
        std::string name;
        std::function<std::vector<std::string>(unsigned long)> args;
        std::function<Env(unsigned long)> env;
    };
    const Case cases[] = {
        {"--window-id decimal",
         [](unsigned long w) {
             return std::vector<std::string>{"--window-id", std::to_string(w)};
         },
         [](unsigned long) { return Env{}; }},
        {"-window-id hex",
         [](unsigned long w) {
             return std::vector<std::string>{"-window-id", Hex(w)};
         },
         [](unsigned long) { return Env{}; }},
        {"-root with XSCREENSAVER_WINDOW",
         [](unsigned long) { return std::vector<std::string>{"-root"}; },
         [](unsigned long w) {
             return Env{{"XSCREENSAVER_WINDOW", Hex(w)}};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow window = MakeWindow(300, 200);
        ASSERT_NE(window.id, 0ul);
        Picture before = RootShot();
        Child watch = WatchWindowCreation();
        pid_t pid = StartHack(c.args(window.id), c.env(window.id));
        ExpectFireAppearsAndMoves(std::to_string(window.id), 300, 200);
        Picture during = RootShot();
        // The window spans (10, 10) to (310, 210): the rest of the screen is
        // as it was.
        EXPECT_EQ(RegionDiffers(before, during, 320, 0, 640, 480), 0.0);
        EXPECT_EQ(RegionDiffers(before, during, 0, 220, 640, 480), 0.0);
        EXPECT_EQ(StopWatching(watch).find("CreateNotify"), std::string::npos);
        EndWithSignal(pid);
        Close(window);
    }
}

TEST_F(Hack, RootWithoutTheDaemonsWindowDrawsIntoTheRootWindow) {
    for (int depth : {24, 16}) {  // 0x00RRGGBB and 5-6-5 pixels
        SCOPED_TRACE(depth);
        StartServer(640, 480, false, depth);
        pid_t pid = StartHack({"--root"});
        ExpectFireAppearsAndMoves("root", width_, height_);
        EndWithSignal(pid);
    }
}

TEST_F(Hack, SeveralRunAtOnceWhateverWindowsOfTheProgramExist) {
    // A daemon runs one hack per monitor; the saver's and the settings
    // window's captions do not keep a hack from starting.
    StartServer(640, 480);
    [[maybe_unused]] TestWindow saver = MakeWindow(50, 50, "Cindral_Main");
    [[maybe_unused]] TestWindow settings = MakeWindow(50, 50, "Cindralの設定");
    TestWindow first = MakeWindow(300, 200);
    TestWindow second = MakeWindow(300, 200);
    Xdo({"windowmove", std::to_string(second.id), "320", "10"});  // side by side
    pid_t a = StartHack({"--window-id", std::to_string(first.id)});
    pid_t b = StartHack({"--window-id", std::to_string(second.id)});
    ExpectFireAppearsAndMoves(std::to_string(first.id), 300, 200);
    ExpectFireAppearsAndMoves(std::to_string(second.id), 300, 200);
    EndWithSignal(a);
    EndWithSignal(b);
}

TEST_F(Hack, FollowsTheWindowsSize) {
    StartServer(640, 480);
    TestWindow window = MakeWindow(300, 200);
    pid_t pid = StartHack({"--window-id", std::to_string(window.id)});
    ASSERT_TRUE(WaitForFire(std::to_string(window.id), 300, 200)) << "no fire within 10 s";
    for (auto [w, h] : {std::pair{520, 300}, std::pair{200, 100}, std::pair{600, 400}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Xdo({"windowsize", std::to_string(window.id), std::to_string(w), std::to_string(h)});
        // Until it redraws, the window's new parts show its blue background.
        ExpectFireAppearsAndMoves(std::to_string(window.id), w, h);
    }
    EndWithSignal(pid);
}

TEST_F(Hack, KeysClicksAndMouseMovesDoNotEndIt) {
    StartServer(640, 480);
    TestWindow window = MakeWindow(300, 200);
    pid_t pid = StartHack({"--window-id", std::to_string(window.id)});
    ASSERT_TRUE(WaitForFire(std::to_string(window.id), 300, 200)) << "no fire within 10 s";
    Xdo({"mousemove", "100", "100"});
    Xdo({"mousemove", "200", "150"});
    Xdo({"click", "1"});
    Xdo({"click", "3"});
    Xdo({"key", "a"});
    Xdo({"key", "Escape"});
    Xdo({"key", "Left"});
    EXPECT_FALSE(WaitExit(pid, 700)) << "input ended the hack";
    ExpectMovingFire(*x_, std::to_string(window.id), 300, 200);
    EndWithSignal(pid);
}

TEST_F(Hack, EndsCleanlyWithinTwoTenthsOfASecondOfASignal) {
    StartServer(640, 480);
    for (int sig : {SIGTERM, SIGINT}) {
        // A fresh (blue) window each time: its fire shows this run is up.
        TestWindow window = MakeWindow(300, 200);
        pid_t pid = StartHack({"--window-id", std::to_string(window.id)});
        ASSERT_TRUE(WaitForFire(std::to_string(window.id), 300, 200)) << "no fire within 10 s";
        ASSERT_FALSE(WaitExit(pid, 0)) << "ended before the signal";
        auto sent = Clock::now();
        kill(pid, sig);
        auto status = WaitExit(pid, 1000);
        double ms = MsSince(sent);
        ASSERT_TRUE(status) << "signal " << sig;
        EXPECT_EQ(*status, 0) << "not handled: died of signal " << sig;
        EXPECT_LT(ms, 200.0) << "signal " << sig;
        std::printf("signal %d: ended %.1f ms after it\n", sig, ms);
        Close(window);
    }
}

TEST_F(Hack, EndsWithinASecondOfTheWindowsDestruction) {
    StartServer(640, 480);
    TestWindow window = MakeWindow(300, 200);
    pid_t pid = StartHack({"--window-id", std::to_string(window.id)});
    ASSERT_TRUE(WaitForFire(std::to_string(window.id), 300, 200)) << "no fire within 10 s";
    ASSERT_FALSE(WaitExit(pid, 0));
    auto closed = Clock::now();
    close(window.child.stdinFd);  // the window's owner ends and its window goes
    auto status = WaitExit(pid, 2000);
    double ms = MsSince(closed);
    ASSERT_TRUE(status) << "still running after the window was destroyed";
    EXPECT_EQ(*status, 0);
    EXPECT_LT(ms, 1000.0);
    std::printf("ended %.1f ms after the window's owner was told to go\n", ms);
}

TEST_F(Hack, WindowsItCannotUseAreReportedOnStderr) {
    StartServer(640, 480);
    struct Case {
        std::vector<std::string> args;
        Env env;
        std::string says;
    };
    const Case cases[] = {
        {{"--window-id", "0x3fffffe"}, {}, "cindral: window 0x3fffffe does not exist"},
        {{"-root"}, {{"XSCREENSAVER_WINDOW", "screen"}}, "XSCREENSAVER_WINDOW names no window"},
        {{"-root"}, {{"DISPLAY", ":4711"}}, "cannot open the X display ':4711'"},
        {{"--root", "--fire-kind", "9"}, {}, "--fire-kind takes 0 to 8"},
        {{"--fire-kind", "3"}, {}, "-root or -window-id"},
    };
    for (const auto& c : cases) {
        Env env = ProgramEnv();
        for (const auto& [k, v] : c.env) env[k] = v;
        std::vector<std::string> argv{BinDir() + "/cindral"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        Outcome o = RunToEnd(argv, env, 2000);
        ASSERT_TRUE(o.status) << c.says;
        EXPECT_NE(*o.status, 0) << c.says;
        EXPECT_NE(o.output.find(c.says), std::string::npos) << o.output;
    }
}

// The settings file's keys as stored (Shift-JIS): fire kind, music kind and
// music file.
const std::string kFireKindKey = "\x89\x8A\x82\xCC\x8E\xED\x97\xDE";
const std::string kMusicKindKey = "BGM\x8B\xE6\x95\xAA";
const std::string kMusicFileKey = "BGM\xCC\xA7\xB2\xD9";

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(Hack, SettingsFlagsOverrideTheFileForThisRunWithoutWritingIt) {
    StartServer(640, 480);
    // A copy of the program in a folder of its own, with its settings file
    // beside it.
    const fs::path folder = home_.path() / "program";
    fs::create_directories(folder);
    fs::copy_file(BinDir() + "/cindral", folder / "cindral");
    const std::string tone = home_ / "tone.wav";
    media::WriteWav(tone, media::Tone(440, 3.0));
    const std::string audio = home_ / "audio.raw";

    struct Case {
        std::string name;
        int fileMusicKind;
        std::vector<std::string> flags;
        bool heard;
    };
    const Case cases[] = {
        {"file: no music, flags: the music file",
         0,
         {"--music-kind", "2", "--music-file", tone},
         true},
        {"file: the music file, flags: no music", 2, {"--music-kind", "0"}, false},
        {"file: the music file, no flags", 2, {}, true},
        {"file: the music file, flags: a file that is not there",
         2,
         {"--music-file", tone + ".gone"},
         false},
    };
    TestWindow window = MakeWindow(200, 150);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ini = "[Section]\r\n" + kFireKindKey + "=3\r\n" + kMusicKindKey + "=" +
                                std::to_string(c.fileMusicKind) + "\r\n" + kMusicFileKey + "=" +
                                tone + "\r\n";
        media::WriteBytes((folder / "Cindral.ini").string(), ini);
        const auto written = fs::last_write_time(folder / "Cindral.ini");
        fs::remove(audio);

        std::vector<std::string> args{"--window-id", std::to_string(window.id)};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        pid_t pid = StartProgram((folder / "cindral").string(), args, ProgramEnv());
        const auto heard = [&] { return media::SecondsOf(media::ToneRuns(audio, {440}), 440); };
        if (c.heard) {
            // How soon the music starts depends on the machine's load.
            EXPECT_TRUE(WaitFor([&] { return heard() > 1.0; }, 10000));
        } else {
            // Silence is what it plays for these two seconds.
            std::this_thread::sleep_for(2000ms);
        }
        EndWithSignal(pid);
        if (!c.heard) {
            EXPECT_EQ(heard(), 0.0);
        }
        EXPECT_EQ(ReadAll(folder / "Cindral.ini"), ini);
        EXPECT_EQ(fs::last_write_time(folder / "Cindral.ini"), written);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
            << "a file was written beside the program";
        EXPECT_FALSE(fs::exists(home_.path() / "cindral")) << "a settings folder was made";
    }
}

}  // namespace
}  // namespace cindral::e2e
