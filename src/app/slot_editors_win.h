#pragma once
// The assignment editors' dialogs, each behind the one SlotEditor shape:
// what each starts from for a slot and what it makes of the slot on OK.
#include <windows.h>

#include <memory>

#include "app/slot_editing.h"

namespace gd {

// Null for SlotEditorKind::None.
std::unique_ptr<SlotEditor> MakeSlotEditor(SlotEditorKind kind, HWND parent);

}  // namespace gd
