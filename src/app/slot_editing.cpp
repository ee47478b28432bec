#include "app/slot_editing.h"

#include "app/slot_commands.h"
#include "profile/image.h"
#include "resource.h"

namespace gd {

SlotEditorKind EditorForCommand(unsigned commandId) {
    switch (commandId) {
        case ID_KEYBOARD:
            return SlotEditorKind::Key;
        case ID_MOUSE_BUTTON:
            return SlotEditorKind::Mouse;
        case ID_MACRO:
            return SlotEditorKind::Macro;
        case ID_SINGLE_SWITCH_KEYBOARD:
            return SlotEditorKind::SingleSwitchKey;
        case ID_SINGLE_SWITCH_MOUSE_BUTTON:
            return SlotEditorKind::SingleSwitchMouse;
        case ID_TWIN_SWITCH:
            return SlotEditorKind::TwinSwitch;
        case ID_ADVANCED:
            return SlotEditorKind::Advanced;
        default:
            return SlotEditorKind::None;
    }
}

SlotEditorKind EditorForSlot(const ButtonSlot& slot) {
    switch (slot.slotType) {
        case SlotType::SingleKey:
            return SlotEditorKind::KeyAsAssigned;
        case SlotType::SingleMouse:
            return SlotEditorKind::Mouse;
        case SlotType::Macro:
            return SlotEditorKind::Macro;
        case SlotType::MultiLayer:
            switch (MultiLayerKind(slot.multiLayer)) {
                case MultiLayerKindValue::SingleSwitchKey:
                    return SlotEditorKind::SingleSwitchKey;
                case MultiLayerKindValue::SingleSwitchMouse:
                    return SlotEditorKind::SingleSwitchMouse;
                case MultiLayerKindValue::TwinSwitch:
                    return SlotEditorKind::TwinSwitch;
                case MultiLayerKindValue::Advanced:
                    return SlotEditorKind::Advanced;
            }
            return SlotEditorKind::Advanced;
        default:
            return SlotEditorKind::None;
    }
}

unsigned EditorCommand(SlotEditorKind kind) {
    switch (kind) {
        case SlotEditorKind::Key:
        case SlotEditorKind::KeyAsAssigned:
            return ID_KEYBOARD;
        case SlotEditorKind::Mouse:
            return ID_MOUSE_BUTTON;
        case SlotEditorKind::Macro:
            return ID_MACRO;
        case SlotEditorKind::SingleSwitchKey:
            return ID_SINGLE_SWITCH_KEYBOARD;
        case SlotEditorKind::SingleSwitchMouse:
            return ID_SINGLE_SWITCH_MOUSE_BUTTON;
        case SlotEditorKind::TwinSwitch:
            return ID_TWIN_SWITCH;
        case SlotEditorKind::Advanced:
            return ID_ADVANCED;
        case SlotEditorKind::None:
            break;
    }
    return 0;
}

bool EditSelectedSlot(ProfileSession& session, SlotEditorKind kind, SlotEditor& editor) {
    if (kind == SlotEditorKind::None || !session.HasSelection()) {
        return false;
    }
    const SlotRef opened = session.selection();
    // A copy: the editor's loop may open another profile under it.
    const auto slot = std::make_unique<ButtonSlot>(session.Slot(opened));
    const std::unique_ptr<ButtonSlot> result = editor.Edit(*slot);
    if (!result || !session.HasSelection() || session.selection() != opened) {
        return false;
    }
    return session.ChangeSlot(opened, *result, StepName(EditorCommand(kind), opened.Number()));
}

}  // namespace gd
