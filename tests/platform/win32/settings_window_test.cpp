// The Win32 settings window at several densities: the window told by
// WM_DPICHANGED that it moved to a monitor of another density lays itself
// out again, its client area and every control at the layout's position
// times dpi / 96 (each edge rounded half to even) and its labels in the
// points of the layout's font.

#include "platform/win32/settings_window.h"

#include <gtest/gtest.h>

namespace cindral::platform::win32 {
namespace {

using settings_window::ControlId;

class NoSave final : public settings_window::SettingsSink {
  public:
    void Save(const config::Settings&) override { ADD_FAILURE() << "nothing clicks save here"; }
};

RECT InClient(HWND window, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Str(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

int LabelFontHeight(HWND label) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (!font || !GetObjectW(font, sizeof lf, &lf)) return 0;
    return lf.lfHeight;
}

int ClientWidth(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r.right;
}

int TextExtent(HWND label, const std::wstring& text) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return extent.cx;
}

struct Expected {
    ControlId id;
    int index;
    RECT client;  // in the window's client area
};

struct DensityCase {
    int dpi;
    SIZE client;
    int labelFontHeight;
    std::vector<Expected> controls;
};

void CheckDensities(Win32SettingsWindow& window);

TEST(Win32SettingsWindow, FollowsTheMonitorsDensity) {
    config::Settings settings{3, 1, 0, ""};
    settings_window::EffectOrigin origin;
    NoSave sink;
    HWND handle = nullptr;
    {
        Win32SettingsWindow window(settings, origin, sink);
        handle = window.Handle();
        window.Load();
        CheckDensities(window);
    }
    // The program's window stays until the program ends; the other tests
    // look for windows by this caption.
    DestroyWindow(handle);
}

// Labels that grow show their whole text in their own font.
void ExpectGrownLabels(Win32SettingsWindow& window) {
    const std::pair<ControlId, const wchar_t*> grown[] = {
        {ControlId::RandomLabel, L"起動毎にﾗﾝﾀﾞﾑ"}, {ControlId::Credit, L"Cindral version 1.0"}};
    for (const auto& [id, text] : grown) {
        HWND label = window.ControlWindow(id);
        EXPECT_GT(ClientWidth(label), TextExtent(label, text)) << static_cast<int>(id);
    }
    HWND mp3 = window.ControlWindow(ControlId::MusicLabel, 2);
    EXPECT_GT(ClientWidth(mp3), TextExtent(mp3, L"MP3、WAV"));
}

void CheckDensities(Win32SettingsWindow& window) {
    ExpectGrownLabels(window);  // as laid out at start-up
    // Panel contents count from inside a one-pixel border at the scaled panel
    // corner: (17, 17) and (17, 221) at 96 dpi, (25, 25) and (25, 331) at 144.
    const DensityCase cases[] = {
        {144,
         {824, 590},  // 823.5 x 589.5
         -20,         // 9.75 pt: 19.5 pixels
         {{ControlId::SaveButton, 0, {540, 510, 674, 560}},
          {ControlId::CancelButton, 0, {678, 510, 800, 560}},
          {ControlId::FireMarker, 8, {247, 43, 267, 63}},
          {ControlId::FireImage, 5, {271, 187, 397, 283}},
          {ControlId::MusicMarker, 2, {211, 397, 231, 417}},
          {ControlId::FileButton, 0, {337, 391, 399, 429}}}},
        {96,
         {549, 393},
         -13,
         {{ControlId::SaveButton, 0, {360, 340, 449, 373}},
          {ControlId::CancelButton, 0, {452, 340, 533, 373}},
          {ControlId::FireMarker, 8, {165, 29, 178, 42}},
          {ControlId::FireImage, 5, {181, 125, 265, 189}},
          {ControlId::MusicMarker, 2, {141, 265, 154, 278}},
          {ControlId::FileButton, 0, {225, 261, 266, 286}}}},
        // 1098 x 786 would not fit the test's screen: its size is not checked.
        {192,
         {0, 0},
         -26,
         {{ControlId::SaveButton, 0, {720, 680, 898, 746}},
          {ControlId::FireMarker, 8, {329, 57, 355, 83}}}},
    };
    for (const DensityCase& c : cases) {
        SCOPED_TRACE(c.dpi);
        RECT suggested{10, 20, 10 + 100, 20 + 100};
        SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT client{};
        GetClientRect(window.Handle(), &client);
        if (c.client.cx > 0) {
            EXPECT_EQ(client.right, c.client.cx);
            EXPECT_EQ(client.bottom, c.client.cy);
        }
        RECT outer{};
        GetWindowRect(window.Handle(), &outer);
        EXPECT_EQ(outer.left, 10) << "the suggested place on the new monitor";
        EXPECT_EQ(outer.top, 20);
        for (const Expected& e : c.controls) {
            HWND control = window.ControlWindow(e.id, e.index);
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(Str(InClient(window.Handle(), control)), Str(e.client))
                << static_cast<int>(e.id) << " " << e.index;
        }
        for (ControlId label : {ControlId::Title, ControlId::RandomLabel, ControlId::Credit}) {
            EXPECT_EQ(LabelFontHeight(window.ControlWindow(label)), c.labelFontHeight);
        }
        ExpectGrownLabels(window);
    }
}

}  // namespace
}  // namespace cindral::platform::win32
