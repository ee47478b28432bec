// The main window's skin and frame: the art at the display's scale, the
// controls drawn over it, the shaped window and its frame and menu bar.
#include "app/gripdeck_dlg.h"

#include "app/gripdeck_app.h"

#include "fw/module.h"
#include "resource.h"
#include "skin/bitmap_shape.h"
#include "skin/display_scale_win.h"
#include "skin/transparent_blit.h"
#include "skin_layout.h"
#include "window_messages.h"

namespace gd {

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

}  // namespace

// Buttons with one face set. Place, size and transparent colour come with
// the bitmap from the skin's layout.
struct SkinnedButton {
    CSkinButton CGripdeckDlg::*button;
    int id;
    UINT bitmap;
};

// In Tab order.
std::span<const SkinnedButton> CGripdeckDlg::SkinnedButtons() {
    static constexpr SkinnedButton kButtons[] = {
        {&CGripdeckDlg::groupLow_, IDC_GROUP_M1_M10, IDB_GROUP_M1_M10},
        {&CGripdeckDlg::padIcon_, IDC_PAD_ICON, IDB_PAD_ICON},
        {&CGripdeckDlg::groupHigh_, IDC_GROUP_M11_M20, IDB_GROUP_M11_M20},
        {&CGripdeckDlg::apply_, IDC_APPLY, IDB_APPLY},
        {&CGripdeckDlg::cancel_, IDC_CANCEL, IDB_CANCEL},
        {&CGripdeckDlg::ok_, IDC_OK, IDB_OK},
        {&CGripdeckDlg::frameToggle_, IDC_FRAME_TOGGLE, IDB_FRAME_TOGGLE},
    };
    return kButtons;
}

void CGripdeckDlg::OnPaint() {
    if (finishStartPosted_) {
        SetMsgHandled(false);
        return;
    }
    // The first paint: the background (drawn on erase) with the skinned
    // buttons drawn over it in the same paint, then any other shown control
    // at once, which would otherwise wait behind posted messages; then the
    // rest of the start, posted, so that the window is on screen whole
    // before the rest takes its time.
    finishStartPosted_ = true;
    {
        PaintDC paint(hwnd_);
        for (const SkinnedButton& entry : SkinnedButtons()) {
            (this->*entry.button).PaintInParent(paint.get());
        }
    }
    RedrawWindow(RDW_UPDATENOW | RDW_ALLCHILDREN);
    GripdeckApp().startMarks.Mark("first-paint");
    PostMessage(kFinishStartMessage);
}

// Started minimized (a shortcut set to run minimized), the window paints
// only once restored: the rest of the start, the tray icon among it, must
// not wait for that.
void CGripdeckDlg::OnSize(UINT type, int, int) {
    if (type == SIZE_MINIMIZED && !finishStartPosted_) {
        finishStartPosted_ = true;
        PostMessage(kFinishStartMessage);
    }
    SetMsgHandled(false);
}

void CGripdeckDlg::LoadButtonPage() {
    if (buttonPageLoaded_) {
        return;
    }
    buttonPageLoaded_ = true;
    buttonPage_ = LoadArtBitmap(IDB_BUTTON_PAGE, artScale_);
    // Placed, or before they are made, given their places.
    for (int i = 0; i < kPadButtons; ++i) {
        const skin_layout::Place& place = skin_layout::MainPlace(IDB_PAD_BUTTON_M1 + i, artScale_);
        padButtons_[i].SetArtScale(artScale_);
        padButtons_[i].LoadBitmaps(IDB_PAD_BUTTON_M1 + i, IDB_PAD_BUTTON_M11 + i, place.transparent,
                                   place.x, place.y);
    }
    const skin_layout::LabelPlaces& labels = skin_layout::kLabels[artScale_];
    if (labels_[0].GetSafeHwnd() != nullptr) {
        for (int i = 0; i < kPadButtons; ++i) {
            labels_[i].MoveWindow(labels.x[i / 5], labels.y[i % 5], labels.width, labels.height);
        }
    } else {
        CreatePadControls();
    }
    // The font the labels had is freed only once none of them holds it.
    UniqueFont font = FontForScale(GetFont(), dialogFontDpi_, ArtScalePercent(artScale_));
    for (int i = 0; i < kPadButtons; ++i) {
        labels_[i].SetTextColour(skin_layout::kLabelText);
        labels_[i].SetFont(font ? font.get() : GetFont(), false);
    }
    labelFont_ = std::move(font);
}

void CGripdeckDlg::CreateSkinnedButtons() {
    if (ok_.GetSafeHwnd() != nullptr) {
        return;
    }
    // The pad controls, made at the top, come before them in Tab order
    // whenever they are made; the background, last, lies under every control.
    // It only marks the client area; hidden, so that its border never draws
    // over the skin.
    for (const SkinnedButton& entry : SkinnedButtons()) {
        (this->*entry.button).Create(hwnd_, entry.id);
    }
    CreateStatusLine();
    CreateChildControl(hwnd_, "Static", "", SS_BLACKFRAME, GetClientRect(), IDC_BACKGROUND);
    // The focus the dialog would have given its first control, had it had
    // one when it was made.
    if (::GetFocus() == hwnd_) {
        groupLow_.SetFocus();
    }
}

void CGripdeckDlg::CreatePadControls() {
    if (padButtons_[0].GetSafeHwnd() != nullptr) {
        return;
    }
    const skin_layout::LabelPlaces& places = skin_layout::kLabels[artScale_];
    // Hidden, at their places; each button before its label, so that Tab
    // goes from a button to its label, then on to the next button. Made
    // before every other control, as FinishStart does, they come first as
    // they are; made after one, they are moved there.
    const bool othersMade = ::GetWindow(hwnd_, GW_CHILD) != nullptr;
    HWND previous = HWND_TOP;
    for (int i = 0; i < kPadButtons; ++i) {
        padButtons_[i].Create(hwnd_, IDC_PAD_BUTTON_0 + i, "", false);
        const RECT place{places.x[i / 5], places.y[i % 5], places.x[i / 5] + places.width,
                         places.y[i % 5] + places.height};
        HWND label = CreateChildControl(hwnd_, "Static", "",
                                        WS_TABSTOP | SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY, place,
                                        IDC_PAD_LABEL_0 + i);
        labels_[i].SubclassWindow(label);
        if (othersMade) {
            for (HWND made : {padButtons_[i].GetSafeHwnd(), label}) {
                ::SetWindowPos(made, previous, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                previous = made;
            }
        }
        padButtons_[i].SetFaceSet(static_cast<int>(session_.shownGroup()));
        RefreshLabels(i);
    }
}

void CGripdeckDlg::SkinControls(int scale) {
    artScale_ = scale;
    // Their windows follow the first paint (CreateSkinnedButtons), which
    // draws them from their faces.
    for (const SkinnedButton& entry : SkinnedButtons()) {
        const skin_layout::Place& place =
            skin_layout::MainPlace(static_cast<int>(entry.bitmap), scale);
        CSkinButton& button = this->*entry.button;
        button.SetFaceSetCount(1);
        button.SetArtScale(scale);
        button.LoadBitmaps(entry.bitmap, entry.bitmap, place.transparent, place.x, place.y);
    }

    // The pad buttons, their labels and the button page's art wait until
    // that page may show (LoadButtonPage). The page bitmaps and the shape
    // mask have one size: the welcome page, the one shown first, gives it.
    welcomePage_ = LoadArtBitmap(IDB_WELCOME_PAGE, artScale_);
    shapeMask_ = LoadArtBitmap(IDB_WINDOW_SHAPE, artScale_);
    BITMAP info{};
    if (welcomePage_ && ::GetObjectA(welcomePage_.get(), sizeof info, &info) != 0) {
        skinSize_ = SIZE{info.bmWidth, info.bmHeight};
    }
    // A new scale: the button page, once loaded, follows it, and the
    // status line with it, in the labels' font.
    if (buttonPageLoaded_) {
        buttonPageLoaded_ = false;
        LoadButtonPage();
    }
    PlaceStatusLine();
}

void CGripdeckDlg::FitClientToSkin(bool keepPlace) {
    if (skinSize_.cx > 0 && skinSize_.cy > 0) {
        // The menu bar may wrap when the width changes, so the client area is
        // measured again after the first resize.
        for (int attempt = 0; attempt < 2; ++attempt) {
            const RECT client = GetClientRect();
            const int dx = skinSize_.cx - RectWidth(client);
            const int dy = skinSize_.cy - RectHeight(client);
            if (dx == 0 && dy == 0) {
                break;
            }
            const RECT window = GetWindowRect();
            SetWindowPos(nullptr, 0, 0, RectWidth(window) + dx, RectHeight(window) + dy,
                         SWP_NOZORDER | SWP_NOACTIVATE | (keepPlace ? SWP_NOMOVE : 0));
        }
    }
    const RECT client = GetClientRect();
    if (CWnd background = GetDlgItem(IDC_BACKGROUND); background.GetSafeHwnd() != nullptr) {
        background.MoveWindow(0, 0, RectWidth(client), RectHeight(client), false);
    }
    windowRect_ = GetWindowRect();
    const POINT origin = ClientToScreen(POINT{0, 0});
    clientOrigin_ = POINT{origin.x - windowRect_.left, origin.y - windowRect_.top};
}

void CGripdeckDlg::ToggleFrame() {
    frameHidden = frameHidden != 0 ? 0 : 1;
    ApplyFrame();
}

void CGripdeckDlg::ApplyFrame() {
    UniqueRegion region;
    if (frameHidden != 0) {
        region = RegionFromBitmap(shapeMask_.get(), kWhite, kWhite);
        if (region) {
            ::OffsetRgn(region.get(), clientOrigin_.x, clientOrigin_.y);
        }
    } else {
        region.reset(::CreateRectRgn(0, 0, RectWidth(windowRect_), RectHeight(windowRect_)));
    }
    if (region) {
        SetWindowRgn(std::move(region));
    }
}

LRESULT CGripdeckDlg::OnDpiChanged(WPARAM dpi, LPARAM suggestedRect) {
    const DpiChange change = ReadDpiChange(dpi, suggestedRect);
    // The suggestion gives the place; the skin at the new scale, with the
    // frame's new sizes around it, gives the size.
    SetWindowPos(nullptr, change.suggested.left, change.suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SkinControls(ArtScaleForDpi(change.dpi));
    FitClientToSkin(true);
    ApplyFrame();
    RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return 0;
}

BOOL CGripdeckDlg::OnEraseBkgnd(HDC dc) {
    HBITMAP background = page == 1 ? welcomePage_.get() : page == 2 ? buttonPage_.get() : nullptr;
    if (!CopyBitmap(dc, 0, 0, skinSize_.cx, skinSize_.cy, background)) {
        SetMsgHandled(false);
        return FALSE;
    }
    return TRUE;
}

UINT CGripdeckDlg::OnNcHitTest(POINT) {
    if (frameHidden != 0) {
        // Without a caption the window is dragged by any point of it.
        return HTCAPTION;
    }
    SetMsgHandled(false);
    return 0;
}

void CGripdeckDlg::OnLButtonDblClk(UINT, POINT) {
    ToggleFrame();
}

void CGripdeckDlg::OnSysCommand(UINT command, POINT) {
    // The menu key brings the menu bar into view before the menu opens.
    if ((command & 0xFFF0) == SC_KEYMENU || command == SC_HOTKEY) {
        ShowFrameForMenuBar();
    }
    SetMsgHandled(false);
}

// Alt+letter may open a menu of the bar without a system command (the dialog
// manager looks for the letter among the controls first, then in the menu
// bar): the menu bar loop announces itself here in every case.
LRESULT CGripdeckDlg::OnEnterMenuLoop(WPARAM popupOnly, LPARAM) {
    inMenu_ = true;
    if (popupOnly == FALSE) {
        ShowFrameForMenuBar();
    }
    SetMsgHandled(false);
    return 0;
}

LRESULT CGripdeckDlg::OnExitMenuLoop(WPARAM, LPARAM) {
    inMenu_ = false;
    // Posted: the menu's command, posted when it was chosen or handled when
    // the menu's call returns, acts first, on the profile the menu was
    // opened over.
    if (forwardedOpen_.IsWaiting()) {
        PostMessage(kOpenForwardedMessage);
    }
    SetMsgHandled(false);
    return 0;
}

void CGripdeckDlg::ShowFrameForMenuBar() {
    if (frameHidden == 0) {
        return;
    }
    ToggleFrame();
    // Painted now: the menu's own loop draws its popup first.
    RedrawWindow(RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace gd
