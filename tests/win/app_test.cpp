// gripdeck.exe driven from outside as a user and the system meet it:
// starting it, its File menu, its main window and its assignment commands.
#include "app_keyboard_support.h"
#include "app_test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "support/win_test_support.h"

namespace gd::apptest {
namespace {

// Starting gripdeck.exe: the fresh start with the settings and the summary
// dialog, the one running copy and what a second start hands it, and the
// hidden start.

using StartTest = AppTest;

int RegionKind(HWND window) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(window, region);
    ::DeleteObject(region);
    return kind;
}

// Settings are read at start and written at exit.
TEST_F(StartTest, FreshStartShowsTheWelcomePageAndTheSettingsLastToTheNextStart) {
    WriteSetting("Introduction", "Welcome!");
    {
        Program program("");
        HWND main = program.Main();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(Setting("Introduction").value_or("missing"), "");
        EXPECT_EQ(WindowText(main), "Gripdeck: default.gpx");
        EXPECT_TRUE(::IsWindowVisible(main));
        EXPECT_FALSE(Shows(main, IDC_PAD_BUTTON_0));
        EXPECT_FALSE(Shows(main, IDC_PAD_LABEL_9));
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(LabelText(main, i), "Off") << i;
        }
        EXPECT_TRUE(HasTrayIcon(main));
        EXPECT_EQ(ApplyLook(main), 0);
        HWND window = program.SummaryWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_EQ(RegionKind(main), COMPLEXREGION);  // cut to the skin

        // The summary dialog edits the summary and hides the summary window.
        program.Command(ID_FILE_SUMMARY);
        HWND dialog = WaitForDialog(program.Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
        ASSERT_NE(dialog, nullptr);
        HWND check = ::GetDlgItem(dialog, IDC_SHOW_SUMMARY);
        EXPECT_EQ(::SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
        SetField(dialog, IDC_SUMMARY_NAME, "Renamed");
        ::SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);
        PressButton(dialog, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
        program.Sync();
        EXPECT_FALSE(::IsWindowVisible(window));
        EXPECT_EQ(ControlText(::GetDlgItem(window, IDC_SUMMARY_NAME)), "Renamed");
        // A close request with wParam 1 ends the run without questions, unsaved or not.
        ::PostMessageA(main, WM_CLOSE, 1, 0);
        ASSERT_TRUE(program.WaitForEnd());
    }
    // Stored as the user last saw it, the summary window stays hidden at the next start.
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettings, "Summary").value_or(9), 0u);
    // It shows the summary of the profile the window starts with: the installed one.
    SummaryBlock installed{};
    WriteText(installed.name, "Installed set");
    installed.resolution = 0x04000300;
    const std::vector<std::uint8_t> package = EncodePackage(*MacroProfile("I", {0}), installed);
    ASSERT_TRUE(WriteFileInPlace(PackageFile(), package.data(), package.size()));
    Program program("");
    ASSERT_NE(program.Main(), nullptr);
    HWND window = program.SummaryWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(LabelText(program.Main(), 0), "I0");
    EXPECT_EQ(ControlText(::GetDlgItem(window, IDC_SUMMARY_NAME)), "Installed set");
    EXPECT_EQ(ControlText(::GetDlgItem(window, IDC_SUMMARY_RESOLUTION)), "1024x768");
}

TEST_F(StartTest, ASecondStartTellsTheRunningCopyAndHandsItAPath) {
    const std::string path = Work("forwarded profile.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("Fw", {0, 9})));
    Program running("");
    HWND main = running.Main();
    ASSERT_NE(main, nullptr);

    // "install", "-1" and a text too long for the running copy's buffer only
    // tell it about the start: a shown window stays as it is.
    std::string tooLong(600, 'x');
    for (const std::string& arguments : {std::string("install"), std::string("-1"), tooLong}) {
        Program second(arguments);
        EXPECT_TRUE(second.WaitForEnd()) << arguments;
    }
    running.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: default.gpx");
    EXPECT_EQ(FindDialog(running.Pid(), kProgramBase), nullptr);

    // A hidden one comes back and opens the quoted path; forwarding is
    // synchronous and the open is posted from it, so both are done once the
    // second copy ended and the window handled what was posted.
    running.Command(ID_FILE_CLOSE);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    {
        Program second(Quoted(path));
        ASSERT_TRUE(second.WaitForEnd());
        EXPECT_EQ(second.FindMain(), nullptr);
    }
    running.Sync();
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_EQ(WindowText(main), "Gripdeck: forwarded profile.gpx");
    EXPECT_EQ(LabelText(main, 0), "Fw0");
    EXPECT_EQ(LabelText(main, 9), "Fw9");

    // A script's slashes: the title and the recent list show the usual form.
    const std::string slashed = Work("forwarded with slashes.gpx");
    ASSERT_TRUE(WriteProfile(slashed, *MacroProfile("Sl", {0})));
    std::string forwarded = slashed;
    std::replace(forwarded.begin(), forwarded.end(), '\\', '/');
    {
        Program second(Quoted(forwarded));
        ASSERT_TRUE(second.WaitForEnd());
    }
    running.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: forwarded with slashes.gpx");
    EXPECT_EQ(LabelText(main, 0), "Sl0");

    // A name relative to the second copy's folder, which the running copy
    // does not share: it arrives as the full path.
    const std::string relative = Work("forwarded relative name.gpx");
    ASSERT_TRUE(WriteProfile(relative, *MacroProfile("Rl", {0})));
    {
        Program second(Quoted("forwarded relative name.gpx"), Work(""));
        ASSERT_TRUE(second.WaitForEnd());
    }
    running.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: forwarded relative name.gpx");
    EXPECT_EQ(LabelText(main, 0), "Rl0");
    running.Command(ID_APP_EXIT);
    ASSERT_TRUE(running.WaitForEnd());
    EXPECT_EQ(Setting("Recent00").value_or(""), relative);
    EXPECT_EQ(Setting("Recent01").value_or(""), slashed);
    EXPECT_EQ(Setting("Recent02").value_or(""), path);
}

// "-1" starts in the tray; the tray icon, Close, Escape and Show/Hide hide and show.
TEST_F(StartTest, MinusOneStartsInTheTrayAndCloseEscapeAndTheTrayHideAndShow) {
    Program program("-1");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    HWND summary = program.SummaryWindow();
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    EXPECT_TRUE(HasTrayIcon(main));
    EXPECT_TRUE(::IsWindowVisible(summary));
    ::PostMessageA(main, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) && ::IsWindowVisible(summary); }));
    PressButton(main, IDOK);  // Enter does nothing
    program.Sync();
    EXPECT_TRUE(::IsWindowVisible(main));

    PressButton(main, IDCANCEL);  // Escape
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    program.Command(ID_TRAY_SHOW_HIDE);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }));
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main) && !::IsWindowVisible(summary); }));
    EXPECT_FALSE(program.HasEnded());
}

// The File menu: New, Open, Save, Save As with its summary panel, Load System
// Default, Exit, and the recent-file list they keep.

using FileTest = AppTest;

// A path on the command line is opened at start and Save writes it without a
// dialog; New then goes through Save As with the summary panel; Open reads the
// chosen file and puts it first in the recent list; Load System Default reads
// the package.
TEST_F(FileTest, StartWithAPathSaveNewSaveAsOpenAndLoadSystemDefault) {
    const std::vector<std::uint8_t> package = EncodePackage(*MacroProfile("Pkg", {1}), {});
    ASSERT_TRUE(WriteFileInPlace(PackageFile(), package.data(), package.size()));
    const std::string path = Work("other.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("Other", {1}), "at start", 0x04000300));
    const std::string saved = Work("saved by panel.gpx");
    ::DeleteFileA(saved.c_str());
    const std::string opened = Work("opened.gpx");
    ASSERT_TRUE(WriteProfile(opened, *MacroProfile("b", {0})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Gripdeck: other.gpx");
    ASSERT_EQ(LabelText(main, 1), "Other1");
    HWND summary = program.SummaryWindow();
    EXPECT_EQ(ControlText(::GetDlgItem(summary, IDC_SUMMARY_NAME)), "at start");
    ASSERT_TRUE(::DeleteFileA(path.c_str()));
    program.Command(ID_FILE_SAVE);
    program.Sync();
    EXPECT_EQ(FindDialog(program.Pid(), "Save As"), nullptr);
    ReadBack back = ReadProfile(path);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(ReadText(back.image->slots[1].macro.name), "Other1");
    EXPECT_EQ(back.summary.resolution, 0x04000300u);

    program.Command(ID_FILE_NEW);
    program.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: Unfiled");
    EXPECT_TRUE(Shows(main, IDC_PAD_LABEL_0));
    program.Command(ID_FILE_SAVE);
    HWND dialog = WaitForDialog(program.Pid(), "Save As");
    ASSERT_NE(dialog, nullptr);
    HWND panel = FindWindowExA(dialog, nullptr, "#32770", nullptr);
    while (panel != nullptr && ::GetDlgItem(panel, IDC_SUMMARY_NAME) == nullptr) {
        panel = FindWindowExA(dialog, panel, "#32770", nullptr);
    }
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(ControlText(::GetDlgItem(dialog, 0x047C)).rfind("Unfiled", 0), 0u);
    // New takes the screen's size as the resolution.
    EXPECT_EQ(ControlText(::GetDlgItem(panel, IDC_RESOLUTION_X)),
              std::to_string(::GetSystemMetrics(SM_CXSCREEN)));
    SetField(panel, IDC_SUMMARY_NAME, "Racing set");
    SetField(panel, IDC_RESOLUTION_X, "1024");
    SetField(panel, IDC_RESOLUTION_Y, "768");
    ChooseFile(dialog, saved);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    program.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: saved by panel.gpx");
    back = ReadProfile(saved);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(ReadText(back.summary.name), "Racing set");
    EXPECT_EQ(back.summary.resolution, 0x04000300u);
    EXPECT_EQ(back.image->slots[19].slotType, SlotType::Off);
    EXPECT_EQ(ControlText(::GetDlgItem(summary, IDC_SUMMARY_NAME)), "Racing set");
    EXPECT_EQ(ControlText(::GetDlgItem(summary, IDC_SUMMARY_RESOLUTION)), "1024x768");

    program.Command(ID_FILE_OPEN);
    dialog = WaitForDialog(program.Pid(), "Open");
    ASSERT_NE(dialog, nullptr);
    ChooseFile(dialog, opened);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    program.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: opened.gpx");
    EXPECT_EQ(LabelText(main, 0), "b0");

    program.Command(ID_FILE_LOAD_SYSTEM_DEFAULT);
    program.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: default.gpx");
    EXPECT_EQ(LabelText(main, 1), "Pkg1");
    EXPECT_TRUE(Shows(main, IDC_PAD_LABEL_1));
    // Nothing unsaved: Exit asks nothing.
    program.Command(ID_APP_EXIT);
    ASSERT_TRUE(program.WaitForEnd());
    EXPECT_EQ(Setting("Recent00").value_or(""), opened);
}

// The main window: pages and groups with their labels, the frame toggle and
// the assignment menu.

using WindowTest = AppTest;

TEST_F(WindowTest, FrameFollowsTheButtonAndADoubleClick) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    // The pad icon leaves the welcome page.
    ClickControl(main, IDC_PAD_ICON);
    program.Sync();
    EXPECT_TRUE(Shows(main, IDC_PAD_LABEL_0));
    RECT shaped{};
    ::GetWindowRect(main, &shaped);

    ClickControl(main, IDC_FRAME_TOGGLE);
    program.Sync();
    EXPECT_EQ(RegionKind(main), SIMPLEREGION);
    RECT framed{};
    ::GetWindowRect(main, &framed);
    EXPECT_TRUE(::EqualRect(&shaped, &framed));

    ::PostMessageA(main, WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 20));
    program.Sync();
    EXPECT_EQ(RegionKind(main), COMPLEXREGION);
}

// The group buttons leave the welcome page and switch the labels; the pad
// picture opens the assignment menu.
TEST_F(WindowTest, GroupsSwitchTheLabelsAndThePictureOpensTheMenu) {
    const std::string path = Work("groups.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("G", {0, 4, 10, 12, 19})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    // M11-M20 on the welcome page: the button page and the upper group at once.
    ClickControl(main, IDC_GROUP_M11_M20);
    program.Sync();
    EXPECT_TRUE(Shows(main, IDC_PAD_BUTTON_0) && Shows(main, IDC_PAD_LABEL_9));
    EXPECT_EQ(LabelText(main, 0), "G10");
    EXPECT_EQ(LabelText(main, 4), "Off");
    EXPECT_EQ(LabelText(main, 9), "G19");
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "G0");
    EXPECT_EQ(LabelText(main, 4), "G4");
    EXPECT_EQ(LabelText(main, 9), "Off");

    // On the button page the pad icon shows the pad picture beside the window.
    ClickControl(main, IDC_PAD_ICON);
    program.Sync();
    HWND picture = program.PadPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(::IsWindowVisible(picture));

    // The picture's M13 switches to the upper group first.
    ClickControl(picture, IDC_PICTURE_M13);
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
    EXPECT_EQ(LabelText(main, 2), "G12");
    CloseMenu(program.Pid());

    // The icon again: the picture goes, and with it the button page.
    ClickControl(main, IDC_PAD_ICON);
    program.Sync();
    EXPECT_FALSE(::IsWindowVisible(picture));
    EXPECT_FALSE(Shows(main, IDC_PAD_BUTTON_0));

    // A number outside the group selects and opens nothing.
    ::PostMessageA(main, WM_USER + 102, 10, 0);
    program.Sync();
    EXPECT_EQ(OpenPopupMenu(program.Pid()), nullptr);
    EXPECT_EQ(LabelText(main, 2), "G12");
}

// The assignment menu's commands through the running program: the editors
// they open and a whole slot copied and pasted.

class AssignmentTest : public AppTest {
  protected:
    // Clicks pad button `button` of the shown group, which selects it and
    // opens the assignment menu, and closes the menu again: the button stays
    // selected for the command that follows.
    static void Select(Program& program, HWND main, int button) {
        ClickControl(main, IDC_PAD_BUTTON_0 + button);
        ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
        CloseMenu(program.Pid());
    }

    // Cancel on a modified, named profile asks first; Yes saves it. Returns the saved file.
    static ReadBack SaveThroughCancel(Program& program, HWND main, const std::string& path) {
        ClickControl(main, IDC_CANCEL);
        HWND question = WaitForDialog(program.Pid(), kProgramBase);
        EXPECT_NE(question, nullptr) << "the profile did not count as modified";
        EXPECT_EQ(MessageText(question), SaveQuestion(path.substr(path.rfind('\\') + 1)));
        PressButton(question, IDYES);
        program.Sync();
        ReadBack back = ReadProfile(path);
        EXPECT_EQ(back.error, FileError::None);
        return back;
    }
};

using test::Inject;
using test::Strokes;

// A macro recorded in the editor fills its button and the label reopens it;
// single keys and single switches come from the key and mouse dialogs; a slot
// copied on M3 and pasted on M18 is the same slot.
TEST_F(AssignmentTest, EditorsFillTheButtonsTheirLabelsReopenThemAndPasteGivesTheSameSlot) {
    const std::string path = Work("assignments.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("G", {5})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);  // the buttons of M1-M10

    Select(program, main, 1);
    program.Command(ID_MACRO);
    HWND editor = WaitForDialog(program.Pid(), "Macro Edit:");
    ASSERT_NE(editor, nullptr);
    SetField(editor, IDC_MACRO_NAME, "Burst");
    ClickControl(editor, IDC_START_RECORDING);
    ASSERT_TRUE(
        WaitFor([&] { return !::IsWindowEnabled(::GetDlgItem(editor, IDC_START_RECORDING)); }));
    Inject(Strokes({test::kKeyA}));
    HWND list = ::GetDlgItem(editor, IDC_EVENT_LIST);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    ClickControl(editor, IDC_STOP_RECORDING);
    ClickControl(editor, IDC_OK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }));
    program.Sync();
    EXPECT_EQ(LabelText(main, 1), "Burst");

    // The label opens the editor on the stored macro; Cancel changes nothing.
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_PAD_LABEL_0 + 1, STN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(main, IDC_PAD_LABEL_0 + 1)));
    editor = WaitForDialog(program.Pid(), "Macro Edit:");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ControlText(::GetDlgItem(editor, IDC_MACRO_NAME)), "Burst");
    EXPECT_EQ(::SendMessageA(::GetDlgItem(editor, IDC_EVENT_LIST), LVM_GETITEMCOUNT, 0, 0), 2);
    ClickControl(editor, IDC_CANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }));

    // A key pressed anywhere on the desktop becomes M1's key.
    Select(program, main, 0);
    program.Command(ID_KEYBOARD);
    HWND capture = WaitForDialog(program.Pid(), "Please press a single key");
    ASSERT_NE(capture, nullptr);
    const std::string startName = ControlText(::GetDlgItem(capture, IDC_KEY_NAME));
    Inject(Strokes({test::kKeyB}));
    ASSERT_TRUE(
        WaitFor([&] { return ControlText(::GetDlgItem(capture, IDC_KEY_NAME)) != startName; }));
    const std::string keyName = ControlText(::GetDlgItem(capture, IDC_KEY_NAME));
    PressButton(capture, IDC_ACCEPT);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(capture); }));
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), keyName);

    // A single switch of the left button, named after it.
    Select(program, main, 2);
    program.Command(ID_SINGLE_SWITCH_MOUSE_BUTTON);
    HWND mouse = WaitForDialog(program.Pid(), "Please select a mouse button");
    ASSERT_NE(mouse, nullptr);
    PressButton(mouse, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(mouse); }));
    program.Sync();
    const std::string switchLabel = LabelText(main, 2);
    EXPECT_NE(switchLabel.find("(Single)"), std::string::npos) << switchLabel;

    Select(program, main, 2);
    program.Command(ID_EDIT_COPY);
    program.Sync();
    const UINT format = ::RegisterClipboardFormatA("CLIP_GRIPDECKFMT");
    EXPECT_TRUE(::IsClipboardFormatAvailable(format));

    ClickControl(main, IDC_GROUP_M11_M20);
    program.Sync();
    Select(program, main, 7);
    program.Command(ID_EDIT_PASTE);
    program.Sync();
    EXPECT_EQ(LabelText(main, 7), switchLabel);

    // While M14's key editor is open the pad picture's M4 opens nothing and
    // switches no group: the editor's OK fills M14.
    Select(program, main, 3);
    program.Command(ID_KEYBOARD);
    capture = WaitForDialog(program.Pid(), "Please press a single key");
    ASSERT_NE(capture, nullptr);
    ::PostMessageA(main, WM_USER + 102, 3, 0);
    program.Sync();
    EXPECT_EQ(OpenPopupMenu(program.Pid()), nullptr);
    Inject(Strokes({test::kKeyB}));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(capture, IDC_ACCEPT)); }));
    PressButton(capture, IDC_ACCEPT);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(capture); }));
    program.Sync();
    EXPECT_NE(LabelText(main, 3), "Off");

    const ReadBack back = SaveThroughCancel(program, main, path);
    const ButtonSlot& slot = back.image->slots[1];
    EXPECT_EQ(slot.slotType, SlotType::Macro);
    EXPECT_EQ(ReadText(slot.macro.name), "Burst");
    ASSERT_EQ(slot.macro.eventCount, 2u);
    EXPECT_EQ(slot.macro.events[0], 0x0100001Eu);
    EXPECT_EQ(slot.macro.events[1], 0x0110001Eu);
    EXPECT_EQ(slot.macro.playMode, PlayMode::Once);
    EXPECT_EQ(back.image->slots[0].slotType, SlotType::SingleKey);
    EXPECT_EQ(back.image->slots[0].action.code, 0x01200030u);
    EXPECT_EQ(MultiLayerKind(back.image->slots[2].multiLayer),
              MultiLayerKindValue::SingleSwitchMouse);
    EXPECT_EQ(std::memcmp(&back.image->slots[17], &back.image->slots[2], sizeof(ButtonSlot)), 0);
    EXPECT_EQ(back.image->slots[13].action.code, 0x01200030u);  // B, clicked
    EXPECT_EQ(back.image->slots[3].slotType, SlotType::Off);
}

// The keyboard alone, as a user without a mouse: Tab reaches every control
// of the main window, its editors and the pad picture, and Enter, Space,
// Escape, the Menu key, Shift+F10 and Alt do their work. Read back: focus,
// open menus and dialogs, labels and the names pad buttons carry.

using KeyboardTest = AppTest;

TEST_F(KeyboardTest, EveryWindowIsWorkedFromTheKeyboardAlone) {
    const KeyboardCues cues(FALSE);
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ::SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == main; }));
    const DWORD pid = program.Pid();

    // A click shows no focus cue; the first Tab does. Tab goes from each pad
    // button to its label.
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();
    EXPECT_FALSE(CuesShown(main));
    for (int id : {IDC_PAD_ICON, IDC_GROUP_M11_M20, IDC_APPLY, IDC_CANCEL, IDC_OK, IDC_FRAME_TOGGLE,
                   IDC_PAD_BUTTON_0, IDC_PAD_LABEL_0, IDC_PAD_BUTTON_1}) {
        Press({kTab});
        EXPECT_TRUE(WaitForFocus(id)) << id;
    }
    EXPECT_TRUE(CuesShown(main));
    HWND m2 = ::GetDlgItem(main, IDC_PAD_BUTTON_1);

    // Enter on M2 drops its menu from the button; Single > Keyboard opens
    // the key capture, which takes Enter as its key and is then ended with
    // Space on the OK it gave the focus to.
    Press({kEnter});
    ASSERT_TRUE(MenuOpens(pid));
    RECT button{}, menu{};
    ::GetWindowRect(m2, &button);
    ::GetWindowRect(OpenPopupMenu(pid), &menu);
    EXPECT_EQ(menu.left, button.left);
    EXPECT_EQ(menu.top, button.bottom);
    Press({kDown, kRight, kEnter});
    HWND capture = WaitForDialog(pid, "Please press a single key");
    ASSERT_NE(capture, nullptr);
    Press({kEnter});
    EXPECT_TRUE(
        WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(capture, IDC_CAPTURE_AGAIN)); }));
    // The capture hands the focus to OK once it has enabled it.
    EXPECT_TRUE(WaitForFocus(IDC_ACCEPT)) << Focused();
    const std::string enterName = ControlText(::GetDlgItem(capture, IDC_KEY_NAME));
    Press({kSpace});
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(capture); }));
    program.Sync();
    EXPECT_EQ(LabelText(main, 1), enterName);
    EXPECT_EQ(WindowText(m2), "M2, Single: " + enterName);

    // The Menu key on the label opens the same menu; Enter reopens the key
    // capture, whose Cancel Tab reaches once a key (Escape) was taken.
    Press({kTab});
    ASSERT_TRUE(WaitForFocus(IDC_PAD_LABEL_1));
    Press({kMenuKey});
    EXPECT_TRUE(MenuOpens(pid));
    Press({kEscape});
    Press({kEnter});
    capture = WaitForDialog(pid, "Please press a single key");
    ASSERT_NE(capture, nullptr);
    Press({kEscape});
    ASSERT_TRUE(EndWith(capture, IDC_REJECT));
    program.Sync();
    EXPECT_EQ(LabelText(main, 1), enterName);

    // Shift+F10 on M3's label: Multi Layers > Advanced. In the editor the
    // list's free row takes Shift+F10 and Enter; the layers come from Single >
    // Keyboard and Stop > Stop Key, and OK ends it.
    ASSERT_TRUE(TabTo(IDC_PAD_LABEL_2));
    Press({kF10}, &kShift);
    ASSERT_TRUE(MenuOpens(pid));
    Press({kDown, kDown, kDown, kRight, kDown, kDown, kEnter});
    HWND layers = WaitForDialog(pid, "Multi Layers Edit:");
    ASSERT_NE(layers, nullptr);
    SetField(layers, IDC_RECORD_NAME, "Walk");
    ASSERT_TRUE(TabTo(IDC_LAYER_LIST));
    Press({kF10}, &kShift);
    ASSERT_TRUE(MenuOpens(pid));
    Press({kDown, kRight, kEnter});
    capture = WaitForDialog(pid, "Please press a single key");
    ASSERT_NE(capture, nullptr);
    Press({kSpace});  // taken as the key; then OK has the focus
    EXPECT_TRUE(WaitForFocus(IDC_ACCEPT));
    Press({kSpace});
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(capture); }));
    ASSERT_TRUE(TabTo(IDC_LAYER_LIST));
    Press({kHome, kDown, kEnter});  // the free row has nothing to edit: its menu
    ASSERT_TRUE(MenuOpens(pid));
    Press({kDown, kDown, kDown, kRight, kEnter});
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(layers, IDC_OK)); }));
    ASSERT_TRUE(EndWith(layers, IDC_OK));
    program.Sync();
    EXPECT_EQ(LabelText(main, 2), "Walk");

    // The twin switch's arrows are tab stops whose menu Space opens.
    ASSERT_TRUE(TabTo(IDC_PAD_BUTTON_3));
    Press({kEnter});
    ASSERT_TRUE(MenuOpens(pid));
    Press({kDown, kDown, kDown, kRight, kDown, kEnter});
    HWND twin = WaitForDialog(pid, "Twin Switch Edit:");
    ASSERT_NE(twin, nullptr);
    for (int arrow : {IDC_KEY1_ARROW, IDC_KEY2_ARROW}) {
        ASSERT_TRUE(TabTo(arrow));
        Press({kSpace});
        EXPECT_TRUE(MenuOpens(pid)) << arrow;
        Press({kEscape});
    }
    ASSERT_TRUE(EndWith(twin, IDC_REJECT));

    // The macro editor's list opens its menu with the Menu key.
    ASSERT_TRUE(TabTo(IDC_PAD_BUTTON_4));
    Press({kEnter});
    ASSERT_TRUE(MenuOpens(pid));
    Press({kDown, kDown, kEnter});
    HWND macro = WaitForDialog(pid, "Macro Edit:");
    ASSERT_NE(macro, nullptr);
    ASSERT_TRUE(TabTo(IDC_EVENT_LIST));
    Press({kMenuKey});
    EXPECT_TRUE(MenuOpens(pid));
    Press({kEscape});
    ASSERT_TRUE(EndWith(macro, IDC_CANCEL));

    // The pad picture: Space on the pad icon shows it with the keyboard in
    // it; Enter on its M2 opens the menu; Escape goes back.
    ASSERT_TRUE(TabTo(IDC_PAD_ICON));
    Press({kSpace});
    ASSERT_TRUE(WaitFor([&] { return program.PadPicture() != nullptr; }));
    ASSERT_TRUE(TabTo(IDC_PICTURE_M2));
    Press({kEnter});
    ASSERT_TRUE(MenuOpens(pid));
    Press({kEscape, kEscape});
    EXPECT_TRUE(WaitFor([&] { return ::IsChild(main, FocusWindow()) != FALSE; }));

    // Alt+F shows the frame with the menu bar whose File menu drops; Escape
    // closes the menu, leaves the bar, and then hides the window.
    Press({kF}, &kAlt);
    EXPECT_TRUE(MenuOpens(pid));
    EXPECT_EQ(RegionKind(main), SIMPLEREGION);
    Press({kEscape, kEscape});
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(pid) == nullptr; }));
    Press({kEscape});
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
}

// Undo and redo in the running program: a slot and the summary, by menu
// command and by their shortcut keys, with the labels, the summary window
// and the title's unsaved mark following each.
TEST_F(AssignmentTest, UndoAndRedoTakeBackSlotsAndTheSummaryAndKnowTheSavedState) {
    constexpr Key kCtrl{VK_CONTROL, 0x1D};
    constexpr Key kZ{'Z', 0x2C};
    constexpr Key kY{'Y', 0x15};
    const std::string path = Work("undo and redo of a profile.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("Ud", {0})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    const std::string title = "Gripdeck: undo and redo of a profile.gpx";
    HWND summaryWindow = program.SummaryWindow();
    ASSERT_NE(summaryWindow, nullptr);
    const auto summaryName = [&] {
        return ControlText(::GetDlgItem(summaryWindow, IDC_SUMMARY_NAME));
    };
    const std::string nameBefore = summaryName();
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();
    ASSERT_EQ(LabelText(main, 0), "Ud0");

    Select(program, main, 0);
    program.Command(ID_OFF);
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "Off");
    EXPECT_EQ(WindowText(main), title + " *");

    program.Command(ID_FILE_SUMMARY);
    HWND dialog = WaitForDialog(program.Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
    ASSERT_NE(dialog, nullptr);
    SetField(dialog, IDC_SUMMARY_NAME, "Renamed by the undo test");
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    program.Sync();
    EXPECT_EQ(summaryName(), "Renamed by the undo test");

    program.Command(ID_EDIT_UNDO);
    program.Sync();
    EXPECT_EQ(summaryName(), nameBefore);
    EXPECT_EQ(LabelText(main, 0), "Off");
    program.Command(ID_EDIT_UNDO);
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "Ud0");
    EXPECT_EQ(WindowText(main), title);

    // The keys, typed into the main window.
    ::SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == main; }));
    // Typed keys come after every posted message, Sync's mark among them:
    // their whole effect is waited for, the title last.
    Press({kY}, &kCtrl);
    EXPECT_TRUE(
        WaitFor([&] { return LabelText(main, 0) == "Off" && WindowText(main) == title + " *"; }));
    Press({kZ}, &kCtrl);
    EXPECT_TRUE(WaitFor([&] { return LabelText(main, 0) == "Ud0" && WindowText(main) == title; }));

    // Saved after a redo: that state is the saved one, and an undo leaves it.
    program.Command(ID_EDIT_REDO);
    program.Command(ID_FILE_SAVE);
    program.Sync();
    EXPECT_EQ(WindowText(main), title);
    EXPECT_EQ(ReadProfile(path).image->slots[0].slotType, SlotType::Off);
    program.Command(ID_EDIT_UNDO);
    program.Sync();
    EXPECT_EQ(WindowText(main), title + " *");
}

}  // namespace
}  // namespace gd::apptest
