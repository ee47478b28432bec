#include "editors/mouse_button_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "fw_test_support.h"
#include "profile/image.h"
#include "resource.h"
#include "summary_test_support.h"

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

std::string ListItems(HWND list) {
    std::string items;
    const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        ::SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        if (i > 0) {
            items += '|';
        }
        items += text;
    }
    return items;
}

// Waits, pumping this thread's messages, until `done` holds or two seconds
// passed; returns whether it held.
bool PumpUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 200 && !done(); ++round) {
        PumpMessages();
        ::Sleep(10);
    }
    return done();
}

TEST(MouseButtonDlg, StartsWithLeftClickUndefinedAndTheDefaultScreen) {
    CMouseButtonDlg dlg;
    EXPECT_EQ(dlg.flags, 0x00200000u);
    EXPECT_EQ(dlg.button, 1u);
    EXPECT_EQ(dlg.x, 0);
    EXPECT_EQ(dlg.y, 0);
    EXPECT_EQ(dlg.screenWidth, 1024u);
    EXPECT_EQ(dlg.screenHeight, 768u);
}

TEST(MouseButtonDlg, OpensShowingTheCallersAction) {
    const struct {
        std::uint32_t flags, button;
        std::int32_t x, y;
        const char* radios;
        const char* action;
        const char* position;
        bool fieldsEnabled;
        const char* xCaption;
        const char* yCaption;
    } kCases[] = {
        {0x02200000, 1, 0, 0, "L--", "Click", "Undefined", false, "X ref:", "Y ref:"},
        {0x02200000, 4, 0, 9, "-M-", "Click", "Relative", true, "X ref:", "Y ref:"},
        {0x02010000, 2, 0, 0, "--R", "Press", "Absolute", true, "X:", "Y:"},
        {0x02110000, 2, 640, -480, "--R", "Release", "Absolute", true, "X:", "Y:"},
        {0x02200000, 3, -7, 0, "---", "Click", "Relative", true, "X ref:", "Y ref:"},
    };
    for (const auto& c : kCases) {
        CMouseButtonDlg dlg;
        dlg.flags = c.flags;
        dlg.button = c.button;
        dlg.x = c.x;
        dlg.y = c.y;
        RunModal(
            dlg,
            [&](HWND d) {
                SCOPED_TRACE(testing::Message() << std::hex << c.flags << " button " << c.button);
                EXPECT_EQ(TextOf(d), "Please select a mouse button");
                EXPECT_EQ(Radios(d), c.radios);
                EXPECT_EQ(ListItems(Item(d, IDC_ACTION)), "Click|Press|Release");
                EXPECT_EQ(ListItems(Item(d, IDC_POSITION_MODE)), "Relative|Absolute|Undefined");
                EXPECT_EQ(SelectedText(Item(d, IDC_ACTION)), c.action);
                EXPECT_EQ(SelectedText(Item(d, IDC_POSITION_MODE)), c.position);
                EXPECT_FALSE(Enabled(d, IDC_ACTION));
                EXPECT_EQ(Enabled(d, IDC_POSITION_X), c.fieldsEnabled);
                EXPECT_EQ(Enabled(d, IDC_POSITION_Y), c.fieldsEnabled);
                EXPECT_EQ(TextOf(Item(d, IDC_POSITION_X)), std::to_string(c.x));
                EXPECT_EQ(TextOf(Item(d, IDC_POSITION_Y)), std::to_string(c.y));
                EXPECT_EQ(TextOf(Item(d, IDC_POSITION_X_CAPTION)), c.xCaption);
                EXPECT_EQ(TextOf(Item(d, IDC_POSITION_Y_CAPTION)), c.yCaption);
            },
            IDCANCEL);
    }
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
            ::SendMessageA(Item(d, IDC_BUTTON_MIDDLE), BM_CLICK, 0, 0);
            EXPECT_EQ(Radios(d), "-M-");
            ::SendMessageA(Item(d, IDC_BUTTON_RIGHT), BM_CLICK, 0, 0);
            EXPECT_EQ(Radios(d), "--R");
            PickWithKeys(Item(d, IDC_ACTION), kMouseReleaseItem);
            PickWithKeys(Item(d, IDC_POSITION_MODE), kMouseAbsoluteItem);
            EXPECT_TRUE(Enabled(d, IDC_POSITION_X));
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_X_CAPTION)), "X:");
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_Y_CAPTION)), "Y:");
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

TEST(MouseButtonDlg, OkWithoutActionChoiceKeepsTheCallersActionAndButton) {
    const struct {
        std::uint32_t flags, button, recorded;
    } kCases[] = {
        {0x02200000, 1, 0x02200000}, {0x02000000, 2, 0x02000000},
        {0x00110000, 4, 0x02110000},  // the kind is always the mouse's
        {0x02200000, 3, 0x02200000},  // no radio checked: the button stays
        {0x02700000, 1, 0x02700000},  // an action the list lacks stays as well
    };
    for (const auto& c : kCases) {
        CMouseButtonDlg dlg;
        dlg.flags = c.flags;
        dlg.button = c.button;
        dlg.x = 5;
        RunModal(
            dlg, [](HWND) {}, IDOK);
        EXPECT_EQ(dlg.flags, c.recorded) << std::hex << c.flags;
        EXPECT_EQ(dlg.button, c.button);
        EXPECT_EQ(dlg.x, 5);
    }
}

TEST(MouseButtonDlg, UndefinedResetsThePositionToARelativeZero) {
    CMouseButtonDlg dlg;
    dlg.flags = 0x02210000;
    dlg.x = 300;
    dlg.y = 200;
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            TypeInto(Item(d, IDC_POSITION_X), "12");
            PickWithKeys(Item(d, IDC_POSITION_MODE), kMouseUndefinedItem);
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_X)), "0");
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_Y)), "0");
            EXPECT_FALSE(Enabled(d, IDC_POSITION_X));
            EXPECT_FALSE(Enabled(d, IDC_POSITION_Y));
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_X_CAPTION)), "X ref:");
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_Y_CAPTION)), "Y ref:");

            // Relative gives the fields back, still at 0.
            PickWithKeys(Item(d, IDC_POSITION_MODE), kMouseRelativeItem);
            EXPECT_TRUE(Enabled(d, IDC_POSITION_X));
            EXPECT_TRUE(Enabled(d, IDC_POSITION_Y));
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_X_CAPTION)), "X ref:");
            PickWithKeys(Item(d, IDC_POSITION_MODE), kMouseUndefinedItem);
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.flags, 0x02200000u);
    EXPECT_EQ(dlg.x, 0);
    EXPECT_EQ(dlg.y, 0);
}

TEST(MouseButtonDlg, OkRefusesPositionsOutsideTheRange) {
    const struct {
        const char* x;
        const char* y;
    } kRefused[] = {{"2049", "0"}, {"0", "-2049"}, {"abc", "0"}, {"", "0"}, {"1.5", "0"}};
    for (const auto& c : kRefused) {
        CMouseButtonDlg dlg;
        dlg.flags = 0x02200000;
        dlg.x = 1;
        MessageBoxWatcher watcher;
        bool stayedOpen = false;
        const INT_PTR result = RunModal(
            dlg,
            [&](HWND d) {
                TypeInto(Item(d, IDC_POSITION_X), c.x);
                TypeInto(Item(d, IDC_POSITION_Y), c.y);
                ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                               reinterpret_cast<LPARAM>(Item(d, IDOK)));
                stayedOpen = ::IsWindowVisible(d) != FALSE;
                TypeInto(Item(d, IDC_POSITION_X), "-2048");
                TypeInto(Item(d, IDC_POSITION_Y), "2048");
            },
            IDOK);
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].text, "Please enter an integer between -2048 and 2048.");
        EXPECT_TRUE(watcher.seen()[0].exclamation);
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dlg.x, -2048);
        EXPECT_EQ(dlg.y, 2048);
    }
}

TEST(MouseButtonDlg, ShowsThePointerAlsoAfterARefusedOk) {
    CMouseButtonDlg dlg;
    dlg.x = 5000;  // out of range from the start
    MessageBoxWatcher watcher;
    RunModal(
        dlg,
        [](HWND d) {
            const auto shows = [d](int x, int y) {
                return [=] {
                    return TextOf(Item(d, IDC_CURSOR_X)) == std::to_string(x) &&
                           TextOf(Item(d, IDC_CURSOR_Y)) == std::to_string(y);
                };
            };
            ASSERT_TRUE(::SetCursorPos(123, 45));
            EXPECT_TRUE(PumpUntil(shows(123, 45)));
            ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            ASSERT_TRUE(::IsWindowVisible(d));
            ASSERT_TRUE(::SetCursorPos(321, 54));
            EXPECT_TRUE(PumpUntil(shows(321, 54)));
        },
        IDCANCEL);
    EXPECT_EQ(watcher.seen().size(), 1u);
}

TEST(MouseButtonDlg, CancelLeavesEveryMember) {
    CMouseButtonDlg dlg;
    dlg.flags = 0x02010000;
    dlg.button = 4;
    dlg.x = 10;
    dlg.y = 20;
    dlg.SetActionChoiceEnabled(true);
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            ::SendMessageA(Item(d, IDC_BUTTON_LEFT), BM_CLICK, 0, 0);
            PickWithKeys(Item(d, IDC_ACTION), kMouseReleaseItem);
            TypeInto(Item(d, IDC_POSITION_X), "99");
        },
        IDCANCEL);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.flags, 0x02010000u);
    EXPECT_EQ(dlg.x, 10);
    EXPECT_EQ(dlg.y, 20);
    EXPECT_EQ(dlg.screenWidth, 1024u);
    EXPECT_EQ(dlg.screenHeight, 768u);
}

TEST(MouseButtonDlg, EnterAndEscapeDoNotEndIt) {
    const struct {
        WPARAM key;
        int button;  // what ends the run after the key
    } kCases[] = {{VK_RETURN, IDCANCEL}, {VK_ESCAPE, IDOK}};
    for (const auto& c : kCases) {
        CMouseButtonDlg dlg;
        const INT_PTR result = RunModal(
            dlg,
            [&](HWND d) {
                HWND edit = Item(d, IDC_POSITION_X);
                ::EnableWindow(edit, TRUE);
                ::SetFocus(edit);
                ::PostMessageA(edit, WM_KEYDOWN, c.key, 1);
                ::PostMessageA(edit, WM_KEYUP, c.key, 0xC0000001);
                ::PostMessageA(Item(d, IDC_BUTTON_RIGHT), WM_KEYDOWN, c.key, 1);
            },
            c.button);
        EXPECT_EQ(result, c.button) << c.key;
    }
}

// A slot's record after the single-switch command: loaded, edited, stored.
TEST(MouseButtonDlg, SingleSwitchRecordRoundTrip) {
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->layerCount = 2;
    record->layers[0].layerType = LayerType::Mouse;
    record->layers[0].action = {0x02010002, 700, 300, 1600, 900};
    record->layers[1].layerType = LayerType::Mouse;
    record->layers[1].action.code = 0x02100002;

    CMouseButtonDlg dlg;
    dlg.flags = 0x02200000;
    dlg.SetActionChoiceEnabled(true);
    dlg.LoadSingleSwitch(*record);
    EXPECT_EQ(dlg.flags, 0x02010000u);
    EXPECT_EQ(dlg.button, 2u);
    EXPECT_EQ(dlg.screenWidth, 1600u);
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            EXPECT_FALSE(Enabled(d, IDC_ACTION));  // loading turned the choice off
            EXPECT_EQ(Radios(d), "--R");
            EXPECT_EQ(SelectedText(Item(d, IDC_POSITION_MODE)), "Absolute");
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_X)), "700");
            EXPECT_EQ(TextOf(Item(d, IDC_POSITION_Y)), "300");
            ::SendMessageA(Item(d, IDC_BUTTON_LEFT), BM_CLICK, 0, 0);
            TypeInto(Item(d, IDC_POSITION_Y), "-300");
        },
        IDOK);
    ASSERT_EQ(result, IDOK);

    std::memset(record.get(), 0xCD, sizeof *record);
    dlg.StoreSingleSwitch(*record);
    EXPECT_STREQ(record->name, "Left Button(Single)");
    EXPECT_EQ(record->layerCount, 2u);
    EXPECT_EQ(record->layers[0].layerType, LayerType::Mouse);
    EXPECT_EQ(record->layers[0].action.code, 0x02010001u);
    EXPECT_EQ(record->layers[0].action.x, 700);
    EXPECT_EQ(record->layers[0].action.y, -300);
    EXPECT_EQ(record->layers[0].action.screenWidth,
              static_cast<std::uint32_t>(::GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(record->layers[1].action.code, 0x02100001u);
    EXPECT_EQ(record->layers[1].action.x, 0);
    EXPECT_EQ(record->layers[2].layerType, 0u);
    EXPECT_EQ(MultiLayerKind(*record), MultiLayerKindValue::SingleSwitchMouse);

    // Any other record leaves the caller's values, but still turns the choice off.
    CMouseButtonDlg other;
    other.SetActionChoiceEnabled(true);
    record->layerCount = 3;
    other.LoadSingleSwitch(*record);
    EXPECT_EQ(other.flags, 0x00200000u);
    EXPECT_EQ(other.button, 1u);
    RunModal(
        other, [](HWND d) { EXPECT_FALSE(Enabled(d, IDC_ACTION)); }, IDCANCEL);
}

}  // namespace
}  // namespace gd::test
