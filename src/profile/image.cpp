#include "profile/image.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace gd {

namespace {
int SlotIndex(int position, std::uint32_t half) {
    assert(position >= 0 && position < kButtonsPerHalf && "no button selected");
    assert(half <= 1 && "the pad has two halves");
    return position + kButtonsPerHalf * static_cast<int>(half);
}
}  // namespace

ButtonSlot& SlotAt(ProfileImage& image, int position, std::uint32_t half) {
    return image.slots[SlotIndex(position, half)];
}

const ButtonSlot& SlotAt(const ProfileImage& image, int position, std::uint32_t half) {
    return image.slots[SlotIndex(position, half)];
}

void ClearSlot(ButtonSlot& slot) {
    std::memset(&slot, 0, sizeof slot);
}

void ResetImage(ProfileImage& image) {
    for (ButtonSlot& slot : image.slots) {
        ClearSlot(slot);
        slot.slotType = SlotType::Off;
    }
}

MultiLayerKindValue MultiLayerKind(const MultiLayerRecord& record) {
    if (record.layerCount != 2) {
        return MultiLayerKindValue::Advanced;
    }
    const Layer& first = record.layers[0];
    const Layer& second = record.layers[1];
    const EventCode a = first.action.code;
    const EventCode b = second.action.code;
    const std::uint32_t firstKind = first.layerType >> 24;

    const bool pressReleasePair =
        IsSameInput(a, b) && ActionOf(a) == kActionPress && ActionOf(b) == kActionRelease;
    if (firstKind == kDeviceKey && pressReleasePair) {
        return MultiLayerKindValue::SingleSwitchKey;
    }
    if (firstKind == kDeviceMouse && pressReleasePair) {
        return MultiLayerKindValue::SingleSwitchMouse;
    }
    const auto isAction = [](const Layer& layer) {
        const std::uint32_t kind = layer.layerType >> 24;
        return kind == kDeviceKey || kind == kDeviceMouse;
    };
    if (isAction(first) && isAction(second) && ActionOf(a) == kActionClick &&
        ActionOf(b) == kActionClick) {
        return MultiLayerKindValue::TwinSwitch;
    }
    return MultiLayerKindValue::Advanced;
}

std::string ReadText(const char* field, std::size_t width) {
    const char* end = std::find(field, field + width, '\0');
    return std::string(field, end);
}

void WriteText(char* field, std::size_t width, std::string_view text) {
    const std::size_t count = std::min(width, text.size());
    if (count > 0) {
        std::memcpy(field, text.data(), count);
    }
    std::memset(field + count, 0, width - count);
}

}  // namespace gd
