#include "picture/picture_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "picture/picture_font.h"
#include "profile/image.h"
#include "picture_pad.h"
#include "skin_layout.h"
#include "string_table.h"

namespace gd {

namespace {

// The pad window's drawing (res/art/draw.py) is 357 x 500 pixels; its body
// spans y 60..496, below the cable. The picture draws it kPadScale times
// larger, its body's top-left corner at kPadLeft, kPadTop.
constexpr double kPadScale = 2.8;
constexpr double kPadLeft = 100 - 6 * kPadScale;
constexpr double kPadTop = 455 - 60 * kPadScale;

constexpr double kMargin = 100;
constexpr double kBoxesLeft = 1130;
constexpr double kBoxesTop = 380;
constexpr double kBoxWidth = 670;
constexpr double kBoxGap = 30;
constexpr double kBoxPitch = 137;
constexpr double kBoxHeight = 122;
constexpr double kTagWidth = 120;
constexpr double kLabelLargest = 44;
constexpr double kLabelSmallest = 26;  // 2.6 mm: about 7.5 points
constexpr double kKeyNameLargest = 30;
constexpr double kAscent = 0.76;  // of a capital, in ems

PicturePoint OnCard(double x, double y) {
    return {kPadLeft + x * kPadScale, kPadTop + y * kPadScale};
}

template <std::size_t N>
PictureStroke Outline(const picture_pad::PadPoint (&points)[N], double width) {
    PictureStroke stroke{{}, true, width};
    for (const picture_pad::PadPoint& p : points) {
        stroke.points.push_back(OnCard(p.x, p.y));
    }
    return stroke;
}

PictureStroke Circle(PicturePoint centre, double radius, double width) {
    constexpr int kSides = 48;
    PictureStroke stroke{{}, true, width};
    for (int k = 0; k < kSides; ++k) {
        const double a = 2 * std::numbers::pi * k / kSides;
        stroke.points.push_back(
            OnCard(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)));
    }
    return stroke;
}

PictureStroke RoundedRect(double x, double y, double w, double h, double r, double width) {
    constexpr int kCornerSteps = 6;
    PictureStroke stroke{{}, true, width};
    const std::array<PicturePoint, 4> centres = {
        {{x + w - r, y + h - r}, {x + r, y + h - r}, {x + r, y + r}, {x + w - r, y + r}}};
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k <= kCornerSteps; ++k) {
            const double a = std::numbers::pi / 2 * (c + static_cast<double>(k) / kCornerSteps);
            stroke.points.push_back(
                {centres[c].x + r * std::cos(a), centres[c].y + r * std::sin(a)});
        }
    }
    return stroke;
}

// Appended piece by piece: gcc 12 warns wrongly about a literal added to a
// temporary string.
std::string MButtonName(int slotIndex) {
    std::string name(1, 'M');
    name += std::to_string(slotIndex + 1);
    return name;
}

// Profile texts may hold line breaks or tabs; each prints as a space.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    return text;
}

// The lines of `fitted` as a block centred in the band `height` high from
// `top`; each line starts, is centred or ends at `x` by `anchor`.
void PlaceLines(Picture& picture, const FittedText& fitted, double x, double top, double height,
                TextAnchor anchor, bool white) {
    const double spacing = fitted.size * FitLimits{}.lineSpacing;
    const double block = fitted.size + spacing * (static_cast<double>(fitted.lines.size()) - 1);
    double baseline = top + (height - block) / 2 + fitted.size * kAscent + fitted.size * 0.12;
    for (const std::string& line : fitted.lines) {
        picture.texts.push_back(PictureText{x, baseline, fitted.size, line, anchor, white});
        baseline += spacing;
    }
}

void AddTitle(Picture& picture, const SummaryBlock& summary) {
    std::string name = OneLine(ReadText(summary.name));
    if (name.empty()) {
        name = FindString(IDS_PICTURE_NO_NAME);
    }
    const FitLimits nameLimits{
        .width = 2000, .height = 110, .largest = 90, .smallest = 44, .step = 2};
    PlaceLines(picture, FitText(name, nameLimits), kMargin, 70, 110, TextAnchor::Start, false);
    const std::string game = OneLine(ReadText(summary.game));
    if (!game.empty()) {
        const FitLimits gameLimits{
            .width = 2400, .height = 70, .largest = 50, .smallest = 30, .step = 2};
        PlaceLines(picture, FitText(FormatString(IDS_PICTURE_GAME, game), gameLimits), kMargin, 205,
                   70, TextAnchor::Start, false);
    }
    picture.texts.push_back(
        PictureText{kCardWidth - kMargin, 130, 40, FindString(IDS_APP_TITLE), TextAnchor::End});
    picture.strokes.push_back(
        PictureStroke{{{kMargin, 330}, {kCardWidth - kMargin, 330}}, false, 5});
}

void AddPad(Picture& picture) {
    picture.strokes.push_back(Outline(picture_pad::kBody, 7));
    picture.strokes.push_back(Outline(picture_pad::kWristRest, 3));
    const PicturePoint stick{picture_pad::kStickCentre.x, picture_pad::kStickCentre.y};
    for (double radius : {picture_pad::kStickWellRadius, picture_pad::kStickRadius}) {
        picture.strokes.push_back(Circle(stick, radius, 3));
    }
    // One size for every key's name: the one at which the widest fits the
    // narrowest key on one line.
    double narrowest = kPadScale * skin_layout::kPicturePlaces[0][0].width;
    for (const skin_layout::Place& place : skin_layout::kPicturePlaces[0]) {
        narrowest = std::min(narrowest, place.width * kPadScale);
    }
    const double nameSize = FitText("M20", FitLimits{.width = narrowest - 12,
                                                     .height = kKeyNameLargest,
                                                     .largest = kKeyNameLargest,
                                                     .smallest = 14})
                                .size;
    for (int k = 0; k < kButtonCount; ++k) {
        const skin_layout::Place& place = skin_layout::kPicturePlaces[0][k];
        const PicturePoint corner = OnCard(place.x, place.y);
        const double w = place.width * kPadScale;
        const double h = place.height * kPadScale;
        picture.strokes.push_back(RoundedRect(corner.x, corner.y, w, h, 12, 5));
        const FittedText name{nameSize, {MButtonName(k)}, false};
        PlaceLines(picture, name, corner.x + w / 2, corner.y, h, TextAnchor::Middle, false);
    }
}

std::string BoxLabel(const ButtonSlot& slot, const LabelTexts& texts) {
    const SlotLabel label = LabelForSlot(slot, texts);
    return label.leaveAsIs ? std::string(FindString(IDS_PICTURE_UNKNOWN_SLOT))
                           : OneLine(label.text);
}

void AddBox(Picture& picture, int k, const std::string& label) {
    const int column = k / 10;  // M1..M10 on the left, M11..M20 on the right
    const double x = kBoxesLeft + column * (kBoxWidth + kBoxGap);
    const double y = kBoxesTop + (k % 10) * kBoxPitch;
    picture.strokes.push_back(RoundedRect(x, y, kBoxWidth, kBoxHeight, 10, 4));
    picture.fills.push_back(PictureFill{x, y, kTagWidth, kBoxHeight});
    const FittedText tag = FitText(
        MButtonName(k),
        FitLimits{.width = kTagWidth - 16, .height = kBoxHeight, .largest = 40, .smallest = 20});
    PlaceLines(picture, tag, x + kTagWidth / 2, y, kBoxHeight, TextAnchor::Middle, true);
    const double textLeft = x + kTagWidth + 18;
    const FitLimits limits{.width = x + kBoxWidth - 14 - textLeft,
                           .height = kBoxHeight - 20,
                           .largest = kLabelLargest,
                           .smallest = kLabelSmallest,
                           .step = 2};
    FittedText fitted = FitText(label, limits);
    PlaceLines(picture, fitted, textLeft, y + 10, kBoxHeight - 20, TextAnchor::Start, false);
    picture.boxes.push_back(ButtonBox{k + 1, label, std::move(fitted)});
}

}  // namespace

Picture BuildPicture(const ProfileImage& image, const SummaryBlock& summary,
                     const LabelTexts& texts) {
    Picture picture;
    picture.strokes.push_back(PictureStroke{{{30, 30},
                                             {kCardWidth - 30, 30},
                                             {kCardWidth - 30, kCardHeight - 30},
                                             {30, kCardHeight - 30}},
                                            true,
                                            2});
    AddTitle(picture, summary);
    AddPad(picture);
    for (int k = 0; k < kButtonCount; ++k) {
        AddBox(picture, k, BoxLabel(image.slots[k], texts));
    }
    return picture;
}

}  // namespace gd
