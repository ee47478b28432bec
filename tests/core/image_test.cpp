#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "profile/image.h"
#include "profile/profile_state.h"

namespace gd {
namespace {

const std::uint8_t* BytesOf(const void* p) {
    return static_cast<const std::uint8_t*>(p);
}

std::uint32_t WordAt(const ProfileImage& image, std::size_t offset) {
    std::uint32_t word;
    std::memcpy(&word, BytesOf(&image) + offset, sizeof word);
    return word;
}

TEST(ProfileImage, SlotsLieBackToBackInButtonOrder) {
    auto image = std::make_unique<ProfileImage>();
    const auto offsetOf = [&](int position, std::uint32_t half) {
        return BytesOf(&SlotAt(*image, position, half)) - BytesOf(image.get());
    };
    EXPECT_EQ(offsetOf(0, 0), 0);              // M1
    EXPECT_EQ(offsetOf(9, 0), 9 * 7528);       // M10
    EXPECT_EQ(offsetOf(0, 1), 10 * 7528);      // M11
    EXPECT_EQ(offsetOf(9, 1) + 7528, 150560);  // M20 ends the image
}

TEST(ProfileImage, ResetGivesTwentyOffSlotsAndZeroPayload) {
    auto image = std::make_unique<ProfileImage>();
    std::memset(image.get(), 0xCC, sizeof *image);
    ResetImage(*image);
    for (std::size_t offset = 0; offset < kProfileImageSize; offset += 4) {
        const std::uint32_t expected = offset % kButtonSlotSize == 0 ? SlotType::Off : 0;
        ASSERT_EQ(WordAt(*image, offset), expected) << "offset " << offset;
    }
}

TEST(ProfileImage, MacroWrittenOverMultiLayerKeepsTheTail) {
    auto image = std::make_unique<ProfileImage>();
    ButtonSlot& slot = image->slots[4];
    ClearSlot(slot);
    slot.slotType = SlotType::MultiLayer;
    slot.multiLayer.layerCount = 3;
    slot.multiLayer.layers[1].layerType = LayerType::Key;
    slot.multiLayer.layers[1].action.code = 0x0120001E;

    MacroRecord macro{};
    WriteName(macro.name, "Reload");
    macro.eventCount = 1;
    macro.events[0] = 0x0120001E;
    slot.slotType = SlotType::Macro;
    std::memcpy(&slot.macro, &macro, sizeof macro);

    EXPECT_EQ(ReadText(slot.macro.name), "Reload");
    // Layer 1 begins at slot offset 2080: beyond the macro's 1816 bytes.
    std::uint32_t layerType;
    std::memcpy(&layerType, BytesOf(&slot) + 2080, 4);
    EXPECT_EQ(layerType, LayerType::Key);
}

struct KindCase {
    const char* name;
    std::uint32_t count;
    std::uint32_t type0, code0, type1, code1;
    MultiLayerKindValue kind;
};

const KindCase kKinds[] = {
    {"KeyPressRelease", 2, LayerType::Key, 0x0100001E, LayerType::Key, 0x0110001E,
     MultiLayerKindValue::SingleSwitchKey},
    {"DifferentKeys", 2, LayerType::Key, 0x0100001E, LayerType::Key, 0x0110001F,
     MultiLayerKindValue::Advanced},
    {"ExtendedDiffers", 2, LayerType::Key, 0x0100001D, LayerType::Key, 0x0111001D,
     MultiLayerKindValue::Advanced},
    {"MouseAbsolutePressRelease", 2, LayerType::Mouse, 0x02010002, LayerType::Mouse, 0x02100002,
     MultiLayerKindValue::SingleSwitchMouse},
    {"ReleaseThenPress", 2, LayerType::Key, 0x0110001E, LayerType::Key, 0x0100001E,
     MultiLayerKindValue::Advanced},
    {"TwoKeyClicks", 2, LayerType::Key, 0x0120001E, LayerType::Key, 0x01200030,
     MultiLayerKindValue::TwinSwitch},
    {"KeyAndMouseClicks", 2, LayerType::Key, 0x0120001E, LayerType::Mouse, 0x02200001,
     MultiLayerKindValue::TwinSwitch},
    {"ClickAndMacro", 2, LayerType::Key, 0x0120001E, LayerType::Macro, 0x02200001,
     MultiLayerKindValue::Advanced},
    {"ThreeLayers", 3, LayerType::Key, 0x0120001E, LayerType::Key, 0x01200030,
     MultiLayerKindValue::Advanced},
    {"Empty", 0, 0, 0, 0, 0, MultiLayerKindValue::Advanced},
    // The key-or-mouse decision reads the layer type, not the code.
    {"StopLayerWithKeyCodes", 2, LayerType::StopKey, 0x0100001E, LayerType::Key, 0x0110001E,
     MultiLayerKindValue::Advanced},
};

class MultiLayerKinds : public testing::TestWithParam<KindCase> {};

TEST_P(MultiLayerKinds, AreDecidedFromTheContents) {
    const KindCase& c = GetParam();
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->layerCount = c.count;
    record->layers[0].layerType = c.type0;
    record->layers[0].action.code = c.code0;
    record->layers[1].layerType = c.type1;
    record->layers[1].action.code = c.code1;
    EXPECT_EQ(MultiLayerKind(*record), c.kind);
}

INSTANTIATE_TEST_SUITE_P(Records, MultiLayerKinds, testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SummaryText, AFullFieldHasNoTerminatorAndReadsBackWhole) {
    SummaryBlock summary{};
    const std::string name(64, 'N');
    WriteText(summary.name, name + "overflow");
    WriteText(summary.game, "Arena");
    EXPECT_EQ(BytesOf(&summary)[12 + 63], 'N');
    EXPECT_EQ(BytesOf(&summary)[76], 'A');
    EXPECT_EQ(ReadText(summary.name), name);
    EXPECT_EQ(ReadText(summary.game), "Arena");
    WriteText(summary.name, "ab");
    EXPECT_EQ(BytesOf(&summary)[12 + 2], 0);
    EXPECT_EQ(BytesOf(&summary)[12 + 63], 0);
}

TEST(SummaryText, NamesKeepATerminator) {
    MacroRecord macro{};
    WriteName(macro.name, std::string(300, 'x'));
    EXPECT_EQ(ReadText(macro.name).size(), 255u);
}

TEST(Fields, ResolutionAndPositionsUseSignedHalves) {
    EXPECT_EQ(ResolutionWidth(0x04000300), 1024);
    EXPECT_EQ(ResolutionHeight(0x04000300), 768);
    EXPECT_EQ(MakeResolution(1280, 1024), 0x05000400u);
    EXPECT_EQ(ResolutionWidth(0xFFFF0000), -1);
    EXPECT_EQ(PackPosition(-5, 10), 0xFFFB000Au);
    EXPECT_EQ(PositionX(0xFFFB000A), -5);
    EXPECT_EQ(PositionY(0xFFFB000A), 10);
    EXPECT_EQ(PositionY(PackPosition(2048, -2048)), -2048);
}

TEST(ProfileState, CurrentSlotFollowsModeAndSelection) {
    ProfileState& state = CurrentProfile();
    state.currentMode = 1;
    state.selectedButton = 7;
    EXPECT_EQ(&CurrentSlot(), &state.image.slots[17]);
    state.currentMode = 0;
    state.selectedButton = -1;
}

}  // namespace
}  // namespace gd
