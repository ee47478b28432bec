#include "fw/wnd.h"

#include <cstdio>

namespace gd {

std::uint32_t CWnd::GetDpi() const {
    // Looked up at run time: Windows 7 and 8 lack it.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && hwnd_ != nullptr) {
        if (const UINT dpi = getDpiForWindow(hwnd_); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<std::uint32_t>(dpi) : 96;
}

bool CWnd::EnableWindow(bool enable) const {
    HWND focus = ::GetFocus();
    const bool holdsFocus = !enable && focus != nullptr && (GetStyle() & WS_CHILD) != 0 &&
                            (focus == hwnd_ || ::IsChild(hwnd_, focus) != FALSE);
    HWND dialog = ::GetAncestor(hwnd_, GA_ROOT);
    if (holdsFocus) {
        HWND next = ::GetNextDlgTabItem(dialog, hwnd_, FALSE);
        if (next != nullptr && next != hwnd_ && ::IsChild(hwnd_, next) == FALSE) {
            ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        }
    }
    const bool wasDisabled = ::EnableWindow(hwnd_, enable) != FALSE;
    // No other control takes keys: the dialog itself keeps them. Only now,
    // as the dialog manager would hand its focus straight back to a control
    // still enabled.
    if (holdsFocus && ::GetFocus() == nullptr) {
        ::SetFocus(dialog);
    }
    return wasDisabled;
}

std::string CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthA(hwnd_);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void CWnd::SetWindowText(std::string_view text) const {
    std::string copy(text);
    ::SetWindowTextA(hwnd_, copy.c_str());
}

void CWnd::SetWindowTextUnpainted(std::string_view text) const {
    const std::string copy(text);
    ::DefWindowProcA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void CWnd::SetDlgItemInt(int id, int value) const {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetDlgItemText(id, text);
}

void CWnd::SetDlgItemUInt(int id, std::uint32_t value) const {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
    SetDlgItemText(id, text);
}

bool CWnd::SetWindowRgn(UniqueRegion&& region, bool redraw) const {
    if (::SetWindowRgn(hwnd_, region.get(), redraw) == 0) {
        return false;
    }
    // The system deletes the region when it no longer needs it.
    (void)region.release();
    return true;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) const {
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed != style) {
        ::SetWindowLongPtrA(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(changed));
    }
}

RECT CWnd::GetClientRect() const {
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    return r;
}

RECT CWnd::GetWindowRect() const {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    return r;
}

RECT CWnd::GetRectInParent() const {
    RECT r = GetWindowRect();
    HWND parent = ::GetParent(hwnd_);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT CWnd::ScreenToClient(POINT point) const {
    ::ScreenToClient(hwnd_, &point);
    return point;
}

POINT CWnd::ClientToScreen(POINT point) const {
    ::ClientToScreen(hwnd_, &point);
    return point;
}

int CWnd::MessageBox(std::string_view text, std::string_view caption, UINT type) const {
    std::string t(text), c(caption);
    return ::MessageBoxA(hwnd_, t.c_str(), c.c_str(), type);
}

HWND CreateChildControl(HWND parent, const char* className, const char* text, DWORD style,
                        const RECT& place, int id) {
    HWND made = ::CreateWindowExA(
        WS_EX_NOPARENTNOTIFY, className, text, WS_CHILD | style, place.left, place.top,
        RectWidth(place), RectHeight(place), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (made != nullptr) {
        ::SendMessageA(made, WM_SETFONT, ::SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    }
    return made;
}

}  // namespace gd
