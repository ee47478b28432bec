#pragma once
// The keyboard as a user without a mouse works gripdeck.exe: keys injected as
// the keyboard sends them, and the focus, menus and dialogs read back from
// the program's windows.
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "app_test_support.h"
#include "support/win_test_support.h"

namespace gd::apptest {

using test::Key;

inline constexpr Key kTab{VK_TAB, 0x0F};
inline constexpr Key kEnter{VK_RETURN, 0x1C};
inline constexpr Key kSpace{VK_SPACE, 0x39};
inline constexpr Key kEscape{VK_ESCAPE, 0x01};
inline constexpr Key kDown{VK_DOWN, 0x50, true};
inline constexpr Key kHome{VK_HOME, 0x47, true};
inline constexpr Key kRight{VK_RIGHT, 0x4D, true};
inline constexpr Key kShift{VK_SHIFT, 0x2A};
inline constexpr Key kAlt{VK_MENU, 0x38};
inline constexpr Key kF{'F', 0x21};
inline constexpr Key kF10{VK_F10, 0x44};
inline constexpr Key kMenuKey{VK_APPS, 0x5D, true};

// The keys pressed and released one after another, or with `held` down.
inline void Press(std::initializer_list<Key> keys, const Key* held = nullptr) {
    std::vector<INPUT> inputs = test::Strokes(keys);
    if (held != nullptr) {
        inputs.insert(inputs.begin(), test::KeyEvent(*held, false));
        inputs.push_back(test::KeyEvent(*held, true));
    }
    test::Inject(inputs);
}

// The control with the keyboard focus in the program in front, and its id.
inline HWND FocusWindow() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(0, &info);
    return info.hwndFocus;
}
inline int Focused() {
    return ::GetDlgCtrlID(FocusWindow());
}
// The whole limit: on a busy machine a key takes seconds to have its effect,
// and every caller expects it to come.
inline bool WaitForFocus(int id) {
    return WaitFor([&] { return Focused() == id; });
}
// Tab until `id` has the focus (at most once round a dialog), each Tab
// once the one before has moved the focus.
inline bool TabTo(int id) {
    for (int i = 0; i < 30 && Focused() != id; ++i) {
        HWND before = FocusWindow();
        Press({kTab});
        WaitFor([&] { return FocusWindow() != before; }, 3000);
    }
    return Focused() == id;
}
// Tab to the dialog's button, press it with Space, and see the dialog end.
inline bool EndWith(HWND dialog, int button) {
    if (!TabTo(button)) {
        return false;
    }
    Press({kSpace});
    return WaitFor([&] { return !::IsWindow(dialog); });
}
// The whole limit too, as WaitForFocus.
inline bool MenuOpens(DWORD pid) {
    return WaitFor([&] { return OpenPopupMenu(pid) != nullptr; });
}

// Keyboard cues shown always (true) or only once the keyboard is used, for
// as long as the object lives; then the setting before. Stored, since the
// program reads it when each of its dialogs starts, well after it was
// launched, and a fresh Wine prefix shows them always.
struct KeyboardCues {
    explicit KeyboardCues(BOOL always) {
        ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &before, 0);
        Set(always);
    }
    ~KeyboardCues() { Set(before); }
    KeyboardCues(const KeyboardCues&) = delete;
    KeyboardCues& operator=(const KeyboardCues&) = delete;
    static void Set(BOOL always) {
        ::SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0,
                                reinterpret_cast<void*>(static_cast<INT_PTR>(always)),
                                SPIF_UPDATEINIFILE);
    }
    BOOL before = FALSE;
};
inline bool CuesShown(HWND dialog) {
    return (::SendMessageA(dialog, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

}  // namespace gd::apptest
