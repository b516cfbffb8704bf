// The resources of the built cindral.scr, read as the display settings read
// them: the saver's display name as string 1, the icon (group icon, type 14),
// version information (type 16) and a manifest (type 24) asking for
// per-monitor DPI awareness and Common Controls 6.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

class ScreenSaverFile : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(CINDRAL_SCR_PATH, nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot open " << CINDRAL_SCR_PATH_TEXT;
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    std::string Resource(LPCWSTR type, LPCWSTR name) {
        HRSRC found = FindResourceW(module_, name, type);
        if (!found) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const char* data = static_cast<const char*>(LockResource(loaded));
        return data ? std::string(data, SizeofResource(module_, found)) : std::string();
    }
    HMODULE module_ = nullptr;
};

TEST_F(ScreenSaverFile, NamesItselfInStringOne) {
    wchar_t text[64] = {};
    ASSERT_GT(LoadStringW(module_, 1, text, 64), 0);
    EXPECT_EQ(std::wstring(text), L"Cindral");
}

TEST_F(ScreenSaverFile, CarriesAnIconAndVersionInformation) {
    EXPECT_NE(FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr);
    const std::string version = Resource(MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
    ASSERT_GT(version.size(), sizeof(VS_FIXEDFILEINFO));
    const std::wstring wide(reinterpret_cast<const wchar_t*>(version.data()),
                            version.size() / sizeof(wchar_t));
    EXPECT_NE(wide.find(L"cindral.scr"), std::wstring::npos);
}

TEST_F(ScreenSaverFile, ManifestAsksForPerMonitorDpiAndCommonControlsSix) {
    const std::string manifest = Resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    ASSERT_FALSE(manifest.empty());
    for (const char* part :
         {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "PerMonitorV2", "true/pm"}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
}

}  // namespace
