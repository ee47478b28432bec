#include "editors/mouse_button_rules.h"

#include <cstring>
#include <string>

#include "keys/key_names.h"
#include "profile/image.h"

namespace gd {
namespace {

constexpr std::uint32_t kActionBits = 0x00F00000;
constexpr std::uint32_t kPositionBits = 0x000F0000;
constexpr std::uint32_t kButtonBits = 0x0000FFFF;

constexpr std::uint32_t kActionValues[kMouseActionItemCount] = {
    kActionClick << 20,    // "Click"
    kActionPress << 20,    // "Press"
    kActionRelease << 20,  // "Release"
};

constexpr std::uint32_t kPositionValues[kMousePositionItemCount] = {
    0,                      // "Relative"
    kAbsolutePositionFlag,  // "Absolute"
    0,                      // "Undefined"
};

}  // namespace

int MouseActionItemOf(std::uint32_t flags) {
    switch (ActionOf(flags)) {
        case kActionClick:
            return kMouseClickItem;
        case kActionPress:
            return kMousePressItem;
        case kActionRelease:
            return kMouseReleaseItem;
        default:
            return kNoMouseItem;
    }
}

int MousePositionItemOf(std::uint32_t flags, std::int32_t x, std::int32_t y) {
    switch (FlagsOf(flags)) {
        case 0:
            return x == 0 && y == 0 ? kMouseUndefinedItem : kMouseRelativeItem;
        case 1:
            return kMouseAbsoluteItem;
        default:
            return kNoMouseItem;
    }
}

std::uint32_t MouseActionItemValue(int item) {
    return item >= 0 && item < kMouseActionItemCount ? kActionValues[item] : 0;
}

std::uint32_t MousePositionItemValue(int item) {
    return item >= 0 && item < kMousePositionItemCount ? kPositionValues[item] : 0;
}

std::uint32_t MouseFlagsAtOk(std::uint32_t flags, int actionItem, int positionItem) {
    const std::uint32_t action =
        actionItem == kNoMouseItem ? flags & kActionBits : MouseActionItemValue(actionItem);
    const std::uint32_t position =
        positionItem == kNoMouseItem ? flags & kPositionBits : MousePositionItemValue(positionItem);
    return action | position | kMouseCodeBase;
}

bool ReadSingleSwitchMouse(const MultiLayerRecord& record, MouseButtonValues& values) {
    const Layer& press = record.layers[0];
    const Layer& release = record.layers[1];
    if (record.layerCount != 2 || DeviceOf(press.layerType) != kDeviceMouse ||
        !IsSameInput(press.action.code, release.action.code)) {
        return false;
    }
    values.flags = press.action.code & ~kButtonBits;
    values.button = press.action.code & kButtonBits;
    values.x = press.action.x;
    values.y = press.action.y;
    values.screenWidth = press.action.screenWidth;
    values.screenHeight = press.action.screenHeight;
    return true;
}

void WriteSingleSwitchMouse(MultiLayerRecord& record, const MouseButtonValues& values,
                            std::string_view suffix) {
    std::memset(&record, 0, sizeof record);
    WriteName(record.name, EventName(values.flags | values.button) + std::string(suffix));
    record.layerCount = 2;

    Layer& press = record.layers[0];
    press.layerType = LayerType::Mouse;
    press.action.code = (values.flags & ~(kButtonBits | kActionBits)) | values.button;
    press.action.x = values.x;
    press.action.y = values.y;
    press.action.screenWidth = values.screenWidth;
    press.action.screenHeight = values.screenHeight;

    Layer& release = record.layers[1];
    release.layerType = LayerType::Mouse;
    release.action.code = kMouseCodeBase | (kActionRelease << 20) | values.button;
}

}  // namespace gd
