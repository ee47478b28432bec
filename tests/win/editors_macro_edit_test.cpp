// The macro editor under a real window: opening from a record or from
// nothing, recording strokes injected into the desktop, editing rows, and
// what OK hands back. The dialog runs modeless here so that the test can
// drive it; its own buttons end it all the same.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editors/macro_edit_dlg.h"
#include "fw_test_support.h"
#include "profile/image.h"
#include "resource.h"
#include "summary_test_support.h"

namespace gd::test {
namespace {

constexpr EventCode kA = 0x0100001E;
constexpr EventCode kB = 0x01000030;
constexpr EventCode kRelease = 0x00100000;
constexpr EventCode kRight = 0x02000002;

std::unique_ptr<MacroRecord> Record(const char* name, std::vector<EventCode> events,
                                    std::uint32_t playMode = PlayMode::Once,
                                    std::uint32_t interval = 0) {
    auto macro = std::make_unique<MacroRecord>();
    std::memset(macro.get(), 0, sizeof *macro);
    WriteName(macro->name, name);
    macro->eventCount = static_cast<std::uint32_t>(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        macro->events[i] = events[i];
        macro->delays[i] = i + 1 < events.size() ? 100 : 0;
    }
    macro->playMode = playMode;
    macro->repeatInterval = interval;
    return macro;
}

template <typename Dialog = CMacroEditDlg>
class Editor {
  public:
    explicit Editor(const MacroRecord* macro) {
        dlg.LoadMacro(macro);
        EXPECT_TRUE(dlg.Create(nullptr));
        dlg.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    CWnd Item(int id) const { return dlg.GetDlgItem(id); }
    std::string Text(int id) const { return Item(id).GetWindowText(); }
    bool Enabled(int id) const { return Item(id).IsWindowEnabled(); }
    bool Checked(int id) const { return CButton(Item(id)).GetCheck(); }
    void Click(int id) {
        Item(id).SendMessage(BM_CLICK);
        PumpMessages();
    }
    void Type(int id, const std::string& text) {
        Item(id).SetWindowText(text);
        PumpMessages();
    }
    CListCtrl List() const { return CListCtrl(Item(IDC_EVENT_LIST)); }
    // -1 clears the selection.
    void SelectRow(int row) {
        if (row < 0) {
            List().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        } else {
            List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        PumpMessages();
    }
    std::string Cell(int row, int column) const { return List().GetItemText(row, column); }
    bool Ended() const { return !dlg.IsWindowVisible(); }

    Dialog dlg;
};

void Stroke(WORD vk, WORD scan, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    // From another thread, while this one pumps: the recorder's hook runs on
    // the dialog's thread, and the injection waits for it.
    std::atomic<bool> sent{false};
    std::thread injector([&] {
        ::SendInput(1, &input, sizeof input);
        sent = true;
    });
    while (!sent) {
        PumpMessages();
        ::Sleep(1);
    }
    injector.join();
    PumpMessages();
}

TEST(MacroEdit, ANewMacroPlaysOnceAndCannotBeConfirmedEmpty) {
    Editor<> editor(nullptr);
    EXPECT_EQ(editor.List().GetItemCount(), 0);
    EXPECT_TRUE(editor.Checked(IDC_PLAY_ONCE));
    EXPECT_FALSE(editor.Checked(IDC_PLAY_WHILE_PRESSED));
    EXPECT_EQ(editor.Text(IDC_REPEAT_INTERVAL), "30");
    EXPECT_FALSE(editor.Enabled(IDC_REPEAT_INTERVAL));
    EXPECT_FALSE(editor.Enabled(IDC_OK));
    // Enter and Escape leave it open.
    editor.dlg.SendMessage(WM_COMMAND, IDOK);
    editor.dlg.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(editor.Ended());
}

TEST(MacroEdit, AStoredMacroShowsItsRowsAndOkGivesItBackWithThePlayMode) {
    auto macro = Record("Reload", {kA, kA | kRelease, kRight, kRight | kRelease});
    macro->positions[2] = 0xFFFB000A;  // relative (-5, 10)
    Editor<> editor(macro.get());
    ASSERT_EQ(editor.List().GetItemCount(), 4);
    EXPECT_EQ(editor.Cell(0, 1), "Press");
    EXPECT_EQ(editor.Cell(1, 1), "Release");
    EXPECT_EQ(editor.Cell(0, 2), "100");
    EXPECT_EQ(editor.Cell(2, 3), "Relative (-5,10)");
    EXPECT_EQ(editor.Text(IDC_DURATION), "300 (ms)");
    EXPECT_TRUE(editor.Enabled(IDC_OK));

    editor.Click(IDC_PLAY_WHILE_PRESSED);
    EXPECT_TRUE(editor.Enabled(IDC_REPEAT_INTERVAL));
    EXPECT_FALSE(editor.Checked(IDC_PLAY_ONCE));
    editor.Type(IDC_REPEAT_INTERVAL, "500");
    editor.Click(IDC_OK);
    ASSERT_TRUE(editor.Ended());
    auto stored = std::make_unique<MacroRecord>();
    editor.dlg.StoreMacro(*stored);
    EXPECT_EQ(ReadText(stored->name), "Reload");
    EXPECT_EQ(stored->eventCount, 4u);
    EXPECT_EQ(stored->positions[2], 0xFFFB000Au);
    EXPECT_EQ(stored->delays[3], 0u);
    EXPECT_EQ(stored->playMode, PlayMode::WhilePressed);
    EXPECT_EQ(stored->repeatInterval, 500u);
    EXPECT_EQ(stored->screenWidth, static_cast<std::uint32_t>(::GetSystemMetrics(SM_CXSCREEN)));
}

TEST(MacroEdit, AnIntervalOutOfRangeKeepsTheEditorOpen) {
    auto macro = Record("Spam", {kA, kA | kRelease}, PlayMode::Toggle, 200);
    Editor<> editor(macro.get());
    EXPECT_TRUE(editor.Checked(IDC_PLAY_UNTIL_PRESSED_AGAIN));
    EXPECT_EQ(editor.Text(IDC_REPEAT_INTERVAL), "200");
    editor.Type(IDC_REPEAT_INTERVAL, "70000");
    {
        MessageBoxWatcher watcher;
        editor.Click(IDC_OK);
        EXPECT_EQ(watcher.seen().size(), 1u);
    }
    EXPECT_FALSE(editor.Ended());
}

TEST(MacroEdit, AnUnknownPlayModeOpensWithNoRadioAndStoresNone) {
    auto macro = Record("Odd", {kA, kA | kRelease}, 0x00800000, 100);
    Editor<> editor(macro.get());
    EXPECT_FALSE(editor.Checked(IDC_PLAY_ONCE) || editor.Checked(IDC_PLAY_WHILE_PRESSED) ||
                 editor.Checked(IDC_PLAY_UNTIL_PRESSED_AGAIN));
    editor.Click(IDC_OK);
    auto stored = std::make_unique<MacroRecord>();
    editor.dlg.StoreMacro(*stored);
    EXPECT_EQ(stored->playMode, 0u);
    EXPECT_EQ(stored->repeatInterval, 0u);
}

TEST(MacroEdit, RecordingTakesTheDesktopsStrokesWithoutRepeats) {
    Editor<> editor(nullptr);
    editor.Type(IDC_MACRO_NAME, "Typed");
    editor.Click(IDC_START_RECORDING);
    ASSERT_TRUE(editor.dlg.IsRecording());
    EXPECT_FALSE(editor.Enabled(IDC_START_RECORDING));
    Stroke('A', 0x1E, false);
    Stroke('A', 0x1E, false);  // auto-repeat
    Stroke('A', 0x1E, true);
    Stroke('B', 0x30, false);
    Stroke('B', 0x30, true);
    editor.Click(IDC_STOP_RECORDING);
    EXPECT_FALSE(editor.dlg.IsRecording());

    ASSERT_EQ(editor.List().GetItemCount(), 4);
    const std::vector<EventCode> expected = {kA, kA | kRelease, kB, kB | kRelease};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(editor.dlg.Events().row(i).code, expected[static_cast<std::size_t>(i)]) << i;
        EXPECT_FALSE(editor.Cell(i, 2).empty()) << i;
    }
    EXPECT_EQ(editor.Cell(3, 2), "0");
    EXPECT_TRUE(editor.Enabled(IDC_OK));
}

TEST(MacroEdit, RowsAreEditedAndTheListStaysNested) {
    auto macro = Record("Edit", {kA, kB, kB | kRelease, kA | kRelease});
    Editor<> editor(macro.get());

    // The press of A moves below B's press; its release is further down.
    editor.SelectRow(0);
    EXPECT_EQ(editor.dlg.Events().PairOf(0), (RowPair{0, 3}));
    EXPECT_TRUE(editor.Enabled(IDC_MOVE_DOWN));
    editor.Click(IDC_MOVE_DOWN);
    EXPECT_EQ(editor.Cell(0, 0), editor.Cell(2, 0));  // B, then A, then B's release
    EXPECT_EQ(editor.List().GetSelectedItem(), 1);

    // A delay above 60000 is cut back with the range message.
    editor.SelectRow(0);
    {
        MessageBoxWatcher watcher;
        editor.Type(IDC_DELAY, "70000");
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].text, "Please input a valid integer between 30 to 60000.");
    }
    EXPECT_EQ(editor.Text(IDC_DELAY), "7000");
    EXPECT_EQ(editor.Cell(0, 2), "7000");

    editor.Type(IDC_PRESS_DELAY, "50");
    editor.Click(IDC_PRESS_DELAYS);
    EXPECT_EQ(editor.Cell(0, 2), "50");
    EXPECT_EQ(editor.Cell(1, 2), "50");
    EXPECT_EQ(editor.Cell(2, 2), "100");  // a release keeps its delay
    EXPECT_EQ(editor.Cell(3, 2), "0");    // and the last row has none

    // Deleting the highlighted pair takes both of its rows.
    editor.SelectRow(1);
    editor.dlg.SendMessage(WM_COMMAND, ID_DELETE);
    PumpMessages();
    ASSERT_EQ(editor.List().GetItemCount(), 2);
    EXPECT_EQ(editor.dlg.Events().row(0).code, kB);
    editor.Click(IDC_CLEAR_ALL);
    EXPECT_EQ(editor.List().GetItemCount(), 0);
    EXPECT_FALSE(editor.Enabled(IDC_OK));
}

// Runs `command` in the editor and answers the dialog it opens (`title`)
// with its button `answer` from inside that dialog's modal loop.
void InsertThrough(CMacroEditDlg& editor, UINT command, const char* title, int answer) {
    InsideModalLoop answered([] {}, [&] { return ::FindWindowA("#32770", title); }, answer);
    editor.SendMessage(WM_COMMAND, command);
    EXPECT_TRUE(answered.ran()) << title;
    PumpMessages();
}

TEST(MacroEdit, InsertedPairsGoAboveTheSelectedRowButNeverIntoAPairOfTheirInput) {
    auto macro = Record("Insert", {kB, kB | kRelease});
    Editor<> editor(macro.get());
    editor.SelectRow(0);
    InsertThrough(editor.dlg, ID_KEYBOARD, "Please press a single key", IDC_ACCEPT);
    ASSERT_EQ(editor.List().GetItemCount(), 4);
    EXPECT_EQ(editor.dlg.Events().row(0).code, kA);
    EXPECT_EQ(editor.dlg.Events().row(1).code, kA | kRelease);
    EXPECT_EQ(editor.Cell(0, 2), "30");
    EXPECT_EQ(editor.List().GetSelectedItem(), 2);  // still on B's press

    // Below A's closed pair, another A goes in.
    editor.SelectRow(3);
    {
        MessageBoxWatcher watcher;
        InsertThrough(editor.dlg, ID_KEYBOARD, "Please press a single key", IDC_ACCEPT);
        EXPECT_EQ(watcher.seen().size(), 0u);  // A is not open at row 3
    }
    EXPECT_EQ(editor.List().GetItemCount(), 6);

    // With nothing selected the left button is appended, unplaced.
    editor.SelectRow(-1);
    InsertThrough(editor.dlg, ID_MOUSE_BUTTON, "Please select a mouse button", IDOK);
    ASSERT_EQ(editor.List().GetItemCount(), 8);
    EXPECT_EQ(editor.dlg.Events().row(6).code, 0x02000001u);
    EXPECT_EQ(editor.Cell(6, 3), "Undefined (0,0)");
    EXPECT_EQ(editor.Cell(7, 2), "0");  // the last event has no pause after it
}

TEST(MacroEdit, AKeyInsideAPairOfTheSameKeyIsRefused) {
    auto macro = Record("Nested", {kA, kA | kRelease});
    Editor<> editor(macro.get());
    editor.SelectRow(1);  // the release: the point lies inside A's pair
    MessageBoxWatcher watcher;
    InsertThrough(editor.dlg, ID_KEYBOARD, "Please press a single key", IDC_ACCEPT);
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].text, "Can't insert the key into this range. Please double check.");
    EXPECT_EQ(editor.List().GetItemCount(), 2);
}

TEST(MacroEdit, MorePutsTheHiddenColumnsInView) {
    auto macro = Record("Wide", {kA, kA | kRelease});
    Editor<> editor(macro.get());
    const RECT before = editor.dlg.GetWindowRect();
    editor.dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MORE_LESS, STN_CLICKED),
                           reinterpret_cast<LPARAM>(static_cast<HWND>(editor.Item(IDC_MORE_LESS))));
    PumpMessages();
    const RECT after = editor.dlg.GetWindowRect();
    EXPECT_EQ((after.right - after.left) - (before.right - before.left), 172);
    EXPECT_EQ(editor.Text(IDC_MORE_LESS), "<< Less");
    EXPECT_EQ(editor.Text(IDC_DURATION), "Duration: 100 (ms)");
    EXPECT_EQ(editor.Cell(0, 4), "1");
}

TEST(MacroEdit, ALayerMacroAlwaysPlaysOnce) {
    auto macro = Record("Layer", {kA, kA | kRelease}, PlayMode::WhilePressed, 400);
    Editor<CLayerMacroEditDlg> editor(macro.get());
    EXPECT_FALSE(editor.Item(IDC_PLAY_ONCE).IsWindow());
    editor.Click(IDC_OK);
    ASSERT_TRUE(editor.Ended());
    auto stored = std::make_unique<MacroRecord>();
    editor.dlg.StoreMacro(*stored);
    EXPECT_EQ(stored->playMode, 0u);
    EXPECT_EQ(stored->repeatInterval, 0u);
    EXPECT_EQ(stored->eventCount, 2u);
}

}  // namespace
}  // namespace gd::test
