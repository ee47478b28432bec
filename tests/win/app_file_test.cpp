// The File menu: New, Open, Save, Save As with its summary panel, the summary
// dialog, Load System Default, Cancel and Exit with an unsaved profile, and
// the recent-file list they keep.
#include "app_test_support.h"

namespace gd::apptest {
namespace {

using FileTest = AppTest;

TEST_F(FileTest, NewThenSaveGoesThroughSaveAsWithTheSummaryPanel) {
    const std::string path = Work("saved by panel.gpx");
    ::DeleteFileA(path.c_str());
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

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
    SetField(panel, IDC_SUMMARY_GAME, "Track Day");
    SetField(panel, IDC_SUMMARY_AUTHOR, "Tester");
    SetField(panel, IDC_SUMMARY_COMMENT, "Gears on M1 and M2.");
    SetField(panel, IDC_RESOLUTION_X, "1024");
    SetField(panel, IDC_RESOLUTION_Y, "768");
    ChooseFile(dialog, path);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    program.Sync();

    EXPECT_EQ(WindowText(main), "Gripdeck: saved by panel.gpx");
    ReadBack back = ReadProfile(path);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(ReadText(back.summary.name), "Racing set");
    EXPECT_EQ(ReadText(back.summary.game), "Track Day");
    EXPECT_EQ(ReadText(back.summary.author), "Tester");
    EXPECT_EQ(ReadText(back.summary.comment), "Gears on M1 and M2.");
    EXPECT_EQ(back.summary.resolution, 0x04000300u);
    EXPECT_EQ(back.image->slots[19].slotType, SlotType::Off);
    HWND summary = program.SummaryWindow();
    EXPECT_EQ(ControlText(::GetDlgItem(summary, IDC_SUMMARY_NAME)), "Racing set");
    EXPECT_EQ(ControlText(::GetDlgItem(summary, IDC_SUMMARY_RESOLUTION)), "1024x768");

    // Saved: Exit asks nothing.
    program.Command(ID_APP_EXIT);
    ASSERT_TRUE(program.WaitForEnd());
    EXPECT_EQ(Setting("Recent00").value_or(""), path);
}

TEST_F(FileTest, SaveOnALoadedFileWritesItWithoutADialog) {
    const std::string path = Work("resave.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("R", {5}), "resave", 0x05000400));
    Program program(Quoted(path));
    ASSERT_NE(program.Main(), nullptr);
    ASSERT_TRUE(::DeleteFileA(path.c_str()));
    program.Command(ID_FILE_SAVE);
    program.Sync();
    EXPECT_EQ(FindDialog(program.Pid(), "Save As"), nullptr);
    ReadBack back = ReadProfile(path);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(ReadText(back.image->slots[5].macro.name), "R5");
    EXPECT_EQ(back.summary.resolution, 0x05000400u);
}

TEST_F(FileTest, OpenKeepsTheRecentListNewestFirstWithoutDuplicates) {
    const std::string a = Work("a.gpx"), b = Work("b.gpx"), c = Work("c.gpx");
    for (const std::string& path : {a, b, c}) {
        ASSERT_TRUE(WriteProfile(path, *MacroProfile(path.substr(path.size() - 5, 1), {0})));
    }
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    for (const std::string& path : {a, b, c, a}) {
        program.Command(ID_FILE_OPEN);
        HWND dialog = WaitForDialog(program.Pid(), "Open");
        ASSERT_NE(dialog, nullptr);
        ChooseFile(dialog, path);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    }
    program.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: a.gpx");
    EXPECT_EQ(LabelText(main, 0), "a0");
    program.Command(ID_APP_EXIT);
    ASSERT_TRUE(program.WaitForEnd());
    EXPECT_EQ(Setting("Recent00").value_or(""), a);
    EXPECT_EQ(Setting("Recent01").value_or(""), c);
    EXPECT_EQ(Setting("Recent02").value_or(""), b);
    EXPECT_FALSE(Setting("Recent03").has_value());
}

TEST_F(FileTest, ARecentFileThatIsGoneIsDroppedForGood) {
    const std::string gone = Work("gone.gpx"), kept = Work("kept.gpx");
    ::DeleteFileA(gone.c_str());
    ASSERT_TRUE(WriteProfile(kept, *MacroProfile("K", {0})));
    WriteSetting("Recent00", gone);
    WriteSetting("Recent01", kept);
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    program.Command(ID_RECENT_FILE_FIRST);
    HWND box = WaitForDialog(program.Pid(), kProgramBase);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "Can't open the file " + gone + ". Please verify it again.");
    PressButton(box, IDOK);
    program.Sync();

    // The kept file moved up into the first place; without a pad it is
    // opened, not applied.
    program.Command(ID_RECENT_FILE_FIRST);
    HWND absent = WaitForDialog(program.Pid(), kVersionCaption);
    ASSERT_NE(absent, nullptr);
    PressButton(absent, IDOK);
    EXPECT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: kept.gpx"; }));
    program.Command(ID_APP_EXIT);
    ASSERT_TRUE(program.WaitForEnd());
    EXPECT_EQ(Setting("Recent00").value_or(""), kept);
    // Emptied, so it does not come back at the next start.
    EXPECT_EQ(Setting("Recent01").value_or("missing"), "");
}

TEST_F(FileTest, ACloseRequestWithWParamOneEndsWithoutQuestions) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    program.Command(ID_FILE_NEW);
    ::PostMessageA(main, WM_CLOSE, 1, 0);
    EXPECT_TRUE(program.WaitForEnd());
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettings, "Summary").value_or(9), 1u);
}

TEST_F(FileTest, AStartWithAPathOpensItAndLoadSystemDefaultReadsThePackageBack) {
    const std::vector<std::uint8_t> package = EncodePackage(*MacroProfile("Pkg", {1}), {});
    ASSERT_TRUE(WriteFileInPlace(PackageFile(), package.data(), package.size()));
    const std::string path = Work("other.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("Other", {1}), "at start", 0x04000300));
    // Named on the command line: opened at start, its summary shown.
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Gripdeck: other.gpx");
    ASSERT_EQ(LabelText(main, 1), "Other1");
    HWND summary = program.SummaryWindow();
    EXPECT_EQ(ControlText(::GetDlgItem(summary, IDC_SUMMARY_NAME)), "at start");
    EXPECT_EQ(ControlText(::GetDlgItem(summary, IDC_SUMMARY_RESOLUTION)), "1024x768");
    program.Command(ID_FILE_LOAD_SYSTEM_DEFAULT);
    program.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: default.gpx");
    EXPECT_EQ(LabelText(main, 1), "Pkg1");
    EXPECT_TRUE(Shows(main, IDC_PAD_LABEL_1));
}

TEST_F(FileTest, TheSummaryDialogEditsTheSummaryAndHidesTheSummaryWindow) {
    Program program("");
    ASSERT_NE(program.Main(), nullptr);
    HWND window = program.SummaryWindow();
    ASSERT_NE(window, nullptr);
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
    // A changed summary is offered for saving: the installed package goes
    // through Save As.
    program.Command(ID_APP_EXIT);
    HWND saveAs = WaitForDialog(program.Pid(), "Save As");
    ASSERT_NE(saveAs, nullptr);
    PressButton(saveAs, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(saveAs); }));
}

}  // namespace
}  // namespace gd::apptest
