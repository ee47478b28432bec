#pragma once
// CGripdeckDlg: the main window (dialog 101) and the whole visible program.
// Drawn from bitmaps and cut to the skin's shape, it shows ten of the pad's
// twenty M-Buttons with labels naming their assignments, and receives what
// comes from outside: a second start, device changes, tray icon clicks and
// clicks in the pad picture window. The open profile is its ProfileSession's.
//
// The tray icon (TrayIcon), the recent files of its menu and of the File
// menu (RecentFilesMenu), the pad's presence (DeviceWatcher), automatic
// profiles (CAutoSwitch) and profile hotkeys (CProfileHotkeys) are objects of their own, whose
// handler tables the window's chains. The window's handlers live in files by concern:
// gripdeck_dlg.cpp (start, labels and pages, OK / APPLY / Cancel, the handler
// table), dlg_skin.cpp (art, shape, frame and menu bar), dlg_file_commands.cpp
// (File and Edit menus, opening a recent file), dlg_forwarded_start.cpp (a
// second start and the path it hands over), dlg_session_end.cpp (close, Exit,
// the end of the Windows session), dlg_tray.cpp (ShowHide, start-up entry),
// dlg_assignment_menu.cpp (pad buttons and the assignment menu),
// dlg_assignment_commands.cpp (the menu's commands and editors),
// dlg_pad_status.cpp (APPLY, OK and the status line: the pad, the profile
// on it and who put it there), dlg_window_places.cpp (where the summary
// window and the pad picture open), dlg_help.cpp (the user guide),
// dlg_hotkeys.cpp (profile hotkeys and the tray's "Apply Profile"),
// dlg_json_commands.cpp (File > Import... and Export...: the JSON form).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/document_flow.h"
#include "app/main_window_rules.h"
#include "app/pad_status.h"
#include "app/settings_store.h"
#include "app/shell_rules.h"
#include "app/slot_editing.h"
#include "app/slot_label.h"
#include "app/command_line.h"
#include "app/device_watcher.h"
#include "app/recent_files_menu.h"
#include "app/tray_icon.h"
#include "autoswitch/auto_switch_win.h"
#include "autoswitch/profile_hotkeys_win.h"
#include "driverlink/driver_host_win.h"
#include "driverlink/driver_link.h"
#include "fw/dialog.h"
#include "fw/handle.h"
#include "fw/menu.h"
#include "app/model/profile_session.h"
#include "skin/labels.h"
#include "skin/pad_picture_wnd.h"
#include "skin/skin_button.h"
#include "summary/summary_fields.h"
#include "summary/summary_window.h"

namespace gd {

struct SkinnedButton;

class CGripdeckDlg : public CDialog, private ProfileHost {
  public:
    static constexpr int kPadButtons = 10;
    // Timer 1 hides the window 300 ms after a "-1" start; timer 5 belongs
    // to the device watcher; timer 6 ends the status line's "Applied"; timer
    // 7 continues the start once input that came first is handled.
    static constexpr UINT_PTR kHideTimer = 1;
    static constexpr UINT kHideDelayMs = 300;
    static constexpr UINT_PTR kAppliedTimer = 6;
    static constexpr UINT kAppliedShownMs = 3000;
    static constexpr UINT_PTR kContinueStartTimer = 7;

    // commandLine: the text after the program's name; "-1" starts hidden,
    // anything else but "" names a profile to open (quotes removed).
    explicit CGripdeckDlg(std::string_view commandLine);
    ~CGripdeckDlg() override;

    // button 0..9 refreshes one label; -1 all ten, then repaints the window.
    void RefreshLabels(int button);
    // 0: M1..M10, 1: M11..M20. Leaves the welcome page.
    void SelectMode(std::uint32_t mode);
    // 1 welcome page, 2 button page.
    void SetPage(int newPage);
    void ToggleFrame();
    // Asks about unsaved changes as `mode` has it (document_flow.h). False
    // when the command that asked is to stop (CommandGoesOn): the profile
    // then stays as it is.
    bool SaveModified(SaveModifiedMode mode);
    void LoadInstalledPackage();
    void ApplyProfile();

    // Between a shown window and tray-only.
    void ShowHide();

    void ShowAssignmentMenu();

  protected:
    BOOL OnInitDialog() override;
    // Enter does nothing.
    void OnOK() override {}
    // Escape and the close box hide the window to the tray.
    void OnCancel() override { ShowHide(); }
    const MessageMap& GetMessageMap() const override;

  private:
    // ---- window, pages, frame (gripdeck_dlg.cpp)
    // Bitmaps, places, label font and pages from the art's drawing at a
    // display scale (an index into its scales); again on each DPI change.
    void SkinControls(int scale);
    // keepPlace: resize only; else the window also moves to the screen's corner.
    void FitClientToSkin(bool keepPlace = false);
    // The window's region for the frame state and the current skin.
    void ApplyFrame();
    LRESULT OnDpiChanged(WPARAM dpi, LPARAM suggestedRect);
    // The start after the first paint, in two parts. MakeReady, at once:
    // the window's icons, the pad buttons, the skinned buttons, what the pad
    // holds and whether it is there, the summary window shown and the hide
    // of a "-1" start. Then StepsAfterReady, one per timer message
    // (ContinueStart), each after the input and paints that wait:
    // the tray icon and automatic profiles. FinishStart does whatever is left
    // of both at once, for whoever needs the start done. The pad picture is
    // made when it first shows.
    void FinishStart();
    void MakeReady();
    using StartStep = void (CGripdeckDlg::*)();
    static std::span<const StartStep> StepsAfterReady();
    // Runs the next step; false once none is left.
    bool ContinueStart();
    void ContinueStartLater();
    void AddTrayIcon();
    void StartAutoSwitch();
    void OnPaint();
    void OnSize(UINT type, int width, int height);
    LRESULT OnFinishStart(WPARAM, LPARAM);
    // The button page's background, the pad buttons' faces and the labels'
    // places and colour, once, before the button page may show.
    void LoadButtonPage();
    // The seven buttons drawn over the pages, with their ids and art.
    static std::span<const SkinnedButton> SkinnedButtons();
    // Their windows and the background frame, once the window has painted.
    void CreateSkinnedButtons();
    // The pad buttons and their labels, made with the button page's art.
    void CreatePadControls();
    void LoadFixedTexts();
    void SetTitle();
    // Shows the summary window in front of the main window, or hides it.
    void ShowSummaryWindow(bool shown);
    // The summary and the pad picture, where shown, above the main window.
    void KeepCompanionsInFront();
    LRESULT OnActivate(WPARAM state, LPARAM);
    BOOL OnEraseBkgnd(HDC dc);
    UINT OnNcHitTest(POINT screen);
    void OnLButtonDblClk(UINT flags, POINT client);
    void OnSysCommand(UINT command, POINT screen);
    LRESULT OnEnterMenuLoop(WPARAM popupOnly, LPARAM);
    LRESULT OnExitMenuLoop(WPARAM, LPARAM);
    // Frame and menu bar shown, before a menu of the bar opens.
    void ShowFrameForMenuBar();
    void OnTimer(UINT_PTR id);
    void EndHiddenStart();
    LRESULT OnTrayNotice(WPARAM, LPARAM mouseMessage);
    void OnClose(WPARAM request);
    // Ends the modal run and with it the program's working life.
    void EndRun(INT_PTR result);
    // The application's summaryVisible from what the user last saw.
    void TakeSummaryVisibility();
    // Logoff, shutdown and the restart manager.
    BOOL OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM ending, LPARAM);
    void OnDestroy();
    LRESULT OnSecondStart(WPARAM, LPARAM);
    LRESULT OnForwardedChar(WPARAM character, LPARAM lengthAndIndex);
    // A forwarded path waits for the last of the program's dialogs to close:
    // closing it enables the main window again.
    LRESULT OnEnable(WPARAM enabled, LPARAM);
    // True while a dialog of the main window's is open (an editor, a file
    // dialog, a message box); the main window is then kept disabled.
    bool HoldForOpenDialog();
    LRESULT OnOpenForwarded(WPARAM, LPARAM);
    void OpenForwardedPath();
    LRESULT OnQueryGroupFaces(WPARAM, LPARAM);
    LRESULT OnMark(WPARAM mark, LPARAM);
    LRESULT OnQueryMark(WPARAM, LPARAM) { return static_cast<LRESULT>(lastMark_); }
    void OnOkButton();
    void OnCancelButton();
    void OnFrameToggle() { ToggleFrame(); }
    void OnGroupLow() { SelectMode(0); }
    void OnGroupHigh() { SelectMode(1); }
    void OnPadIcon();
    void OnAbout();

    // ---- the user guide (dlg_help.cpp)
    void OnUserGuide();
    // F1 in the window or its menus, and in a message box or dialog of the
    // program that does not keep F1 for itself (the editors do). F1 is no
    // shortcut key of the window: the system turns it into this message
    // even when a key table took it, which would open the guide twice.
    BOOL OnHelp(const HELPINFO& help);

    // ProfileHost
    void ReportFileError(const std::string& path) override;
    void ShowSummary(const SummaryBlock& summary) override;
    void ShowProfileName(const std::string& name) override;
    std::uint32_t PrimaryScreenResolution() override;
    std::string WindowsDirectory() override;
    SystemFolderView SystemFolders() override { return driverHost_.SystemFolders(); }

    // ---- APPLY, OK and the status line (dlg_pad_status.cpp)
    // Publishes the profile shown, saved or not, and makes it the one to
    // return to after a game. False when the user cancelled the save
    // question: nothing was published.
    bool PutProfileOnPad();
    // Made with the skinned buttons, at its place in the art.
    void CreateStatusLine();
    // Its place and font at the skin's scale.
    void PlaceStatusLine();
    void ShowPadStatus();
    // Before the pad is looked at: the profile the driver's package holds.
    void ReadEarlierProfile();
    void OnPadPresence(PadPresence presence);
    // Automatic profiles put a profile on the pad.
    void OnPadSwitched(const std::string& profilePath, const std::string& program);
    void EndAppliedNote();

    // ---- profile hotkeys and the tray's "Apply Profile" (dlg_hotkeys.cpp)
    // Made in the constructor: the hotkeys publish and report through the window.
    CProfileHotkeys MakeHotkeys();
    // Registered where the tray icon and automatic profiles start.
    void StartHotkeys();
    // A hotkey (its text; empty: the tray) put the profile file on the pad.
    void OnProfileApplied(const std::string& path, const std::string& hotkey);

    // ---- where the summary window and the pad picture open (dlg_window_places.cpp)
    // Where the program last put one of them, and whether the user has
    // moved it since (or it came back where an earlier run left it).
    struct CompanionPlace {
        Rect placed{};
        bool shown = false;
        bool byUser = false;
    };
    // Places `window` as it is about to show: where the user left it, if
    // that is still on a monitor; else beside the main window, clear of
    // `other` when that shows.
    void PlaceCompanion(CWnd window, CompanionPlace& place, const std::optional<WindowSpot>& stored,
                        CWnd other);
    void PlaceSummary();
    void PlacePadPicture(CWnd picture);
    // Where the user left them, for the settings, as the program ends.
    void TakeCompanionSpots();

    // ---- file commands (dlg_file_commands.cpp)
    void OnFileNew();
    void OnFileOpen();
    void OnFileLoadSystemDefault();
    void OnFileSave();
    void OnFileSaveAs() { SaveAs(); }
    // Saved under the chosen name, Cancelled in the dialog, or Failed.
    SaveOutcome SaveAs();
    void OnFileSummary();
    // The summary from these fields, as one step; the summary window follows.
    void ChangeSummary(const SummaryFields& fields);
    // ---- the profile's picture (dlg_picture_commands.cpp): saved as PNG or
    // SVG, or printed on one page; the profile in the window, unsaved
    // changes and all, is left as it is.
    void OnFileExportPicture();
    void OnFilePrintPicture();
    // ---- undo and redo (dlg_file_commands.cpp)
    void OnEditUndo();
    void OnEditRedo();
    // Labels, summary window and title from the whole profile.
    void ShowWholeProfile();
    // After any change of the profile or its file: the title shows whether
    // it has unsaved changes.
    void ProfileChanged();
    // The Edit menu names the steps an undo and a redo would take.
    LRESULT OnInitMenuPopup(WPARAM menu, LPARAM);
    void OnFileClose() { ShowHide(); }
    void OnAppExit();
    // A recent file chosen in the tray menu: opened, named and applied at
    // once when the pad is there. Chosen in the File menu: opened, as Open
    // opens a file.
    RecentFilesMenu::OpenResult OpenRecentPath(const std::string& path, RecentFilesMenu::From from);

    // ---- the profile's JSON form (dlg_json_commands.cpp)
    // A new, modified, untitled profile from a JSON file, after the save
    // question; a refused file changes nothing and says where it is wrong.
    void OnFileImportJson();
    // The profile as shown, unsaved changes included, to a JSON file; the
    // profile, its file and its history stay as they are.
    void OnFileExportJson();

    // ---- start-up entry (dlg_tray.cpp)
    void OnLaunchAtStartup();

    // ---- pad buttons and the assignment menu (dlg_assignment_menu.cpp)
    void OnPadButton(UINT id);
    void OnPadLabel(UINT id);
    // The Menu key or Shift+F10 on a pad button or its label.
    void OnContextMenu(HWND window, POINT screen);
    // ShowAssignmentMenu at a screen point rather than the pointer's.
    void ShowAssignmentMenuAt(POINT screen);
    LRESULT OnPadPickLowGroup(WPARAM button, LPARAM);
    LRESULT OnPadPickHighGroup(WPARAM button, LPARAM);
    void PickFromPicture(std::uint32_t mode, WPARAM button);

    // ---- assignment commands (dlg_assignment_commands.cpp)
    bool HasSelectedButton() const { return session_.HasSelection(); }
    // A label click: the editor of the assignment the button already has.
    void EditCurrentAssignment();
    // A command of the assignment menu that opens an editor.
    void OnEditorCommand(UINT id);
    // Runs the editor for the selected button; its OK is one step.
    void RunEditor(SlotEditorKind kind);
    // Puts `slot` into the button `where` as one step named after the
    // command `commandId`; its label and the title follow.
    void ChangeSlot(SlotRef where, const ButtonSlot& slot, UINT commandId);
    // After the slot of `where` changed: its label, if shown, and the title.
    void SlotChanged(SlotRef where);
    void OnDirectSlotCommand(UINT id);
    void OnCopySlot();
    void OnPasteSlot();

    ProfileSession session_{*this};
    WinDriverHost driverHost_;
    DriverLink driverLink_;
    // Profiles that follow the program in front; chained into the handler table.
    CAutoSwitch autoSwitch_;
    // Hotkeys and the tray's "Apply Profile"; chained after autoSwitch_.
    CProfileHotkeys hotkeys_;

    CSkinButton frameToggle_;
    CSkinButton padIcon_;
    CSkinButton groupLow_;
    CSkinButton groupHigh_;
    CSkinButton apply_;
    CSkinButton ok_;
    CSkinButton cancel_;
    CSkinButton padButtons_[kPadButtons];
    CTransStatic labels_[kPadButtons];
    CTransStatic padStatus_;
    PadPresence padPresence_ = PadPresence::Unknown;
    PadHolding padHolding_;
    bool appliedShown_ = false;
    // The window is going: automatic profiles' last publish changes no status.
    bool ending_ = false;
    CompanionPlace summaryPlace_;
    CompanionPlace picturePlace_;

    CSummaryWindow summaryWindow;
    CPadPictureWnd padPictureWindow;

    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueBitmap buttonPage_;   // 301
    UniqueBitmap welcomePage_;  // 300
    UniqueBitmap shapeMask_;    // 302
    SIZE skinSize_{};
    int artScale_ = 0;
    // The dialog's font is made for the DPI the window was created at; the
    // labels get a copy at the skin's scale when that differs.
    std::uint32_t dialogFontDpi_ = 0;
    UniqueFont labelFont_;
    RECT windowRect_{};
    POINT clientOrigin_{};
    int frameHidden = 0;
    int page = 0;

    CMenu assignmentMenu_;
    TrayIcon trayIcon_{[this] { ShowHide(); }};
    RecentFilesMenu recentFilesMenu_{[this](const std::string& path, RecentFilesMenu::From from) {
        return OpenRecentPath(path, from);
    }};
    DeviceWatcher deviceWatcher_{driverLink_, driverHost_, apply_,
                                 [this](PadPresence presence) { OnPadPresence(presence); }};

    LabelTexts labelTexts_;
    std::string appTitle_;

    int windowShown = 1;
    int launchAtStartup = 0;
    UINT clipboardFormat = 0;
    // Collects a command line forwarded by a second start, and the path it
    // names until it can be opened.
    ForwardedCommandLine forwarded_;
    ForwardedOpen forwardedOpen_;
    bool finishStartPosted_ = false;
    bool startFinished_ = false;
    std::size_t stepsDone_ = 0;
    // A menu of the window (bar, assignment or tray menu) is open.
    bool inMenu_ = false;
    bool buttonPageLoaded_ = false;
    // The guide is being opened, or a message about it is open: F1 in that
    // message opens no second one.
    bool openingGuide_ = false;
    WPARAM lastMark_ = 0;
};

}  // namespace gd
