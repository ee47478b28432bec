// The compiled string table against the portable one (whose texts the core
// tests pin): the resource compiler must have read every text alike.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "string_table.h"

namespace gd {
namespace {

std::string LoadText(unsigned id) {
    char buffer[1024] = {};
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

TEST(ResStrings, EveryTextLoadsExactlyAsTheTableHasIt) {
    ASSERT_FALSE(StringTable().empty());
    for (const StringEntry& entry : StringTable()) {
        EXPECT_EQ(LoadText(entry.id), entry.text) << "string " << entry.id;
    }
}

TEST(ResStrings, NoOtherStringIsCompiledIn) {
    std::set<unsigned> known;
    for (const StringEntry& entry : StringTable()) {
        known.insert(entry.id);
    }
    // Test-only strings of other modules, compiled into this executable too,
    // keep to numbers from 9000 up.
    for (unsigned id = 0; id < 9000; ++id) {
        if (known.count(id) == 0) {
            EXPECT_EQ(LoadText(id), "") << "string " << id;
        }
    }
}

TEST(ResStrings, TextsAreStoredAsPlainAscii) {
    for (const StringEntry& entry : StringTable()) {
        const wchar_t* stored = nullptr;
        const int length =
            LoadStringW(GetModuleHandleA(nullptr), entry.id, reinterpret_cast<LPWSTR>(&stored), 0);
        ASSERT_EQ(length, static_cast<int>(entry.text.size())) << "string " << entry.id;
        for (int i = 0; i < length; ++i) {
            EXPECT_EQ(static_cast<unsigned>(stored[i]),
                      static_cast<unsigned char>(entry.text[static_cast<size_t>(i)]))
                << "string " << entry.id << " character " << i;
        }
    }
}

}  // namespace
}  // namespace gd
