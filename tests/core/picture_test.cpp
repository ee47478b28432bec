#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "picture/page_fit.h"
#include "picture/picture_font.h"
#include "picture/picture_model.h"
#include "picture/picture_raster.h"
#include "picture/png_writer.h"
#include "picture/svg_writer.h"
#include "picture/text_fit.h"
#include "profile/image.h"

namespace gd {
namespace {

std::string Joined(const FittedText& fitted) {
    std::string text;
    for (const std::string& line : fitted.lines) {
        text += (text.empty() ? "" : " ") + line;
    }
    return text;
}

const FitLimits kBoxLimits{500, 100, 44, 26, 2, 1.2};

void ExpectLinesFit(const FittedText& fitted, const FitLimits& limits) {
    for (const std::string& line : fitted.lines) {
        EXPECT_LE(TextWidth(line, fitted.size), limits.width + 1e-6) << line;
    }
    const double height = fitted.size + fitted.size * limits.lineSpacing *
                                            (static_cast<double>(fitted.lines.size()) - 1);
    EXPECT_LE(height, limits.height + 1e-6);
}

TEST(PictureTextFit, ShortTextKeepsTheLargestSizeOnOneLine) {
    const FittedText fitted = FitText("Right Button", kBoxLimits);
    EXPECT_EQ(fitted.size, 44);
    ASSERT_EQ(fitted.lines.size(), 1u);
    EXPECT_EQ(fitted.lines[0], "Right Button");
    EXPECT_FALSE(fitted.elided);
}

TEST(PictureTextFit, LongerTextsWrapOrShrinkButStayWhole) {
    const std::string rows[] = {
        "Reload, crouch and throw a smoke grenade",
        "Gather all resources around the outpost then return to base and repeat",
        "Averyveryverylongmacronamewithoutanyspaceatallthatmustbebroken",
    };
    for (const std::string& text : rows) {
        const FittedText fitted = FitText(text, kBoxLimits);
        EXPECT_FALSE(fitted.elided) << text;
        EXPECT_GE(fitted.size, kBoxLimits.smallest);
        ExpectLinesFit(fitted, kBoxLimits);
        std::string letters;
        for (const std::string& line : fitted.lines) {
            letters += line;
        }
        std::string expected = text;
        std::erase(expected, ' ');
        std::erase(letters, ' ');
        EXPECT_EQ(letters, expected) << "every character shown, none cut";
    }
    EXPECT_EQ(Joined(FitText(rows[0], kBoxLimits)), rows[0]);
}

TEST(PictureTextFit, EllipsisOnlyWhenTheSmallestSizeCannotHoldTheText) {
    const std::string words = "Fire ";
    std::string text;
    while (text.size() < 250) {
        text += words;
    }
    const FittedText fitted = FitText(text, kBoxLimits);
    EXPECT_TRUE(fitted.elided);
    EXPECT_EQ(fitted.size, kBoxLimits.smallest);
    ASSERT_FALSE(fitted.lines.empty());
    EXPECT_EQ(fitted.lines.back().back(), kEllipsis);
    ExpectLinesFit(fitted, kBoxLimits);
    std::string shown = Joined(fitted);
    shown.pop_back();
    EXPECT_EQ(text.compare(0, shown.size(), shown), 0) << "a cut text is the label's beginning";

    // One word less than the smallest size's room is never cut.
    const std::size_t lines = fitted.lines.size();
    FittedText whole = FitText(text.substr(0, shown.size() - 6), kBoxLimits);
    EXPECT_FALSE(whole.elided);
    EXPECT_LE(whole.lines.size(), lines);
}

ButtonSlot& Slot(ProfileImage& image, int mButton) {
    return image.slots[mButton - 1];
}

struct SampleProfile {
    std::unique_ptr<ProfileImage> image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};

    SampleProfile() {
        ResetImage(*image);
        WriteText(summary.name, "Night Raid & Co");
        WriteText(summary.game, "Ashen Frontier");
        Slot(*image, 1).slotType = SlotType::SingleKey;
        Slot(*image, 1).action.code = 0x01200013;  // R
        Slot(*image, 6).slotType = SlotType::Macro;
        WriteName(Slot(*image, 6).macro.name, "Reload and aim at the nearest target, then crouch");
        Slot(*image, 14).slotType = SlotType::MultiLayer;
        WriteName(Slot(*image, 14).multiLayer.name, std::string(255, 'W'));
        Slot(*image, 20).slotType = 0x10000002;
    }
};

TEST(PictureModel, EveryButtonHasItsBoxWithTheMainWindowsLabel) {
    const SampleProfile profile;
    const Picture picture = BuildPicture(*profile.image, profile.summary);
    ASSERT_EQ(picture.boxes.size(), 20u);
    for (int m = 1; m <= 20; ++m) {
        const ButtonBox& box = picture.boxes[m - 1];
        EXPECT_EQ(box.mButton, m);
        EXPECT_EQ(box.label, LabelForSlot(profile.image->slots[m - 1]).text);
        std::string name(1, 'M');
        name += std::to_string(m);
        int named = 0;
        for (const PictureText& text : picture.texts) {
            named += text.ansi == name ? 1 : 0;
        }
        EXPECT_EQ(named, 2) << "M" << m << " on the pad and on its box";
    }
    EXPECT_EQ(picture.boxes[0].label, "R");
    EXPECT_EQ(picture.boxes[19].label, "Super Stop");
    EXPECT_EQ(Joined(picture.boxes[5].fitted), picture.boxes[5].label);
    EXPECT_FALSE(picture.boxes[5].fitted.elided);
    EXPECT_TRUE(picture.boxes[13].fitted.elided) << "255 letters do not fit any box";
}

TEST(PictureModel, NameGameAndBoxesStayOnTheCard) {
    const SampleProfile profile;
    const Picture picture = BuildPicture(*profile.image, profile.summary);
    bool name = false, game = false;
    for (const PictureText& text : picture.texts) {
        name = name || text.ansi == "Night Raid & Co";
        game = game || text.ansi == "Game: Ashen Frontier";
        double left = text.x;
        const double width = TextWidth(text.ansi, text.size);
        left -= text.anchor == TextAnchor::Middle ? width / 2
                : text.anchor == TextAnchor::End  ? width
                                                  : 0;
        EXPECT_GE(left, 0) << text.ansi;
        EXPECT_LE(left + width, kCardWidth) << text.ansi;
        EXPECT_LE(text.baseline, kCardHeight) << text.ansi;
    }
    EXPECT_TRUE(name);
    EXPECT_TRUE(game);
}

TEST(PictureSvg, HasPrintSizeAndEscapedText) {
    SampleProfile profile;
    WriteText(profile.summary.game, "Caf\xE9 <Racer>");
    const std::string svg = PictureToSvg(BuildPicture(*profile.image, profile.summary));
    EXPECT_NE(svg.find("width=\"260mm\" height=\"180mm\" viewBox=\"0 0 2600 1800\""),
              std::string::npos);
    EXPECT_NE(svg.find(">Night Raid &amp; Co</text>"), std::string::npos);
    EXPECT_NE(svg.find(">Game: Caf\xC3\xA9 &lt;Racer&gt;</text>"), std::string::npos);
    EXPECT_NE(svg.find(">M20</text>"), std::string::npos);
    EXPECT_EQ(svg.find("fill=\"#f"), svg.find("fill=\"#fff\"")) << "black and white only";
}

TEST(PicturePng, ChecksumsMatchTheirStandardValues) {
    const std::string check = "123456789";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(check.data()),
                                              check.size());
    EXPECT_EQ(Crc32(bytes), 0xCBF43926u);
    EXPECT_EQ(Adler32(bytes), 0x091E01DEu);
}

TEST(PicturePng, RenderedCardIsAValidGreyPngAtItsResolution) {
    const SampleProfile profile;
    const GrayImage image = RenderPicture(BuildPicture(*profile.image, profile.summary), 150);
    EXPECT_EQ(image.width, 1535);
    EXPECT_EQ(image.height, 1063);
    EXPECT_EQ(image.pixels[0], 255);
    // M1's box tag is solid black in its middle (x 1130..1250, y 380..502).
    const auto at = [&image](double x, double y) {
        return image.pixels[static_cast<std::size_t>(y * 150 / 254) * image.width +
                            static_cast<std::size_t>(x * 150 / 254)];
    };
    EXPECT_EQ(at(1140, 390), 0);
    const std::vector<std::uint8_t> png = EncodePng(image);
    ASSERT_GT(png.size(), 8u + 25 + 21 + 12);
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(png[16 + 3], 1535 & 0xFF);
    EXPECT_EQ(png[16 + 7], 1063 & 0xFF);
    EXPECT_EQ(png[24], 8);  // bits per sample
    EXPECT_EQ(png[25], 0);  // grey
    // Every chunk's CRC covers its type and body.
    std::size_t pos = 8;
    int chunks = 0;
    while (pos + 12 <= png.size()) {
        const std::uint32_t length =
            png[pos] << 24 | png[pos + 1] << 16 | png[pos + 2] << 8 | png[pos + 3];
        const std::size_t end = pos + 8 + length;
        ASSERT_LE(end + 4, png.size());
        const std::uint32_t crc =
            png[end] << 24 | png[end + 1] << 16 | png[end + 2] << 8 | png[end + 3];
        EXPECT_EQ(Crc32(std::span(png).subspan(pos + 4, length + 4)), crc);
        pos = end + 4;
        ++chunks;
    }
    EXPECT_EQ(pos, png.size());
    EXPECT_EQ(chunks, 4);
    EXPECT_LT(png.size(), image.pixels.size() / 4) << "a line drawing compresses";
}

TEST(PicturePageFit, ScalesToTheAreaAndCentres) {
    struct Row {
        std::int32_t areaWidth, areaHeight, dotsX, dotsY;
        PageRect expected;
    };
    const Row rows[] = {
        // A4 landscape at 600 dpi, printable 6814 x 4760: width decides.
        {6814, 4760, 600, 600, {0, 21, 6814, 4717}},
        // A4 portrait: the card lies across the middle.
        {4760, 6814, 600, 600, {0, 1759, 4760, 3295}},
        // Unequal dots keep the card's shape in inches.
        {2000, 4000, 100, 200, {0, 615, 2000, 2769}},
        {0, 4000, 100, 100, {0, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        const PageRect got =
            FitOnPage(kCardWidth, kCardHeight, row.areaWidth, row.areaHeight, row.dotsX, row.dotsY);
        EXPECT_EQ(got.x, row.expected.x);
        EXPECT_EQ(got.y, row.expected.y);
        EXPECT_EQ(got.width, row.expected.width);
        EXPECT_EQ(got.height, row.expected.height);
    }
    EXPECT_TRUE(WantsLandscape(kCardWidth, kCardHeight));
    EXPECT_FALSE(WantsLandscape(1800, 2600));
}

}  // namespace
}  // namespace gd
