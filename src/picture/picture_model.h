#pragma once
// The printable picture of a profile: the pad's outline with its twenty
// M-Buttons where they sit, and beside it one box per M-Button holding the
// label the main window shows for it; the profile's name and game on top.
// Black on white only: what a box says is in its words, never its colour.
// Lengths are tenths of a millimetre on a card that fits an A4 or Letter
// page in landscape with room to spare; y grows downwards.
#include <cstdint>
#include <string>
#include <vector>

#include "app/slot_label.h"
#include "picture/text_fit.h"
#include "profile/records.h"

namespace gd {

inline constexpr double kCardWidth = 2600;   // 260 mm
inline constexpr double kCardHeight = 1800;  // 180 mm

struct PicturePoint {
    double x;
    double y;
};

// A black line through the points, `width` thick.
struct PictureStroke {
    std::vector<PicturePoint> points;
    bool closed = false;
    double width = 4;
};

struct PictureFill {  // a black rectangle
    double x;
    double y;
    double width;
    double height;
};

enum class TextAnchor { Start, Middle, End };

struct PictureText {
    double x;
    double baseline;
    double size;       // em height
    std::string ansi;  // Windows-1252
    TextAnchor anchor = TextAnchor::Start;
    bool white = false;  // on a fill
};

// What the picture says for M-Button `mButton` (1..20).
struct ButtonBox {
    int mButton;
    std::string label;  // the whole label text
    FittedText fitted;  // as the box shows it
};

struct Picture {
    std::vector<PictureStroke> strokes;
    std::vector<PictureFill> fills;
    std::vector<PictureText> texts;
    std::vector<ButtonBox> boxes;  // M1..M20 in order
};

// The label of each M-Button as LabelForSlot makes it; `texts` are the
// label's fixed words.
Picture BuildPicture(const ProfileImage& image, const SummaryBlock& summary,
                     const LabelTexts& texts = LabelTexts{});

}  // namespace gd
