#include "skin/pad_picture_wnd.h"

#include <string>
#include <utility>

#include "resource.h"
#include "skin/bitmap_shape.h"
#include "skin/display_scale_win.h"
#include "skin/pad_link.h"
#include "skin/transparent_blit.h"
#include "skin_layout.h"

namespace gd {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// Picture button k is control kIds[k]; its faces are bitmap IDB_PICTURE_M1 + k,
// whose place in the drawing the skin's layout gives.
constexpr int kIds[CPadPictureWnd::kButtonCount] = {
    IDC_PICTURE_M1,  IDC_PICTURE_M2,  IDC_PICTURE_M3,  IDC_PICTURE_M4,  IDC_PICTURE_M5,
    IDC_PICTURE_M6,  IDC_PICTURE_M7,  IDC_PICTURE_M8,  IDC_PICTURE_M9,  IDC_PICTURE_M10,
    IDC_PICTURE_M11, IDC_PICTURE_M12, IDC_PICTURE_M13, IDC_PICTURE_M14, IDC_PICTURE_M15,
    IDC_PICTURE_M16, IDC_PICTURE_M17, IDC_PICTURE_M18, IDC_PICTURE_M19, IDC_PICTURE_M20,
};

int ButtonForId(UINT id) {
    for (int k = 0; k < CPadPictureWnd::kButtonCount; ++k) {
        if (kIds[k] == static_cast<int>(id)) {
            return k;
        }
    }
    return -1;
}

}  // namespace

CPadPictureWnd::CPadPictureWnd() : CDialog(IDD_PAD_PICTURE) {}

CPadPictureWnd::~CPadPictureWnd() {
    // The handlers clear the process-wide handle, so they must still run.
    DestroyWindow();
}

const MessageMap& CPadPictureWnd::GetMessageMap() const {
    using W = CPadPictureWnd;
    static constexpr Route kRoutes[] = {
        OnMessage<kPadButtonHover, &W::OnPadButtonHover>(),
        OnMessage<kPadButtonLeave, &W::OnPadButtonLeave>(),
        OnCommandRange<&W::OnPictureButton>(IDC_PICTURE_M1, IDC_PICTURE_M10),
        OnCommandRange<&W::OnPictureButton>(IDC_PICTURE_M11, IDC_PICTURE_M20),
        OnMessage<WM_ERASEBKGND, &W::OnEraseBkgnd>(),
        OnMessage<WM_PAINT, &W::OnPaint>(),
        OnMessage<WM_NCHITTEST, &W::OnNcHitTest>(),
        OnMessage<WM_DESTROY, &W::OnDestroy>(),
        OnMessage<WM_DPICHANGED, &W::OnDpiChanged>(),
        OnMessage<WM_CONTEXTMENU, &W::OnContextMenu>(),
        OnMessage<WM_ACTIVATE, &W::OnActivate>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

int CPadPictureWnd::ButtonForFaceBitmap(WPARAM faceBitmapId) {
    if (faceBitmapId < IDB_PAD_BUTTON_M1 ||
        faceBitmapId >= static_cast<WPARAM>(IDB_PAD_BUTTON_M1 + kButtonCount)) {
        return -1;
    }
    return static_cast<int>(faceBitmapId - IDB_PAD_BUTTON_M1);
}

BOOL CPadPictureWnd::OnInitDialog() {
    CDialog::OnInitDialog();
    SetPadPictureWindow(hwnd_);
    KeepDialogFromRescaling(hwnd_);
    artScale_ = ArtScaleForDpi(GetDpi());
    LoadArt();
    CreateButtons();
    // Made hidden at the start, it must not take the keyboard from the main
    // window: its first button gets the focus when it is shown and active.
    return FALSE;
}

LRESULT CPadPictureWnd::OnActivate(WPARAM state, LPARAM) {
    if (LOWORD(state) != WA_INACTIVE && !keyboardGiven_) {
        keyboardGiven_ = true;
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(buttons_[0].GetSafeHwnd()), TRUE);
    }
    // The dialog manager saves and brings back the focus as ever.
    SetMsgHandled(false);
    return 0;
}

void CPadPictureWnd::LoadArt() {
    background_ = LoadArtBitmap(IDB_PAD_PICTURE, artScale_);
    shape_ = LoadArtBitmap(IDB_PAD_SHAPE, artScale_);
    BITMAP info{};
    if (background_ && ::GetObjectA(background_.get(), sizeof info, &info) != 0) {
        backgroundSize_ = SIZE{info.bmWidth, info.bmHeight};
        // The template's size is in dialog units; the drawing decides.
        SetWindowPos(nullptr, 0, 0, backgroundSize_.cx, backgroundSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UniqueRegion region = RegionFromBitmap(shape_.get(), kWhite, kWhite);
    if (region) {
        SetWindowRgn(std::move(region));
    }
}

HWND PictureButton(int group, int button) {
    HWND picture = PadPictureWindow();
    if (picture == nullptr || button < 0 || button >= 10) {
        return nullptr;
    }
    return ::GetDlgItem(picture, kIds[(group == 1 ? 10 : 0) + button]);
}

void CPadPictureWnd::OnCancel() {
    if (HWND mainWindow = ::GetWindow(hwnd_, GW_OWNER)) {
        ::SetActiveWindow(mainWindow);
    }
}

void CPadPictureWnd::OnContextMenu(HWND window, POINT screen) {
    const int id = ::GetDlgCtrlID(window);
    if (screen.x == -1 && screen.y == -1 && ButtonForId(static_cast<UINT>(id)) >= 0) {
        OnPictureButton(static_cast<UINT>(id));
        return;
    }
    SetMsgHandled(false);
}

void CPadPictureWnd::CreateButtons() {
    for (int k = 0; k < kButtonCount; ++k) {
        const int bitmap = IDB_PICTURE_M1 + k;
        const skin_layout::Place& place = skin_layout::PicturePlace(bitmap, artScale_);
        buttons_[k].SetFaceSetCount(1);
        buttons_[k].SetArtScale(artScale_);
        buttons_[k].LoadBitmaps(static_cast<UINT>(bitmap), static_cast<UINT>(bitmap),
                                place.transparent, place.x, place.y);
        // Made where its faces place it; named for screen readers.
        std::string name(1, 'M');
        name += std::to_string(k + 1);
        buttons_[k].Create(hwnd_, kIds[k], name.c_str());
    }
}

LRESULT CPadPictureWnd::OnDpiChanged(WPARAM dpi, LPARAM suggestedRect) {
    const DpiChange change = ReadDpiChange(dpi, suggestedRect);
    // The system's rectangle is its guess from the old size; the drawing at
    // the new scale sets the size, the suggestion only the place.
    SetWindowPos(nullptr, change.suggested.left, change.suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int scale = ArtScaleForDpi(change.dpi);
    if (scale != artScale_) {
        artScale_ = scale;
        LoadArt();
        for (int k = 0; k < kButtonCount; ++k) {
            const skin_layout::Place& place = skin_layout::PicturePlace(IDB_PICTURE_M1 + k, scale);
            buttons_[k].Rescale(scale, place.x, place.y);
        }
        RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return 0;
}

void CPadPictureWnd::Highlight(int k) {
    if (highlighted_ >= 0) {
        buttons_[highlighted_].SetDisabledLook(false);
    }
    highlighted_ = k;
    if (highlighted_ >= 0) {
        // A picture button's disabled look is its lit face.
        buttons_[highlighted_].SetDisabledLook(true);
    }
}

LRESULT CPadPictureWnd::OnPadButtonHover(WPARAM faceBitmapId, LPARAM) {
    const int k = ButtonForFaceBitmap(faceBitmapId);
    if (k >= 0) {
        Highlight(k);
    }
    SetMsgHandled(false);
    return 0;
}

LRESULT CPadPictureWnd::OnPadButtonLeave(WPARAM, LPARAM) {
    Highlight(-1);
    SetMsgHandled(false);
    return 0;
}

void CPadPictureWnd::OnPictureButton(UINT id) {
    const int k = ButtonForId(id);
    HWND mainWindow = ::GetWindow(hwnd_, GW_OWNER);
    if (k < 0 || mainWindow == nullptr || PadPictureWindow() != hwnd_) {
        return;
    }
    // Posted: the main window opens a menu, which must not run inside this
    // button's click.
    ::PostMessageA(mainWindow, k < 10 ? kPadPickLowGroup : kPadPickHighGroup,
                   static_cast<WPARAM>(k % 10), 0);
}

BOOL CPadPictureWnd::OnEraseBkgnd(HDC dc) {
    if (!CopyBitmap(dc, 0, 0, backgroundSize_.cx, backgroundSize_.cy, background_.get())) {
        SetMsgHandled(false);
        return FALSE;
    }
    return TRUE;
}

void CPadPictureWnd::OnPaint() {
    // Everything is drawn while erasing, which BeginPaint asks for before
    // the buttons paint; an erase left pending would later cover them.
    PAINTSTRUCT paint{};
    ::BeginPaint(hwnd_, &paint);
    ::EndPaint(hwnd_, &paint);
}

UINT CPadPictureWnd::OnNcHitTest(POINT) {
    // No caption: the window is dragged by any point that is not a button.
    return HTCAPTION;
}

void CPadPictureWnd::OnDestroy() {
    if (PadPictureWindow() == hwnd_) {
        SetPadPictureWindow(nullptr);
    }
    highlighted_ = -1;
    SetMsgHandled(false);
}

}  // namespace gd
