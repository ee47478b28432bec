#pragma once
// Owners for every kind of Win32 handle the program touches, and scope guards
// for the few things that must be undone in the same scope.
//
// Handle<Traits> is move-only: exactly one object closes a handle. Traits give
//   Type                       the handle type
//   static Type Invalid()      the value meaning "no handle"
//   static void Close(Type)    releases a valid handle
//
// Shared handles (LoadCursor, LoadIcon of a standard icon, stock objects) are
// never given to an owner: destroying them is an error.
#include <windows.h>

#include <utility>

namespace gd {

template <typename Traits>
class Handle {
  public:
    using Type = typename Traits::Type;

    Handle() noexcept = default;
    explicit Handle(Type handle) noexcept : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(other.release()) {}
    Handle& operator=(Handle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }

    Type get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    // Gives up ownership, e.g. when the system takes the handle over
    // (SetWindowRgn, SetClipboardData).
    [[nodiscard]] Type release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

    void reset(Type handle = Traits::Invalid()) noexcept {
        Type old = std::exchange(handle_, handle);
        if (old != Traits::Invalid() && old != handle) {
            Traits::Close(old);
        }
    }

    // For out-parameters (RegOpenKeyExA and the like): closes what is held.
    Type* put() noexcept {
        reset();
        return &handle_;
    }

  private:
    Type handle_ = Traits::Invalid();
};

template <typename T>
struct GdiObjectTraits {
    using Type = T;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};

struct MemoryDCTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};

struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyMenu(h); }
};

// Icons made by CreateIconIndirect, CopyIcon or LoadImage without LR_SHARED.
struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};

struct HookTraits {
    using Type = HHOOK;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::UnhookWindowsHookEx(h); }
};

struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::RegCloseKey(h); }
};

struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};

// CreateFileA results; INVALID_HANDLE_VALUE, not null, means failure.
struct FileTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};

// Events, processes and threads; null, not INVALID_HANDLE_VALUE, means none.
struct KernelTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::CloseHandle(h); }
};

// Windows this program creates outside a dialog template and must destroy
// itself. Child windows die with their parent and need no owner.
struct WindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyWindow(h); }
};

using UniqueBitmap = Handle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = Handle<GdiObjectTraits<HRGN>>;
using UniqueBrush = Handle<GdiObjectTraits<HBRUSH>>;
using UniqueFont = Handle<GdiObjectTraits<HFONT>>;
using UniqueDC = Handle<MemoryDCTraits>;
using UniqueMenu = Handle<MenuTraits>;
using UniqueIcon = Handle<IconTraits>;
using UniqueHook = Handle<HookTraits>;
using UniqueKey = Handle<RegKeyTraits>;
using UniqueGlobal = Handle<GlobalMemoryTraits>;
using UniqueFile = Handle<FileTraits>;
using UniqueWindow = Handle<WindowTraits>;
using UniqueKernel = Handle<KernelTraits>;

// A window's device context from GetDC, released to the same window.
class WindowDC {
  public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDC(WindowDC&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&&) = delete;
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDC {
  public:
    explicit PaintDC(HWND window) noexcept : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(window_, &ps_); }

    HDC get() const noexcept { return dc_; }
    const PAINTSTRUCT& paint() const noexcept { return ps_; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// Sets a flag for the length of a scope and gives it its earlier value back
// at the end: "the dialog is writing its own controls", whose notifications
// are then echoes rather than the user's doing.
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) noexcept : flag_(flag), was_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = was_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
    bool was_;
};

// Selects an object into a DC and puts the previous one back, so a DC is
// never deleted or released with our bitmap still in it.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ != nullptr && old_ != HGDI_ERROR) {
            ::SelectObject(dc_, old_);
        }
    }

    bool ok() const noexcept { return old_ != nullptr && old_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// OpenClipboard / CloseClipboard. Check ok(): another program may hold it.
class ClipboardGuard {
  public:
    explicit ClipboardGuard(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    ~ClipboardGuard() {
        if (open_) {
            ::CloseClipboard();
        }
    }

    bool ok() const noexcept { return open_; }

  private:
    bool open_;
};

// GlobalLock / GlobalUnlock; data() is null when the lock failed.
template <typename T = void>
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL memory) noexcept
        : memory_(memory), data_(static_cast<T*>(memory ? ::GlobalLock(memory) : nullptr)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_ != nullptr) {
            ::GlobalUnlock(memory_);
        }
    }

    T* data() const noexcept { return data_; }
    SIZE_T size() const noexcept { return data_ ? ::GlobalSize(memory_) : 0; }

  private:
    HGLOBAL memory_;
    T* data_;
};

}  // namespace gd
