#pragma once
// A modeless dialog holding one of each skinned control, over a striped
// background so that transparency shows: stripes 4 pixels wide alternate
// between kStripeA and kStripeB, starting with A at x = 0.
#include <windows.h>

#include <string>
#include <vector>

#include "fw/dialog.h"
#include "fw_test_ids.h"
#include "keys/event_code.h"
#include "skin/labels.h"
#include "skin/skin_button.h"
#include "skin/skin_list_ctrl.h"
#include "support/win_test_support.h"

namespace gd::test {

inline constexpr COLORREF kStripeA = RGB(0x20, 0x40, 0x60);
inline constexpr COLORREF kStripeB = RGB(0xC0, 0xC0, 0x40);

inline COLORREF StripeAt(int x) {
    return (x / 4) % 2 == 0 ? kStripeA : kStripeB;
}

// Whether each channel of `c` lies between those of `from` and `to`: what
// drawing `to` over `from` gives, antialiased or not, with any font.
inline bool Between(COLORREF c, COLORREF from, COLORREF to) {
    for (int shift : {0, 8, 16}) {
        const int v = (c >> shift) & 0xFF, a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        if (v < (a < b ? a : b) || v > (a < b ? b : a)) {
            return false;
        }
    }
    return true;
}

// The macro editor's first columns and six rows: A down, B down, B up,
// A up, Left down, Left up (absolute); each row's item value is its code.
inline void FillEventList(CSkinListCtrl& list) {
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, "Key", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "Action", LVCFMT_LEFT, 60);
    const struct {
        const char* key;
        EventCode code;
    } rows[] = {{"A", 0x0100001E}, {"B", 0x01000030},    {"B", 0x01100030},
                {"A", 0x0110001E}, {"Left", 0x02000001}, {"Left", 0x02110001}};
    for (int i = 0; i < 6; ++i) {
        list.InsertItem(i, rows[i].key);
        list.SetItemText(i, 1, (rows[i].code & 0x00100000) != 0 ? "Release" : "Press");
        list.SetItemData(i, static_cast<LPARAM>(rows[i].code));
    }
}

class CSkinTestDlg : public CDialog {
  public:
    CSkinTestDlg() : CDialog(IDD_SKIN_TEST) {}
    ~CSkinTestDlg() override { DestroyWindow(); }

    // Created, shown at the screen's top-left corner and painted.
    bool Open() {
        if (!Create(nullptr)) {
            return false;
        }
        SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(hwnd_);
        PumpMessages();
        return true;
    }

    CSkinButton buttons[4];
    CPictureButton picture;
    CTransStatic label;
    CColorStatic colour;
    CSkinListCtrl list;
    std::vector<UINT> clicks;      // ids of BN_CLICKED commands
    std::vector<UINT> otherCodes;  // notification codes of any other command

  protected:
    BOOL OnInitDialog() override {
        for (int i = 0; i < 4; ++i) {
            buttons[i].SubclassDlgItem(IDC_SKIN_BUTTON0 + i, hwnd_);
        }
        picture.SubclassDlgItem(IDC_SKIN_PICTURE, hwnd_);
        label.SubclassDlgItem(IDC_SKIN_LABEL, hwnd_);
        colour.SubclassDlgItem(IDC_SKIN_COLOUR, hwnd_);
        list.SubclassDlgItem(IDC_SKIN_LIST, hwnd_);
        return TRUE;
    }

    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnMessage<WM_COMMAND, &CSkinTestDlg::OnCommandMessage>(),
            OnMessage<WM_ERASEBKGND, &CSkinTestDlg::OnEraseBkgnd>(),
        };
        static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
        return kMap;
    }

  private:
    LRESULT OnCommandMessage(WPARAM wParam, LPARAM) {
        if (HIWORD(wParam) == BN_CLICKED) {
            clicks.push_back(LOWORD(wParam));
        } else {
            otherCodes.push_back(HIWORD(wParam));
        }
        return 0;
    }

    BOOL OnEraseBkgnd(HDC dc) {
        RECT client = GetClientRect();
        for (int x = 0; x < client.right; x += 4) {
            RECT stripe{x, 0, x + 4, client.bottom};
            UniqueBrush brush(::CreateSolidBrush(StripeAt(x)));
            ::FillRect(dc, &stripe, brush.get());
        }
        return TRUE;
    }
};

}  // namespace gd::test
