#pragma once
// Text labels over skinned backgrounds.
#include <windows.h>

#include <string>
#include <string_view>

#include "fw/controls.h"
#include "fw/handle.h"
#include "fw/window_impl.h"

namespace gd {

// The DrawText flags that reproduce a static control's alignment and
// ellipsis styles.
UINT DrawTextFlagsForStaticStyle(DWORD style);

// A label without background: it draws its own text, in its own colour,
// over whatever the parent painted there. The text is the label's own, not
// the window text. Clicks reach the parent through SS_NOTIFY as usual.
//
// A label with SS_NOTIFY and WS_TABSTOP is also reached with Tab: it then
// frames itself in its text colour while the window's keyboard cues are on,
// and Enter or Space report a click (STN_CLICKED) as the mouse does.
class CTransStatic : public CWindowImpl<CStatic> {
  public:
    CTransStatic() = default;

    // Stores the text and, when the label shows, has the parent repaint the
    // label's area at once, so the old text is gone before the new one is
    // drawn.
    void SetText(std::string_view text);
    const std::string& Text() const { return text_; }

    void SetTextColour(COLORREF colour) { textColour_ = colour; }
    COLORREF TextColour() const { return textColour_; }

    // A text shows the tool tip, whose window is made when the pointer first
    // comes; null shows none.
    void SetToolTip(const char* text);
    bool HasToolTip() const { return toolTip_.IsMade(); }
    const CToolTipCtrl& ToolTip() const { return toolTip_.Control(); }

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    void OnPaint();
    void OnMouseMove(UINT flags, POINT point);
    BOOL OnEraseBkgnd(HDC dc);
    LRESULT OnGetDlgCode(WPARAM, LPARAM message);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnFocus(HWND other);
    LRESULT OnUpdateUiState(WPARAM, LPARAM);
    // Has the parent draw the background under the label anew, then the
    // label; true waits for both.
    void Repaint(bool now);

    COLORREF textColour_ = RGB(0, 0, 0);
    std::string text_;
    CLazyToolTip toolTip_;
};

// A plain label whose text colour can be changed; its background is the
// button-face colour of the moment the label was constructed.
class CColorStatic : public CWindowImpl<CStatic> {
  public:
    CColorStatic();

    // Stores the colour and repaints the label now.
    void SetTextColour(COLORREF colour);
    COLORREF TextColour() const { return textColour_; }

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    HBRUSH OnCtlColor(HDC dc, HWND control);

    COLORREF background_;
    UniqueBrush brush_;
    COLORREF textColour_ = RGB(0, 0, 0);
};

}  // namespace gd
