#include <gtest/gtest.h>

#include <cstring>

#include "profile/image.h"
#include "summary/resolution_list.h"
#include "summary/summary_fields.h"

namespace gd {
namespace {

TEST(ResolutionList, StartMatchesPrefixesTypingMatchesWholeTexts) {
    const struct {
        std::int32_t x, y;
        int atStart, whileTyping;
    } cases[] = {
        {1024, 768, 6, 6},
        {0, 0, -1, 0},
        {1280, 72, 9, 0},  // "1280x72" begins "1280x720"
                           // but is not it
        {1280, 720, 9, 9},
        {1280, 1024, 13, 13},
        {1920, 1080, -1, 0},
        {-1, 5, -1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchResolutionAtStart(c.x, c.y), c.atStart) << c.x << "x" << c.y;
        EXPECT_EQ(MatchResolutionWhileTyping(c.x, c.y), c.whileTyping) << c.x << "x" << c.y;
        if (c.whileTyping > 0) {
            EXPECT_EQ(ResolutionListEntry(c.whileTyping).value, MakeResolution(c.x, c.y));
        }
    }
}

TEST(ResolutionList, FieldsKeepTheirLeadingDigitsAndReadAsNumbers) {
    const struct {
        const char* text;
        const char* kept;
        int value;
    } cases[] = {
        {"", "", 0},   {"1280", "1280", 1280}, {"12x34", "12", 12},
        {"-5", "", 0}, {"007", "007", 7},      {"99999999999", "99999999999", 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingDigits(c.text), c.kept) << c.text;
        EXPECT_EQ(ParseResolutionField(c.kept), c.value) << c.text;
    }
}

TEST(SummaryFields, TextsAreCutToTheirFieldsAndRoundTripThroughTheBlock) {
    SummaryFields fields{
        std::string(70, 'n'), std::string(64, 'g'), "Kim", kCommentPlaceholder, 1280, 1024};
    SummaryFields limited = fields;
    limited.comment = std::string(721, 'c');
    LimitTexts(limited);
    EXPECT_EQ(limited.name, std::string(64, 'n'));
    EXPECT_EQ(limited.game, std::string(64, 'g'));
    EXPECT_EQ(limited.comment, std::string(720, 'c'));

    SummaryBlock summary;
    std::memset(&summary, 0xFF, sizeof summary);
    StoreFields(fields, summary);
    EXPECT_EQ(summary.resolution, 0x05000400u);
    EXPECT_EQ(summary.reserved[0], 0);
    EXPECT_EQ(summary.comment[0], 0);  // the placeholder is never stored
    const SummaryFields back = FieldsFromSummary(summary);
    EXPECT_EQ(back.name, std::string(64, 'n'));
    EXPECT_EQ(back.author, "Kim");
    EXPECT_EQ(back.comment, "");
    EXPECT_EQ(back.y, 1024);

    fields.x = -1;
    fields.y = 70000;  // the height keeps only its low sixteen bits
    StoreFields(fields, summary);
    EXPECT_EQ(summary.resolution, 0xFFFF0000u | (70000u & 0xFFFF));
}

// Whether OK in the summary dialog changed what the profile says.
TEST(SummaryFields, StoringTellsWhetherTheSummaryReadsDifferently) {
    SummaryBlock summary{};
    WriteText(summary.name, std::string(64, 'n'));
    WriteText(summary.game, "Arena");
    summary.resolution = 0x05000400;
    summary.reserved[0] = 7;  // bytes outside the texts are not the user's
    const SummaryFields loaded = FieldsFromSummary(summary);

    SummaryFields same = loaded;
    same.name += "cut";                  // beyond the field: cut away again
    same.comment = kCommentPlaceholder;  // stands for an empty comment
    EXPECT_FALSE(StoreFields(same, summary));

    SummaryFields author = loaded;
    author.author = "Kim";
    EXPECT_TRUE(StoreFields(author, summary));
    SummaryFields height = FieldsFromSummary(summary);
    height.y = 1023;
    EXPECT_TRUE(StoreFields(height, summary));
}

}  // namespace
}  // namespace gd
