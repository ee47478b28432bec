#include "summary/resolution_list.h"

#include <array>
#include <cstdio>
#include <limits>

#include "profile/text_compare.h"

namespace gd {

namespace {

struct Size {
    std::int32_t width;
    std::int32_t height;
};

constexpr std::array<Size, 13> kSizes = {{
    {720, 480},
    {720, 576},
    {800, 600},
    {848, 480},
    {960, 600},
    {1024, 768},
    {1088, 612},
    {1152, 864},
    {1280, 720},
    {1280, 768},
    {1280, 800},
    {1280, 960},
    {1280, 1024},
}};

int FindPrefix(const std::string& prefix) {
    for (int i = 0; i < ResolutionListSize(); ++i) {
        if (StartsWithIgnoringCase(ResolutionListEntry(i).text, prefix)) {
            return i;
        }
    }
    return -1;
}

}  // namespace

int ResolutionListSize() {
    return static_cast<int>(kSizes.size()) + 1;
}

ResolutionEntry ResolutionListEntry(int index) {
    if (index <= 0 || index >= ResolutionListSize()) {
        return {0, "Undefined"};
    }
    const Size size = kSizes[static_cast<std::size_t>(index - 1)];
    return {static_cast<std::uint32_t>(size.width) << 16 | static_cast<std::uint32_t>(size.height),
            FormatResolution(size.width, size.height)};
}

std::string FormatResolution(std::int32_t width, std::int32_t height) {
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d", static_cast<int>(width), static_cast<int>(height));
    return text;
}

int MatchResolutionAtStart(std::int32_t x, std::int32_t y) {
    const int index = FindPrefix(FormatResolution(x, y));
    return index > 0 ? index : -1;
}

int MatchResolutionWhileTyping(std::int32_t x, std::int32_t y) {
    const std::string text = FormatResolution(x, y);
    const int index = FindPrefix(text);
    return index >= 0 && ResolutionListEntry(index).text == text ? index : 0;
}

std::string LeadingDigits(const std::string& text) {
    std::size_t end = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    return text.substr(0, end);
}

std::int32_t ParseResolutionField(const std::string& text) {
    std::int64_t value = 0;
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            value = std::numeric_limits<std::int32_t>::max();
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace gd
