// The assignment menu's commands through the running program: the editors
// they open, the direct commands and a whole slot copied and pasted.
#include "app_test_support.h"

#include <commctrl.h>

#include <cstring>

#include "support/win_test_support.h"

namespace gd::apptest {
namespace {

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

    // Cancel on a modified, named profile asks first; Yes saves it.
    static void SaveThroughCancel(Program& program, HWND main) {
        ClickControl(main, IDC_CANCEL);
        HWND question = WaitForDialog(program.Pid(), kProgramBase);
        ASSERT_NE(question, nullptr) << "the profile did not count as modified";
        EXPECT_EQ(MessageText(question), "Do you want to save this file?");
        PressButton(question, IDYES);
        program.Sync();
    }
};

TEST_F(AssignmentTest, StopOffAndDefaultRewriteTheSlotAndItsLabel) {
    const std::string path = Work("direct commands.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("G", {0, 4, 15})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();

    const struct {
        int slot;  // group M1-M10 up to 9, then M11-M20
        UINT command;
        std::uint32_t slotType;
        const char* label;
    } rows[] = {
        {0, ID_STOP_MACRO_LOOP, SlotType::StopMacroLoop, "Stop Macro"},
        {4, ID_DEFAULT, SlotType::Default, "Off"},
        {15, ID_STOP_KEY, SlotType::StopKey, "Stop"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.slot);
        if (row.slot == 15) {
            ClickControl(main, IDC_GROUP_M11_M20);
            program.Sync();
        }
        Select(program, main, row.slot % 10);
        program.Command(row.command);
        program.Sync();
        EXPECT_EQ(LabelText(main, row.slot % 10), row.label);
    }

    SaveThroughCancel(program, main);
    const ReadBack back = ReadProfile(path);
    ASSERT_EQ(back.error, FileError::None);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.slot);
        EXPECT_EQ(back.image->slots[row.slot].slotType, row.slotType);
    }
}

using test::Inject;
using test::Strokes;

TEST_F(AssignmentTest, AMacroRecordedInTheEditorFillsTheButtonAndItsLabelReopensIt) {
    const std::string path = Work("macro.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("G", {5})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();

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

    SaveThroughCancel(program, main);
    const ReadBack back = ReadProfile(path);
    ASSERT_EQ(back.error, FileError::None);
    const ButtonSlot& slot = back.image->slots[1];
    EXPECT_EQ(slot.slotType, SlotType::Macro);
    EXPECT_EQ(ReadText(slot.macro.name), "Burst");
    ASSERT_EQ(slot.macro.eventCount, 2u);
    EXPECT_EQ(slot.macro.events[0], 0x0100001Eu);
    EXPECT_EQ(slot.macro.events[1], 0x0110001Eu);
    EXPECT_EQ(slot.macro.playMode, PlayMode::Once);
}

TEST_F(AssignmentTest, SingleKeysAndSingleSwitchesComeFromTheKeyAndMouseDialogs) {
    const std::string path = Work("singles.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("G", {9})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();

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
    Select(program, main, 1);
    program.Command(ID_SINGLE_SWITCH_MOUSE_BUTTON);
    HWND mouse = WaitForDialog(program.Pid(), "Please select a mouse button");
    ASSERT_NE(mouse, nullptr);
    PressButton(mouse, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(mouse); }));
    program.Sync();
    const std::string switchLabel = LabelText(main, 1);
    EXPECT_NE(switchLabel.find("(Single)"), std::string::npos) << switchLabel;

    SaveThroughCancel(program, main);
    const ReadBack back = ReadProfile(path);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(back.image->slots[0].slotType, SlotType::SingleKey);
    EXPECT_EQ(back.image->slots[0].action.code, 0x01200030u);
    EXPECT_EQ(back.image->slots[1].slotType, SlotType::MultiLayer);
    EXPECT_EQ(MultiLayerKind(back.image->slots[1].multiLayer),
              MultiLayerKindValue::SingleSwitchMouse);
}

TEST_F(AssignmentTest, ASlotCopiedOnM3AndPastedOnM18IsTheSameSlot) {
    const std::string path = Work("copy paste.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("Combo", {2})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();

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
    EXPECT_EQ(LabelText(main, 7), "Combo2");

    SaveThroughCancel(program, main);
    const ReadBack back = ReadProfile(path);
    ASSERT_EQ(back.error, FileError::None);
    EXPECT_EQ(std::memcmp(&back.image->slots[17], &back.image->slots[2], sizeof(ButtonSlot)), 0);
}

}  // namespace
}  // namespace gd::apptest
