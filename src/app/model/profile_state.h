#pragma once
// The one profile the program holds, process-wide: the image of all
// assignments, its summary, and the two indices that locate the current slot.
// Every editor and command reaches the profile through CurrentProfile().
#include <cstdint>

#include "profile/records.h"

namespace gd {

struct ProfileState {
    ProfileImage image;
    SummaryBlock summary;
    std::uint32_t currentMode = 0;     // 0: M1..M10 shown, 1: M11..M20
    std::int32_t selectedButton = -1;  // 0..9 within the shown half, -1 none
};

ProfileState& CurrentProfile();

// The current slot; only valid while a button is selected.
ButtonSlot& CurrentSlot();

}  // namespace gd
