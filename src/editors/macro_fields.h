#pragma once
// The macro editor's typed fields: what a delay or a position text turns
// into as the user types it, and how a text that cannot be taken is cut
// back. The dialog shows the messages; the decisions are made here.
#include <cstdint>
#include <string>
#include <string_view>

#include "keys/event_code.h"
#include "profile/records.h"
#include "resource.h"

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

// The position list item (mouse_button_rules.h) a mouse press shows:
// absolute when the press carries any flag, undefined at a relative 0,0 and
// relative otherwise.
int PressPositionItem(EventCode press, std::uint32_t position);

// "%s (%d,%d)": the Others column of a mouse press.
std::string PositionText(const std::string& mode, int x, int y);

// The delay of a new row pair's press and of every new release: "30".
inline constexpr char kNewEventDelay[] = "30";
// The delay after a new mouse press: one that also moves the pointer
// (a position other than 0,0) pauses longer, "200".
std::string NewMousePressDelay(std::int32_t x, std::int32_t y);

// The play mode radios, top to bottom, and the MacroRecord playMode each
// stands for. WhilePressed and Toggle repeat, after the repeat interval.
struct PlayModeRadio {
    int radio;
    std::uint32_t playMode;
    bool repeats;
};
inline constexpr PlayModeRadio kPlayModeRadios[] = {
    {IDC_PLAY_ONCE, PlayMode::Once, false},
    {IDC_PLAY_WHILE_PRESSED, PlayMode::WhilePressed, true},
    {IDC_PLAY_UNTIL_PRESSED_AGAIN, PlayMode::Toggle, true},
};
// The radio a stored play mode checks: 0, as a layer's macro stores "once",
// checks Once; a mode no radio stands for checks none (nullptr).
const PlayModeRadio* RadioForPlayMode(std::uint32_t playMode);
// The row of `radio`; nullptr for an id that is no play mode radio.
const PlayModeRadio* PlayModeOfRadio(int radio);

}  // namespace gd
