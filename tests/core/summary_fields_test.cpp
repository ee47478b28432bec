#include <gtest/gtest.h>

#include <cstring>

#include "profile/image.h"
#include "summary/resolution_list.h"
#include "summary/summary_fields.h"

namespace gd {
namespace {

TEST(ResolutionList, HoldsUndefinedThenThirteenSizes) {
    ASSERT_EQ(ResolutionListSize(), 14);
    EXPECT_EQ(ResolutionListEntry(0).text, "Undefined");
    EXPECT_EQ(ResolutionListEntry(0).value, 0u);
    EXPECT_EQ(ResolutionListEntry(1).text, "720x480");
    EXPECT_EQ(ResolutionListEntry(1).value, 0x02D001E0u);
    EXPECT_EQ(ResolutionListEntry(13).text, "1280x1024");
    EXPECT_EQ(ResolutionListEntry(13).value, 0x05000400u);
}

struct MatchCase {
    std::int32_t x, y;
    int atStart, whileTyping;
};

TEST(ResolutionList, StartMatchesPrefixesTypingMatchesWholeTexts) {
    const MatchCase cases[] = {
        {1024, 768, 6, 6},
        {0, 0, -1, 0},
        {1280, 72, 9, 0},  // "1280x72" begins "1280x720"
                           // but is not it
        {1280, 720, 9, 9},
        {1280, 1024, 13, 13},
        {1920, 1080, -1, 0},
        {-1, 5, -1, 0},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(MatchResolutionAtStart(c.x, c.y), c.atStart) << c.x << "x" << c.y;
        EXPECT_EQ(MatchResolutionWhileTyping(c.x, c.y), c.whileTyping) << c.x << "x" << c.y;
    }
}

TEST(ResolutionList, EmptyOrOddFieldsReadAsNumbers) {
    EXPECT_EQ(ParseResolutionField(""), 0);
    EXPECT_EQ(ParseResolutionField("1280"), 1280);
    EXPECT_EQ(ParseResolutionField("12a"), 12);
    EXPECT_EQ(ParseResolutionField("99999999999"), 2147483647);
}

TEST(ResolutionList, DigitsOnlyEditsKeepTheLeadingDigits) {
    const struct {
        const char* text;
        const char* kept;
    } kCases[] = {
        {"", ""}, {"1280", "1280"}, {"12x34", "12"}, {"x1", ""}, {"-5", ""}, {"007", "007"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(LeadingDigits(c.text), c.kept) << c.text;
    }
}

TEST(SummaryFields, LimitTextsCutsEachTextToItsField) {
    EXPECT_EQ(kNameLimit, 64u);
    EXPECT_EQ(kGameLimit, 64u);
    EXPECT_EQ(kAuthorLimit, 64u);
    EXPECT_EQ(kCommentLimit, 720u);

    SummaryFields fields{
        std::string(65, 'n'), std::string(64, 'g'), "a", std::string(721, 'c'), -3, 70000};
    LimitTexts(fields);
    EXPECT_EQ(fields.name, std::string(64, 'n'));
    EXPECT_EQ(fields.game, std::string(64, 'g'));
    EXPECT_EQ(fields.author, "a");
    EXPECT_EQ(fields.comment, std::string(720, 'c'));
    EXPECT_EQ(fields.x, -3);
    EXPECT_EQ(fields.y, 70000);
}

TEST(SummaryFields, RoundTripThroughTheBlock) {
    SummaryFields fields;
    fields.name = std::string(70, 'n');  // cut to 64, no terminator
    fields.game = "Arena";
    fields.author = "Kim";
    fields.comment = kCommentPlaceholder;
    fields.x = 1280;
    fields.y = 1024;
    SummaryBlock summary;
    std::memset(&summary, 0xFF, sizeof summary);
    StoreFields(fields, summary);
    EXPECT_EQ(summary.resolution, 0x05000400u);
    EXPECT_EQ(summary.reserved[0], 0);
    EXPECT_EQ(summary.comment[0], 0);  // the placeholder is never stored

    const SummaryFields back = FieldsFromSummary(summary);
    EXPECT_EQ(back.name, std::string(64, 'n'));
    EXPECT_EQ(back.game, "Arena");
    EXPECT_EQ(back.comment, "");
    EXPECT_EQ(back.x, 1280);
    EXPECT_EQ(back.y, 1024);
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

TEST(SummaryFields, HeightKeepsOnlyItsLowSixteenBits) {
    SummaryFields fields;
    fields.x = -1;
    fields.y = 70000;
    SummaryBlock summary{};
    StoreFields(fields, summary);
    EXPECT_EQ(summary.resolution, 0xFFFF0000u | (70000u & 0xFFFF));
}

}  // namespace
}  // namespace gd
