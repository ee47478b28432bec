// No edit lost and no wrong profile taken, driven in the running program:
// the tray used while an editor is open, cancelled or failed saves, edited
// summaries, paths forwarded while dialogs are open, and the summary
// window's visibility stored at an Exit from the tray.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app_test_support.h"
#include "support/win_test_support.h"

namespace gd::apptest {
namespace {

std::string CantOpen(const std::string& path) {
    return "Can't open the file " + path + ". Please verify it again.";
}

// Each case drives one running copy.
class DataSafetyTest : public AppTest {
  protected:
    void Start(const std::string& arguments) {
        program_ = std::make_unique<Program>(arguments);
        main_ = program_->Main();
        ASSERT_NE(main_, nullptr);
    }
    DWORD Pid() const { return program_->Pid(); }
    DWORD_PTR GroupFaces() const {
        DWORD_PTR faces = 99;
        ::SendMessageTimeoutA(main_, kQueryGroupFacesMessage, 0, 0, SMTO_NORMAL, kLimitMs, &faces);
        return faces;
    }

    // The program's shown dialogs with this title (its message boxes by default).
    std::vector<HWND> Dialogs(const std::string& title = kProgramBase) const {
        std::vector<HWND> found = TopLevelWindows(Pid(), "#32770");
        std::erase_if(found, [&](HWND window) { return WindowText(window) != title; });
        return found;
    }
    // Waits for the only such dialog (reading `text`, when given), answers
    // it and waits until it has gone.
    void Answer(const std::string& title, int button, const std::string& text = "") const {
        HWND dialog = nullptr;
        const bool shown = WaitFor([&] {
            const std::vector<HWND> found = Dialogs(title);
            const bool one = found.size() == 1 && (text.empty() || MessageText(found[0]) == text);
            return (dialog = one ? found[0] : nullptr) != nullptr;
        });
        ASSERT_TRUE(shown) << title << ": " << text;
        Close(dialog, button);
    }
    static void Close(HWND dialog, int button) {
        PressButton(dialog, button);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    }

    // A second start hands the running copy this path, which handles it.
    void StartAgainWith(const std::string& path) const {
        Program second(Quoted(path));
        EXPECT_TRUE(second.WaitForEnd());
        program_->Sync();
    }

    // True once the title names `name` and the open that set it (and then
    // the labels) is over.
    bool Shows(const std::string& name) const {
        const bool shown = WaitFor([&] { return WindowText(main_) == "Gripdeck: " + name; });
        program_->Sync();
        return shown;
    }

    // File > Information of the Summary (not the summary window of the
    // same title), with a new name typed in.
    HWND EditSummary(const std::string& name) const {
        program_->Command(ID_FILE_SUMMARY);
        HWND dialog = WaitForDialog(Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
        SetField(dialog, IDC_SUMMARY_NAME, name);
        return dialog;
    }

    std::unique_ptr<Program> program_;
    HWND main_ = nullptr;
};

// An editor open over the main window, and the tray used meanwhile: its
// menu, each of the menu's commands and a click on the icon bring the editor
// to the front, and open, load, hide or end nothing under it. A dialog
// opened and closed there enabled the main window under the editor, where a
// click on another button opened a second editor; the first one's OK then
// filled no button, and a profile loaded under it took its result as well.
TEST_F(DataSafetyTest, UnderAnOpenEditorTheTrayBringsItToTheFrontAndActsOnNothing) {
    const std::string path = Work("safety tray editor.gpx");
    const std::string listed = Work("safety tray listed.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("T", {0})));
    ASSERT_TRUE(WriteProfile(listed, *MacroProfile("L", {0})));
    WriteSetting("Recent00", listed);
    ASSERT_NO_FATAL_FAILURE(Start(Quoted(path)));
    const std::string title = "Gripdeck: safety tray editor.gpx";
    ClickControl(main_, IDC_GROUP_M1_M10);
    ClickControl(main_, IDC_PAD_BUTTON_0);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(Pid()) != nullptr; }));
    CloseMenu(Pid());
    program_->Command(ID_KEYBOARD);
    HWND capture = WaitForDialog(Pid(), "Please press a single key");
    ASSERT_NE(capture, nullptr);
    program_->Sync();
    ASSERT_FALSE(::IsWindowEnabled(main_));
    ASSERT_EQ(::GetForegroundWindow(), capture);

    // Each way ends with the editor in front of a disabled main window, and
    // no other dialog; one that opened all the same is closed to go on.
    const auto expectOnlyTheEditor = [&](const std::string& how) {
        program_->Sync();
        std::vector<HWND> opened = TopLevelWindows(Pid(), "#32770");
        std::erase_if(opened, [&](HWND window) {
            return window == main_ || window == capture || window == program_->SummaryWindow();
        });
        for (HWND other : opened) {
            ADD_FAILURE() << how << " opened " << WindowText(other);
            Close(other, IDCANCEL);
        }
        EXPECT_FALSE(::IsWindowEnabled(main_)) << how;
        EXPECT_TRUE(::IsWindowVisible(main_)) << how;
        EXPECT_EQ(::GetForegroundWindow(), capture) << how;
        EXPECT_EQ(WindowText(main_), title) << how;
        EXPECT_FALSE(program_->HasEnded()) << how;
    };

    // The menu opens and closes again with nothing chosen.
    ::PostMessageA(main_, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(Pid()) != nullptr; }));
    CloseMenu(Pid());
    expectOnlyTheEditor("the menu closed");

    // "Automatic Profiles" chosen with the keyboard: Show/Hide, About,
    // Recent Files, the recent file, then it.
    ::PostMessageA(main_, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = OpenPopupMenu(Pid())) != nullptr; }));
    // Posted in order, so Enter takes the item the downs reached. (The test
    // cannot look: another process's menu items do not read under Wine.)
    for (int i = 0; i < 5; ++i) {
        ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(Pid()) == nullptr; }));
    expectOnlyTheEditor("Automatic Profiles");

    // The other commands, as choosing them sends them, and a click on the
    // icon; Exit last.
    const std::pair<const char*, std::function<void()>> others[] = {
        {"About", [&] { program_->Command(ID_APP_ABOUT); }},
        {"the recent file", [&] { program_->Command(ID_RECENT_FILE_FIRST); }},
        {"Show/Hide", [&] { program_->Command(ID_TRAY_SHOW_HIDE); }},
        {"a click on the icon",
         [&] { ::PostMessageA(main_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN); }},
        {"Exit", [&] { program_->Command(ID_APP_EXIT); }},
    };
    for (const auto& [how, choose] : others) {
        choose();
        expectOnlyTheEditor(how);
    }

    // The editor still takes a key, and its OK fills M1.
    HWND keyField = ::GetDlgItem(capture, IDC_KEY_NAME);
    const std::string startName = ControlText(keyField);
    test::Inject(test::Strokes({test::kKeyB}));
    ASSERT_TRUE(WaitFor([&] { return ControlText(keyField) != startName; }));
    const std::string keyName = ControlText(keyField);
    Close(capture, IDC_ACCEPT);
    program_->Sync();
    ASSERT_FALSE(program_->HasEnded());
    EXPECT_EQ(LabelText(main_, 0), keyName);
    EXPECT_NE(keyName, "T0");
    EXPECT_EQ(WindowText(main_), title + " *");

    // With no dialog open the tray's commands act again.
    ASSERT_TRUE(::IsWindowEnabled(main_));
    program_->Command(ID_APP_ABOUT);
    ASSERT_NO_FATAL_FAILURE(Answer("About Gripdeck", IDOK));
    EXPECT_TRUE(::IsWindowEnabled(main_));
}

// Unsaved changes are asked about, naming the profile, before anything
// replaces them; Cancel, in the question or in Save As, stops the command,
// and No gives them up. A profile without a file is asked about like any
// other: it once went straight to Save As, whose Cancel left the user no way
// out but to save a profile they did not want.
TEST_F(DataSafetyTest, UnsavedChangesAreAskedAboutAndCancelOrAFailedSaveStopsTheCommand) {
    const std::string listed = Work("safety listed.gpx");
    const std::string saved = Work("safety saved.gpx");
    ::DeleteFileA(saved.c_str());
    ::RemoveDirectoryA(listed.c_str());  // left by a run that stopped half-way
    ASSERT_TRUE(WriteProfile(listed, *MacroProfile("L", {0})));
    WriteSetting("Recent00", listed);
    ASSERT_NO_FATAL_FAILURE(Start(""));
    // The recent file opened from the tray menu without a pad, with the
    // message that says so; nothing is changed in it: New asks nothing, and
    // the new profile, unchanged, holds nothing to save either.
    program_->Command(ID_RECENT_FILE_FIRST);
    ASSERT_NO_FATAL_FAILURE(Answer(kVersionCaption, IDOK));
    EXPECT_TRUE(Shows("safety listed.gpx"));
    EXPECT_EQ(LabelText(main_, 0), "L0");
    program_->Command(ID_FILE_NEW);
    EXPECT_TRUE(Shows("Unfiled"));
    program_->Command(ID_FILE_NEW);
    program_->Sync();
    ASSERT_TRUE(Dialogs().empty());
    ASSERT_TRUE(Dialogs("Save As").empty());

    // Changed: Exit, New, Open, Load System Default, a recent file, the
    // Cancel button (0) and APPLY ask first, and the user cancels.
    HWND summary = EditSummary("untitled and changed");
    ASSERT_NE(summary, nullptr);
    Close(summary, IDOK);
    ASSERT_TRUE(Shows("Unfiled *"));
    const std::string question = SaveQuestion("Unfiled");
    for (UINT command : {ID_APP_EXIT, ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_LOAD_SYSTEM_DEFAULT,
                         ID_RECENT_FILE_FIRST, 0, IDC_APPLY}) {
        command != 0 ? program_->Command(command) : ClickControl(main_, IDC_CANCEL);
        ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDCANCEL, question)) << command;
        program_->Sync();
        EXPECT_FALSE(program_->HasEnded()) << command;
        EXPECT_TRUE(Dialogs("Save As").empty()) << command;
        EXPECT_TRUE(Dialogs("Open").empty()) << command;
        EXPECT_EQ(WindowText(main_), "Gripdeck: Unfiled *") << command;
        EXPECT_TRUE(::IsWindowVisible(main_)) << command;
    }
    // The pad took nothing.
    EXPECT_FALSE(FileExists(PackageFile()));

    // Yes leads to Save As, whose Cancel stops the command as well.
    program_->Command(ID_FILE_NEW);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDYES, question));
    ASSERT_NO_FATAL_FAILURE(Answer("Save As", IDCANCEL));
    program_->Sync();
    EXPECT_EQ(WindowText(main_), "Gripdeck: Unfiled *");

    // APPLY's No: the pad takes the profile, which stays unsaved.
    program_->Command(IDC_APPLY);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDNO, question));
    program_->Sync();
    EXPECT_TRUE(FileExists(PackageFile()));
    EXPECT_EQ(WindowText(main_), "Gripdeck: Unfiled *");

    // Saved under a new name, which goes to the top of the recent list: the
    // entry chosen before the question is the one opened.
    program_->Command(ID_RECENT_FILE_FIRST);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDYES, question));
    HWND dialog = WaitForDialog(Pid(), "Save As");
    ASSERT_NE(dialog, nullptr);
    ChooseFile(dialog, saved);
    ASSERT_NO_FATAL_FAILURE(Answer(kVersionCaption, IDOK));
    EXPECT_TRUE(Shows("safety listed.gpx"));
    EXPECT_EQ(ReadText(ReadProfile(saved).summary.name), "untitled and changed");
    EXPECT_EQ(LabelText(main_, 0), "L0");

    // No gives the changes up: New replaces them, and the file keeps its own.
    summary = EditSummary("given up");
    ASSERT_NE(summary, nullptr);
    Close(summary, IDOK);
    program_->Command(ID_FILE_NEW);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDNO, SaveQuestion("safety listed.gpx")));
    EXPECT_TRUE(Shows("Unfiled"));
    EXPECT_EQ(ReadText(ReadProfile(listed).summary.name), "");
    program_->Command(ID_RECENT_FILE_FIRST);
    ASSERT_NO_FATAL_FAILURE(Answer(kVersionCaption, IDOK));
    EXPECT_TRUE(Shows("safety listed.gpx"));

    // An edited summary is a change. A folder now stands where the file
    // was: the save fails, the message names the file, and Exit stops.
    summary = EditSummary("after");
    ASSERT_NE(summary, nullptr);
    Close(summary, IDOK);
    ASSERT_TRUE(::DeleteFileA(listed.c_str()));
    ASSERT_TRUE(::CreateDirectoryA(listed.c_str(), nullptr));
    program_->Command(ID_APP_EXIT);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDYES, SaveQuestion("safety listed.gpx")))
        << "summary unchanged?";
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDOK, CantOpen(listed)));
    program_->Sync();
    EXPECT_FALSE(program_->HasEnded());
    ::RemoveDirectoryA(listed.c_str());

    // The close request of wParam 1 still ends the run without questions.
    ::PostMessageA(main_, WM_CLOSE, 1, 0);
    EXPECT_TRUE(program_->WaitForEnd());
}

TEST_F(DataSafetyTest, AForwardedPathWaitsForEveryDialogAndItsSaveQuestion) {
    const std::string forwarded = Work("safety forwarded.gpx");
    const std::string saved = Work("safety new.gpx");
    const std::string missing[] = {Work("safety missing 1.gpx"), Work("safety missing 2.gpx")};
    ::DeleteFileA(saved.c_str());
    ASSERT_TRUE(WriteProfile(forwarded, *MacroProfile("F", {0, 10})));
    ASSERT_NO_FATAL_FAILURE(Start(""));
    program_->Command(ID_FILE_NEW);
    program_->Command(ID_FILE_SAVE_AS);
    HWND dialog = WaitForDialog(Pid(), "Save As");
    ASSERT_NE(dialog, nullptr);
    StartAgainWith(forwarded);
    EXPECT_EQ(WindowText(main_), "Gripdeck: Unfiled");
    EXPECT_EQ(LabelText(main_, 0), "Off");

    // What is saved is the profile the dialog was opened for; then the
    // forwarded file opens.
    ChooseFile(dialog, saved);
    EXPECT_TRUE(Shows("safety forwarded.gpx"));
    EXPECT_EQ(LabelText(main_, 0), "F0");
    ReadBack back = ReadProfile(saved);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(back.image->slots[0].slotType, SlotType::Off);

    // Modified and named, M11-M20 shown, the summary dialog open: the same
    // file forwarded again waits for the dialog, then asks before it
    // replaces the profile; No saves nothing, and faces and labels both
    // show M1-M10 again.
    ClickControl(main_, IDC_GROUP_M11_M20);
    program_->Sync();
    ASSERT_EQ(GroupFaces(), 1u);
    ASSERT_EQ(LabelText(main_, 0), "F10");
    HWND summary = EditSummary("edited");
    ASSERT_NE(summary, nullptr);
    StartAgainWith(forwarded);
    EXPECT_TRUE(Dialogs().empty());
    Close(summary, IDOK);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDNO, SaveQuestion("safety forwarded.gpx")));
    program_->Sync();
    EXPECT_EQ(LabelText(main_, 0), "F0");
    EXPECT_EQ(GroupFaces(), 0u);
    EXPECT_EQ(ReadProfile(forwarded).summary.name[0], '\0');

    // Paths that fail to load: the second waits for the first one's message
    // instead of opening its own inside it.
    StartAgainWith(missing[0]);
    ASSERT_TRUE(WaitFor([&] { return Dialogs().size() == 1; }));
    StartAgainWith(missing[1]);
    EXPECT_EQ(Dialogs().size(), 1u);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDOK, CantOpen(missing[0])));
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDOK, CantOpen(missing[1])));
    program_->Sync();
    EXPECT_TRUE(Dialogs().empty());

    // An editor open: the path waits until it is cancelled.
    ClickControl(main_, IDC_PAD_BUTTON_0);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(Pid()) != nullptr; }));
    CloseMenu(Pid());
    program_->Command(ID_KEYBOARD);
    HWND editor = WaitForDialog(Pid(), "Please press a single key");
    ASSERT_NE(editor, nullptr);
    StartAgainWith(saved);
    EXPECT_EQ(WindowText(main_), "Gripdeck: safety forwarded.gpx");
    ASSERT_TRUE(::IsWindowVisible(editor));
    EXPECT_FALSE(::IsWindowEnabled(main_));
    Close(editor, IDC_REJECT);
    EXPECT_TRUE(Shows("safety new.gpx"));

    // The pad picture beside the window is no dialog that holds it: a path
    // opens at once, and the window stays enabled.
    ClickControl(main_, IDC_PAD_ICON);
    program_->Sync();
    ASSERT_TRUE(::IsWindowVisible(program_->PadPicture()));
    StartAgainWith(forwarded);
    EXPECT_TRUE(Shows("safety forwarded.gpx"));
    EXPECT_TRUE(::IsWindowEnabled(main_));

    // A menu open over the profile: the path waits until it has closed.
    ClickControl(main_, IDC_PAD_BUTTON_0);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(Pid()) != nullptr; }));
    StartAgainWith(saved);
    program_->Sync();
    EXPECT_EQ(WindowText(main_), "Gripdeck: safety forwarded.gpx");
    CloseMenu(Pid());
    EXPECT_TRUE(Shows("safety new.gpx"));

    // Hidden to the tray, the summary window hides too; Exit from there
    // stores it as the user last saw it.
    ASSERT_TRUE(::IsWindowVisible(program_->SummaryWindow()));
    ::PostMessageA(main_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main_); }));
    program_->Command(ID_APP_EXIT);
    ASSERT_TRUE(program_->WaitForEnd());
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettings, "Summary").value_or(9), 1u);
}

}  // namespace
}  // namespace gd::apptest
