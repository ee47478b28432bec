// The macro editor under a real window: recording strokes injected into the
// desktop, editing rows, the dialogs it opens for insertions, and what OK
// hands back. The dialog runs modeless here so that the test can drive it;
// its own buttons end it all the same.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editors/macro_edit_dlg.h"
#include "profile/image.h"
#include "resource.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

constexpr EventCode kA = 0x0100001E;
constexpr EventCode kB = 0x01000030;
constexpr EventCode kRelease = 0x00100000;
constexpr EventCode kRight = 0x02000002;

std::unique_ptr<MacroRecord> Record(const char* name, std::vector<EventCode> events,
                                    std::uint32_t playMode = PlayMode::Once) {
    auto macro = std::make_unique<MacroRecord>();
    std::memset(macro.get(), 0, sizeof *macro);
    WriteName(macro->name, name);
    macro->eventCount = static_cast<std::uint32_t>(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        macro->events[i] = events[i];
        macro->delays[i] = i + 1 < events.size() ? 100 : 0;
    }
    macro->playMode = playMode;
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
    void Click(int id) {
        Item(id).SendMessage(BM_CLICK);
        PumpMessages();
    }
    void Type(int id, const std::string& text) {
        Item(id).SetWindowText(text);
        PumpMessages();
    }
    CListCtrl List() const { return CListCtrl(Item(IDC_EVENT_LIST)); }
    int Rows() const { return List().GetItemCount(); }
    // -1 clears the selection.
    void SelectRow(int row) {
        List().SetItemState(row, row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
        PumpMessages();
    }
    std::string Cell(int row, int column) const { return List().GetItemText(row, column); }
    EventCode Code(int row) const { return dlg.Events().row(row).code; }
    bool Ended() const { return !dlg.IsWindowVisible(); }
    std::unique_ptr<MacroRecord> Stored() {
        auto stored = std::make_unique<MacroRecord>();
        dlg.StoreMacro(*stored);
        return stored;
    }

    Dialog dlg;
};

TEST(MacroEdit, OkGivesTheMacroBackWithItsPlayModeOnceTheIntervalIsInRange) {
    auto macro = Record("Reload", {kA, kA | kRelease, kRight, kRight | kRelease});
    macro->positions[2] = 0xFFFB000A;  // relative (-5, 10)
    Editor<> editor(macro.get());
    ASSERT_EQ(editor.Rows(), 4);
    EXPECT_EQ(editor.Cell(1, 1), "Release");
    EXPECT_EQ(editor.Cell(0, 2), "100");
    EXPECT_EQ(editor.Cell(2, 3), "Relative (-5,10)");
    EXPECT_EQ(editor.Text(IDC_DURATION), "300 (ms)");
    EXPECT_FALSE(editor.Enabled(IDC_REPEAT_INTERVAL));

    editor.Click(IDC_PLAY_WHILE_PRESSED);
    EXPECT_TRUE(editor.Enabled(IDC_REPEAT_INTERVAL));
    editor.Type(IDC_REPEAT_INTERVAL, "70000");
    {
        MessageBoxWatcher watcher;
        editor.Click(IDC_OK);
        EXPECT_EQ(watcher.seen().size(), 1u);
    }
    EXPECT_FALSE(editor.Ended());
    editor.Type(IDC_REPEAT_INTERVAL, "500");
    editor.Click(IDC_OK);
    ASSERT_TRUE(editor.Ended());

    auto stored = editor.Stored();
    EXPECT_EQ(ReadText(stored->name), "Reload");
    EXPECT_EQ(stored->eventCount, 4u);
    EXPECT_EQ(stored->positions[2], 0xFFFB000Au);
    EXPECT_EQ(stored->playMode, PlayMode::WhilePressed);
    EXPECT_EQ(stored->repeatInterval, 500u);
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
    auto macro = Record("Insert", {kB, kA, kA | kRelease, kB | kRelease});
    Editor<> editor(macro.get());
    {
        // Inside A's pair, the key capture's A is refused.
        MessageBoxWatcher watcher;
        editor.SelectRow(2);
        InsertThrough(editor.dlg, ID_KEYBOARD, "Please press a single key", IDC_ACCEPT);
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].text,
                  "Can't insert the key into this range. Please double check.");
        EXPECT_EQ(editor.Rows(), 4);
    }
    editor.SelectRow(0);
    InsertThrough(editor.dlg, ID_KEYBOARD, "Please press a single key", IDC_ACCEPT);
    ASSERT_EQ(editor.Rows(), 6);
    EXPECT_EQ(editor.Code(0), kA);
    EXPECT_EQ(editor.Code(1), kA | kRelease);
    EXPECT_EQ(editor.List().GetSelectedItem(), 2);  // still on B's press

    // With nothing selected the left button is appended, unplaced.
    editor.SelectRow(-1);
    InsertThrough(editor.dlg, ID_MOUSE_BUTTON, "Please select a mouse button", IDOK);
    ASSERT_EQ(editor.Rows(), 8);
    EXPECT_EQ(editor.Code(6), 0x02000001u);
    EXPECT_EQ(editor.Cell(6, 3), "Undefined (0,0)");
}

TEST(MacroEdit, ALayerMacroAlwaysPlaysOnce) {
    auto macro = Record("Layer", {kA, kA | kRelease}, PlayMode::WhilePressed);
    macro->repeatInterval = 400;
    Editor<CLayerMacroEditDlg> editor(macro.get());
    EXPECT_FALSE(editor.Item(IDC_PLAY_ONCE).IsWindow());
    editor.Click(IDC_OK);
    ASSERT_TRUE(editor.Ended());
    auto stored = editor.Stored();
    EXPECT_EQ(stored->playMode, 0u);
    EXPECT_EQ(stored->repeatInterval, 0u);
    EXPECT_EQ(stored->eventCount, 2u);
}

}  // namespace
}  // namespace gd::test
