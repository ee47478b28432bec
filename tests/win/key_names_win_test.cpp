// The system as a source of key names. Its names depend on the keyboard
// layout and, under Wine, on the graphics driver (X11 gives "Return"), so
// the test holds for whatever the system answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "keys/key_name_source_win.h"

namespace gd {
namespace {

std::string SystemName(std::uint32_t requestWord) {
    char name[256] = {};
    const int length = GetKeyNameTextA(static_cast<LONG>(requestWord), name, sizeof name);
    return length > 0 ? std::string(name) : std::string();
}

TEST(SystemKeyNames, TheSourceNeverWritesPastTheBuffer) {
    SystemKeyNameSource system;
    const std::string name = SystemName(0x001E0000);
    ASSERT_FALSE(name.empty());
    char buffer[8];
    for (std::size_t size = 0; size < sizeof buffer; ++size) {
        std::memset(buffer, '?', sizeof buffer);
        const bool fits = size > name.size();
        EXPECT_EQ(system.NameOf(0x001E0000, buffer, size), fits) << "size " << size;
        if (fits) {
            EXPECT_STREQ(buffer, name.c_str());
        }
        for (std::size_t i = size; i < sizeof buffer; ++i) {
            EXPECT_EQ(buffer[i], '?') << "size " << size << " at " << i;
        }
    }
}

}  // namespace
}  // namespace gd
