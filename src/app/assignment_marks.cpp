#include "app/assignment_marks.h"

#include <optional>

#include "profile/image.h"
#include "resource.h"

namespace gd {
namespace {

struct MarkRule {
    unsigned item;
    std::uint32_t slotType;
    std::optional<MultiLayerKindValue> kind;  // MultiLayer items only
};

constexpr MarkRule kMarkRules[] = {
    {ID_KEYBOARD, SlotType::SingleKey, std::nullopt},
    {ID_MOUSE_BUTTON, SlotType::SingleMouse, std::nullopt},
    {ID_MACRO, SlotType::Macro, std::nullopt},
    {ID_SINGLE_SWITCH_KEYBOARD, SlotType::MultiLayer, MultiLayerKindValue::SingleSwitchKey},
    {ID_SINGLE_SWITCH_MOUSE_BUTTON, SlotType::MultiLayer, MultiLayerKindValue::SingleSwitchMouse},
    {ID_TWIN_SWITCH, SlotType::MultiLayer, MultiLayerKindValue::TwinSwitch},
    {ID_ADVANCED, SlotType::MultiLayer, MultiLayerKindValue::Advanced},
    {ID_STOP_MACRO_LOOP, SlotType::StopMacroLoop, std::nullopt},
    {ID_STOP_KEY, SlotType::StopKey, std::nullopt},
    {ID_SUPER_STOP, SlotType::SuperStop, std::nullopt},
    {ID_DEFAULT, SlotType::Default, std::nullopt},
    {ID_OFF, SlotType::Off, std::nullopt},
};

constexpr unsigned kMarkItems[] = {
    ID_KEYBOARD,
    ID_MOUSE_BUTTON,
    ID_MACRO,
    ID_SINGLE_SWITCH_KEYBOARD,
    ID_SINGLE_SWITCH_MOUSE_BUTTON,
    ID_TWIN_SWITCH,
    ID_ADVANCED,
    ID_STOP_MACRO_LOOP,
    ID_STOP_KEY,
    ID_SUPER_STOP,
    ID_DEFAULT,
    ID_OFF,
};

constexpr unsigned kEnabledItems[] = {
    ID_DEFAULT,         ID_KEYBOARD, ID_MOUSE_BUTTON, ID_MACRO, ID_ADVANCED,
    ID_STOP_MACRO_LOOP, ID_STOP_KEY, ID_SUPER_STOP,   ID_OFF,
};

}  // namespace

std::span<const unsigned> AssignmentMarkItems() {
    return kMarkItems;
}

std::span<const unsigned> AssignmentEnabledItems() {
    return kEnabledItems;
}

bool IsAssignmentItemMarked(unsigned item, const ButtonSlot& slot) {
    for (const MarkRule& rule : kMarkRules) {
        if (rule.item != item) {
            continue;
        }
        if (slot.slotType != rule.slotType) {
            return false;
        }
        return !rule.kind || MultiLayerKind(slot.multiLayer) == *rule.kind;
    }
    return false;
}

}  // namespace gd
