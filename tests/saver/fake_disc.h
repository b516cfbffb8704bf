#pragma once
// An audio CD that works: a "cdaudio" device that opens, answers the status
// queries, plays from a position handed back in tmsf form and keeps its
// place, as a drive with a disc of `tracks` tracks does. The test moves the
// disc on (the end of a track, a stop at the drive) between the saver's
// ticks. Safe to call from the player's own thread.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "music/ports.h"

namespace cindral::saver::fakes {

class FakeDisc final : public music::MediaCommands {
  public:
    // Codes as the documented media-command errors: an unknown command
    // (MCIERR_BASE + 5), an unknown device name (+ 7), a value out of range
    // (+ 26).
    static constexpr std::uint32_t kUnknownCommand = 261;
    static constexpr std::uint32_t kNoDevice = 263;
    static constexpr std::uint32_t kOutOfRange = 282;

    explicit FakeDisc(int tracks) : tracks_(tracks) {}

    struct State {
        bool open = false;
        bool playing = false;
        int track = 1;
        bool operator==(const State&) const = default;
        friend void PrintTo(const State& s, std::ostream* out) {
            *out << (s.open ? "open" : "closed") << (s.playing ? ", playing" : ", stopped")
                 << ", track " << s.track;
        }
    };
    State Now() {
        std::lock_guard<std::mutex> lock(mutex_);
        return state_;
    }
    std::vector<std::string> Commands() {
        std::lock_guard<std::mutex> lock(mutex_);
        return commands_;
    }
    // A playing disc reaches the end of its track and goes on with the next;
    // past the last track it stops.
    void EndOfTrack() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!state_.playing) return;
        if (state_.track < tracks_) {
            ++state_.track;
        } else {
            state_.playing = false;
        }
    }
    // Someone pressed stop at the drive: the disc stays at its place.
    void StopAtTheDrive() {
        std::lock_guard<std::mutex> lock(mutex_);
        state_.playing = false;
    }

    std::uint32_t mciSendStringA(const std::string& command, char* reply, std::uint32_t capacity,
                                 std::uintptr_t) override {
        // A drive takes a moment to answer: a caller that does not wait for
        // the answer sees the result of an earlier command.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::lock_guard<std::mutex> lock(mutex_);
        commands_.push_back(command);
        std::string answer;
        const std::uint32_t code = Run(command, answer);
        if (code == 0 && reply && capacity > 0) {
            const std::size_t n = std::min<std::size_t>(answer.size(), capacity - 1);
            std::memcpy(reply, answer.data(), n);
            reply[n] = '\0';
        }
        return code;
    }
    bool mciGetErrorStringA(std::uint32_t, char*, std::uint32_t) override { return false; }
    bool PlaySoundA(const char*, std::uintptr_t, std::uint32_t) override { return false; }
    std::uint32_t waveOutGetNumDevs() override { return 0; }

  private:
    std::uint32_t Run(const std::string& command, std::string& answer) {
        if (command == "open cdaudio") {
            state_ = State{true, false, 1};
            return 0;
        }
        if (!state_.open) return kNoDevice;
        if (command == "set cdaudio time format tmsf") return 0;
        if (command == "close cdaudio") {
            state_.open = state_.playing = false;
            return 0;
        }
        if (command == "stop cdaudio") {
            state_.playing = false;
            return 0;
        }
        if (command == "status cdaudio current track") {
            answer = std::to_string(state_.track);
            return 0;
        }
        if (command == "status cdaudio number of tracks") {
            answer = std::to_string(tracks_);
            return 0;
        }
        if (command == "status cdaudio mode") {
            answer = state_.playing ? "playing" : "stopped";
            return 0;
        }
        const std::string positionOf = "status cdaudio position track ";
        if (command.rfind(positionOf, 0) == 0) {
            const int n = std::atoi(command.c_str() + positionOf.size());
            if (n < 1 || n > tracks_) return kOutOfRange;
            char tmsf[24];
            std::snprintf(tmsf, sizeof tmsf, "%02d:00:00:00", n);
            answer = tmsf;
            return 0;
        }
        if (command == "play cdaudio") {  // on from where the disc is
            state_.playing = true;
            return 0;
        }
        const std::string playFrom = "play cdaudio from ";
        if (command.rfind(playFrom, 0) == 0) {
            const int n = std::atoi(command.c_str() + playFrom.size());  // the tmsf track
            if (n < 1 || n > tracks_) return kOutOfRange;
            state_.track = n;
            state_.playing = true;
            return 0;
        }
        return kUnknownCommand;
    }

    const int tracks_;
    std::mutex mutex_;
    State state_;
    std::vector<std::string> commands_;
};

}  // namespace cindral::saver::fakes
