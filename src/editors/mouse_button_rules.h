#pragma once
// The mouse button dialog's rules that need no window: what its two lists
// carry, which items a code opens with, the code its OK records, and the
// single-switch mouse record it reads and writes.
#include <cstdint>
#include <string_view>

#include "keys/event_code.h"
#include "profile/records.h"

namespace gd {

// One mouse action as the dialog edits it. The code it stands for is
// flags | button; flags holds kind, action and position flag, never a button.
struct MouseButtonValues {
    std::uint32_t flags = 0x00200000;  // click, relative
    std::uint32_t button = kMouseLeft;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t screenWidth = 1024;
    std::uint32_t screenHeight = 768;
};

// |x| and |y| may not exceed this; the pad's driver works in that range.
inline constexpr std::int32_t kMousePositionLimit = 2048;

// Items of the action list, at these indexes.
enum MouseActionItem : int {
    kMouseClickItem = 0,
    kMousePressItem = 1,
    kMouseReleaseItem = 2,
    kMouseActionItemCount = 3,
};

// Items of the position list, at these indexes. "Undefined" carries the same
// flag as "Relative": it is a relative position of 0, 0.
enum MousePositionItem : int {
    kMouseRelativeItem = 0,
    kMouseAbsoluteItem = 1,
    kMouseUndefinedItem = 2,
    kMousePositionItemCount = 3,
};

// Item -1 stands for "nothing selected" in the functions below.
inline constexpr int kNoMouseItem = -1;

// The action item for bits 20-23 of flags; kNoMouseItem for an action the
// list does not offer.
int MouseActionItemOf(std::uint32_t flags);
// The position item for bits 16-19 of flags and the position: a relative
// 0, 0 is "Undefined"; kNoMouseItem for a flag the list does not offer.
int MousePositionItemOf(std::uint32_t flags, std::int32_t x, std::int32_t y);

// The bits an item puts into the code; 0 for kNoMouseItem.
std::uint32_t MouseActionItemValue(int item);
std::uint32_t MousePositionItemValue(int item);

// Absolute positions are screen coordinates, captioned "X:" and "Y:"; the
// others are offsets, captioned "X ref:" and "Y ref:".
constexpr bool ShowsScreenCaptions(int positionItem) {
    return positionItem == kMouseAbsoluteItem;
}

// The flags the dialog records at OK: the mouse kind with the selected
// items' bits. A list left without a selection (the caller's code held a
// value it does not offer) keeps the caller's bits for its part, the way an
// unknown button value survives the dialog unchanged.
std::uint32_t MouseFlagsAtOk(std::uint32_t flags, int actionItem, int positionItem);

// The values a single-switch mouse record starts the dialog with: kind,
// position flag and action of layer 0's code, its button, position and
// screen size. False, with `values` untouched, for any other record: one
// that has not exactly two layers, whose layer 0 is no mouse layer, or whose
// layers name different buttons.
bool ReadSingleSwitchMouse(const MultiLayerRecord& record, MouseButtonValues& values);

// A fresh single-switch mouse record over all of `record`: named after the
// button with `suffix` behind it, layer 0 presses the button with the
// values' position and screen size, layer 1 releases it. The action in
// `values.flags` does not matter.
void WriteSingleSwitchMouse(MultiLayerRecord& record, const MouseButtonValues& values,
                            std::string_view suffix);

}  // namespace gd
