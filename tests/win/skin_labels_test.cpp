#include <windows.h>

#include <gtest/gtest.h>

#include "skin_test_dialog.h"

namespace gd::test {
namespace {

TEST(SkinStaticStyle, DrawTextFlagsFollowTheLabelStyle) {
    struct Row {
        DWORD style;
        UINT flags;
    } rows[] = {
        {SS_LEFT, DT_WORDBREAK},
        {SS_RIGHT, DT_RIGHT | DT_WORDBREAK},
        {SS_CENTER, DT_CENTER | DT_WORDBREAK},
        {SS_CENTERIMAGE, DT_VCENTER | DT_SINGLELINE},
        {SS_NOPREFIX, DT_NOPREFIX | DT_WORDBREAK},
        {SS_ENDELLIPSIS, DT_WORD_ELLIPSIS | DT_END_ELLIPSIS},
        {SS_PATHELLIPSIS, DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS},
        {SS_WORDELLIPSIS, DT_WORD_ELLIPSIS | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS},
        {SS_LEFTNOWORDWRAP, 0},  // bits 2 and 3
        {SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {SS_NOTIFY | WS_VISIBLE | WS_CHILD, DT_WORDBREAK},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DrawTextFlagsForStaticStyle(row.style), row.flags) << std::hex << row.style;
    }
}

class SkinLabelTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open()); }

    // How many pixels of the label's area have the colour, and whether every
    // other pixel there still shows the background stripes.
    struct Look {
        int textPixels = 0;
        bool restIsBackground = true;
    };
    Look LookAt(const CWnd& label, COLORREF text, const ClientPixels& pixels) {
        RECT r = label.GetRectInParent();
        Look look;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                COLORREF c = pixels.At(x, y);
                if (c == text) {
                    ++look.textPixels;
                } else if (c != StripeAt(x)) {
                    look.restIsBackground = false;
                }
            }
        }
        return look;
    }

    CSkinTestDlg dlg;
};

// Without antialiasing of the dialog font under test, text pixels are either
// the text colour or the untouched background.
TEST_F(SkinLabelTest, TextIsDrawnOverTheParentsBackground) {
    const COLORREF yellow = RGB(0xFF, 0xFF, 0x00);
    dlg.label.SetTextColour(yellow);
    dlg.label.SetText("Macro");
    ClientPixels pixels(dlg);
    Look look = LookAt(dlg.label, yellow, pixels);
    EXPECT_GT(look.textPixels, 20);
    EXPECT_TRUE(look.restIsBackground);
    EXPECT_EQ(dlg.label.Text(), "Macro");
    // The window text is not the label's text.
    EXPECT_EQ(dlg.label.GetWindowText(), "");
}

TEST_F(SkinLabelTest, NewTextReplacesTheOldAtOnce) {
    const COLORREF yellow = RGB(0xFF, 0xFF, 0x00);
    dlg.label.SetTextColour(yellow);
    dlg.label.SetText("WWWWWWWWWWWWWWWWWWWW");
    int before = LookAt(dlg.label, yellow, ClientPixels(dlg)).textPixels;
    dlg.label.SetText("i");
    PumpMessages();
    // Read what is on screen now, without asking for a repaint first.
    Look after = LookAt(dlg.label, yellow, ClientPixels::AsShown(dlg));
    EXPECT_GT(after.textPixels, 0);
    EXPECT_LT(after.textPixels * 10, before);
    EXPECT_TRUE(after.restIsBackground);
}

TEST_F(SkinLabelTest, ToolTipFollowsTheText) {
    CTransStatic& label = dlg.label;
    label.SetToolTip(nullptr);
    EXPECT_FALSE(label.HasToolTip());

    label.SetToolTip("Single: A");
    ASSERT_TRUE(label.HasToolTip());
    HWND tip = label.ToolTip().GetSafeHwnd();
    EXPECT_EQ(label.ToolTip().GetText(label), "Single: A");

    label.SetToolTip(nullptr);
    EXPECT_EQ(label.ToolTip().GetSafeHwnd(), tip);
    EXPECT_EQ(label.ToolTip().GetToolCount(), 1);

    label.SetToolTip("Macro: Combo");
    EXPECT_EQ(label.ToolTip().GetSafeHwnd(), tip);
    EXPECT_EQ(label.ToolTip().GetText(label), "Macro: Combo");
}

TEST_F(SkinLabelTest, ClicksReachTheParent) {
    dlg.label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    dlg.label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpMessages();
    EXPECT_EQ(dlg.clicks, std::vector<UINT>{IDC_SKIN_LABEL});
}

TEST_F(SkinLabelTest, ColourLabelDrawsInItsColourOnButtonFace) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    auto count = [&](COLORREF colour) {
        ClientPixels pixels(dlg);
        RECT r = dlg.colour.GetRectInParent();
        int text = 0;
        int background = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                text += pixels.At(x, y) == colour;
                background += pixels.At(x, y) == face;
            }
        }
        return std::pair{text, background};
    };
    auto [blackText, face1] = count(RGB(0, 0, 0));
    EXPECT_GT(blackText, 20);
    EXPECT_GT(face1, 100);

    dlg.colour.SetTextColour(RGB(0, 0, 255));
    EXPECT_EQ(dlg.colour.TextColour(), RGB(0, 0, 255));
    auto [blueText, face2] = count(RGB(0, 0, 255));
    EXPECT_EQ(blueText, blackText);
    EXPECT_EQ(face2, face1);
}

}  // namespace
}  // namespace gd::test
