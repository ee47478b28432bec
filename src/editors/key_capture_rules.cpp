#include "editors/key_capture_rules.h"

#include <cstring>
#include <string>

#include "keys/key_names.h"
#include "keys/key_table.h"
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

bool HasCapturedKey(std::uint32_t key) {
    return key != kNoCapturedKey && IsKnownKey(kKeyCodeBase | key);
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

namespace {

// The keys that work a dialog, by scan code: Tab, Enter, keypad Enter, Space,
// left Shift and right Shift, which the hook reports with the extended flag
// (as the key table holds it) or, from some sources, without, and Escape;
// then Up and Down.
constexpr std::uint32_t kDialogKeys[] = {0x0F, 0x1C, 0x1001C, 0x39, 0x2A, 0x10036, 0x36, 0x01};
constexpr std::uint32_t kArrowKeys[] = {0x10048, 0x10050};

}  // namespace

bool KeyCaptureState::WorksTheDialog(std::uint32_t key) const {
    for (std::uint32_t dialogKey : kDialogKeys) {
        if (key == dialogKey) {
            return true;
        }
    }
    if (arrowsWorkTheDialog_) {
        for (std::uint32_t arrow : kArrowKeys) {
            if (key == arrow) {
                return true;
            }
        }
    }
    return false;
}

KeyCaptureState::Outcome KeyCaptureState::OnKey(std::uint32_t key, bool released, bool inFront,
                                                bool heldBefore) {
    Outcome outcome = Decide(key, released, inFront);
    if (!released) {
        swallowed_.Pressed(key, outcome.passOn || heldBefore);
    } else if (!swallowed_.Released(key)) {
        outcome.passOn = true;
    }
    return outcome;
}

KeyCaptureState::Outcome KeyCaptureState::Decide(std::uint32_t key, bool released, bool inFront) {
    Outcome outcome;
    if (!capturing_) {
        if (inFront && WorksTheDialog(key)) {
            outcome.passOn = true;
        } else {
            outcome.takeKey = !released && IsKnownKey(kKeyCodeBase | key);
        }
        return outcome;
    }
    if (!released) {
        // A release alone takes nothing: it may be the end of the stroke that
        // opened the dialog or restarted the capture.
        if (IsKnownKey(kKeyCodeBase | key)) {
            pressed_ = key;
            outcome.takeKey = true;
        }
        return outcome;
    }
    if (pressed_ == key) {
        capturing_ = false;
        pressed_.reset();
        outcome.complete = true;
    }
    return outcome;
}

void KeyCaptureState::Restart() {
    capturing_ = true;
    pressed_.reset();
}

}  // namespace gd
