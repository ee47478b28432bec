#include "fw/window_impl.h"

#include <commctrl.h>

namespace gd {
namespace {

// One subclass id for all of our objects; the reference data is the object.
constexpr UINT_PTR kSubclassId = 0x6764;  // "gd"

}  // namespace

void CSubclassLink::Release() {
    if (window_ == nullptr) {
        return;
    }
    bool owned = owned_;
    HWND window = Unsubclass();
    if (owned) {
        ::DestroyWindow(window);
    }
}

bool CSubclassLink::Subclass(HWND window) {
    if (window_ != nullptr || window == nullptr || FromHandle(window) != nullptr) {
        return false;
    }
    if (!::SetWindowSubclass(window, &SubclassProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    AttachToWindow(window);
    SetViewHandle(window);
    return true;
}

HWND CSubclassLink::Unsubclass() {
    HWND window = window_;
    if (window != nullptr) {
        ::RemoveWindowSubclass(window, &SubclassProc, kSubclassId);
        DetachFromWindow(window);
        Cut();
    }
    return window;
}

bool CSubclassLink::CreateOwned(DWORD exStyle, const char* className, DWORD style, HWND owner) {
    if (window_ != nullptr) {
        return false;
    }
    HWND window = ::CreateWindowExA(exStyle, className, nullptr, style, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        return false;
    }
    if (!Subclass(window)) {
        ::DestroyWindow(window);
        return false;
    }
    owned_ = true;
    return true;
}

void CSubclassLink::Cut() {
    window_ = nullptr;
    owned_ = false;
    SetViewHandle(nullptr);
}

LRESULT CSubclassLink::DefaultProc() {
    const Message& m = CurrentMessage();
    return ::DefSubclassProc(m.hwnd, m.message, m.wParam, m.lParam);
}

LRESULT CALLBACK CSubclassLink::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<CSubclassLink*>(refData);
    Message m{window, message, wParam, lParam};
    if (message == WM_NCDESTROY) {
        self->RouteMessage(m);
        LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        ::RemoveWindowSubclass(window, &SubclassProc, kSubclassId);
        self->DetachFromWindow(window);
        self->Cut();
        self->OnFinalMessage();
        return result;
    }
    if (self->RouteMessage(m)) {
        return m.result;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace gd
