// The assignment menu's commands: the editors that fill the selected slot,
// the stop functions, Off and Default, and copying and pasting a whole slot
// through the clipboard.
#include <windows.h>

#include <cstring>
#include <memory>

#include "app/gripdeck_dlg.h"
#include "app/slot_commands.h"
#include "app/slot_editors_win.h"
#include "fw/handle.h"
#include "resource.h"

namespace gd {

void CGripdeckDlg::ChangeSlot(SlotRef where, const ButtonSlot& slot, UINT commandId) {
    if (session_.ChangeSlot(where, slot, StepName(commandId, where.Number()))) {
        SlotChanged(where);
    }
}

void CGripdeckDlg::SlotChanged(SlotRef where) {
    if (where.group == session_.shownGroup()) {
        RefreshLabels(where.button);
    }
    ProfileChanged();
}

void CGripdeckDlg::RunEditor(SlotEditorKind kind) {
    const std::unique_ptr<SlotEditor> editor = MakeSlotEditor(kind, hwnd_);
    const SlotRef opened = session_.selection();
    if (editor && EditSelectedSlot(session_, kind, *editor)) {
        SlotChanged(opened);
    }
}

void CGripdeckDlg::OnEditorCommand(UINT id) {
    RunEditor(EditorForCommand(id));
}

void CGripdeckDlg::EditCurrentAssignment() {
    if (HasSelectedButton()) {
        RunEditor(EditorForSlot(session_.Slot(session_.selection())));
    }
}

void CGripdeckDlg::OnDirectSlotCommand(UINT id) {
    const std::optional<std::uint32_t> slotType = DirectSlotType(id);
    if (!slotType || !HasSelectedButton()) {
        return;
    }
    auto slot = std::make_unique<ButtonSlot>();
    WriteDirectSlot(*slot, *slotType);
    ChangeSlot(session_.selection(), *slot, id);
}

void CGripdeckDlg::OnCopySlot() {
    if (!HasSelectedButton()) {
        return;
    }
    ClipboardGuard clipboard(hwnd_);
    if (!clipboard.ok()) {
        return;
    }
    ::EmptyClipboard();
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(ButtonSlot)));
    {
        GlobalLockGuard<ButtonSlot> locked(block.get());
        if (locked.data() == nullptr) {
            return;
        }
        std::memcpy(locked.data(), &session_.Slot(session_.selection()), sizeof(ButtonSlot));
    }
    if (::SetClipboardData(clipboardFormat, block.get()) != nullptr) {
        // The clipboard owns the block from now on.
        (void)block.release();
    }
}

void CGripdeckDlg::OnPasteSlot() {
    if (!HasSelectedButton() || clipboardFormat == 0 ||
        !::IsClipboardFormatAvailable(clipboardFormat)) {
        return;
    }
    ClipboardGuard clipboard(hwnd_);
    if (!clipboard.ok()) {
        return;
    }
    auto slot = std::make_unique<ButtonSlot>(session_.Slot(session_.selection()));
    bool pasted = false;
    {
        GlobalLockGuard<> locked(::GetClipboardData(clipboardFormat));
        pasted = PasteSlot(*slot, locked.data(), locked.size());
    }
    if (pasted) {
        ChangeSlot(session_.selection(), *slot, ID_EDIT_PASTE);
    }
}

}  // namespace gd
