#include "app/slot_label.h"

#include <array>

#include "keys/key_names.h"
#include "profile/image.h"

namespace gd {

namespace {

constexpr std::size_t kMaxLabelName = 255;

enum class LabelKind { Off, SingleAction, Macro, MultiLayer, Stop };

struct LabelRule {
    std::uint32_t highWord;  // slotType & 0xFFFF0000
    LabelKind kind;
};

// Default (0) reads like Off: an all-zero slot is shown as Off.
constexpr std::array<LabelRule, 7> kLabelRules = {{
    {0x00000000, LabelKind::Off},
    {SlotType::SingleKey, LabelKind::SingleAction},
    {SlotType::SingleMouse, LabelKind::SingleAction},
    {SlotType::Macro, LabelKind::Macro},
    {SlotType::MultiLayer, LabelKind::MultiLayer},
    {SlotType::StopKey, LabelKind::Stop},
    {SlotType::Off, LabelKind::Off},
}};

const LabelRule* FindRule(std::uint32_t slotType) {
    const std::uint32_t highWord = slotType & 0xFFFF0000u;
    for (const LabelRule& rule : kLabelRules) {
        if (rule.highWord == highWord) {
            return &rule;
        }
    }
    return nullptr;
}

SlotLabel Named(const std::string& prefix, std::string name) {
    SlotLabel label;
    label.toolTip = prefix + ": " + name;
    label.text = std::move(name);
    return label;
}

SlotLabel Plain(const std::string& text) {
    SlotLabel label;
    label.text = text;
    return label;
}

const std::string& StopText(std::uint32_t slotType, const LabelTexts& texts) {
    switch (slotType & 0xFF) {
        case 1:
            return texts.stopMacro;
        case 2:
            return texts.superStop;
        default:
            return texts.stop;
    }
}

}  // namespace

SlotLabel LabelForSlot(const ButtonSlot& slot, const LabelTexts& texts) {
    const LabelRule* rule = FindRule(slot.slotType);
    if (rule == nullptr) {
        SlotLabel label;
        label.leaveAsIs = true;
        return label;
    }
    switch (rule->kind) {
        case LabelKind::Off:
            return Plain(texts.off);
        case LabelKind::SingleAction:
            return Named(texts.single, EventName(slot.action.code).substr(0, kMaxLabelName));
        case LabelKind::Macro:
            return Named(texts.macro, ReadText(slot.macro.name, kMaxLabelName));
        case LabelKind::MultiLayer:
            return Named(texts.multiLayers, ReadText(slot.multiLayer.name, kMaxLabelName));
        case LabelKind::Stop:
            return Plain(StopText(slot.slotType, texts));
    }
    return Plain(texts.off);
}

std::string AssignmentText(const SlotLabel& label) {
    return label.toolTip ? *label.toolTip : label.text;
}

std::string PadButtonName(int mButton, const SlotLabel& label) {
    // Appended piece by piece: gcc 12 warns wrongly about a literal added
    // to a temporary string.
    std::string name(1, 'M');
    name += std::to_string(mButton);
    name += ", ";
    name += AssignmentText(label);
    return name;
}

}  // namespace gd
