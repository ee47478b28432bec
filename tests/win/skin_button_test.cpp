// Bitmap-drawn buttons: the face each state shows, the frame left
// transparent, the disabled look that swallows clicks, and the pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "resource.h"
#include "skin_test_dialog.h"

namespace gd::test {
namespace {

// Test faces: 72 x 28 each, a 4-pixel frame in the transparent colour
// around a plate of the face's colour.
constexpr int kFaceWidth = 72;
constexpr int kFaceHeight = 28;
constexpr COLORREF kTransparent = RGB(0xFF, 0xFF, 0x00);
constexpr COLORREF kSetA[4] = {RGB(0x30, 0x60, 0xA0), RGB(0x20, 0xA0, 0x40), RGB(0xA0, 0x20, 0x20),
                               RGB(0x80, 0x80, 0x80)};
constexpr COLORREF kSetB[4] = {RGB(0x60, 0x30, 0x90), RGB(0x20, 0x80, 0x80), RGB(0x90, 0x50, 0x10),
                               RGB(0x60, 0x60, 0x60)};
constexpr POINT kPlate{30, 6};
constexpr POINT kFrame{1, 1};

UniqueBitmap Faces(const COLORREF (&plates)[4]) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kFaceHeight; ++y) {
        for (int x = 0; x < 4 * kFaceWidth; ++x) {
            const int inFace = x % kFaceWidth;
            const bool frame =
                inFace < 4 || inFace >= kFaceWidth - 4 || y < 4 || y >= kFaceHeight - 4;
            pixels.push_back(frame ? kTransparent : plates[x / kFaceWidth]);
        }
    }
    return MakeBitmap(4 * kFaceWidth, kFaceHeight, pixels);
}

class SkinButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Open());
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(
                dlg.buttons[i].SetBitmaps(Faces(kSetA), Faces(kSetB), kTransparent, 8 + i * 80, 8));
        }
        ASSERT_TRUE(dlg.picture.SetBitmaps(Faces(kSetA), Faces(kSetB), kTransparent, 328, 8));
        PumpMessages();
    }

    // The colour drawn at a point of a button, in dialog client pixels.
    COLORREF ButtonPixel(const CSkinButton& button, POINT p) {
        const RECT r = button.Placement();
        return ClientPixels(dlg).At(r.left + p.x, r.top + p.y);
    }

    CSkinTestDlg dlg;
};

TEST_F(SkinButtonTest, EachStateDrawsItsFaceAndLeavesTheFrameTransparent) {
    CSkinButton& b = dlg.buttons[0];
    const struct {
        const char* state;
        bool hover, pressed, disabledLook;
        int faceSet;
        COLORREF plate;
    } rows[] = {
        {"normal", false, false, false, 0, kSetA[0]},
        {"hover", true, false, false, 0, kSetA[1]},
        {"pressed while hovered", true, true, false, 0, kSetA[2]},
        {"disabled look while pressed", false, true, true, 0, kSetA[3]},
        {"second set, hover", true, false, false, 1, kSetB[1]},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        b.SetFaceSet(row.faceSet);
        b.SetDisabledLook(row.disabledLook);
        b.SendMessage(row.hover ? WM_MOUSEHOVER : WM_MOUSELEAVE, 0, MAKELPARAM(30, 6));
        b.SetState(row.pressed);
        EXPECT_EQ(ButtonPixel(b, kPlate), row.plate);
        EXPECT_EQ(ButtonPixel(b, kFrame), StripeAt(b.Placement().left + kFrame.x));
    }
    // A picture button shows face 1 for the disabled look.
    dlg.picture.SetDisabledLook(true);
    EXPECT_EQ(ButtonPixel(dlg.picture, kPlate), kSetA[1]);
}

void MouseClick(CWnd button, bool doubleClick) {
    button.SendMessage(doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON,
                       MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void SpaceBar(CWnd button) {
    button.SetFocus();
    button.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
    button.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
}

TEST_F(SkinButtonTest, TheDisabledLookSwallowsEveryKindOfClick) {
    const struct {
        const char* input;
        void (*press)(CWnd);
        bool sendsClick;  // otherwise the button reports a double click
    } inputs[] = {
        {"click", [](CWnd b) { MouseClick(b, false); }, true},
        {"double click", [](CWnd b) { MouseClick(b, true); }, false},
        {"space bar", SpaceBar, true},
        {"BM_CLICK", [](CWnd b) { b.SendMessage(BM_CLICK); }, true},
    };
    CSkinButton& b = dlg.buttons[2];
    for (const auto& row : inputs) {
        SCOPED_TRACE(row.input);
        b.SetDisabledLook(true);
        dlg.clicks.clear();
        dlg.otherCodes.clear();
        row.press(b);
        PumpMessages();
        EXPECT_TRUE(dlg.clicks.empty());
        EXPECT_TRUE(dlg.otherCodes.empty());
        EXPECT_FALSE(b.IsPushed());

        b.SetDisabledLook(false);
        row.press(b);
        PumpMessages();
        if (row.sendsClick) {
            EXPECT_EQ(dlg.clicks, std::vector<UINT>{IDC_SKIN_BUTTON2});
        } else {
            EXPECT_EQ(dlg.otherCodes, std::vector<UINT>{BN_DOUBLECLICKED});
        }
    }
    // The window itself stayed enabled all along.
    EXPECT_TRUE(b.IsWindowEnabled());
}

TEST_F(SkinButtonTest, TheRealPointerBringsHoverAndLeave) {
    CSkinButton& b = dlg.buttons[3];
    const POINT inside = b.ClientToScreen(POINT{kPlate.x, 14});
    const POINT outside = dlg.ClientToScreen(POINT{400, 150});
    // The system's hover and leave reports come from its own timers; the
    // bound only keeps a broken build from hanging.
    const auto waitFor = [&b](bool hovered) {
        for (int i = 0; i < 200 && b.IsHovered() != hovered; ++i) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpMessages();
        }
        return b.IsHovered() == hovered;
    };
    Inject(PointerAt(outside));
    Inject(PointerAt(inside));
    ASSERT_TRUE(waitFor(true));
    EXPECT_EQ(ButtonPixel(b, kPlate), kSetA[1]);
    Inject(PointerAt(outside));
    ASSERT_TRUE(waitFor(false));
    EXPECT_EQ(ButtonPixel(b, kPlate), kSetA[0]);
}

TEST(SkinButtonLifetime, ControlsLetGoWhenTheDialogIsDestroyedFirst) {
    CSkinTestDlg dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.buttons[0].SetToolTipText("tip");
    ASSERT_NE(dlg.buttons[0].ToolTip().GetSafeHwnd(), nullptr);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.buttons[0].GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.buttons[0].ToolTip().GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.list.GetSafeHwnd(), nullptr);
}

}  // namespace
}  // namespace gd::test
