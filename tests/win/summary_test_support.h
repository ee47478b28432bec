#pragma once
// Driving the summary dialogs from inside their own modal loops: a thread
// timer runs the test's steps once the dialog is open, then presses a button.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace gd::test {

// Runs `steps` once, from the next modal loop this thread enters, as soon as
// the window `target()` names is shown; then posts the command `button` to it.
class InsideModalLoop {
  public:
    InsideModalLoop(std::function<void()> steps, std::function<HWND()> target, int button)
        : steps_(std::move(steps)), target_(std::move(target)), button_(button) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 1, &Fire);
    }
    ~InsideModalLoop() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    InsideModalLoop(const InsideModalLoop&) = delete;
    InsideModalLoop& operator=(const InsideModalLoop&) = delete;

    bool ran() const { return ran_; }

  private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        InsideModalLoop* self = current_;
        // The modal loop shows a dialog only once its queue has run dry; until
        // the user could see it, the timer comes again.
        if (self == nullptr || self->ran_ || self->target_() == nullptr ||
            ::IsWindowVisible(self->target_()) == FALSE) {
            return;
        }
        ::KillTimer(nullptr, id);
        self->ran_ = true;
        self->steps_();
        // Posted, so that a failed step still ends the dialog.
        ::PostMessageA(self->target_(), WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED), 0);
    }

    static inline InsideModalLoop* current_ = nullptr;
    std::function<void()> steps_;
    std::function<HWND()> target_;
    int button_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

// One modal run of `dlg`: `steps` run inside it with the dialog's window,
// then the command `button` is posted to end it.
template <typename Dialog>
INT_PTR RunModal(Dialog& dlg, const std::function<void(HWND)>& steps, int button) {
    InsideModalLoop inside([&] { steps(dlg.GetSafeHwnd()); }, [&] { return dlg.GetSafeHwnd(); },
                           button);
    const INT_PTR result = dlg.DoModal();
    EXPECT_TRUE(inside.ran());
    return result;
}

inline HWND Item(HWND dialog, int id) {
    return ::GetDlgItem(dialog, id);
}

inline std::string TextOf(HWND window) {
    char buffer[2048] = {};
    ::GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

// Replaces an edit's whole text the way typing does, one character at a
// time, each with its own change notice.
inline void TypeInto(HWND edit, const std::string& text) {
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) {
        ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    }
    for (char c : text) {
        ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

inline void ClickInto(HWND control) {
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

// The selected item's text, or "" when nothing is selected.
inline std::string SelectedText(HWND list) {
    const int index = static_cast<int>(::SendMessageA(list, CB_GETCURSEL, 0, 0));
    if (index < 0) {
        return "";
    }
    char buffer[64] = {};
    ::SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// Picks an item with the keyboard, as the user does in a closed drop-down
// list: from the item above it (or below, for the first) one arrow key away.
inline void PickWithKeys(HWND list, int index) {
    const bool first = index == 0;
    ::SendMessageA(list, CB_SETCURSEL, first ? 1 : index - 1, 0);
    ::SendMessageA(list, WM_KEYDOWN, first ? VK_UP : VK_DOWN, 1);
    ::SendMessageA(list, WM_KEYUP, first ? VK_UP : VK_DOWN, 0xC0000001);
}

}  // namespace gd::test
