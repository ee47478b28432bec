#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "app/assignment_marks.h"
#include "profile/image.h"
#include "resource.h"

namespace gd {
namespace {

std::set<unsigned> MarkedItems(const ButtonSlot& slot) {
    std::set<unsigned> marked;
    for (unsigned item : AssignmentMarkItems()) {
        if (IsAssignmentItemMarked(item, slot)) {
            marked.insert(item);
        }
    }
    return marked;
}

std::unique_ptr<ButtonSlot> Slot(std::uint32_t slotType) {
    auto slot = std::make_unique<ButtonSlot>();
    std::memset(slot.get(), 0, sizeof *slot);
    slot->slotType = slotType;
    return slot;
}

struct MarkCase {
    const char* name;
    std::uint32_t slotType;
    unsigned marked;
};

const MarkCase kSingleMarks[] = {
    {"Default", SlotType::Default, ID_DEFAULT},
    {"SingleKey", SlotType::SingleKey, ID_KEYBOARD},
    {"SingleMouse", SlotType::SingleMouse, ID_MOUSE_BUTTON},
    {"Macro", SlotType::Macro, ID_MACRO},
    {"StopKey", SlotType::StopKey, ID_STOP_KEY},
    {"StopMacroLoop", SlotType::StopMacroLoop, ID_STOP_MACRO_LOOP},
    {"SuperStop", SlotType::SuperStop, ID_SUPER_STOP},
    {"Off", SlotType::Off, ID_OFF},
};

class AssignmentMarks : public testing::TestWithParam<MarkCase> {};

TEST_P(AssignmentMarks, OneItemPerSlotKind) {
    EXPECT_EQ(MarkedItems(*Slot(GetParam().slotType)), std::set<unsigned>{GetParam().marked});
}

INSTANTIATE_TEST_SUITE_P(Slots, AssignmentMarks, testing::ValuesIn(kSingleMarks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AssignmentMarksOther, KindsCompareAsWholeWords) {
    // The label shows these as stops or keys; the menu marks nothing.
    EXPECT_TRUE(MarkedItems(*Slot(0x10000003)).empty());
    EXPECT_TRUE(MarkedItems(*Slot(0x01000001)).empty());
    EXPECT_TRUE(MarkedItems(*Slot(0x40000000)).empty());
}

struct LayerCase {
    const char* name;
    std::uint32_t count;
    std::uint32_t type0, code0, type1, code1;
    unsigned marked;
};

const LayerCase kLayerMarks[] = {
    {"SingleSwitchKey", 2, LayerType::Key, 0x0100001E, LayerType::Key, 0x0110001E,
     ID_SINGLE_SWITCH_KEYBOARD},
    {"SingleSwitchMouse", 2, LayerType::Mouse, 0x02000001, LayerType::Mouse, 0x02100001,
     ID_SINGLE_SWITCH_MOUSE_BUTTON},
    {"TwinSwitch", 2, LayerType::Key, 0x0120001E, LayerType::Key, 0x01200030, ID_TWIN_SWITCH},
    {"PressesOfDifferentKeys", 2, LayerType::Key, 0x0100001E, LayerType::Key, 0x01000030,
     ID_ADVANCED},
    {"ThreeLayers", 3, LayerType::Key, 0x0120001E, LayerType::Key, 0x01200030, ID_ADVANCED},
    {"Empty", 0, 0, 0, 0, 0, ID_ADVANCED},
};

class MultiLayerMarks : public testing::TestWithParam<LayerCase> {};

TEST_P(MultiLayerMarks, MarkExactlyTheRecordsKind) {
    const LayerCase& c = GetParam();
    auto slot = Slot(SlotType::MultiLayer);
    slot->multiLayer.layerCount = c.count;
    slot->multiLayer.layers[0].layerType = c.type0;
    slot->multiLayer.layers[0].action.code = c.code0;
    slot->multiLayer.layers[1].layerType = c.type1;
    slot->multiLayer.layers[1].action.code = c.code1;
    EXPECT_EQ(MarkedItems(*slot), std::set<unsigned>{c.marked});
}

INSTANTIATE_TEST_SUITE_P(Records, MultiLayerMarks, testing::ValuesIn(kLayerMarks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AssignmentMarksOther, AFreshProfileMarksOffOnEveryButton) {
    auto image = std::make_unique<ProfileImage>();
    ResetImage(*image);
    for (const ButtonSlot& slot : image->slots) {
        EXPECT_EQ(MarkedItems(slot), std::set<unsigned>{ID_OFF});
    }
}

TEST(AssignmentMarksOther, EveryItemButPasteIsEnabled) {
    const auto enabled = AssignmentEnabledItems();
    EXPECT_EQ(std::count(enabled.begin(), enabled.end(), static_cast<unsigned>(ID_EDIT_PASTE)), 0);
    for (unsigned item : {ID_DEFAULT, ID_KEYBOARD, ID_MOUSE_BUTTON, ID_MACRO, ID_ADVANCED,
                          ID_STOP_MACRO_LOOP, ID_STOP_KEY, ID_SUPER_STOP, ID_OFF}) {
        EXPECT_EQ(std::count(enabled.begin(), enabled.end(), item), 1) << item;
    }
    // Items outside the marked set are never marked.
    EXPECT_FALSE(IsAssignmentItemMarked(ID_EDIT_PASTE, *Slot(SlotType::Off)));
}

}  // namespace
}  // namespace gd
