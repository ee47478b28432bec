#pragma once
// Bitmap-drawn push buttons. A face bitmap holds four faces side by side:
// 0 normal, 1 pointer over it, 2 pressed, 3 disabled. A button carries one
// or two such bitmaps (face sets) and shows one of them.
//
// The disabled look is the button's own: it draws the disabled face and
// swallows clicks, while the window stays enabled for the system.
//
// From the keyboard a focused button is pressed with Space or Enter, and
// shows a focus rectangle over its face while the window's keyboard cues
// are on. Its window text is not drawn: it names the button for screen
// readers.
//
// The button draws itself from the WM_DRAWITEM its parent receives, so its
// parent is one of the framework's windows (a CDialog), which hands that
// message on.
#include <windows.h>

#include <string_view>

#include "fw/controls.h"
#include "fw/handle.h"
#include "fw/window_impl.h"

namespace gd {

class CSkinButton : public CWindowImpl<CButton> {
  public:
    CSkinButton() = default;

    // Before LoadBitmaps: how many face sets it loads, 1 or 2 (default 2).
    void SetFaceSetCount(int count) { faceSetCount_ = count == 1 ? 1 : 2; }
    // Before LoadBitmaps: which drawing of the art it loads, an index into
    // the art's display scales (default 0, 100 %). The ids given stay the
    // ones at 100 %, and so do the ids the button reports.
    void SetArtScale(int scale) { artScale_ = scale; }

    // Loads the face sets from bitmap resources (the low 16 bits of each
    // value name the resource) and places the button: at (x, y) in the
    // parent when both are 0 or more, else where it is; either way it takes
    // the size of one face. False, with nothing changed, when a bitmap is
    // missing. Before the button's window exists it only notes the place,
    // where Create puts the window.
    bool LoadBitmaps(UINT faceSet0, UINT faceSet1, COLORREF transparent, int x = -1, int y = -1);
    // Loads the same face sets again in the drawing of another display
    // scale and moves the button to (x, y) in its size there.
    bool Rescale(int scale, int x, int y);
    // The same with bitmaps already made; the button owns them afterwards.
    bool SetBitmaps(UniqueBitmap faceSet0, UniqueBitmap faceSet1, COLORREF transparent, int x,
                    int y);

    // Makes the button's window where the loaded faces place it, a Tab
    // stop, last in its parent's Z and Tab order; `name` is its window text,
    // never drawn, for screen readers.
    bool Create(HWND parent, int id, const char* name = "", bool shown = true);

    // 0 or 1; redraws.
    void SetFaceSet(int set);
    int FaceSet() const { return faceSet_; }
    // The id given to LoadBitmaps for a set (0 when not remembered).
    UINT FaceSetId(int set) const { return set == 1 ? faceSetIds_[1] : faceSetIds_[0]; }
    int FaceWidth() const { return faceWidth_; }
    int FaceHeight() const { return faceHeight_; }
    RECT Placement() const { return placement_; }

    // Redraws.
    void SetDisabledLook(bool disabled);
    // True while the disabled look is off.
    bool IsLookEnabled() const { return !disabledLook_; }

    // The tool tip's text; its window is made when the pointer first comes.
    void SetToolTipText(std::string_view text);
    const CToolTipCtrl& ToolTip() const { return toolTip_.Control(); }

    // Shown over the button while set; null gives the default cursor back.
    void SetCustomCursor(HCURSOR cursor) { cursor_ = cursor; }

    bool IsHovered() const { return hover_; }
    bool IsTracking() const { return tracking_; }
    // The face drawn for the given pressed state.
    int FaceToDraw(bool pressed) const;
    // Draws the shown button where it lies into a DC of its parent that
    // holds the parent's background there, as its own paint would, and
    // leaves it nothing to paint: a parent's paint that takes its buttons
    // along costs less than a paint of each of them. A button whose window
    // is not made yet is drawn at its place in its plain state, so that a
    // window's first paint can show buttons it makes afterwards.
    void PaintInParent(HDC parentDC);

  protected:
    const MessageMap& GetMessageMap() const override;

    virtual int DisabledFace() const { return 3; }
    // Tells the pad picture window which button the pointer is on.
    virtual void ReportHover(bool entered);
    virtual bool RemembersFaceSetIds() const { return true; }

  private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    // The face for the state (ODS_SELECTED, ODS_FOCUS) at the DC's origin,
    // over what the DC already holds; sourceDC lends itself to the faces.
    void DrawFace(HDC dc, HDC sourceDC, HBITMAP faces, UINT itemState) const;
    // Into a picture of the button's size: what the parent shows under it.
    void PaintParentBackground(HDC dc) const;
    HBITMAP CurrentFaces() const;
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseHover(UINT flags, POINT point);
    void OnMouseLeave();
    void OnButtonDown(UINT flags, POINT point);
    void OnKey(UINT key, UINT repeat, UINT flags);
    LRESULT OnGetDlgCode(WPARAM, LPARAM message);
    LRESULT OnUpdateUiState(WPARAM, LPARAM);
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage);
    BOOL OnEraseBkgnd(HDC dc);

    UniqueBitmap faces_[2];
    COLORREF transparent_ = 0;
    RECT faceRect_{};
    RECT placement_{};
    bool tracking_ = false;
    bool disabledLook_ = false;
    bool hover_ = false;
    CLazyToolTip toolTip_;
    HCURSOR cursor_ = nullptr;
    int faceWidth_ = 0;
    int faceHeight_ = 0;
    int faceSet_ = 0;
    int faceSetCount_ = 2;
    int artScale_ = 0;
    UINT faceSetIds_[2] = {};
    UINT loadedIds_[2] = {};
};

// The pad picture window's buttons: the disabled look shows face 1, and the
// pointer is not reported anywhere.
class CPictureButton : public CSkinButton {
  protected:
    int DisabledFace() const override { return 1; }
    void ReportHover(bool) override {}
    bool RemembersFaceSetIds() const override { return false; }
};

}  // namespace gd
