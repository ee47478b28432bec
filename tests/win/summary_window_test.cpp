#include "summary/summary_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fw/handle.h"
#include "fw/text.h"
#include "resource.h"
#include "summary_test_support.h"

namespace gd::test {
namespace {

std::string ScreenSize() {
    return FormatText("%dx%d", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

// An owner standing in for the main window.
UniqueWindow MakeOwner() {
    return UniqueWindow(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                          nullptr, nullptr, nullptr));
}

TEST(SummaryWindow, IsAHiddenReadOnlyToolWindowOfItsOwnerStartingEmpty) {
    UniqueWindow owner = MakeOwner();
    CSummaryWindow window;
    EXPECT_EQ(window.width, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window.height, ::GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(window.Create(owner.get()));
    HWND w = window.GetSafeHwnd();
    EXPECT_FALSE(::IsWindowVisible(w));
    EXPECT_EQ(::GetWindow(w, GW_OWNER), owner.get());
    EXPECT_NE(window.GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    for (int id : {IDC_SUMMARY_NAME, IDC_SUMMARY_GAME, IDC_SUMMARY_RESOLUTION, IDC_SUMMARY_AUTHOR,
                   IDC_SUMMARY_COMMENT}) {
        EXPECT_NE(::GetWindowLongA(::GetDlgItem(w, id), GWL_STYLE) & ES_READONLY, 0) << id;
        EXPECT_EQ(TextOf(::GetDlgItem(w, id)), "") << id;
    }
}

TEST(SummaryWindow, ShowSummaryFillsTheControls) {
    const struct {
        std::int32_t width, height;
        std::string shown;
    } kCases[] = {
        {1024, 768, "1024x768"}, {0, 0, ScreenSize()},
        {0, 600, ScreenSize()},  // width 0 alone stands for the screen
        {800, 0, "800x0"},       {-1, 65535, "-1x65535"},
    };
    UniqueWindow owner = MakeOwner();
    CSummaryWindow window;
    ASSERT_TRUE(window.Create(owner.get()));
    HWND w = window.GetSafeHwnd();
    for (const auto& c : kCases) {
        window.ShowSummary("Night run", "Arena", "Kim", "Line one\r\nLine two", c.width, c.height);
        EXPECT_EQ(TextOf(::GetDlgItem(w, IDC_SUMMARY_RESOLUTION)), c.shown)
            << c.width << "x" << c.height;
        EXPECT_EQ(window.resolution, c.shown);
    }
    EXPECT_EQ(TextOf(::GetDlgItem(w, IDC_SUMMARY_NAME)), "Night run");
    EXPECT_EQ(TextOf(::GetDlgItem(w, IDC_SUMMARY_GAME)), "Arena");
    EXPECT_EQ(TextOf(::GetDlgItem(w, IDC_SUMMARY_AUTHOR)), "Kim");
    EXPECT_EQ(TextOf(::GetDlgItem(w, IDC_SUMMARY_COMMENT)), "Line one\r\nLine two");
    EXPECT_EQ(::SendMessageA(::GetDlgItem(w, IDC_SUMMARY_COMMENT), EM_GETLINECOUNT, 0, 0), 2);

    window.ShowSummary("", "", "", "", 0, 0);
    EXPECT_EQ(TextOf(::GetDlgItem(w, IDC_SUMMARY_NAME)), "");
    EXPECT_EQ(TextOf(::GetDlgItem(w, IDC_SUMMARY_COMMENT)), "");
}

TEST(SummaryWindow, KeepsASummaryGivenBeforeItsWindowExists) {
    UniqueWindow owner = MakeOwner();
    CSummaryWindow window;
    window.ShowSummary("Early", "Arena", "Kim", "Note", 720, 576);
    ASSERT_TRUE(window.Create(owner.get()));
    EXPECT_EQ(TextOf(::GetDlgItem(window.GetSafeHwnd(), IDC_SUMMARY_NAME)), "Early");
    EXPECT_EQ(TextOf(::GetDlgItem(window.GetSafeHwnd(), IDC_SUMMARY_RESOLUTION)), "720x576");
}

}  // namespace
}  // namespace gd::test
