#include "app/slot_commands.h"

#include <cstring>

#include "profile/image.h"
#include "resource.h"

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

bool PasteSlot(ButtonSlot& slot, const void* item, std::size_t itemSize) {
    if (item == nullptr || itemSize < sizeof slot) {
        return false;
    }
    std::memcpy(&slot, item, sizeof slot);
    return true;
}

}  // namespace gd
