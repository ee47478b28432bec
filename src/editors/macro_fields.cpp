#include "editors/macro_fields.h"

#include <cstdint>

#include "editors/mouse_button_rules.h"

namespace gd {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Leading sign and digits, saturating far beyond any accepted value.
long long LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 1'000'000'000) {
            break;
        }
    }
    return negative ? -value : value;
}

std::string DropLast(std::string_view text) {
    return std::string(text.substr(0, text.empty() ? 0 : text.size() - 1));
}

}  // namespace

DelayFieldCheck CheckDelayField(std::string_view text) {
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) {
        ++digits;
    }
    if (digits < text.size()) {
        const std::string cut(text.substr(0, digits));
        // "0" with something typed after it reads as 0 without a message.
        if (cut == "0") {
            return {DelayFieldCheck::Outcome::Store, cut};
        }
        return {DelayFieldCheck::Outcome::CutAndKeep, cut};
    }
    if (LeadingNumber(text) > 60000) {
        return {DelayFieldCheck::Outcome::Shorten, DropLast(text)};
    }
    return {DelayFieldCheck::Outcome::Store, std::string(text)};
}

PositionFieldCheck CheckPositionField(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i]) && text[i] != '-') {
            return {PositionFieldCheck::Outcome::Retype, std::string(text.substr(0, i))};
        }
    }
    const long long value = LeadingNumber(text);
    if (value < kMinPosition || value > kMaxPosition) {
        return {PositionFieldCheck::Outcome::Retype, DropLast(text)};
    }
    return {PositionFieldCheck::Outcome::Store, std::string(text), static_cast<int>(value)};
}

int PressPositionItem(EventCode press, std::uint32_t position) {
    return FlagsOf(press) != 0 ? kMouseAbsoluteItem
           : position == 0     ? kMouseUndefinedItem
                               : kMouseRelativeItem;
}

std::string PositionText(const std::string& mode, int x, int y) {
    return mode + " (" + std::to_string(x) + "," + std::to_string(y) + ")";
}

std::string NewMousePressDelay(std::int32_t x, std::int32_t y) {
    return x != 0 || y != 0 ? "200" : kNewEventDelay;
}

const PlayModeRadio* RadioForPlayMode(std::uint32_t playMode) {
    const std::uint32_t mode = playMode == 0 ? PlayMode::Once : playMode;
    for (const PlayModeRadio& row : kPlayModeRadios) {
        if (row.playMode == mode) {
            return &row;
        }
    }
    return nullptr;
}

const PlayModeRadio* PlayModeOfRadio(int radio) {
    for (const PlayModeRadio& row : kPlayModeRadios) {
        if (row.radio == radio) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace gd
