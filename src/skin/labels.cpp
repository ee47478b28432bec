#include "skin/labels.h"

namespace gd {
namespace {

struct StyleFlag {
    DWORD styleBits;
    bool anyBit;  // any of the bits rather than all of them
    UINT drawTextFlag;
};

constexpr StyleFlag kStyleFlags[] = {
    {SS_RIGHT, false, DT_RIGHT},
    {SS_CENTER, false, DT_CENTER},
    {SS_CENTERIMAGE, false, DT_VCENTER | DT_SINGLELINE},
    {SS_NOPREFIX, false, DT_NOPREFIX},
    {0x4000 | 0x8000, true, DT_WORD_ELLIPSIS},
    {SS_ENDELLIPSIS, false, DT_END_ELLIPSIS},
    {SS_PATHELLIPSIS, false, DT_PATH_ELLIPSIS},
};

// Styles that rule out wrapping: the ellipses, SS_CENTERIMAGE and bits 2-3.
constexpr DWORD kNoWrapBits = 0xC20C;

}  // namespace

UINT DrawTextFlagsForStaticStyle(DWORD style) {
    UINT flags = 0;
    for (const StyleFlag& entry : kStyleFlags) {
        DWORD present = style & entry.styleBits;
        if (entry.anyBit ? present != 0 : present == entry.styleBits) {
            flags |= entry.drawTextFlag;
        }
    }
    if ((style & kNoWrapBits) == 0) {
        flags |= DT_WORDBREAK;
    }
    return flags;
}

const MessageMap& CTransStatic::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnMessage<WM_PAINT, &CTransStatic::OnPaint>(),
        OnMessage<WM_MOUSEMOVE, &CTransStatic::OnMouseMove>(),
        OnMessage<WM_ERASEBKGND, &CTransStatic::OnEraseBkgnd>(),
        OnMessage<WM_GETDLGCODE, &CTransStatic::OnGetDlgCode>(),
        OnMessage<WM_KEYDOWN, &CTransStatic::OnKeyDown>(),
        OnMessage<WM_KEYUP, &CTransStatic::OnKeyUp>(),
        OnMessage<WM_SETFOCUS, &CTransStatic::OnFocus>(),
        OnMessage<WM_KILLFOCUS, &CTransStatic::OnFocus>(),
        OnMessage<WM_UPDATEUISTATE, &CTransStatic::OnUpdateUiState>(),
    };
    static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
    return kMap;
}

void CTransStatic::SetText(std::string_view text) {
    text_ = text;
    // A hidden label draws anew when it shows, over a parent that has
    // nothing of it to wipe out meanwhile. The start sets the hidden pad
    // labels' texts, each of which would otherwise repaint the window.
    if (hwnd_ == nullptr) {
        return;
    }
    if (IsWindowVisible()) {
        Repaint(true);
    } else {
        Invalidate();
    }
}

void CTransStatic::Repaint(bool now) {
    CWnd parent = GetParent();
    if (parent.GetSafeHwnd() == nullptr) {
        Invalidate();
        return;
    }
    parent.InvalidateRect(GetRectInParent(), true);
    if (now) {
        parent.UpdateWindow();
    }
    // The parent's repaint need not include its children: draw the text anew.
    Invalidate();
}

// Enter would otherwise become the dialog's OK.
LRESULT CTransStatic::OnGetDlgCode(WPARAM, LPARAM message) {
    LRESULT code = DefaultProc();
    const auto* msg = reinterpret_cast<const MSG*>(message);
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
        (GetStyle() & SS_NOTIFY) != 0) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

// Tab and the arrows end at the label they moved to with their release.
void CTransStatic::OnKeyUp(UINT, UINT, UINT) {
    KeyboardUsed();
    SetMsgHandled(false);
}

void CTransStatic::OnKeyDown(UINT key, UINT, UINT flags) {
    KeyboardUsed();
    if ((key == VK_RETURN || key == VK_SPACE) && (flags & KF_REPEAT) == 0 &&
        (GetStyle() & SS_NOTIFY) != 0) {
        // The character the key also made is not for the editor it opens.
        MSG typed{};
        ::PeekMessageA(&typed, hwnd_, WM_CHAR, WM_CHAR, PM_REMOVE);
        GetParent().SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), STN_CLICKED),
                                reinterpret_cast<LPARAM>(hwnd_));
        return;
    }
    SetMsgHandled(false);
}

// The frame comes and goes with the focus and the keyboard cues; the
// background under it is drawn anew, since the label has none of its own.
void CTransStatic::OnFocus(HWND) {
    Repaint(false);
    SetMsgHandled(false);
}

LRESULT CTransStatic::OnUpdateUiState(WPARAM, LPARAM) {
    Repaint(false);
    SetMsgHandled(false);
    return 0;
}

void CTransStatic::SetToolTip(const char* text) {
    if (hwnd_ == nullptr) {
        return;
    }
    if (text == nullptr) {
        toolTip_.Clear();
    } else {
        toolTip_.SetText(hwnd_, text);
    }
}

void CTransStatic::OnMouseMove(UINT flags, POINT point) {
    toolTip_.OnToolMouseMove(hwnd_, flags, point);
    SetMsgHandled(false);
}

void CTransStatic::OnPaint() {
    PaintDC paint(hwnd_);
    HDC dc = paint.get();
    RECT client = GetClientRect();
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(dc, textColour_);
    {
        HFONT font = GetFont();
        SelectGuard selected(
            dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
        ::DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &client,
                    DrawTextFlagsForStaticStyle(GetStyle()));
    }
    if (::GetFocus() == hwnd_ && ShowsFocusCues()) {
        UniqueBrush frame(::CreateSolidBrush(textColour_));
        ::FrameRect(dc, &client, frame.get());
    }
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

BOOL CTransStatic::OnEraseBkgnd(HDC) {
    return TRUE;
}

CColorStatic::CColorStatic()
    : background_(::GetSysColor(COLOR_BTNFACE)), brush_(::CreateSolidBrush(background_)) {}

const MessageMap& CColorStatic::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnReflect<WM_CTLCOLORSTATIC, &CColorStatic::OnCtlColor>(),
    };
    static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
    return kMap;
}

void CColorStatic::SetTextColour(COLORREF colour) {
    textColour_ = colour;
    if (hwnd_ != nullptr) {
        RedrawWindow();
    }
}

HBRUSH CColorStatic::OnCtlColor(HDC dc, HWND) {
    ::SetBkColor(dc, background_);
    ::SetTextColor(dc, textColour_);
    return brush_.get();
}

}  // namespace gd
