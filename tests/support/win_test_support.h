#pragma once
// Driving real windows from inside the Windows tests: running queued
// messages, reading back what a window shows, answering message boxes and
// modal dialogs, building bitmaps and injecting keyboard and mouse input.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "fw/handle.h"

namespace gd::test {

// Runs every message already queued for this thread, and the paints they cause.
inline void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 4; ++round) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// ---- Bitmaps ----------------------------------------------------------------

inline BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    return format;
}

// A 32-bit bitmap of width x height pixels given in COLORREF order, top row first.
inline UniqueBitmap MakeBitmap(int width, int height, const std::vector<COLORREF>& colours) {
    BITMAPINFO format = TopDown32(width, height);
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < colours.size() && pixels != nullptr; ++i) {
        const COLORREF c = colours[i];
        pixels[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    return bitmap;
}

// The bitmap's pixels in COLORREF order, top row first.
inline std::vector<COLORREF> ReadBitmap(HBITMAP bitmap) {
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFO format = TopDown32(info.bmWidth, info.bmHeight);
    std::vector<std::uint32_t> raw(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
    WindowDC screen(nullptr);
    ::GetDIBits(screen.get(), bitmap, 0, info.bmHeight, raw.data(), &format, DIB_RGB_COLORS);
    std::vector<COLORREF> colours;
    for (std::uint32_t p : raw) {
        colours.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return colours;
}

// The window's client area as it is on the screen, after it painted.
class ClientPixels {
  public:
    explicit ClientPixels(HWND window) {
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
        RECT client{};
        ::GetClientRect(window, &client);
        width_ = client.right;
        const int height = client.bottom;
        WindowDC screen(window);
        UniqueDC memory(::CreateCompatibleDC(screen.get()));
        UniqueBitmap copy(::CreateCompatibleBitmap(screen.get(), width_, height));
        {
            SelectGuard selected(memory.get(), copy.get());
            ::BitBlt(memory.get(), 0, 0, width_, height, screen.get(), 0, 0, SRCCOPY);
        }
        pixels_ = ReadBitmap(copy.get());
    }

    COLORREF At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

  private:
    int width_ = 0;
    std::vector<COLORREF> pixels_;
};

// ---- Message boxes and modal dialogs -------------------------------------------

// Watches this thread for message boxes, notes their caption and text, and
// closes each with OK as soon as it shows.
class MessageBoxWatcher {
  public:
    struct Seen {
        std::string caption;
        std::string text;
    };

    MessageBoxWatcher() {
        current_ = this;
        hook_.reset(::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId()));
    }
    ~MessageBoxWatcher() {
        hook_.reset();
        current_ = nullptr;
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const std::vector<Seen>& seen() const { return seen_; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        auto window = reinterpret_cast<HWND>(wParam);
        // The static control with id 0xFFFF holds a message box's text.
        HWND text = code == HCBT_ACTIVATE ? ::GetDlgItem(window, 0xFFFF) : nullptr;
        if (text != nullptr && current_ != nullptr) {
            char buffer[1024] = {};
            Seen seen;
            ::GetWindowTextA(window, buffer, sizeof buffer);
            seen.caption = buffer;
            ::GetWindowTextA(text, buffer, sizeof buffer);
            seen.text = buffer;
            current_->seen_.push_back(seen);
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageBoxWatcher* current_ = nullptr;
    UniqueHook hook_;
    std::vector<Seen> seen_;
};

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

// ---- Controls -----------------------------------------------------------------

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
    char buffer[64] = {};
    if (index >= 0) {
        ::SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
    }
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

// ---- Input as the devices send it ------------------------------------------------

// A key with its virtual key and scan code both: the system fills in
// neither from the other for injected input, and the layout plays no part.
struct Key {
    WORD vk;
    WORD scan;
    bool extended = false;
};
inline constexpr Key kKeyA{'A', 0x1E};
inline constexpr Key kKeyB{'B', 0x30};

inline INPUT KeyEvent(const Key& key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.vk;
    input.ki.wScan = key.scan;
    input.ki.dwFlags = (key.extended ? KEYEVENTF_EXTENDEDKEY : 0u) | (up ? KEYEVENTF_KEYUP : 0u);
    return input;
}

// Each key pressed and released, in order.
inline std::vector<INPUT> Strokes(const std::vector<Key>& keys) {
    std::vector<INPUT> inputs;
    for (const Key& key : keys) {
        inputs.push_back(KeyEvent(key, false));
        inputs.push_back(KeyEvent(key, true));
    }
    return inputs;
}

// The pointer moved to a screen point, then `buttons` (MOUSEEVENTF_ flags)
// each as an event of its own at that point.
inline std::vector<INPUT> PointerAt(POINT p, std::initializer_list<DWORD> buttons = {}) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = p.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = p.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs{move};
    for (DWORD button : buttons) {
        inputs.push_back(move);
        inputs.back().mi.dwFlags |= button;
    }
    return inputs;
}

struct Injection {
    std::vector<INPUT> inputs;
    UINT sent = 0;

    static DWORD WINAPI Run(LPVOID parameter) {
        auto* job = static_cast<Injection*>(parameter);
        job->sent =
            ::SendInput(static_cast<UINT>(job->inputs.size()), job->inputs.data(), sizeof(INPUT));
        return 0;
    }
};

// Injects input from another thread, as the devices would, while this
// thread goes on running its messages: low-level hooks are called on the
// thread that installed them, through its message loop. Returns once every
// event went through the hooks.
inline void Inject(std::vector<INPUT> inputs) {
    Injection job{std::move(inputs)};
    HANDLE thread = ::CreateThread(nullptr, 0, &Injection::Run, &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The bound only keeps a broken build from hanging; each event may pass
    // another process's hook, slow on a busy machine.
    const std::size_t rounds = 500 + 20 * job.inputs.size();
    for (std::size_t round = 0; round < rounds; ++round) {
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

}  // namespace gd::test
