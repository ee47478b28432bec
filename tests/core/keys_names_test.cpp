#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "keys/key_name_source.h"
#include "keys/key_names.h"
#include "keys/key_table.h"

namespace gd {
namespace {

// Answers from a fixed map and records what it was asked.
class FakeKeyNames final : public KeyNameSource {
  public:
    std::map<std::uint32_t, std::string> names;
    std::vector<std::uint32_t> requests;
    bool fillWithoutTerminator = false;

    bool NameOf(std::uint32_t requestWord, char* buffer, std::size_t size) override {
        requests.push_back(requestWord);
        if (fillWithoutTerminator) {
            std::memset(buffer, 'x', size);
            return true;
        }
        const auto found = names.find(requestWord);
        if (found == names.end() || found->second.size() >= size) {
            return false;
        }
        std::memcpy(buffer, found->second.c_str(), found->second.size() + 1);
        return true;
    }
};

class FakeKeyTexts final : public KeyTextSource {
  public:
    std::map<KeyText, std::string> texts;
    std::map<KeyText, int> asked;

    std::string TextOf(KeyText text) override {
        ++asked[text];
        const auto found = texts.find(text);
        return found == texts.end() ? std::string() : found->second;
    }
};

class KeyNamesTest : public ::testing::Test {
  protected:
    KeyNamesTest()
        : previousNames_(UseKeyNameSource(BuiltInKeyNameSource())),
          previousTexts_(UseKeyTextSource(BuiltInKeyTextSource())) {}
    ~KeyNamesTest() override {
        UseKeyNameSource(previousNames_);
        UseKeyTextSource(previousTexts_);
    }

  private:
    KeyNameSource& previousNames_;
    KeyTextSource& previousTexts_;
};

struct NameRow {
    EventCode code;
    const char* name;  // nullptr: no name
};

void ExpectNames(const std::vector<NameRow>& rows) {
    for (const NameRow& row : rows) {
        char buffer[256];
        std::memset(buffer, '?', sizeof buffer);
        const bool named = GetEventName(row.code, buffer, sizeof buffer);
        EXPECT_EQ(named, row.name != nullptr) << std::hex << row.code;
        EXPECT_STREQ(buffer, row.name != nullptr ? row.name : "") << std::hex << row.code;
    }
}

TEST_F(KeyNamesTest, NamesKeysAndButtonsWithTheBuiltInSources) {
    ExpectNames({
        {0x0100002A, "Left Shift"},
        {0x0100001D, "Left Ctrl"},
        {0x01000038, "Left Alt"},
        {0x01010036, "Right Shift"},
        {0x0101001D, "Right Ctrl"},
        {0x01010038, "Right Alt"},
        {0x0120001E, "A"},  // the action does not matter
        {0x0110001E, "A"},
        {0x0100012A, "Left Shift"},  // only the low 8 bits name the key
        {0x0101001C, "Num Enter"},
        {0x0100001C, "Enter"},
        {0x01000036, nullptr},  // right Shift without the flag: no built-in name
        {0x01000056, nullptr},  // not a key of the table
        {0x0101002A, nullptr},
        {0x02000001, "Left Button"},
        {0x02000002, "Right Button"},
        {0x02000004, "Middle Button"},
        {0x02210002, "Right Button"},  // click with absolute position
        {0x02000003, nullptr},         // a combination of buttons
        {0x02000000, nullptr},
        {0x02000008, nullptr},
        {0x02000101, nullptr},  // all 16 button bits take part
        {0x04000000, nullptr},  // a macro word
        {0x0000001E, nullptr},
        {0x0300001E, nullptr},
        {0xFF00001E, nullptr},
    });
}

TEST_F(KeyNamesTest, RenamesOnlyTheExactGenericModifierNames) {
    struct Row {
        std::uint32_t request;
        const char* given;
        const char* shown;
    };
    const Row rows[] = {
        {0x002A0000, "Shift", "Left Shift"},
        {0x001D0000, "Ctrl", "Left Ctrl"},
        {0x00380000, "Alt", "Left Alt"},
        // A service that gives the generic name for the right-hand key too.
        {0x01360000, "Shift", "Right Shift"},
        {0x011D0000, "Ctrl", "Right Ctrl"},
        {0x01380000, "Alt", "Right Alt"},
        // Whole-string, case-sensitive comparisons.
        {0x002A0000, "shift", "shift"},
        {0x001D0000, "CTRL", "CTRL"},
        {0x002A0000, "Shift ", "Shift "},
        {0x01380000, "Alt Gr", "Alt Gr"},
        {0x001D0000, "Control", "Control"},
        {0x01360000, "Right Shift", "Right Shift"},
        {0x002A0000, "Left Shift", "Left Shift"},
        // The renaming looks at the name, not at which key it came for.
        {0x001E0000, "Shift", "Left Shift"},
    };
    for (const Row& row : rows) {
        FakeKeyNames source;
        source.names[row.request] = row.given;
        UseKeyNameSource(source);
        // Any action, and bits 8-15, leave the request alone.
        const EventCode code = kKeyCodeBase | 0x00200000 | ((row.request >> 8) & 0x10000) |
                               ((row.request >> 16) & 0xFF);
        EXPECT_EQ(EventName(code), row.shown) << std::hex << row.request << " " << row.given;
    }
}

TEST_F(KeyNamesTest, RightShiftIsNamedWhereTheSourceHasNoName) {
    FakeKeyNames source;
    UseKeyNameSource(source);
    ExpectNames({
        {0x01010036, "Right Shift"},
        {0x01210036, "Right Shift"},
        {0x01010136, "Right Shift"},  // bits 8-15 never reach the request
        {0x01000036, nullptr},
        {0x01030036, nullptr},  // another flag bit makes another request
        {0x0101002A, nullptr},
    });
    source.names[0x01360000] = "Shift_R";
    ExpectNames({{0x01010036, "Shift_R"}});
}

TEST_F(KeyNamesTest, AsksTheSourceWithScanCodeAndFlagNibble) {
    struct Row {
        EventCode code;
        std::uint32_t request;
    };
    const Row rows[] = {
        {0x0120001E, 0x001E0000}, {0x0101001D, 0x011D0000}, {0x01000F2A, 0x002A0000},
        {0x010E0036, 0x0E360000}, {0x011F00FF, 0x0FFF0000},
    };
    for (const Row& row : rows) {
        FakeKeyNames source;
        UseKeyNameSource(source);
        EventName(row.code);
        EXPECT_EQ(source.requests, std::vector<std::uint32_t>{row.request}) << std::hex << row.code;
    }
    FakeKeyNames untouched;
    UseKeyNameSource(untouched);
    for (EventCode code : {0x02000001u, 0x02000003u, 0x04000000u, 0x00000000u}) {
        EventName(code);
    }
    EXPECT_TRUE(untouched.requests.empty());
}

TEST_F(KeyNamesTest, SourceAnswersThatAreNotNamesGiveNoName) {
    FakeKeyNames source;
    UseKeyNameSource(source);
    source.names[0x001E0000] = "";
    EXPECT_EQ(EventName(0x0100001E), "");
    source.names[0x01360000] = "";
    EXPECT_EQ(EventName(0x01010036), "Right Shift");

    // A source that fills the whole buffer without a terminator is cut at 255.
    source.fillWithoutTerminator = true;
    EXPECT_EQ(EventName(0x0100001E), std::string(255, 'x'));
}

TEST_F(KeyNamesTest, ActionNamesForKeysAndButtons) {
    struct Row {
        EventCode code;
        const char* name;  // nullptr: no name
    };
    const Row rows[] = {
        {0x0100001E, "Press"}, {0x0110001E, "Release"}, {0x0120001E, "Click"},
        {0x02010001, "Press"}, {0x02110001, "Release"}, {0x02200004, "Click"},
        {0x01000056, "Press"},  // any key, known or not
        {0x02000003, "Press"},  // the button value does not matter here
        {0x0130001E, nullptr}, {0x01F0001E, nullptr},   {0x02300001, nullptr},
        {0x04000000, nullptr}, {0x04200000, nullptr},   {0x00200000, nullptr},
        {0x10000000, nullptr},
    };
    for (const Row& row : rows) {
        char buffer[256];
        std::memset(buffer, '?', sizeof buffer);
        EXPECT_EQ(GetActionName(row.code, buffer, sizeof buffer), row.name != nullptr)
            << std::hex << row.code;
        EXPECT_STREQ(buffer, row.name != nullptr ? row.name : "") << std::hex << row.code;
        EXPECT_EQ(ActionName(row.code), row.name != nullptr ? row.name : "")
            << std::hex << row.code;
    }
}

TEST_F(KeyNamesTest, FixedTextsComeFromTheTextSourceOncePerSelection) {
    FakeKeyTexts texts;
    texts.texts = {{KeyText::LeftButton, "Linke Taste"}, {KeyText::Click, "Klick"}};
    UseKeyTextSource(texts);

    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(EventName(0x02000001), "Linke Taste");
        EXPECT_EQ(ActionName(0x0120001E), "Klick");
        // Texts the source has not got fall back to English.
        EXPECT_EQ(EventName(0x02000002), "Right Button");
        EXPECT_EQ(ActionName(0x0110001E), "Release");
    }
    EXPECT_EQ(texts.asked, (std::map<KeyText, int>{{KeyText::LeftButton, 1},
                                                   {KeyText::RightButton, 1},
                                                   {KeyText::Click, 1},
                                                   {KeyText::Release, 1}}));

    // Selecting again forgets what was kept.
    FakeKeyTexts other;
    other.texts = {{KeyText::LeftButton, "Bouton gauche"}};
    UseKeyTextSource(other);
    EXPECT_EQ(EventName(0x02000001), "Bouton gauche");
}

// "Left Shift" (10 characters) through each entry point, into buffers of
// every size around it: nothing past `size` changes, the result is whole or
// empty.
TEST_F(KeyNamesTest, NeverWritesPastTheBufferAndNeverCutsANameShort) {
    struct Entry {
        const char* label;
        std::function<bool(char*, std::size_t)> call;
        std::string name;
    };
    const Entry entries[] = {
        {"GetEventName", [](char* b, std::size_t s) { return GetEventName(0x0100002A, b, s); },
         "Left Shift"},
        {"KeyTableName", [](char* b, std::size_t s) { return KeyTableName(68, b, s); },
         "Left Shift"},
        {"GetActionName", [](char* b, std::size_t s) { return GetActionName(0x0110002A, b, s); },
         "Release"},
        {"mouse", [](char* b, std::size_t s) { return GetEventName(0x02000004, b, s); },
         "Middle Button"},
    };
    for (const Entry& entry : entries) {
        for (std::size_t size = 0; size <= entry.name.size() + 2; ++size) {
            char buffer[32];
            std::memset(buffer, '?', sizeof buffer);
            const bool named = entry.call(buffer, size);
            const bool fits = size > entry.name.size();
            EXPECT_EQ(named, fits) << entry.label << " size " << size;
            if (size > 0) {
                EXPECT_STREQ(buffer, fits ? entry.name.c_str() : "")
                    << entry.label << " size " << size;
                // The whole buffer given is cleared, as callers rely on for fixed fields.
                for (std::size_t i = std::strlen(buffer); i < size; ++i) {
                    EXPECT_EQ(buffer[i], '\0') << entry.label << " size " << size << " at " << i;
                }
            }
            for (std::size_t i = size; i < sizeof buffer; ++i) {
                EXPECT_EQ(buffer[i], '?') << entry.label << " size " << size << " at " << i;
            }
        }
    }
    EXPECT_FALSE(GetEventName(0x0100002A, nullptr, 256));
    EXPECT_FALSE(GetActionName(0x0100002A, nullptr, 256));
    EXPECT_FALSE(KeyTableName(68, nullptr, 256));
}

}  // namespace
}  // namespace gd
