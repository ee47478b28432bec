#pragma once
// Shared by the two directions of the profile's JSON form: the names of
// kinds and modes, and the readers that export uses to check that what it
// wrote reads back.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/image.h"
#include "profile/json_input.h"
#include "profile/records.h"

namespace gd::json {

struct NamedValue {
    std::string_view name;
    std::uint32_t value;
};

inline constexpr std::array<NamedValue, 9> kSlotKinds = {{
    {"Off", SlotType::Off},
    {"Default", SlotType::Default},
    {"SingleKey", SlotType::SingleKey},
    {"SingleMouse", SlotType::SingleMouse},
    {"Macro", SlotType::Macro},
    {"MultiLayer", SlotType::MultiLayer},
    {"StopKey", SlotType::StopKey},
    {"StopMacroLoop", SlotType::StopMacroLoop},
    {"SuperStop", SlotType::SuperStop},
}};
// Any slotType with the payload as extra bytes.
inline constexpr std::string_view kRawKind = "Raw";

inline constexpr std::array<NamedValue, 7> kLayerKinds = {{
    {"Empty", LayerType::Empty},
    {"Key", LayerType::Key},
    {"Mouse", LayerType::Mouse},
    {"Macro", LayerType::Macro},
    {"StopKey", LayerType::StopKey},
    {"StopMacroLoop", LayerType::StopMacroLoop},
    {"SuperStop", LayerType::SuperStop},
}};

// "Unset" is the 0 a macro inside a layer stores; it plays once.
inline constexpr std::array<NamedValue, 4> kPlayModes = {{
    {"Once", PlayMode::Once},
    {"WhilePressed", PlayMode::WhilePressed},
    {"Toggle", PlayMode::Toggle},
    {"Unset", 0},
}};

// By MultiLayerKindValue.
inline constexpr std::array<std::string_view, 4> kMultiLayerKindNames = {
    "SingleSwitch key", "SingleSwitch mouse", "TwinSwitch", "Advanced"};

// Macro and layer-set names keep a terminator in their 256-byte field.
inline constexpr std::size_t kMaxRecordName = 255;

template <std::size_t N>
std::optional<std::string_view> NameOf(const std::array<NamedValue, N>& table,
                                       std::uint32_t value) {
    for (const NamedValue& entry : table) {
        if (entry.value == value) {
            return entry.name;
        }
    }
    return std::nullopt;
}

// "M1" .. "M20" for slot 0 .. 19.
std::string ButtonName(int slotIndex);

// Build the slot or block from its JSON form; throw JsonInputError.
void ReadSlot(const Node& node, int slotIndex, ButtonSlot& slot);
void ReadSummary(const Node& node, SummaryBlock& summary);

}  // namespace gd::json
