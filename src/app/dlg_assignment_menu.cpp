// The pad buttons, their labels, the pad picture window's clicks, and the
// assignment menu they open.
#include <windows.h>

#include "app/assignment_marks.h"
#include "app/gripdeck_dlg.h"
#include "resource.h"
#include "skin/pad_picture_wnd.h"

namespace gd {

namespace {

// Where the assignment menu opens for a pressed button: at the pointer when
// the pointer pressed it; from the button's lower left corner when Enter,
// Space or the Menu key did, the pointer being elsewhere.
POINT MenuPointFor(HWND button) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    RECT place{};
    if (button == nullptr || ::GetWindowRect(button, &place) == FALSE ||
        ::PtInRect(&place, cursor) != FALSE) {
        return cursor;
    }
    return POINT{place.left, place.bottom};
}

}  // namespace

void CGripdeckDlg::OnPadButton(UINT id) {
    const int button = static_cast<int>(id - IDC_PAD_BUTTON_0);
    session_.Select(button);
    ShowAssignmentMenuAt(MenuPointFor(padButtons_[button]));
}

void CGripdeckDlg::OnContextMenu(HWND window, POINT screen) {
    // Only the keyboard's menu request (no point) opens the menu; a right
    // click does what it did before, nothing.
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    for (int i = 0; i < kPadButtons && fromKeyboard; ++i) {
        if (window == padButtons_[i].GetSafeHwnd() || window == labels_[i].GetSafeHwnd()) {
            session_.Select(i);
            ShowAssignmentMenuAt(MenuPointFor(padButtons_[i]));
            return;
        }
    }
    SetMsgHandled(false);
}

void CGripdeckDlg::OnPadLabel(UINT id) {
    session_.Select(static_cast<std::int32_t>(id - IDC_PAD_LABEL_0));
    EditCurrentAssignment();
}

LRESULT CGripdeckDlg::OnPadPickLowGroup(WPARAM button, LPARAM) {
    PickFromPicture(0, button);
    return 0;
}

LRESULT CGripdeckDlg::OnPadPickHighGroup(WPARAM button, LPARAM) {
    PickFromPicture(1, button);
    return 0;
}

void CGripdeckDlg::PickFromPicture(std::uint32_t mode, WPARAM button) {
    // The number comes in a message any program may send: only a button of
    // the group selects anything.
    if (button >= static_cast<WPARAM>(kPadButtons)) {
        return;
    }
    // The picture stays clickable while an editor or another dialog holds
    // this window disabled. A pick then would switch the group and open the
    // menu, and with it a second editor, under the open one, whose result
    // would then belong to no selected button and be lost.
    if (!IsWindowEnabled()) {
        return;
    }
    if (session_.shownGroup() != mode) {
        SelectMode(mode);
    }
    session_.Select(static_cast<std::int32_t>(button));
    ShowAssignmentMenuAt(
        MenuPointFor(PictureButton(static_cast<int>(mode), static_cast<int>(button))));
}

void CGripdeckDlg::ShowAssignmentMenu() {
    if (!session_.HasSelection()) {
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ShowAssignmentMenuAt(cursor);
}

void CGripdeckDlg::ShowAssignmentMenuAt(POINT screen) {
    if (!session_.HasSelection()) {
        return;
    }
    CMenuRef popup = assignmentMenu_.GetSubMenu(0);
    if (!popup) {
        return;
    }
    const ButtonSlot& slot = session_.Slot(session_.selection());
    for (unsigned item : AssignmentMarkItems()) {
        popup.CheckItem(item, IsAssignmentItemMarked(item, slot));
    }
    popup.EnableItem(ID_EDIT_PASTE, ::IsClipboardFormatAvailable(clipboardFormat) != FALSE);
    for (unsigned item : AssignmentEnabledItems()) {
        popup.EnableItem(item, true);
    }
    popup.TrackPopup(hwnd_, screen, TPM_LEFTALIGN | TPM_LEFTBUTTON);
}

}  // namespace gd
