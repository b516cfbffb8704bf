// The Windows start-up adapters: the command line cut from wide text, text
// conversions, the instance claim, caption look-up as Unicode, the password
// services loaded at run time, and the settings file under non-ASCII folders.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "config/profile_file.h"
#include "config/settings_path.h"
#include "config/settings_store.h"
#include "platform/win32/folder_access.h"
#include "platform/win32/instance_claim.h"
#include "platform/win32/process_command_line.h"
#include "platform/win32/settings_location.h"
#include "platform/win32/system_services.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_finder.h"
#include "startup/startup_dispatch.h"

namespace cindral::platform::win32 {
namespace {

namespace fs = std::filesystem;

std::string U8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

TEST(TextAfterProgramName, CutsTheNameQuotedOrNotAndTheBlanksAfterIt) {
    struct Case {
        std::wstring line, expected;
    } cases[] = {
        {L"cindral.scr /s", L"/s"},
        {L"\"C:\\Program Files\\cindral.scr\" /p 4711", L"/p 4711"},
        {L"\"C:\\x y\\c.scr\"/c:12", L"/c:12"},  // the name ends at its closing quote
        {L"c.scr \t  /S", L"/S"},
        {L"c.scr", L""},
        {L"\"C:\\炎\\c.scr\" /a 99", L"/a 99"},
        {L"c.scr /p 火 ", L"/p 火 "},  // the rest is kept as given
        {L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(TextAfterProgramName(c.line)), c.expected) << Utf8FromWide(c.line);
    }
}

TEST(WideText, ConvertsExactlyOrNotAtAll) {
    EXPECT_EQ(WideFromUtf8(U8(u8"Cindralの設定")), L"Cindralの設定");
    EXPECT_EQ(Utf8FromWide(L"炎 café"), U8(u8"炎 café"));
    struct Case {
        std::wstring wide;
        unsigned codePage;
        std::optional<std::string> ansi;
    } cases[] = {
        {L"caf\u00E9", 1252, std::string("caf\xE9")},
        {L"\u708E", 932, std::string("\x89\x8A")},  // 炎 in Shift-JIS
        {L"\u708E", 1252, std::nullopt},            // no such character
        {L"\u0101", 1252, std::nullopt},            // a-macron: no best-fit "a"
        {L"", 1252, std::string()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnsiFromWide(c.wide, c.codePage), c.ansi) << Utf8FromWide(c.wide);
        if (c.ansi) {
            EXPECT_EQ(WideFromAnsi(*c.ansi, c.codePage), c.wide);
        }
    }
}

TEST(StoredMusicPath, UsesTheCodePageThenTheShortPathThenNothing) {
    const auto shortFire = [](const std::wstring& path) -> std::optional<std::wstring> {
        if (path == L"C:\\\u708E\\a.mp3") return std::wstring(L"C:\\FIRE~1\\a.mp3");
        return std::nullopt;
    };
    struct Case {
        std::string utf8;
        unsigned codePage;
        std::optional<std::string> stored;
    } cases[] = {
        {"C:\\music\\a.mp3", 1252, std::string("C:\\music\\a.mp3")},
        {U8(u8"C:\\café\\a.mp3"), 1252, std::string("C:\\caf\xE9\\a.mp3")},
        {U8(u8"C:\\炎\\a.mp3"), 932, std::string("C:\\\x89\x8A\\a.mp3")},
        {U8(u8"C:\\炎\\a.mp3"), 1252, std::string("C:\\FIRE~1\\a.mp3")},
        {U8(u8"D:\\炎\\b.mp3"), 1252, std::nullopt},  // no short name: left unchosen
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredMusicPath(c.utf8, c.codePage, shortFire), c.stored) << c.utf8;
    }
}

// A fresh folder whose name holds characters outside every Western code page.
class JapaneseFolder {
  public:
    JapaneseFolder() {
        std::random_device device;
        path_ = fs::temp_directory_path() /
                fs::path(L"炎の設定 " + std::to_wstring(device()) + std::to_wstring(device()));
        fs::create_directories(path_);
    }
    ~JapaneseFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

bool FileIsThere(const fs::path& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(WindowsSettingsFile, LivesInTheAppDataFolderWhateverItsNameAndIsReplacedWhole) {
    JapaneseFolder folder;
    const fs::path appData = folder.path() / L"ユーザー";
    fs::create_directories(appData);
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", appData.c_str()));
    EXPECT_EQ(Win32SettingsLocation().UserSettingsFolder(), appData / L"Cindral");
    EXPECT_EQ(AppDataSettingsFolder({}), fs::path());  // no %APPDATA%: no user folder
    const fs::path file = config::ChooseSettingsFiles(folder.path() / L"読み取り専用",
                                                      AppDataSettingsFolder(appData), false)
                              .save;
    EXPECT_EQ(file, appData / L"Cindral" / L"Cindral.ini");

    // A music file in a folder the Western code page cannot name.
    const fs::path music = folder.path() / L"曲" / L"fire.mp3";
    fs::create_directories(music.parent_path());
    std::ofstream(music) << "ID3";
    const std::u8string musicUtf8 = music.u8string();
    const config::Settings first{3, 2, 0, std::string(musicUtf8.begin(), musicUtf8.end())};
    ASSERT_TRUE(config::SaveSettings(first, file, AnsiMusicPathCodec()));
    ASSERT_TRUE(FileIsThere(file));

    // The stored bytes name the file in the system's code page.
    const std::string stored =
        config::ReadIniValue(config::kSettingsSection, config::kMusicFileKey, file);
    ASSERT_FALSE(stored.empty());
    EXPECT_TRUE(FileIsThere(fs::path(WideFromAnsi(stored, CP_ACP)))) << stored;
    if (GetACP() == 1252) {
        for (unsigned char byte : stored) EXPECT_LT(byte, 0x80) << stored;  // the short path
    }

    config::Settings loaded;
    config::LoadSettings(loaded, file, AnsiMusicPathCodec());
    EXPECT_EQ(loaded.FireKind, 3);
    EXPECT_EQ(loaded.MusicKind, 2);
    EXPECT_TRUE(FileIsThere(fs::path(WideFromUtf8(loaded.MusicFile))));

    // A second save replaces the file: the new value, no file left beside it.
    ASSERT_TRUE(config::SaveSettings({5, 0, 0, ""}, file, AnsiMusicPathCodec()));
    config::LoadSettings(loaded, file, AnsiMusicPathCodec());
    EXPECT_EQ(loaded.FireKind, 5);
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        entries.push_back(entry.path());
    }
    EXPECT_EQ(entries, std::vector<fs::path>{file});
}

TEST(Win32FolderAccess, AllowsAWritableFolderOnlyAndWritesNothingThere) {
    JapaneseFolder folder;
    std::ofstream(folder.path() / L"a file") << "x";
    Win32FolderAccess access;
    EXPECT_TRUE(access.CanCreateFilesIn(folder.path()));
    EXPECT_FALSE(access.CanCreateFilesIn(folder.path() / L"a file"));
    EXPECT_FALSE(access.CanCreateFilesIn(folder.path() / L"missing"));
    EXPECT_FALSE(access.CanCreateFilesIn(fs::path()));
    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(folder.path())) entries += entry.exists();
    EXPECT_EQ(entries, 1u);
}

std::wstring UniqueName() {
    std::random_device device;
    return L"Local\\Cindral.Test." + std::to_wstring(device()) + std::to_wstring(device());
}

// Each claim object stands for one running copy of the program.
TEST(Win32InstanceClaim, OneCopyHoldsTheNameUntilItEndsAndLookingTakesNothing) {
    const std::wstring name = UniqueName();
    auto holder = std::make_unique<Win32InstanceClaim>(name);
    Win32InstanceClaim looker(name);
    Win32InstanceClaim rival(name);

    EXPECT_FALSE(looker.HeldElsewhere()) << "nobody has claimed yet";
    ASSERT_TRUE(holder->TryClaim());
    EXPECT_TRUE(holder->TryClaim()) << "a second call by the holder keeps its claim";
    EXPECT_FALSE(holder->HeldElsewhere()) << "the holder's own claim is not elsewhere";
    EXPECT_TRUE(looker.HeldElsewhere());
    EXPECT_FALSE(rival.TryClaim());
    EXPECT_TRUE(rival.HeldElsewhere()) << "a refused claim leaves nothing held";

    // Ending the holder frees the name: neither the look nor the refused claim
    // kept a handle that would keep it alive.
    holder.reset();
    EXPECT_FALSE(looker.HeldElsewhere());
    EXPECT_TRUE(rival.TryClaim());
    EXPECT_TRUE(looker.HeldElsewhere());
}

TEST(Win32InstanceClaim, ANameHeldByAnotherKindOfObjectCountsAsTaken) {
    const std::wstring name = UniqueName();
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(event, nullptr);
    Win32InstanceClaim claim(name);
    EXPECT_FALSE(claim.TryClaim());
    CloseHandle(event);
    EXPECT_TRUE(claim.TryClaim());
}

TEST(Win32WindowFinder, FindsTheJapaneseCaptionAsAWhole) {
    const std::wstring caption = L"Cindralの設定";
    HWND window = CreateWindowExW(0, L"STATIC", caption.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    Win32WindowFinder finder;
    EXPECT_TRUE(finder.WindowExists(startup::kSettingsCaption));
    EXPECT_FALSE(finder.WindowExists("Cindralの設"));  // whole captions only
    EXPECT_FALSE(finder.WindowExists(startup::kSaverCaption));
    DestroyWindow(window);
    EXPECT_FALSE(finder.WindowExists(startup::kSettingsCaption));
}

// Stand-ins for the 9x password procedures, with their calling convention.
struct PasswordCalls {
    std::vector<std::string> log;
    BOOL verifyAnswer = TRUE;
};
PasswordCalls g_calls;

BOOL WINAPI FakeVerifyScreenSavePwd(HWND window) {
    g_calls.log.push_back("verify " + std::to_string(reinterpret_cast<std::uintptr_t>(window)));
    return g_calls.verifyAnswer;
}

DWORD WINAPI FakePwdChangePasswordA(LPCSTR provider, HWND owner, DWORD a, DWORD b) {
    g_calls.log.push_back(std::string("change ") + provider + " " +
                          std::to_string(reinterpret_cast<std::uintptr_t>(owner)) + " " +
                          std::to_string(a) + " " + std::to_string(b));
    return 0;
}

void* FakeLoader(const std::wstring& module, const char* procedure) {
    g_calls.log.push_back("load " + Utf8FromWide(module) + " " + procedure);
    if (module == L"password.cpl" && std::string(procedure) == "VerifyScreenSavePwd") {
        return reinterpret_cast<void*>(&FakeVerifyScreenSavePwd);
    }
    if (module == L"mpr.dll" && std::string(procedure) == "PwdChangePasswordA") {
        return reinterpret_cast<void*>(&FakePwdChangePasswordA);
    }
    return nullptr;
}

class NoWindows final : public startup::WindowFinder {
  public:
    bool WindowExists(std::string_view) override { return false; }
};

TEST(Win32SystemServices, PasswordChangeIsLoadedAndCalledOnlyOffNt) {
    struct Case {
        bool nt;
        const char* line;
        std::vector<std::string> log;
    } cases[] = {
        {false, "/a 4711", {"load mpr.dll PwdChangePasswordA", "change SCRSAVE 4711 0 0"}},
        {true, "/a 4711", {}},
        {false, "/a x", {}},  // no owner number: no call
    };
    for (const Case& c : cases) {
        g_calls = {};
        Win32SystemServices system(FakeLoader, [&] { return c.nt; });
        NoWindows windows;
        startup::ProgramState state;
        startup::StartupPorts ports{windows, system, {}};
        EXPECT_EQ(startup::DispatchStartup(c.line, state, ports).action,
                  startup::StartupAction::Exit);
        EXPECT_EQ(g_calls.log, c.log) << c.line << " nt " << c.nt;
    }
}

TEST(Win32SystemServices, VerifiesThePasswordThroughTheLoadedProcedure) {
    struct Case {
        BOOL answer;
        bool moduleThere;
        bool mayEnd;
    } cases[] = {{TRUE, true, true}, {FALSE, true, false}, {FALSE, false, true}};
    for (const Case& c : cases) {
        g_calls = {};
        g_calls.verifyAnswer = c.answer;
        Win32SystemServices system(
            c.moduleThere
                ? ProcedureLoader(FakeLoader)
                : [](const std::wstring&, const char*) { return static_cast<void*>(nullptr); },
            [] { return false; });
        EXPECT_TRUE(system.AsksSaverPassword());
        EXPECT_EQ(system.AskSaverPassword(0x1234), c.mayEnd);
        if (c.moduleThere) {
            EXPECT_EQ(g_calls.log, (std::vector<std::string>{
                                       "load password.cpl VerifyScreenSavePwd", "verify 4660"}));
        }
    }
}

TEST(Win32SystemServices, SaverNoticesGoOutAsSystemParameters) {
    // SPI_SCREENSAVERRUNNING (97) takes the 16-bit negation of "keys enabled":
    // a running saver is -1, its end 0; the timeout is SPI_SETSCREENSAVEACTIVE
    // (17) with 1.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> sent;
    Win32SystemServices system(
        FakeLoader, [] { return true; },
        [&](std::uint32_t action, std::uint32_t uiParam) { sent.emplace_back(action, uiParam); });
    startup::EnableSystemKeys(system, false);
    startup::EnableSystemKeys(system, true);
    system.ActivateSaverTimeout();
    EXPECT_EQ(sent, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                        {97u, 0xFFFFFFFFu}, {97u, 0u}, {17u, 1u}}));
    EXPECT_FALSE(system.AsksSaverPassword());
}

TEST(Win32SystemServices, ThisSystemIsOfTheNtFamily) {
    // Wine and every supported Windows report the NT platform id.
    EXPECT_TRUE(SystemIsWindowsNT());
}

}  // namespace
}  // namespace cindral::platform::win32
