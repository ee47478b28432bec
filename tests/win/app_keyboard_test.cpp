// A new user's first minutes with the keyboard alone, in the running program:
// where the keyboard is once the window shows, a macro recorded and stopped
// without the mouse, Escape in every editor, and the ways into the editors'
// lists and pickers that a keyboard user has and is told of.
#include "app_keyboard_support.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app_test_support.h"

namespace gd::apptest {
namespace {

using KeyboardOnlyTest = AppTest;
using test::kKeyA;
using test::kKeyB;

constexpr Key kPause{VK_PAUSE, 0x45};
constexpr Key kInsert{VK_INSERT, 0x52, true};
constexpr Key kS{'S', 0x1F};

// The program's own focus and active window, read without bringing any of
// its windows forward: an activation would put back a focus the start lost.
GUITHREADINFO ProgramThreadInfo(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

// The editor the assignment command `command` opens for M1, titled `title`,
// once it is in front.
HWND OpenEditor(Program& program, HWND main, UINT command, const char* title) {
    ClickControl(main, IDC_PAD_BUTTON_0);
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
    CloseMenu(program.Pid());
    program.Command(command);
    HWND editor = WaitForDialog(program.Pid(), title);
    EXPECT_TRUE(WaitFor([&] { return editor != nullptr && ::GetForegroundWindow() == editor; }))
        << title;
    return editor;
}

// The start is split: a first paint, then the rest with the summary window;
// the pad picture is made only when it first shows. The summary takes no
// keyboard: the program starts with it on the main window's first control,
// where Tab goes on and Alt opens the menu bar.
TEST_F(KeyboardOnlyTest, TheKeyboardStartsOnTheMainWindowsFirstControl) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_NE(program.SummaryWindow(), nullptr);
    EXPECT_EQ(program.PadPicture(), nullptr);
    const GUITHREADINFO started = ProgramThreadInfo(main);
    EXPECT_EQ(started.hwndActive, main);
    EXPECT_EQ(started.hwndFocus, ::GetDlgItem(main, IDC_GROUP_M1_M10));

    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == main; }));
    Press({kTab});
    EXPECT_TRUE(WaitForFocus(IDC_PAD_ICON));
    EXPECT_TRUE(::IsChild(main, FocusWindow()));
    Press({kF}, &kAlt);
    EXPECT_TRUE(MenuOpens(program.Pid()));
    // Escape closes the menu, then, once it is closed, leaves the menu bar.
    Press({kEscape});
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) == nullptr; }));
    Press({kEscape});
    EXPECT_TRUE(WaitFor([&] { return (ProgramThreadInfo(main).flags & GUI_INMENUMODE) == 0; }));
}

// Escape closes every editor as its Cancel does. The key capture takes any
// key while it captures, Escape too, and says so: once a key is taken,
// Escape cancels. A new assignment's capture shows no key until one is
// pressed, and its OK waits for it.
TEST_F(KeyboardOnlyTest, EscapeClosesEveryEditorAsCancelDoes) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    const struct {
        UINT command;
        const char* title;
        std::vector<Key> first;  // typed before Escape
    } kEditors[] = {
        {ID_KEYBOARD, "Please press a single key", {kKeyB}},
        {ID_SINGLE_SWITCH_KEYBOARD, "Please press a single key", {kEscape}},
        {ID_MOUSE_BUTTON, "Please select a mouse button", {}},
        {ID_SINGLE_SWITCH_MOUSE_BUTTON, "Please select a mouse button", {}},
        {ID_MACRO, "Macro Edit:", {}},
        {ID_TWIN_SWITCH, "Twin Switch Edit:", {}},
        {ID_ADVANCED, "Multi Layers Edit:", {}},
    };
    for (const auto& editor : kEditors) {
        SCOPED_TRACE(editor.command);
        HWND dialog = OpenEditor(program, main, editor.command, editor.title);
        ASSERT_NE(dialog, nullptr);
        if (::GetDlgItem(dialog, IDC_CAPTURE_AGAIN) != nullptr) {
            EXPECT_EQ(ControlText(::GetDlgItem(dialog, IDC_KEY_NAME)), "");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_ACCEPT)));
            HWND hint = ::GetDlgItem(dialog, IDC_CAPTURE_HINT);
            EXPECT_TRUE(::IsWindowVisible(hint));
            EXPECT_EQ(ControlText(hint), "Press Esc twice to cancel.");
            test::Inject(test::Strokes(editor.first));
            EXPECT_TRUE(WaitFor([&] {
                return ::IsWindowEnabled(::GetDlgItem(dialog, IDC_CAPTURE_AGAIN)) != FALSE;
            }));
            EXPECT_NE(ControlText(::GetDlgItem(dialog, IDC_KEY_NAME)), "");
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_ACCEPT)));
            EXPECT_FALSE(::IsWindowVisible(hint));
        }
        Press({kEscape});
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
        program.Sync();
        EXPECT_EQ(LabelText(main, 0), "Off");
    }
}

// The multi layers editor adds a layer from the keyboard: Insert on its list
// opens the free row's menu, and its key capture names the action list. The
// layer macro editor and the layers editor both close with Escape.
TEST_F(KeyboardOnlyTest, InsertAddsALayerAndEscapeLeavesTheLayerEditors) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    const DWORD pid = program.Pid();
    HWND layers = OpenEditor(program, main, ID_ADVANCED, "Multi Layers Edit:");
    ASSERT_NE(layers, nullptr);

    ASSERT_TRUE(TabTo(IDC_LAYER_LIST));
    Press({kInsert});
    ASSERT_TRUE(MenuOpens(pid));
    Press({kDown, kRight, kEnter});  // Single > Keyboard
    HWND capture = WaitForDialog(pid, "Please press a single key");
    ASSERT_NE(capture, nullptr);
    HWND caption = ::GetDlgItem(capture, IDC_ACTION_CAPTION);
    EXPECT_TRUE(::IsWindowVisible(caption));
    EXPECT_EQ(ControlText(caption), "Action:");
    RECT captionPlace{}, listPlace{};
    ::GetWindowRect(caption, &captionPlace);
    ::GetWindowRect(::GetDlgItem(capture, IDC_ACTION), &listPlace);
    EXPECT_LE(captionPlace.right, listPlace.left);
    Press({kEscape, kEscape});
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(capture); }));

    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == layers; }));
    ASSERT_TRUE(TabTo(IDC_LAYER_LIST));
    Press({kInsert});
    ASSERT_TRUE(MenuOpens(pid));
    Press({kDown, kDown, kEnter});  // Macro
    HWND macro = WaitForDialog(pid, "Macro Edit:");
    ASSERT_NE(macro, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == macro; }));
    Press({kEscape});
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(macro); }));
    EXPECT_TRUE(::IsWindow(layers));
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == layers; }));
    Press({kEscape});
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(layers); }));
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "Off");
}

}  // namespace
}  // namespace gd::apptest
