// The assignment editors under real windows and real input: the key
// capture dialog's keyboard hook, the mouse button dialog, the macro editor
// and the two multi-layer editors, each answering the dialogs it opens from
// inside their modal loops.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editors/key_capture_dlg.h"
#include "editors/macro_edit_dlg.h"
#include "editors/mouse_button_dlg.h"
#include "editors/multi_layer_dlg.h"
#include "editors/twin_switch_dlg.h"
#include "fw/text.h"
#include "profile/image.h"
#include "resource.h"
#include "skin/skin_list_ctrl.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

// The key capture dialog under real input: its keyboard-wide hook takes the
// last listed key stroke, keeps every stroke from the rest of the desktop
// while the dialog is open, and lets go of the keyboard however it ends.

constexpr Key kEnter{VK_RETURN, 0x1C};
constexpr Key kRightCtrl{VK_RCONTROL, 0x1D, true};
constexpr Key kF13{VK_F13, 0x64};  // not in the key table
constexpr Key kTab{VK_TAB, 0x0F};

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

// While the dialog is open no stroke reaches a hook installed before its
// own, except, once a whole stroke completed the capture, the keys that work
// the dialog while it is in front; later keys still count until "Change"
// captures anew. After the dialog, however it ended, every stroke goes on
// again: a capture that outlived its dialog would swallow the user's
// keyboard.
TEST(KeyCaptureDlg, AStrokeCompletesTheCaptureAndTheKeyboardIsFreedHoweverTheDialogEnds) {
    struct Ending {
        const char* how;
        std::function<void(HWND)> steps;
        int button;  // posted after the steps
        INT_PTR result;
        std::uint32_t key;  // after OK
        int passedOn;       // events the other hook saw while the dialog was open
        std::uint32_t startKey = kNoCapturedKey;  // an assignment's key being edited
    };
    const auto clickOk = [](HWND d) {
        RECT ok{};
        ::GetWindowRect(::GetDlgItem(d, IDC_ACCEPT), &ok);
        const POINT centre{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2};
        Inject(PointerAt(centre, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
    };
    const auto press = [](std::vector<Key> keys) {
        return [keys](HWND) { Inject(Strokes(keys)); };
    };
    const Ending kEndings[] = {
        {"Cancel", press({kKeyB}), IDC_REJECT, IDCANCEL, 0, 0},
        {"from outside, past its buttons", [](HWND d) { ::EndDialog(d, 7); }, IDC_REJECT, 7, 0, 0},
        // The posted Cancel only comes if the click did nothing.
        {"a click on OK while an assignment's key is captured", clickOk, IDC_REJECT, IDOK, 0x1E, 0,
         0x1E},
        {"a click on OK before any key was taken does nothing", clickOk, IDC_REJECT, IDCANCEL, 0,
         0},
        {"OK after right Ctrl, extended, and a key the table lacks; Enter goes on",
         press({kKeyB, kRightCtrl, kF13, kEnter}), IDC_ACCEPT, IDOK, 0x1001D, 2},
        {"Change takes Tab after another key",
         [](HWND d) {
             Inject(Strokes({kKeyB, kTab}));
             EXPECT_TRUE(::IsWindowEnabled(Item(d, IDC_CAPTURE_AGAIN)));
             ::SendMessageA(d, WM_COMMAND, IDC_CAPTURE_AGAIN, 0);
             EXPECT_FALSE(::IsWindowEnabled(Item(d, IDC_CAPTURE_AGAIN)));
             Inject(Strokes({kTab}));
         },
         IDC_ACCEPT, IDOK, 0x0F, 2},
        {"Tab typed into another window is taken and kept from it",
         [](HWND) {
             Inject(Strokes({kKeyB}));
             HWND other = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 20,
                                            nullptr, nullptr, nullptr, nullptr);
             ::SetForegroundWindow(other);
             for (int i = 0; i < 500 && ::GetForegroundWindow() != other; ++i) {
                 PumpMessages();
             }
             Inject(Strokes({kTab}));
             EXPECT_EQ(::GetForegroundWindow(), other);
             ::DestroyWindow(other);
         },
         IDC_ACCEPT, IDOK, 0x0F, 0},
    };
    StrokeCounter counter;
    ASSERT_TRUE(counter.installed());
    for (const auto& ending : kEndings) {
        SCOPED_TRACE(ending.how);
        const int before = counter.count();
        {
            CKeyCaptureDlg dlg;
            dlg.key = ending.startKey;
            EXPECT_EQ(RunModal(dlg, ending.steps, ending.button), ending.result);
            if (ending.result == IDOK) {
                EXPECT_EQ(dlg.key, ending.key);
                EXPECT_EQ(dlg.flags, 0x01200000u);  // a click
            }
        }
        EXPECT_EQ(counter.count(), before + ending.passedOn);
        Inject(Strokes({kKeyA}));
        EXPECT_EQ(counter.count(), before + ending.passedOn + 2);
    }
}

// The mouse button dialog in its modal loop: what OK records and refuses.

TEST(MouseButtonDlg, OkRecordsTheChoicesAndTheScreenOfThatMoment) {
    CMouseButtonDlg dlg;
    dlg.flags = 0x02200000;
    dlg.screenWidth = 1;
    dlg.screenHeight = 2;
    dlg.SetActionChoiceEnabled(true);
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            ::SendMessageA(Item(d, IDC_BUTTON_RIGHT), BM_CLICK, 0, 0);
            PickWithKeys(Item(d, IDC_ACTION), kMouseReleaseItem);
            PickWithKeys(Item(d, IDC_POSITION_MODE), kMouseAbsoluteItem);
            TypeInto(Item(d, IDC_POSITION_X), "2048");
            TypeInto(Item(d, IDC_POSITION_Y), "-17");
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.flags, 0x02110000u);
    EXPECT_EQ(dlg.button, 2u);
    EXPECT_EQ(dlg.x, 2048);
    EXPECT_EQ(dlg.y, -17);
    EXPECT_EQ(dlg.screenWidth, static_cast<std::uint32_t>(::GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(dlg.screenHeight, static_cast<std::uint32_t>(::GetSystemMetrics(SM_CYSCREEN)));
}

// Enter ends nothing, whichever control has the focus; Escape cancels, as in
// every editor, once no drop-down list is open to take it. The keys go
// through the dialog manager as the dialog's own loop hands them over.
TEST(MouseButtonDlg, EnterEndsNothingAndEscapeCancelsOnceNoListTakesIt) {
    const auto press = [](HWND d, WPARAM key) {
        MSG msg{::GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        if (!::IsDialogMessageA(d, &msg)) {
            ::DispatchMessageA(&msg);
        }
        PumpMessages();
    };
    CMouseButtonDlg dlg;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND d) {
            for (int id : {IDC_BUTTON_LEFT, IDC_POSITION_X, IDC_POSITION_MODE}) {
                ::SetFocus(Item(d, id));
                press(d, VK_RETURN);
                ASSERT_TRUE(::IsWindowVisible(d)) << id;
            }
            HWND list = Item(d, IDC_POSITION_MODE);
            ::SendMessageA(list, CB_SHOWDROPDOWN, TRUE, 0);
            ASSERT_TRUE(::SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0));
            press(d, VK_ESCAPE);
            EXPECT_FALSE(::SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0));
            EXPECT_TRUE(::IsWindowVisible(d));
            press(d, VK_ESCAPE);
        },
        IDOK);  // posted after the steps: it ends the dialog only if Escape did not
    EXPECT_EQ(result, IDCANCEL);
}

// A refused number keeps the dialog open on its field, selected whole.
TEST(MouseButtonDlg, OkRefusesAPositionOutOfRangeAndStaysOpenOnTheField) {
    CMouseButtonDlg dlg;
    dlg.x = 5000;
    MessageBoxWatcher watcher;
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            ::SendMessageA(d, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(::IsWindowVisible(d));
            EXPECT_EQ(::GetFocus(), Item(d, IDC_POSITION_X));
            EXPECT_EQ(::SendMessageA(Item(d, IDC_POSITION_X), EM_GETSEL, 0, 0), MAKELONG(0, 4));
            TypeInto(Item(d, IDC_POSITION_X), "-2048");
        },
        IDOK);
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].text, "Please enter an integer between -2048 and 2048.");
    EXPECT_EQ(watcher.seen()[0].caption, AppTitle());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.x, -2048);
}

// The macro editor under a real window: what OK hands back. The dialog runs
// modeless here so that the test can drive it; its own buttons end it all
// the same.

constexpr EventCode kA = 0x0100001E;
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
        if (macro != nullptr) {
            dlg.LoadMacro(*macro);
        }
        EXPECT_TRUE(dlg.Create(nullptr));
        dlg.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    CWnd Item(int id) const { return dlg.GetDlgItem(id); }
    void Click(int id) {
        Item(id).SendMessage(BM_CLICK);
        PumpMessages();
    }
    void Type(int id, const std::string& text) {
        Item(id).SetWindowText(text);
        PumpMessages();
    }
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
    editor.Click(IDC_PLAY_WHILE_PRESSED);
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

// A picked mouse row shows its position row; another position mode changes
// the captions and the press row's Others text, and undefined clears it.
TEST(MacroEdit, AMouseRowShowsAndChangesItsPositionMode) {
    auto macro = Record("Aim", {kA, kA | kRelease, kRight, kRight | kRelease});
    macro->positions[2] = 0xFFFB000A;  // relative (-5, 10)
    Editor<> editor(macro.get());
    const CListCtrl list(editor.Item(IDC_EVENT_LIST));
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    PumpMessages();
    ASSERT_TRUE(editor.Item(IDC_POSITION_MODE).IsWindowVisible());
    EXPECT_EQ(editor.Item(IDC_POSITION_X_CAPTION).GetWindowText(), "X ref:");
    EXPECT_EQ(editor.Item(IDC_POSITION_Y).GetWindowText(), "10");
    const struct {
        int item;
        const char* caption;
        const char* others;
        bool fieldsOn;
    } kModes[] = {
        {kMouseAbsoluteItem, "X:", "Absolute (-5,10)", true},
        {kMouseUndefinedItem, "X ref:", "Undefined (0,0)", false},
    };
    for (const auto& mode : kModes) {
        PickWithKeys(editor.Item(IDC_POSITION_MODE), mode.item);
        PumpMessages();
        EXPECT_EQ(editor.Item(IDC_POSITION_X_CAPTION).GetWindowText(), mode.caption);
        EXPECT_EQ(editor.Item(IDC_POSITION_X).IsWindowEnabled(), mode.fieldsOn);
        EXPECT_EQ(list.GetItemText(2, 3), mode.others);
    }
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

// Recording takes the desktop's keyboard for the recorder alone, and gives
// it back when it stops or when the editor dies while still recording.
TEST(MacroEdit, RecordingTakesTheKeyboardUntilItStopsOrTheEditorDies) {
    StrokeCounter counter;
    ASSERT_TRUE(counter.installed());
    for (const bool stop : {true, false}) {
        SCOPED_TRACE(stop ? "stopped" : "editor destroyed");
        const int before = counter.count();
        {
            Editor<> editor(nullptr);
            editor.Click(IDC_START_RECORDING);
            ASSERT_TRUE(editor.dlg.IsRecording());
            Inject(Strokes({kKeyA, kKeyB}));
            PumpMessages();
            EXPECT_EQ(counter.count(), before);
            ASSERT_EQ(editor.dlg.Events().size(), 4);
            // Rows came without a click into the list: they can be cleared.
            EXPECT_TRUE(editor.Item(IDC_CLEAR_ALL).IsWindowEnabled());
            // Every action word shows whole in its column.
            const CListCtrl list(editor.Item(IDC_EVENT_LIST));
            int format = 0;
            int width = 0;
            ASSERT_TRUE(list.GetColumnFormat(1, format, width));
            for (UINT action : {IDS_PRESS, IDS_RELEASE, IDS_CLICK}) {
                EXPECT_GE(width,
                          list.GetStringWidth(LoadText(action)) + 2 * CSkinListCtrl::kCellInset);
            }
            if (stop) {
                editor.Click(IDC_STOP_RECORDING);
                EXPECT_FALSE(editor.dlg.IsRecording());
                // A picked row shows its key in the key list.
                list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
                PumpMessages();
                EXPECT_EQ(CComboBox(editor.Item(IDC_KEY_LIST)).GetCurSel(), 38);  // B
            }
        }
        Inject(Strokes({kKeyA}));
        EXPECT_EQ(counter.count(), before + 2);
    }
}

// A keyboard user, for whom every key is the macro's while it records:
// Pause stops it and is never recorded nor let through, and the focus, on
// Stop Recording while it records, goes on to a live control as the button
// turns off; so too when a full list stops it. A line says how to stop
// while it records.
TEST(MacroEdit, PauseStopsTheRecordingUnrecordedAndTheFocusStaysOnALiveControl) {
    constexpr Key kPause{VK_PAUSE, 0x45};
    StrokeCounter counter;
    ASSERT_TRUE(counter.installed());
    const auto focusIsLive = [](const CWnd& dialog) {
        HWND focus = ::GetFocus();
        return focus != nullptr && ::IsChild(dialog, focus) && ::IsWindowEnabled(focus) &&
               ::IsWindowVisible(focus);
    };
    Editor<> editor(nullptr);
    ::SetForegroundWindow(editor.dlg);
    const CWnd hint = editor.Item(IDC_RECORDING_HINT);
    EXPECT_FALSE(hint.IsWindowVisible());

    editor.Item(IDC_START_RECORDING).SetFocus();
    editor.Click(IDC_START_RECORDING);
    ASSERT_TRUE(editor.dlg.IsRecording());
    EXPECT_EQ(::GetFocus(), editor.Item(IDC_STOP_RECORDING).GetSafeHwnd());
    EXPECT_TRUE(hint.IsWindowVisible());
    EXPECT_EQ(hint.GetWindowText(), "Press Pause to stop");
    const int before = counter.count();
    // The dialog's own keys are the macro's too while it records.
    constexpr Key kEscape{VK_ESCAPE, 0x01};
    Inject(Strokes({kTab, kEscape, kEnter, kKeyA, kPause}));
    EXPECT_FALSE(editor.dlg.IsRecording());
    EXPECT_TRUE(editor.dlg.IsWindowVisible());
    // Tab, Escape, Enter and A, pressed and released; Pause's release came
    // after the end.
    EXPECT_EQ(editor.dlg.Events().size(), 8);
    EXPECT_EQ(counter.count(), before + 1);
    EXPECT_TRUE(focusIsLive(editor.dlg));
    EXPECT_FALSE(hint.IsWindowVisible());

    editor.Item(IDC_START_RECORDING).SetFocus();
    editor.Click(IDC_START_RECORDING);
    ASSERT_TRUE(editor.dlg.IsRecording());
    std::vector<Key> strokes(kMaxMacroRows / 2 + 1, kKeyA);
    Inject(Strokes(strokes));
    EXPECT_FALSE(editor.dlg.IsRecording());
    EXPECT_EQ(editor.dlg.Events().size(), kMaxMacroRows);
    EXPECT_TRUE(focusIsLive(editor.dlg));
    EXPECT_FALSE(hint.IsWindowVisible());
}

// A Shift held down as recording starts: the hook sees the key's
// auto-repeats and its release, and swallowing that release would leave
// Shift held down for every program until the next stroke of it. The same
// for a Shift that went on to the capture dialog and auto-repeats once
// "Change" captures anew. (A key held as the capture dialog opens is the
// same case again, but Wine reads the keyboard afresh when that dialog
// becomes active, and would hide the fault.)
TEST(EditorHooks, AShiftThatReachedTheSystemIsUpAgainOnceReleased) {
    constexpr Key kLeftShift{VK_LSHIFT, 0x2A};
    // Wine lets a thread read a key as up again without asking for 50 ms,
    // unless a low-level hook of its process ran since: this one, which
    // lets everything through, sees every stroke the editors do not take.
    StrokeCounter counter;
    ASSERT_TRUE(counter.installed());
    const auto shiftHeld = [] { return (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; };
    const std::vector<INPUT> repeatsAndRelease{
        KeyEvent(kLeftShift, false), KeyEvent(kLeftShift, false), KeyEvent(kLeftShift, false),
        KeyEvent(kLeftShift, true)};
    // Whatever a case left, the next starts with Shift up.
    const auto letShiftUp = [&] {
        if (shiftHeld()) {
            Inject({KeyEvent(kLeftShift, true)});
        }
        ASSERT_FALSE(shiftHeld());
    };
    ASSERT_NO_FATAL_FAILURE(letShiftUp());

    {
        SCOPED_TRACE("recording a macro");
        Editor<> editor(nullptr);
        Inject({KeyEvent(kLeftShift, false)});
        ASSERT_TRUE(shiftHeld());
        editor.Click(IDC_START_RECORDING);
        ASSERT_TRUE(editor.dlg.IsRecording());
        Inject(repeatsAndRelease);
        editor.Click(IDC_STOP_RECORDING);
        EXPECT_FALSE(shiftHeld());
    }
    ASSERT_NO_FATAL_FAILURE(letShiftUp());

    {
        SCOPED_TRACE("capturing anew after a Shift went on to the dialog");
        CKeyCaptureDlg dlg;
        RunModal(
            dlg,
            [&](HWND d) {
                Inject(Strokes({kKeyB}));
                ASSERT_EQ(::GetForegroundWindow(), d);
                Inject({KeyEvent(kLeftShift, false)});
                ASSERT_TRUE(shiftHeld());
                ::SendMessageA(d, WM_COMMAND, IDC_CAPTURE_AGAIN, 0);
                Inject(repeatsAndRelease);
                EXPECT_FALSE(shiftHeld());
            },
            IDC_REJECT);
    }
    ASSERT_NO_FATAL_FAILURE(letShiftUp());
}

// The two multi-layer editors under real windows: rows picked with the
// mouse, their menus, and the key and mouse dialogs they open, answered
// from inside each modal loop.

// Whether `open` shows a popup menu. A menu holds this thread until it is
// closed, so another thread closes it, as Escape does, once it shows; when
// `open` returns without one, none comes.
bool OpensMenu(const std::function<void()>& open) {
    std::atomic<bool> shown{false}, returned{false};
    std::thread closer([&] {
        for (int i = 0; i < 2000 && !shown && !returned; ++i) {
            HWND menu = ::FindWindowA("#32768", nullptr);
            if (menu != nullptr && ::IsWindowVisible(menu)) {
                shown = true;
                ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            ::Sleep(2);
        }
    });
    open();
    returned = true;
    closer.join();
    return shown;
}

// Opens a menu with `open`, closes it, and chooses `command` as the menu
// would have; then answers the editor the command opens (titled `editor`)
// with its button `answer`, after `steps` inside it.
void ChooseAndAnswer(
    HWND dialog, const std::function<void()>& open, UINT command, const char* editor = nullptr,
    int answer = 0, const std::function<void()>& steps = [] {}) {
    EXPECT_TRUE(OpensMenu(open));
    ::PostMessageA(dialog, WM_COMMAND, command, 0);
    if (editor == nullptr) {
        PumpMessages();
        return;
    }
    InsideModalLoop answered(
        steps, [&] { return ::FindWindowA("#32770", editor); }, answer);
    for (int i = 0; i < 2000 && !answered.ran(); ++i) {
        PumpMessages();
        ::Sleep(1);
    }
    EXPECT_TRUE(answered.ran()) << editor;
    PumpMessages();
}

constexpr char kKeyCapture[] = "Please press a single key";
constexpr Key kF1{VK_F1, 0x3B};

// Inside a key capture opened for a layer that holds no key: it shows none,
// and OK waits for one; the action list shows with its caption when
// `actions`. Then `key` is pressed.
std::function<void()> TakeKeyInNewCapture(Key key, bool actions) {
    return [key, actions] {
        HWND capture = ::FindWindowA("#32770", kKeyCapture);
        EXPECT_EQ(TextOf(Item(capture, IDC_KEY_NAME)), "");
        EXPECT_FALSE(::IsWindowEnabled(Item(capture, IDC_ACCEPT)));
        EXPECT_EQ(::IsWindowVisible(Item(capture, IDC_ACTION)) != FALSE, actions);
        EXPECT_EQ(::IsWindowVisible(Item(capture, IDC_ACTION_CAPTION)) != FALSE, actions);
        EXPECT_TRUE(::IsWindowVisible(Item(capture, IDC_CAPTURE_HINT)));
        Inject(Strokes({key}));
        EXPECT_TRUE(::IsWindowEnabled(Item(capture, IDC_ACCEPT)));
        EXPECT_FALSE(::IsWindowVisible(Item(capture, IDC_CAPTURE_HINT)));
    };
}

class MultiLayerTest : public ::testing::Test {
  protected:
    void Open(const MultiLayerRecord* record) {
        if (record != nullptr) {
            dlg.LoadRecord(*record);
        }
        ASSERT_TRUE(dlg.Create(nullptr));
        dlg.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    CListCtrl List() const { return CListCtrl(dlg.GetDlgItem(IDC_LAYER_LIST)); }
    // A click (NM_RCLICK, NM_DBLCLK) on a row, with the pointer really over it.
    void Click(int row, UINT code = NM_RCLICK) {
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        List().SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&item));
        POINT point{item.left + 10, (item.top + item.bottom) / 2};
        ::ClientToScreen(List(), &point);
        ::SetCursorPos(point.x, point.y);
        NMHDR notice{List(), static_cast<UINT_PTR>(IDC_LAYER_LIST), code};
        dlg.SendMessage(WM_NOTIFY, IDC_LAYER_LIST, reinterpret_cast<LPARAM>(&notice));
    }
    bool OkEnabled() const { return dlg.GetDlgItem(IDC_OK).IsWindowEnabled(); }
    std::string Name() const { return dlg.GetDlgItem(IDC_RECORD_NAME).GetWindowText(); }

    CMultiLayerDlg dlg;
};

// Layers come from the free row; a typed name outlives every layer command
// and edit until OK, which needs two layers and a name.
TEST_F(MultiLayerTest, LayersAreAddedFromTheFreeRowAndATypedNameLastsUntilOk) {
    Open(nullptr);
    EXPECT_FALSE(OkEnabled());
    // Layer 2 lies below the free row: no menu.
    EXPECT_FALSE(OpensMenu([&] { Click(1); }));

    ChooseAndAnswer(
        dlg, [&] { Click(0); }, ID_STOP_KEY);
    // The key capture opens on no key and its OK, once F1 was pressed,
    // fills the free row.
    ChooseAndAnswer(
        dlg, [&] { Click(1); }, ID_KEYBOARD, kKeyCapture, IDC_ACCEPT,
        TakeKeyInNewCapture(kF1, true));
    ASSERT_EQ(dlg.Record().layerCount, 2u);
    EXPECT_EQ(dlg.Record().layers[1].action.code, 0x0120003Bu);
    EXPECT_FALSE(OkEnabled());
    dlg.GetDlgItem(IDC_RECORD_NAME).SetWindowText("Typed");
    PumpMessages();
    EXPECT_TRUE(OkEnabled());

    ChooseAndAnswer(
        dlg, [&] { Click(2); }, ID_STOP_KEY);
    EXPECT_EQ(dlg.Record().layerCount, 3u);
    EXPECT_EQ(Name(), "Typed");
    // A key layer's capture opens on its key, which OK keeps.
    InsideModalLoop answered(
        [] {
            HWND capture = ::FindWindowA("#32770", kKeyCapture);
            EXPECT_NE(TextOf(Item(capture, IDC_KEY_NAME)), "");
            EXPECT_TRUE(::IsWindowEnabled(Item(capture, IDC_ACCEPT)));
        },
        [] { return ::FindWindowA("#32770", kKeyCapture); }, IDC_ACCEPT);
    Click(1, NM_DBLCLK);
    EXPECT_TRUE(answered.ran());
    EXPECT_EQ(Name(), "Typed");
    ChooseAndAnswer(
        dlg, [&] { Click(0); }, ID_CLEAR);
    EXPECT_EQ(dlg.Record().layerCount, 2u);
    EXPECT_EQ(Name(), "Typed");

    dlg.GetDlgItem(IDC_OK).SendMessage(BM_CLICK);
    PumpMessages();
    auto stored = std::make_unique<MultiLayerRecord>();
    dlg.StoreRecord(*stored);
    EXPECT_EQ(ReadText(stored->name), "Typed");
    EXPECT_EQ(stored->layers[0].action.code, 0x0120003Bu);
}

// Insert on the list adds a layer as a right-click on the free row does,
// whichever row the keyboard is on; with four layers there is no row to add
// one in. Escape cancels, through the dialog manager as the dialog's loop
// hands it the key.
TEST_F(MultiLayerTest, InsertOpensTheFreeRowsMenuAndEscapeCancels) {
    Open(nullptr);
    const auto insert = [&] {
        List().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        List().SendMessage(WM_KEYDOWN, VK_INSERT, 0);
    };
    for (std::uint32_t layers = 1; layers <= 4; ++layers) {
        ChooseAndAnswer(dlg, insert, ID_STOP_KEY);
        EXPECT_EQ(dlg.Record().layerCount, layers);
    }
    EXPECT_FALSE(OpensMenu(insert));

    ::SetFocus(List());
    MSG escape{List(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(::IsDialogMessageA(dlg, &escape));
    PumpMessages();
    EXPECT_FALSE(dlg.IsWindowVisible());
}

class TwinSwitchTest : public ::testing::Test {
  protected:
    void Open(const MultiLayerRecord& record) {
        dlg.LoadRecord(record);
        ASSERT_TRUE(dlg.Create(nullptr));
        dlg.ShowWindow(SW_SHOW);
        PumpMessages();
    }
    void ClickArrow(int key) {
        dlg.GetDlgItem(key == 1 ? IDC_KEY2_ARROW : IDC_KEY1_ARROW).SendMessage(BM_CLICK);
    }
    bool OkEnabled() const { return dlg.GetDlgItem(IDC_ACCEPT).IsWindowEnabled(); }

    CTwinSwitchDlg dlg;
};

TEST_F(TwinSwitchTest, BothKeysAreClicksPickedFromTheirArrows) {
    auto other = std::make_unique<MultiLayerRecord>();
    std::memset(other.get(), 0, sizeof *other);
    WriteName(other->name, "not a twin");
    other->layerCount = 3;
    Open(*other);

    ChooseAndAnswer(
        dlg, [&] { ClickArrow(1); }, ID_KEYBOARD, kKeyCapture, IDC_ACCEPT,
        TakeKeyInNewCapture(kKeyA, false));
    ChooseAndAnswer(
        dlg, [&] { ClickArrow(0); }, ID_MOUSE_BUTTON, "Please select a mouse button", IDOK);
    EXPECT_FALSE(OkEnabled());
    dlg.GetDlgItem(IDC_RECORD_NAME).SetWindowText("Twin");
    PumpMessages();
    ASSERT_TRUE(OkEnabled());

    dlg.GetDlgItem(IDC_ACCEPT).SendMessage(BM_CLICK);
    PumpMessages();
    auto stored = std::make_unique<MultiLayerRecord>();
    dlg.StoreRecord(*stored);
    EXPECT_EQ(stored->layerCount, 2u);
    EXPECT_EQ(ReadText(stored->name), "Twin");
    EXPECT_EQ(MultiLayerKind(*stored), MultiLayerKindValue::TwinSwitch);
    EXPECT_EQ(stored->layers[0].action.code, 0x02200001u);
    EXPECT_EQ(stored->layers[1].action.code, 0x0120001Eu);
}

}  // namespace
}  // namespace gd::test
