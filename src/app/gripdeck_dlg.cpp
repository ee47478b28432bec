#include "app/gripdeck_dlg.h"

#include <initializer_list>
#include <utility>

#include "app/about_dlg.h"
#include "app/app_messages.h"
#include "app/gripdeck_app.h"
#include "app/recent_files.h"
#include "app/launch_entry.h"
#include "window_messages.h"
#include "app/win_geometry.h"
#include "fw/module.h"
#include "fw/text.h"
#include "profile/image.h"
#include "resource.h"
#include "settings_root.h"
#include "skin/bitmap_shape.h"
#include "skin/display_scale_win.h"
#include "skin_layout.h"
#include "skin/pad_link.h"
#include "skin/transparent_blit.h"
#include "summary/summary_fields.h"

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

const MessageMap& CGripdeckDlg::GetMessageMap() const {
    using D = CGripdeckDlg;
    static constexpr Route kRoutes[] = {
        // Window
        OnMessage<WM_ERASEBKGND, &D::OnEraseBkgnd>(),
        OnMessage<WM_NCHITTEST, &D::OnNcHitTest>(),
        OnMessage<WM_LBUTTONDBLCLK, &D::OnLButtonDblClk>(),
        OnMessage<WM_SYSCOMMAND, &D::OnSysCommand>(),
        OnMessage<WM_ENTERMENULOOP, &D::OnEnterMenuLoop>(),
        OnMessage<WM_EXITMENULOOP, &D::OnExitMenuLoop>(),
        OnMessage<WM_TIMER, &D::OnTimer>(),
        OnMessage<WM_CLOSE, &D::OnClose>(),
        OnMessage<WM_QUERYENDSESSION, &D::OnQueryEndSession>(),
        OnMessage<WM_ENDSESSION, &D::OnEndSession>(),
        OnMessage<WM_DESTROY, &D::OnDestroy>(),
        OnMessage<kSecondStartMessage, &D::OnSecondStart>(),
        OnMessage<kForwardedCharMessage, &D::OnForwardedChar>(),
        OnMessage<WM_ENABLE, &D::OnEnable>(),
        OnMessage<kOpenForwardedMessage, &D::OnOpenForwarded>(),
        OnMessage<WM_PAINT, &D::OnPaint>(),
        OnMessage<WM_SIZE, &D::OnSize>(),
        OnMessage<kFinishStartMessage, &D::OnFinishStart>(),
        OnMessage<kQueryGroupFacesMessage, &D::OnQueryGroupFaces>(),
        ChainMember<&D::autoSwitch_>(),
        OnMessage<WM_DPICHANGED, &D::OnDpiChanged>(),
        // Skinned buttons
        OnCommand<&D::OnOkButton>(IDC_OK),
        OnCommand<&D::OnCancelButton>(IDC_CANCEL),
        OnCommand<&D::ApplyProfile>(IDC_APPLY),
        OnCommand<&D::OnFrameToggle>(IDC_FRAME_TOGGLE),
        OnCommand<&D::OnGroupLow>(IDC_GROUP_M1_M10),
        OnCommand<&D::OnGroupHigh>(IDC_GROUP_M11_M20),
        OnCommand<&D::OnPadIcon>(IDC_PAD_ICON),
        OnCommand<&D::OnAbout>(ID_APP_ABOUT),
        // File menu and recent files
        OnCommand<&D::OnFileNew>(ID_FILE_NEW),
        OnCommand<&D::OnEditUndo>(ID_EDIT_UNDO),
        OnCommand<&D::OnEditRedo>(ID_EDIT_REDO),
        OnMessage<WM_INITMENUPOPUP, &D::OnInitMenuPopup>(),
        OnCommand<&D::OnFileOpen>(ID_FILE_OPEN),
        OnCommand<&D::OnFileLoadSystemDefault>(ID_FILE_LOAD_SYSTEM_DEFAULT),
        OnCommand<&D::OnFileSave>(ID_FILE_SAVE),
        OnCommand<&D::OnFileSaveAs>(ID_FILE_SAVE_AS),
        OnCommand<&D::OnFileSummary>(ID_FILE_SUMMARY),
        OnCommand<&D::OnFileClose>(ID_FILE_CLOSE),
        OnCommand<&D::OnAppExit>(ID_APP_EXIT),
        ChainMember<&D::recentFilesMenu_>(),
        // Tray icon and start-up entry
        ChainMember<&D::trayIcon_>(),
        OnCommand<&D::OnLaunchAtStartup>(ID_OPTIONS_LAUNCH_ON_STARTUP),
        // Device
        ChainMember<&D::deviceWatcher_>(),
        OnMessage<kMarkMessage, &D::OnMark>(),
        OnMessage<kQueryMarkMessage, &D::OnQueryMark>(),
        // Pad buttons, labels and the pad picture window
        OnCommandRange<&D::OnPadButton>(IDC_PAD_BUTTON_0, IDC_PAD_BUTTON_9),
        OnCommandRange<&D::OnPadLabel>(IDC_PAD_LABEL_0, IDC_PAD_LABEL_9),
        OnMessage<WM_CONTEXTMENU, &D::OnContextMenu>(),
        OnMessage<kPadPickLowGroup, &D::OnPadPickLowGroup>(),
        OnMessage<kPadPickHighGroup, &D::OnPadPickHighGroup>(),
        // Assignment menu commands
        OnCommandRange<&D::OnDirectSlotCommand>(ID_STOP_MACRO_LOOP, ID_SUPER_STOP),
        OnCommandRange<&D::OnDirectSlotCommand>(ID_OFF, ID_OFF),
        OnCommandRange<&D::OnDirectSlotCommand>(ID_DEFAULT, ID_DEFAULT),
        OnCommandRange<&D::OnEditorCommand>(ID_KEYBOARD, ID_KEYBOARD),
        OnCommandRange<&D::OnEditorCommand>(ID_MOUSE_BUTTON, ID_MOUSE_BUTTON),
        OnCommandRange<&D::OnEditorCommand>(ID_MACRO, ID_MACRO),
        OnCommandRange<&D::OnEditorCommand>(ID_SINGLE_SWITCH_KEYBOARD,
                                            ID_SINGLE_SWITCH_MOUSE_BUTTON),
        OnCommandRange<&D::OnEditorCommand>(ID_TWIN_SWITCH, ID_TWIN_SWITCH),
        OnCommandRange<&D::OnEditorCommand>(ID_ADVANCED, ID_ADVANCED),
        OnCommand<&D::OnCopySlot>(ID_EDIT_COPY),
        OnCommand<&D::OnPasteSlot>(ID_EDIT_PASTE),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

CGripdeckDlg::CGripdeckDlg(std::string_view commandLine)
    : CDialog(IDD_MAIN_WINDOW),
      driverLink_(driverHost_),
      autoSwitch_(
          driverHost_, kSettingsRoot,
          [this](const std::string& text) { trayIcon_.ShowBalloon(text, NIIF_INFO); },
          [] {
              const RecentFiles& recent = GripdeckApp().recentFiles;
              std::vector<std::string> paths;
              for (std::size_t i = 0; i < recent.Count(); ++i) {
                  paths.push_back(recent[i]);
              }
              return paths;
          }) {
    // Its first paint needs none; they are loaded once it is on screen.
    LoadCommonControlsLater();
    const StartRequest request = ParseCommandLine(commandLine);
    windowShown = request.startHidden ? 0 : 1;
    session_.SetSource(request.path, request.name);
    launchAtStartup = IsLaunchAtStartup() ? 1 : 0;
}

CGripdeckDlg::~CGripdeckDlg() = default;

BOOL CGripdeckDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GripdeckApp().SetMainWindow(hwnd_);
    // A driver installation first brings up the window, as a second start does.
    driverHost_.SetMainWindow(hwnd_, [this] { OnSecondStart(0, 0); });
    deviceWatcher_.Attach(hwnd_);
    // The tray takes the small icon; the window's own icons follow its first
    // paint (FinishStart): the caption that would show them starts hidden.
    smallIcon_.reset(static_cast<HICON>(
        ::LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(IDI_GRIPDECK), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));

    KeepDialogFromRescaling(hwnd_);
    dialogFontDpi_ = GetDpi();
    SkinControls(ArtScaleForDpi(dialogFontDpi_));
    SelectMode(0);
    FitClientToSkin();
    ToggleFrame();

    clipboardFormat = ::RegisterClipboardFormatA(LoadText(IDS_CLIPBOARD_FORMAT).c_str());

    assignmentMenu_.LoadMenu(IDR_MENU_ASSIGN);
    trayIcon_.Attach(hwnd_, smallIcon_.get());
    recentFilesMenu_.Attach(trayIcon_.Menu());
    recentFilesMenu_.RebuildRecentMenu();
    CMenuRef(::GetMenu(hwnd_)).CheckItem(ID_OPTIONS_LAUNCH_ON_STARTUP, launchAtStartup != 0);
    UseAccelerators(IDR_ACCEL_MAIN);

    LoadFixedTexts();
    // The summary window, made after the first paint, takes what this load
    // gives it when it is created.
    LoadInstalledPackage();
    RefreshLabels(-1);
    SetPage(1);
    return TRUE;
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

LRESULT CGripdeckDlg::OnFinishStart(WPARAM, LPARAM) {
    FinishStart();
    return 0;
}

void CGripdeckDlg::FinishStart() {
    if (startFinished_) {
        return;
    }
    startFinished_ = true;
    InitCommonControlsOnce();
    bigIcon_.reset(static_cast<HICON>(
        ::LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(IDI_GRIPDECK), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
    SetIcon(bigIcon_.get(), true);
    SetIcon(smallIcon_.get(), false);
    // The pad controls first, so that they come first in Tab order.
    LoadButtonPage();
    CreateSkinnedButtons();
    frameToggle_.SetToolTipText(LoadText(IDS_FRAME_TOGGLE_TIP));
    summaryWindow.Create(hwnd_);
    PlaceSummaryBesideWindow();
    summaryWindow.ShowWindow(GripdeckApp().summaryVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
    padPictureWindow.Create(hwnd_);
    trayIcon_.UpdateTrayIcon(TrayAction::Add);
    autoSwitch_.Start(hwnd_);
    if (windowShown == 0) {
        SetTimer(kHideTimer, kHideDelayMs);
    }
    deviceWatcher_.CheckAtStart();
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
    // A new scale: the button page, once loaded, follows it.
    if (buttonPageLoaded_) {
        buttonPageLoaded_ = false;
        LoadButtonPage();
    }
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

void CGripdeckDlg::PlaceSummaryBesideWindow() {
    const Rect placed =
        PlaceSummaryWindow(ToRect(GetWindowRect()), ToRect(summaryWindow.GetWindowRect()),
                           ::GetSystemMetrics(SM_CXSCREEN));
    summaryWindow.SetWindowPos(nullptr, placed.left, placed.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CGripdeckDlg::LoadFixedTexts() {
    appTitle_ = LoadText(IDS_APP_TITLE);
    labelTexts_.off = LoadText(IDS_OFF);
    labelTexts_.single = LoadText(IDS_SINGLE);
    labelTexts_.macro = LoadText(IDS_MACRO);
    labelTexts_.multiLayers = LoadText(IDS_MULTI_LAYERS);
    labelTexts_.stop = LoadText(IDS_STOP);
    labelTexts_.stopMacro = LoadText(IDS_STOP_MACRO);
    labelTexts_.superStop = LoadText(IDS_SUPER_STOP);
}

void CGripdeckDlg::SetTitle() {
    SetWindowText(WindowTitle(appTitle_, session_.currentName(), session_.modified()));
}

void CGripdeckDlg::RefreshLabels(int button) {
    const int first = button < 0 ? 0 : button;
    const int last = button < 0 ? kPadButtons - 1 : button;
    // Not made yet: they take their texts and faces when they are.
    if (first >= kPadButtons || padButtons_[0].GetSafeHwnd() == nullptr) {
        return;
    }
    const std::uint32_t group = session_.shownGroup();
    if (button < 0) {
        // The faces follow the group the labels show: a load goes back to
        // M1-M10 whichever group the faces showed before.
        for (CSkinButton& padButton : padButtons_) {
            if (padButton.FaceSet() != static_cast<int>(group)) {
                padButton.SetFaceSet(static_cast<int>(group));
            }
        }
    }
    for (int i = first; i <= last; ++i) {
        SlotLabel label = LabelForSlot(session_.Slot({group, i}), labelTexts_);
        if (label.leaveAsIs) {
            label.text = labels_[i].Text();
        } else {
            // The label draws its own text; its window text carries the same
            // words for screen readers and other programs, set without the
            // static control's own drawing, which would paint over the skin.
            labels_[i].SetWindowTextUnpainted(label.text);
            labels_[i].SetText(label.text);
            labels_[i].SetToolTip(label.toolTip ? label.toolTip->c_str() : nullptr);
        }
        // The pad button's face shows only its number; its window text, never
        // drawn, names it with its assignment.
        const int mButton = SlotRef{group, i}.Number();
        padButtons_[i].SetWindowTextUnpainted(PadButtonName(mButton, label));
    }
    if (button < 0) {
        RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void CGripdeckDlg::SelectMode(std::uint32_t mode) {
    if (page == 1) {
        SetPage(2);
    }
    session_.ShowGroup(mode);
    RefreshLabels(-1);
}

void CGripdeckDlg::SetPage(int newPage) {
    if (page == newPage) {
        return;
    }
    if (newPage == 2) {
        LoadButtonPage();
    }
    const int show = newPage == 2 ? SW_SHOW : SW_HIDE;
    for (int i = 0; i < kPadButtons; ++i) {
        padButtons_[i].ShowWindow(show);
        labels_[i].ShowWindow(show);
    }
    page = newPage;
    RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
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

bool CGripdeckDlg::SaveModified(SaveModifiedMode mode) {
    return RunSaveModified(
        DecideSaveModified(session_.modified(), session_.currentName(), session_.currentPath(),
                           mode),
        {
            .askToSave = [&] { return ShowAppMessage(hwnd_, AppMessage::SaveQuestion) == IDYES; },
            .saveAs = [&] { return SaveAs(); },
            .save = [&] { return session_.SaveProfile(session_.currentPath()); },
        });
}

void CGripdeckDlg::LoadInstalledPackage() {
    session_.LoadInstalledPackage();
    SetTitle();
}

void CGripdeckDlg::ApplyProfile() {
    // The pad takes the profile the user sees, saved or not.
    SaveModified(SaveModifiedMode::Silent);
    driverLink_.PublishProfile(session_.image(), session_.summary());
    autoSwitch_.ManualApply(session_.currentPath());
}

void CGripdeckDlg::OnOkButton() {
    SaveModified(SaveModifiedMode::Silent);
    driverLink_.PublishProfile(session_.image(), session_.summary());
    autoSwitch_.ManualApply(session_.currentPath());
    ShowHide();
}

void CGripdeckDlg::OnCancelButton() {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    session_.ClearSource();
    LoadInstalledPackage();
    RefreshLabels(-1);
    ShowHide();
}

void CGripdeckDlg::OnPadIcon() {
    FinishStart();
    CWnd picture(PadPictureWindow());
    switch (DecidePadIcon(page, picture.IsWindow() && picture.IsWindowVisible())) {
        case PadIconAction::ShowButtonPage:
            SetPage(2);
            return;
        case PadIconAction::HidePictureShowWelcome:
            SetPage(1);
            picture.ShowWindow(SW_HIDE);
            return;
        case PadIconAction::ShowPicture: {
            if (!picture.IsWindow()) {
                return;
            }
            const Rect placed = PlacePadPicture(NormalPosition(hwnd_), NormalPosition(picture),
                                                ArtScalePercent(artScale_));
            picture.SetWindowPos(nullptr, placed.left, placed.top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            picture.ShowWindow(SW_SHOW);
            return;
        }
        case PadIconAction::Nothing:
            return;
    }
}

void CGripdeckDlg::OnAbout() {
    CAboutDlg about(hwnd_);
    about.DoModal();
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

void CGripdeckDlg::OnTimer(UINT_PTR id) {
    if (id == kHideTimer) {
        // A second start or a tray click in the first 300 ms showed the
        // window for good: the hide of a "-1" start is then void.
        if (windowShown == 0) {
            ShowWindow(SW_HIDE);
        }
        KillTimer(kHideTimer);
    } else {
        SetMsgHandled(false);
    }
}

void CGripdeckDlg::OnClose(WPARAM request) {
    // Any other close only hides the window (the dialog turns it into Cancel).
    if (request == kCloseEndsProgram) {
        EndRun(2);
        return;
    }
    SetMsgHandled(false);
}

void CGripdeckDlg::EndRun(INT_PTR result) {
    // Taken now: by the time the window is destroyed, the windows it owns
    // are gone.
    TakeSummaryVisibility();
    EndDialog(result);
}

void CGripdeckDlg::TakeSummaryVisibility() {
    if (!startFinished_) {
        // Ended before the summary window was made: the user saw nothing
        // that could change the setting.
        return;
    }
    CGripdeckApp& app = GripdeckApp();
    app.summaryVisible = SummaryVisibilityToStore(
        windowShown != 0, summaryWindow.IsWindowVisible() != FALSE, app.summaryVisible);
}

BOOL CGripdeckDlg::OnQueryEndSession(WPARAM, LPARAM) {
    if (!session_.modified()) {
        ::ShutdownBlockReasonDestroy(hwnd_);
        return TRUE;
    }
    // Unsaved edits are not dropped behind the user's back: Windows shows
    // the reason (the save question) beside the window's title in its own
    // list of programs that hold the session, and the user either goes
    // back to save or ends the session anyway. No message box here: the
    // shell waits for this answer. The window shows, so that going back
    // finds it rather than only a tray icon; a window without a reason
    // could not hold the session while hidden.
    const std::string reason = LoadText(IDS_SAVE_QUESTION);
    wchar_t wide[MAX_STR_BLOCKREASON] = {};
    ::MultiByteToWideChar(CP_ACP, 0, reason.c_str(), -1, wide, MAX_STR_BLOCKREASON - 1);
    ::ShutdownBlockReasonCreate(hwnd_, wide);
    if (windowShown == 0) {
        ShowHide();
    }
    return FALSE;
}

LRESULT CGripdeckDlg::OnEndSession(WPARAM ending, LPARAM) {
    if (ending == FALSE) {
        return 0;
    }
    ::ShutdownBlockReasonDestroy(hwnd_);
    // The process may end as soon as this returns: the settings are written
    // now, not on the way out of the modal run, and a game's profile gives
    // way now to the one from before it.
    autoSwitch_.End();
    TakeSummaryVisibility();
    GripdeckApp().SaveSettings();
    EndRun(1);
    return 0;
}

void CGripdeckDlg::OnDestroy() {
    // Also after a close request that skipped Exit: an icon left behind
    // would stay in the tray until the pointer passes over it.
    trayIcon_.UpdateTrayIcon(TrayAction::Delete);
    autoSwitch_.End();
    autoSwitch_.Stop();
    summaryWindow.DestroyWindow();
    padPictureWindow.DestroyWindow();
    SetMsgHandled(false);
}

LRESULT CGripdeckDlg::OnMark(WPARAM mark, LPARAM) {
    // Whoever waits for the window to have handled everything so far waits
    // for the end of its start as well.
    FinishStart();
    lastMark_ = mark;
    return 0;
}

LRESULT CGripdeckDlg::OnSecondStart(WPARAM, LPARAM) {
    if (windowShown == 0) {
        ShowHide();
    }
    return 0;
}

LRESULT CGripdeckDlg::OnForwardedChar(WPARAM character, LPARAM lengthAndIndex) {
    const std::optional<std::string> path = forwarded_.Receive(
        static_cast<std::intptr_t>(character), static_cast<std::intptr_t>(lengthAndIndex));
    if (!path) {
        return 0;
    }
    forwardedOpen_.Keep(*path);
    // The user sees at once that the start arrived: the window, or the
    // dialog open over it, comes to the front.
    if (IsWindowVisible()) {
        ::SetForegroundWindow(::GetLastActivePopup(hwnd_));
    }
    // Opened from the window's own message, not inside the second copy's
    // call, which would wait for every question and dialog of the open.
    PostMessage(kOpenForwardedMessage);
    return 0;
}

LRESULT CGripdeckDlg::OnEnable(WPARAM enabled, LPARAM) {
    if (enabled != 0 && forwardedOpen_.IsWaiting()) {
        // Posted: the code that ran the dialog has not finished yet.
        PostMessage(kOpenForwardedMessage);
    }
    SetMsgHandled(false);
    return 0;
}

bool CGripdeckDlg::HoldForOpenDialog() {
    // A menu's loop hands on posted messages too: a profile opened under an
    // open menu would take the command chosen for the one shown before.
    if (!IsWindowEnabled() || inMenu_) {
        return true;
    }
    if (ModalDialogOver(hwnd_) == nullptr) {
        return false;
    }
    // A dialog that ended over another one has enabled the main window while
    // the other is still open. Disabled again, as that dialog's modal run
    // expects, its close enables it and the path follows.
    EnableWindow(FALSE);
    return true;
}

LRESULT CGripdeckDlg::OnOpenForwarded(WPARAM, LPARAM) {
    OpenForwardedPath();
    return 0;
}

void CGripdeckDlg::OpenForwardedPath() {
    {
        const std::optional<ForwardedOpen::Opening> opening =
            forwardedOpen_.Take(HoldForOpenDialog());
        if (!opening) {
            return;
        }
        const std::string& path = opening->Path();
        if (SaveModified(SaveModifiedMode::Ask) && session_.OpenProfile(path, FileNamePart(path))) {
            recentFilesMenu_.AddRecentFile(session_.currentPath());
            RefreshLabels(-1);
            ProfileChanged();
        }
    }
    // One that arrived during this open.
    if (forwardedOpen_.IsWaiting()) {
        PostMessage(kOpenForwardedMessage);
    }
}

LRESULT CGripdeckDlg::OnQueryGroupFaces(WPARAM, LPARAM) {
    return padButtons_[0].FaceSet();
}

void CGripdeckDlg::ReportFileError(const std::string& path) {
    ShowAppMessage(hwnd_, AppMessage::CantOpenFile, path);
}

void CGripdeckDlg::ShowSummary(const SummaryBlock& summary) {
    const SummaryFields fields = FieldsFromSummary(summary);
    summaryWindow.ShowSummary(fields.name, fields.game, fields.author, fields.comment, fields.x,
                              fields.y);
}

void CGripdeckDlg::ShowProfileName(const std::string& name) {
    SetWindowText(WindowTitle(appTitle_, name, session_.modified()));
}

std::uint32_t CGripdeckDlg::PrimaryScreenResolution() {
    return MakeResolution(static_cast<std::uint32_t>(::GetSystemMetrics(SM_CXSCREEN)),
                          static_cast<std::uint32_t>(::GetSystemMetrics(SM_CYSCREEN)));
}

std::string CGripdeckDlg::WindowsDirectory() {
    char folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

}  // namespace gd
