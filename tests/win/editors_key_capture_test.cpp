// The key capture dialog under real input: its keyboard-wide hook takes the
// last listed key stroke, keeps every stroke from the rest of the desktop
// while the dialog is open, and lets go of the keyboard however it ends.
#include "editors/key_capture_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "keys/key_names.h"
#include "resource.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

constexpr Key kEnter{VK_RETURN, 0x1C};
constexpr Key kPadEnter{VK_RETURN, 0x1C, true};
constexpr Key kEscape{VK_ESCAPE, 0x01};
constexpr Key kRightCtrl{VK_RCONTROL, 0x1D, true};
constexpr Key kDown{VK_DOWN, 0x50, true};
constexpr Key kF13{VK_F13, 0x64};                 // not in the key table
constexpr Key kPlainRightShift{VK_RSHIFT, 0x36};  // listed only as extended

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

std::string KeyShown(HWND dialog) {
    return TextOf(::GetDlgItem(dialog, IDC_KEY_NAME));
}

std::string NameOfKey(std::uint32_t key) {
    return EventName(kKeyCodeBase | key);
}

TEST(KeyCaptureDlg, TheLastListedKeyStrokeWins) {
    const struct {
        const char* what;
        std::vector<Key> keys;
        std::uint32_t expected;
    } kCases[] = {
        {"no key: the one it opened on", {}, 0x1E},
        {"the last of several", {kKeyB, kRightCtrl, kKeyA, kEnter}, 0x1C},
        {"keypad Enter differs from Enter", {kPadEnter}, 0x1001C},
        {"right Ctrl is extended", {kKeyB, kRightCtrl}, 0x1001D},
        {"an unlisted key changes nothing", {kKeyB, kF13}, 0x30},
        {"right Shift without its flag is unlisted", {kPlainRightShift}, 0x1E},
    };
    for (const auto& c : kCases) {
        CKeyCaptureDlg dlg;
        std::string shown;
        const INT_PTR result = RunModal(
            dlg,
            [&](HWND d) {
                Inject(Strokes(c.keys));
                shown = KeyShown(d);
            },
            IDC_ACCEPT);
        EXPECT_EQ(result, IDOK) << c.what;
        EXPECT_EQ(dlg.key, c.expected) << c.what;
        EXPECT_EQ(shown, NameOfKey(c.expected)) << c.what;
        EXPECT_EQ(dlg.flags, 0x01200000u) << c.what;  // a click
    }
}

TEST(KeyCaptureDlg, StrokesReachNoOtherHookAndNoWindowWhileOpen) {
    StrokeCounter counter;
    ASSERT_TRUE(counter.installed());
    CKeyCaptureDlg dlg;
    dlg.SetActionChoiceEnabled(true);
    int seenWhileOpen = -1;
    int selectedAfterArrow = -1;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND d) {
            // The arrow key would move the focused list's selection.
            HWND list = ::GetDlgItem(d, IDC_ACTION);
            ::SetFocus(list);
            Inject(Strokes({kDown, kDown, kKeyB}));
            selectedAfterArrow = static_cast<int>(::SendMessageA(list, CB_GETCURSEL, 0, 0));
            seenWhileOpen = counter.count();
        },
        IDC_ACCEPT);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(seenWhileOpen, 0);
    EXPECT_EQ(selectedAfterArrow, 0);
    EXPECT_EQ(dlg.key, 0x30u);
}

TEST(KeyCaptureDlg, EnterEscapeAndTheStandardCommandsDoNotEndIt) {
    CKeyCaptureDlg dlg;
    std::vector<bool> open;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND d) {
            const auto stillOpen = [&] {
                PumpMessages();
                open.push_back(::IsWindowVisible(d) != FALSE);
            };
            Inject(Strokes({kEnter}));
            stillOpen();
            Inject(Strokes({kEscape}));
            stillOpen();
            ::SendMessageA(d, WM_COMMAND, IDOK, 0);
            stillOpen();
            ::SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
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

// A capture that outlived its dialog would swallow the user's keyboard.
TEST(KeyCaptureDlg, TheKeyboardIsFreedHoweverTheDialogEnds) {
    const struct {
        const char* how;
        std::function<void(HWND)> steps;
        int button;  // posted after the steps
        INT_PTR result;
    } kEndings[] = {
        {"OK", [](HWND) { Inject(Strokes({kKeyB})); }, IDC_ACCEPT, IDOK},
        {"Cancel", [](HWND) { Inject(Strokes({kKeyB})); }, IDC_REJECT, IDCANCEL},
        {"from outside, past its buttons", [](HWND d) { ::EndDialog(d, 7); }, IDC_REJECT, 7},
        {"a click on OK while the keyboard is captured",
         [](HWND d) {
             Inject(Strokes({kKeyB}));
             RECT ok{};
             ::GetWindowRect(::GetDlgItem(d, IDC_ACCEPT), &ok);
             const POINT centre{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2};
             Inject(PointerAt(centre, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
         },
         IDC_REJECT, IDOK},  // the posted Cancel only comes if the click did nothing
    };
    StrokeCounter counter;
    ASSERT_TRUE(counter.installed());
    for (const auto& ending : kEndings) {
        SCOPED_TRACE(ending.how);
        const int before = counter.count();
        {
            CKeyCaptureDlg dlg;
            EXPECT_EQ(RunModal(dlg, ending.steps, ending.button), ending.result);
            if (ending.result == IDOK) {
                EXPECT_EQ(dlg.key, 0x30u);
            }
        }
        EXPECT_EQ(counter.count(), before);
        Inject(Strokes({kKeyA}));
        EXPECT_EQ(counter.count(), before + 2);
    }
}

}  // namespace
}  // namespace gd::test
