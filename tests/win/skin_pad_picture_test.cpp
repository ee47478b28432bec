#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "fw/handle.h"
#include "fw_test_support.h"
#include "resource.h"
#include "skin/pad_link.h"
#include "skin/pad_picture_wnd.h"

namespace gd::test {
namespace {

// Where each M-Button of the drawing sits, M1 first.
constexpr POINT kPlaces[CPadPictureWnd::kButtonCount] = {
    {25, 76},   {56, 76},   {87, 76},   {118, 76}, {149, 76}, {180, 76}, {211, 76},
    {242, 76},  {273, 76},  {304, 76},  {59, 117}, {51, 152}, {51, 191}, {249, 117},
    {261, 152}, {262, 191}, {217, 227}, {25, 289}, {56, 289}, {87, 289}};

// The picture window with a stand-in main window as its owner, which
// collects what the picture posts to it.
class PadPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner_ = ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        ASSERT_TRUE(picture_.Create(owner_));
        picture_.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        PumpMessages();
    }
    void TearDown() override {
        picture_.DestroyWindow();
        ::DestroyWindow(owner_);
    }

    // The pick the picture posted to the main window, if any: (message, button).
    std::optional<std::pair<UINT, WPARAM>> TakePick() {
        MSG msg{};
        if (!::PeekMessageA(&msg, owner_, kPadPickLowGroup, kPadPickHighGroup, PM_REMOVE)) {
            return std::nullopt;
        }
        EXPECT_EQ(msg.lParam, 0);
        return std::make_pair(msg.message, msg.wParam);
    }

    void Click(int k) {
        CWnd button(picture_.Button(k));
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }

    HWND owner_ = nullptr;
    CPadPictureWnd picture_;
};

TEST_F(PadPictureTest, TheDrawingShapesTheWindowAndPlacesTheTwentyButtons) {
    EXPECT_EQ(PadPictureWindow(), static_cast<HWND>(picture_));
    const RECT window = picture_.GetWindowRect();
    EXPECT_EQ(window.right - window.left, 357);
    EXPECT_EQ(window.bottom - window.top, 500);
    UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(picture_, region.get()), COMPLEXREGION);

    for (int k = 0; k < CPadPictureWnd::kButtonCount; ++k) {
        SCOPED_TRACE(k);
        const CPictureButton& button = picture_.Button(k);
        ASSERT_TRUE(button.IsWindow());
        const RECT placed = button.Placement();
        EXPECT_EQ(placed.left, kPlaces[k].x);
        EXPECT_EQ(placed.top, kPlaces[k].y);
        EXPECT_GT(button.FaceWidth(), 0);
        EXPECT_EQ(placed.right - placed.left, button.FaceWidth());
    }
    // Dragged by any point that is not a button.
    EXPECT_EQ(picture_.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(5, 480)), HTCAPTION);

    picture_.DestroyWindow();
    EXPECT_EQ(PadPictureWindow(), nullptr);
}

TEST_F(PadPictureTest, TheMainWindowsHoverLightsOneButtonAtATime) {
    const auto lit = [&] {
        std::vector<int> on;
        for (int k = 0; k < CPadPictureWnd::kButtonCount; ++k) {
            if (!picture_.Button(k).IsLookEnabled()) {
                on.push_back(k);
            }
        }
        return on;
    };
    // Pad button 3 of M11-M20 shows face bitmap 322: M14.
    picture_.SendMessage(kPadButtonHover, IDB_PAD_BUTTON_M11 + 3);
    EXPECT_EQ(picture_.HighlightedButton(), 13);
    EXPECT_EQ(lit(), std::vector<int>{13});

    picture_.SendMessage(kPadButtonHover, IDB_PAD_BUTTON_M1);
    EXPECT_EQ(lit(), std::vector<int>{0});

    // Ids outside the pad buttons' faces change nothing.
    for (WPARAM foreign : {WPARAM{308}, WPARAM{329}, WPARAM{0}, ~WPARAM{0}}) {
        picture_.SendMessage(kPadButtonHover, foreign);
        EXPECT_EQ(lit(), std::vector<int>{0}) << foreign;
    }

    picture_.SendMessage(kPadButtonLeave);
    EXPECT_EQ(picture_.HighlightedButton(), -1);
    EXPECT_TRUE(lit().empty());
}

TEST_F(PadPictureTest, AClickAsksTheMainWindowForThatButtonsGroupAndNumber) {
    Click(16);  // M17
    EXPECT_EQ(TakePick(), std::make_pair(kPadPickHighGroup, WPARAM{6}));
    Click(0);  // M1
    EXPECT_EQ(TakePick(), std::make_pair(kPadPickLowGroup, WPARAM{0}));
    Click(19);  // M20
    EXPECT_EQ(TakePick(), std::make_pair(kPadPickHighGroup, WPARAM{9}));

    // The lit button is the one the pointer is on in the main window: it
    // takes no click until the pointer leaves.
    picture_.SendMessage(kPadButtonHover, IDB_PAD_BUTTON_M1 + 4);
    Click(4);
    EXPECT_EQ(TakePick(), std::nullopt);
    picture_.SendMessage(kPadButtonLeave);
    Click(4);
    EXPECT_EQ(TakePick(), std::make_pair(kPadPickLowGroup, WPARAM{4}));
}

}  // namespace
}  // namespace gd::test
