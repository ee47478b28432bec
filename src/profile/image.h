#pragma once
// Plain operations over the profile records: slot lookup, clearing, the
// multi-layer kind, and field accessors for texts, positions and resolution.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "profile/records.h"

namespace gd {

// position 0..9 within a half, half 0 (M1..M10) or 1 (M11..M20).
ButtonSlot& SlotAt(ProfileImage& image, int position, std::uint32_t half);
const ButtonSlot& SlotAt(const ProfileImage& image, int position, std::uint32_t half);

void ClearSlot(ButtonSlot& slot);
// Twenty Off slots, every payload byte zero: the empty profile.
void ResetImage(ProfileImage& image);

enum class MultiLayerKindValue {
    SingleSwitchKey,
    SingleSwitchMouse,
    TwinSwitch,
    Advanced,
};
MultiLayerKindValue MultiLayerKind(const MultiLayerRecord& record);

// Texts of fixed-width fields: read at most the field's width (a full field
// has no terminator); write at most the width and zero the rest.
std::string ReadText(const char* field, std::size_t width);
void WriteText(char* field, std::size_t width, std::string_view text);
template <std::size_t N>
std::string ReadText(const char (&field)[N]) {
    return ReadText(field, N);
}
template <std::size_t N>
void WriteText(char (&field)[N], std::string_view text) {
    WriteText(field, N, text);
}
// Names of macros and layer sets keep a terminator: at most 255 characters.
template <std::size_t N>
void WriteName(char (&field)[N], std::string_view text) {
    WriteText(field, N, text.substr(0, N - 1));
}

// SummaryBlock resolution: width in the high 16 bits (read with a signed
// shift of the whole word), height in the low 16 bits.
constexpr std::uint32_t MakeResolution(std::uint32_t width, std::uint32_t height) {
    return (width << 16) | (height & 0xFFFF);
}
constexpr std::int32_t ResolutionWidth(std::uint32_t resolution) {
    return static_cast<std::int32_t>(resolution) >> 16;
}
constexpr std::int32_t ResolutionHeight(std::uint32_t resolution) {
    return static_cast<std::int32_t>(resolution & 0xFFFF);
}

// Macro event positions: x in the high 16 bits, y in the low 16 bits, each a
// 16-bit two's-complement number.
constexpr std::uint32_t PackPosition(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) << 16) |
           static_cast<std::uint16_t>(y);
}
constexpr std::int32_t PositionX(std::uint32_t position) {
    return static_cast<std::int16_t>(position >> 16);
}
constexpr std::int32_t PositionY(std::uint32_t position) {
    return static_cast<std::int16_t>(position & 0xFFFF);
}

}  // namespace gd
