#pragma once
// The summary dialogs' resolution list and how typed or stored sizes find
// their entry in it.
#include <cstdint>
#include <string>

namespace gd {

struct ResolutionEntry {
    std::uint32_t value;  // width << 16 | height; 0 for "Undefined"
    std::string text;     // "Undefined" or "%dx%d"
};

int ResolutionListSize();  // 14
ResolutionEntry ResolutionListEntry(int index);

// "%dx%d"
std::string FormatResolution(std::int32_t width, std::int32_t height);

// At dialog start: the first entry whose text begins with "XxY", ignoring
// case; -1 (no selection) unless that index is above 0.
int MatchResolutionAtStart(std::int32_t x, std::int32_t y);
// While X or Y are typed: the entry whose text equals "XxY", else 0 (Undefined).
int MatchResolutionWhileTyping(std::int32_t x, std::int32_t y);

// What a digits-only edit keeps of a text: everything before the first
// character that is not a digit.
std::string LeadingDigits(const std::string& text);

// The X and Y edits take digits only; an empty or unreadable field counts as
// 0, and a number beyond 32 bits saturates.
std::int32_t ParseResolutionField(const std::string& text);

}  // namespace gd
