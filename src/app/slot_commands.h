#pragma once
// What the assignment menu's commands that open no editor do to the
// current slot: the stop functions, Off and Default write a fresh slot of
// their kind, and Paste takes a whole slot from the clipboard.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "profile/records.h"

namespace gd {

// The slotType a command writes into a cleared slot; nullopt for commands
// that open an editor or do something else.
std::optional<std::uint32_t> DirectSlotType(unsigned commandId);

// All bytes zero, then the type word.
void WriteDirectSlot(ButtonSlot& slot, std::uint32_t slotType);

// Copies a clipboard item of the slot format over the slot. An item shorter
// than a slot cannot have come from a copy and is refused, leaving the slot
// as it was; bytes beyond a slot (the system may round a block up) are not
// read.
bool PasteSlot(ButtonSlot& slot, const void* item, std::size_t itemSize);

}  // namespace gd
