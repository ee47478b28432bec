// What a new user meets in the File and About menus: the recent files with
// their paths, the usual shortcut keys, and the user guide behind F1.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app_test_support.h"
#include "app/gripdeck_app.h"
#include "app/recent_files_menu.h"
#include "fw/handle.h"
#include "fw/menu.h"
#include "support/win_test_support.h"

namespace gd::apptest {
namespace {

using test::Key;

constexpr Key kCtrl{VK_CONTROL, 0x1D};
constexpr Key kAlt{VK_MENU, 0x38};
constexpr Key kF1{VK_F1, 0x3B};
constexpr Key kKeyF{'F', 0x21};
constexpr Key kKeyN{'N', 0x31};
constexpr Key kKeyO{'O', 0x18};
constexpr Key kKeyS{'S', 0x1F};
constexpr Key kKey2{'2', 0x03};

// The key pressed and released with `held` down.
void PressWith(const Key& held, const Key& key) {
    std::vector<INPUT> inputs{test::KeyEvent(held, false)};
    for (const INPUT& input : test::Strokes({key})) {
        inputs.push_back(input);
    }
    inputs.push_back(test::KeyEvent(held, true));
    test::Inject(inputs);
}

void BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window; }));
}

// The texts of a menu, a separator as "-". Only the menu's own process can
// read it under Wine.
std::vector<std::string> MenuTexts(CMenuRef menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < menu.GetItemCount(); ++i) {
        const bool separator =
            (::GetMenuState(menu.GetSafeHmenu(), static_cast<UINT>(i), MF_BYPOSITION) &
             MF_SEPARATOR) != 0;
        texts.push_back(separator ? "-" : menu.GetItemText(static_cast<UINT>(i), true));
    }
    return texts;
}

// The File menu of the program's resources with the recent entries, built
// in this process.
TEST(RecentFilesMenu, TheFileMenuListsThemNumberedAboveCloseAndOpensTheChosenOne) {
    CGripdeckApp app;
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_MENU_MAIN));
    const CMenuRef file = bar.GetSubMenu(0);
    using From = RecentFilesMenu::From;
    std::vector<std::pair<std::string, From>> opened;
    RecentFilesMenu menu([&](const std::string& path, From from) {
        opened.emplace_back(path, from);
        return RecentFilesMenu::OpenResult::NotLoaded;
    });
    menu.AttachFileMenu(file);
    menu.RebuildRecentMenu();
    const std::vector<std::string> commands{"&New\tCtrl+N",
                                            "&Open\tCtrl+O",
                                            "&Load System Default",
                                            "&Save\tCtrl+S",
                                            "Save &As...",
                                            "&Information of the Summary",
                                            "I&mport...",
                                            "&Export...",
                                            "Export Pic&ture...",
                                            "&Print...\tCtrl+P",
                                            "-"};
    std::vector<std::string> expected = commands;
    expected.insert(expected.end(), {"&Close", "E&xit"});
    EXPECT_EQ(MenuTexts(file), expected);

    const std::string first = "C:\\Profiles\\first recent profile.gpx";
    const std::string second = "D:\\Games\\Racer & Rally\\second recent profile.gpx";
    menu.AddRecentFile(first);
    menu.AddRecentFile(second);
    expected = commands;
    expected.insert(expected.end(),
                    {"&1 D:\\Games\\Racer && Rally\\second recent profile.gpx",
                     "&2 C:\\Profiles\\first recent profile.gpx", "-", "&Close", "E&xit"});
    EXPECT_EQ(MenuTexts(file), expected);
    // The second entry, right below the first.
    EXPECT_EQ(file.GetItemId(static_cast<int>(commands.size()) + 1),
              static_cast<UINT>(ID_FILE_RECENT_FIRST + 1));

    // Each menu's command opens its place, saying which menu it came from;
    // a file that does not load leaves both lists, and the separator with
    // the last entry.
    menu.OpenRecentFile(ID_FILE_RECENT_FIRST + 1);
    menu.OpenRecentFile(ID_RECENT_FILE_FIRST);
    EXPECT_EQ(opened, (std::vector<std::pair<std::string, From>>{{first, From::FileMenu},
                                                                 {second, From::Tray}}));
    EXPECT_EQ(app.recentFiles.Count(), 0u);
    expected = commands;
    expected.insert(expected.end(), {"&Close", "E&xit"});
    EXPECT_EQ(MenuTexts(file), expected);
}

using FileMenuTest = AppTest;

// The File menu's recent entries by their numbers, from the keyboard, and
// the shortcut keys its items show.
TEST_F(FileMenuTest, TheRecentEntriesOpenByTheirNumbersAndTheShortcutKeysWork) {
    const std::string first = Work("menu first profile.gpx");
    const std::string second = Work("menu second & other.gpx");
    ASSERT_TRUE(WriteProfile(first, *MacroProfile("First", {0})));
    ASSERT_TRUE(WriteProfile(second, *MacroProfile("Second", {0})));
    WriteSetting("Recent00", first);
    WriteSetting("Recent01", second);
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    // Alt+F, then the number: the file opens as Open opens one, leaving the
    // pad alone (the tray's entry is the one that applies), and goes to the
    // top of the list, so that 2 is then the other one.
    const auto chooseSecond = [&] {
        ASSERT_NO_FATAL_FAILURE(BringToFront(main));
        PressWith(kAlt, kKeyF);
        ASSERT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
        test::Inject(test::Strokes({kKey2}));
    };
    ASSERT_NO_FATAL_FAILURE(chooseSecond());
    ASSERT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: menu second & other.gpx"; }));
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "Second0");
    EXPECT_EQ(FindDialog(program.Pid(), kVersionCaption), nullptr);
    EXPECT_FALSE(FileExists(PackageFile()));
    ASSERT_NO_FATAL_FAILURE(chooseSecond());
    ASSERT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: menu first profile.gpx"; }));
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "First0");

    // Ctrl+N: the opened file has no changes, so nothing asks.
    ASSERT_NO_FATAL_FAILURE(BringToFront(main));
    PressWith(kCtrl, kKeyN);
    ASSERT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: Unfiled"; }));
    program.Command(ID_FILE_SUMMARY);
    HWND summary = WaitForDialog(program.Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
    ASSERT_NE(summary, nullptr);
    SetField(summary, IDC_SUMMARY_NAME, "typed before the shortcut keys");
    PressButton(summary, IDOK);
    ASSERT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: Unfiled *"; }));

    // Ctrl+S on a profile without a file: Save As.
    ASSERT_NO_FATAL_FAILURE(BringToFront(main));
    PressWith(kCtrl, kKeyS);
    HWND saveAs = WaitForDialog(program.Pid(), "Save As");
    ASSERT_NE(saveAs, nullptr);
    PressButton(saveAs, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(saveAs); }));

    // Ctrl+O: the question first, then the Open dialog.
    ASSERT_NO_FATAL_FAILURE(BringToFront(main));
    PressWith(kCtrl, kKeyO);
    HWND question = WaitForDialog(program.Pid(), kProgramBase);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageText(question), SaveQuestion("Unfiled"));
    PressButton(question, IDNO);
    HWND open = WaitForDialog(program.Pid(), "Open");
    ASSERT_NE(open, nullptr);
    PressButton(open, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(open); }));
    program.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: Unfiled *");
}

// The windows of the program that shows text files here, Notepad, and
// whether one of them shows the guide (its title names the file once it
// has loaded it).
std::vector<HWND> NotepadWindows() {
    std::vector<HWND> found;
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, "Notepad", nullptr)) != nullptr) {
        if (::IsWindowVisible(window)) {
            found.push_back(window);
        }
    }
    return found;
}
bool ShowsTheGuide() {
    const std::vector<HWND> windows = NotepadWindows();
    return windows.size() == 1 && WindowText(windows[0]).find("README") != std::string::npos;
}
bool CloseNotepad() {
    for (HWND window : NotepadWindows()) {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return WaitFor([] { return NotepadWindows().empty(); });
}

// Closes what the test opened, whatever stopped it.
struct CloseNotepadAtEnd {
    ~CloseNotepadAtEnd() { CloseNotepad(); }
};

// A fresh Wine prefix gives text files no program (its class txtfile opens
// Notepad, but HKEY_CLASSES_ROOT\.txt is missing) and reads no per-user
// classes: the machine's get the entry Windows always has, for as long as
// the object lives.
struct TextFilesOpenInNotepad {
    static constexpr char kKey[] = "Software\\Classes\\.txt";
    TextFilesOpenInNotepad() {
        if (!ReadString(HKEY_LOCAL_MACHINE, kKey, nullptr)) {
            WriteValue(HKEY_LOCAL_MACHINE, kKey, nullptr, REG_SZ, "txtfile", 8);
            added = true;
        }
    }
    ~TextFilesOpenInNotepad() {
        if (added) {
            ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        }
    }
    bool added = false;
};

// F1 and About > User Guide open the README beside the program in the
// program Windows gives text files; a missing one is reported by its path.
TEST_F(FileMenuTest, F1AndUserGuideOpenTheReadmeBesideTheProgramOrSayItIsMissing) {
    const TextFilesOpenInNotepad association;
    const CloseNotepadAtEnd closeAtEnd;
    ASSERT_TRUE(NotepadWindows().empty()) << "Notepad is open already";
    const std::string guide = Work("README.txt");
    ::DeleteFileA(guide.c_str());
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    // Missing: the message names the file, and nothing else opens.
    ASSERT_NO_FATAL_FAILURE(BringToFront(main));
    test::Inject(test::Strokes({kF1}));
    HWND message = WaitForDialog(program.Pid(), kProgramBase);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(MessageText(message), "Can't find the user guide " + guide +
                                        ". Please install Gripdeck again to restore it.");
    PressButton(message, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(message); }));
    program.Sync();
    EXPECT_TRUE(NotepadWindows().empty());

    // There: the menu's item opens it, and so does F1.
    const std::string text = "The Gripdeck user guide, as the help test wrote it.\r\n";
    UniqueFile file(::CreateFileA(guide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(
        ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
    file.reset();
    program.Command(ID_HELP_USER_GUIDE);
    EXPECT_TRUE(WaitFor(ShowsTheGuide));
    ASSERT_TRUE(CloseNotepad());

    ASSERT_NO_FATAL_FAILURE(BringToFront(main));
    test::Inject(test::Strokes({kF1}));
    EXPECT_TRUE(WaitFor(ShowsTheGuide));
    ASSERT_TRUE(CloseNotepad());
    program.Sync();
    EXPECT_EQ(FindDialog(program.Pid(), kProgramBase), nullptr);
    ::DeleteFileA(guide.c_str());
}

}  // namespace
}  // namespace gd::apptest
