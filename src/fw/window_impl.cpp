#include "fw/window_impl.h"

namespace gd {
namespace {

// What our procedure needs on each message, kept in the window's user data:
// reading it is a plain memory read, where the system's subclass list and a
// window property each cost a round trip to the window server under Wine,
// on every message of every control.
struct SubclassRecord {
    WNDPROC previous = nullptr;
    // Null once the object let go while a procedure installed after ours (a
    // tool tip's) still calls ours: it then passes every message on.
    CSubclassLink* owner = nullptr;
    // Our procedure's frames for the window on the stack; the record outlives
    // them all, whichever of them ends the link.
    int running = 0;
    bool finished = false;
};

SubclassRecord* RecordOf(HWND window) {
    return reinterpret_cast<SubclassRecord*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool OursOnTop(HWND window, WNDPROC ours) {
    return ::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ours);
}

// Puts the window's procedure back when ours is the last one installed, and
// frees the record once no frame of ours runs for it.
void Unhook(HWND window, SubclassRecord* record, WNDPROC ours) {
    if (!OursOnTop(window, ours)) {
        return;
    }
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->previous));
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    record->finished = true;
    if (record->running == 0) {
        delete record;
    }
}

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
    // A window whose user data someone else keeps is not ours to take.
    if (window_ != nullptr || window == nullptr || FromHandle(window) != nullptr ||
        ::GetWindowLongPtrW(window, GWLP_USERDATA) != 0) {
        return false;
    }
    auto* record = new SubclassRecord;
    record->owner = this;
    // The wide forms, as the system's own subclassing uses: every message
    // reaches the object as the control itself gets it.
    record->previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    if (record->previous == nullptr || !OursOnTop(window, &SubclassProc)) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete record;
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
        SubclassRecord* record = RecordOf(window);
        if (record != nullptr && record->owner == this) {
            record->owner = nullptr;
            Unhook(window, record, &SubclassProc);
        }
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
    const SubclassRecord* record = RecordOf(m.hwnd);
    return record != nullptr
               ? ::CallWindowProcW(record->previous, m.hwnd, m.message, m.wParam, m.lParam)
               : ::DefWindowProcW(m.hwnd, m.message, m.wParam, m.lParam);
}

LRESULT CALLBACK CSubclassLink::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    SubclassRecord* record = RecordOf(window);
    if (record == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    ++record->running;
    CSubclassLink* self = record->owner;
    Message m{window, message, wParam, lParam};
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        if (self != nullptr) {
            self->RouteMessage(m);
        }
        result = ::CallWindowProcW(record->previous, window, message, wParam, lParam);
        record->owner = nullptr;
        // No message comes after this one, whatever procedure sits above ours.
        if (OursOnTop(window, &SubclassProc)) {
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->previous));
        }
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        record->finished = true;
        if (self != nullptr) {
            self->DetachFromWindow(window);
            self->Cut();
            self->OnFinalMessage();
        }
    } else if (self != nullptr && self->RouteMessage(m)) {
        result = m.result;
    } else {
        result = ::CallWindowProcW(record->previous, window, message, wParam, lParam);
    }
    if (--record->running == 0 && record->finished) {
        delete record;
    }
    return result;
}

}  // namespace gd
