#include "fw/controls.h"

namespace gd {

int CListCtrl::InsertColumn(int index, std::string_view heading, int format, int width) const {
    std::string text(heading);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = ::MulDiv(width, static_cast<int>(GetDpi()), 96);
    column.pszText = text.data();
    column.iSubItem = index;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

void CListCtrl::FillWithColumn(int column, int reserve) const {
    const int count = GetColumnCount();
    if (column < 0 || column >= count) {
        return;
    }
    int others = 0;
    for (int i = 0; i < count; ++i) {
        if (i != column) {
            others += static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, i));
        }
    }
    const int own = static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column));
    const int left = RectWidth(GetClientRect()) - reserve - others;
    if (left > own) {
        SetColumnWidth(column, left);
    }
}

bool CListCtrl::GetColumnFormat(int column, int& format, int& width) const {
    LVCOLUMNA info{};
    info.mask = LVCF_FMT | LVCF_WIDTH;
    if (!SendMessage(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info))) {
        return false;
    }
    format = info.fmt;
    width = info.cx;
    return true;
}

int CListCtrl::GetColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::vector<int> CListCtrl::GetColumnOrder() const {
    int count = GetColumnCount();
    std::vector<int> order(count > 0 ? static_cast<size_t>(count) : 0);
    if (count > 0 &&
        !SendMessage(LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()))) {
        for (int i = 0; i < count; ++i) {
            order[static_cast<size_t>(i)] = i;
        }
    }
    return order;
}

int CListCtrl::InsertItem(int index, std::string_view text) const {
    std::string copy(text);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = copy.data();
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int item, int column) const {
    // LVM_GETITEMTEXT reports only how much it copied: grow until the text
    // no longer fills the buffer.
    std::string buffer(256, '\0');
    for (;;) {
        LVITEMA info{};
        info.iSubItem = column;
        info.pszText = buffer.data();
        info.cchTextMax = static_cast<int>(buffer.size());
        auto copied = static_cast<size_t>(
            SendMessage(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&info)));
        if (copied + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
            buffer.resize(copied < buffer.size() ? copied : buffer.size() - 1);
            return buffer;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

bool CListCtrl::SetItemText(int item, int column, std::string_view text) const {
    std::string copy(text);
    LVITEMA info{};
    info.iSubItem = column;
    info.pszText = copy.data();
    return SendMessage(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

LPARAM CListCtrl::GetItemData(int item) const {
    LVITEMA info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)) ? info.lParam : 0;
}

bool CListCtrl::SetItemData(int item, LPARAM data) const {
    LVITEMA info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    info.lParam = data;
    return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) const {
    LVITEMA info{};
    info.state = state;
    info.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

int CListCtrl::GetStringWidth(std::string_view text) const {
    const std::string copy(text);
    return static_cast<int>(
        SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(copy.c_str())));
}

RECT CListCtrl::GetSubItemRect(int item, int column, int area) const {
    RECT rect{area, column, 0, 0};
    if (SendMessage(LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&rect)) == FALSE) {
        return RECT{};
    }
    return rect;
}

int CListCtrl::HitTest(POINT client) const {
    LVHITTESTINFO info{};
    info.pt = client;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

int CComboBox::AddString(std::string_view text) const {
    std::string copy(text);
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy.c_str())));
}

int CComboBox::InsertString(int index, std::string_view text) const {
    std::string copy(text);
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(copy.c_str())));
}

std::string CComboBox::GetLBText(int index) const {
    auto length = SendMessage(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR || length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    auto copied = SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

namespace {

// The version-5 layout: comctl32 without a manifest refuses larger sizes.
TTTOOLINFOA ToolInfo(HWND owner, HWND tool, char* text) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    return info;
}

}  // namespace

bool CToolTipCtrl::Create(HWND owner) {
    if (!CreateOwned(WS_EX_TOPMOST, TOOLTIPS_CLASSA, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                     owner)) {
        return false;
    }
    ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool CToolTipCtrl::AddTool(HWND tool, std::string_view text) const {
    std::string copy(text);
    TTTOOLINFOA info = ToolInfo(::GetParent(tool), tool, copy.data());
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(HWND tool, std::string_view text) const {
    std::string copy(text);
    TTTOOLINFOA info = ToolInfo(::GetParent(tool), tool, copy.data());
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

bool CToolTipCtrl::HasTool(HWND tool) const {
    TTTOOLINFOA info = ToolInfo(::GetParent(tool), tool, nullptr);
    return SendMessage(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

std::string CToolTipCtrl::GetText(HWND tool) const {
    // TTM_GETTEXTA has no size: 80 characters is its documented limit.
    char buffer[256] = {};
    TTTOOLINFOA info = ToolInfo(::GetParent(tool), tool, buffer);
    SendMessage(TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

void CToolTipCtrl::RelayEvent(const MSG& message) const {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void CLazyToolTip::SetText(HWND tool, std::string_view text) {
    text_.assign(text);
    shown_ = true;
    if (!IsMade()) {
        return;
    }
    tip_.Activate(true);
    if (tip_.HasTool(tool)) {
        tip_.UpdateTipText(tool, text_);
    } else {
        tip_.AddTool(tool, text_);
    }
}

void CLazyToolTip::Clear() {
    shown_ = false;
    if (IsMade()) {
        tip_.Activate(false);
    }
}

void CLazyToolTip::OnToolMouseMove(HWND tool, WPARAM flags, POINT client) {
    if (IsMade() || !shown_ || !tip_.Create(tool)) {
        return;
    }
    tip_.Activate(true);
    tip_.AddTool(tool, text_);
    // The tool tip's subclass sees the moves from the next one on; this one
    // starts its wait before it shows.
    POINT screen = client;
    ::ClientToScreen(tool, &screen);
    const MSG move{tool,
                   WM_MOUSEMOVE,
                   flags,
                   MAKELPARAM(client.x, client.y),
                   static_cast<DWORD>(::GetMessageTime()),
                   screen};
    tip_.RelayEvent(move);
}

}  // namespace gd
