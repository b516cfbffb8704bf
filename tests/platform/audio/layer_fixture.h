#pragma once
// A fresh media-command layer writing its sound to a file through SDL's disk
// audio driver, with a CD image of three one-second tones (440, 880 and
// 1320 Hz) named by CINDRAL_CDROM.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "music/bgm.h"
#include "platform/audio/media_commands.h"
#include "test_media.h"

namespace cindral::platform::audio::test_support {

class LayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        WriteBinCue(dir / "disc.cue", "disc.bin",
                    {Tone(440, 1.0), Tone(880, 1.0), Tone(1320, 1.0)});
        setenv("CINDRAL_CDROM", (dir / "disc.cue").c_str(), 1);
        layer = CreateLinuxMediaCommands();
    }
    void TearDown() override { layer.reset(); }

    // Sends a command; returns the code and puts the reply in `reply`.
    std::uint32_t Send(const std::string& command, std::string* reply = nullptr) {
        char buf[512] = "untouched";
        const std::uint32_t rc = layer->mciSendStringA(command, buf, sizeof buf, 0);
        if (reply) *reply = buf;
        return rc;
    }
    std::string Reply(const std::string& command) {
        std::string reply;
        const std::uint32_t rc = Send(command, &reply);
        return rc == 0 ? reply : "error " + std::to_string(rc);
    }
    std::string Describe(std::uint32_t code) {
        char buf[256] = "";
        return layer->mciGetErrorStringA(code, buf, sizeof buf) ? buf : "<none>";
    }
    // Closes the layer so the output file is complete, then reads it.
    std::vector<ToneRun> Heard(const std::vector<int>& tones) {
        layer.reset();
        return ToneRuns(output, tones);
    }
    static void Wait(double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }

    TempDir dir;
    std::string output = dir / "out.raw";
    std::unique_ptr<music::MediaCommands> layer;
};

}  // namespace cindral::platform::audio::test_support
