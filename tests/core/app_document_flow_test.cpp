#include <gtest/gtest.h>

#include <string>

#include "app/document_flow.h"

namespace gd {
namespace {

// What the window's dialogs answer, and which of them ran.
struct Answers {
    bool yes = true;
    bool saveAsSaved = true;
    bool saved = true;
};

TEST(RunSaveModified, OnlyACancelledOrFailedSaveStopsTheCommand) {
    using A = SaveModifiedAction;
    struct Row {
        A action;
        Answers answers;
        bool goesOn;
        std::string ran;
    };
    const Row rows[] = {
        {A::Nothing, {}, true, ""},
        {A::SaveAs, {}, true, "saveAs "},
        {A::SaveAs, {.saveAsSaved = false}, false, "saveAs "},
        {A::Save, {}, true, "save "},
        {A::Save, {.saved = false}, false, "save "},
        {A::AskThenSave, {}, true, "ask save "},
        {A::AskThenSave, {.yes = false}, true, "ask "},
        {A::AskThenSave, {.saved = false}, false, "ask save "},
    };
    for (const Row& row : rows) {
        std::string ran;
        const SaveModifiedSteps steps{
            .askToSave = [&] { return ran += "ask ", row.answers.yes; },
            .saveAs = [&] { return ran += "saveAs ", row.answers.saveAsSaved; },
            .save = [&] { return ran += "save ", row.answers.saved; },
        };
        EXPECT_EQ(RunSaveModified(row.action, steps), row.goesOn) << static_cast<int>(row.action);
        EXPECT_EQ(ran, row.ran) << static_cast<int>(row.action);
    }
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
