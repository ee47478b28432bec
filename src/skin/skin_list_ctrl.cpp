#include "skin/skin_list_ctrl.h"

#include <algorithm>
#include <string>
#include <utility>

#include "fw/handle.h"
#include "keys/event_code.h"

namespace gd {
namespace {

UINT AlignmentFlag(int columnFormat) {
    switch (columnFormat & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_CENTER:
            return DT_CENTER;
        case LVCFMT_RIGHT:
            return DT_RIGHT;
        default:
            return DT_LEFT;
    }
}

}  // namespace

const MessageMap& CSkinListCtrl::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnReflect<WM_DRAWITEM, &CSkinListCtrl::DrawItem>(),
    };
    static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
    return kMap;
}

void CSkinListCtrl::SetHighlightPair(int start, int end) {
    if (start < 0 || end < 0) {
        start = end = -1;
    }
    highlightStart_ = start;
    highlightEnd_ = end;
}

bool CSkinListCtrl::SwapRows(int a, int b) {
    int count = GetItemCount();
    if (a < 0 || b < 0 || a >= count || b >= count) {
        return false;
    }
    auto codeA = static_cast<EventCode>(GetItemData(a));
    auto codeB = static_cast<EventCode>(GetItemData(b));
    if (IsSameInput(codeA, codeB)) {
        return false;
    }
    for (int column : GetColumnOrder()) {
        int format = 0;
        int width = 0;
        if (!GetColumnFormat(column, format, width)) {
            break;
        }
        std::string textA = GetItemText(a, column);
        std::string textB = GetItemText(b, column);
        SetItemText(a, column, textB);
        SetItemText(b, column, textA);
    }
    SetItemData(a, static_cast<LPARAM>(codeB));
    SetItemData(b, static_cast<LPARAM>(codeA));
    bool selectedA = IsSelected(a);
    bool selectedB = IsSelected(b);
    SetItemState(a, selectedB ? LVIS_SELECTED : 0, LVIS_SELECTED);
    SetItemState(b, selectedA ? LVIS_SELECTED : 0, LVIS_SELECTED);

    auto follow = [a, b](int& row) {
        if (row == a) {
            row = b;
        } else if (row == b) {
            row = a;
        }
    };
    follow(highlightStart_);
    follow(highlightEnd_);
    RedrawItems(std::min(a, b), std::max(a, b));
    return true;
}

void CSkinListCtrl::SetExpandedSize(int dx, int dy) {
    normalRect_ = GetClientRect();
    expandedRect_ = normalRect_;
    expandedRect_.right += dx;
    expandedRect_.bottom += dy;
    sizesRecorded_ = true;
}

void CSkinListCtrl::SetScrollBarMode(int mode) {
    RECT client = GetClientRect();
    scrollBarMode_ = mode;
    ResizeAndClip(RectWidth(client), RectHeight(client));
}

void CSkinListCtrl::ToggleExpanded() {
    if (!sizesRecorded_) {
        return;
    }
    const RECT& target = expanded_ ? normalRect_ : expandedRect_;
    ResizeAndClip(RectWidth(target), RectHeight(target));
    expanded_ = !expanded_;
}

void CSkinListCtrl::ResizeAndClip(int width, int height) {
    int verticalBar = ::GetSystemMetrics(SM_CXVSCROLL);
    int horizontalBar = ::GetSystemMetrics(SM_CYHSCROLL);
    int cx = width + (scrollBarMode_ == kHideHorizontal ? 0 : verticalBar);
    int cy = height + (scrollBarMode_ == kHideVertical ? 0 : horizontalBar);
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    UniqueRegion region;
    switch (scrollBarMode_) {
        case kHideHorizontal:
            region.reset(::CreateRectRgn(0, 0, width, height - 2));
            break;
        case kHideVertical:
            region.reset(::CreateRectRgn(0, 0, width - 2, height));
            break;
        case kHideBoth:
            region.reset(::CreateRectRgn(0, 0, width - 2, height - 2));
            break;
        default:
            break;
    }
    SetWindowRgn(std::move(region));
}

void CSkinListCtrl::DrawItem(const DRAWITEMSTRUCT& item) {
    const int row = static_cast<int>(item.itemID);
    HDC dc = item.hDC;
    bool selected = IsSelected(row);
    COLORREF text = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    // Red would be hard to read on the selection bar; the selected row of
    // the pair is marked by the selection itself.
    if ((row == highlightStart_ || row == highlightEnd_) && !selected) {
        text = kHighlightText;
    }
    COLORREF oldText = ::SetTextColor(dc, text);
    COLORREF oldBack = ::SetBkColor(dc, back);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);

    int left = item.rcItem.left;
    for (int column : GetColumnOrder()) {
        int format = 0;
        int width = 0;
        if (!GetColumnFormat(column, format, width)) {
            break;
        }
        RECT cell{left, item.rcItem.top, left + width, item.rcItem.bottom};
        left += width;
        if (width < 1) {
            continue;
        }
        std::string cellText = GetItemText(row, column);
        if (cellText.empty()) {
            continue;
        }
        cell.left += kCellInset;
        cell.right -= kCellInset;
        ::DrawTextA(
            dc, cellText.c_str(), static_cast<int>(cellText.size()), &cell,
            AlignmentFlag(format) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

}  // namespace gd
