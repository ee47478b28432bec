#pragma once
// CPadPictureWnd: the pad-shaped window with a drawing of the whole pad and
// its twenty M-Buttons in place. It lights up the button the pointer rests
// on in the main window, and a click on a button in the drawing asks the
// main window to open that button's assignment menu.
//
// From the keyboard, Tab and the arrows move between the drawing's buttons,
// Enter, Space or the Menu key press one, and Escape goes back to the main
// window.
#include <windows.h>

#include "fw/dialog.h"
#include "fw/handle.h"
#include "skin/skin_button.h"

namespace gd {

class CPadPictureWnd : public CDialog {
  public:
    static constexpr int kButtonCount = 20;

    CPadPictureWnd();
    ~CPadPictureWnd() override;

    // Picture button k (0..19, M1..M20); -1 while none is lit.
    int HighlightedButton() const { return highlighted_; }
    const CPictureButton& Button(int k) const { return buttons_[k]; }
    // Which drawing of the art it shows: an index into the display scales.
    int ArtScale() const { return artScale_; }

    // k of the picture button that stands for the main window's pad button
    // showing this face bitmap; -1 for any other id.
    static int ButtonForFaceBitmap(WPARAM faceBitmapId);

  protected:
    BOOL OnInitDialog() override;
    // Enter and Escape leave the window as it is: the main window shows and
    // hides it. Escape gives the keyboard back to the main window.
    void OnOK() override {}
    void OnCancel() override;
    const MessageMap& GetMessageMap() const override;

  private:
    // The drawing and the outline at the current scale; the window takes
    // the drawing's size.
    void LoadArt();
    void CreateButtons();
    LRESULT OnDpiChanged(WPARAM dpi, LPARAM suggestedRect);
    LRESULT OnPadButtonHover(WPARAM faceBitmapId, LPARAM);
    LRESULT OnPadButtonLeave(WPARAM, LPARAM);
    // Made hidden, it took no focus then; the first time it becomes active
    // its first button takes the keyboard. Later on the dialog manager
    // brings back the button the keyboard left.
    LRESULT OnActivate(WPARAM state, LPARAM);
    void OnPictureButton(UINT id);
    void OnContextMenu(HWND window, POINT screen);
    BOOL OnEraseBkgnd(HDC dc);
    void OnPaint();
    UINT OnNcHitTest(POINT screen);
    void OnDestroy();
    void Highlight(int k);

    CPictureButton buttons_[kButtonCount];
    int highlighted_ = -1;
    bool keyboardGiven_ = false;
    UniqueBitmap background_;  // 146
    UniqueBitmap shape_;       // 144
    SIZE backgroundSize_{};
    int artScale_ = 0;
};

// The picture button that stands for button 0..9 of a group (0 for M1-M10,
// 1 for M11-M20), null while there is no pad picture window.
HWND PictureButton(int group, int button);

}  // namespace gd
