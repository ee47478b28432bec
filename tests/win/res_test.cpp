// What the resource compiler made of the program's resources, seen from a
// running process: every string text as the shared table has it, and a
// manifest the loader took (one it cannot parse is ignored without a word).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>

#include "string_table.h"

namespace gd {
namespace {

TEST(ResStrings, EveryTextLoadsExactlyAsTheTableHasIt) {
    ASSERT_FALSE(StringTable().empty());
    for (const StringEntry& entry : StringTable()) {
        const wchar_t* stored = nullptr;
        const int length =
            LoadStringW(GetModuleHandleA(nullptr), entry.id, reinterpret_cast<LPWSTR>(&stored), 0);
        std::string text;
        for (int i = 0; i < length; ++i) {
            // Stored as plain ASCII, one character per unit.
            text += stored[i] < 0x80 ? static_cast<char>(stored[i]) : '?';
        }
        EXPECT_EQ(text, entry.text) << "string " << entry.id;
    }
}

// Common controls 6 shows as comctl32 being redirected to the side-by-side
// assembly the manifest names.
TEST(ResManifest, TakesEffect) {
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &data))
        << "error " << GetLastError();

    // The module the executable's comctl32 import loads. The import is
    // delay-loaded, so a first call loads it; the name then finds the copy
    // the manifest redirected to.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, sizeof path);
    std::string lower(path);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << path;
    EXPECT_TRUE(IsProcessDPIAware());

    // The skinned windows draw themselves for their monitor's DPI: the loader
    // found the per-monitor setting, newest kind first.
    wchar_t awareness[64] = {};
    SIZE_T written = 0;
    EXPECT_TRUE(QueryActCtxSettingsW(0, nullptr,
                                     L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                     L"dpiAwareness", awareness, std::size(awareness), &written));
    EXPECT_EQ(std::wstring(awareness).rfind(L"PerMonitorV2", 0), 0u);
}

}  // namespace
}  // namespace gd
