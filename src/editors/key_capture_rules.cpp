#include "editors/key_capture_rules.h"

#include <cstring>
#include <string>

#include "keys/key_names.h"
#include "profile/image.h"

namespace gd {

int CaptureActionIndex(std::uint32_t flags) {
    const std::uint32_t action = flags & 0x00F00000u;
    for (int index = 0; index < kCaptureActionCount; ++index) {
        if (kCaptureActions[index].flags == action) {
            return index;
        }
    }
    return 0;
}

std::uint32_t CaptureActionFlags(int index) {
    if (index < 0 || index >= kCaptureActionCount) {
        return kCaptureActions[0].flags;
    }
    return kCaptureActions[index].flags;
}

std::optional<std::uint32_t> SingleSwitchKeyOf(const MultiLayerRecord& record) {
    // The same test that marks the record in the assignment menu, so the
    // dialog starts from the key exactly when the menu calls it a
    // single-switch key record.
    if (MultiLayerKind(record) != MultiLayerKindValue::SingleSwitchKey) {
        return std::nullopt;
    }
    return KeyPartOf(record.layers[0].action.code);
}

void WriteSingleSwitchKey(MultiLayerRecord& record, std::uint32_t key, std::string_view suffix) {
    // Bits above the key part would land in the kind and action of the codes.
    const std::uint32_t part = KeyPartOf(key);
    std::memset(&record, 0, sizeof record);
    // Key names may be up to 255 characters; the suffix must not run the
    // name past its field.
    WriteName(record.name, EventName(kKeyCodeBase | part) + std::string(suffix));
    record.layerCount = 2;
    record.layers[0].layerType = LayerType::Key;
    record.layers[0].action.code = kKeyCodeBase | (kActionPress << 20) | part;
    record.layers[1].layerType = LayerType::Key;
    record.layers[1].action.code = kKeyCodeBase | (kActionRelease << 20) | part;
}

}  // namespace gd
