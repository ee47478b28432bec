#pragma once
// Helpers for driving real windows in the framework and skin tests.
#include <windows.h>

#include <cstdint>
#include <string>
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

// The window's client area as 0x00RRGGBB pixels, read back from the screen
// copy of the window after it painted.
class ClientPixels {
  public:
    explicit ClientPixels(HWND window) {
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
        Capture(window);
    }
    // Reads what is there now, without repainting first.
    static ClientPixels AsShown(HWND window) { return ClientPixels(window, 0); }

    // COLORREF order (0x00BBGGRR), as RGB() writes it.
    COLORREF At(int x, int y) const {
        std::uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    ClientPixels(HWND window, int) { Capture(window); }

    void Capture(HWND window) {
        RECT client{};
        ::GetClientRect(window, &client);
        width_ = client.right;
        height_ = client.bottom;
        pixels_.assign(static_cast<size_t>(width_) * height_, 0);
        WindowDC screen(window);
        UniqueDC memory(::CreateCompatibleDC(screen.get()));
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width_;
        format.bmiHeader.biHeight = -height_;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        UniqueBitmap section(
            ::CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        {
            SelectGuard selected(memory.get(), section.get());
            ::BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
            ::GdiFlush();
            auto* source = static_cast<const std::uint32_t*>(bits);
            pixels_.assign(source, source + pixels_.size());
        }
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Watches this thread for message boxes, notes their caption, text and
// icon style, and closes each with the given button as soon as it shows.
class MessageBoxWatcher {
  public:
    struct Seen {
        std::string caption;
        std::string text;
        bool exclamation = false;
    };

    explicit MessageBoxWatcher(int answer = IDOK) : answer_(answer) {
        current_ = this;
        hook_.reset(::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId()));
    }
    ~MessageBoxWatcher() {
        hook_.reset();
        current_ = nullptr;
    }

    const std::vector<Seen>& seen() const { return seen_; }

  private:
    // The icon control's id differs between systems: 0x14 on Windows, 1088 in Wine.
    static bool ShowsIcon(HWND box, HICON icon) {
        for (int id : {0x14, 1088}) {
            HWND control = ::GetDlgItem(box, id);
            if (control != nullptr &&
                reinterpret_cast<HICON>(::SendMessageA(control, STM_GETICON, 0, 0)) == icon) {
                return true;
            }
        }
        return false;
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current_ != nullptr) {
            auto window = reinterpret_cast<HWND>(wParam);
            char className[32] = {};
            ::GetClassNameA(window, className, sizeof className);
            // The static control with id 0xFFFF holds a message box's text.
            HWND textControl = ::GetDlgItem(window, 0xFFFF);
            if (std::string(className) == "#32770" && textControl != nullptr) {
                Seen s;
                char buffer[1024] = {};
                ::GetWindowTextA(window, buffer, sizeof buffer);
                s.caption = buffer;
                ::GetWindowTextA(textControl, buffer, sizeof buffer);
                s.text = buffer;
                s.exclamation = ShowsIcon(window, ::LoadIconA(nullptr, IDI_EXCLAMATION));
                current_->seen_.push_back(s);
                ::PostMessageA(window, WM_COMMAND, current_->answer_, 0);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageBoxWatcher* current_ = nullptr;
    int answer_;
    UniqueHook hook_;
    std::vector<Seen> seen_;
};

}  // namespace gd::test
