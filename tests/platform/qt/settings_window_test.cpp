#include "platform/qt/settings_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "platform/qt/zo_button_widget.h"
#include "qt_app.h"

namespace cindral::platform::qt {
namespace {

using settings_window::ControlId;

class RecordingSink : public settings_window::SettingsSink {
  public:
    std::vector<config::Settings> saved;
    void Save(const config::Settings& s) override { saved.push_back(s); }
};

class CancellingDialog : public settings_window::MusicFileDialog {
  public:
    int calls = 0;
    std::optional<std::string> answer;
    std::optional<std::string> ChooseMusicFile() override {
        ++calls;
        return answer;
    }
};

struct Shown {
    explicit Shown(config::Settings loaded) : settings(std::move(loaded)) {
        test::App();
        window = std::make_unique<QtSettingsWindow>(settings, origin, sink, &dialog);
        window->onClosed = [this] { ++closed; };
        window->Load();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QImage Grab() { return window->grab().toImage(); }
    QPoint Centre(ControlId id, int index = 0) {
        QWidget& c = window->Control(id, index);
        return c.mapTo(window.get(), c.rect().center());
    }

    config::Settings settings;
    settings_window::EffectOrigin origin;
    RecordingSink sink;
    CancellingDialog dialog;
    std::unique_ptr<QtSettingsWindow> window;
    int closed = 0;
};

bool IsRed(QRgb p) { return qRed(p) > 180 && qGreen(p) < 80 && qBlue(p) < 80; }

TEST(QtSettingsWindow, ShowsTheCaptionSizeAndBackdrop) {
    Shown s({0, 0, 0, ""});
    EXPECT_EQ(s.window->windowTitle(), QStringLiteral("Cindralの設定"));
    EXPECT_EQ(s.window->size(), QSize(549, 393));
    const QImage shot = s.Grab();
    // Top row dark blue; the middle row, between the panels, pale lavender.
    EXPECT_EQ(shot.pixel(2, 0), qRgb(0, 0, 30));
    EXPECT_EQ(shot.pixel(5, 196), qRgb(220, 220, 250));
    EXPECT_EQ(shot.pixel(540, 196), qRgb(220, 220, 250));
}

TEST(QtSettingsWindow, AnyMouseButtonOnAPreviewOrMarkerSelects) {
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        Shown s({0, 0, 0, ""});
        QTest::mousePress(&s.window->Control(ControlId::FireImage, 5), b);
        EXPECT_EQ(s.settings.FireKind, 5);
        QTest::mousePress(&s.window->Control(ControlId::MusicLabel, 2), b);
        EXPECT_EQ(s.settings.MusicKind, 2);
        const QImage shot = s.Grab();
        for (int i = 0; i < settings_window::kFireMarkers; ++i) {
            EXPECT_EQ(IsRed(shot.pixel(s.Centre(ControlId::FireMarker, i))), i == 5) << i;
        }
        for (int i = 0; i < settings_window::kMusicKinds; ++i) {
            EXPECT_EQ(IsRed(shot.pixel(s.Centre(ControlId::MusicMarker, i))), i == 2) << i;
        }
        EXPECT_FALSE(s.window->RepeatCombo().isEnabled());
        EXPECT_TRUE(s.window->Button(ControlId::FileButton).isEnabled());
    }
}

TEST(QtSettingsWindow, RandomLabelActsOnAClick) {
    Shown s({3, 0, 0, ""});
    QWidget& label = s.window->Control(ControlId::RandomLabel);
    QTest::mousePress(&label, Qt::RightButton);
    QTest::mouseRelease(&label, Qt::RightButton);
    EXPECT_EQ(s.settings.FireKind, 3);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(s.settings.FireKind, 8);
}

TEST(QtSettingsWindow, ComboTextIsSavedByTheSaveButtonsPress) {
    Shown s({1, 1, 0, ""});
    EXPECT_TRUE(s.window->RepeatCombo().isEnabled());
    EXPECT_EQ(s.window->RepeatCombo().currentText(), QString());
    EXPECT_EQ(s.window->RepeatCombo().count(), 31);
    s.window->RepeatCombo().setFocus();
    QTest::keyClicks(&s.window->RepeatCombo(), "2.5");
    QTest::mousePress(&s.window->Button(ControlId::SaveButton), Qt::RightButton);
    ASSERT_EQ(s.sink.saved.size(), 1u);
    EXPECT_EQ(s.sink.saved[0].RepeatTrack, 2);
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_EQ(s.closed, 1);
}

TEST(QtSettingsWindow, ButtonsIgnoreTheKeyboardAndCancelSavesNothing) {
    Shown s({1, 2, 0, "/m/a.mp3"});
    ZoButtonWidget& save = s.window->Button(ControlId::SaveButton);
    save.setFocus();
    QTest::keyClick(&save, Qt::Key_Space);
    EXPECT_TRUE(s.sink.saved.empty());
    EXPECT_TRUE(s.window->isVisible());

    QTest::mousePress(&s.window->Button(ControlId::FileButton), Qt::LeftButton);
    EXPECT_EQ(s.dialog.calls, 1);
    EXPECT_EQ(s.settings.MusicFile, "/m/a.mp3");

    QTest::mousePress(&s.window->Button(ControlId::CancelButton), Qt::MiddleButton);
    EXPECT_TRUE(s.sink.saved.empty());
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_EQ(s.closed, 1);
}

// The rightmost column of the label's text area holding a dark pixel; -1 for none.
int RightmostInk(const QImage& label) {
    for (int x = label.width() - 4; x >= 3; --x) {
        for (int y = 3; y < label.height() - 3; ++y) {
            if (qGray(label.pixel(x, y)) < 100) return x;
        }
    }
    return -1;
}

// The path shows literally, on the window colour, cut to fit in the middle
// with its file name kept.
TEST(QtSettingsWindow, FileLabelShowsThePathAsPlainTextThatFits) {
    {
        const std::string path = "/m/<b>x</b>.mp3";
        Shown s({0, 2, 0, path});
        auto& label = dynamic_cast<QLabel&>(s.window->Control(ControlId::FileName));
        EXPECT_EQ(label.text(), QString::fromStdString(path));
        const QImage shot = label.grab().toImage();
        // Rich text would show a bold "x" between "/m/" and ".mp3": seven
        // characters less ink.
        const int advance = label.fontMetrics().horizontalAdvance(QString::fromStdString(path));
        EXPECT_GE(RightmostInk(shot), 3 + advance - 4);
        EXPECT_EQ(shot.pixelColor(shot.width() - 5, shot.height() / 2),
                  label.palette().color(QPalette::Base));
    }
    {
        const std::string path = "/music/" + std::string(80, 'a') + "/song.mp3";
        Shown s({0, 2, 0, path});
        auto& label = dynamic_cast<QLabel&>(s.window->Control(ControlId::FileName));
        EXPECT_TRUE(label.text().startsWith(QStringLiteral("/music/aaa")))
            << label.text().toStdString();
        EXPECT_TRUE(label.text().endsWith(QStringLiteral(".../song.mp3")))
            << label.text().toStdString();
        // Within the 297-pixel label's text area, 3 pixels from each side.
        EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), 297 - 6);
        EXPECT_LE(RightmostInk(label.grab().toImage()), 297 - 4);
        EXPECT_EQ(s.window->Core().FileCaption(), path);
    }
}

TEST(QtSettingsWindow, CloseBoxUnloadsWithoutSaving) {
    Shown s({1, 0, 0, ""});
    s.window->close();
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_TRUE(s.sink.saved.empty());
    EXPECT_EQ(s.closed, 1);
}

}  // namespace
}  // namespace cindral::platform::qt
