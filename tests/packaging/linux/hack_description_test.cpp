// The hack description that the daemons' settings dialogs read: valid XML in
// their format, and every value a dialog can pick turns into flags that the
// program takes with the meaning the dialog shows.

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <map>
#include <set>
#include <sstream>

#include "startup/hack_command_line.h"

namespace cindral::startup {
namespace {

struct Option {
    std::string id;
    std::optional<std::string> argSet;
};
struct Number {
    std::string type, arg;
    int low = 0, high = 0, def = 0;
};
struct Description {
    std::string error;  // the XML reader's complaint
    std::string rootName, hackName;
    std::vector<std::string> command;
    std::map<std::string, std::vector<Option>> selects;
    std::map<std::string, Number> numbers;
    std::map<std::string, std::string> files;
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

Description Read() {
    Description d;
    QFile file(CINDRAL_HACK_DESCRIPTION);
    if (!file.open(QIODevice::ReadOnly)) {
        d.error = "cannot open " CINDRAL_HACK_DESCRIPTION;
        return d;
    }
    QXmlStreamReader xml(&file);
    std::string select;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto a = xml.attributes();
        const auto attr = [&](const char* name) { return a.value(name).toString().toStdString(); };
        const std::string element = xml.name().toString().toStdString();
        if (d.rootName.empty()) {
            d.rootName = element;
            d.hackName = attr("name");
        } else if (element == "command") {
            for (auto& w : Words(attr("arg"))) d.command.push_back(w);
        } else if (element == "select") {
            select = attr("id");
            d.selects[select];
        } else if (element == "option") {
            Option o{attr("id"), std::nullopt};
            if (a.hasAttribute("arg-set")) o.argSet = attr("arg-set");
            d.selects[select].push_back(o);
        } else if (element == "number") {
            d.numbers[attr("id")] = {attr("type"), attr("arg"), std::stoi(attr("low")),
                                     std::stoi(attr("high")), std::stoi(attr("default"))};
        } else if (element == "file") {
            d.files[attr("id")] = attr("arg");
        }
    }
    if (xml.hasError()) d.error = xml.errorString().toStdString();
    return d;
}

// The command line a dialog builds: the fixed arguments, then the widget's,
// with "%" replaced by the value as one argument.
HackCommandLine Line(const Description& d, const std::string& arg, const std::string& value = "") {
    std::vector<std::string> args = d.command;
    for (std::string w : Words(arg)) {
        if (w == "%") w = value;
        args.push_back(w);
    }
    auto line = ParseHackCommandLine(args);
    return line ? *line : HackCommandLine{{}, {}, "not a hack line"};
}

TEST(HackDescription, IsValidXmlThatRunsTheHackInTheDaemonsWindow) {
    const Description d = Read();
    EXPECT_EQ(d.error, "");
    EXPECT_EQ(d.rootName, "screensaver");
    EXPECT_EQ(d.hackName, "cindral");
    const HackCommandLine line = Line(d, "");
    EXPECT_EQ(line.error, "");
    EXPECT_FALSE(line.windowId);  // -root: the daemon's window
}

TEST(HackDescription, MenusOfferEveryKindAndKeepTheSettingsFileByDefault) {
    const Description d = Read();
    struct Menu {
        std::string id;
        std::optional<std::int16_t> HackOverrides::*field;
        std::set<int> values;
    };
    const Menu menus[] = {
        {"fire-kind", &HackOverrides::fireKind, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"music-kind", &HackOverrides::musicKind, {0, 1, 2}},
    };
    for (const auto& m : menus) {
        SCOPED_TRACE(m.id);
        ASSERT_TRUE(d.selects.count(m.id));
        int defaults = 0;
        std::set<int> values;
        for (const auto& o : d.selects.at(m.id)) {
            if (!o.argSet) {
                ++defaults;  // the default adds nothing: the settings file decides
                continue;
            }
            const HackCommandLine line = Line(d, *o.argSet);
            EXPECT_EQ(line.error, "") << o.id;
            ASSERT_TRUE(line.overrides.*m.field) << o.id;
            EXPECT_TRUE(values.insert(*(line.overrides.*m.field)).second) << o.id << " repeats";
        }
        EXPECT_EQ(defaults, 1);
        EXPECT_EQ(values, m.values);
    }
}

TEST(HackDescription, RepeatTrackSpinnerCoversExactlyTheTracksTheProgramTakes) {
    const Description d = Read();
    ASSERT_TRUE(d.numbers.count("repeat-track"));
    const Number& n = d.numbers.at("repeat-track");
    EXPECT_EQ(n.type, "spinbutton");
    EXPECT_EQ(n.low, 0);
    EXPECT_EQ(n.high, 99);  // an audio CD has at most 99 tracks
    for (int v : {n.low, n.def, n.high}) {
        const HackCommandLine line = Line(d, n.arg, std::to_string(v));
        EXPECT_EQ(line.error, "") << v;
        EXPECT_EQ(line.overrides.repeatTrack, v);
    }
    for (int v : {n.low - 1, n.high + 1}) {
        EXPECT_NE(Line(d, n.arg, std::to_string(v)).error, "") << v;
    }
}

TEST(HackDescription, MusicFileFieldPassesThePathWhole) {
    const Description d = Read();
    ASSERT_TRUE(d.files.count("music-file"));
    for (const std::string path : {"/home/me/My Music/fire.mp3", "/tmp/a.wav", "-root.mp3"}) {
        const HackCommandLine line = Line(d, d.files.at("music-file"), path);
        EXPECT_EQ(line.error, "") << path;
        EXPECT_EQ(line.overrides.musicFile, path);
    }
}

}  // namespace
}  // namespace cindral::startup
