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
        OnMessage<WM_ERASEBKGND, &CTransStatic::OnEraseBkgnd>(),
    };
    static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
    return kMap;
}

void CTransStatic::SetText(std::string_view text) {
    text_ = text;
    if (hwnd_ == nullptr) {
        return;
    }
    CWnd parent = GetParent();
    if (parent.GetSafeHwnd() == nullptr) {
        Invalidate();
        return;
    }
    parent.InvalidateRect(GetRectInParent(), true);
    parent.UpdateWindow();
    // The parent's repaint need not include its children: draw the text anew.
    Invalidate();
}

void CTransStatic::SetToolTip(const char* text) {
    if (hwnd_ == nullptr) {
        return;
    }
    if (!HasToolTip()) {
        if (text == nullptr || !toolTip_.Create(hwnd_)) {
            return;
        }
        toolTip_.Activate(true);
        toolTip_.AddTool(hwnd_, text);
        return;
    }
    if (text == nullptr) {
        toolTip_.Activate(false);
        return;
    }
    toolTip_.Activate(true);
    if (toolTip_.HasTool(hwnd_)) {
        toolTip_.UpdateTipText(hwnd_, text);
    } else {
        toolTip_.AddTool(hwnd_, text);
    }
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
