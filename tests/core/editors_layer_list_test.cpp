#include "editors/layer_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "keys/key_names.h"
#include "profile/image.h"

namespace gd {
namespace {

std::unique_ptr<MultiLayerRecord> EmptyRecord() {
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0, sizeof *record);
    return record;
}

const LayerTypeTexts kTexts{"Single", "Macro", "Stop"};

TEST(LayerList, RowsArePickedUpToTheFreeRowAndGrowTheListWhenFilled) {
    auto record = EmptyRecord();
    EXPECT_TRUE(IsPickableRow(*record, 0));
    EXPECT_FALSE(IsPickableRow(*record, 1));  // below the free row
    EXPECT_TRUE(IsFreeRow(*record, 0));

    SetKeyLayer(record->layers[0], 0x0120001E);
    GrowIfFree(*record, 0);
    EXPECT_EQ(record->layerCount, 1u);
    EXPECT_FALSE(CanConfirm(*record, "Combo"));
    SetKeyLayer(record->layers[1], 0x01200030);
    GrowIfFree(*record, 1);
    EXPECT_TRUE(CanConfirm(*record, "Combo"));
    EXPECT_FALSE(CanConfirm(*record, ""));

    // Refilling a used row replaces it in place.
    SetKeyLayer(record->layers[0], 0x0120002E);
    GrowIfFree(*record, 0);
    EXPECT_EQ(record->layerCount, 2u);

    // A damaged count is read as four layers.
    record->layerCount = 9;
    EXPECT_EQ(UsedLayers(*record), 4);
    EXPECT_FALSE(IsFreeRow(*record, 4));
}

TEST(LayerList, ClearClosesTheGapAndLeavesTheFreeRowAlone) {
    auto record = EmptyRecord();
    for (int i = 0; i < 3; ++i) {
        SetKeyLayer(record->layers[i], 0x01200000u + 0x1E + static_cast<unsigned>(i));
    }
    record->layerCount = 3;
    ClearRow(*record, 1);
    EXPECT_EQ(record->layerCount, 2u);
    EXPECT_EQ(record->layers[0].action.code, 0x0120001Eu);
    EXPECT_EQ(record->layers[1].action.code, 0x01200020u);
    EXPECT_EQ(record->layers[2].layerType, 0u);
    EXPECT_EQ(record->layers[3].layerType, 0u);

    // The free row holds no layer: clearing it must not drop a used one.
    ClearRow(*record, 2);
    EXPECT_EQ(record->layerCount, 2u);
}

TEST(LayerList, EachKindOfLayerShowsItsNameAndType) {
    auto record = EmptyRecord();
    Layer& key = record->layers[0];
    SetKeyLayer(key, 0x0120001E);
    EXPECT_EQ(RowTexts(key, kTexts).name, EventName(0x0120001E));
    EXPECT_EQ(RowTexts(key, kTexts).type, "Single");

    Layer& macro = record->layers[1];
    macro.layerType = LayerType::Macro;
    WriteName(macro.macro.name, "Reload");
    EXPECT_EQ(RowTexts(macro, kTexts).name, "Reload");
    EXPECT_EQ(RowTexts(macro, kTexts).type, "Macro");

    // A stop keeps the key's bytes behind its new type and shows no name.
    SetStopLayer(key, LayerType::StopKey);
    EXPECT_EQ(key.action.code, 0x0120001Eu);
    EXPECT_EQ(RowTexts(key, kTexts).name, "");
    EXPECT_EQ(RowTexts(key, kTexts).type, "Stop");
    EXPECT_EQ(RowTexts(record->layers[3], kTexts).type, "");
}

TEST(LayerList, EditorsStartFromTheRowOrFromTheirDefaults) {
    auto record = EmptyRecord();
    const KeyStart fresh = KeyStartFor(record->layers[0]);
    EXPECT_EQ(fresh.flags, 0x01200000u);
    EXPECT_EQ(fresh.key, 59u);
    SetKeyLayer(record->layers[0], 0x0111001D);  // right Ctrl, release
    const KeyStart stored = KeyStartFor(record->layers[0]);
    EXPECT_EQ(stored.flags, 0x01100000u);
    EXPECT_EQ(stored.key, 0x1001Du);

    SetMouseLayer(record->layers[1], 0x02010002, 300, -5, 1920, 1080);
    const MouseStart mouse = MouseStartFor(record->layers[1]);
    EXPECT_EQ(mouse.flags, 0x02010000u);
    EXPECT_EQ(mouse.button, 2u);
    EXPECT_EQ(mouse.x, 300);
    EXPECT_EQ(mouse.y, -5);
    EXPECT_EQ(MouseStartFor(record->layers[2]).flags, 0x02200000u);
}

}  // namespace
}  // namespace gd
