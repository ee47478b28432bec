#pragma once
// The macro editors' event list: an owner-drawn report list whose rows carry
// their EventCode as item value. It paints one pair of rows in red (the
// selected one in the selection's own colours, to stay readable), swaps
// rows but never two rows of the same input, hides scroll bars by clipping
// itself with a window region, and switches between two recorded sizes.
#include <windows.h>

#include <string_view>

#include "fw/controls.h"
#include "fw/window_impl.h"

namespace gd {

class CSkinListCtrl : public CWindowImpl<CListCtrl> {
  public:
    // Scroll-bar modes; any other value shows both bars.
    static constexpr int kHideHorizontal = 0;
    static constexpr int kHideVertical = 1;
    static constexpr int kHideBoth = 3;
    static constexpr int kShowBoth = 2;

    static constexpr COLORREF kHighlightText = RGB(255, 0, 0);
    // Each cell's text keeps this margin on the left and on the right.
    static constexpr int kCellInset = 6;

    CSkinListCtrl() = default;

    // The column width that shows `text` whole in the list's font.
    int CellWidthFor(std::string_view text) const { return GetStringWidth(text) + 2 * kCellInset; }

    // Both -1 when either is negative.
    void SetHighlightPair(int start, int end);
    int HighlightStart() const { return highlightStart_; }
    int HighlightEnd() const { return highlightEnd_; }

    // Exchanges the rows' texts, item values and selected states, and keeps
    // the highlight on the same rows. False, with nothing changed, when the
    // rows name the same input or either index is not a row.
    bool SwapRows(int a, int b);

    // Records the current client rectangle as the normal size and the
    // expanded size as dx wider and dy higher.
    void SetExpandedSize(int dx, int dy);
    // Resizes the control so that the chosen bars fall outside its region.
    void SetScrollBarMode(int mode);
    int ScrollBarMode() const { return scrollBarMode_; }
    // Switches between the two recorded sizes; nothing before SetExpandedSize.
    void ToggleExpanded();
    bool IsExpanded() const { return expanded_; }
    RECT NormalRect() const { return normalRect_; }
    RECT ExpandedRect() const { return expandedRect_; }

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void ResizeAndClip(int width, int height);

    int highlightStart_ = -1;
    int highlightEnd_ = -1;
    RECT normalRect_{};
    RECT expandedRect_{};
    bool expanded_ = false;
    bool sizesRecorded_ = false;
    int scrollBarMode_ = kShowBoth;
};

}  // namespace gd
