#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "app/slot_label.h"
#include "keys/key_names.h"
#include "profile/image.h"

namespace gd {
namespace {

std::unique_ptr<ButtonSlot> MakeSlot(std::uint32_t slotType) {
    auto slot = std::make_unique<ButtonSlot>();
    ClearSlot(*slot);
    slot->slotType = slotType;
    return slot;
}

struct PlainCase {
    std::uint32_t slotType;
    const char* text;
};

TEST(SlotLabel, FixedTextsHaveNoToolTip) {
    const PlainCase cases[] = {
        {SlotType::Default, "Off"},
        {SlotType::Off, "Off"},
        {SlotType::StopKey, "Stop"},
        {SlotType::StopMacroLoop, "Stop Macro"},
        {SlotType::SuperStop, "Super Stop"},
        // Only the high word picks the row, the low byte the stop text.
        {0x10000003, "Stop"},
        {0x10000101, "Stop Macro"},
        {0x2000ABCD, "Off"},
        {0x0000FFFF, "Off"},
    };
    for (const PlainCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.slotType);
        const SlotLabel label = LabelForSlot(*MakeSlot(c.slotType));
        EXPECT_FALSE(label.leaveAsIs);
        EXPECT_EQ(label.text, c.text);
        EXPECT_EQ(label.toolTip, std::nullopt);
    }
}

TEST(SlotLabel, UnknownSlotTypesLeaveTheLabelAsItIs) {
    for (std::uint32_t slotType : {0x40000000u, 0x03000000u, 0x10010000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(testing::Message() << std::hex << slotType);
        const SlotLabel label = LabelForSlot(*MakeSlot(slotType));
        EXPECT_TRUE(label.leaveAsIs);
        EXPECT_EQ(label.text, "");
        EXPECT_EQ(label.toolTip, std::nullopt);
    }
}

TEST(SlotLabel, SingleActionsAreNamedByTheirCode) {
    auto mouse = MakeSlot(SlotType::SingleMouse);
    mouse->action.code = 0x02210002;
    const SlotLabel mouseLabel = LabelForSlot(*mouse);
    EXPECT_EQ(mouseLabel.text, "Right Button");
    EXPECT_EQ(mouseLabel.toolTip, "Single: Right Button");

    auto key = MakeSlot(SlotType::SingleKey);
    key->action.code = 0x0120001E;
    const std::string name = EventName(0x0120001E);
    ASSERT_FALSE(name.empty());
    const SlotLabel keyLabel = LabelForSlot(*key);
    EXPECT_EQ(keyLabel.text, name);
    EXPECT_EQ(keyLabel.toolTip, "Single: " + name);

    // A code nothing names still gives the row's tool tip.
    auto odd = MakeSlot(SlotType::SingleMouse);
    odd->action.code = 0x02200003;
    const SlotLabel oddLabel = LabelForSlot(*odd);
    EXPECT_EQ(oddLabel.text, "");
    EXPECT_EQ(oddLabel.toolTip, "Single: ");
}

TEST(SlotLabel, MacroAndLayerSetsShowTheirNames) {
    auto macro = MakeSlot(SlotType::Macro);
    WriteName(macro->macro.name, "Reload");
    EXPECT_EQ(LabelForSlot(*macro).text, "Reload");
    EXPECT_EQ(LabelForSlot(*macro).toolTip, "Macro: Reload");

    auto layers = MakeSlot(SlotType::MultiLayer);
    WriteName(layers->multiLayer.name, "Combo");
    EXPECT_EQ(LabelForSlot(*layers).text, "Combo");
    EXPECT_EQ(LabelForSlot(*layers).toolTip, "Multi Layers: Combo");
}

TEST(SlotLabel, AnUnterminatedNameStopsAt255Characters) {
    auto macro = MakeSlot(SlotType::Macro);
    std::memset(macro->macro.name, 'x', sizeof macro->macro.name);
    macro->macro.eventCount = 0x41414141;  // must not run on into the count
    EXPECT_EQ(LabelForSlot(*macro).text, std::string(255, 'x'));

    auto layers = MakeSlot(SlotType::MultiLayer);
    std::memset(layers->multiLayer.name, 'y', sizeof layers->multiLayer.name);
    layers->multiLayer.layerCount = 0x42424242;
    EXPECT_EQ(LabelForSlot(*layers).text, std::string(255, 'y'));
}

TEST(SlotLabel, FixedWordsComeFromTheCaller) {
    LabelTexts texts;
    texts.off = "Aus";
    texts.macro = "Makro";
    texts.superStop = "Superstopp";
    EXPECT_EQ(LabelForSlot(*MakeSlot(SlotType::Off), texts).text, "Aus");
    EXPECT_EQ(LabelForSlot(*MakeSlot(SlotType::SuperStop), texts).text, "Superstopp");
    auto macro = MakeSlot(SlotType::Macro);
    WriteName(macro->macro.name, "Los");
    EXPECT_EQ(LabelForSlot(*macro, texts).toolTip, "Makro: Los");
}

}  // namespace
}  // namespace gd
