#pragma once
// Profiles for the gpxtool tests: an empty one to fill by hand, and
// samples/sample.json (compiled in), which holds every slot and layer kind.
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "gpxtool/profile_json.h"
#include "profile/image.h"
#include "profile/records.h"

namespace gpxtool::testing {

struct Profile {
    std::unique_ptr<gd::ProfileImage> image = std::make_unique<gd::ProfileImage>();
    gd::SummaryBlock summary{};

    Profile() { gd::ResetImage(*image); }
    Profile(const Profile& other)
        : image(std::make_unique<gd::ProfileImage>(*other.image)), summary(other.summary) {}
    Profile& operator=(const Profile& other) {
        *image = *other.image;
        summary = other.summary;
        return *this;
    }
    gd::ButtonSlot& slot(int index) { return image->slots[index]; }
};

inline void SetAction(gd::ButtonSlot& slot, std::uint32_t slotType, gd::EventCode code) {
    gd::ClearSlot(slot);
    slot.slotType = slotType;
    slot.action.code = code;
}

inline constexpr char kSampleJson[] =
#include "sample_json.inc"
    ;

inline Profile SampleProfile() {
    static const Profile sample = [] {
        Json document;
        Profile p;
        if (ParseJson(kSampleJson, document) || ProfileFromJson(document, *p.image, p.summary)) {
            throw std::runtime_error("samples/sample.json does not import");
        }
        return p;
    }();
    return sample;
}

}  // namespace gpxtool::testing
