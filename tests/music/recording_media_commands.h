#pragma once
// A media-command port that records every call as one line of text and
// answers commands from a script the test sets up.

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "music/bgm.h"

namespace cindral::music::fakes {

class RecordingMediaCommands : public MediaCommands {
  public:
    struct Answer {
        std::uint32_t code = 0;
        std::string reply;  // may hold NULs; written as-is plus a final NUL
    };

    std::vector<std::string> calls;
    std::map<std::string, Answer> answers;              // by exact command
    std::map<std::uint32_t, std::string> descriptions;  // error code -> text
    std::uint32_t devices = 1;

    void Script(const std::string& command, std::uint32_t code, std::string reply = "") {
        answers[command] = Answer{code, std::move(reply)};
    }

    std::uint32_t mciSendStringA(const std::string& command, char* reply, std::uint32_t capacity,
                                 std::uintptr_t callback) override {
        calls.push_back("send " + command + " |" + std::to_string(capacity) + "|" +
                        std::to_string(callback));
        auto it = answers.find(command);
        const Answer answer = it == answers.end() ? Answer{} : it->second;
        if (answer.code == 0 && reply && capacity > 0) {
            const std::size_t n = std::min<std::size_t>(answer.reply.size(), capacity - 1);
            std::memcpy(reply, answer.reply.data(), n);
            reply[n] = '\0';
        }
        return answer.code;
    }

    bool mciGetErrorStringA(std::uint32_t code, char* text, std::uint32_t capacity) override {
        calls.push_back("error " + std::to_string(code) + " |" + std::to_string(capacity));
        auto it = descriptions.find(code);
        if (it == descriptions.end()) return false;
        const std::size_t n = std::min<std::size_t>(it->second.size(), capacity - 1);
        std::memcpy(text, it->second.data(), n);
        text[n] = '\0';
        return true;
    }

    bool PlaySoundA(const char* sound, std::uintptr_t module, std::uint32_t flags) override {
        calls.push_back(std::string("sound ") + (sound ? sound : "<null>") + " |" +
                        std::to_string(module) + "|" + std::to_string(flags));
        return true;
    }

    std::uint32_t waveOutGetNumDevs() override {
        calls.push_back("devs");
        return devices;
    }

    // The commands sent, without capacities, in order.
    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.rfind("send ", 0) == 0) out.push_back(c.substr(5, c.rfind(" |") - 5));
        return out;
    }
};

}  // namespace cindral::music::fakes
