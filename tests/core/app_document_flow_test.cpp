#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "app/document_flow.h"

namespace gd {
namespace {

// What the window's dialogs answer, and which of them ran.
struct Answers {
    SaveAnswer answer = SaveAnswer::Yes;
    SaveOutcome saveAs = SaveOutcome::Saved;
    bool saved = true;
};

TEST(RunSaveModified, TheQuestionComesFirstAndItsCancelOrAFailedSaveStopsTheCommand) {
    using A = SaveModifiedAction;
    using O = SaveOutcome;
    struct Row {
        A action;
        Answers answers;
        O outcome;
        std::string ran;
    };
    const Row rows[] = {
        {A::Nothing, {}, O::Unchanged, ""},
        {A::Save, {}, O::Saved, "save "},
        {A::Save, {.saved = false}, O::Failed, "save "},
        {A::AskThenSave, {}, O::Saved, "ask save "},
        {A::AskThenSave, {.answer = SaveAnswer::No}, O::Discarded, "ask "},
        {A::AskThenSave, {.answer = SaveAnswer::Cancel}, O::Cancelled, "ask "},
        {A::AskThenSave, {.saved = false}, O::Failed, "ask save "},
        // Without a file: Save As only after Yes.
        {A::AskThenSaveAs, {}, O::Saved, "ask saveAs "},
        {A::AskThenSaveAs, {.answer = SaveAnswer::No}, O::Discarded, "ask "},
        {A::AskThenSaveAs, {.answer = SaveAnswer::Cancel}, O::Cancelled, "ask "},
        {A::AskThenSaveAs, {.saveAs = O::Cancelled}, O::Cancelled, "ask saveAs "},
        {A::AskThenSaveAs, {.saveAs = O::Failed}, O::Failed, "ask saveAs "},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        std::string ran;
        const SaveModifiedSteps steps{
            .askToSave = [&] { return ran += "ask ", row.answers.answer; },
            .saveAs = [&] { return ran += "saveAs ", row.answers.saveAs; },
            .save = [&] { return ran += "save ", row.answers.saved; },
        };
        EXPECT_EQ(RunSaveModified(row.action, steps), row.outcome) << "row " << i;
        EXPECT_EQ(ran, row.ran) << "row " << i;
    }

    // A command that replaces the profile goes on only without unsaved
    // changes left behind; APPLY and OK publish unless the user cancelled.
    using M = SaveModifiedMode;
    for (const O outcome : {O::Unchanged, O::Saved, O::Discarded}) {
        EXPECT_TRUE(CommandGoesOn(outcome, M::Ask)) << static_cast<int>(outcome);
        EXPECT_TRUE(CommandGoesOn(outcome, M::Silent)) << static_cast<int>(outcome);
    }
    EXPECT_FALSE(CommandGoesOn(O::Cancelled, M::Ask));
    EXPECT_FALSE(CommandGoesOn(O::Failed, M::Ask));
    EXPECT_FALSE(CommandGoesOn(O::Cancelled, M::Silent));
    EXPECT_TRUE(CommandGoesOn(O::Failed, M::Silent));
}

TEST(ForwardedOpen, WaitsForTheDialogsAndNeverNests) {
    ForwardedOpen open;
    EXPECT_FALSE(open.Take(false));

    // Arrived while a dialog is open: kept, and the newest replaces it.
    open.Keep("a.gpx");
    EXPECT_FALSE(open.Take(true));
    open.Keep("b.gpx");
    EXPECT_TRUE(open.IsWaiting());
    {
        const auto opening = open.Take(false);
        ASSERT_TRUE(opening);
        EXPECT_EQ(opening->Path(), "b.gpx");
        EXPECT_FALSE(open.IsWaiting());

        // One arriving during that open (its question or message box)
        // waits for it to end.
        open.Keep("c.gpx");
        EXPECT_FALSE(open.Take(false));
    }
    const auto next = open.Take(false);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->Path(), "c.gpx");
    EXPECT_FALSE(open.IsWaiting());
}

}  // namespace
}  // namespace gd
