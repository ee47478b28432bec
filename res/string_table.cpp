#include "string_table.h"

#include <algorithm>
#include <array>

#include "version.h"

namespace gd {
namespace {

#define GRIPDECK_STRING(id, text) StringEntry{id, text},
constexpr std::array kStrings = {
#include "strings.inc"
};
#undef GRIPDECK_STRING

// Lookup is a binary search, and the resource compiler would quietly keep
// only one of two rows with the same id.
constexpr bool StrictlyAscending() {
    for (std::size_t i = 1; i < kStrings.size(); ++i) {
        if (kStrings[i - 1].id >= kStrings[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(StrictlyAscending(), "strings.inc rows must have ascending, distinct ids");

}  // namespace

std::span<const StringEntry> StringTable() {
    return kStrings;
}

const char* FindString(unsigned id) {
    const auto it = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                                     [](const StringEntry& e, unsigned v) { return e.id < v; });
    if (it == kStrings.end() || it->id != id) {
        return nullptr;
    }
    // The entries view whole string literals, so the byte after the view is
    // the literal's terminating zero.
    return it->text.data();
}

std::string FillString(unsigned id, std::initializer_list<std::string_view> arguments) {
    const char* format = FindString(id);
    std::string text = format != nullptr ? format : "";
    std::size_t from = 0;
    for (std::string_view argument : arguments) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) {
            break;
        }
        text.replace(at, 2, argument);
        from = at + argument.size();
    }
    return text;
}

std::string FormatString(unsigned id, std::string_view argument) {
    const char* format = FindString(id);
    if (format == nullptr) {
        return {};
    }
    std::string text(format);
    if (const std::size_t at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

}  // namespace gd
