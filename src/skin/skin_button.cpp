#include "skin/skin_button.h"

#include <utility>

#include "skin/display_scale_win.h"
#include "skin/pad_link.h"
#include "skin/transparent_blit.h"

namespace gd {

const MessageMap& CSkinButton::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnReflect<WM_DRAWITEM, &CSkinButton::DrawItem>(),
        OnMessage<WM_MOUSEMOVE, &CSkinButton::OnMouseMove>(),
        OnMessage<WM_MOUSEHOVER, &CSkinButton::OnMouseHover>(),
        OnMessage<WM_MOUSELEAVE, &CSkinButton::OnMouseLeave>(),
        OnMessage<WM_LBUTTONDOWN, &CSkinButton::OnButtonDown>(),
        OnMessage<WM_LBUTTONDBLCLK, &CSkinButton::OnButtonDown>(),
        OnMessage<WM_KEYDOWN, &CSkinButton::OnKey>(),
        OnMessage<WM_KEYUP, &CSkinButton::OnKey>(),
        OnMessage<WM_GETDLGCODE, &CSkinButton::OnGetDlgCode>(),
        OnMessage<WM_UPDATEUISTATE, &CSkinButton::OnUpdateUiState>(),
        OnMessage<WM_SETCURSOR, &CSkinButton::OnSetCursor>(),
        OnMessage<WM_ERASEBKGND, &CSkinButton::OnEraseBkgnd>(),
    };
    static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
    return kMap;
}

bool CSkinButton::LoadBitmaps(UINT faceSet0, UINT faceSet1, COLORREF transparent, int x, int y) {
    const UINT ids[2] = {faceSet0, faceSet1};
    UniqueBitmap loaded[2];
    for (int set = 0; set < faceSetCount_; ++set) {
        loaded[set] = LoadArtBitmap(LOWORD(ids[set]), artScale_);
        if (!loaded[set]) {
            return false;
        }
    }
    if (!SetBitmaps(std::move(loaded[0]), std::move(loaded[1]), transparent, x, y)) {
        return false;
    }
    loadedIds_[0] = faceSet0;
    loadedIds_[1] = faceSet1;
    if (RemembersFaceSetIds()) {
        faceSetIds_[0] = faceSet0;
        faceSetIds_[1] = faceSet1;
    }
    return true;
}

bool CSkinButton::Rescale(int scale, int x, int y) {
    const int previous = artScale_;
    artScale_ = scale;
    if (!LoadBitmaps(loadedIds_[0], loadedIds_[1], transparent_, x, y)) {
        artScale_ = previous;
        return false;
    }
    return true;
}

bool CSkinButton::SetBitmaps(UniqueBitmap faceSet0, UniqueBitmap faceSet1, COLORREF transparent,
                             int x, int y) {
    BITMAP info{};
    if (!faceSet0 || ::GetObjectA(faceSet0.get(), sizeof info, &info) == 0) {
        return false;
    }
    UniqueBitmap keyed[2] = {MakeKeyedBitmap(faceSet0.get(), transparent),
                             MakeKeyedBitmap(faceSet1.get(), transparent)};
    if (!keyed[0]) {
        return false;
    }
    faces_[0] = std::move(keyed[0]);
    faces_[1] = std::move(keyed[1]);
    transparent_ = transparent;
    faceWidth_ = info.bmWidth / 4;
    faceHeight_ = info.bmHeight;
    faceRect_ = RECT{0, 0, faceWidth_, faceHeight_};

    if (x < 0 || y < 0) {
        const RECT current = hwnd_ != nullptr ? GetRectInParent() : placement_;
        x = current.left;
        y = current.top;
    }
    placement_ = RECT{x, y, x + faceWidth_, y + faceHeight_};
    if (hwnd_ != nullptr) {
        MoveWindow(x, y, faceWidth_, faceHeight_, true);
        placement_ = GetRectInParent();
    }
    return true;
}

bool CSkinButton::Create(HWND parent, int id, const char* name, bool shown) {
    if (hwnd_ != nullptr) {
        return false;
    }
    // Shown only once subclassed: a button shown as it is made erases
    // itself at once in the system's way, a grey box over the skin, where
    // this one leaves the skin under it as it is.
    HWND made =
        CreateChildControl(parent, "Button", name, WS_TABSTOP | BS_OWNERDRAW, placement_, id);
    if (made == nullptr || !Subclass(made)) {
        return false;
    }
    if (shown) {
        ShowWindow(SW_SHOWNA);
    }
    return true;
}

void CSkinButton::SetFaceSet(int set) {
    faceSet_ = set == 1 ? 1 : 0;
    Invalidate(false);
}

void CSkinButton::SetDisabledLook(bool disabled) {
    disabledLook_ = disabled;
    Invalidate(false);
}

void CSkinButton::SetToolTipText(std::string_view text) {
    if (hwnd_ == nullptr) {
        return;
    }
    toolTip_.SetText(hwnd_, text);
}

int CSkinButton::FaceToDraw(bool pressed) const {
    if (disabledLook_) {
        return DisabledFace();
    }
    if (pressed) {
        return 2;
    }
    return hover_ ? 1 : 0;
}

void CSkinButton::ReportHover(bool entered) {
    if (HWND pad = PadPictureWindow()) {
        ::PostMessageA(pad, entered ? kPadButtonHover : kPadButtonLeave, faceSetIds_[faceSet_], 0);
    }
}

void CSkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HBITMAP faces = CurrentFaces();
    if (faces == nullptr) {
        return;
    }
    UniqueDC source(::CreateCompatibleDC(item.hDC));
    UniqueDC canvas(::CreateCompatibleDC(item.hDC));
    UniqueBitmap picture(::CreateCompatibleBitmap(item.hDC, faceWidth_, faceHeight_));
    if (!source || !canvas || !picture) {
        return;
    }
    // The face is put together off screen over the parent's background, so
    // that the pixels it leaves out show that background, not the outline of
    // the face drawn before, and the button does not flicker on the way.
    SelectGuard drawn(canvas.get(), picture.get());
    PaintParentBackground(canvas.get());
    DrawFace(canvas.get(), source.get(), faces, item.itemState);
    ::BitBlt(item.hDC, 0, 0, faceWidth_, faceHeight_, canvas.get(), 0, 0, SRCCOPY);
}

HBITMAP CSkinButton::CurrentFaces() const {
    // A second face set shares the first one's size, so a missing one
    // falls back to the first rather than drawing nothing.
    return faces_[faceSet_] ? faces_[faceSet_].get() : faces_[0].get();
}

void CSkinButton::DrawFace(HDC dc, HDC sourceDC, HBITMAP faces, UINT itemState) const {
    SelectGuard selected(sourceDC, faces);
    int face = FaceToDraw((itemState & ODS_SELECTED) != 0);
    DrawKeyed(dc, 0, 0, faceWidth_, faceHeight_, sourceDC, faceWidth_ * face, 0);
    if ((itemState & ODS_FOCUS) != 0 && ShowsFocusCues()) {
        RECT cue = faceRect_;
        ::InflateRect(&cue, -1, -1);
        ::DrawFocusRect(dc, &cue);
    }
}

void CSkinButton::PaintInParent(HDC parentDC) {
    if (hwnd_ != nullptr && !IsWindowVisible()) {
        return;
    }
    HBITMAP faces = CurrentFaces();
    UniqueDC source(::CreateCompatibleDC(parentDC));
    if (faces == nullptr || !source) {
        return;
    }
    // The parent's background is there already: the face goes straight over it.
    const RECT place = hwnd_ != nullptr ? GetRectInParent() : placement_;
    const auto state = hwnd_ != nullptr ? static_cast<UINT>(SendMessage(BM_GETSTATE)) : 0U;
    POINT origin{};
    ::OffsetViewportOrgEx(parentDC, place.left, place.top, &origin);
    DrawFace(parentDC, source.get(), faces,
             ((state & BST_PUSHED) != 0 ? ODS_SELECTED : 0U) |
                 ((state & BST_FOCUS) != 0 ? ODS_FOCUS : 0U));
    ::SetViewportOrgEx(parentDC, origin.x, origin.y, nullptr);
    if (hwnd_ != nullptr) {
        ::ValidateRect(hwnd_, nullptr);
    }
}

void CSkinButton::PaintParentBackground(HDC dc) const {
    // The parent paints its background as for its own client area; the
    // shifted origin puts the part under the button at the picture's corner.
    const RECT place = GetRectInParent();
    POINT origin{};
    ::SetWindowOrgEx(dc, place.left, place.top, &origin);
    GetParent().SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
}

void CSkinButton::OnMouseMove(UINT flags, POINT point) {
    toolTip_.OnToolMouseMove(hwnd_, flags, point);
    if (!tracking_) {
        TRACKMOUSEEVENT request{sizeof request, TME_HOVER | TME_LEAVE, hwnd_, 1};
        tracking_ = ::TrackMouseEvent(&request) != FALSE;
    }
    SetMsgHandled(false);
}

void CSkinButton::OnMouseHover(UINT, POINT) {
    hover_ = true;
    Invalidate(false);
    ReportHover(true);
}

void CSkinButton::OnMouseLeave() {
    tracking_ = false;
    hover_ = false;
    Invalidate(false);
    ReportHover(false);
}

// A double click arrives as its own message and would press the button as
// well; both are clicks the disabled look has to swallow.
void CSkinButton::OnButtonDown(UINT, POINT) {
    SetMsgHandled(disabledLook_);
}

// The space bar clicks a focused button just as the mouse does; Enter,
// which the dialog manager hands over (OnGetDlgCode), clicks it at once.
void CSkinButton::OnKey(UINT key, UINT, UINT flags) {
    // Tab and the arrows end at the button they moved to with their release.
    KeyboardUsed();
    if (key == VK_RETURN) {
        if (CurrentMessage().message == WM_KEYDOWN && (flags & KF_REPEAT) == 0 && !disabledLook_) {
            // The character Enter also made would close at once the menu the
            // click may open.
            MSG typed{};
            ::PeekMessageA(&typed, hwnd_, WM_CHAR, WM_CHAR, PM_REMOVE);
            GetParent().SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                    reinterpret_cast<LPARAM>(hwnd_));
        }
        return;
    }
    SetMsgHandled(disabledLook_ && key == VK_SPACE);
}

// An owner-drawn button is no push button to the dialog manager, which would
// turn Enter into the dialog's own OK; the button takes Enter itself. The
// key is read from the message: not every dialog manager passes it apart.
LRESULT CSkinButton::OnGetDlgCode(WPARAM, LPARAM message) {
    LRESULT code = DefaultProc();
    const auto* msg = reinterpret_cast<const MSG*>(message);
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

// The keyboard cues came on or went off: the focus rectangle follows.
LRESULT CSkinButton::OnUpdateUiState(WPARAM, LPARAM) {
    Invalidate(false);
    SetMsgHandled(false);
    return 0;
}

BOOL CSkinButton::OnSetCursor(HWND, UINT, UINT) {
    if (cursor_ == nullptr) {
        SetMsgHandled(false);
        return FALSE;
    }
    ::SetCursor(cursor_);
    return TRUE;
}

BOOL CSkinButton::OnEraseBkgnd(HDC) {
    return TRUE;
}

}  // namespace gd
