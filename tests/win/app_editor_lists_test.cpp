// The lists of the editors and of Automatic Profiles at 96 and 192 dpi: every column
// shows whole where the list has room for it, the longest text of the macro list's
// Others column included, and the macro editor's More >> is reached from the keyboard.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app_test_support.h"
#include "skin/skin_list_ctrl.h"
#include "support/win_test_support.h"

namespace gd::apptest {
namespace {

constexpr char kLongestPosition[] = "Absolute (-2048,-2048)";
constexpr test::Key kTab{VK_TAB, 0x0F};
constexpr test::Key kSpace{VK_SPACE, 0x39};

int ColumnWidth(HWND list, int column) {
    return static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
}

int ColumnsWidth(HWND list) {
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    int total = 0;
    for (int column = 0; column < count; ++column) {
        total += ColumnWidth(list, column);
    }
    return total;
}

int ClientWidth(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return client.right;
}

// The width of `text` in the list's own font, asked of the list in its process: the
// text is put in that process's memory, where the list reads it.
int StringWidthIn(HWND list, const std::string& text) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(list, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) {
        return -1;
    }
    void* there = ::VirtualAllocEx(process, nullptr, text.size() + 1, MEM_RESERVE | MEM_COMMIT,
                                   PAGE_READWRITE);
    int width = -1;
    if (there != nullptr &&
        ::WriteProcessMemory(process, there, text.c_str(), text.size() + 1, nullptr)) {
        width = static_cast<int>(
            ::SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(there)));
    }
    if (there != nullptr) {
        ::VirtualFreeEx(process, there, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return width;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The dialog of the program that holds `control`, once it shows.
HWND WaitForDialogWith(const Program& program, int control) {
    HWND found = nullptr;
    WaitFor([&] {
        found = program.FindDialogWhere(
            [&](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, control) != nullptr; });
        return found != nullptr;
    });
    return found;
}

// M1 a macro whose mouse press has the longest position there is, M2 a set of layers
// the advanced editor opens.
std::string WriteListsProfile() {
    auto image = MacroProfile("", {});
    MacroRecord& macro = image->slots[0].macro;
    image->slots[0].slotType = SlotType::Macro;
    WriteName(macro.name, "Far corner drag");
    macro.eventCount = 2;
    macro.events[0] = 0x02010001;  // left button press, absolute
    macro.positions[0] = PackPosition(-2048, -2048);
    macro.delays[0] = 40;
    macro.events[1] = 0x02100001;  // its release
    macro.playMode = PlayMode::Once;
    MultiLayerRecord& layers = image->slots[1].multiLayer;
    image->slots[1].slotType = SlotType::MultiLayer;
    WriteName(layers.name, "Build and guard");
    layers.layerCount = 3;
    layers.layers[0].layerType = LayerType::Key;
    layers.layers[0].action.code = 0x01200021;
    layers.layers[1].layerType = LayerType::StopMacroLoop;
    layers.layers[2].layerType = LayerType::Key;
    layers.layers[2].action.code = 0x01200022;
    const std::string path = Work("editor lists.gpx");
    EXPECT_TRUE(WriteProfile(path, *image));
    return path;
}

using EditorListsTest = AppTest;

TEST_F(EditorListsTest, EveryColumnShowsWholeAndMoreIsReachedFromTheKeyboard) {
    const std::string path = WriteListsProfile();
    for (const DWORD dpi : {DWORD{96}, DWORD{192}}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        LogPixels scale(dpi);
        Program program(Quoted(path));
        HWND main = program.Main();
        ASSERT_NE(main, nullptr);
        ClickControl(main, IDC_GROUP_M1_M10);
        program.Sync();

        PressButton(main, IDC_PAD_LABEL_0);
        HWND editor = WaitForDialogWith(program, IDC_EVENT_LIST);
        ASSERT_NE(editor, nullptr);
        HWND list = ::GetDlgItem(editor, IDC_EVENT_LIST);
        // Key, Action and Delay show before More >>.
        EXPECT_LE(ColumnWidth(list, 0) + ColumnWidth(list, 1) + ColumnWidth(list, 2),
                  ClientWidth(list));
        HWND more = ::GetDlgItem(editor, IDC_MORE_LESS);
        // Each Tab taken before the next: one still on its way would pass the button.
        for (int tab = 0; tab < 30 && FocusOf(editor) != more; ++tab) {
            const HWND before = FocusOf(editor);
            test::Inject(test::Strokes({kTab}));
            WaitFor([&] { return FocusOf(editor) != before; }, 2000);
        }
        ASSERT_EQ(FocusOf(editor), more);
        test::Inject(test::Strokes({kSpace}));
        ASSERT_TRUE(WaitFor([&] { return ControlText(more) == "<< Less"; }));
        // After it, all five, the position's longest text whole.
        EXPECT_LE(ColumnsWidth(list), ClientWidth(list));
        EXPECT_GE(ColumnWidth(list, 3),
                  StringWidthIn(list, kLongestPosition) + 2 * CSkinListCtrl::kCellInset);
        PressButton(editor, IDC_CANCEL);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }));

        // The advanced editor's layer names have the room the other columns leave.
        PressButton(main, IDC_PAD_LABEL_1);
        HWND layers = WaitForDialogWith(program, IDC_LAYER_LIST);
        ASSERT_NE(layers, nullptr);
        HWND layerList = ::GetDlgItem(layers, IDC_LAYER_LIST);
        EXPECT_LE(ColumnsWidth(layerList), ClientWidth(layerList));
        EXPECT_GE(ColumnsWidth(layerList), ClientWidth(layerList) - 2);
        PressButton(layers, IDC_CANCEL);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(layers); }));

        // Automatic Profiles: the rules and the decisions fill their lists but for
        // a scroll bar's room (its width at the program's DPI, twice over at most).
        program.Command(ID_OPTIONS_AUTO_PROFILES);
        HWND profiles = WaitForDialogWith(program, IDC_AUTO_RULES);
        ASSERT_NE(profiles, nullptr);
        const int scrollBar = ::MulDiv(::GetSystemMetrics(SM_CXVSCROLL), static_cast<int>(dpi), 96);
        for (int id : {IDC_AUTO_RULES, IDC_AUTO_HISTORY}) {
            HWND autoList = ::GetDlgItem(profiles, id);
            EXPECT_LE(ColumnsWidth(autoList), ClientWidth(autoList)) << id;
            EXPECT_GE(ColumnsWidth(autoList), ClientWidth(autoList) - 2 * scrollBar) << id;
        }
        PressButton(profiles, IDCANCEL);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(profiles); }));
    }
}

}  // namespace
}  // namespace gd::apptest
