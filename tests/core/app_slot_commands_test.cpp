#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/assignment_marks.h"
#include "app/slot_commands.h"
#include "resource.h"

namespace gd {
namespace {

std::unique_ptr<ButtonSlot> FilledSlot(unsigned char byte) {
    auto slot = std::make_unique<ButtonSlot>();
    std::memset(slot.get(), byte, sizeof *slot);
    return slot;
}

bool AllZeroAfterType(const ButtonSlot& slot) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&slot);
    for (std::size_t i = sizeof slot.slotType; i < sizeof slot; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(SlotCommands, EachDirectCommandLeavesAFreshSlotThatMarksItsOwnItem) {
    for (unsigned command : {ID_STOP_MACRO_LOOP, ID_STOP_KEY, ID_SUPER_STOP, ID_OFF, ID_DEFAULT}) {
        SCOPED_TRACE(command);
        const std::optional<std::uint32_t> type = DirectSlotType(command);
        ASSERT_TRUE(type.has_value());
        auto slot = FilledSlot(0xA5);  // a former macro's bytes, say
        WriteDirectSlot(*slot, *type);
        EXPECT_TRUE(AllZeroAfterType(*slot));
        for (unsigned item : AssignmentMarkItems()) {
            EXPECT_EQ(IsAssignmentItemMarked(item, *slot), item == command) << item;
        }
    }
    for (unsigned editor : {ID_KEYBOARD, ID_MOUSE_BUTTON, ID_MACRO, ID_ADVANCED,
                            ID_SINGLE_SWITCH_KEYBOARD, ID_TWIN_SWITCH, ID_EDIT_COPY}) {
        EXPECT_FALSE(DirectSlotType(editor).has_value()) << editor;
    }
}

TEST(SlotCommands, PasteTakesOneWholeSlotAndRefusesAShorterItem) {
    auto source = FilledSlot(0x11);
    source->slotType = SlotType::Macro;
    std::vector<unsigned char> item(sizeof *source + 16, 0xEE);  // rounded up by the system
    std::memcpy(item.data(), source.get(), sizeof *source);

    auto target = FilledSlot(0x22);
    ASSERT_TRUE(PasteSlot(*target, item.data(), item.size()));
    EXPECT_EQ(std::memcmp(target.get(), source.get(), sizeof *source), 0);

    auto untouched = FilledSlot(0x33);
    EXPECT_FALSE(PasteSlot(*untouched, item.data(), sizeof *source - 1));
    EXPECT_FALSE(PasteSlot(*untouched, nullptr, sizeof *source));
    EXPECT_EQ(std::memcmp(untouched.get(), FilledSlot(0x33).get(), sizeof *untouched), 0);
}

}  // namespace
}  // namespace gd
