// No edit lost and no wrong profile taken, driven in the running program: a
// cancelled or failed save stops the command that asked for it, an edited
// summary counts as a change, a path forwarded by a second start waits for
// the program's dialogs, and an editor whose button went away meanwhile
// writes nowhere.
#include "app_test_support.h"

namespace gd::apptest {
namespace {

using DataSafetyTest = AppTest;

constexpr char kSaveQuestion[] = "Do you want to save this file?";

std::string CantOpen(const std::string& path) {
    return "Can't open the file " + path + ". Please verify it again.";
}

// The program's message boxes open now.
std::vector<HWND> MessageBoxes(DWORD pid) {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows(pid, "#32770")) {
        if (WindowText(window) == kProgramBase) {
            boxes.push_back(window);
        }
    }
    return boxes;
}

// A second start hands the running copy this path.
void StartAgainWith(const std::string& path) {
    Program second(Quoted(path));
    EXPECT_TRUE(second.WaitForEnd());
}

LRESULT GroupFaces(HWND main) {
    DWORD_PTR result = 99;
    ::SendMessageTimeoutA(main, kQueryGroupFacesMessage, 0, 0, SMTO_NORMAL, kLimitMs, &result);
    return static_cast<LRESULT>(result);
}

TEST_F(DataSafetyTest, ACancelledSaveAsStopsEveryCommandThatWouldDropTheProfile) {
    const std::string listed = Work("safety listed.gpx");
    const std::string saved = Work("safety saved.gpx");
    ::DeleteFileA(saved.c_str());
    ASSERT_TRUE(WriteProfile(listed, *MacroProfile("L", {0})));
    WriteSetting("Recent00", listed);
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    program.Command(ID_FILE_NEW);
    program.Sync();

    struct Step {
        const char* name;
        std::function<void()> start;
    };
    const Step steps[] = {
        {"Exit", [&] { program.Command(ID_APP_EXIT); }},
        {"New", [&] { program.Command(ID_FILE_NEW); }},
        {"Open", [&] { program.Command(ID_FILE_OPEN); }},
        {"Load System Default", [&] { program.Command(ID_FILE_LOAD_SYSTEM_DEFAULT); }},
        {"recent file", [&] { program.Command(ID_RECENT_FILE_FIRST); }},
        {"Cancel", [&] { ClickControl(main, IDC_CANCEL); }},
    };
    for (const Step& step : steps) {
        // Untitled and modified: straight to Save As without a question,
        // and the user cancels it.
        step.start();
        HWND dialog = WaitForDialog(program.Pid(), "Save As");
        ASSERT_NE(dialog, nullptr) << step.name;
        EXPECT_TRUE(MessageBoxes(program.Pid()).empty()) << step.name;
        PressButton(dialog, IDCANCEL);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); })) << step.name;
        program.Sync();
        EXPECT_FALSE(program.HasEnded()) << step.name;
        EXPECT_EQ(FindDialog(program.Pid(), "Open"), nullptr) << step.name;
        EXPECT_EQ(WindowText(main), "Gripdeck: Unfiled") << step.name;
        EXPECT_TRUE(::IsWindowVisible(main)) << step.name;
    }

    // Saved under a new name, which goes to the top of the recent list: the
    // entry chosen before the question is the one opened.
    program.Command(ID_RECENT_FILE_FIRST);
    HWND dialog = WaitForDialog(program.Pid(), "Save As");
    ASSERT_NE(dialog, nullptr);
    ChooseFile(dialog, saved);
    HWND absent = WaitForDialog(program.Pid(), kVersionCaption);
    ASSERT_NE(absent, nullptr);
    PressButton(absent, IDOK);
    EXPECT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: safety listed.gpx"; }));
    EXPECT_EQ(ReadProfile(saved).error, FileError::None);
    EXPECT_EQ(LabelText(main, 0), "L0");
}

TEST_F(DataSafetyTest, AnEditedSummaryIsOfferedForSavingAndAFailedSaveKeepsTheProgram) {
    const std::string path = Work("safety summary.gpx");
    ::RemoveDirectoryA(path.c_str());  // left by a run that stopped half-way
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("S", {0}), "before"));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    program.Command(ID_FILE_SUMMARY);
    HWND summary = WaitForDialog(program.Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
    ASSERT_NE(summary, nullptr);
    SetField(summary, IDC_SUMMARY_NAME, "after");
    PressButton(summary, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(summary); }));

    // A folder now stands where the file was: the save fails, the message
    // names the file, and Exit stops.
    ASSERT_TRUE(::DeleteFileA(path.c_str()));
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    program.Command(ID_APP_EXIT);
    HWND question = WaitForDialog(program.Pid(), kProgramBase);
    ASSERT_NE(question, nullptr) << "the edited summary did not count as a change";
    EXPECT_EQ(MessageText(question), kSaveQuestion);
    PressButton(question, IDYES);
    HWND failed = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<HWND> boxes = MessageBoxes(program.Pid());
        return boxes.size() == 1 && (failed = boxes.front()) != question;
    }));
    EXPECT_EQ(MessageText(failed), CantOpen(path));
    PressButton(failed, IDOK);
    ASSERT_TRUE(WaitFor([&] { return MessageBoxes(program.Pid()).empty(); }));
    program.Sync();
    EXPECT_FALSE(program.HasEnded());
    ::RemoveDirectoryA(path.c_str());

    // The close request of wParam 1 still ends the run without questions.
    ::PostMessageA(main, WM_CLOSE, 1, 0);
    EXPECT_TRUE(program.WaitForEnd());
}

TEST_F(DataSafetyTest, AForwardedPathWaitsForTheOpenDialogAndItsSaveQuestion) {
    const std::string forwarded = Work("safety forwarded.gpx");
    const std::string saved = Work("safety new.gpx");
    ::DeleteFileA(saved.c_str());
    ASSERT_TRUE(WriteProfile(forwarded, *MacroProfile("F", {0})));
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    program.Command(ID_FILE_NEW);
    program.Command(ID_FILE_SAVE_AS);
    HWND dialog = WaitForDialog(program.Pid(), "Save As");
    ASSERT_NE(dialog, nullptr);

    StartAgainWith(forwarded);
    program.Sync();
    EXPECT_TRUE(::IsWindow(dialog));
    EXPECT_EQ(WindowText(main), "Gripdeck: Unfiled");
    EXPECT_EQ(LabelText(main, 0), "Off");

    // What is saved is the profile the dialog was opened for; then the
    // forwarded file opens.
    ChooseFile(dialog, saved);
    EXPECT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: safety forwarded.gpx"; }));
    EXPECT_EQ(LabelText(main, 0), "F0");
    ReadBack back = ReadProfile(saved);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(back.image->slots[0].slotType, SlotType::Off);

    // Modified and named, with the summary dialog open: the forwarded file
    // waits for it, then asks before it replaces the profile; No keeps the
    // question from saving.
    program.Command(ID_FILE_SUMMARY);
    HWND summary = WaitForDialog(program.Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
    ASSERT_NE(summary, nullptr);
    SetField(summary, IDC_SUMMARY_NAME, "edited");
    StartAgainWith(saved);
    program.Sync();
    EXPECT_TRUE(MessageBoxes(program.Pid()).empty());
    PressButton(summary, IDOK);
    HWND question = WaitForDialog(program.Pid(), kProgramBase);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageText(question), kSaveQuestion);
    PressButton(question, IDNO);
    EXPECT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: safety new.gpx"; }));
    EXPECT_EQ(LabelText(main, 0), "Off");
}

TEST_F(DataSafetyTest, FacesAndLabelsShowOneGroupAfterAForwardedOpen) {
    const std::string path = Work("safety groups.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("G", {0, 10})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M11_M20);
    program.Sync();
    ASSERT_EQ(GroupFaces(main), 1);
    ASSERT_EQ(LabelText(main, 0), "G10");

    StartAgainWith(path);
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "G0");
    EXPECT_EQ(GroupFaces(main), 0);
}

TEST_F(DataSafetyTest, ForwardedPathsNeverOpenInsideTheirOwnMessage) {
    const std::string first = Work("safety missing 1.gpx");
    const std::string second = Work("safety missing 2.gpx");
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    StartAgainWith(first);
    HWND box = WaitForDialog(program.Pid(), kProgramBase);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), CantOpen(first));
    // The next one waits for this box instead of opening its own inside it.
    StartAgainWith(second);
    program.Sync();
    EXPECT_EQ(MessageBoxes(program.Pid()).size(), 1u);
    PressButton(box, IDOK);
    HWND next = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<HWND> boxes = MessageBoxes(program.Pid());
        return boxes.size() == 1 && (next = boxes.front()) != box;
    }));
    EXPECT_EQ(MessageText(next), CantOpen(second));
    PressButton(next, IDOK);
    ASSERT_TRUE(WaitFor([&] { return MessageBoxes(program.Pid()).empty(); }));
    program.Sync();
    EXPECT_TRUE(MessageBoxes(program.Pid()).empty());
}

TEST_F(DataSafetyTest, AnEditorWhoseButtonWentAwayMeanwhileWritesNowhere) {
    const std::string path = Work("safety recent.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("R", {0})));
    WriteSetting("Recent00", path);
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    ClickControl(main, IDC_PAD_BUTTON_0);
    ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
    CloseMenu(program.Pid());

    for (UINT command : {ID_KEYBOARD, ID_MOUSE_BUTTON}) {
        program.Command(command);
        HWND editor = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            editor = FindDialog(program.Pid(), "Please press a single key");
            return editor != nullptr ||
                   (editor = FindDialog(program.Pid(), "Please select a mouse button")) != nullptr;
        }));
        // A recent file chosen in the tray menu meanwhile, opened without a
        // pad: no button is selected any more.
        program.Command(ID_RECENT_FILE_FIRST);
        HWND absent = WaitForDialog(program.Pid(), kVersionCaption);
        ASSERT_NE(absent, nullptr);
        PressButton(absent, IDOK);
        ASSERT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: safety recent.gpx"; }));
        PressButton(editor, command == ID_KEYBOARD ? IDC_ACCEPT : IDOK);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }));
        program.Sync();
        ASSERT_FALSE(program.HasEnded());
        EXPECT_EQ(LabelText(main, 0), "R0");

        // The next round starts from a selected button again.
        ClickControl(main, IDC_PAD_BUTTON_0);
        ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
        CloseMenu(program.Pid());
    }
    // Nothing was written to the loaded profile: Exit asks nothing.
    program.Command(ID_APP_EXIT);
    EXPECT_TRUE(program.WaitForEnd());
}

}  // namespace
}  // namespace gd::apptest
