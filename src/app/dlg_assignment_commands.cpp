// The assignment menu's commands: the editors that fill the current slot,
// the stop functions, Off and Default, and copying and pasting a whole slot
// through the clipboard.
#include <windows.h>

#include <cstring>
#include <memory>

#include "app/gripdeck_dlg.h"
#include "app/slot_commands.h"
#include "editors/key_capture_dlg.h"
#include "editors/macro_edit_dlg.h"
#include "editors/mouse_button_dlg.h"
#include "editors/multi_layer_dlg.h"
#include "editors/twin_switch_dlg.h"
#include "profile/image.h"
#include "fw/handle.h"
#include "resource.h"

namespace gd {

bool CGripdeckDlg::StillSelected(const SlotRef& opened) const {
    // An editor's message loop still serves the tray menu, the pad picture
    // window and other programs' messages: a profile loaded meanwhile leaves
    // no button selected, a click in the picture selects another. The
    // editor's result belongs to the button that opened it, or nowhere.
    return session_.HasSelection() && session_.selection() == opened;
}

void CGripdeckDlg::ChangeSlot(SlotRef where, const ButtonSlot& slot, UINT commandId) {
    if (!session_.ChangeSlot(where, slot, StepName(commandId, where.Number()))) {
        return;
    }
    if (where.group == session_.shownGroup()) {
        RefreshLabels(where.button);
    }
    ProfileChanged();
}

namespace {

constexpr std::uint32_t kKeyPart = 0x000FFFFF;
constexpr std::uint32_t kButtonPart = 0x0000FFFF;

}  // namespace

template <typename Editor, typename Store>
void CGripdeckDlg::RunSlotEditor(Editor& editor, UINT commandId, Store&& store) {
    const SlotRef opened = session_.selection();
    if (editor.DoModal() != IDOK || !StillSelected(opened)) {
        return;
    }
    // Scratch: a slot is 7.5 KB.
    auto slot = std::make_unique<ButtonSlot>(session_.Slot(opened));
    store(*slot);
    ChangeSlot(opened, *slot, commandId);
}

template <typename Editor, typename Record>
void CGripdeckDlg::EditSlotRecord(Editor& editor, UINT commandId, std::uint32_t slotType,
                                  Record ButtonSlot::*part, void (Editor::*load)(const Record&),
                                  void (Editor::*store)(Record&) const) {
    if (!HasSelectedButton()) {
        return;
    }
    // A slot of another type has bytes there that only look like a record.
    const ButtonSlot& slot = session_.Slot(session_.selection());
    if (slot.slotType == slotType) {
        (editor.*load)(slot.*part);
    }
    RunSlotEditor(editor, commandId, [&](ButtonSlot& target) {
        // The record alone is written: a macro leaves the payload bytes
        // behind it as they were.
        target.slotType = slotType;
        (editor.*store)(target.*part);
    });
}

void CGripdeckDlg::EditSingleKey(std::uint32_t flags, std::uint32_t key) {
    CKeyCaptureDlg capture(hwnd_);
    capture.flags = flags;
    capture.key = key;
    RunSlotEditor(capture, ID_KEYBOARD, [&](ButtonSlot& slot) {
        WriteDirectSlot(slot, SlotType::SingleKey);
        slot.action.code = capture.flags | capture.key;
    });
}

void CGripdeckDlg::EditSingleMouse(std::uint32_t flags, std::uint32_t button, std::int32_t x,
                                   std::int32_t y) {
    CMouseButtonDlg mouse(hwnd_);
    mouse.flags = flags;
    mouse.button = button;
    mouse.x = x;
    mouse.y = y;
    RunSlotEditor(mouse, ID_MOUSE_BUTTON, [&](ButtonSlot& slot) {
        WriteDirectSlot(slot, SlotType::SingleMouse);
        slot.action = {mouse.flags | mouse.button, mouse.x, mouse.y, mouse.screenWidth,
                       mouse.screenHeight};
    });
}

void CGripdeckDlg::OnKeyboardCommand() {
    if (!HasSelectedButton()) {
        return;
    }
    const ButtonSlot& slot = session_.Slot(session_.selection());
    EditSingleKey(kKeyEditorStart, slot.slotType == SlotType::SingleKey
                                       ? slot.action.code & kKeyPart
                                       : kCaptureDefaultKey);
}

void CGripdeckDlg::OnMouseButtonCommand() {
    if (!HasSelectedButton()) {
        return;
    }
    const ButtonSlot& slot = session_.Slot(session_.selection());
    if (slot.slotType == SlotType::SingleMouse) {
        EditSingleMouse(slot.action.code & ~kButtonPart, slot.action.code & kButtonPart,
                        slot.action.x, slot.action.y);
    } else {
        EditSingleMouse(kMouseEditorStart, kMouseLeft, 0, 0);
    }
}

// The key capture and mouse button dialogs start with their action choice
// hidden, and stay so here.
void CGripdeckDlg::OnSingleSwitchKeyboard() {
    CKeyCaptureDlg capture(hwnd_);
    capture.flags = kKeyEditorStart;
    capture.key = kCaptureDefaultKey;
    EditSlotRecord(capture, ID_SINGLE_SWITCH_KEYBOARD, SlotType::MultiLayer,
                   &ButtonSlot::multiLayer, &CKeyCaptureDlg::LoadSingleSwitch,
                   &CKeyCaptureDlg::StoreSingleSwitch);
}

void CGripdeckDlg::OnSingleSwitchMouse() {
    CMouseButtonDlg mouse(hwnd_);
    mouse.flags = kMouseEditorStart;
    mouse.button = kMouseLeft;
    mouse.x = 0;
    mouse.y = 0;
    EditSlotRecord(mouse, ID_SINGLE_SWITCH_MOUSE_BUTTON, SlotType::MultiLayer,
                   &ButtonSlot::multiLayer, &CMouseButtonDlg::LoadSingleSwitch,
                   &CMouseButtonDlg::StoreSingleSwitch);
}

void CGripdeckDlg::OnTwinSwitch() {
    CTwinSwitchDlg editor(hwnd_);
    EditSlotRecord(editor, ID_TWIN_SWITCH, SlotType::MultiLayer, &ButtonSlot::multiLayer,
                   &CTwinSwitchDlg::LoadRecord, &CTwinSwitchDlg::StoreRecord);
}

void CGripdeckDlg::OnAdvanced() {
    CMultiLayerDlg editor(hwnd_);
    EditSlotRecord(editor, ID_ADVANCED, SlotType::MultiLayer, &ButtonSlot::multiLayer,
                   &CMultiLayerDlg::LoadRecord, &CMultiLayerDlg::StoreRecord);
}

void CGripdeckDlg::OnMacroCommand() {
    CMacroEditDlg editor(hwnd_);
    EditSlotRecord(editor, ID_MACRO, SlotType::Macro, &ButtonSlot::macro, &CMacroEditDlg::LoadMacro,
                   &CMacroEditDlg::StoreMacro);
}

void CGripdeckDlg::EditCurrentAssignment() {
    if (!HasSelectedButton()) {
        return;
    }
    const ButtonSlot& slot = session_.Slot(session_.selection());
    switch (slot.slotType) {
        case SlotType::SingleKey:
            EditSingleKey(slot.action.code & ~kKeyPart, slot.action.code & kKeyPart);
            return;
        case SlotType::SingleMouse:
            EditSingleMouse(slot.action.code & ~kButtonPart, slot.action.code & kButtonPart,
                            slot.action.x, slot.action.y);
            return;
        case SlotType::Macro:
            OnMacroCommand();
            return;
        case SlotType::MultiLayer:
            switch (MultiLayerKind(slot.multiLayer)) {
                case MultiLayerKindValue::SingleSwitchKey:
                    OnSingleSwitchKeyboard();
                    return;
                case MultiLayerKindValue::SingleSwitchMouse:
                    OnSingleSwitchMouse();
                    return;
                case MultiLayerKindValue::TwinSwitch:
                    OnTwinSwitch();
                    return;
                case MultiLayerKindValue::Advanced:
                    OnAdvanced();
                    return;
            }
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
