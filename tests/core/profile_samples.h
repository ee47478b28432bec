#pragma once
// Profiles for the tests of the JSON form and of gpxtool: an empty one to
// fill by hand, and samples/sample.json (compiled in), which holds every slot
// and layer kind.
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "profile/image.h"
#include "profile/profile_json.h"
#include "profile/records.h"

namespace gd::testing {

struct Profile {
    std::unique_ptr<ProfileImage> image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};

    Profile() { ResetImage(*image); }
    Profile(const Profile& other)
        : image(std::make_unique<ProfileImage>(*other.image)), summary(other.summary) {}
    Profile& operator=(const Profile& other) {
        *image = *other.image;
        summary = other.summary;
        return *this;
    }
    ButtonSlot& slot(int index) { return image->slots[index]; }
};

inline void SetAction(ButtonSlot& slot, std::uint32_t slotType, EventCode code) {
    ClearSlot(slot);
    slot.slotType = slotType;
    slot.action.code = code;
}

inline constexpr char kSampleJson[] =
#include "sample_json.inc"
    ;

inline Profile SampleProfile() {
    static const Profile sample = [] {
        Profile p;
        if (ReadProfileJson(kSampleJson, *p.image, p.summary)) {
            throw std::runtime_error("samples/sample.json does not import");
        }
        return p;
    }();
    return sample;
}

}  // namespace gd::testing
