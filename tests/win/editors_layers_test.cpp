// The two multi-layer editors under real windows: rows picked with the
// mouse, their menus, and the key and mouse dialogs they open, answered
// from inside each modal loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "editors/multi_layer_dlg.h"
#include "editors/twin_switch_dlg.h"
#include "keys/key_names.h"
#include "profile/image.h"
#include "resource.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

// Whether `open` shows a popup menu. A menu holds this thread until it is
// closed, so another thread closes it, as Escape does, once it shows; when
// `open` returns without one, none comes.
bool OpensMenu(const std::function<void()>& open) {
    std::atomic<bool> shown{false}, returned{false};
    std::thread closer([&] {
        for (int i = 0; i < 2000 && !shown && !returned; ++i) {
            HWND menu = ::FindWindowA("#32768", nullptr);
            if (menu != nullptr && ::IsWindowVisible(menu)) {
                shown = true;
                ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            ::Sleep(2);
        }
    });
    open();
    returned = true;
    closer.join();
    return shown;
}

// Opens a menu with `open`, closes it, and chooses `command` as the menu
// would have; then answers the editor the command opens (titled `editor`)
// with its button `answer`.
void ChooseAndAnswer(HWND dialog, const std::function<void()>& open, UINT command,
                     const char* editor = nullptr, int answer = 0) {
    EXPECT_TRUE(OpensMenu(open));
    ::PostMessageA(dialog, WM_COMMAND, command, 0);
    if (editor == nullptr) {
        PumpMessages();
        return;
    }
    InsideModalLoop answered([] {}, [&] { return ::FindWindowA("#32770", editor); }, answer);
    for (int i = 0; i < 2000 && !answered.ran(); ++i) {
        PumpMessages();
        ::Sleep(1);
    }
    EXPECT_TRUE(answered.ran()) << editor;
    PumpMessages();
}

class MultiLayerTest : public ::testing::Test {
  protected:
    void Open(const MultiLayerRecord* record) {
        dlg.LoadRecord(record);
        ASSERT_TRUE(dlg.Create(nullptr));
        dlg.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    CListCtrl List() const { return CListCtrl(dlg.GetDlgItem(IDC_LAYER_LIST)); }
    std::string Cell(int row, int column) const { return List().GetItemText(row, column); }
    // A right click on a row, with the pointer really over it.
    void RightClick(int row) {
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        List().SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&item));
        POINT point{item.left + 10, (item.top + item.bottom) / 2};
        ::ClientToScreen(List(), &point);
        ::SetCursorPos(point.x, point.y);
        NMHDR notice{List(), static_cast<UINT_PTR>(IDC_LAYER_LIST), static_cast<UINT>(NM_RCLICK)};
        dlg.SendMessage(WM_NOTIFY, IDC_LAYER_LIST, reinterpret_cast<LPARAM>(&notice));
    }
    bool OkEnabled() const { return dlg.GetDlgItem(IDC_OK).IsWindowEnabled(); }

    CMultiLayerDlg dlg;
};

TEST_F(MultiLayerTest, LayersAreAddedFromTheFreeRowAndConfirmedFromTwoWithAName) {
    Open(nullptr);
    ASSERT_EQ(List().GetItemCount(), 4);
    EXPECT_EQ(Cell(0, 0), "Layer 1");
    EXPECT_EQ(Cell(3, 0), "Layer 4");
    EXPECT_EQ(Cell(0, 2), "");
    EXPECT_FALSE(OkEnabled());

    // Layer 2 lies below the free row: no menu.
    EXPECT_FALSE(OpensMenu([&] { RightClick(1); }));

    ChooseAndAnswer(
        dlg, [&] { RightClick(0); }, ID_STOP_KEY);
    EXPECT_EQ(dlg.Record().layerCount, 1u);
    EXPECT_EQ(Cell(0, 2), "Stop");
    EXPECT_FALSE(OkEnabled());

    // The key capture opens on key 59 and its OK fills the free row.
    ChooseAndAnswer(
        dlg, [&] { RightClick(1); }, ID_KEYBOARD, "Please press a single key", IDC_ACCEPT);
    ASSERT_EQ(dlg.Record().layerCount, 2u);
    EXPECT_EQ(dlg.Record().layers[1].layerType, LayerType::Key);
    EXPECT_EQ(dlg.Record().layers[1].action.code, 0x0120003Bu);
    EXPECT_EQ(Cell(1, 1), EventName(0x0120003B));
    EXPECT_EQ(Cell(1, 2), "Single");
    EXPECT_FALSE(OkEnabled());
    dlg.GetDlgItem(IDC_RECORD_NAME).SetWindowText("Combo");
    PumpMessages();
    EXPECT_TRUE(OkEnabled());

    // Clear on the first row closes the gap.
    ChooseAndAnswer(
        dlg, [&] { RightClick(0); }, ID_CLEAR);
    EXPECT_EQ(dlg.Record().layerCount, 1u);
    EXPECT_EQ(Cell(0, 2), "Single");
    EXPECT_FALSE(OkEnabled());
}

class TwinSwitchTest : public ::testing::Test {
  protected:
    void Open(const MultiLayerRecord& record) {
        dlg.LoadRecord(record);
        ASSERT_TRUE(dlg.Create(nullptr));
        dlg.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    void ClickArrow(int key) {
        const RECT arrow = dlg.ArrowRect(key);
        dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.left + 4, arrow.top + 4));
    }
    std::string KeyText(int key) const {
        return dlg.GetDlgItem(key == 0 ? IDC_KEY1_NAME : IDC_KEY2_NAME).GetWindowText();
    }
    bool OkEnabled() const { return dlg.GetDlgItem(IDC_ACCEPT).IsWindowEnabled(); }

    CTwinSwitchDlg dlg;
};

TEST_F(TwinSwitchTest, BothKeysAreClicksPickedFromTheirArrows) {
    auto other = std::make_unique<MultiLayerRecord>();
    std::memset(other.get(), 0, sizeof *other);
    WriteName(other->name, "not a twin");
    other->layerCount = 3;
    Open(*other);
    EXPECT_EQ(KeyText(0), "Undefined");
    EXPECT_EQ(KeyText(1), "Undefined");
    EXPECT_EQ(dlg.GetDlgItem(IDC_RECORD_NAME).GetWindowText(), "");
    EXPECT_FALSE(OkEnabled());

    // Beside the arrows: no menu.
    EXPECT_FALSE(OpensMenu([&] { dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }));
    EXPECT_TRUE(OpensMenu([&] { ClickArrow(0); }));

    ChooseAndAnswer(
        dlg, [&] { ClickArrow(1); }, ID_KEYBOARD, "Please press a single key", IDC_ACCEPT);
    EXPECT_EQ(KeyText(0), "Undefined");
    EXPECT_EQ(KeyText(1), EventName(0x0120001E));
    ChooseAndAnswer(
        dlg, [&] { ClickArrow(0); }, ID_MOUSE_BUTTON, "Please select a mouse button", IDOK);
    EXPECT_EQ(KeyText(0), EventName(0x02200001));
    EXPECT_FALSE(OkEnabled());
    dlg.GetDlgItem(IDC_RECORD_NAME).SetWindowText("Twin");
    PumpMessages();
    ASSERT_TRUE(OkEnabled());

    dlg.GetDlgItem(IDC_ACCEPT).SendMessage(BM_CLICK);
    PumpMessages();
    auto stored = std::make_unique<MultiLayerRecord>();
    dlg.StoreRecord(*stored);
    EXPECT_EQ(stored->layerCount, 2u);
    EXPECT_EQ(ReadText(stored->name), "Twin");
    EXPECT_EQ(MultiLayerKind(*stored), MultiLayerKindValue::TwinSwitch);
    EXPECT_EQ(stored->layers[0].action.code, 0x02200001u);
    EXPECT_EQ(stored->layers[1].action.code, 0x0120001Eu);
}

}  // namespace
}  // namespace gd::test
