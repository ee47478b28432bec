#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "profile/image.h"

namespace gd {
namespace {

const std::uint8_t* BytesOf(const void* p) {
    return static_cast<const std::uint8_t*>(p);
}

TEST(ProfileImage, SlotsLieInButtonOrderAndResetGivesOffSlots) {
    auto image = std::make_unique<ProfileImage>();
    const auto offsetOf = [&](int position, std::uint32_t half) {
        return BytesOf(&SlotAt(*image, position, half)) - BytesOf(image.get());
    };
    EXPECT_EQ(offsetOf(0, 0), 0);              // M1
    EXPECT_EQ(offsetOf(9, 0), 9 * 7528);       // M10
    EXPECT_EQ(offsetOf(0, 1), 10 * 7528);      // M11
    EXPECT_EQ(offsetOf(9, 1) + 7528, 150560);  // M20 ends the image

    std::memset(image.get(), 0xCC, sizeof *image);
    ResetImage(*image);
    for (std::size_t offset = 0; offset < kProfileImageSize; offset += 4) {
        std::uint32_t word;
        std::memcpy(&word, BytesOf(image.get()) + offset, 4);
        ASSERT_EQ(word, offset % kButtonSlotSize == 0 ? SlotType::Off : 0) << offset;
    }
}

TEST(ProfileImage, MultiLayerKindsAreDecidedFromTheContents) {
    using K = MultiLayerKindValue;
    const std::uint32_t key = LayerType::Key, mouse = LayerType::Mouse;
    const struct {
        std::uint32_t count, type0, code0, type1, code1;
        K kind;
    } cases[] = {
        {2, key, 0x0100001E, key, 0x0110001E, K::SingleSwitchKey},
        {2, key, 0x0100001E, key, 0x0110001F, K::Advanced},  // different keys
        {2, key, 0x0100001D, key, 0x0111001D, K::Advanced},  // extended flag differs
        {2, mouse, 0x02010002, mouse, 0x02100002, K::SingleSwitchMouse},
        {2, key, 0x0110001E, key, 0x0100001E, K::Advanced},  // release, then press
        {2, key, 0x0120001E, key, 0x01200030, K::TwinSwitch},
        {2, key, 0x0120001E, mouse, 0x02200001, K::TwinSwitch},
        {2, key, 0x0120001E, LayerType::Macro, 0x02200001, K::Advanced},
        {3, key, 0x0120001E, key, 0x01200030, K::Advanced},
        {0, 0, 0, 0, 0, K::Advanced},
        // The key-or-mouse decision reads the layer type, not the code.
        {2, LayerType::StopKey, 0x0100001E, key, 0x0110001E, K::Advanced},
    };
    for (const auto& c : cases) {
        auto record = std::make_unique<MultiLayerRecord>();
        std::memset(record.get(), 0, sizeof *record);
        record->layerCount = c.count;
        record->layers[0].layerType = c.type0;
        record->layers[0].action.code = c.code0;
        record->layers[1].layerType = c.type1;
        record->layers[1].action.code = c.code1;
        EXPECT_EQ(MultiLayerKind(*record), c.kind) << std::hex << c.code0 << " " << c.code1;
    }
}

}  // namespace
}  // namespace gd
