#pragma once
// The editors' keyboard hooks, one owner type for all of them. Each kind of
// hook has its own process-wide pair, the installed hook and the dialog it
// reports to; the dialog that receives a kind holds a KeyboardHook member,
// which installs the hook for it and removes it again, at the latest when
// the dialog dies, so no hook outlives its receiver.
//
// At most one dialog of a kind runs at a time, because every caller is
// modal. Install from a second owner of the same kind only turns the hook to
// its receiver; Remove from an owner that no longer receives changes nothing.
#include <windows.h>

#include "fw/handle.h"

namespace gd {

class CKeyCaptureDlg;
class CMacroEditDlg;
class CMouseButtonDlg;

// The receiver answers every notification with
// `LRESULT OnKeyboardHook(int code, WPARAM, LPARAM)`: a non-zero result
// swallows the stroke, PassOn hands it to the next hook.
template <class Receiver, int HookType>
class KeyboardHook {
  public:
    explicit KeyboardHook(Receiver& receiver) noexcept : receiver_(receiver) {}
    ~KeyboardHook() { Remove(); }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    void Install() {
        current_ = &receiver_;
        if (installed_) {
            return;
        }
        if constexpr (HookType == WH_MSGFILTER) {
            // A message filter sees the dialog loops of this thread only.
            installed_.reset(::SetWindowsHookExA(HookType, &Proc, nullptr, ::GetCurrentThreadId()));
        } else {
            installed_.reset(::SetWindowsHookExA(HookType, &Proc, ::GetModuleHandleA(nullptr), 0));
        }
    }

    void Remove() {
        if (current_ == &receiver_) {
            installed_.reset();
            current_ = nullptr;
        }
    }

    bool IsInstalled() const { return installed_ && current_ == &receiver_; }

    static LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) {
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        // Install sets the receiver before the hook exists and Remove drops
        // both at once, so a hook without a receiver is not expected; should
        // one fire all the same, the stroke goes on untouched.
        if (current_ == nullptr) {
            return PassOn(code, wParam, lParam);
        }
        return current_->OnKeyboardHook(code, wParam, lParam);
    }

    Receiver& receiver_;
    static inline UniqueHook installed_;
    static inline Receiver* current_ = nullptr;
};

// Inside a low-level keyboard hook: whether the system holds the event's key
// down already, from a press that reached it before this event. The key
// state a hook reads is the one before its event, which only a stroke that
// goes on changes.
inline bool KeyHeldBefore(const KBDLLHOOKSTRUCT& event) {
    return event.vkCode != 0 && (::GetAsyncKeyState(static_cast<int>(event.vkCode)) & 0x8000) != 0;
}

// The three kinds, each with its own pair:
// choosing a key takes every stroke of the desktop and swallows it;
using KeyCaptureHook = KeyboardHook<CKeyCaptureDlg, WH_KEYBOARD_LL>;
// recording a macro takes every stroke of the desktop for the recorder;
using RecordingHook = KeyboardHook<CMacroEditDlg, WH_KEYBOARD_LL>;
// the mouse button dialog keeps Enter from its own dialog loop.
using DialogKeyFilter = KeyboardHook<CMouseButtonDlg, WH_MSGFILTER>;

}  // namespace gd
