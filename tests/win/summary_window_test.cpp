// The summary window beside the main window: what ShowSummary puts into it,
// before and after its window exists.
#include "summary/summary_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fw/handle.h"
#include "fw/text.h"
#include "resource.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

TEST(SummaryWindow, ShowSummaryFillsTheControlsAndAZeroWidthStandsForTheScreen) {
    UniqueWindow owner(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr));
    CSummaryWindow window;
    window.ShowSummary("Early", "Arena", "Kim", "Line one\r\nLine two", 720, 576);
    ASSERT_TRUE(window.Create(owner.get()));
    const auto shown = [&](int id) { return TextOf(::GetDlgItem(window.GetSafeHwnd(), id)); };
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_EQ(shown(IDC_SUMMARY_NAME), "Early");
    EXPECT_EQ(shown(IDC_SUMMARY_COMMENT), "Line one\r\nLine two");
    EXPECT_EQ(shown(IDC_SUMMARY_RESOLUTION), "720x576");

    const std::string screen =
        FormatText("%dx%d", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const struct {
        std::int32_t width, height;
        std::string shown;
    } kCases[] = {{0, 600, screen}, {800, 0, "800x0"}, {-1, 65535, "-1x65535"}};
    for (const auto& c : kCases) {
        window.ShowSummary("Night run", "", "", "", c.width, c.height);
        EXPECT_EQ(shown(IDC_SUMMARY_RESOLUTION), c.shown) << c.width << "x" << c.height;
        EXPECT_EQ(shown(IDC_SUMMARY_NAME), "Night run");
        EXPECT_EQ(shown(IDC_SUMMARY_COMMENT), "");
    }
}

}  // namespace
}  // namespace gd::test
