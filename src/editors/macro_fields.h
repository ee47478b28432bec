#pragma once
// The macro editor's typed fields: what a delay or a position text turns
// into as the user types it, and how a text that cannot be taken is cut
// back. The dialog shows the messages; the decisions are made here.
#include <cstdint>
#include <string>
#include <string_view>

namespace gd {

struct DelayFieldCheck {
    enum class Outcome {
        Store,       // the row's delay becomes `text`
        CutAndKeep,  // field shows `text`, message 51; the row keeps its delay
        Shorten,     // field shows `text` (one character less), message 51;
                     // that change is handled again
    };
    Outcome outcome;
    std::string text;
};

// 0..60000 and an empty text are taken as typed; only the upper bound is
// enforced while typing.
DelayFieldCheck CheckDelayField(std::string_view text);

struct PositionFieldCheck {
    enum class Outcome {
        Store,   // `value` is the coordinate
        Retype,  // field shows `text`, message 55; that change is handled again
    };
    Outcome outcome;
    std::string text;
    int value = 0;
};

inline constexpr int kMinPosition = -2048;
inline constexpr int kMaxPosition = 2048;

// Digits and '-' only, as a number in -2048..2048; an empty text or a lone
// sign reads as 0.
PositionFieldCheck CheckPositionField(std::string_view text);

// "%s (%d,%d)": the Others column of a mouse press.
std::string PositionText(const std::string& mode, int x, int y);

}  // namespace gd
