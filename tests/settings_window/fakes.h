#pragma once
// Recording fakes of the settings window's ports: every call becomes one line
// of a shared log, so tests can check what happened and in which order. A
// call whose line is listed in `failing` throws after recording, as a failing
// platform call would.

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings_window/ports.h"
#include "settings_window/settings_window.h"

namespace cindral::settings_window::test_support {

struct CallLog {
    std::vector<std::string> lines;
    std::set<std::string> failing;

    void Add(const std::string& line) {
        lines.push_back(line);
        if (failing.count(line)) throw std::runtime_error("failed: " + line);
    }
    // The lines that start with `prefix`, in order.
    std::vector<std::string> Starting(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& l : lines) {
            if (l.rfind(prefix, 0) == 0) out.push_back(l);
        }
        return out;
    }
};

inline std::string Str(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

class RecordingView : public SettingsView {
  public:
    explicit RecordingView(CallLog& log) : log_(log) {}
    void ShowFireMarker(int i, bool on) override {
        log_.Add("fire marker " + std::to_string(i) + (on ? " on" : " off"));
    }
    void ShowMusicMarker(int i, bool on) override {
        log_.Add("music marker " + std::to_string(i) + (on ? " on" : " off"));
    }
    void EnableRepeatCombo(bool e) override { log_.Add(e ? "combo enabled" : "combo disabled"); }
    void EnableFileButton(bool e) override { log_.Add(e ? "button enabled" : "button disabled"); }
    void SetRepeatText(const std::string& t) override { log_.Add("combo text '" + t + "'"); }
    void AddRepeatEntry(const std::string& t) override { log_.Add("combo entry '" + t + "'"); }
    void SetFileCaption(const std::string& t) override { log_.Add("file caption '" + t + "'"); }
    void DrawBackdropLine(int y, int width, Rgb c) override {
        log_.Add("backdrop " + std::to_string(y) + " " + std::to_string(width) + " " +
                 std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b));
    }
    void BlitTexture(Panel p, Point at) override {
        log_.Add("tile " + std::to_string(static_cast<int>(p)) + " " + std::to_string(at.x) + "," +
                 std::to_string(at.y));
    }

  private:
    CallLog& log_;
};

class FakeWindowPort : public SettingsWindowPort {
  public:
    explicit FakeWindowPort(CallLog& log) : log_(log) {}
    ScreenMetrics screen{{1024, 768}, 15.0, 15.0};
    std::optional<Rect> frame = Rect{234, 117, 789, 535};
    std::optional<Point> cursor = Point{100, 200};

    ScreenMetrics Screen() override {
        log_.Add("screen");
        return screen;
    }
    void SetOuterSize(Size s) override {
        log_.Add("outer size " + std::to_string(s.width) + "x" + std::to_string(s.height));
    }
    void MoveOuter(Point p) override {
        log_.Add("move " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    std::optional<Rect> WindowRect() override {
        log_.Add("window rect");
        return frame;
    }
    std::optional<Point> CursorPos() override {
        log_.Add("cursor");
        return cursor;
    }
    void AnimateZoom(const Rect& from, const Rect& to) override {
        log_.Add("zoom " + Str(from) + " -> " + Str(to));
    }
    void RestoreDefaultPointer() override { log_.Add("default pointer"); }
    void Close() override { log_.Add("close"); }

  private:
    CallLog& log_;
};

class FakeDialog : public MusicFileDialog {
  public:
    explicit FakeDialog(CallLog& log) : log_(log) {}
    std::optional<std::string> answer;  // nullopt: the user cancels
    std::optional<std::string> ChooseMusicFile() override {
        log_.Add("dialog");
        return answer;
    }

  private:
    CallLog& log_;
};

class RecordingSink : public SettingsSink {
  public:
    explicit RecordingSink(CallLog& log) : log_(log) {}
    std::vector<config::Settings> saved;
    void Save(const config::Settings& s) override {
        saved.push_back(s);
        log_.Add("save");
    }

  private:
    CallLog& log_;
};

// A settings window over the fakes, with the four settings it edits.
struct Rig {
    CallLog log;
    RecordingView view{log};
    FakeWindowPort window{log};
    FakeDialog dialog{log};
    RecordingSink sink{log};
    config::Settings settings;
    EffectOrigin origin;
    SettingsWindow w{settings, origin, {view, window, dialog, sink}};

    explicit Rig(config::Settings loaded = {}) { settings = std::move(loaded); }
    // Loads the window and forgets the load's calls.
    Rig& Loaded() {
        w.Load();
        log.lines.clear();
        return *this;
    }
};

inline int CountOn(const auto& markers) {
    int n = 0;
    for (bool on : markers) n += on;
    return n;
}

}  // namespace cindral::settings_window::test_support
