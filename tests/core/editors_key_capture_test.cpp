#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editors/key_capture_rules.h"
#include "keys/key_name_source.h"
#include "keys/key_names.h"
#include "keys/key_table.h"
#include "profile/image.h"
#include "profile/records.h"
#include "string_table.h"

namespace gd {
namespace {

// One name for every key; used to see what a long name does to the record.
class OneNameSource final : public KeyNameSource {
  public:
    explicit OneNameSource(std::string name) : name_(std::move(name)) {}
    bool NameOf(std::uint32_t, char* buffer, std::size_t size) override {
        if (name_.size() >= size) {
            return false;
        }
        std::memcpy(buffer, name_.c_str(), name_.size() + 1);
        return true;
    }

  private:
    std::string name_;
};

class KeyCaptureRulesTest : public ::testing::Test {
  protected:
    KeyCaptureRulesTest() : previous_(UseKeyNameSource(BuiltInKeyNameSource())) {}
    ~KeyCaptureRulesTest() override { UseKeyNameSource(previous_); }

    static std::string Suffix() { return FindString(IDS_SINGLE_SUFFIX); }

    // A record full of leftovers, as a slot that held something else.
    static MultiLayerRecord Dirty() {
        MultiLayerRecord record;
        std::memset(&record, 0xAB, sizeof record);
        return record;
    }

    static MultiLayerRecord TwoLayers(std::uint32_t type0, EventCode code0, std::uint32_t type1,
                                      EventCode code1) {
        MultiLayerRecord record;
        std::memset(&record, 0, sizeof record);
        record.layerCount = 2;
        record.layers[0].layerType = type0;
        record.layers[0].action.code = code0;
        record.layers[1].layerType = type1;
        record.layers[1].action.code = code1;
        return record;
    }

  private:
    KeyNameSource& previous_;
};

TEST_F(KeyCaptureRulesTest, ActionRowsAreClickPressReleaseInThatOrder) {
    ASSERT_EQ(std::size(kCaptureActions), static_cast<std::size_t>(kCaptureActionCount));
    const struct {
        const char* text;
        std::uint32_t flags;
    } kRows[] = {{"Click", 0x00200000}, {"Press", 0}, {"Release", 0x00100000}};
    for (int index = 0; index < kCaptureActionCount; ++index) {
        EXPECT_STREQ(FindString(kCaptureActions[index].textId), kRows[index].text) << index;
        EXPECT_EQ(CaptureActionFlags(index), kRows[index].flags) << index;
        // Kind and key bits do not take part in choosing the row.
        EXPECT_EQ(CaptureActionIndex(kKeyCodeBase | kRows[index].flags | 0x1001C), index);
    }
    EXPECT_EQ(CaptureActionIndex(kCaptureDefaultFlags), 0);
}

TEST_F(KeyCaptureRulesTest, AnActionWithoutRowShowsAndReturnsClick) {
    for (std::uint32_t flags : {0x01300000u, 0x01F00000u, 0x02400000u}) {
        EXPECT_EQ(CaptureActionIndex(flags), 0) << std::hex << flags;
    }
    for (int index : {-1, 3, 100}) {
        EXPECT_EQ(CaptureActionFlags(index), 0x00200000u) << index;
    }
}

TEST_F(KeyCaptureRulesTest, StrokesGiveTheirScanCodeAndExtendedFlag) {
    EXPECT_EQ(StrokeKey(0x1C, false), 0x1Cu);    // Enter
    EXPECT_EQ(StrokeKey(0x1C, true), 0x1001Cu);  // keypad Enter, a key of its own
    EXPECT_EQ(StrokeKey(0x1D, true), 0x1001Du);  // right Ctrl
    EXPECT_EQ(StrokeKey(0x01, false), 0x01u);    // Escape
    // Right Shift reaches the table only with its extended flag.
    EXPECT_FALSE(IsKnownKey(StrokeKey(0x36, false)));
    EXPECT_TRUE(IsKnownKey(StrokeKey(0x36, true)));
    // Nothing beyond 16 bits of scan code can reach the flag or the kind.
    EXPECT_EQ(StrokeKey(0x0001001E, false), 0x1Eu);
    EXPECT_EQ(StrokeKey(0xFFFFFFFF, true), 0x1FFFFu);
}

TEST_F(KeyCaptureRulesTest, OnlyASingleSwitchKeyRecordGivesItsKey) {
    using LT = std::uint32_t;
    const LT key = LayerType::Key;
    const LT mouse = LayerType::Mouse;
    const struct {
        const char* what;
        MultiLayerRecord record;
        std::optional<std::uint32_t> expected;
    } kCases[] = {
        {"press then release of A", TwoLayers(key, 0x0100001E, key, 0x0110001E), 0x1E},
        {"keypad Enter", TwoLayers(key, 0x0101001C, key, 0x0111001C), 0x1001C},
        {"layer 0 a release", TwoLayers(key, 0x0110001E, key, 0x0110001E), std::nullopt},
        {"layer 1 a press", TwoLayers(key, 0x0100001E, key, 0x0100001E), std::nullopt},
        {"two different keys", TwoLayers(key, 0x0100001E, key, 0x0110001F), std::nullopt},
        {"extended and plain", TwoLayers(key, 0x0101001C, key, 0x0110001C), std::nullopt},
        {"two clicks", TwoLayers(key, 0x0120001E, key, 0x0120001E), std::nullopt},
        {"a mouse layer 0", TwoLayers(mouse, 0x02000001, mouse, 0x02100001), std::nullopt},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(SingleSwitchKeyOf(c.record), c.expected) << c.what;
    }

    MultiLayerRecord three = TwoLayers(key, 0x0100001E, key, 0x0110001E);
    three.layerCount = 3;
    EXPECT_EQ(SingleSwitchKeyOf(three), std::nullopt);
    MultiLayerRecord empty;
    std::memset(&empty, 0, sizeof empty);
    EXPECT_EQ(SingleSwitchKeyOf(empty), std::nullopt);
}

TEST_F(KeyCaptureRulesTest, WrittenRecordIsExactToTheByte) {
    MultiLayerRecord record = Dirty();
    WriteSingleSwitchKey(record, 0x1E, Suffix());

    // Every byte of the 7524, by hand: name, count, two key layers, zeros.
    std::vector<std::uint8_t> expected(kSlotPayloadSize, 0);
    std::memcpy(expected.data(), "A(Single)", 9);
    auto put = [&](std::size_t offset, std::uint32_t value) {
        std::memcpy(expected.data() + offset, &value, 4);
    };
    put(256, 2);
    put(260, 0x01000000);
    put(264, 0x0100001E);
    put(260 + 1816, 0x01000000);
    put(264 + 1816, 0x0110001E);
    ASSERT_EQ(sizeof record, expected.size());
    EXPECT_EQ(std::memcmp(&record, expected.data(), expected.size()), 0);
}

TEST_F(KeyCaptureRulesTest, WrittenRecordPressesAndReleasesWhateverTheKey) {
    {
        MultiLayerRecord record = Dirty();
        WriteSingleSwitchKey(record, 0x1001C, Suffix());
        EXPECT_EQ(record.layers[0].action.code, 0x0101001Cu);
        EXPECT_EQ(record.layers[1].action.code, 0x0111001Cu);
        EXPECT_EQ(ReadText(record.name), EventName(0x0101001C) + "(Single)");
    }
    {
        // Bits beyond the key part never reach the kind or the action.
        MultiLayerRecord record = Dirty();
        WriteSingleSwitchKey(record, 0xFF20001E, Suffix());
        EXPECT_EQ(record.layers[0].action.code, 0x0100001Eu);
        EXPECT_EQ(record.layers[1].action.code, 0x0110001Eu);
    }
    // Every key of the table reads back as itself.
    for (int index = kKeyTableMouseEntries; index < KeyTableSize(); ++index) {
        const std::uint32_t key = KeyPartOf(KeyTableCode(index));
        MultiLayerRecord record = Dirty();
        WriteSingleSwitchKey(record, key, Suffix());
        EXPECT_EQ(MultiLayerKind(record), MultiLayerKindValue::SingleSwitchKey) << index;
        EXPECT_EQ(SingleSwitchKeyOf(record), key) << index;
        EXPECT_EQ(record.layers[2].layerType, 0u) << index;
        EXPECT_EQ(record.layers[3].layerType, 0u) << index;
    }
}

TEST_F(KeyCaptureRulesTest, NamesAreCutToTheirFieldAndNeverRunPastIt) {
    const struct {
        std::size_t nameLength;
        std::string expected;
    } kCases[] = {
        {247, std::string(247, 'k') + "(Single)"},  // exactly 255
        {250, std::string(250, 'k') + "(Sing"},
        {255, std::string(255, 'k')},
    };
    for (const auto& c : kCases) {
        OneNameSource longNames(std::string(c.nameLength, 'k'));
        KeyNameSource& previous = UseKeyNameSource(longNames);
        MultiLayerRecord record = Dirty();
        WriteSingleSwitchKey(record, 0x1E, Suffix());
        UseKeyNameSource(previous);

        EXPECT_EQ(ReadText(record.name), c.expected) << c.nameLength;
        EXPECT_EQ(record.name[255], '\0') << c.nameLength;
        EXPECT_EQ(record.layerCount, 2u) << c.nameLength;
        EXPECT_EQ(record.layers[0].action.code, 0x0100001Eu) << c.nameLength;
    }
}

TEST_F(KeyCaptureRulesTest, AKeyWithoutNameGivesTheSuffixAlone) {
    MultiLayerRecord record = Dirty();
    WriteSingleSwitchKey(record, 0x64, Suffix());  // F13: no name in the table
    EXPECT_EQ(ReadText(record.name), "(Single)");
    EXPECT_EQ(record.layers[0].action.code, 0x01000064u);
}

}  // namespace
}  // namespace gd
