#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "editors/key_capture_rules.h"
#include "editors/layer_list.h"
#include "editors/macro_fields.h"
#include "editors/macro_list.h"
#include "editors/mouse_button_rules.h"
#include "editors/recording_keys.h"
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

// Every byte of a written record: the name, the given words (offset, then
// word), zeros elsewhere.
void ExpectRecord(const MultiLayerRecord& record, const std::string& name,
                  const std::vector<std::uint32_t>& words) {
    std::vector<std::uint8_t> expected(kSlotPayloadSize, 0);
    std::memcpy(expected.data(), name.data(), name.size());
    for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
        std::memcpy(expected.data() + words[i], &words[i + 1], 4);
    }
    ASSERT_EQ(sizeof record, expected.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(bytes[i], expected[i]) << "offset " << i;
    }
}

TEST(KeyCapture, StrokesAndTheSingleSwitchRecordReadAndWritten) {
    // The action row ignores kind and key bits; an action without a row shows Click.
    EXPECT_EQ(CaptureActionIndex(kKeyCodeBase | 0x00100000 | 0x1001C), 2);
    EXPECT_EQ(CaptureActionIndex(0x01F00000), 0);
    EXPECT_EQ(StrokeKey(0x1C, false), 0x1Cu);        // Enter
    EXPECT_EQ(StrokeKey(0x1C, true), 0x1001Cu);      // keypad Enter, a key of its own
    EXPECT_TRUE(IsKnownKey(StrokeKey(0x36, true)));  // right Shift only with its flag
    EXPECT_EQ(StrokeKey(0xFFFFFFFF, true), 0x1FFFFu);

    const std::uint32_t keys = LayerType::Key;
    // The codes of the two layers, and the key they make if any.
    const std::tuple<EventCode, EventCode, std::optional<std::uint32_t>> cases[] = {
        {0x0100001E, 0x0110001E, 0x1E},         {0x0101001C, 0x0111001C, 0x1001C},
        {0x0100001E, 0x0110001F, std::nullopt},  // two different keys
        {0x0101001C, 0x0110001C, std::nullopt},  // extended and plain
        {0x0120001E, 0x0120001E, std::nullopt},  // two clicks
    };
    for (const auto& [code0, code1, expected] : cases) {
        EXPECT_EQ(SingleSwitchKeyOf(*TwoLayers(keys, code0, keys, code1)), expected)
            << std::hex << code0;
    }

    // A written record is exact, and every key reads back as itself.
    KeyNameSource& previous = UseKeyNameSource(BuiltInKeyNameSource());
    auto record = Dirty();
    WriteSingleSwitchKey(*record, 0xFF20001E, kSingle);  // only the key part is used
    ExpectRecord(*record, "A(Single)",
                 {256, 2, 260, 0x01000000, 264, 0x0100001E, 2076, 0x01000000, 2080, 0x0110001E});
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

// The capture swallows every event until the key pressed last comes up;
// after that the keys that work the dialog go on, and every other key is
// still swallowed and taken.
TEST(KeyCapture, TheCaptureEndsWithAStrokeAndThenLetsTheDialogKeysThrough) {
    constexpr std::uint32_t kA = 0x1E, kB = 0x30, kTab = 0x0F, kEnter = 0x1C, kSpace = 0x39,
                            kLeftShift = 0x2A, kRightShift = 0x10036, kF13 = 0x64, kUp = 0x10048,
                            kEscape = 0x01;
    struct Event {
        std::uint32_t key;
        bool released;
        bool passOn, takeKey, complete;
        bool behind = false;  // another window is in front of the dialog
    };
    const struct {
        const char* what;
        bool arrows;
        std::vector<Event> events;
    } cases[] = {
        {"Enter as the first stroke is taken, and only its release completes it",
         false,
         {{kEnter, true, true, false, false},  // left over from the key that opened it: goes on
          {kEnter, false, false, true, false},
          {kEnter, true, false, false, true},
          {kEnter, false, true, false, false},
          {kEnter, true, true, false, false}}},
        {"the key pressed last is the one whose release counts",
         false,
         {{kLeftShift, false, false, true, false},
          {kTab, false, false, true, false},
          {kLeftShift, true, false, false, false},
          {kTab, true, false, false, true},
          {kLeftShift, false, true, false, false}}},
        {"after the capture other keys are still swallowed and taken",
         false,
         {{kA, false, false, true, false},
          {kA, true, false, false, true},
          {kB, false, false, true, false},
          {kB, true, false, false, false},
          {kSpace, false, true, false, false},
          {kTab, false, true, false, false},
          {kRightShift, false, true, false, false},
          {kUp, false, false, true, false},
          {kF13, false, false, false, false}}},
        {"Escape is a key while capturing; after it, Escape goes on to cancel",
         false,
         {{kEscape, false, false, true, false},
          {kEscape, true, false, false, true},
          {kEscape, false, true, false, false},
          {kEscape, true, true, false, false}}},
        {"the arrows work the action list while it shows",
         true,
         {{kA, false, false, true, false},
          {kA, true, false, false, true},
          {kUp, false, true, false, false}}},
        {"behind another window the dialog keys are taken, never let through to it",
         false,
         {{kA, false, false, true, false},
          {kA, true, false, false, true},
          {kTab, false, false, true, false, true},
          {kTab, true, false, false, false, true}}},
    };
    for (const auto& c : cases) {
        KeyCaptureState state;
        state.SetArrowsWorkTheDialog(c.arrows);
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            const Event& e = c.events[i];
            const KeyCaptureState::Outcome outcome =
                state.OnKey(e.key, e.released, !e.behind, false);
            EXPECT_EQ(outcome.passOn, e.passOn) << c.what << ", event " << i;
            EXPECT_EQ(outcome.takeKey, e.takeKey) << c.what << ", event " << i;
            EXPECT_EQ(outcome.complete, e.complete) << c.what << ", event " << i;
        }
    }
}

// OK hands back a key only once there is one the key table lists: a new
// assignment starts with none, and the table's first key is no stand-in.
TEST(KeyCapture, OkNeedsAListedKeyAndANewAssignmentStartsWithNone) {
    EXPECT_FALSE(HasCapturedKey(kNoCapturedKey));
    EXPECT_FALSE(HasCapturedKey(0x64));  // F13: not in the table
    EXPECT_TRUE(HasCapturedKey(0x1E));
    EXPECT_TRUE(HasCapturedKey(0x1001D));
    EXPECT_TRUE(HasCapturedKey(0x01));  // Escape, itself a key to assign

    auto record = TwoLayers(0, 0, 0, 0);
    SetStopLayer(record->layers[0], LayerType::StopKey);
    EXPECT_EQ(KeyStartFor(record->layers[0]).key, kNoCapturedKey);
    EXPECT_EQ(KeyStartFor(record->layers[1]).key, kNoCapturedKey);
    EXPECT_EQ(KeyStartFor(record->layers[0]).flags, kKeyEditorStart);
}

// While recording, every stroke is the macro's and no other program's but
// for Pause, which stops it unrecorded, and for the releases of keys pressed
// before the recording, which the system must see and the macro never
// holds without their press.
TEST(RecordingKeys, PauseStopsUnrecordedAndReleasesFromBeforeGoOnUnrecorded) {
    constexpr std::uint32_t kPauseVk = 0x13, kPause = 0x45, kSpaceVk = 0x20, kSpace = 0x39,
                            kShiftVk = 0x10, kShift = 0x2A, kAVk = 0x41, kA = 0x1E,
                            kNumLockVk = 0x90;
    struct Event {
        std::uint32_t vk, key;
        bool released;
        bool heldBefore;
        bool record, passOn, stop;
    };
    const struct {
        const char* what;
        std::vector<Event> events;
    } cases[] = {
        {"strokes are recorded and kept from the system",
         {{kAVk, kA, false, false, true, false, false},
          {kAVk, kA, true, false, true, false, false}}},
        {"Pause stops at its press, unrecorded and swallowed",
         {{kAVk, kA, false, false, true, false, false},
          {kPauseVk, kPause, false, false, false, false, true}}},
        {"Num Lock shares Pause's scan code and is recorded",
         {{kNumLockVk, kPause | 0x10000, false, false, true, false, false}}},
        {"the release of the Space that started it goes on, unrecorded",
         {{kSpaceVk, kSpace, true, false, false, true, false},
          {kAVk, kA, false, false, true, false, false}}},
        {"a Shift held since before: its auto-repeats and release are recorded, the release "
         "goes on",
         {{kShiftVk, kShift, false, true, true, false, false},
          {kShiftVk, kShift, true, false, true, true, false}}},
        {"a Pause pressed before the recording: its release goes on, unrecorded",
         {{kPauseVk, kPause, true, false, false, true, false}}},
    };
    for (const auto& c : cases) {
        RecordingKeys keys;
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            const Event& e = c.events[i];
            const RecordingKeys::Outcome outcome =
                keys.OnKey(e.vk, e.key, e.released, e.heldBefore);
            EXPECT_EQ(outcome.record, e.record) << c.what << ", event " << i;
            EXPECT_EQ(outcome.passOn, e.passOn) << c.what << ", event " << i;
            EXPECT_EQ(outcome.stop, e.stop) << c.what << ", event " << i;
        }
    }
}

// A release is swallowed only when every press of its key since the last
// release was swallowed and none found the key already held down: the
// system marks a key up only when its release reaches it.
TEST(SwallowedKeys, AReleaseGoesOnWheneverAnyPressOfItsKeyReachedTheSystem) {
    constexpr std::uint32_t kShift = 0x2A, kA = 0x1E;
    struct Event {
        std::uint32_t key;
        bool released;
        bool reached;            // a press: it went on, or found the key held down
        bool swallowed = false;  // a release: the outcome
    };
    const struct {
        const char* what;
        std::vector<Event> events;
    } cases[] = {
        {"a stroke swallowed whole", {{kA, false, false}, {kA, true, false, true}}},
        {"a key held down from before the hook, seen only by its auto-repeats",
         {{kShift, false, true},
          {kShift, false, true},
          {kShift, false, true},
          {kShift, true, false}}},
        {"a first press that went on, then auto-repeats swallowed",
         {{kShift, false, true},
          {kShift, false, false},
          {kShift, false, false},
          {kShift, true, false}}},
        {"a swallowed press whose auto-repeat went on",
         {{kA, false, false}, {kA, false, true}, {kA, true, false}}},
        {"a release without a press", {{kA, true, false}}},
        {"each key on its own, whatever order the releases come in",
         {{kShift, false, true},
          {kA, false, false},
          {kShift, true, false},
          {kShift, false, false},
          {kA, true, false, true},
          {kShift, true, false, true}}},
        {"a release ends what its key's presses reached",
         {{kA, false, true},
          {kA, true, false},
          {kA, false, false},
          {kA, true, false, true},
          {kA, true, false}}},
    };
    for (const auto& c : cases) {
        SwallowedKeys keys;
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            const Event& e = c.events[i];
            if (e.released) {
                EXPECT_EQ(keys.Released(e.key), e.swallowed) << c.what << ", event " << i;
            } else {
                keys.Pressed(e.key, e.reached);
            }
        }
    }
}

// The capture's releases follow its presses: a Shift that reached the system
// before the capture or while it let the key through is let up again, even
// when its auto-repeats were swallowed meanwhile.
TEST(KeyCapture, AKeyThatReachedTheSystemIsLetUpWhateverTheCaptureDidMeanwhile) {
    constexpr std::uint32_t kLeftShift = 0x2A, kB = 0x30;
    const auto press = [](KeyCaptureState& state, bool heldBefore) {
        return state.OnKey(kLeftShift, false, true, heldBefore).passOn;
    };
    const auto release = [](KeyCaptureState& state) {
        return state.OnKey(kLeftShift, true, true, false).passOn;
    };
    {
        SCOPED_TRACE("held down as the dialog opened: only its auto-repeats come");
        KeyCaptureState state;
        EXPECT_FALSE(press(state, true));
        EXPECT_FALSE(press(state, true));
        EXPECT_TRUE(release(state));
    }
    {
        SCOPED_TRACE("pressed while it worked the dialog, auto-repeated after Change");
        KeyCaptureState state;
        state.OnKey(kB, false, true, false);
        state.OnKey(kB, true, true, false);
        EXPECT_TRUE(press(state, false));
        state.Restart();
        // Remembered from the press itself, whatever the system reports.
        EXPECT_FALSE(press(state, false));
        EXPECT_TRUE(release(state));
    }
    {
        SCOPED_TRACE("pressed and released during the capture");
        KeyCaptureState state;
        EXPECT_FALSE(press(state, false));
        EXPECT_FALSE(press(state, false));
        EXPECT_FALSE(release(state));
    }
}

// One name for every key, to see what a long name does to the record.
struct OneNameSource final : KeyNameSource {
    explicit OneNameSource(std::size_t length) : name(length, 'k') {}
    bool NameOf(std::uint32_t, char* buffer, std::size_t size) override {
        const bool fits = name.size() < size;
        if (fits) {
            std::memcpy(buffer, name.c_str(), name.size() + 1);
        }
        return fits;
    }
    const std::string name;
};

TEST(KeyCapture, NamesAreCutToTheirFieldAndNeverRunPastIt) {
    const std::pair<std::size_t, std::string> cases[] = {
        {247, std::string(247, 'k') + "(Single)"},  // exactly 255
        {250, std::string(250, 'k') + "(Sing"},
        {255, std::string(255, 'k')},
    };
    for (const auto& [length, expected] : cases) {
        OneNameSource longNames(length);
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
    // Flags, x and y of a code, and the action and position items it opens on.
    const std::tuple<std::uint32_t, std::int32_t, std::int32_t, int, int> open[] = {
        {0x02200000, 0, 0, kMouseClickItem, kMouseUndefinedItem},
        {0x02000000, -3, 0, kMousePressItem, kMouseRelativeItem},
        {0x02110000, 0, 0, kMouseReleaseItem, kMouseAbsoluteItem},  // absolute even at 0, 0
        {0x00200000, 7, 7, kMouseClickItem, kMouseRelativeItem},    // the kind plays no part
        {0x02F20000, 1, 1, kNoMouseItem, kNoMouseItem},
    };
    for (const auto& [flags, x, y, action, position] : open) {
        EXPECT_EQ(MouseActionItemOf(flags), action) << std::hex << flags;
        EXPECT_EQ(MousePositionItemOf(flags, x, y), position) << std::hex << flags;
    }
    // The caller's flags and the items chosen, and the flags OK records.
    const std::tuple<std::uint32_t, int, int, std::uint32_t> ok[] = {
        {0x00200000, kMouseClickItem, kMouseRelativeItem, 0x02200000},
        // Kind and button bits of the caller's flags never survive.
        {0x0121FFFF, kMouseReleaseItem, kMouseAbsoluteItem, 0x02110000},
        // A list without a selection keeps the caller's bits for its part.
        {0x02700000, kNoMouseItem, kMouseRelativeItem, 0x02700000},
        {0x02230000, kMousePressItem, kNoMouseItem, 0x02030000},
    };
    for (const auto& [flags, action, position, recorded] : ok) {
        EXPECT_EQ(MouseFlagsAtOk(flags, action, position), recorded) << std::hex << flags;
    }
}

TEST(MouseButton, SingleSwitchRecordIsExactAndReadsBackAndOthersAreNotRead) {
    auto record = Dirty();
    WriteSingleSwitchMouse(*record, {0x02210000, kMouseRight, -2048, 37, 1920, 1080}, kSingle);
    // Layer 0 presses with the absolute flag kept; layer 1 releases, with no position.
    ExpectRecord(*record, "Right Button(Single)",
                 {256, 2, 260, 0x02000000, 264, 0x02010002, 268, 0xFFFFF800, 272, 37, 276, 1920,
                  280, 1080, 2076, 0x02000000, 2080, 0x02100002});
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

    // Any other record leaves the values alone.
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
        values = {0x02200000, kMouseLeft, 1, 2, 1024, 768};
        EXPECT_FALSE(ReadSingleSwitchMouse(*others[i], values)) << i;
        EXPECT_EQ(values.flags, 0x02200000u) << i;
        EXPECT_EQ(values.x, 1) << i;
        EXPECT_EQ(values.screenWidth, 1024u) << i;
    }
}

TEST(LayerList, RowsFillUpToTheFreeRowClearingClosesTheGapAndRowsShowTheirLayer) {
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
    // Insert adds at the free row; with four layers there is none.
    EXPECT_EQ(FreeRow(*record), -1);
    record->layerCount = 2;
    EXPECT_EQ(FreeRow(*record), 2);

    // Row texts and where the editors start from a row.
    const LayerTypeTexts texts{"Single", "Macro", "Stop"};
    record = TwoLayers(0, 0, 0, 0);
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

    // The stop commands set their own stop; any other command the plain one.
    EXPECT_EQ(StopLayerType(ID_SUPER_STOP), LayerType::SuperStop);
    EXPECT_EQ(StopLayerType(ID_KEYBOARD), LayerType::StopKey);
}

TEST(MacroFields, DelaysAndPositionsAsTypedAndShown) {
    using Delay = DelayFieldCheck::Outcome;
    // What is typed, what the field does, and the text it keeps.
    const std::tuple<const char*, Delay, const char*> delays[] = {
        {"5", Delay::Store, "5"},  // below 30 is taken while typing
        {"70000", Delay::Shorten, "7000"},
        {"12a", Delay::CutAndKeep, "12"},
        {"0x", Delay::Store, "0"},  // a zero before junk reads as 0
        {"99999999999999999999", Delay::Shorten, "9999999999999999999"},
    };
    for (const auto& [typed, outcome, text] : delays) {
        const DelayFieldCheck check = CheckDelayField(typed);
        EXPECT_EQ(check.outcome, outcome) << typed;
        EXPECT_EQ(check.text, text) << typed;
    }
    using Position = PositionFieldCheck::Outcome;
    // And for positions, the value stored.
    const std::tuple<const char*, Position, const char*, int> positions[] = {
        {"-2048", Position::Store, "-2048", -2048}, {"-", Position::Store, "-", 0},
        {"2049", Position::Retype, "204", 0},       {"-3000", Position::Retype, "-300", 0},
        {"12a4", Position::Retype, "12", 0},        {"+5", Position::Retype, "", 0},
    };
    for (const auto& [typed, outcome, text, value] : positions) {
        const PositionFieldCheck check = CheckPositionField(typed);
        EXPECT_EQ(check.outcome, outcome) << typed;
        EXPECT_EQ(check.text, text) << typed;
        if (outcome == Position::Store) {
            EXPECT_EQ(check.value, value) << typed;
        }
    }
    EXPECT_EQ(PositionText("Relative", 10, -5), "Relative (10,-5)");
    // The mode a mouse press shows: any flag is absolute, a relative 0,0
    // undefined, whatever the button.
    EXPECT_EQ(PressPositionItem(0x02020004, 0), kMouseAbsoluteItem);
    EXPECT_EQ(PressPositionItem(0x02000002, 0), kMouseUndefinedItem);
    EXPECT_EQ(PressPositionItem(0x02000002, PackPosition(0, -1)), kMouseRelativeItem);
    // A new press that also moves the pointer waits longer after itself.
    EXPECT_EQ(NewMousePressDelay(0, 0), "30");
    EXPECT_EQ(NewMousePressDelay(0, -1), "200");
}

// A radio and its stored play mode find each other; a layer's macro (0)
// checks Once, and a mode or id no radio stands for finds none.
TEST(MacroFields, EachStoredPlayModeChecksItsRadioAndAnyOtherNone) {
    for (const PlayModeRadio& row : kPlayModeRadios) {
        EXPECT_EQ(RadioForPlayMode(row.playMode), &row) << row.radio;
        EXPECT_EQ(PlayModeOfRadio(row.radio), &row) << row.radio;
    }
    EXPECT_EQ(RadioForPlayMode(0), PlayModeOfRadio(IDC_PLAY_ONCE));
    EXPECT_EQ(RadioForPlayMode(0x00300000), nullptr);
    EXPECT_EQ(RadioForPlayMode(0x00000001), nullptr);
    EXPECT_EQ(PlayModeOfRadio(IDC_OK), nullptr);
}

constexpr EventCode kA = 0x0100001E;  // press; | 0x00100000 releases
constexpr EventCode kB = 0x01000030;
constexpr EventCode kC = 0x0100002E;
constexpr EventCode kRight = 0x02000002;  // mouse right, relative press

constexpr EventCode Up(EventCode press) {
    return press | 0x00100000;
}

MacroList ListOf(const std::vector<EventCode>& codes) {
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

// A press pairs with its first exact release, a release with the nearest
// press; a click has no partner, and an absolute release closes no relative
// press.
TEST(MacroListPairs, PairsAndANewInputThatMustNotBreakTheNestingWhateverTheNames) {
    MacroList list = ListOf({kA, kB, Up(kA), kA, Up(kB), Up(kA), 0x0120001E});
    EXPECT_EQ(list.PairOf(0), (RowPair{0, 2}));
    EXPECT_EQ(list.PairOf(3), (RowPair{3, 5}));
    EXPECT_EQ(list.PairOf(5), (RowPair{3, 5}));
    EXPECT_EQ(list.PairOf(4), (RowPair{1, 4}));
    EXPECT_EQ(list.PairOf(6), std::nullopt);
    EXPECT_EQ(list.PairOf(7), std::nullopt);
    EXPECT_EQ(ListOf({kRight, Up(kRight) | 0x00010000}).PairOf(0), std::nullopt);

    list = ListOf({kA, kB, Up(kB), Up(kA)});
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

TEST(MacroListInsert, APairGoesOnlyWhereNoPairOfItsInputIsOpenAndKeepsItsPosition) {
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

    // Positions follow the mode and survive deleting another pair.
    list = ListOf({kA, Up(kA)});
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

// Rows as "code:delay".
std::vector<std::string> RowTexts(const MacroList& list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list.size(); ++i) {
        rows.push_back(std::to_string(list.row(i).code & 0xFFFFFF) + ":" + list.row(i).delay);
    }
    return rows;
}

// A press right above its release moves with it; no row passes its partner
// or another row of its input, and the buttons say so. A move and its
// reverse give the list back with every pause: the pause before the last
// event stays there, and the new last event has none.
TEST(MacroListMoves, NoRowPassesItsPartnerOrItsInputAndAMoveBackKeepsEveryPause) {
    using Rows = std::vector<EventCode>;
    const Rows abBA{kA, kB, Up(kB), Up(kA)}, abAB{kA, kB, Up(kA), Up(kB)};
    const Rows baBA{kB, kA, Up(kB), Up(kA)}, aAbB{kA, Up(kA), kB, Up(kB)};
    const Rows bAaB{kB, kA, Up(kA), Up(kB)}, aAaA{kA, Up(kA), kA, Up(kA)};
    // Every row but the last has a pause.
    const auto paused = [](const Rows& codes) {
        MacroList list = ListOf(codes);
        list.ForceLastDelayZero();
        return list;
    };
    const struct {
        const char* what;
        Rows start;
        int row;
        bool down;
        bool button;  // the state of that move's button
        Rows moved;
        RowSelection selection;  // after the move
        int back;                // the row whose opposite move undoes it, if any
    } cases[] = {
        {"a press alone past another pair", abBA, 0, true, true, baBA, {1, RowPair{1, 3}}, 1},
        {"a press with its release as a block", aAbB, 0, true, true, bAaB, {1, RowPair{1, 2}}, 2},
        {"a release with its press as a block", bAaB, 2, false, true, aAbB, {1, RowPair{0, 1}}, 0},
        {"blocked by a pair of its input", aAaA, 1, true, false, aAaA, {1, RowPair{0, 1}}, -1},
        {"a block up to the end", aAbB, 3, false, true, abBA, {2, RowPair{1, 2}}, 1},
        {"a release alone up to the end", abAB, 3, false, true, abBA, {2, RowPair{1, 2}}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MacroList list = paused(c.start);
        RowSelection selection = Select(list, c.row);
        const MoveButtons buttons = list.MoveButtonStates(selection);
        EXPECT_EQ(c.down ? buttons.down : buttons.up, c.button);
        c.down ? list.MoveDown(selection) : list.MoveUp(selection);
        list.ForceLastDelayZero();
        EXPECT_EQ(RowTexts(list), RowTexts(paused(c.moved)));
        EXPECT_EQ(selection, c.selection);
        if (c.back >= 0) {
            selection = Select(list, c.back);
            c.down ? list.MoveUp(selection) : list.MoveDown(selection);
            list.ForceLastDelayZero();
            EXPECT_EQ(RowTexts(list), RowTexts(paused(c.start)));
        }
    }
    // A row outside the pair leaves the buttons as they are; no pair disables both.
    const MacroList list = ListOf({kA, kC, Up(kA)});
    EXPECT_FALSE(list.MoveButtonStates({1, RowPair{0, 2}}).up.has_value());
    EXPECT_EQ(list.MoveButtonStates(Select(list, 1)).up, false);
}

TEST(MacroListDelays, BulkDelaysSpareTheLastRowAndClicksAndTheRecordKeepsThemAll) {
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

    // Load reads no further than the arrays, and Store gives the rows back.
    auto macro = std::make_unique<MacroRecord>();
    std::memset(macro.get(), 0, sizeof *macro);
    macro->eventCount = 500;  // a damaged file
    for (int i = 0; i < kMaxMacroEvents; ++i) {
        macro->events[i] = i % 2 == 0 ? kA : Up(kA);
        macro->delays[i] = static_cast<std::uint32_t>(i);
        macro->positions[i] = static_cast<std::uint32_t>(i * 3);
    }
    list.Load(*macro);
    EXPECT_EQ(list.size(), kMaxMacroRows);
    EXPECT_EQ(list.row(127).delay, "127");

    auto stored = std::make_unique<MacroRecord>();
    std::memset(stored.get(), 0, sizeof *stored);
    list.Store(*stored);
    macro->eventCount = 128;
    EXPECT_EQ(std::memcmp(stored.get(), macro.get(), sizeof *macro), 0);
}

TEST(MacroRecorderTest, DelaysAreThePausesBetweenStrokesAndRepeatsOfAHeldKeyAreDropped) {
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

    // A press of a held key is a repeat even after other strokes: strokes
    // and what is recorded of them.
    const std::pair<std::vector<EventCode>, std::vector<EventCode>> cases[] = {
        {{kA, kB, kB, Up(kA), kB, kB, Up(kB)}, {kA, kB, Up(kA), Up(kB)}},
        {{kA, Up(kA), kA, Up(kA)}, {kA, Up(kA), kA, Up(kA)}},
        {{kA, kB, kA, Up(kB), kA, Up(kA)}, {kA, kB, Up(kB), Up(kA)}},
    };
    for (const auto& [strokes, recorded] : cases) {
        MacroList held;
        MacroRecorder fresh;
        std::uint32_t tick = 1000;
        for (EventCode code : strokes) {
            fresh.Add(held, code, tick += 30, true);
        }
        EXPECT_EQ(Codes(held), recorded);
    }
    // A key still held when recording stopped counts as released at the next start.
    list.Clear();
    recorder.Restart();
    recorder.Add(list, kA, 100, true);
    recorder.Add(list, kB, 130, true);
    recorder.Restart();
    EXPECT_EQ(recorder.Add(list, kA, 200, true), R::Added);
}

}  // namespace
}  // namespace gd
