#pragma once
// The check marks of the assignment menu (menu 132). The same menu is shown
// for every button, so each opening rewrites every mark from the slot that
// opened it.
#include <span>

#include "profile/records.h"

namespace gd {

// The items whose marks follow the slot, in menu order.
std::span<const unsigned> AssignmentMarkItems();

// Whether `item` (one of AssignmentMarkItems) is marked for the slot. Slot
// kinds compare as whole slotType words; the four "Multi Layers" items mark
// the kind of a MultiLayer slot's record, exactly one of them.
bool IsAssignmentItemMarked(unsigned item, const ButtonSlot& slot);

// The items that are set enabled at every opening; only "Paste" is ever
// grayed, by the clipboard's contents.
std::span<const unsigned> AssignmentEnabledItems();

}  // namespace gd
