#include "editors/macro_fields.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

using Delay = DelayFieldCheck::Outcome;
using Position = PositionFieldCheck::Outcome;

TEST(MacroFields, ADelayIsTakenAsTypedUpTo60000AndCutBackOtherwise) {
    const struct {
        const char* typed;
        Delay outcome;
        const char* text;
    } rows[] = {
        {"5", Delay::Store, "5"},           // below 30 is taken while typing
        {"", Delay::Store, ""},             //
        {"60000", Delay::Store, "60000"},   //
        {"70000", Delay::Shorten, "7000"},  // then handled again, and stored
        {"12a", Delay::CutAndKeep, "12"},   //
        {"x", Delay::CutAndKeep, ""},       //
        {"0x", Delay::Store, "0"},          // a zero before junk reads as 0
        {"99999999999999999999", Delay::Shorten, "9999999999999999999"},
    };
    for (const auto& row : rows) {
        const DelayFieldCheck check = CheckDelayField(row.typed);
        EXPECT_EQ(check.outcome, row.outcome) << row.typed;
        EXPECT_EQ(check.text, row.text) << row.typed;
    }
}

TEST(MacroFields, APositionIsANumberWithinPlusMinus2048) {
    const struct {
        const char* typed;
        Position outcome;
        const char* text;
        int value;
    } rows[] = {
        {"300", Position::Store, "300", 300}, {"-2048", Position::Store, "-2048", -2048},
        {"", Position::Store, "", 0},         {"-", Position::Store, "-", 0},
        {"2049", Position::Retype, "204", 0}, {"-3000", Position::Retype, "-300", 0},
        {"12a4", Position::Retype, "12", 0},  {"+5", Position::Retype, "", 0},
    };
    for (const auto& row : rows) {
        const PositionFieldCheck check = CheckPositionField(row.typed);
        EXPECT_EQ(check.outcome, row.outcome) << row.typed;
        EXPECT_EQ(check.text, row.text) << row.typed;
        if (row.outcome == Position::Store) {
            EXPECT_EQ(check.value, row.value) << row.typed;
        }
    }
    EXPECT_EQ(PositionText("Relative", 10, -5), "Relative (10,-5)");
}

}  // namespace
}  // namespace gd
