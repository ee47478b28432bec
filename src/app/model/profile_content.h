#pragma once
// The bytes of an open profile: the image of all assignments and its
// summary, one after the other, so that a change anywhere in them is a
// range of one byte array.
#include <cstddef>
#include <cstdint>
#include <span>

#include "profile/records.h"

namespace gd {

struct ProfileContent {
    ProfileImage image;
    SummaryBlock summary;

    std::span<std::uint8_t> Bytes() {
        return {reinterpret_cast<std::uint8_t*>(this), sizeof *this};
    }
};
static_assert(sizeof(ProfileContent) == kProfileImageSize + kSummaryBlockSize);
static_assert(offsetof(ProfileContent, image) == 0);
static_assert(offsetof(ProfileContent, summary) == kProfileImageSize);

}  // namespace gd
