// Labels over skinned backgrounds. What a label shows depends on the fonts
// of the machine and their antialiasing, so the checks hold for any glyphs:
// every pixel of the label is a mix of what lies under it and the text
// colour, and some are not the background alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin_test_dialog.h"

namespace gd::test {
namespace {

constexpr COLORREF kYellow = RGB(0xFF, 0xFF, 0x00);

struct Look {
    int textPixels = 0;     // pixels that differ from what lies under them
    int strangePixels = 0;  // pixels no mix of the two colours gives
};

// The label's area in `pixels`, over `under(x)` in colour `text`.
template <typename Under>
Look LookAt(const CWnd& label, const ClientPixels& pixels, COLORREF text, Under under) {
    const RECT r = label.GetRectInParent();
    Look look;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = pixels.At(x, y);
            look.textPixels += c != under(x);
            look.strangePixels += !Between(c, under(x), text);
        }
    }
    return look;
}

class SkinLabelTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open()); }
    Look Label(const ClientPixels& pixels) { return LookAt(dlg.label, pixels, kYellow, StripeAt); }

    CSkinTestDlg dlg;
};

// An opaque box, or an old text left standing, would show as pixels that
// are neither stripe nor text.
TEST_F(SkinLabelTest, TextIsDrawnOverTheParentsBackgroundAndReplacedAtOnce) {
    dlg.label.SetTextColour(kYellow);
    dlg.label.SetText("WWWWWWWWWWWWWWWW");
    const Look wide = Label(ClientPixels(dlg));
    EXPECT_GT(wide.textPixels, 0);
    EXPECT_EQ(wide.strangePixels, 0);
    EXPECT_EQ(dlg.label.Text(), "WWWWWWWWWWWWWWWW");
    EXPECT_EQ(dlg.label.GetWindowText(), "");  // the label's text is its own

    // Read what is on screen right after the change, without a repaint.
    dlg.label.SetText(".");
    PumpMessages();
    const Look dot = Label(ClientPixels::AsShown(dlg));
    EXPECT_GT(dot.textPixels, 0);
    EXPECT_LT(dot.textPixels * 4, wide.textPixels);
    EXPECT_EQ(dot.strangePixels, 0);

    dlg.label.SetText("");
    PumpMessages();
    EXPECT_EQ(Label(ClientPixels::AsShown(dlg)).textPixels, 0);
}

TEST_F(SkinLabelTest, ClicksReachTheParent) {
    dlg.label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    dlg.label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages();
    EXPECT_EQ(dlg.clicks, std::vector<UINT>{IDC_SKIN_LABEL});
}

TEST_F(SkinLabelTest, AColourLabelRedrawsInItsNewColourOnButtonFace) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const auto onFace = [face](int) { return face; };
    // Blue after red: a red pixel left standing is no mix of face and blue.
    for (COLORREF colour : {RGB(0xFF, 0x00, 0x00), RGB(0x00, 0x00, 0xFF)}) {
        dlg.colour.SetTextColour(colour);
        const Look look = LookAt(dlg.colour, ClientPixels::AsShown(dlg), colour, onFace);
        EXPECT_GT(look.textPixels, 0) << std::hex << colour;
        EXPECT_EQ(look.strangePixels, 0) << std::hex << colour;
    }
}

}  // namespace
}  // namespace gd::test
