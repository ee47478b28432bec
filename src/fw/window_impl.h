#pragma once
// CWindowImpl<View>: a window object behind an existing control (subclassed
// by id from a dialog template) or behind a window it creates itself. It has
// the typed methods of View (CButton, CStatic, CListCtrl...) and a handler
// table. The link to the window ends at WM_NCDESTROY, so a destroyed control
// never leaves a stale handle behind; an object that created its window
// destroys it when it is destroyed first.
#include <windows.h>

#include "fw/message_map.h"
#include "fw/wnd.h"

namespace gd {

class CSubclassLink : public CMsgHandler {
  protected:
    CSubclassLink() = default;
    ~CSubclassLink() override = default;

    // Ends the link; destroys the window when this object created it. Run by
    // the view's destructor while the view part still exists.
    void Release();

    bool Subclass(HWND window);
    HWND Unsubclass();
    bool CreateOwned(DWORD exStyle, const char* className, DWORD style, HWND owner);
    HWND LinkedWindow() const { return window_; }

    // Inside a handler: the control's original procedure for the current
    // message, e.g. to draw first and add to it afterwards.
    LRESULT DefaultProc();

    // The view part learns its window through this.
    virtual void SetViewHandle(HWND window) = 0;
    // After the window is gone and the link is cut.
    virtual void OnFinalMessage() {}

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Cut();

    HWND window_ = nullptr;
    bool owned_ = false;
};

template <typename View>
class CWindowImpl : public View, public CSubclassLink {
  public:
    CWindowImpl() = default;
    ~CWindowImpl() override { Release(); }

    // The object's window changes only through SubclassWindow and
    // UnsubclassWindow, which keep the link to the window right.
    void Attach(HWND) = delete;

    // Attaches this object to an existing window; false when already attached
    // or when the window cannot be subclassed.
    bool SubclassWindow(HWND window) { return Subclass(window); }
    bool SubclassDlgItem(int id, HWND parent) { return Subclass(::GetDlgItem(parent, id)); }
    // Lets the window go on without this object; returns it.
    HWND UnsubclassWindow() { return Unsubclass(); }

  protected:
    void SetViewHandle(HWND window) override { this->hwnd_ = window; }
};

}  // namespace gd
