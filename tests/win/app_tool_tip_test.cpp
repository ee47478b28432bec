// Texts the main window has to cut short can be read whole: the pointer resting on a
// pad button or on its label shows the whole assignment in a tool tip.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app_test_support.h"
#include "support/win_test_support.h"

namespace gd::apptest {
namespace {

// The text of the tool tip the program shows, once it shows `expected`; what it shows
// otherwise (nothing: "").
std::string ToolTipShown(const Program& program, const std::string& expected) {
    std::string shown;
    WaitFor([&] {
        shown.clear();
        for (HWND tip : TopLevelWindows(program.Pid(), TOOLTIPS_CLASSA)) {
            shown = ControlText(tip);
            if (shown == expected) {
                return true;
            }
        }
        return false;
    });
    return shown;
}

// Tool tip windows of the program, shown or not.
int ToolTipWindowsMade(const Program& program) {
    int made = 0;
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        made += owner == program.Pid() ? 1 : 0;
    }
    return made;
}

// The pointer rests on the middle of the control, moved onto it in two steps so that
// it arrives there with a move of its own.
void PointAt(HWND main, int id) {
    RECT place{};
    ::GetWindowRect(::GetDlgItem(main, id), &place);
    const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    test::Inject(test::PointerAt({middle.x - 3, middle.y}));
    test::Inject(test::PointerAt(middle));
}

using ToolTipTest = AppTest;

TEST_F(ToolTipTest, EveryPadButtonAndLabelShowsItsWholeAssignment) {
    const std::string path = Work("tool tips.gpx");
    auto image = MacroProfile("", {});
    image->slots[6].slotType = SlotType::Macro;
    WriteName(image->slots[6].macro.name, "Drag to map corner, then back to the base");
    ASSERT_TRUE(WriteProfile(path, *image));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    // Each tool tip's window waits for the pointer: the start makes none.
    EXPECT_EQ(ToolTipWindowsMade(program), 0);
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();
    ASSERT_TRUE(Shows(main, IDC_PAD_LABEL_6));

    const std::string macro = "Macro: Drag to map corner, then back to the base";
    PointAt(main, IDC_PAD_LABEL_6);
    EXPECT_EQ(ToolTipShown(program, macro), macro);
    PointAt(main, IDC_PAD_BUTTON_6);
    EXPECT_EQ(ToolTipShown(program, "M7, " + macro), "M7, " + macro);
    // The short ones too: there is always an answer where the pointer rests.
    PointAt(main, IDC_PAD_BUTTON_0);
    EXPECT_EQ(ToolTipShown(program, "M1, Off"), "M1, Off");
    PointAt(main, IDC_PAD_LABEL_0);
    EXPECT_EQ(ToolTipShown(program, "Off"), "Off");

    // M11-M20 name their own buttons.
    ClickControl(main, IDC_GROUP_M11_M20);
    program.Sync();
    PointAt(main, IDC_PAD_BUTTON_9);
    EXPECT_EQ(ToolTipShown(program, "M20, Off"), "M20, Off");
}

}  // namespace
}  // namespace gd::apptest
