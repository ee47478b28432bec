#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "skin/pad_link.h"
#include "skin_test_dialog.h"

namespace gd::test {
namespace {

// Colours of the test face bitmaps (fw_test_res/faces_*.bmp): each face is
// 72 x 28 with a 4-pixel transparent frame around a coloured plate.
constexpr int kFaceWidth = 72;
constexpr int kFaceHeight = 28;
constexpr COLORREF kSetA[4] = {RGB(0x30, 0x60, 0xA0), RGB(0x20, 0xA0, 0x40), RGB(0xA0, 0x20, 0x20),
                               RGB(0x80, 0x80, 0x80)};
constexpr COLORREF kSetB[4] = {RGB(0x60, 0x30, 0x90), RGB(0x20, 0x80, 0x80), RGB(0x90, 0x50, 0x10),
                               RGB(0x60, 0x60, 0x60)};
// A point on the plate clear of the face's text, and one in the frame.
constexpr POINT kPlate{30, 6};
constexpr POINT kFrame{1, 1};

LPARAM At(POINT p) {
    return MAKELPARAM(p.x, p.y);
}

class SkinButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Open());
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(dlg.buttons[i].LoadBitmaps(IDB_FACES_A, IDB_FACES_B, kFaceTransparent,
                                                   8 + i * 80, 8));
        }
        ASSERT_TRUE(dlg.picture.LoadBitmaps(IDB_FACES_A, IDB_FACES_B, kFaceTransparent, 328, 8));
        PumpMessages();
    }
    void TearDown() override { SetPadPictureWindow(nullptr); }

    // The colour drawn at a point of a button, in dialog client pixels.
    COLORREF ButtonPixel(const CSkinButton& button, POINT p) {
        ClientPixels pixels(dlg);
        RECT r = button.Placement();
        return pixels.At(r.left + p.x, r.top + p.y);
    }

    CSkinTestDlg dlg;
};

TEST_F(SkinButtonTest, LoadBitmapsGivesTheFaceSizeAndPlace) {
    CSkinButton& b = dlg.buttons[0];
    EXPECT_EQ(b.FaceWidth(), kFaceWidth);
    EXPECT_EQ(b.FaceHeight(), kFaceHeight);
    RECT r = b.GetRectInParent();
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 8);
    EXPECT_EQ(RectWidth(r), kFaceWidth);
    EXPECT_EQ(RectHeight(r), kFaceHeight);
    EXPECT_EQ(b.FaceSetId(0), static_cast<UINT>(IDB_FACES_A));
    EXPECT_EQ(b.FaceSetId(1), static_cast<UINT>(IDB_FACES_B));
    // The picture button's ids serve no report and are not kept.
    EXPECT_EQ(dlg.picture.FaceSetId(0), 0u);
}

TEST_F(SkinButtonTest, NegativePlaceKeepsThePositionButTakesTheFaceSize) {
    CSkinButton& b = dlg.buttons[1];
    b.MoveWindow(33, 44, 10, 10);
    ASSERT_TRUE(b.LoadBitmaps(IDB_FACES_A, IDB_FACES_B, kFaceTransparent, -1, 5));
    RECT r = b.GetRectInParent();
    EXPECT_EQ(r.left, 33);
    EXPECT_EQ(r.top, 44);
    EXPECT_EQ(RectWidth(r), kFaceWidth);
    EXPECT_EQ(RectHeight(r), kFaceHeight);
}

TEST_F(SkinButtonTest, AMissingBitmapChangesNothing) {
    CSkinButton& b = dlg.buttons[2];
    RECT before = b.GetRectInParent();
    EXPECT_FALSE(b.LoadBitmaps(IDB_FACES_A, 9999, kFaceTransparent, 100, 100));
    RECT after = b.GetRectInParent();
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(b.FaceWidth(), kFaceWidth);
    // With one face set only the first bitmap is needed.
    CSkinButton& single = dlg.buttons[3];
    single.SetFaceSetCount(1);
    EXPECT_TRUE(single.LoadBitmaps(IDB_FACES_A, 9999, kFaceTransparent, -1, -1));
}

TEST_F(SkinButtonTest, FaceWidthIsAQuarterWithTheRemainderDropped) {
    struct Row {
        int bitmapWidth;
        int faceWidth;
    } rows[] = {{400, 100}, {402, 100}, {403, 100}, {404, 101}, {3, 0}};
    for (const Row& row : rows) {
        CSkinButton& b = dlg.buttons[0];
        UniqueBitmap faces(::CreateBitmap(row.bitmapWidth, 6, 1, 32, nullptr));
        ASSERT_TRUE(b.SetBitmaps(std::move(faces), UniqueBitmap(), kFaceTransparent, 0, 0));
        EXPECT_EQ(b.FaceWidth(), row.faceWidth) << row.bitmapWidth;
        EXPECT_EQ(b.FaceHeight(), 6);
    }
    // The 402-pixel resource bitmap too.
    ASSERT_TRUE(dlg.buttons[1].LoadBitmaps(IDB_FACES_402, IDB_FACES_402, kFaceTransparent, 0, 0));
    EXPECT_EQ(dlg.buttons[1].FaceWidth(), 100);
}

TEST_F(SkinButtonTest, EachStateDrawsItsFaceAndLeavesTheFrameTransparent) {
    CSkinButton& b = dlg.buttons[0];
    struct Row {
        const char* state;
        bool hover;
        bool pressed;
        bool disabledLook;
        int faceSet;
        COLORREF plate;
    } rows[] = {
        {"normal", false, false, false, 0, kSetA[0]},
        {"hover", true, false, false, 0, kSetA[1]},
        {"pressed", false, true, false, 0, kSetA[2]},
        {"pressed while hovered", true, true, false, 0, kSetA[2]},
        {"disabled look", false, false, true, 0, kSetA[3]},
        {"disabled look while hovered", true, false, true, 0, kSetA[3]},
        {"disabled look while pressed", false, true, true, 0, kSetA[3]},
        {"second set, normal", false, false, false, 1, kSetB[0]},
        {"second set, hover", true, false, false, 1, kSetB[1]},
        {"second set, disabled look", false, false, true, 1, kSetB[3]},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        b.SetFaceSet(row.faceSet);
        b.SetDisabledLook(row.disabledLook);
        b.SendMessage(row.hover ? WM_MOUSEHOVER : WM_MOUSELEAVE, 0, At(kPlate));
        b.SetState(row.pressed);
        EXPECT_EQ(ButtonPixel(b, kPlate), row.plate);
        EXPECT_EQ(ButtonPixel(b, kFrame), StripeAt(b.Placement().left + kFrame.x));
        EXPECT_EQ(b.IsLookEnabled(), !row.disabledLook);
    }
}

TEST_F(SkinButtonTest, PictureButtonShowsFaceOneForTheDisabledLook) {
    CPictureButton& p = dlg.picture;
    p.SetDisabledLook(true);
    EXPECT_EQ(ButtonPixel(p, kPlate), kSetA[1]);
    EXPECT_EQ(p.FaceToDraw(true), 1);
    p.SetDisabledLook(false);
    EXPECT_EQ(ButtonPixel(p, kPlate), kSetA[0]);
}

// Presses a button through its messages as the system would deliver them.
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
    struct Row {
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
    for (const Row& row : inputs) {
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
            ASSERT_EQ(dlg.clicks.size(), 1u);
            EXPECT_EQ(dlg.clicks[0], static_cast<UINT>(IDC_SKIN_BUTTON2));
        } else {
            EXPECT_EQ(dlg.otherCodes, std::vector<UINT>{BN_DOUBLECLICKED});
        }
    }
    // The window itself stayed enabled all along.
    EXPECT_TRUE(b.IsWindowEnabled());
}

// Stands in for the pad picture window and keeps the hover reports it gets.
class PadWindow : public CWindowImpl<CWnd> {
  public:
    PadWindow() {
        SubclassWindow(::CreateWindowExA(0, "STATIC", "pad", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr));
    }
    ~PadWindow() override { ::DestroyWindow(UnsubclassWindow()); }

    std::vector<std::pair<UINT, WPARAM>> reports;

  protected:
    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnMessage<kPadButtonHover, &PadWindow::OnHover>(),
            OnMessage<kPadButtonLeave, &PadWindow::OnLeave>(),
        };
        static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
        return kMap;
    }

  private:
    LRESULT OnHover(WPARAM wParam, LPARAM) {
        reports.emplace_back(kPadButtonHover, wParam);
        return 0;
    }
    LRESULT OnLeave(WPARAM wParam, LPARAM) {
        reports.emplace_back(kPadButtonLeave, wParam);
        return 0;
    }
};

using Reports = std::vector<std::pair<UINT, WPARAM>>;

TEST_F(SkinButtonTest, HoverAndLeaveRedrawAndReportToThePadPictureWindow) {
    PadWindow pad;
    SetPadPictureWindow(pad);
    CSkinButton& b = dlg.buttons[0];
    b.SetFaceSet(1);

    b.SendMessage(WM_MOUSEMOVE, 0, At(kPlate));
    EXPECT_TRUE(b.IsTracking());
    EXPECT_FALSE(b.IsHovered());

    b.SendMessage(WM_MOUSEHOVER, 0, At(kPlate));
    EXPECT_TRUE(b.IsHovered());
    EXPECT_EQ(ButtonPixel(b, kPlate), kSetB[1]);
    EXPECT_EQ(pad.reports, (Reports{{WM_USER + 100, IDB_FACES_B}}));

    b.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(b.IsHovered());
    EXPECT_FALSE(b.IsTracking());
    EXPECT_EQ(ButtonPixel(b, kPlate), kSetB[0]);
    EXPECT_EQ(pad.reports, (Reports{{WM_USER + 100, IDB_FACES_B}, {WM_USER + 101, IDB_FACES_B}}));

    // Without a known pad picture window, and from picture buttons, nothing goes out.
    pad.reports.clear();
    SetPadPictureWindow(nullptr);
    b.SendMessage(WM_MOUSEHOVER, 0, At(kPlate));
    b.SendMessage(WM_MOUSELEAVE);
    SetPadPictureWindow(pad);
    dlg.picture.SendMessage(WM_MOUSEHOVER, 0, At(kPlate));
    dlg.picture.SendMessage(WM_MOUSELEAVE);
    PumpMessages();
    EXPECT_TRUE(pad.reports.empty());
}

TEST_F(SkinButtonTest, RealPointerMovesHoverAndLeave) {
    CSkinButton& b = dlg.buttons[3];
    POINT inside = b.ClientToScreen(POINT{kPlate.x, 14});
    POINT outside = dlg.ClientToScreen(POINT{400, 150});
    auto moveTo = [](POINT p) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = p.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = p.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &input, sizeof input);
    };
    // Waits for the system's hover and leave reports, which come from its
    // own timers; the bound only keeps a broken build from hanging.
    auto waitFor = [&b](bool hovered) {
        for (int i = 0; i < 200 && b.IsHovered() != hovered; ++i) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpMessages();
        }
        return b.IsHovered() == hovered;
    };
    moveTo(outside);
    PumpMessages();
    moveTo(inside);
    ASSERT_TRUE(waitFor(true));
    EXPECT_EQ(ButtonPixel(b, kPlate), kSetA[1]);
    moveTo(outside);
    ASSERT_TRUE(waitFor(false));
    EXPECT_EQ(ButtonPixel(b, kPlate), kSetA[0]);
}

TEST_F(SkinButtonTest, ToolTipIsCreatedOnceAndItsTextReplaced) {
    CSkinButton& b = dlg.buttons[0];
    EXPECT_EQ(b.ToolTip().GetSafeHwnd(), nullptr);
    b.SetToolTipText("Show/Hide Widows Frame.");
    HWND tip = b.ToolTip().GetSafeHwnd();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(b.ToolTip().GetToolCount(), 1);
    EXPECT_EQ(b.ToolTip().GetText(b), "Show/Hide Widows Frame.");
    b.SetToolTipText("Other");
    EXPECT_EQ(b.ToolTip().GetSafeHwnd(), tip);
    EXPECT_EQ(b.ToolTip().GetToolCount(), 1);
    EXPECT_EQ(b.ToolTip().GetText(b), "Other");
}

TEST_F(SkinButtonTest, CustomCursorIsSetOnEveryRequest) {
    CSkinButton& b = dlg.buttons[0];
    HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
    HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    b.SetCustomCursor(hand);
    EXPECT_EQ(b.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(b.GetSafeHwnd()),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), hand);
    b.SetCustomCursor(nullptr);
    ::SetCursor(arrow);
    b.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(b.GetSafeHwnd()),
                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), arrow);
}

TEST(SkinButtonLifetime, ControlsLetGoWhenTheDialogIsDestroyedFirst) {
    CSkinTestDlg dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.buttons[0].SetToolTipText("tip");
    ASSERT_NE(dlg.buttons[0].ToolTip().GetSafeHwnd(), nullptr);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.buttons[0].GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.buttons[0].ToolTip().GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.list.GetSafeHwnd(), nullptr);
}

// Not a check: with GRIPDECK_SHOT_SECONDS set, shows a row of buttons in
// all four faces (and set B below) for that long, for a screenshot.
TEST_F(SkinButtonTest, RowOfFacesForAScreenshot) {
    const char* seconds = std::getenv("GRIPDECK_SHOT_SECONDS");
    dlg.buttons[1].SendMessage(WM_MOUSEHOVER, 0, At(kPlate));
    dlg.buttons[2].SetState(true);
    dlg.buttons[3].SetDisabledLook(true);
    dlg.picture.SetFaceSet(1);
    dlg.label.SetTextColour(RGB(255, 255, 0));
    dlg.label.SetText("Transparent label");
    dlg.colour.SetTextColour(RGB(0, 0, 255));
    FillEventList(dlg.list);
    dlg.list.SetHighlightPair(1, 2);
    dlg.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    ClientPixels pixels(dlg);
    for (int i = 0; i < 4; ++i) {
        RECT r = dlg.buttons[i].Placement();
        EXPECT_EQ(pixels.At(r.left + kPlate.x, r.top + kPlate.y), kSetA[i]) << i;
    }
    if (seconds == nullptr) {
        return;
    }
    DWORD end = ::GetTickCount() + static_cast<DWORD>(std::atoi(seconds)) * 1000;
    while (::GetTickCount() < end) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
}

}  // namespace
}  // namespace gd::test
