#include <gtest/gtest.h>

#include "keys/event_code.h"

namespace gd {
namespace {

TEST(EventCode, IsSameInputComparesKeysByKindFlagAndScanCode) {
    struct Row {
        EventCode a;
        EventCode b;
        bool same;
    };
    const Row rows[] = {
        {0x0120001E, 0x0110001E, true},                                    // click and release of A
        {0x0100001E, 0x0100001E, true},  {0x0100001D, 0x0101001D, false},  // left and right Ctrl
        {0x0100001E, 0x0100001F, false}, {0x0100001E, 0x0200001E, false},  // a key and a mouse code
        {0x0100011E, 0x0100001E, false},                                   // bits 8-15 take part
        {0x02000001, 0x02010001, true},  // relative and absolute press of the left button
        {0x02200002, 0x02110002, true},  {0x02000001, 0x02000002, false},
        {0x02000001, 0x01000001, false}, {0x04000000, 0x04000000, false},  // neither key nor mouse
        {0x00000000, 0x00000000, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsSameInput(row.a, row.b), row.same) << std::hex << row.a << " " << row.b;
    }
}

TEST(EventCode, PressAndReleaseReadTheActionNibble) {
    struct Row {
        EventCode code;
        bool press;
        bool release;
    };
    const Row rows[] = {
        {0x0100001E, true, false}, {0x0110001E, false, true}, {0x0120001E, false, false},
        {0x02010001, true, false}, {0x02110001, false, true}, {0x01F0001E, false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsPress(row.code), row.press) << std::hex << row.code;
        EXPECT_EQ(IsRelease(row.code), row.release) << std::hex << row.code;
    }
}

}  // namespace
}  // namespace gd
