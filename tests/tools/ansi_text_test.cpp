#include <gtest/gtest.h>

#include <string>

#include "gpxtool/ansi_text.h"

namespace gpxtool {
namespace {

TEST(AnsiText, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::optional<std::string> back = Utf8ToAnsi(AnsiToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(AnsiText, ReadsWindows1252) {
    struct Case {
        const char* ansi;
        const char* utf8;
    };
    const Case cases[] = {
        {"Plain", "Plain"},
        {"\x80", "\xE2\x82\xAC"},    // euro sign
        {"Caf\xE9", "Caf\xC3\xA9"},  // e acute
        {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"\x81", "\xC2\x81"},  // undefined in 1252: kept as a control
        {"\xFF", "\xC3\xBF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ansi);
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8);
        EXPECT_EQ(Utf8ToAnsi(c.utf8), std::optional<std::string>(c.ansi));
    }
}

TEST(AnsiText, RefusesWhatHasNoByte) {
    struct Case {
        const char* utf8;
        const char* bad;
    };
    const Case cases[] = {
        {"\xE4\xB8\x80", "U+4E00"},          // a CJK ideograph
        {"ok \xF0\x9F\x8E\xAE", "U+1F3AE"},  // outside the BMP
        {"\xC3", "invalid UTF-8"},           // cut short
        {"\xC0\xAF", "invalid UTF-8"},       // overlong
        {"\xED\xA0\x80", "invalid UTF-8"},   // surrogate
        {"\xFF", "invalid UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        std::string bad;
        EXPECT_EQ(Utf8ToAnsi(c.utf8, &bad), std::nullopt);
        EXPECT_EQ(bad, c.bad);
    }
}

}  // namespace
}  // namespace gpxtool
