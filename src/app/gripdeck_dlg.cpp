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
#include "skin/display_scale_win.h"
#include "skin/pad_link.h"
#include "summary/summary_fields.h"

namespace gd {
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
        ChainMember<&D::hotkeys_>(),
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
        OnCommand<&D::OnUserGuide>(ID_HELP_USER_GUIDE),
        OnMessage<WM_HELP, &D::OnHelp>(),
        // File menu and recent files
        OnCommand<&D::OnFileNew>(ID_FILE_NEW),
        OnCommand<&D::OnEditUndo>(ID_EDIT_UNDO),
        OnCommand<&D::OnEditRedo>(ID_EDIT_REDO),
        OnMessage<WM_INITMENUPOPUP, &D::OnInitMenuPopup>(),
        OnMessage<WM_ACTIVATE, &D::OnActivate>(),
        OnCommand<&D::OnFileOpen>(ID_FILE_OPEN),
        OnCommand<&D::OnFileLoadSystemDefault>(ID_FILE_LOAD_SYSTEM_DEFAULT),
        OnCommand<&D::OnFileSave>(ID_FILE_SAVE),
        OnCommand<&D::OnFileSaveAs>(ID_FILE_SAVE_AS),
        OnCommand<&D::OnFileSummary>(ID_FILE_SUMMARY),
        OnCommand<&D::OnFileImportJson>(ID_FILE_IMPORT_JSON),
        OnCommand<&D::OnFileExportJson>(ID_FILE_EXPORT_JSON),
        OnCommand<&D::OnFileExportPicture>(ID_FILE_EXPORT_PICTURE),
        OnCommand<&D::OnFilePrintPicture>(ID_FILE_PRINT_PICTURE),
        OnCommand<&D::OnFileClose>(ID_FILE_CLOSE),
        OnCommand<&D::OnAppExit>(ID_APP_EXIT),
        ChainMember<&D::recentFilesMenu_>(),
        // Tray icon and start-up entry
        OnMessage<kTrayCallbackMessage, &D::OnTrayNotice>(),
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
          },
          [this](const std::string& profilePath, const std::string& program) {
              OnPadSwitched(profilePath, program);
          }),
      hotkeys_(MakeHotkeys()) {
    // Its first paint needs none; they are loaded once it is on screen.
    LoadCommonControlsLater();
    const StartRequest request = ParseCommandLine(commandLine);
    windowShown = request.startHidden ? 0 : 1;
    session_.SetSource(request.path, request.name);
    launchAtStartup = IsLaunchAtStartup() ? 1 : 0;
}

CGripdeckDlg::~CGripdeckDlg() = default;

BOOL CGripdeckDlg::OnInitDialog() {
    StartMarks& marks = GripdeckApp().startMarks;
    marks.Mark("window-made");
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
    marks.Mark("skin");

    clipboardFormat = ::RegisterClipboardFormatA(LoadText(IDS_CLIPBOARD_FORMAT).c_str());

    assignmentMenu_.LoadMenu(IDR_MENU_ASSIGN);
    trayIcon_.Attach(hwnd_, smallIcon_.get());
    recentFilesMenu_.Attach(trayIcon_.Menu());
    recentFilesMenu_.AttachFileMenu(CMenuRef(::GetMenu(hwnd_)).GetSubMenu(0));
    recentFilesMenu_.RebuildRecentMenu();
    CMenuRef(::GetMenu(hwnd_)).CheckItem(ID_OPTIONS_LAUNCH_ON_STARTUP, launchAtStartup != 0);
    UseAccelerators(IDR_ACCEL_MAIN);
    marks.Mark("menus");

    LoadFixedTexts();
    // The summary window, made after the first paint, takes what this load
    // gives it when it is created.
    LoadInstalledPackage();
    RefreshLabels(-1);
    SetPage(1);
    marks.Mark("package-and-labels");
    return TRUE;
}

LRESULT CGripdeckDlg::OnFinishStart(WPARAM, LPARAM) {
    MakeReady();
    ContinueStartLater();
    return 0;
}

void CGripdeckDlg::FinishStart() {
    MakeReady();
    while (ContinueStart()) {
    }
}

void CGripdeckDlg::MakeReady() {
    if (startFinished_) {
        return;
    }
    startFinished_ = true;
    StartMarks& marks = GripdeckApp().startMarks;
    marks.Mark("finish-start-reached");
    InitCommonControlsOnce();
    marks.Mark("common-controls");
    bigIcon_.reset(static_cast<HICON>(
        ::LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(IDI_GRIPDECK), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
    SetIcon(bigIcon_.get(), true);
    SetIcon(smallIcon_.get(), false);
    marks.Mark("icons");
    // The pad controls first, so that they come first in Tab order.
    LoadButtonPage();
    marks.Mark("button-page");
    // What the pad holds and whether it is there, before APPLY and the
    // status line are made: they start with the look and text they keep.
    ReadEarlierProfile();
    deviceWatcher_.CheckAtStart();
    marks.Mark("device-check");
    CreateSkinnedButtons();
    marks.Mark("skinned-buttons");
    frameToggle_.SetToolTipText(LoadText(IDS_FRAME_TOGGLE_TIP));
    summaryWindow.Create(hwnd_);
    marks.Mark("summary-made");
    // Placed even when hidden: File > Summary shows it where it is.
    PlaceSummary();
    ShowSummaryWindow(GripdeckApp().summaryVisible);
    marks.Mark("summary-shown");
    if (windowShown == 0) {
        SetTimer(kHideTimer, kHideDelayMs);
    }
}

// The start's work that nothing on the main window or the summary shows,
// one step per message once they are ready, in this order. New start-up work
// that the user does not see in these two windows belongs here.
std::span<const CGripdeckDlg::StartStep> CGripdeckDlg::StepsAfterReady() {
    static constexpr StartStep kSteps[] = {
        &CGripdeckDlg::AddTrayIcon,
        &CGripdeckDlg::StartAutoSwitch,
        &CGripdeckDlg::StartHotkeys,
    };
    return kSteps;
}

bool CGripdeckDlg::ContinueStart() {
    const std::span<const StartStep> steps = StepsAfterReady();
    if (stepsDone_ >= steps.size()) {
        return false;
    }
    (this->*steps[stepsDone_++])();
    if (stepsDone_ == steps.size()) {
        GripdeckApp().startMarks.Write();
        return false;
    }
    return true;
}

void CGripdeckDlg::ContinueStartLater() {
    // A timer's message comes after every input and paint that waits, where a
    // posted one would come before them: the windows just made paint first,
    // and a click meanwhile waits for one step at most.
    SetTimer(kContinueStartTimer, USER_TIMER_MINIMUM);
}

void CGripdeckDlg::AddTrayIcon() {
    trayIcon_.UpdateTrayIcon(TrayAction::Add);
    GripdeckApp().startMarks.Mark("tray-icon");
}

void CGripdeckDlg::StartAutoSwitch() {
    autoSwitch_.Start(hwnd_);
    GripdeckApp().startMarks.Mark("auto-switch");
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

void CGripdeckDlg::ShowSummaryWindow(bool shown) {
    if (!shown) {
        summaryWindow.ShowWindow(SW_HIDE);
        return;
    }
    // Shown without taking the keyboard from the main window, and still in
    // front of it: not every window manager raises a window it does not
    // activate, and where the two overlap the summary would lie behind.
    summaryWindow.ShowWindow(SW_SHOWNOACTIVATE);
    KeepCompanionsInFront();
}

void CGripdeckDlg::KeepCompanionsInFront() {
    for (HWND companion : {summaryWindow.GetSafeHwnd(), PadPictureWindow()}) {
        if (companion != nullptr && ::IsWindowVisible(companion)) {
            ::SetWindowPos(companion, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

LRESULT CGripdeckDlg::OnActivate(WPARAM state, LPARAM) {
    // Windows keeps a window's owned windows above it; not every window
    // manager does, and the summary and the pad picture must not lie behind
    // the main window where they overlap it.
    if (LOWORD(state) != WA_INACTIVE) {
        KeepCompanionsInFront();
    }
    SetMsgHandled(false);
    return 0;
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
            // Every label has a tool tip, the short words too: wherever the
            // pointer rests, the whole assignment can be read.
            labels_[i].SetToolTip(AssignmentText(label).c_str());
        }
        // The pad button's face shows only its number; its window text, never
        // drawn, and its tool tip name it with its whole assignment, which the
        // label may have to cut short.
        const int mButton = SlotRef{group, i}.Number();
        const std::string name = PadButtonName(mButton, label);
        padButtons_[i].SetWindowTextUnpainted(name);
        padButtons_[i].SetToolTipText(name);
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

bool CGripdeckDlg::SaveModified(SaveModifiedMode mode) {
    const auto ask = [&] {
        const std::string name = NameInSaveQuestion(session_.currentName(), LoadText(IDS_UNFILED));
        switch (ShowAppMessage(hwnd_, AppMessage::SaveChanges, name)) {
            case IDYES:
                return SaveAnswer::Yes;
            case IDNO:
                return SaveAnswer::No;
            default:
                return SaveAnswer::Cancel;
        }
    };
    const SaveOutcome outcome =
        RunSaveModified(DecideSaveModified(session_.modified(), session_.currentName(),
                                           session_.currentPath(), mode),
                        {
                            .askToSave = ask,
                            .saveAs = [&] { return SaveAs(); },
                            .save = [&] { return session_.SaveProfile(session_.currentPath()); },
                        });
    return CommandGoesOn(outcome, mode);
}

void CGripdeckDlg::LoadInstalledPackage() {
    session_.LoadInstalledPackage();
    SetTitle();
}

void CGripdeckDlg::ApplyProfile() {
    PutProfileOnPad();
}

void CGripdeckDlg::OnOkButton() {
    if (!PutProfileOnPad()) {
        return;
    }
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
            // Made the first time it shows: most starts never need it.
            if (!picture.IsWindow() && padPictureWindow.Create(hwnd_)) {
                picture = CWnd(PadPictureWindow());
            }
            if (!picture.IsWindow()) {
                return;
            }
            PlacePadPicture(picture);
            picture.ShowWindow(SW_SHOW);
            KeepCompanionsInFront();
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

void CGripdeckDlg::EndHiddenStart() {
    // A second start or a tray click in the first 300 ms showed the
    // window for good: the hide of a "-1" start is then void.
    if (windowShown == 0) {
        ShowWindow(SW_HIDE);
    }
    KillTimer(kHideTimer);
}

LRESULT CGripdeckDlg::OnTrayNotice(WPARAM, LPARAM mouseMessage) {
    // The tray menu opened in a "-1" start's first 300 ms would close when
    // the window hides: the hide comes first.
    if (static_cast<UINT>(mouseMessage) == WM_RBUTTONUP) {
        EndHiddenStart();
    }
    SetMsgHandled(false);
    return 0;
}

void CGripdeckDlg::OnTimer(UINT_PTR id) {
    if (id == kContinueStartTimer) {
        KillTimer(kContinueStartTimer);
        if (ContinueStart()) {
            ContinueStartLater();
        }
    } else if (id == kHideTimer) {
        EndHiddenStart();
    } else if (id == kAppliedTimer) {
        EndAppliedNote();
    } else {
        SetMsgHandled(false);
    }
}

LRESULT CGripdeckDlg::OnMark(WPARAM mark, LPARAM) {
    // Whoever waits for the window to have handled everything so far waits
    // for the end of its start as well.
    FinishStart();
    lastMark_ = mark;
    return 0;
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
