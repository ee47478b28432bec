#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "editors/mouse_button_rules.h"
#include "profile/image.h"
#include "string_table.h"

namespace gd {
namespace {

const std::string kSingle = FindString(IDS_SINGLE_SUFFIX);

std::uint32_t WordAt(const MultiLayerRecord& record, std::size_t offset) {
    std::uint32_t word;
    std::memcpy(&word, reinterpret_cast<const std::uint8_t*>(&record) + offset, sizeof word);
    return word;
}

// A record full of leftovers, as a slot that held something else looks.
std::unique_ptr<MultiLayerRecord> DirtyRecord() {
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0xCD, sizeof *record);
    return record;
}

std::unique_ptr<MultiLayerRecord> TwoLayers(std::uint32_t type0, EventCode code0, EventCode code1) {
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->layerCount = 2;
    record->layers[0].layerType = type0;
    record->layers[0].action = {code0, -5, 2048, 1280, 1024};
    record->layers[1].layerType = LayerType::Mouse;
    record->layers[1].action.code = code1;
    return record;
}

TEST(MouseButtonLists, OpenWithTheItemsOfTheCode) {
    const struct {
        std::uint32_t flags;
        std::int32_t x, y;
        int action, position;
    } kCases[] = {
        {0x02200000, 0, 0, kMouseClickItem, kMouseUndefinedItem},
        {0x02200000, 0, 1, kMouseClickItem, kMouseRelativeItem},
        {0x02000000, -3, 0, kMousePressItem, kMouseRelativeItem},
        {0x02110000, 0, 0, kMouseReleaseItem, kMouseAbsoluteItem},  // absolute even at 0, 0
        {0x00200000, 7, 7, kMouseClickItem, kMouseRelativeItem},    // the kind plays no part
        {0x02300000, 1, 1, kNoMouseItem, kMouseRelativeItem},
        {0x02F20000, 1, 1, kNoMouseItem, kNoMouseItem},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(MouseActionItemOf(c.flags), c.action) << std::hex << c.flags;
        EXPECT_EQ(MousePositionItemOf(c.flags, c.x, c.y), c.position)
            << std::hex << c.flags << std::dec << " " << c.x << "," << c.y;
    }
}

TEST(MouseButtonLists, OkRecordsTheMouseKindWithTheSelectedItems) {
    const struct {
        std::uint32_t flags;
        int action, position;
        std::uint32_t recorded;
    } kCases[] = {
        {0x00200000, kMouseClickItem, kMouseRelativeItem, 0x02200000},
        {0x02200000, kMousePressItem, kMouseAbsoluteItem, 0x02010000},
        {0x02010000, kMouseReleaseItem, kMouseUndefinedItem, 0x02100000},
        {0x02210000, kMouseClickItem, kMouseUndefinedItem, 0x02200000},
        // Kind and button bits of the caller's flags never survive.
        {0x0121FFFF, kMouseReleaseItem, kMouseAbsoluteItem, 0x02110000},
        // A list without a selection keeps the caller's bits for its part.
        {0x02700000, kNoMouseItem, kMouseRelativeItem, 0x02700000},
        {0x02230000, kMousePressItem, kNoMouseItem, 0x02030000},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(MouseFlagsAtOk(c.flags, c.action, c.position), c.recorded)
            << std::hex << c.flags << " " << c.action << " " << c.position;
    }
}

TEST(SingleSwitchMouse, WriteFillsEveryByteOfTheRecord) {
    auto record = DirtyRecord();
    const MouseButtonValues values{0x02210000, kMouseRight, -2048, 37, 1920, 1080};
    WriteSingleSwitchMouse(*record, values, kSingle);

    const std::string name = "Right Button(Single)";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.get());
    EXPECT_EQ(std::string(record->name), name);
    const struct {
        std::size_t offset;
        std::uint32_t word;
    } kWords[] = {
        {256, 2},                                  // layerCount
        {260, 0x02000000},                         // layer 0 layerType
        {264, 0x02010002},                         // press, absolute flag kept
        {268, static_cast<std::uint32_t>(-2048)},  // x
        {272, 37},                                 // y
        {276, 1920},                               // screenWidth
        {280, 1080},                               // screenHeight
        {2076, 0x02000000},                        // layer 1 layerType
        {2080, 0x02100002},                        // release, no position
    };
    for (std::size_t offset = name.size(); offset < 256; ++offset) {
        ASSERT_EQ(bytes[offset], 0) << "name byte " << offset;
    }
    std::size_t next = 256;
    for (const auto& w : kWords) {
        for (; next < w.offset; ++next) {
            ASSERT_EQ(bytes[next], 0) << "offset " << next;
        }
        EXPECT_EQ(WordAt(*record, w.offset), w.word) << "offset " << w.offset;
        next = w.offset + 4;
    }
    for (; next < kSlotPayloadSize; ++next) {
        ASSERT_EQ(bytes[next], 0) << "offset " << next;
    }
    EXPECT_EQ(MultiLayerKind(*record), MultiLayerKindValue::SingleSwitchMouse);
}

TEST(SingleSwitchMouse, WriteAlwaysPressesThenReleasesTheButton) {
    const struct {
        std::uint32_t flags, button;
        EventCode press, release;
        const char* name;
    } kCases[] = {
        {0x02200000, kMouseLeft, 0x02000001, 0x02100001, "Left Button(Single)"},
        {0x02100000, kMouseMiddle, 0x02000004, 0x02100004, "Middle Button(Single)"},
        {0x02010000, kMouseRight, 0x02010002, 0x02100002, "Right Button(Single)"},
        // A button without a name gives a record named by the suffix alone.
        {0x02200000, 3, 0x02000003, 0x02100003, "(Single)"},
    };
    for (const auto& c : kCases) {
        auto record = DirtyRecord();
        WriteSingleSwitchMouse(*record, {c.flags, c.button, 0, 0, 800, 600}, kSingle);
        EXPECT_EQ(record->layers[0].action.code, c.press) << c.name;
        EXPECT_EQ(record->layers[1].action.code, c.release) << c.name;
        EXPECT_STREQ(record->name, c.name);
    }
}

TEST(SingleSwitchMouse, ReadTakesLayerZeroOfAWrittenRecord) {
    auto record = DirtyRecord();
    WriteSingleSwitchMouse(*record, {0x02210000, kMouseMiddle, 12, -34, 1280, 720}, kSingle);
    MouseButtonValues values;
    ASSERT_TRUE(ReadSingleSwitchMouse(*record, values));
    EXPECT_EQ(values.flags, 0x02010000u);  // press: the action of layer 0
    EXPECT_EQ(values.button, kMouseMiddle);
    EXPECT_EQ(values.x, 12);
    EXPECT_EQ(values.y, -34);
    EXPECT_EQ(values.screenWidth, 1280u);
    EXPECT_EQ(values.screenHeight, 720u);
}

TEST(SingleSwitchMouse, ReadLooksAtCountKindAndButtonOnly) {
    // Actions and position flags of the layers are not compared.
    auto clicks = TwoLayers(LayerType::Mouse, 0x02210002, 0x02200002);
    MouseButtonValues values;
    ASSERT_TRUE(ReadSingleSwitchMouse(*clicks, values));
    EXPECT_EQ(values.flags, 0x02210000u);
    EXPECT_EQ(values.button, kMouseRight);
    EXPECT_EQ(values.x, -5);
    EXPECT_EQ(values.y, 2048);
    EXPECT_EQ(values.screenWidth, 1280u);
    EXPECT_EQ(values.screenHeight, 1024u);
}

TEST(SingleSwitchMouse, ReadLeavesTheValuesForOtherRecords) {
    const MouseButtonValues start{0x02200000, kMouseLeft, 0, 0, 1024, 768};
    const auto expectRefused = [&](const MultiLayerRecord& record, const char* what) {
        MouseButtonValues values = start;
        EXPECT_FALSE(ReadSingleSwitchMouse(record, values)) << what;
        EXPECT_EQ(values.flags, start.flags) << what;
        EXPECT_EQ(values.button, start.button) << what;
        EXPECT_EQ(values.x, start.x) << what;
        EXPECT_EQ(values.screenWidth, start.screenWidth) << what;
    };
    expectRefused(*TwoLayers(LayerType::Mouse, 0x02000001, 0x02100002), "different buttons");
    expectRefused(*TwoLayers(LayerType::Key, 0x0100001E, 0x0110001E), "key layers");
    expectRefused(*TwoLayers(LayerType::Macro, 0x02000001, 0x02100001), "macro layer 0");
    expectRefused(*TwoLayers(LayerType::Mouse, 0x02000001, 0x01100001), "key code in layer 1");
    for (std::uint32_t count : {0u, 1u, 3u, 4u}) {
        auto record = TwoLayers(LayerType::Mouse, 0x02000001, 0x02100001);
        record->layerCount = count;
        expectRefused(*record, "layer count");
    }
}

}  // namespace
}  // namespace gd
