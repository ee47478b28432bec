#include "editors/macro_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace gd {
namespace {

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
    EXPECT_EQ(ListOf({kA}).PairOf(0), std::nullopt);
    // An absolute release does not close a relative press.
    EXPECT_EQ(ListOf({kRight, Up(kRight) | 0x00010000}).PairOf(0), std::nullopt);
    EXPECT_EQ(list.PairOf(7), std::nullopt);
    EXPECT_EQ(list.PairOf(-1), std::nullopt);
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
    EXPECT_EQ(list.row(3).position, 0x000AFFFBu);

    list.SetPositionMode(right, true);
    list.SetPosition(right, 300, -5);
    EXPECT_EQ(list.row(2).code, 0x02010002u);
    EXPECT_EQ(list.row(3).code, 0x02110002u);
    EXPECT_EQ(list.row(2).position, 0x012CFFFBu);
    EXPECT_EQ(list.row(3).position, 0x012CFFFBu);
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

TEST(MacroListKeys, ANewInputForAPairMustNotBreakTheNesting) {
    MacroList list = ListOf({kA, kB, Up(kB), Up(kA)});
    // B's pair sits inside A's: it cannot become A.
    EXPECT_FALSE(list.ChangePairInput(1, {1, 2}, kA));
    // A's pair holds B: it cannot become B.
    EXPECT_FALSE(list.ChangePairInput(0, {0, 3}, kB));
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{kA, kB, Up(kB), Up(kA)}));

    EXPECT_TRUE(list.ChangePairInput(1, {1, 2}, kC));
    EXPECT_TRUE(list.ChangePairInput(0, {0, 3}, 0x02000001));  // to the left button
    EXPECT_EQ(Codes(list), (std::vector<EventCode>{0x02000001, kC, Up(kC), 0x02100001}));
}

TEST(MacroListDelays, BulkDelaysSpareTheLastRowAndClicksAndTheDurationCountsTheRest) {
    MacroList list = ListOf({kA, 0x0220001E, Up(kA), kB, Up(kB)});
    list.SetDelaysOf(kActionPress, 50);
    EXPECT_EQ(list.row(0).delay, "50");
    EXPECT_EQ(list.row(1).delay, "30");  // click
    EXPECT_EQ(list.row(2).delay, "30");
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
        int row;
        bool up;
        Rows moved;
        int back;  // the row whose opposite move undoes it
    };
    // The pause before the last event stays there; the new last event has none.
    const Case cases[] = {
        {{{kA, "100"}, {Up(kA), "100"}, {kB, "100"}, {Up(kB), "0"}},
         3,
         true,
         {{kA, "100"}, {kB, "100"}, {Up(kB), "100"}, {Up(kA), "0"}},
         1},
        {{{kA, "100"}, {kB, "100"}, {Up(kA), "100"}, {Up(kB), "0"}},
         3,
         true,
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
        c.up ? list.MoveUp(selection) : list.MoveDown(selection);
        list.ForceLastDelayZero();
        EXPECT_EQ(RowTexts(list), RowTexts(load(c.moved)));
        selection = Select(list, c.back);
        c.up ? list.MoveDown(selection) : list.MoveUp(selection);
        list.ForceLastDelayZero();
        EXPECT_EQ(RowTexts(list), RowTexts(load(c.start)));
    }
}

TEST(MacroListKeys, InputsDecideTheNestingCheckWhateverTheirNames) {
    // Left and right Ctrl may share a display name; the pair of left Ctrl
    // still cannot become right Ctrl inside right Ctrl's own pair.
    constexpr EventCode kLeftCtrl = 0x0100001D;
    constexpr EventCode kRightCtrl = 0x0101001D;
    MacroList list = ListOf({kRightCtrl, kLeftCtrl, Up(kLeftCtrl), Up(kRightCtrl)});
    EXPECT_FALSE(list.ChangePairInput(2, {1, 2}, kRightCtrl));
    EXPECT_TRUE(list.ChangePairInput(2, {1, 2}, kLeftCtrl));  // its own input: no conflict
    EXPECT_EQ(Codes(list),
              (std::vector<EventCode>{kRightCtrl, kLeftCtrl, Up(kLeftCtrl), Up(kRightCtrl)}));
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
