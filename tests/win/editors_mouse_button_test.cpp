// The mouse button dialog in its modal loop: what OK records and refuses,
// and the live pointer display.
#include "editors/mouse_button_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

bool Enabled(HWND dialog, int id) {
    return ::IsWindowEnabled(Item(dialog, id)) != FALSE;
}

// Which of the three radios are checked, as "LMR" with '-' for unchecked.
std::string Radios(HWND dialog) {
    std::string shown = "---";
    const int ids[] = {IDC_BUTTON_LEFT, IDC_BUTTON_MIDDLE, IDC_BUTTON_RIGHT};
    for (int i = 0; i < 3; ++i) {
        if (::IsDlgButtonChecked(dialog, ids[i]) == BST_CHECKED) {
            shown[static_cast<std::size_t>(i)] = "LMR"[i];
        }
    }
    return shown;
}

// The position mode, whether X and Y take input, and their captions.
std::string PositionShown(HWND d) {
    return SelectedText(Item(d, IDC_POSITION_MODE)) +
           (Enabled(d, IDC_POSITION_X) ? " on " : " off ") +
           TextOf(Item(d, IDC_POSITION_X_CAPTION)) + TextOf(Item(d, IDC_POSITION_Y_CAPTION));
}

TEST(MouseButtonDlg, OkRecordsTheChoicesAndTheScreenOfThatMoment) {
    CMouseButtonDlg dlg;
    dlg.flags = 0x02200000;
    dlg.screenWidth = 1;
    dlg.screenHeight = 2;
    dlg.SetActionChoiceEnabled(true);
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            EXPECT_TRUE(Enabled(d, IDC_ACTION));
            ::SendMessageA(Item(d, IDC_BUTTON_RIGHT), BM_CLICK, 0, 0);
            EXPECT_EQ(Radios(d), "--R");
            PickWithKeys(Item(d, IDC_ACTION), kMouseReleaseItem);
            PickWithKeys(Item(d, IDC_POSITION_MODE), kMouseAbsoluteItem);
            EXPECT_EQ(PositionShown(d), "Absolute on X:Y:");
            TypeInto(Item(d, IDC_POSITION_X), "2048");
            TypeInto(Item(d, IDC_POSITION_Y), "-17");
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.flags, 0x02110000u);
    EXPECT_EQ(dlg.button, 2u);
    EXPECT_EQ(dlg.x, 2048);
    EXPECT_EQ(dlg.y, -17);
    EXPECT_EQ(dlg.screenWidth, static_cast<std::uint32_t>(::GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(dlg.screenHeight, static_cast<std::uint32_t>(::GetSystemMetrics(SM_CYSCREEN)));
}

TEST(MouseButtonDlg, OkRefusesAPositionOutOfRangeAndThePointerIsShownAfterwards) {
    CMouseButtonDlg dlg;
    dlg.x = 5000;
    MessageBoxWatcher watcher;
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            const auto shows = [d](int x, int y) {
                for (int round = 0; round < 200; ++round) {
                    if (TextOf(Item(d, IDC_CURSOR_X)) == std::to_string(x) &&
                        TextOf(Item(d, IDC_CURSOR_Y)) == std::to_string(y)) {
                        return true;
                    }
                    PumpMessages();
                    ::Sleep(10);
                }
                return false;
            };
            ASSERT_TRUE(::SetCursorPos(123, 45));
            EXPECT_TRUE(shows(123, 45));
            ::SendMessageA(d, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(::IsWindowVisible(d));
            ASSERT_TRUE(::SetCursorPos(321, 54));
            EXPECT_TRUE(shows(321, 54));
            TypeInto(Item(d, IDC_POSITION_X), "-2048");
        },
        IDOK);
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].text, "Please enter an integer between -2048 and 2048.");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.x, -2048);
}

}  // namespace
}  // namespace gd::test
