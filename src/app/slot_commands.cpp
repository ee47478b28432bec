#include "app/slot_commands.h"

#include <cstring>

#include "profile/image.h"
#include "resource.h"
#include "string_table.h"

namespace gd {

std::optional<std::uint32_t> DirectSlotType(unsigned commandId) {
    switch (commandId) {
        case ID_STOP_MACRO_LOOP:
            return SlotType::StopMacroLoop;
        case ID_STOP_KEY:
            return SlotType::StopKey;
        case ID_SUPER_STOP:
            return SlotType::SuperStop;
        case ID_OFF:
            return SlotType::Off;
        case ID_DEFAULT:
            // The item is marked for a Default slot, so choosing it makes one,
            // the way the stop functions and Off write theirs.
            return SlotType::Default;
        default:
            return std::nullopt;
    }
}

void WriteDirectSlot(ButtonSlot& slot, std::uint32_t slotType) {
    ClearSlot(slot);
    slot.slotType = slotType;
}

namespace {

unsigned StepNameString(unsigned commandId) {
    switch (commandId) {
        case ID_KEYBOARD:
            return IDS_STEP_KEYBOARD;
        case ID_MOUSE_BUTTON:
            return IDS_STEP_MOUSE_BUTTON;
        case ID_MACRO:
            return IDS_STEP_MACRO;
        case ID_SINGLE_SWITCH_KEYBOARD:
            return IDS_STEP_SINGLE_SWITCH_KEYBOARD;
        case ID_SINGLE_SWITCH_MOUSE_BUTTON:
            return IDS_STEP_SINGLE_SWITCH_MOUSE;
        case ID_TWIN_SWITCH:
            return IDS_STEP_TWIN_SWITCH;
        case ID_ADVANCED:
            return IDS_STEP_ADVANCED;
        case ID_STOP_MACRO_LOOP:
            return IDS_STEP_STOP_MACRO_LOOP;
        case ID_STOP_KEY:
            return IDS_STEP_STOP_KEY;
        case ID_SUPER_STOP:
            return IDS_STEP_SUPER_STOP;
        case ID_DEFAULT:
            return IDS_STEP_DEFAULT;
        case ID_OFF:
            return IDS_STEP_OFF;
        case ID_EDIT_PASTE:
            return IDS_STEP_PASTE;
        case ID_FILE_SUMMARY:
            return IDS_STEP_SUMMARY;
        case ID_FILE_LOAD_SYSTEM_DEFAULT:
            return IDS_STEP_SYSTEM_DEFAULT;
        default:
            return 0;
    }
}

std::string Text(unsigned id) {
    const char* text = FindString(id);
    return text != nullptr ? text : "";
}

// `format` with its one "%s" replaced by `step`.
std::string WithStep(unsigned format, const std::string& step) {
    std::string text = Text(format);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, step);
    }
    return text;
}

}  // namespace

std::string StepName(unsigned commandId, int number) {
    std::string command = Text(StepNameString(commandId));
    if (number <= 0) {
        return command;
    }
    std::string text = WithStep(IDS_STEP_ON_BUTTON, command);
    const std::size_t at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}

std::string UndoItemText(const std::string& step) {
    return step.empty() ? Text(IDS_UNDO) : WithStep(IDS_UNDO_STEP, step);
}

std::string RedoItemText(const std::string& step) {
    return step.empty() ? Text(IDS_REDO) : WithStep(IDS_REDO_STEP, step);
}

bool PasteSlot(ButtonSlot& slot, const void* item, std::size_t itemSize) {
    if (item == nullptr || itemSize < sizeof slot) {
        return false;
    }
    std::memcpy(&slot, item, sizeof slot);
    return true;
}

}  // namespace gd
