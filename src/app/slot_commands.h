#pragma once
// What the assignment menu's commands that open no editor do to the
// current slot: the stop functions, Off and Default write a fresh slot of
// their kind, and Paste takes a whole slot from the clipboard.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "profile/records.h"

namespace gd {

// The slotType a command writes into a cleared slot; nullopt for commands
// that open an editor or do something else.
std::optional<std::uint32_t> DirectSlotType(unsigned commandId);

// All bytes zero, then the type word.
void WriteDirectSlot(ButtonSlot& slot, std::uint32_t slotType);

// The name of the step a command makes in the undo history, for the
// button `number` (1..20; 0: a command of the whole profile), as the Edit
// menu shows it: "Paste on M3", "Load System Default".
std::string StepName(unsigned commandId, int number);
// The Edit menu's two items for the steps an undo or a redo would take
// ("&Undo Paste on M3\tCtrl+Z"); an empty step gives the bare item.
std::string UndoItemText(const std::string& step);
std::string RedoItemText(const std::string& step);

// Copies a clipboard item of the slot format over the slot. An item shorter
// than a slot cannot have come from a copy and is refused, leaving the slot
// as it was; bytes beyond a slot (the system may round a block up) are not
// read.
bool PasteSlot(ButtonSlot& slot, const void* item, std::size_t itemSize);

}  // namespace gd
