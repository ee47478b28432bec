#include "app/model/profile_state.h"

#include "profile/image.h"

namespace gd {

ProfileState& CurrentProfile() {
    // Zero-initialised static storage: 150 KB that must not live on a stack.
    static ProfileState state{};
    return state;
}

ButtonSlot& CurrentSlot() {
    ProfileState& state = CurrentProfile();
    return SlotAt(state.image, state.selectedButton, state.currentMode);
}

}  // namespace gd
