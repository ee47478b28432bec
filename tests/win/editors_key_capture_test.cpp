#include "editors/key_capture_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fw/handle.h"
#include "fw_test_support.h"
#include "keys/key_names.h"
#include "profile/image.h"
#include "resource.h"
#include "summary_test_support.h"

namespace gd::test {
namespace {

// A key as the keyboard sends it: virtual key and scan code both, since the
// system fills in neither from the other for injected input.
struct Key {
    WORD vk;
    WORD scan;
    bool extended;
};
constexpr Key kKeyA{'A', 0x1E, false};
constexpr Key kKeyB{'B', 0x30, false};
constexpr Key kEnter{VK_RETURN, 0x1C, false};
constexpr Key kPadEnter{VK_RETURN, 0x1C, true};
constexpr Key kEscape{VK_ESCAPE, 0x01, false};
constexpr Key kRightCtrl{VK_RCONTROL, 0x1D, true};
constexpr Key kDown{VK_DOWN, 0x50, true};
constexpr Key kF1{VK_F1, 0x3B, false};
constexpr Key kF13{VK_F13, 0x64, false};                 // not in the key table
constexpr Key kPlainRightShift{VK_RSHIFT, 0x36, false};  // listed only as extended

std::vector<INPUT> Strokes(const std::vector<Key>& keys) {
    std::vector<INPUT> inputs;
    for (const Key& key : keys) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key.vk;
            input.ki.wScan = key.scan;
            input.ki.dwFlags =
                (key.extended ? KEYEVENTF_EXTENDEDKEY : 0u) | (up ? KEYEVENTF_KEYUP : 0u);
            inputs.push_back(input);
        }
    }
    return inputs;
}

// A left click at a screen point.
std::vector<INPUT> ClickAt(POINT p) {
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = p.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = p.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    return inputs;
}

struct Injection {
    std::vector<INPUT> inputs;
    UINT sent = 0;
};

DWORD WINAPI InjectThread(LPVOID parameter) {
    auto* job = static_cast<Injection*>(parameter);
    job->sent =
        ::SendInput(static_cast<UINT>(job->inputs.size()), job->inputs.data(), sizeof(INPUT));
    return 0;
}

// Injects input from another thread, as the keyboard would, while this
// thread goes on running its messages: low-level hooks are called on the
// thread that installed them, through its message loop. Returns once every
// event went through the hooks.
void Inject(std::vector<INPUT> inputs) {
    Injection job{std::move(inputs)};
    HANDLE thread = ::CreateThread(nullptr, 0, &InjectThread, &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The bound only keeps a broken build from hanging.
    for (int round = 0; round < 500; ++round) {
        if (::MsgWaitForMultipleObjects(1, &thread, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0) {
            break;
        }
        PumpMessages();
    }
    EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    ::CloseHandle(thread);
    PumpMessages();
    EXPECT_EQ(job.sent, job.inputs.size());
}

// A low-level keyboard hook installed before the dialog's: it sees a key
// event only when the dialog's hook let it through, or is gone.
class StrokeCounter {
  public:
    StrokeCounter() {
        count_ = 0;
        hook_.reset(::SetWindowsHookExA(WH_KEYBOARD_LL, &Hook, ::GetModuleHandleA(nullptr), 0));
    }
    StrokeCounter(const StrokeCounter&) = delete;
    StrokeCounter& operator=(const StrokeCounter&) = delete;

    bool installed() const { return static_cast<bool>(hook_); }
    int count() const { return count_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION) {
            ++count_;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline int count_ = 0;
    UniqueHook hook_;
};

// One modal run ended by a click on OK unless another button is named.
using test::RunModal;
INT_PTR RunModal(CKeyCaptureDlg& dlg, const std::function<void(HWND)>& steps) {
    return test::RunModal(dlg, steps, IDC_ACCEPT);
}

std::string KeyShown(HWND dialog) {
    return TextOf(::GetDlgItem(dialog, IDC_KEY_NAME));
}

std::string NameOfKey(std::uint32_t key) {
    return EventName(kKeyCodeBase | key);
}

TEST(KeyCaptureDlg, OpensOnTheDefaultKeyAndOkReturnsItAsAClick) {
    CKeyCaptureDlg dlg;
    EXPECT_EQ(dlg.flags, 0x01200000u);
    EXPECT_EQ(dlg.key, 30u);
    std::string caption, shown;
    bool listVisible = true;
    const INT_PTR result = RunModal(dlg, [&](HWND d) {
        caption = TextOf(d);
        shown = KeyShown(d);
        listVisible = ::IsWindowVisible(::GetDlgItem(d, IDC_ACTION)) != FALSE;
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_ACCEPT)), "&OK");
        EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_REJECT)), "&Cancel");
        EXPECT_EQ(::GetWindowLongPtrA(d, GWL_STYLE) & WS_SYSMENU, 0);  // no close box
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, "Please press a single key");
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(shown, NameOfKey(0x1E));
    EXPECT_FALSE(listVisible);
    EXPECT_EQ(dlg.flags, 0x01200000u);
    EXPECT_EQ(dlg.key, 30u);
}

TEST(KeyCaptureDlg, StartsEmptyWithoutKeyAndKeepsAnUnlistedStartingKey) {
    const struct {
        std::uint32_t key;
        bool shownEmpty;
    } kCases[] = {{0, true}, {0x36, true}, {0x1001C, false}};
    for (const auto& c : kCases) {
        CKeyCaptureDlg dlg;
        dlg.key = c.key;
        std::string shown = "not run";
        EXPECT_EQ(RunModal(dlg, [&](HWND d) { shown = KeyShown(d); }), IDOK);
        EXPECT_EQ(shown.empty(), c.shownEmpty) << std::hex << c.key;
        if (!c.shownEmpty) {
            EXPECT_EQ(shown, NameOfKey(c.key));
        }
        EXPECT_EQ(dlg.key, c.key);
    }
}

TEST(KeyCaptureDlg, TheLastListedKeyStrokeWins) {
    const struct {
        const char* what;
        std::vector<Key> keys;
        std::uint32_t expected;
    } kCases[] = {
        {"one key", {kKeyB}, 0x30},
        {"the last of several", {kKeyB, kRightCtrl, kKeyA, kEnter}, 0x1C},
        {"Escape is a key", {kEscape}, 0x01},
        {"keypad Enter differs from Enter", {kPadEnter}, 0x1001C},
        {"right Ctrl is extended", {kKeyB, kRightCtrl}, 0x1001D},
        {"F1 is a key", {kF1}, 0x3B},
        {"an unlisted key changes nothing", {kKeyB, kF13}, 0x30},
        {"right Shift without its flag is unlisted", {kPlainRightShift}, 0x1E},
    };
    for (const auto& c : kCases) {
        CKeyCaptureDlg dlg;
        std::string shown;
        const INT_PTR result = RunModal(dlg, [&](HWND d) {
            Inject(Strokes(c.keys));
            shown = KeyShown(d);
        });
        EXPECT_EQ(result, IDOK) << c.what;
        EXPECT_EQ(dlg.key, c.expected) << c.what;
        EXPECT_EQ(shown, NameOfKey(c.expected)) << c.what;
        EXPECT_EQ(dlg.flags, 0x01200000u) << c.what;
    }
}

TEST(KeyCaptureDlg, StrokesReachNoOtherHookAndNoWindowWhileOpen) {
    StrokeCounter counter;
    ASSERT_TRUE(counter.installed());
    CKeyCaptureDlg dlg;
    dlg.SetActionChoiceEnabled(true);
    int seenWhileOpen = -1;
    int selectedAfterArrow = -1;
    const INT_PTR result = RunModal(dlg, [&](HWND d) {
        // The arrow key would move the focused list's selection.
        HWND list = ::GetDlgItem(d, IDC_ACTION);
        ::SetFocus(list);
        Inject(Strokes({kDown, kDown, kKeyB}));
        selectedAfterArrow = static_cast<int>(::SendMessageA(list, CB_GETCURSEL, 0, 0));
        seenWhileOpen = counter.count();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(seenWhileOpen, 0);
    EXPECT_EQ(selectedAfterArrow, 0);
    EXPECT_EQ(dlg.flags, 0x01200000u);
    EXPECT_EQ(dlg.key, 0x30u);

    // Closed, the keyboard is free again.
    Inject(Strokes({kKeyA}));
    EXPECT_EQ(counter.count(), 2);
}

TEST(KeyCaptureDlg, EnterEscapeAndTheStandardCommandsDoNotEndIt) {
    CKeyCaptureDlg dlg;
    std::vector<bool> open;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND d) {
            auto stillOpen = [&] {
                PumpMessages();
                open.push_back(::IsWindowVisible(d) != FALSE);
            };
            Inject(Strokes({kEnter}));
            stillOpen();
            Inject(Strokes({kEscape}));
            stillOpen();
            ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            stillOpen();
            ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            stillOpen();
            ::SendMessageA(d, WM_CLOSE, 0, 0);
            stillOpen();
            HELPINFO help{};
            help.cbSize = sizeof help;
            ::SendMessageA(d, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
            stillOpen();
        },
        IDC_ACCEPT);
    EXPECT_EQ(result, IDOK);  // ended by its own OK, not by IDOK or IDCANCEL
    EXPECT_EQ(open, std::vector<bool>(6, true));
    EXPECT_EQ(dlg.key, 0x01u);  // Escape, the last key stroke
}

TEST(KeyCaptureDlg, ActionChoiceShowsTheThreeActionsAndOkReturnsTheChosenOne) {
    const struct {
        bool choice;
        std::uint32_t startFlags;
        int pick;  // -1: leave the list as opened
        int shownSelection;
        std::uint32_t result;
    } kCases[] = {
        {true, 0x01200000, 2, 0, 0x01100000},    // "Release"
        {true, 0x01200000, 1, 0, 0x01000000},    // "Press"
        {true, 0x01100000, -1, 2, 0x01100000},   // opens on "Release"
        {true, 0x01000000, 0, 1, 0x01200000},    // from "Press" to "Click"
        {false, 0x01000000, -1, 1, 0x01000000},  // hidden: the action it opened with
        {false, 0x01100000, -1, 2, 0x01100000},
        // An action no row stands for shows as Click and returns Click.
        {true, 0x01300000, -1, 0, 0x01200000},
        {false, 0x01F00000, -1, 0, 0x01200000},
        // Kind bits are not handed back: OK always returns a keyboard code.
        {false, 0x02000000, -1, 1, 0x01000000},
    };
    for (const auto& c : kCases) {
        CKeyCaptureDlg dlg;
        dlg.SetActionChoiceEnabled(c.choice);
        dlg.flags = c.startFlags;
        std::vector<std::string> items;
        bool visible = !c.choice;
        int selection = -2;
        const INT_PTR result = RunModal(dlg, [&](HWND d) {
            HWND list = ::GetDlgItem(d, IDC_ACTION);
            visible = ::IsWindowVisible(list) != FALSE;
            selection = static_cast<int>(::SendMessageA(list, CB_GETCURSEL, 0, 0));
            const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char text[64] = {};
                ::SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                items.push_back(text);
            }
            if (c.pick >= 0) {
                PickWithKeys(list, c.pick);
            }
        });
        const auto where = ::testing::Message() << std::hex << c.startFlags << " pick " << c.pick;
        EXPECT_EQ(result, IDOK) << where;
        EXPECT_EQ(visible, c.choice) << where;
        EXPECT_EQ(items, (std::vector<std::string>{"Click", "Press", "Release"})) << where;
        EXPECT_EQ(selection, c.shownSelection) << where;
        EXPECT_EQ(dlg.flags, c.result) << where;
        EXPECT_EQ(dlg.key, 30u) << where;
    }
}

TEST(KeyCaptureDlg, CancelEndsItAndFreesTheKeyboard) {
    StrokeCounter counter;
    CKeyCaptureDlg dlg;
    const INT_PTR result = RunModal(
        dlg, [&](HWND) { Inject(Strokes({kKeyB})); }, IDC_REJECT);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(counter.count(), 0);
    Inject(Strokes({kKeyA}));
    EXPECT_EQ(counter.count(), 2);
}

TEST(KeyCaptureDlg, TheKeyboardIsFreedHoweverTheDialogEnds) {
    StrokeCounter counter;
    {
        CKeyCaptureDlg dlg;
        // Ended from outside, past its own buttons.
        const INT_PTR result = RunModal(
            dlg, [](HWND d) { ::EndDialog(d, 7); }, IDC_REJECT);
        EXPECT_EQ(result, 7);
        EXPECT_EQ(dlg.key, 30u);
    }
    Inject(Strokes({kKeyA}));
    EXPECT_EQ(counter.count(), 2);

    // A second dialog captures again after the first one let go.
    CKeyCaptureDlg again;
    EXPECT_EQ(RunModal(again, [](HWND) { Inject(Strokes({kKeyB})); }), IDOK);
    EXPECT_EQ(again.key, 0x30u);
    EXPECT_EQ(counter.count(), 2);
}

TEST(KeyCaptureDlg, AMouseClickOnOkEndsItWhileTheKeyboardIsCaptured) {
    CKeyCaptureDlg dlg;
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            Inject(Strokes({kKeyB}));
            RECT button{};
            ::GetWindowRect(::GetDlgItem(d, IDC_ACCEPT), &button);
            Inject(ClickAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2}));
        },
        IDC_REJECT);  // only reached when the click did not end it
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.key, 0x30u);
}

MultiLayerRecord SingleSwitchRecord(EventCode layer0, EventCode layer1) {
    MultiLayerRecord record;
    std::memset(&record, 0, sizeof record);
    record.layerCount = 2;
    record.layers[0].layerType = LayerType::Key;
    record.layers[0].action.code = layer0;
    record.layers[1].layerType = LayerType::Key;
    record.layers[1].action.code = layer1;
    return record;
}

TEST(KeyCaptureDlg, LoadSingleSwitchStartsFromTheRecordsKeyAndHidesTheChoice) {
    const struct {
        const char* what;
        MultiLayerRecord record;
        std::uint32_t flags;
        std::uint32_t key;
    } kCases[] = {
        {"single switch of A", SingleSwitchRecord(0x0100001E, 0x0110001E), 0x01200000, 0x1E},
        {"single switch of keypad Enter", SingleSwitchRecord(0x0101001C, 0x0111001C), 0x01200000,
         0x1001C},
        {"layer 0 a release", SingleSwitchRecord(0x0110001E, 0x0110001E), 0x01000000, 0x30},
        {"two different keys", SingleSwitchRecord(0x0100001E, 0x0110001F), 0x01000000, 0x30},
    };
    for (const auto& c : kCases) {
        CKeyCaptureDlg dlg;
        dlg.SetActionChoiceEnabled(true);
        dlg.flags = 0x01000000;
        dlg.key = 0x30;
        dlg.LoadSingleSwitch(c.record);
        EXPECT_EQ(dlg.flags, c.flags) << c.what;
        EXPECT_EQ(dlg.key, c.key) << c.what;
        bool listVisible = true;
        std::string shown;
        RunModal(
            dlg,
            [&](HWND d) {
                listVisible = ::IsWindowVisible(::GetDlgItem(d, IDC_ACTION)) != FALSE;
                shown = KeyShown(d);
            },
            IDC_REJECT);
        EXPECT_FALSE(listVisible) << c.what;
        EXPECT_EQ(shown, NameOfKey(c.key)) << c.what;
    }
}

TEST(KeyCaptureDlg, StoreSingleSwitchWritesAFreshRecordOfTheCapturedKey) {
    CKeyCaptureDlg dlg;
    dlg.SetActionChoiceEnabled(true);
    ASSERT_EQ(RunModal(dlg,
                       [](HWND d) {
                           Inject(Strokes({kPadEnter}));
                           PickWithKeys(::GetDlgItem(d, IDC_ACTION), 2);  // "Release"
                       }),
              IDOK);
    ASSERT_EQ(dlg.flags, 0x01100000u);
    ASSERT_EQ(dlg.key, 0x1001Cu);

    MultiLayerRecord record;
    std::memset(&record, 0xCD, sizeof record);
    dlg.StoreSingleSwitch(record);

    // The action chosen does not enter the record: press, then release.
    MultiLayerRecord expected;
    std::memset(&expected, 0, sizeof expected);
    WriteName(expected.name, NameOfKey(0x1001C) + "(Single)");
    expected.layerCount = 2;
    expected.layers[0].layerType = 0x01000000;
    expected.layers[0].action.code = 0x0101001C;
    expected.layers[1].layerType = 0x01000000;
    expected.layers[1].action.code = 0x0111001C;
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
    EXPECT_EQ(ReadText(record.name), NameOfKey(0x1001C) + "(Single)");
    EXPECT_EQ(MultiLayerKind(record), MultiLayerKindValue::SingleSwitchKey);

    // Read back by a fresh dialog, it starts at the same key.
    CKeyCaptureDlg reopened;
    reopened.key = 0;
    reopened.LoadSingleSwitch(record);
    EXPECT_EQ(reopened.key, 0x1001Cu);
    EXPECT_EQ(reopened.flags, 0x01200000u);
}

}  // namespace
}  // namespace gd::test
