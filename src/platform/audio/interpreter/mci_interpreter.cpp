#include "platform/audio/interpreter/mci_interpreter.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio {
namespace {

// Other readings of an "open" tried when the usual one fails; a name needs
// more quotes followed by blanks than this to be missed.
constexpr std::size_t kMaxReadings = 32;

// Reads "keyword value" pairs and lone flags from the words after a device
// name. "wait" and "notify" are accepted and ignored: no command waits here.
class Options {
  public:
    std::uint32_t Parse(const std::vector<std::string>& words, std::size_t begin,
                        std::initializer_list<const char*> valued,
                        std::initializer_list<const char*> flags = {}) {
        for (std::size_t i = begin; i < words.size(); ++i) {
            const std::string key = Lower(words[i]);
            if (key == "wait" || key == "notify") continue;
            if (std::find(flags.begin(), flags.end(), key) != flags.end()) {
                if (!flags_.insert(key).second) return kDuplicateFlags;
                continue;
            }
            if (std::find_if(valued.begin(), valued.end(),
                             [&](const char* v) { return key == v; }) == valued.end())
                return kUnrecognizedKeyword;
            if (i + 1 >= words.size()) return kMissingParameter;
            if (!values_.emplace(key, words[++i]).second) return kDuplicateFlags;
        }
        return kOk;
    }
    const std::string* Get(const std::string& key) const {
        const auto it = values_.find(key);
        return it == values_.end() ? nullptr : &it->second;
    }

  private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

}  // namespace

std::uint32_t MciInterpreter::Send(const std::string& command, char* reply,
                                   std::uint32_t capacity) {
    std::string text;
    const std::uint32_t rc = Run(command.substr(0, command.find('\0')), text);
    if (rc == kOk && reply && capacity > 0) {
        if (text.size() >= capacity) return kParamOverflow;
        std::memcpy(reply, text.data(), text.size());
        reply[text.size()] = '\0';
    }
    return rc;
}

std::uint32_t MciInterpreter::Run(const std::string& command, std::string& reply) {
    const MciWords split = SplitMciCommand(command);
    if (split.error) return split.error;
    const std::uint32_t rc = Command(split.words, reply);
    if (rc == kOk || split.words.empty() || Lower(split.words[0]) != "open") return rc;
    // A file name may hold a quote followed by a blank and a keyword: when the
    // usual reading cannot be opened, the first other reading that can wins.
    // Commands that open fine as read never get here, so their meaning is the
    // same whatever the other readings say.
    std::vector<MciWords> readings = SplitMciCommandReadings(command);
    if (readings.size() > kMaxReadings + 1) readings.resize(kMaxReadings + 1);
    for (std::size_t i = 1; i < readings.size(); ++i) {
        if (readings[i].error || readings[i].words.size() < 2) continue;
        if (Command(readings[i].words, reply) == kOk) return kOk;
    }
    return rc;
}

std::uint32_t MciInterpreter::Command(const std::vector<std::string>& w, std::string& reply) {
    if (w.empty()) return kMissingCommandString;
    const std::string verb = Lower(w[0]);
    static const char* const kVerbs[] = {"open",   "close", "play",   "stop", "pause",
                                         "resume", "seek",  "status", "set"};
    if (std::find_if(std::begin(kVerbs), std::end(kVerbs),
                     [&](const char* v) { return verb == v; }) == std::end(kVerbs))
        return kUnrecognizedCommand;
    if (w.size() < 2) return kMissingDeviceName;
    if (verb == "open") return OpenDevice(w);

    const std::string name = Lower(w[1]);
    std::vector<std::string> rest;
    for (std::size_t i = 2; i < w.size(); ++i) {
        const std::string word = Lower(w[i]);
        if (word != "wait" && word != "notify") rest.push_back(word);
    }
    if (verb == "close") {
        if (!rest.empty()) return kUnrecognizedKeyword;
        if (name == "all") {
            devices_.clear();
            return kOk;
        }
        return devices_.erase(name) ? kOk : kInvalidDeviceName;
    }
    if (name == "all") return kCannotUseAll;
    const auto it = devices_.find(name);
    if (it == devices_.end()) return kInvalidDeviceName;
    MciDevice& device = *it->second.device;

    if (verb == "play") {
        Options options;
        if (const std::uint32_t rc = options.Parse(w, 2, {"from", "to"})) return rc;
        return device.Play(options.Get("from"), options.Get("to"));
    }
    if (verb == "stop" || verb == "pause" || verb == "resume") {
        if (!rest.empty()) return kUnrecognizedKeyword;
        return verb == "stop" ? device.Stop() : verb == "pause" ? device.Pause() : device.Resume();
    }
    if (verb == "seek") {
        if (rest.empty()) return kMissingParameter;
        if (rest[0] != "to") return kUnrecognizedKeyword;
        if (rest.size() < 2) return kMissingParameter;
        if (rest.size() > 2) return kExtraCharacters;
        return device.Seek(rest[1]);
    }
    if (verb == "status") return device.Status(rest, reply);
    // set
    if (rest.empty()) return kMissingParameter;
    if (rest.size() >= 2 && rest[0] == "time" && rest[1] == "format") {
        if (rest.size() < 3) return kMissingParameter;
        if (rest.size() > 3) return kExtraCharacters;
        return device.SetTimeFormat(rest[2]);
    }
    if (rest[0] == "door" || rest[0] == "audio" || rest[0] == "video") return kUnsupportedFunction;
    return kUnrecognizedKeyword;
}

std::uint32_t MciInterpreter::OpenDevice(const std::vector<std::string>& w) {
    Options options;
    if (const std::uint32_t rc = options.Parse(w, 2, {"type", "alias"}, {"shareable"})) return rc;
    const std::string& element = w[1];
    const std::string lowerElement = Lower(element);
    const std::string type = options.Get("type") ? Lower(*options.Get("type")) : "";
    const std::string* alias = options.Get("alias");

    bool cd = false;
    std::string source = element;
    if (type.empty()) {
        if (lowerElement == "cdaudio") {
            cd = true;
            source.clear();
        } else if (lowerElement == "mpegvideo" || lowerElement == "waveaudio") {
            return kFilenameRequired;
        }
    } else if (type == "cdaudio") {
        cd = true;
        if (lowerElement == "cdaudio") source.clear();
    } else if (type != "mpegvideo" && type != "waveaudio") {
        return kInvalidDeviceName;
    }

    const std::string key = Lower(alias ? *alias : element);
    if (devices_.count(key)) return alias ? kDuplicateAlias : kDeviceOpen;
    if (cd &&
        std::any_of(devices_.begin(), devices_.end(), [](const auto& d) { return d.second.cd; }))
        return kDeviceOpen;

    std::unique_ptr<MciDevice> device;
    const std::uint32_t rc =
        cd ? factory_.OpenCd(source, device) : factory_.OpenFile(source, device);
    if (rc == kOk) devices_.emplace(key, Open{std::move(device), cd});
    return rc;
}

}  // namespace cindral::platform::audio
