#pragma once
// Typed views of the standard and common controls the program uses. Like
// CWnd they are cheap, copyable and own nothing; CToolTipCtrl alone creates
// and owns its window.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "fw/window_impl.h"
#include "fw/wnd.h"

namespace gd {

class CButton : public CWnd {
  public:
    using CWnd::CWnd;

    bool GetCheck() const { return SendMessage(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) const { SendMessage(BM_SETCHECK, checked ? BST_CHECKED : 0); }
    // The pushed look (ODS_SELECTED in owner drawing).
    void SetState(bool pushed) const { SendMessage(BM_SETSTATE, pushed); }
    bool IsPushed() const { return (SendMessage(BM_GETSTATE) & BST_PUSHED) != 0; }
    void Click() const { SendMessage(BM_CLICK); }
};

class CStatic : public CWnd {
  public:
    using CWnd::CWnd;

    HBITMAP SetBitmap(HBITMAP bitmap) const {
        return reinterpret_cast<HBITMAP>(
            SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HICON SetIcon(HICON icon) const {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
    }
};

class CEdit : public CWnd {
  public:
    using CWnd::CWnd;

    void SetSel(int start, int end) const { SendMessage(EM_SETSEL, start, end); }
    // Puts the caret after the last character.
    void SetCaretToEnd() const { SetSel(0x7FFFFFFF, 0x7FFFFFFF); }
    void LimitText(int characters) const { SendMessage(EM_LIMITTEXT, characters); }
    void SetReadOnly(bool readOnly) const { SendMessage(EM_SETREADONLY, readOnly); }
};

class CListCtrl : public CWnd {
  public:
    using CWnd::CWnd;

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // width: pixels at 96 dpi, scaled to the list's DPI as the dialog
    // around it is.
    int InsertColumn(int index, std::string_view heading, int format, int width) const;
    bool GetColumnFormat(int column, int& format, int& width) const;
    bool SetColumnWidth(int column, int width) const {
        return SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != FALSE;
    }
    // Widens `column` until the columns fill the client area but `reserve`
    // pixels (room for a vertical scroll bar yet to come); never narrows it.
    void FillWithColumn(int column, int reserve = 0) const;
    // The width of `text` in the list's font, without any cell margin.
    int GetStringWidth(std::string_view text) const;
    // A cell's rectangle in client coordinates; `area` is LVIR_BOUNDS or
    // LVIR_LABEL. Empty when the row or column does not exist.
    RECT GetSubItemRect(int item, int column, int area) const;
    int GetColumnCount() const;
    // Columns in the order they are shown (the header's order-to-index map).
    std::vector<int> GetColumnOrder() const;

    int InsertItem(int index, std::string_view text) const;
    bool DeleteItem(int index) const { return SendMessage(LVM_DELETEITEM, index) != FALSE; }
    bool DeleteAllItems() const { return SendMessage(LVM_DELETEALLITEMS) != FALSE; }
    // The whole text, however long.
    std::string GetItemText(int item, int column) const;
    bool SetItemText(int item, int column, std::string_view text) const;
    LPARAM GetItemData(int item) const;
    bool SetItemData(int item, LPARAM data) const;
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, mask));
    }
    bool SetItemState(int item, UINT state, UINT mask) const;
    bool IsSelected(int item) const { return GetItemState(item, LVIS_SELECTED) != 0; }
    // The first selected row, or -1.
    int GetSelectedItem() const {
        return static_cast<int>(
            SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    bool EnsureVisible(int item) const { return SendMessage(LVM_ENSUREVISIBLE, item, FALSE) != 0; }
    bool Scroll(int dx, int dy) const { return SendMessage(LVM_SCROLL, dx, dy) != FALSE; }
    bool RedrawItems(int first, int last) const {
        return SendMessage(LVM_REDRAWITEMS, first, last) != FALSE;
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    void SetExtendedStyle(DWORD style) const {
        SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
    }
    // Row index at a client point, or -1.
    int HitTest(POINT client) const;
};

class CComboBox : public CWnd {
  public:
    using CWnd::CWnd;

    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int AddString(std::string_view text) const;
    int InsertString(int index, std::string_view text) const;
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    void SetCurSel(int index) const { SendMessage(CB_SETCURSEL, index); }
    std::string GetLBText(int index) const;
    LPARAM GetItemData(int index) const { return SendMessage(CB_GETITEMDATA, index); }
    void SetItemData(int index, LPARAM data) const { SendMessage(CB_SETITEMDATA, index, data); }
};

class CSpinButtonCtrl : public CWnd {
  public:
    using CWnd::CWnd;

    void SetRange32(int lower, int upper) const { SendMessage(UDM_SETRANGE32, lower, upper); }
    void SetPos32(int position) const { SendMessage(UDM_SETPOS32, 0, position); }
    int GetPos32() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
    bool SetAccel(const UDACCEL* steps, int count) const {
        return SendMessage(UDM_SETACCEL, count, reinterpret_cast<LPARAM>(steps)) != FALSE;
    }
    void SetBuddy(HWND buddy) const { SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)); }
};

// A tool tip window owned by this object. Tools register whole windows; the
// tool tip watches their mouse messages itself, so the tool's own handling
// of each message comes after the tool tip has seen it.
class CToolTipCtrl : public CWindowImpl<CWnd> {
  public:
    CToolTipCtrl() = default;

    bool Create(HWND owner);
    void Activate(bool active) const { SendMessage(TTM_ACTIVATE, active); }
    bool AddTool(HWND tool, std::string_view text) const;
    void UpdateTipText(HWND tool, std::string_view text) const;
    bool HasTool(HWND tool) const;
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    std::string GetText(HWND tool) const;
    // Hands the tool tip a mouse message its subclass of the tool missed.
    void RelayEvent(const MSG& message) const;
};

// The tool tip of one tool window, made the first time the pointer moves
// over the tool: until then it only keeps its text. A window with many
// tools pays for none of their tool tip windows while it starts, and most
// are never needed at all.
class CLazyToolTip {
  public:
    // Shows `text` from now on.
    void SetText(HWND tool, std::string_view text);
    // Shows none until the next SetText.
    void Clear();
    // The tool's WM_MOUSEMOVE (client point): makes the tool tip on the
    // first one, and hands it the move that made it.
    void OnToolMouseMove(HWND tool, WPARAM flags, POINT client);
    bool IsMade() const { return tip_.GetSafeHwnd() != nullptr; }
    const CToolTipCtrl& Control() const { return tip_; }

  private:
    CToolTipCtrl tip_;
    std::string text_;
    bool shown_ = false;
};

}  // namespace gd
