#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "keys/event_code.h"
#include "keys/key_name_source.h"
#include "keys/key_names.h"
#include "keys/key_table.h"

namespace gd {
namespace {

TEST(EventCode, SameInputComparesKindFlagAndKeyOrButton) {
    const struct {
        EventCode a, b;
        bool same;
    } pairs[] = {
        {0x0120001E, 0x0110001E, true},   // click and release of A
        {0x0100001D, 0x0101001D, false},  // left and right Ctrl
        {0x0100001E, 0x0200001E, false},  // a key and a mouse code
        {0x0100011E, 0x0100001E, false},  // bits 8-15 take part
        {0x02000001, 0x02010001, true},   // relative and absolute press of one button
        {0x04000000, 0x04000000, false},  // neither key nor mouse
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(IsSameInput(p.a, p.b), p.same) << std::hex << p.a << " " << p.b;
    }
}

TEST(KeyTable, NamesAreDistinctOnlyTableKeysAreKnownAndEachInputHasItsEntry) {
    std::set<std::string> seen;
    for (int index = 0; index < KeyTableSize(); ++index) {
        char name[256];
        ASSERT_TRUE(KeyTableName(index, name, sizeof name)) << index;
        EXPECT_STRNE(name, "") << index;
        EXPECT_TRUE(seen.insert(name).second) << index << " repeats " << name;
        EXPECT_TRUE(IsKnownKey(KeyTableCode(index))) << index;
        EXPECT_EQ(KeyTableIndexOf(KeyTableCode(index) | 0x00100000), index);  // its release
    }
    // Only the low 20 bits are compared: kind and action play no part. The
    // entry that shows a code is the one of the same input, kind included.
    const struct {
        EventCode code;
        bool known;
        int index;
    } rows[] = {
        {0x01210036, true, 71},   // right Shift, clicked
        {0x0101001C, true, 106},  // keypad Enter
        {0x01100002, true, 17},   // key "1", not the right button
        {0x7F100002, true, -1},   // no kind, so no input
        {0x02010002, false, 1},   // right button, absolute press
        {0x02000003, true, -1},   // two buttons at once
        {0x01000036, false, -1},  // right Shift without the extended flag
        {0x0101002A, false, -1},  // left Shift with the extended flag
        {0x0100012A, false, -1},  // bits 8-15 take part
        {0x01000056, false, -1},  // the ISO key beside left Shift is not offered
        {0x01030045, false, -1},  // flag bits other than the extended flag take part
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsKnownKey(row.code), row.known) << std::hex << row.code;
        EXPECT_EQ(KeyTableIndexOf(row.code), row.index) << std::hex << row.code;
    }
}

// Answers from a fixed map and records what it was asked.
class FakeKeyNames final : public KeyNameSource {
  public:
    bool NameOf(std::uint32_t request, char* buffer, std::size_t size) override {
        requests.push_back(request);
        if (fillWithoutTerminator) {
            std::memset(buffer, 'x', size);
            return true;
        }
        const auto found = names.find(request);
        if (found == names.end() || found->second.size() >= size) {
            return false;
        }
        std::memcpy(buffer, found->second.c_str(), found->second.size() + 1);
        return true;
    }
    std::map<std::uint32_t, std::string> names;
    std::vector<std::uint32_t> requests;
    bool fillWithoutTerminator = false;
};

class KeyNames : public ::testing::Test {
  protected:
    ~KeyNames() override {
        UseKeyNameSource(previousNames_);
        UseKeyTextSource(previousTexts_);
    }

  private:
    KeyNameSource& previousNames_ = UseKeyNameSource(BuiltInKeyNameSource());
    KeyTextSource& previousTexts_ = UseKeyTextSource(BuiltInKeyTextSource());
};

TEST_F(KeyNames, BuiltInSourcesNameKeysAndButtonsByTheirBits) {
    const struct {
        EventCode code;
        const char* name;  // "": no name
        const char* action;
    } rows[] = {
        {0x0111001D, "Right Ctrl", "Release"},
        {0x0120001E, "A", "Click"},
        {0x0101001C, "Num Enter", "Press"},
        {0x01000036, "", "Press"},  // right Shift without the flag: no built-in name
        {0x01000056, "", "Press"},  // not a key of the table
        {0x02210002, "Right Button", "Click"},
        {0x02110004, "Middle Button", "Release"},
        {0x02000003, "", "Press"},  // a combination of buttons
        {0x0130001E, "A", ""},      // action 3
        {0x02300001, "Left Button", ""},
        {0x04200000, "", ""},  // a macro word
    };
    for (const auto& row : rows) {
        char buffer[256];
        std::memset(buffer, '?', sizeof buffer);
        EXPECT_EQ(GetEventName(row.code, buffer, sizeof buffer), *row.name != 0) << row.code;
        EXPECT_STREQ(buffer, row.name) << std::hex << row.code;
        EXPECT_EQ(ActionName(row.code), row.action) << std::hex << row.code;
    }
}

TEST_F(KeyNames, TheSourceIsAskedByScanCodeAndFlagAndItsGenericModifiersRenamed) {
    const struct {
        std::uint32_t request;
        const char* given;
        const char* shown;
    } rows[] = {
        {0x002A0000, "Shift", "Left Shift"},
        {0x001D0000, "Ctrl", "Left Ctrl"},
        {0x01360000, "Shift", "Right Shift"},
        {0x01380000, "Alt", "Right Alt"},
        // Whole-string, case-sensitive comparisons.
        {0x002A0000, "shift", "shift"},
        {0x01380000, "Alt Gr", "Alt Gr"},
        // The renaming looks at the name, not at which key it came for.
        {0x001E0000, "Shift", "Left Shift"},
    };
    for (const auto& row : rows) {
        FakeKeyNames source;
        source.names[row.request] = row.given;
        UseKeyNameSource(source);
        // Any action, and bits 8-15, leave the request alone.
        const EventCode code = kKeyCodeBase | 0x00200F00 | ((row.request >> 8) & 0x10000) |
                               ((row.request >> 16) & 0xFF);
        EXPECT_EQ(EventName(code), row.shown) << std::hex << row.request << " " << row.given;
        EXPECT_EQ(source.requests, std::vector<std::uint32_t>{row.request});
    }
    FakeKeyNames source;
    UseKeyNameSource(source);
    EventName(0x010E0036);
    EventName(0x02000001);  // buttons and other kinds never ask
    EXPECT_EQ(source.requests, std::vector<std::uint32_t>{0x0E360000});  // the whole flag nibble

    // Where the source has no name, right Shift still has one.
    EXPECT_EQ(EventName(0x01210136), "Right Shift");  // bits 8-15 never reach the request
    EXPECT_EQ(EventName(0x01030036), "");             // another flag bit makes another request
    source.names[0x01360000] = "";
    EXPECT_EQ(EventName(0x01010036), "Right Shift");
    source.names[0x001E0000] = "";
    EXPECT_EQ(EventName(0x0100001E), "");
    // A source that fills the whole buffer without a terminator is cut at 255.
    source.fillWithoutTerminator = true;
    EXPECT_EQ(EventName(0x0100001E), std::string(255, 'x'));
}

// Each entry point, into buffers of every size around the name: nothing past
// `size` changes, the rest of the buffer is cleared, the name is whole or absent.
TEST_F(KeyNames, NeverWritesPastTheBufferAndNeverCutsANameShort) {
    const struct {
        std::function<bool(char*, std::size_t)> call;
        std::string name;
    } entries[] = {
        {[](char* b, std::size_t s) { return GetEventName(0x0100002A, b, s); }, "Left Shift"},
        {[](char* b, std::size_t s) { return KeyTableName(68, b, s); }, "Left Shift"},
        {[](char* b, std::size_t s) { return GetActionName(0x0110002A, b, s); }, "Release"},
        {[](char* b, std::size_t s) { return GetEventName(0x02000004, b, s); }, "Middle Button"},
    };
    for (const auto& entry : entries) {
        for (std::size_t size = 0; size <= entry.name.size() + 2; ++size) {
            SCOPED_TRACE(entry.name + " in " + std::to_string(size));
            char buffer[32];
            std::memset(buffer, '?', sizeof buffer);
            const bool fits = size > entry.name.size();
            EXPECT_EQ(entry.call(buffer, size), fits);
            if (size > 0) {
                EXPECT_STREQ(buffer, fits ? entry.name.c_str() : "");
            }
            for (std::size_t i = 0; i < sizeof buffer; ++i) {
                if (i >= size) {
                    EXPECT_EQ(buffer[i], '?') << i;
                } else if (i >= std::strlen(buffer)) {
                    EXPECT_EQ(buffer[i], '\0') << i;
                }
            }
        }
    }
    EXPECT_FALSE(GetEventName(0x0100002A, nullptr, 256));
    EXPECT_FALSE(GetActionName(0x0100002A, nullptr, 256));
}

}  // namespace
}  // namespace gd
