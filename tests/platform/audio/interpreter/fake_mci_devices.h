#pragma once
// A recording fake of the device factory: files "exist" when listed, every
// open and every device call is logged, and devices answer like simple
// players (stopped until played, positions in milliseconds up to a length).

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_device.h"
#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio::fake {

class FakeDevice : public MciDevice {
  public:
    FakeDevice(std::vector<std::string>& log, std::string name)
        : log_(log), name_(std::move(name)) {}
    ~FakeDevice() override { log_.push_back("closed " + name_); }

    std::uint32_t Play(const std::string* from, const std::string* to) override {
        std::uint32_t start = position_, end = kLength;
        if (from && !ParseUnsigned(*from, start)) return kBadInteger;
        if (to && !ParseUnsigned(*to, end)) return kBadInteger;
        if (start > kLength || end > kLength || end < start) return kOutOfRange;
        position_ = start;
        mode_ = "playing";
        log_.push_back("play " + name_);
        return kOk;
    }
    std::uint32_t Stop() override { return Set("stopped"); }
    std::uint32_t Pause() override { return Set("paused"); }
    std::uint32_t Resume() override { return Set("playing"); }
    std::uint32_t Seek(const std::string& to) override {
        std::uint32_t at = 0;
        if (to == "end") {
            at = kLength;
        } else if (to != "start") {
            if (!ParseUnsigned(to, at)) return kBadInteger;
            if (at > kLength) return kOutOfRange;
        }
        position_ = at;
        return Set("stopped");
    }
    std::uint32_t Status(const std::vector<std::string>& item, std::string& reply) override {
        if (item.empty()) return kMissingParameter;
        if (item.size() == 1 && item[0] == "mode") {
            reply = mode_;
        } else if (item.size() == 1 && item[0] == "position") {
            reply = std::to_string(position_);
        } else if (item.size() == 1 && item[0] == "length") {
            reply = std::to_string(kLength);
        } else {
            return kUnrecognizedKeyword;
        }
        return kOk;
    }
    std::uint32_t SetTimeFormat(const std::string& format) override {
        return format == "milliseconds" || format == "ms" ? kOk : kBadTimeFormat;
    }

    static constexpr std::uint32_t kLength = 60000;

  private:
    std::uint32_t Set(const char* mode) {
        mode_ = mode;
        log_.push_back(std::string(mode) + " " + name_);
        return kOk;
    }
    std::vector<std::string>& log_;
    std::string name_;
    std::string mode_ = "stopped";
    std::uint32_t position_ = 0;
};

class FakeMciDevices : public MciDevices {
  public:
    std::uint32_t OpenFile(const std::string& path, std::unique_ptr<MciDevice>& device) override {
        log.push_back("open file " + path);
        if (path.empty()) return kFilenameRequired;
        if (!files.count(path)) return kFileNotFound;
        device = std::make_unique<FakeDevice>(log, path);
        ++created;
        return kOk;
    }
    std::uint32_t OpenCd(const std::string& source, std::unique_ptr<MciDevice>& device) override {
        log.push_back("open cd " + source);
        if (!discPresent) return kDeviceNotReady;
        device = std::make_unique<FakeDevice>(log, "cd");
        ++created;
        return kOk;
    }

    std::set<std::string> files;
    bool discPresent = true;
    std::vector<std::string> log;
    int created = 0;  // devices made; each logs "closed ..." when it ends
};

}  // namespace cindral::platform::audio::fake
