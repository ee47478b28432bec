#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editors/key_capture_rules.h"
#include "editors/layer_list.h"
#include "editors/macro_fields.h"
#include "editors/macro_list.h"
#include "editors/mouse_button_rules.h"
#include "keys/key_name_source.h"
#include "keys/key_names.h"
#include "keys/key_table.h"
#include "profile/image.h"

namespace gd {
namespace {

const std::string kSingle = "(Single)";

// A record full of leftovers, as a slot that held something else.
std::unique_ptr<MultiLayerRecord> Dirty() {
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0xCD, sizeof *record);
    return record;
}

std::unique_ptr<MultiLayerRecord> TwoLayers(std::uint32_t type0, EventCode code0,
                                            std::uint32_t type1, EventCode code1) {
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->layerCount = 2;
    record->layers[0].layerType = type0;
    record->layers[0].action = {code0, -5, 2048, 1280, 1024};
    record->layers[1].layerType = type1;
    record->layers[1].action.code = code1;
    return record;
}

// Every byte of a written record: the name, the given words, zeros elsewhere.
void ExpectRecord(const MultiLayerRecord& record, const std::string& name,
                  std::vector<std::pair<std::size_t, std::uint32_t>> words) {
    std::vector<std::uint8_t> expected(kSlotPayloadSize, 0);
    std::memcpy(expected.data(), name.data(), name.size());
    for (const auto& [offset, word] : words) {
        std::memcpy(expected.data() + offset, &word, 4);
    }
    ASSERT_EQ(sizeof record, expected.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(bytes[i], expected[i]) << "offset " << i;
    }
}

TEST(KeyCapture, StrokesAndTheKeyOfASingleSwitchRecord) {
    // The action row ignores kind and key bits; an action without a row shows Click.
    EXPECT_EQ(CaptureActionIndex(kKeyCodeBase | 0x00100000 | 0x1001C), 2);
    EXPECT_EQ(CaptureActionIndex(0x01F00000), 0);
    EXPECT_EQ(StrokeKey(0x1C, false), 0x1Cu);        // Enter
    EXPECT_EQ(StrokeKey(0x1C, true), 0x1001Cu);      // keypad Enter, a key of its own
    EXPECT_TRUE(IsKnownKey(StrokeKey(0x36, true)));  // right Shift only with its flag
    EXPECT_EQ(StrokeKey(0xFFFFFFFF, true), 0x1FFFFu);

    const std::uint32_t key = LayerType::Key;
    const struct {
        EventCode code0, code1;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {0x0100001E, 0x0110001E, 0x1E},         {0x0101001C, 0x0111001C, 0x1001C},
        {0x0100001E, 0x0110001F, std::nullopt},  // two different keys
        {0x0101001C, 0x0110001C, std::nullopt},  // extended and plain
        {0x0120001E, 0x0120001E, std::nullopt},  // two clicks
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SingleSwitchKeyOf(*TwoLayers(key, c.code0, key, c.code1)), c.expected)
            << std::hex << c.code0;
    }
}

TEST(KeyCapture, WrittenRecordIsExactAndEveryKeyReadsBackAsItself) {
    KeyNameSource& previous = UseKeyNameSource(BuiltInKeyNameSource());
    auto record = Dirty();
    WriteSingleSwitchKey(*record, 0xFF20001E, kSingle);  // only the key part is used
    ExpectRecord(
        *record, "A(Single)",
        {{256, 2}, {260, 0x01000000}, {264, 0x0100001E}, {2076, 0x01000000}, {2080, 0x0110001E}});
    WriteSingleSwitchKey(*record, 0x64, kSingle);  // F13: no name in the table
    EXPECT_EQ(ReadText(record->name), "(Single)");

    for (int index = kKeyTableMouseEntries; index < KeyTableSize(); ++index) {
        const std::uint32_t key = KeyPartOf(KeyTableCode(index));
        record = Dirty();
        WriteSingleSwitchKey(*record, key, kSingle);
        EXPECT_EQ(MultiLayerKind(*record), MultiLayerKindValue::SingleSwitchKey) << index;
        EXPECT_EQ(SingleSwitchKeyOf(*record), key) << index;
        EXPECT_EQ(ReadText(record->name), EventName(KeyTableCode(index)) + kSingle) << index;
    }
    UseKeyNameSource(previous);
}

// One name for every key, to see what a long name does to the record.
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

TEST(KeyCapture, NamesAreCutToTheirFieldAndNeverRunPastIt) {
    const std::pair<std::size_t, std::string> cases[] = {
        {247, std::string(247, 'k') + "(Single)"},  // exactly 255
        {250, std::string(250, 'k') + "(Sing"},
        {255, std::string(255, 'k')},
    };
    for (const auto& [length, expected] : cases) {
        OneNameSource longNames(std::string(length, 'k'));
        KeyNameSource& previous = UseKeyNameSource(longNames);
        auto record = Dirty();
        WriteSingleSwitchKey(*record, 0x1E, kSingle);
        UseKeyNameSource(previous);
        EXPECT_EQ(ReadText(record->name), expected) << length;
        EXPECT_EQ(record->name[255], '\0') << length;
        EXPECT_EQ(record->layerCount, 2u) << length;
    }
}

TEST(MouseButton, ListItemsOfACodeAndTheCodeOfTheItems) {
    const struct {
        std::uint32_t flags;
        std::int32_t x, y;
        int action, position;
    } open[] = {
        {0x02200000, 0, 0, kMouseClickItem, kMouseUndefinedItem},
        {0x02000000, -3, 0, kMousePressItem, kMouseRelativeItem},
        {0x02110000, 0, 0, kMouseReleaseItem, kMouseAbsoluteItem},  // absolute even at 0, 0
        {0x00200000, 7, 7, kMouseClickItem, kMouseRelativeItem},    // the kind plays no part
        {0x02F20000, 1, 1, kNoMouseItem, kNoMouseItem},
    };
    for (const auto& c : open) {
        EXPECT_EQ(MouseActionItemOf(c.flags), c.action) << std::hex << c.flags;
        EXPECT_EQ(MousePositionItemOf(c.flags, c.x, c.y), c.position) << std::hex << c.flags;
    }
    const struct {
        std::uint32_t flags;
        int action, position;
        std::uint32_t recorded;
    } ok[] = {
        {0x00200000, kMouseClickItem, kMouseRelativeItem, 0x02200000},
        // Kind and button bits of the caller's flags never survive.
        {0x0121FFFF, kMouseReleaseItem, kMouseAbsoluteItem, 0x02110000},
        // A list without a selection keeps the caller's bits for its part.
        {0x02700000, kNoMouseItem, kMouseRelativeItem, 0x02700000},
        {0x02230000, kMousePressItem, kNoMouseItem, 0x02030000},
    };
    for (const auto& c : ok) {
        EXPECT_EQ(MouseFlagsAtOk(c.flags, c.action, c.position), c.recorded) << std::hex << c.flags;
    }
}

TEST(MouseButton, SingleSwitchRecordIsExactAndReadsBack) {
    auto record = Dirty();
    WriteSingleSwitchMouse(*record, {0x02210000, kMouseRight, -2048, 37, 1920, 1080}, kSingle);
    ExpectRecord(*record, "Right Button(Single)",
                 {{256, 2},
                  {260, 0x02000000},
                  {264, 0x02010002},  // press, absolute flag kept
                  {268, static_cast<std::uint32_t>(-2048)},
                  {272, 37},
                  {276, 1920},
                  {280, 1080},
                  {2076, 0x02000000},
                  {2080, 0x02100002}});  // release, no position
    MouseButtonValues values;
    ASSERT_TRUE(ReadSingleSwitchMouse(*record, values));
    EXPECT_EQ(values.flags, 0x02010000u);  // press: the action of layer 0
    EXPECT_EQ(values.button, kMouseRight);
    EXPECT_EQ(values.x, -2048);
    EXPECT_EQ(values.screenHeight, 1080u);

    // Reading compares count, kind and button only, not actions or positions.
    ASSERT_TRUE(ReadSingleSwitchMouse(
        *TwoLayers(LayerType::Mouse, 0x02210002, LayerType::Mouse, 0x02200002), values));
    EXPECT_EQ(values.flags, 0x02210000u);
    EXPECT_EQ(values.y, 2048);
}

TEST(MouseButton, OtherRecordsLeaveTheValuesAlone) {
    const std::uint32_t mouse = LayerType::Mouse;
    std::vector<std::unique_ptr<MultiLayerRecord>> others;
    others.push_back(TwoLayers(mouse, 0x02000001, mouse, 0x02100002));  // different buttons
    others.push_back(TwoLayers(LayerType::Key, 0x0100001E, LayerType::Key, 0x0110001E));
    others.push_back(TwoLayers(LayerType::Macro, 0x02000001, mouse, 0x02100001));
    others.push_back(TwoLayers(mouse, 0x02000001, mouse, 0x01100001));  // key code in layer 1
    for (std::uint32_t count : {0u, 1u, 3u}) {
        others.push_back(TwoLayers(mouse, 0x02000001, mouse, 0x02100001));
        others.back()->layerCount = count;
    }
    for (std::size_t i = 0; i < others.size(); ++i) {
        MouseButtonValues values{0x02200000, kMouseLeft, 1, 2, 1024, 768};
        EXPECT_FALSE(ReadSingleSwitchMouse(*others[i], values)) << i;
        EXPECT_EQ(values.flags, 0x02200000u) << i;
        EXPECT_EQ(values.x, 1) << i;
        EXPECT_EQ(values.screenWidth, 1024u) << i;
    }
}

TEST(LayerList, RowsFillUpToTheFreeRowAndClearingClosesTheGap) {
    auto record = TwoLayers(0, 0, 0, 0);
    record->layerCount = 0;
    EXPECT_TRUE(IsPickableRow(*record, 0));
    EXPECT_FALSE(IsPickableRow(*record, 1));  // below the free row
    SetKeyLayer(record->layers[0], 0x0120001E);
    GrowIfFree(*record, 0);
    EXPECT_FALSE(CanConfirm(*record, "Combo"));
    SetKeyLayer(record->layers[1], 0x0120001F);
    GrowIfFree(*record, 1);
    SetKeyLayer(record->layers[2], 0x01200020);
    GrowIfFree(*record, 2);
    EXPECT_TRUE(CanConfirm(*record, "Combo"));
    EXPECT_FALSE(CanConfirm(*record, ""));
    GrowIfFree(*record, 0);  // refilling a used row replaces it in place
    EXPECT_EQ(record->layerCount, 3u);

    ClearRow(*record, 1);
    EXPECT_EQ(record->layerCount, 2u);
    EXPECT_EQ(record->layers[1].action.code, 0x01200020u);
    EXPECT_EQ(record->layers[2].layerType, 0u);
    ClearRow(*record, 2);  // the free row holds no layer: nothing is dropped
    EXPECT_EQ(record->layerCount, 2u);
    record->layerCount = 9;  // a damaged count reads as four layers
    EXPECT_EQ(UsedLayers(*record), 4);
    EXPECT_FALSE(IsFreeRow(*record, 4));
}

TEST(LayerList, RowTextsAndWhereTheEditorsStartFromARow) {
    const LayerTypeTexts texts{"Single", "Macro", "Stop"};
    auto record = TwoLayers(0, 0, 0, 0);
    Layer& key = record->layers[0];
    SetKeyLayer(key, 0x0111001D);  // right Ctrl, release
    EXPECT_EQ(KeyStartFor(key).flags, 0x01100000u);
    EXPECT_EQ(KeyStartFor(key).key, 0x1001Du);
    EXPECT_EQ(RowTexts(key, texts).name, EventName(0x0111001D));
    EXPECT_EQ(RowTexts(key, texts).type, "Single");
    // A stop keeps the key's bytes behind its new type and shows no name.
    SetStopLayer(key, LayerType::StopKey);
    EXPECT_EQ(key.action.code, 0x0111001Du);
    EXPECT_EQ(RowTexts(key, texts).name, "");
    EXPECT_EQ(RowTexts(key, texts).type, "Stop");

    SetMouseLayer(record->layers[2], 0x02010002, 300, -5, 1920, 1080);
    const MouseStart mouse = MouseStartFor(record->layers[2]);
    EXPECT_EQ(mouse.flags, 0x02010000u);
    EXPECT_EQ(mouse.y, -5);
}

TEST(MacroFields, DelaysAndPositionsAsTyped) {
    using Delay = DelayFieldCheck::Outcome;
    const struct {
        const char* typed;
        Delay outcome;
        const char* text;
    } delays[] = {
        {"5", Delay::Store, "5"},  // below 30 is taken while typing
        {"70000", Delay::Shorten, "7000"},
        {"12a", Delay::CutAndKeep, "12"},
        {"0x", Delay::Store, "0"},  // a zero before junk reads as 0
        {"99999999999999999999", Delay::Shorten, "9999999999999999999"},
    };
    for (const auto& row : delays) {
        const DelayFieldCheck check = CheckDelayField(row.typed);
        EXPECT_EQ(check.outcome, row.outcome) << row.typed;
        EXPECT_EQ(check.text, row.text) << row.typed;
    }
    using Position = PositionFieldCheck::Outcome;
    const struct {
        const char* typed;
        Position outcome;
        const char* text;
        int value;
    } positions[] = {
        {"-2048", Position::Store, "-2048", -2048}, {"-", Position::Store, "-", 0},
        {"2049", Position::Retype, "204", 0},       {"-3000", Position::Retype, "-300", 0},
        {"12a4", Position::Retype, "12", 0},        {"+5", Position::Retype, "", 0},
    };
    for (const auto& row : positions) {
        const PositionFieldCheck check = CheckPositionField(row.typed);
        EXPECT_EQ(check.outcome, row.outcome) << row.typed;
        EXPECT_EQ(check.text, row.text) << row.typed;
        if (row.outcome == Position::Store) {
            EXPECT_EQ(check.value, row.value) << row.typed;
        }
    }
    EXPECT_EQ(PositionText("Relative", 10, -5), "Relative (10,-5)");
}

constexpr EventCode kA = 0x0100001E;  // press; | 0x00100000 releases
constexpr EventCode kB = 0x01000030;
constexpr EventCode kC = 0x0100002E;
constexpr EventCode kRight = 0x02000002;  // mouse right, relative press

constexpr EventCode Up(EventCode press) {
    return press | 0x00100000;
}

MacroList ListOf(std::initializer_list<EventCode> codes) {
    MacroList list;
    for (EventCode code : codes) {
        list.Append({code, "30", 0, {}});
    }
    return list;
}

std::vector<EventCode> Codes(const MacroList& list) {
    std::vector<EventCode> codes;
    for (int i = 0; i < list.size(); ++i) {
        codes.push_back(list.row(i).code);
    }
    return codes;
}

RowSelection Select(const MacroList& list, int row) {
    return {row, list.PairOf(row)};
}

TEST(MacroListPairs, APressPairsWithItsFirstExactReleaseAndAReleaseWithTheNearestPress) {
    const MacroList list = ListOf({kA, kB, Up(kA), kA, Up(kB), Up(kA), 0x0120001E});
    EXPECT_EQ(list.PairOf(0), (RowPair{0, 2}));
    EXPECT_EQ(list.PairOf(3), (RowPair{3, 5}));
    EXPECT_EQ(list.PairOf(5), (RowPair{3, 5}));
    EXPECT_EQ(list.PairOf(4), (RowPair{1, 4}));
    EXPECT_EQ(list.PairOf(6), std::nullopt);  // a click has no partner
    // An absolute release does not close a relative press.
    EXPECT_EQ(ListOf({kRight, Up(kRight) | 0x00010000}).PairOf(0), std::nullopt);
    EXPECT_EQ(list.PairOf(7), std::nullopt);
}

TEST(MacroListInsert, APairGoesOnlyWhereNoPairOfItsInputIsOpen) {
    MacroList list = ListOf({kA, Up(kA)});
    // Selected release: the point lies inside the pair of A.
    EXPECT_EQ(list.InsertPair(1, kA, "30", "30", 0), InsertResult::InsideSameInput);
    EXPECT_EQ(list.size(), 2);
    EXPECT_EQ(list.InsertPair(0, kA, "30", "30", 0), InsertResult::Inserted);
    EXPECT_EQ(list.InsertPair(1, kB, "30", "30", 0), InsertResult::Inserted);
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kA, kB, Up(kB), Up(kA), kA, Up(kA)}));
    // Appending adds 60 ms.
    const std::uint64_t before = list.Duration();
    EXPECT_EQ(list.InsertPair(-1, Up(kC), "30", "30", 0), InsertResult::Inserted);
    EXPECT_EQ(list.row(6).code, kC);
    EXPECT_EQ(list.Duration(), before + 60);

    // The record holds 128 events: a pair never goes in half.
    MacroList full;
    for (int i = 0; i < 127; ++i) {
        full.Append({0x02200001, "30", 0, {}});
    }
    EXPECT_FALSE(full.CanInsertPair());
    EXPECT_EQ(full.InsertPair(-1, kA, "30", "30", 0), InsertResult::Full);
    EXPECT_EQ(full.size(), 127);
}

TEST(MacroListMouse, PositionsFollowTheModeAndSurviveDeletingAnotherPair) {
    MacroList list = ListOf({kA, Up(kA)});
    ASSERT_EQ(list.InsertPair(-1, kRight, "200", "30", 0x000AFFFB), InsertResult::Inserted);
    const RowPair right{2, 3};
    EXPECT_EQ(list.row(2).position, 0x000AFFFBu);

    list.SetPositionMode(right, true);
    list.SetPosition(right, 300, -5);
    EXPECT_EQ(list.row(2).code, 0x02010002u);
    EXPECT_EQ(list.row(3).code, 0x02110002u);
    EXPECT_EQ(list.row(2).position, 0x012CFFFBu);
    list.SetPositionMode(right, false);
    list.SetPosition(right, 300, 7);
    EXPECT_EQ(list.row(3).position, 0u);

    list.DeletePair({0, 1});
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kRight, Up(kRight)}));
    EXPECT_EQ(list.row(0).position, 0x012C0007u);
}

TEST(MacroListMoves, NoRowPassesItsPartnerOrAnotherRowOfItsInput) {
    // Press of A with its release further down: the press alone moves.
    MacroList list = ListOf({kA, kB, Up(kB), Up(kA)});
    RowSelection selection = Select(list, 0);
    list.MoveDown(selection);
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kB, kA, Up(kB), Up(kA)}));
    EXPECT_EQ(selection, (RowSelection{1, RowPair{1, 3}}));

    // Press directly followed by its release: both move as a block.
    list = ListOf({kA, Up(kA), kB, Up(kB)});
    selection = Select(list, 0);
    EXPECT_EQ(list.MoveButtonStates(selection).down, true);
    list.MoveDown(selection);
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kB, kA, Up(kA), Up(kB)}));
    EXPECT_EQ(selection, (RowSelection{1, RowPair{1, 2}}));
    selection = Select(list, 2);
    list.MoveUp(selection);
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kA, Up(kA), kB, Up(kB)}));
    EXPECT_EQ(selection, (RowSelection{1, RowPair{0, 1}}));

    // Another pair of the same input blocks the way: the buttons say so,
    // and a forced move changes nothing.
    list = ListOf({kA, Up(kA), kA, Up(kA)});
    selection = Select(list, 1);
    const MoveButtons buttons = list.MoveButtonStates(selection);
    EXPECT_EQ(buttons.down, false);
    list.MoveDown(selection);
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kA, Up(kA), kA, Up(kA)}));
    EXPECT_EQ(selection, (RowSelection{1, RowPair{0, 1}}));

    // A row outside the pair leaves the buttons as they are; no pair
    // disables both.
    list = ListOf({kA, kC, Up(kA)});
    EXPECT_FALSE(list.MoveButtonStates({1, RowPair{0, 2}}).up.has_value());
    EXPECT_EQ(list.MoveButtonStates(Select(list, 1)).up, false);
}

TEST(MacroListKeys, ANewInputForAPairMustNotBreakTheNestingWhateverTheNames) {
    MacroList list = ListOf({kA, kB, Up(kB), Up(kA)});
    // B's pair sits inside A's: it cannot become A.
    EXPECT_FALSE(list.ChangePairInput(1, {1, 2}, kA));
    // A's pair holds B: it cannot become B.
    EXPECT_FALSE(list.ChangePairInput(0, {0, 3}, kB));
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kA, kB, Up(kB), Up(kA)}));

    EXPECT_TRUE(list.ChangePairInput(1, {1, 2}, kC));
    EXPECT_TRUE(list.ChangePairInput(0, {0, 3}, 0x02000001));  // to the left button
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{0x02000001, kC, Up(kC), 0x02100001}));

    // Inputs decide, not names: left and right Ctrl may share a display name.
    constexpr EventCode kLeftCtrl = 0x0100001D;
    constexpr EventCode kRightCtrl = 0x0101001D;
    list = ListOf({kRightCtrl, kLeftCtrl, Up(kLeftCtrl), Up(kRightCtrl)});
    EXPECT_FALSE(list.ChangePairInput(2, {1, 2}, kRightCtrl));
    EXPECT_TRUE(list.ChangePairInput(2, {1, 2}, kLeftCtrl));  // its own input: no conflict
    EXPECT_EQ(Codes(list),
              (std::vector<EventCode>{kRightCtrl, kLeftCtrl, Up(kLeftCtrl), Up(kRightCtrl)}));
}

TEST(MacroListDelays, BulkDelaysSpareTheLastRowAndClicksAndTheDurationCountsTheRest) {
    MacroList list = ListOf({kA, 0x0220001E, Up(kA), kB, Up(kB)});
    list.SetDelaysOf(kActionPress, 50);
    EXPECT_EQ(list.row(0).delay, "50");
    EXPECT_EQ(list.row(1).delay, "30");  // click
    EXPECT_EQ(list.row(3).delay, "50");
    list.SetDelaysOf(kActionRelease, 70);
    EXPECT_EQ(list.row(2).delay, "70");
    EXPECT_EQ(list.row(4).delay, "30");  // the last row

    EXPECT_TRUE(list.ForceLastDelayZero());
    EXPECT_EQ(list.row(4).delay, "0");
    EXPECT_FALSE(list.ForceLastDelayZero());
    list.SetDelay(1, "");
    EXPECT_EQ(list.Duration(), 50u + 70u + 50u);
    EXPECT_EQ(DelayValue("99999999999"), 0xFFFFFFFFu);
}

TEST(MacroListRecord, LoadReadsNoFurtherThanTheArraysAndStoreGivesTheRowsBack) {
    auto macro = std::make_unique<MacroRecord>();
    std::memset(macro.get(), 0, sizeof *macro);
    macro->eventCount = 500;  // a damaged file
    for (int i = 0; i < kMaxMacroEvents; ++i) {
        macro->events[i] = i % 2 == 0 ? kA : Up(kA);
        macro->delays[i] = static_cast<std::uint32_t>(i);
        macro->positions[i] = static_cast<std::uint32_t>(i * 3);
    }
    MacroList list;
    list.Load(*macro);
    EXPECT_EQ(list.size(), kMaxMacroRows);
    EXPECT_EQ(list.row(127).delay, "127");

    auto stored = std::make_unique<MacroRecord>();
    std::memset(stored.get(), 0, sizeof *stored);
    list.Store(*stored);
    macro->eventCount = 128;
    EXPECT_EQ(std::memcmp(stored.get(), macro.get(), sizeof *macro), 0);
}

TEST(MacroRecorderTest, DelaysAreThePausesBetweenStrokesAndRepeatsAreDropped) {
    MacroList list;
    MacroRecorder recorder;
    using R = MacroRecorder::Result;
    EXPECT_EQ(recorder.Add(list, kA, 1000, true), R::Added);
    EXPECT_EQ(recorder.Add(list, kA, 1040, true), R::Dropped);  // auto-repeat
    EXPECT_EQ(recorder.Add(list, Up(kA), 1120, true), R::Added);
    EXPECT_EQ(recorder.Add(list, kB, 1420, true), R::Added);
    EXPECT_EQ(recorder.Add(list, 0x01000000 | 0x7F, 1430, true), R::Dropped);  // no such key
    EXPECT_EQ(recorder.Add(list, kC, 1440, false), R::Dropped);                // no name
    EXPECT_EQ(recorder.Add(list, Up(kB), 1500, true), R::Added);
    EXPECT_EQ(recorder.Add(list, kC, 1500, true), R::Added);
    std::vector<std::string> delays;
    for (int i = 0; i < list.size(); ++i) {
        delays.push_back(list.row(i).delay);
    }
    EXPECT_EQ(delays, (std::vector<std::string>{"120", "300", "80", "10", "0"}));

    // A new recording measures from its first stroke, and still drops the
    // stroke accepted last.
    recorder.Restart();
    list.Clear();
    EXPECT_EQ(recorder.Add(list, kC, 9000, true), R::Dropped);
    EXPECT_EQ(recorder.Add(list, Up(kC), 9000, true), R::Added);
    EXPECT_EQ(list.row(0).delay, "");

    while (list.size() < kMaxMacroRows) {
        list.Append({kA, "30", 0, {}});
    }
    EXPECT_EQ(recorder.Add(list, kB, 9100, true), R::ListFull);
    EXPECT_EQ(list.size(), kMaxMacroRows);

    EXPECT_EQ(RecordedKeyCode(0x1D, true, false), 0x0101001Du);
    EXPECT_EQ(RecordedKeyCode(0x1E, false, true), 0x0110001Eu);
}

// Rows as "code:delay" for the tables below.
std::vector<std::string> RowTexts(const MacroList& list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list.size(); ++i) {
        rows.push_back(std::to_string(list.row(i).code & 0xFFFFFF) + ":" + list.row(i).delay);
    }
    return rows;
}

TEST(MacroListMoves, AMoveAndItsReverseGiveTheListBackWithEveryPause) {
    using Rows = std::vector<std::pair<EventCode, const char*>>;
    struct Case {
        Rows start;
        int row;  // moved up
        Rows moved;
        int back;  // the row whose move down undoes it
    };
    // The pause before the last event stays there; the new last event has none.
    const Case cases[] = {
        {{{kA, "100"}, {Up(kA), "100"}, {kB, "100"}, {Up(kB), "0"}},
         3,
         {{kA, "100"}, {kB, "100"}, {Up(kB), "100"}, {Up(kA), "0"}},
         1},
        {{{kA, "100"}, {kB, "100"}, {Up(kA), "100"}, {Up(kB), "0"}},
         3,
         {{kA, "100"}, {kB, "100"}, {Up(kB), "100"}, {Up(kA), "0"}},
         2},
    };
    const auto load = [](const Rows& rows) {
        MacroList list;
        for (const auto& [code, delay] : rows) {
            list.Append({code, delay, 0, {}});
        }
        return list;
    };
    for (const Case& c : cases) {
        MacroList list = load(c.start);
        RowSelection selection = Select(list, c.row);
        list.MoveUp(selection);
        list.ForceLastDelayZero();
        EXPECT_EQ(RowTexts(list), RowTexts(load(c.moved)));
        selection = Select(list, c.back);
        list.MoveDown(selection);
        list.ForceLastDelayZero();
        EXPECT_EQ(RowTexts(list), RowTexts(load(c.start)));
    }
}

TEST(MacroRecorderTest, APressOfAHeldKeyIsARepeatEvenAfterOtherStrokes) {
    struct Case {
        std::vector<EventCode> strokes;
        std::vector<EventCode> recorded;
    };
    const Case cases[] = {
        {{kA, kB, kB, Up(kA), kB, kB, Up(kB)}, {kA, kB, Up(kA), Up(kB)}},
        {{kA, Up(kA), kA, Up(kA)}, {kA, Up(kA), kA, Up(kA)}},
        {{kA, kB, kA, Up(kB), kA, Up(kA)}, {kA, kB, Up(kB), Up(kA)}},
    };
    for (const Case& c : cases) {
        MacroList list;
        MacroRecorder recorder;
        std::uint32_t tick = 1000;
        for (EventCode code : c.strokes) {
            recorder.Add(list, code, tick += 30, true);
        }
        EXPECT_EQ(Codes(list), c.recorded);
    }
    // A key still held when recording stopped counts as released at the next start.
    MacroList list;
    MacroRecorder recorder;
    recorder.Add(list, kA, 100, true);
    recorder.Add(list, kB, 130, true);
    recorder.Restart();
    EXPECT_EQ(recorder.Add(list, kA, 200, true), MacroRecorder::Result::Added);
}

}  // namespace
}  // namespace gd
