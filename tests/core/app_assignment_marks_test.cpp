#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

#include "app/assignment_marks.h"
#include "profile/image.h"
#include "resource.h"

namespace gd {
namespace {

std::set<unsigned> Marked(std::uint32_t slotType, std::uint32_t layers = 0, std::uint32_t type0 = 0,
                          std::uint32_t code0 = 0, std::uint32_t type1 = 0,
                          std::uint32_t code1 = 0) {
    auto slot = std::make_unique<ButtonSlot>();
    std::memset(slot.get(), 0, sizeof *slot);
    slot->slotType = slotType;
    slot->multiLayer.layerCount = layers;
    slot->multiLayer.layers[0].layerType = type0;
    slot->multiLayer.layers[0].action.code = code0;
    slot->multiLayer.layers[1].layerType = type1;
    slot->multiLayer.layers[1].action.code = code1;
    std::set<unsigned> marked;
    for (unsigned item : AssignmentMarkItems()) {
        if (IsAssignmentItemMarked(item, *slot)) {
            marked.insert(item);
        }
    }
    return marked;
}

using Items = std::set<unsigned>;

TEST(AssignmentMarks, OneItemPerSlotKindComparedAsWholeWords) {
    EXPECT_EQ(Marked(SlotType::Default), Items{ID_DEFAULT});
    EXPECT_EQ(Marked(SlotType::SingleKey), Items{ID_KEYBOARD});
    EXPECT_EQ(Marked(SlotType::SingleMouse), Items{ID_MOUSE_BUTTON});
    EXPECT_EQ(Marked(SlotType::Macro), Items{ID_MACRO});
    EXPECT_EQ(Marked(SlotType::StopKey), Items{ID_STOP_KEY});
    EXPECT_EQ(Marked(SlotType::StopMacroLoop), Items{ID_STOP_MACRO_LOOP});
    EXPECT_EQ(Marked(SlotType::SuperStop), Items{ID_SUPER_STOP});
    EXPECT_EQ(Marked(SlotType::Off), Items{ID_OFF});
    // The label reads these as a stop and a key; the menu marks nothing.
    EXPECT_TRUE(Marked(0x10000003).empty());
    EXPECT_TRUE(Marked(0x01000001).empty());
}

TEST(AssignmentMarks, MultiLayerSlotsMarkExactlyTheRecordsKind) {
    const std::uint32_t key = LayerType::Key;
    const std::uint32_t mouse = LayerType::Mouse;
    const std::uint32_t multi = SlotType::MultiLayer;
    EXPECT_EQ(Marked(multi, 2, key, 0x0100001E, key, 0x0110001E), Items{ID_SINGLE_SWITCH_KEYBOARD});
    EXPECT_EQ(Marked(multi, 2, mouse, 0x02000001, mouse, 0x02100001),
              Items{ID_SINGLE_SWITCH_MOUSE_BUTTON});
    EXPECT_EQ(Marked(multi, 2, key, 0x0120001E, key, 0x01200030), Items{ID_TWIN_SWITCH});
    EXPECT_EQ(Marked(multi, 2, key, 0x0100001E, key, 0x01000030), Items{ID_ADVANCED});
    EXPECT_EQ(Marked(multi, 3, key, 0x0120001E, key, 0x01200030), Items{ID_ADVANCED});
    EXPECT_EQ(Marked(multi), Items{ID_ADVANCED});
}

TEST(AssignmentMarks, EveryItemButPasteIsEnabled) {
    const auto enabled = AssignmentEnabledItems();
    EXPECT_EQ(std::count(enabled.begin(), enabled.end(), static_cast<unsigned>(ID_EDIT_PASTE)), 0);
    for (unsigned item : {ID_DEFAULT, ID_KEYBOARD, ID_MOUSE_BUTTON, ID_MACRO, ID_ADVANCED,
                          ID_STOP_MACRO_LOOP, ID_STOP_KEY, ID_SUPER_STOP, ID_OFF}) {
        EXPECT_EQ(std::count(enabled.begin(), enabled.end(), item), 1) << item;
    }
}

}  // namespace
}  // namespace gd
