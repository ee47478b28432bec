// The assignment menu's commands: the editors that fill the current slot,
// the stop functions, Off and Default, and copying and pasting a whole slot
// through the clipboard.
#include <windows.h>

#include <cstring>

#include "app/gripdeck_dlg.h"
#include "app/slot_commands.h"
#include "editors/macro_edit_dlg.h"
#include "fw/handle.h"
#include "profile/profile_state.h"

namespace gd {

bool CGripdeckDlg::HasSelectedButton() const {
    return CurrentProfile().selectedButton >= 0 && CurrentProfile().selectedButton < kPadButtons;
}

void CGripdeckDlg::SlotChanged() {
    RefreshLabels(CurrentProfile().selectedButton);
    document_.modified = true;
}

void CGripdeckDlg::OnMacroCommand() {
    if (!HasSelectedButton()) {
        return;
    }
    ButtonSlot& slot = CurrentSlot();
    CMacroEditDlg editor(hwnd_);
    editor.LoadMacro(slot.slotType == SlotType::Macro ? &slot.macro : nullptr);
    if (editor.DoModal() != IDOK) {
        return;
    }
    // Only the macro's own bytes are written: whatever lies behind them in
    // the slot stays.
    slot.slotType = SlotType::Macro;
    editor.StoreMacro(slot.macro);
    SlotChanged();
}

void CGripdeckDlg::EditCurrentAssignment() {
    if (!HasSelectedButton()) {
        return;
    }
    switch (CurrentSlot().slotType) {
        case SlotType::Macro:
            OnMacroCommand();
            return;
        default:
            // Default, the stop functions and Off have nothing to edit.
            return;
    }
}

void CGripdeckDlg::OnDirectSlotCommand(UINT id) {
    const std::optional<std::uint32_t> slotType = DirectSlotType(id);
    if (!slotType || !HasSelectedButton()) {
        return;
    }
    WriteDirectSlot(CurrentSlot(), *slotType);
    SlotChanged();
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
        std::memcpy(locked.data(), &CurrentSlot(), sizeof(ButtonSlot));
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
    bool pasted = false;
    {
        GlobalLockGuard<> locked(::GetClipboardData(clipboardFormat));
        pasted = PasteSlot(CurrentSlot(), locked.data(), locked.size());
    }
    if (pasted) {
        SlotChanged();
    }
}

}  // namespace gd
