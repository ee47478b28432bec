// The pad picture window: cut to the pad drawing, its M-Buttons lit while
// the pointer is on the main window's pad button of the same face, and
// asking the main window for a pick.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "fw/handle.h"
#include "resource.h"
#include "skin/pad_link.h"
#include "skin/pad_picture_wnd.h"
#include "skin_test_dialog.h"

namespace gd::test {
namespace {

// The picture window with a stand-in main window as its owner, which
// collects what the picture posts to it.
class PadPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_.reset(::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, nullptr, nullptr));
        ASSERT_TRUE(picture_.Create(owner_.get()));
        picture_.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        PumpMessages();
    }
    void TearDown() override { picture_.DestroyWindow(); }

    // The pick the picture posted to the main window, if any: (message, button).
    std::optional<std::pair<UINT, WPARAM>> Pick(int k) {
        CWnd button(picture_.Button(k));
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        MSG msg{};
        if (!::PeekMessageA(&msg, owner_.get(), kPadPickLowGroup, kPadPickHighGroup, PM_REMOVE)) {
            return std::nullopt;
        }
        return std::make_pair(msg.message, msg.wParam);
    }
    std::vector<int> Lit() {
        PumpMessages();
        std::vector<int> on;
        for (int k = 0; k < CPadPictureWnd::kButtonCount; ++k) {
            if (!picture_.Button(k).IsLookEnabled()) {
                on.push_back(k);
            }
        }
        return on;
    }

    UniqueWindow owner_;
    CPadPictureWnd picture_;
};

TEST_F(PadPictureTest, TheDrawingShapesTheWindowAndHoldsTheTwentyButtons) {
    EXPECT_EQ(PadPictureWindow(), static_cast<HWND>(picture_));
    // As large as the drawing whatever the dialog font: a template sized in
    // dialog units once cut off the drawing's bottom.
    const RECT window = picture_.GetWindowRect();
    EXPECT_EQ(window.right - window.left, 357);
    EXPECT_EQ(window.bottom - window.top, 500);
    UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(picture_, region.get()), COMPLEXREGION);
    for (int k = 0; k < CPadPictureWnd::kButtonCount; ++k) {
        const RECT placed = picture_.Button(k).Placement();
        EXPECT_GT(placed.right - placed.left, 0) << k;
        EXPECT_TRUE(::RectInRegion(region.get(), &placed)) << k;
    }
    // Dragged by any point that is not a button.
    EXPECT_EQ(picture_.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(5, 480)), HTCAPTION);
    picture_.DestroyWindow();
    EXPECT_EQ(PadPictureWindow(), nullptr);
}

TEST_F(PadPictureTest, APadButtonUnderThePointerLightsItsMButton) {
    CSkinTestDlg dlg;
    ASSERT_TRUE(dlg.Open());
    CSkinButton& padButton = dlg.buttons[0];  // pad button 4 of the main window
    ASSERT_TRUE(padButton.LoadBitmaps(IDB_PAD_BUTTON_M1 + 3, IDB_PAD_BUTTON_M11 + 3, 0));
    padButton.SetFaceSet(1);  // the group M11-M20
    padButton.SendMessage(WM_MOUSEHOVER);
    EXPECT_EQ(Lit(), std::vector<int>{13});
    padButton.SendMessage(WM_MOUSELEAVE);
    EXPECT_TRUE(Lit().empty());

    // The picture's own buttons report nothing; ids of other faces light nothing.
    picture_.Button(2).SendMessage(WM_MOUSEHOVER);
    for (WPARAM foreign : {WPARAM{IDB_GROUP_M11_M20}, WPARAM{0}, ~WPARAM{0}}) {
        picture_.SendMessage(kPadButtonHover, foreign);
    }
    EXPECT_TRUE(Lit().empty());
}

TEST_F(PadPictureTest, AClickAsksTheMainWindowForThatButtonsGroupAndNumber) {
    EXPECT_EQ(Pick(16), std::make_pair(kPadPickHighGroup, WPARAM{6}));  // M17
    EXPECT_EQ(Pick(0), std::make_pair(kPadPickLowGroup, WPARAM{0}));    // M1
    EXPECT_EQ(Pick(19), std::make_pair(kPadPickHighGroup, WPARAM{9}));  // M20
    // The lit button is the one the pointer is on in the main window: it
    // takes no click until the pointer leaves.
    picture_.SendMessage(kPadButtonHover, IDB_PAD_BUTTON_M1 + 4);
    EXPECT_EQ(Pick(4), std::nullopt);
    picture_.SendMessage(kPadButtonLeave);
    EXPECT_EQ(Pick(4), std::make_pair(kPadPickLowGroup, WPARAM{4}));
}

}  // namespace
}  // namespace gd::test
