#pragma once
// CWnd: a cheap, copyable, non-owning view of a window with typed methods.
// Copies see the same window; none of them destroys it. Classes that own a
// window (dialogs, subclassed controls) derive from CMsgHandler as well and
// are neither copyable nor movable.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/handle.h"

namespace gd {

class CWnd {
  public:
    CWnd() noexcept = default;
    CWnd(HWND window) noexcept : hwnd_(window) {}  // NOLINT: views convert freely

    HWND GetSafeHwnd() const noexcept { return hwnd_; }
    operator HWND() const noexcept { return hwnd_; }
    bool IsWindow() const noexcept { return hwnd_ != nullptr && ::IsWindow(hwnd_) != FALSE; }

    // A view may be pointed at another window. Owners (dialogs, subclassed
    // controls) delete this: they stay with the window they made or linked.
    void Attach(HWND window) noexcept { hwnd_ = window; }

    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(hwnd_, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(hwnd_); }
    CWnd GetParent() const { return CWnd(::GetParent(hwnd_)); }

    std::string GetWindowText() const;
    void SetWindowText(std::string_view text) const;
    // Stores the window text as DefWindowProc keeps it, past the control's
    // own WM_SETTEXT handling: a static control would paint the text there.
    void SetWindowTextUnpainted(std::string_view text) const;
    std::string GetDlgItemText(int id) const { return GetDlgItem(id).GetWindowText(); }
    void SetDlgItemText(int id, std::string_view text) const { GetDlgItem(id).SetWindowText(text); }
    // Numbers in decimal, as every field of the program shows them.
    void SetDlgItemInt(int id, int value) const;
    void SetDlgItemUInt(int id, std::uint32_t value) const;
    // The field's signed decimal number as the system reads it; 0 for none.
    int GetDlgItemInt(int id) const {
        return static_cast<int>(::GetDlgItemInt(hwnd_, id, nullptr, TRUE));
    }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(hwnd_, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(hwnd_, message, wParam, lParam) != FALSE;
    }

    // A control disabled while the keyboard focus is on it, or inside it,
    // first hands the focus to the next control Tab reaches in its dialog
    // (the dialog itself when there is none): the system would leave the
    // focus on nothing, and the keys with it, until a click. True when the
    // window was disabled before.
    bool EnableWindow(bool enable = true) const;
    bool IsWindowEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    bool ShowWindow(int command) const { return ::ShowWindow(hwnd_, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    void SetFocus() const { ::SetFocus(hwnd_); }
    // Pixels per inch the window is shown at: its monitor's where the system
    // scales per monitor, else the system's.
    std::uint32_t GetDpi() const;
    // False while the keyboard cues of the window's dialog are hidden
    // (UISF_HIDEFOCUS): a dialog used only with the mouse shows no focus
    // rectangle until the keyboard is used in it. Asked of the top-level
    // window, which CDialog answers from the cue changes it saw.
    bool ShowsFocusCues() const {
        return (::SendMessageA(::GetAncestor(hwnd_, GA_ROOT), WM_QUERYUISTATE, 0, 0) &
                UISF_HIDEFOCUS) == 0;
    }
    // A key reached the window: its dialog shows the keyboard cues from now
    // on. The dialog manager does this itself for the keys it handles, on
    // systems that keep the cues.
    void KeyboardUsed() const {
        if (!ShowsFocusCues()) {
            ::SendMessageA(::GetAncestor(hwnd_, GA_ROOT), WM_CHANGEUISTATE,
                           MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        }
    }
    void SetFont(HFONT font, bool redraw = true) const {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(hwnd_, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)); }
    // Changes style bits; frame-relevant changes take effect with SWP_FRAMECHANGED.
    void ModifyStyle(DWORD remove, DWORD add) const;

    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    // The window's rectangle in its parent's client coordinates.
    RECT GetRectInParent() const;
    bool MoveWindow(int x, int y, int width, int height, bool repaint = true) const {
        return ::MoveWindow(hwnd_, x, y, width, height, repaint) != FALSE;
    }
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
        return ::SetWindowPos(hwnd_, insertAfter, x, y, cx, cy, flags) != FALSE;
    }
    POINT ScreenToClient(POINT point) const;
    POINT ClientToScreen(POINT point) const;

    // Without a window these do nothing: a null handle would invalidate or
    // redraw every window on the desktop.
    void Invalidate(bool erase = true) const {
        if (hwnd_ != nullptr) {
            ::InvalidateRect(hwnd_, nullptr, erase);
        }
    }
    void InvalidateRect(const RECT& rect, bool erase = true) const {
        if (hwnd_ != nullptr) {
            ::InvalidateRect(hwnd_, &rect, erase);
        }
    }
    void UpdateWindow() const { ::UpdateWindow(hwnd_); }
    // RDW_ flags; the default invalidates, erases and repaints now.
    void RedrawWindow(UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW) const {
        if (hwnd_ != nullptr) {
            ::RedrawWindow(hwnd_, nullptr, nullptr, flags);
        }
    }
    // On success the window owns the region and `region` is left empty; on
    // failure `region` keeps it. An empty region removes the window's region.
    bool SetWindowRgn(UniqueRegion&& region, bool redraw = true) const;

    bool SetTimer(UINT_PTR id, UINT milliseconds) const {
        return ::SetTimer(hwnd_, id, milliseconds, nullptr) != 0;
    }
    bool KillTimer(UINT_PTR id) const { return ::KillTimer(hwnd_, id) != FALSE; }

    void SetIcon(HICON icon, bool big) const {
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    void CheckDlgButton(int id, bool checked) const {
        ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

    int MessageBox(std::string_view text, std::string_view caption, UINT type) const;

  protected:
    HWND hwnd_ = nullptr;
};

inline int RectWidth(const RECT& r) {
    return r.right - r.left;
}
inline int RectHeight(const RECT& r) {
    return r.bottom - r.top;
}

// A control made by the program rather than by a template: a child of
// `parent` (WS_CHILD is added to `style`) at `place` in its client area,
// with `id`, `text`, the parent's module and font. Null on failure.
HWND CreateChildControl(HWND parent, const char* className, const char* text, DWORD style,
                        const RECT& place, int id);

}  // namespace gd
