// The skinned controls under real windows, in a test dialog over a striped
// background so that transparency shows: bitmap-drawn buttons, labels and
// the pad picture window.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fw/dialog.h"
#include "fw/handle.h"
#include "resource.h"
#include "skin/labels.h"
#include "skin/pad_link.h"
#include "skin/display_scale.h"
#include "skin/display_scale_win.h"
#include "skin/pad_picture_wnd.h"
#include "skin/skin_button.h"
#include "skin_layout.h"
#include "skin_test_ids.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

// A modeless dialog holding one of each skinned control, over a striped
// background so that transparency shows: stripes 4 pixels wide alternate
// between kStripeA and kStripeB, starting with A at x = 0.

inline constexpr COLORREF kStripeA = RGB(0x20, 0x40, 0x60);
inline constexpr COLORREF kStripeB = RGB(0xC0, 0xC0, 0x40);

inline COLORREF StripeAt(int x) {
    return (x / 4) % 2 == 0 ? kStripeA : kStripeB;
}

// Whether each channel of `c` lies between those of `from` and `to`: what
// drawing `to` over `from` gives, antialiased or not, with any font.
inline bool Between(COLORREF c, COLORREF from, COLORREF to) {
    for (int shift : {0, 8, 16}) {
        const int v = (c >> shift) & 0xFF, a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        if (v < (a < b ? a : b) || v > (a < b ? b : a)) {
            return false;
        }
    }
    return true;
}

class CSkinTestDlg : public CDialog {
  public:
    CSkinTestDlg() : CDialog(IDD_SKIN_TEST) {}
    ~CSkinTestDlg() override { DestroyWindow(); }

    // Created, shown at the screen's top-left corner and painted.
    bool Open() {
        if (!Create(nullptr)) {
            return false;
        }
        SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(hwnd_);
        PumpMessages();
        return true;
    }

    CSkinButton button;
    CPictureButton picture;
    CTransStatic label;

  protected:
    BOOL OnInitDialog() override {
        button.SubclassDlgItem(IDC_SKIN_BUTTON, hwnd_);
        picture.SubclassDlgItem(IDC_SKIN_PICTURE, hwnd_);
        label.SubclassDlgItem(IDC_SKIN_LABEL, hwnd_);
        return TRUE;
    }

    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnMessage<WM_ERASEBKGND, &CSkinTestDlg::OnEraseBkgnd>(),
        };
        static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
        return kMap;
    }

  private:
    BOOL OnEraseBkgnd(HDC dc) {
        RECT client = GetClientRect();
        for (int x = 0; x < client.right; x += 4) {
            RECT stripe{x, 0, x + 4, client.bottom};
            UniqueBrush brush(::CreateSolidBrush(StripeAt(x)));
            ::FillRect(dc, &stripe, brush.get());
        }
        return TRUE;
    }
};

// Bitmap-drawn buttons: the face each state shows and the frame left
// transparent.

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

// `hoverFrame`, when not transparent, outlines faces 1 and 2 (hover and
// pressed) where the others are transparent.
UniqueBitmap Faces(const COLORREF (&plates)[4], COLORREF hoverFrame = kTransparent) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kFaceHeight; ++y) {
        for (int x = 0; x < 4 * kFaceWidth; ++x) {
            const int face = x / kFaceWidth;
            const int inFace = x % kFaceWidth;
            const bool frame =
                inFace < 4 || inFace >= kFaceWidth - 4 || y < 4 || y >= kFaceHeight - 4;
            const bool outlined = face == 1 || face == 2;
            pixels.push_back(!frame ? plates[face] : outlined ? hoverFrame : kTransparent);
        }
    }
    return MakeBitmap(4 * kFaceWidth, kFaceHeight, pixels);
}

// The hover and pressed outline of the main set.
constexpr COLORREF kOutline = RGB(0xF0, 0x80, 0x10);

class SkinButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Open());
        ASSERT_TRUE(
            dlg.button.SetBitmaps(Faces(kSetA, kOutline), Faces(kSetB), kTransparent, 8, 8));
        ASSERT_TRUE(dlg.picture.SetBitmaps(Faces(kSetA), Faces(kSetB), kTransparent, 328, 8));
        PumpMessages();
    }

    // What the dialog shows at a point of a button once the queued messages
    // ran, without a repaint of the whole dialog that would hide what a
    // button left behind.
    COLORREF ButtonPixel(const CSkinButton& button, POINT p) {
        PumpMessages();
        const RECT r = button.Placement();
        WindowDC dc(dlg);
        return ::GetPixel(dc.get(), r.left + p.x, r.top + p.y);
    }

    CSkinTestDlg dlg;
};

// Each state draws its face. Where only the hover and pressed faces draw an
// outline, the background must come back as soon as such a face goes away,
// not leave the outline standing (it made M1-M5 all look selected at once).
TEST_F(SkinButtonTest, EachStateDrawsItsFaceAndAFaceGoingAwayGivesItsFrameBack) {
    CSkinButton& b = dlg.button;
    const COLORREF stripe = StripeAt(b.Placement().left + kFrame.x);
    const struct {
        const char* state;
        UINT mouse;  // WM_MOUSEHOVER, WM_MOUSELEAVE, or 0 for none
        bool pressed, disabledLook;
        int faceSet;
        COLORREF plate, frame;
    } rows[] = {
        {"normal", 0, false, false, 0, kSetA[0], stripe},
        {"pointer over", WM_MOUSEHOVER, false, false, 0, kSetA[1], kOutline},
        {"pointer left", WM_MOUSELEAVE, false, false, 0, kSetA[0], stripe},
        {"pressed", 0, true, false, 0, kSetA[2], kOutline},
        {"released", 0, false, false, 0, kSetA[0], stripe},
        {"pressed under the pointer", WM_MOUSEHOVER, true, false, 0, kSetA[2], kOutline},
        {"disabled look, pressed under the pointer", 0, true, true, 0, kSetA[3], stripe},
        {"second set, hover", WM_MOUSEHOVER, false, false, 1, kSetB[1], stripe},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        b.SetFaceSet(row.faceSet);
        if (row.mouse != 0) {
            b.SendMessage(row.mouse, 0, MAKELPARAM(30, 6));
        }
        b.SetState(row.pressed);
        b.SetDisabledLook(row.disabledLook);
        EXPECT_EQ(ButtonPixel(b, kPlate), row.plate);
        EXPECT_EQ(ButtonPixel(b, kFrame), row.frame);
    }
    // A picture button shows face 1 for the disabled look.
    dlg.picture.SetDisabledLook(true);
    EXPECT_EQ(ButtonPixel(dlg.picture, kPlate), kSetA[1]);
}

// Labels over skinned backgrounds. What a label shows depends on the fonts
// of the machine and their antialiasing, so the checks hold for any glyphs:
// every pixel of the label is a mix of what lies under it and the text
// colour, and some are not the background alone.

constexpr COLORREF kYellow = RGB(0xFF, 0xFF, 0x00);

struct Look {
    int textPixels = 0;     // pixels that differ from what lies under them
    int strangePixels = 0;  // pixels no mix of the two colours gives
};

// The label's area in `pixels`, over the stripes in colour `text`.
Look LookAt(const CWnd& label, const ClientPixels& pixels, COLORREF text) {
    const RECT r = label.GetRectInParent();
    Look look;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = pixels.At(x, y);
            look.textPixels += c != StripeAt(x);
            look.strangePixels += !Between(c, StripeAt(x), text);
        }
    }
    return look;
}

class SkinLabelTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open()); }

    CSkinTestDlg dlg;
};

// An opaque box would show as pixels that are neither stripe nor text.
TEST_F(SkinLabelTest, TextIsDrawnOverTheParentsBackground) {
    dlg.label.SetTextColour(kYellow);
    dlg.label.SetText("WWWWWWWWWWWWWWWW");
    const Look wide = LookAt(dlg.label, ClientPixels(dlg), kYellow);
    EXPECT_GT(wide.textPixels, 0);
    EXPECT_EQ(wide.strangePixels, 0);
    EXPECT_EQ(dlg.label.Text(), "WWWWWWWWWWWWWWWW");
    EXPECT_EQ(dlg.label.GetWindowText(), "");  // the label's text is its own
}

// The pad picture window: cut to the pad drawing, and asking the main
// window for a pick.

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

// Moved to a monitor of another DPI, the picture takes the drawing made for
// it: size, outline and buttons follow, and the lit button stays lit.
TEST_F(PadPictureTest, ADpiChangeRedrawsItAtTheNewScaleWhereTheSystemSuggests) {
    picture_.SendMessage(kPadButtonHover, IDB_PAD_BUTTON_M1 + 16);
    auto changeTo = [&](UINT dpi) {
        RECT suggested{40, 30, 90, 80};
        picture_.SendMessage(WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                             reinterpret_cast<LPARAM>(&suggested));
        PumpMessages();
    };
    auto outline = [&] {
        UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        RECT box{};
        ::GetWindowRgn(picture_, region.get());
        ::GetRgnBox(region.get(), &box);
        return box;
    };
    const RECT outlineAt100 = outline();
    const RECT m1At100 = picture_.Button(0).Placement();

    changeTo(192);
    const RECT window = picture_.GetWindowRect();
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);
    EXPECT_EQ(window.right - window.left, 2 * 357);
    EXPECT_EQ(window.bottom - window.top, 2 * 500);
    const RECT doubled = outline();
    EXPECT_NEAR(doubled.right, 2 * outlineAt100.right, 2);
    EXPECT_NEAR(doubled.bottom, 2 * outlineAt100.bottom, 2);
    const RECT m1 = picture_.Button(0).Placement();
    EXPECT_EQ(m1.left, 2 * m1At100.left);
    EXPECT_EQ(m1.bottom, 2 * m1At100.bottom);
    EXPECT_FALSE(picture_.Button(16).IsLookEnabled());

    changeTo(96);
    EXPECT_EQ(picture_.GetWindowRect().right, 40 + 357);
    const RECT back = outline();
    EXPECT_TRUE(::EqualRect(&back, &outlineAt100));
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

struct SectionShape {
    int width;
    int height;
    int bitsPerPixel;
};

std::optional<SectionShape> ShapeOf(const UniqueBitmap& bitmap) {
    DIBSECTION section{};
    if (!bitmap || ::GetObjectA(bitmap.get(), sizeof section, &section) != sizeof section ||
        section.dsBm.bmBits == nullptr) {
        return std::nullopt;
    }
    return SectionShape{section.dsBmih.biWidth, section.dsBmih.biHeight, section.dsBmih.biBitCount};
}

// Every skin bitmap at every scale unpacks into a bottom-up section of its
// own depth, the two masks black and white, one stored against a reference
// into its own pixels; a missing or damaged one, or one whose reference has
// a reference, is no bitmap at all.
TEST(PackedArtLoading, EveryBitmapLoadsAtEveryScaleAndADamagedOneNotAtAll) {
    std::vector<int> numbers{IDB_PAD_SHAPE, IDB_PAD_PICTURE, IDB_WELCOME_PAGE, IDB_BUTTON_PAGE,
                             IDB_WINDOW_SHAPE};
    for (int n = IDB_FRAME_TOGGLE; n <= IDB_PICTURE_M20; ++n) {
        numbers.push_back(n);
    }
    // A page is drawn at each scale from its size at the first.
    const std::optional<SectionShape> firstPage = ShapeOf(LoadArtBitmap(IDB_WELCOME_PAGE, 0));
    ASSERT_TRUE(firstPage.has_value());
    for (int scale = 0; scale < skin_layout::kArtScaleCount; ++scale) {
        const int pageWidth = ScalePixels(firstPage->width, skin_layout::kArtScales[scale]);
        for (int number : numbers) {
            const bool mask = number == IDB_PAD_SHAPE || number == IDB_WINDOW_SHAPE;
            const std::optional<SectionShape> shape = ShapeOf(LoadArtBitmap(number, scale));
            ASSERT_TRUE(shape.has_value()) << number << " at scale " << scale;
            EXPECT_EQ(shape->bitsPerPixel, mask ? 1 : 24) << number;
            EXPECT_GT(shape->height, 0) << number;
            if (number == IDB_WELCOME_PAGE) {
                EXPECT_EQ(shape->width, pageWidth);
            }
        }
        UniqueBitmap mask = LoadArtBitmap(IDB_WINDOW_SHAPE, scale);
        UniqueDC dc(::CreateCompatibleDC(nullptr));
        SelectGuard select(dc.get(), mask.get());
        RGBQUAD colours[2]{};
        ASSERT_EQ(::GetDIBColorTable(dc.get(), 0, 2, colours), 2U);
        EXPECT_EQ(std::vector<int>({colours[0].rgbRed, colours[0].rgbGreen, colours[0].rgbBlue,
                                    colours[1].rgbRed, colours[1].rgbGreen, colours[1].rgbBlue}),
                  std::vector<int>({0, 0, 0, 255, 255, 255}));
    }

    UniqueBitmap whole = LoadArtBitmap(IDB_TEST_PACKED_WHOLE, 0);
    ASSERT_TRUE(ShapeOf(whole).has_value());
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    SelectGuard select(dc.get(), whole.get());
    EXPECT_EQ(::GetPixel(dc.get(), 0, 0), RGB(0x33, 0x22, 0x11));
    UniqueBitmap difference = LoadArtBitmap(IDB_TEST_PACKED_DIFFERENCE, 0);
    ASSERT_TRUE(ShapeOf(difference).has_value());
    SelectGuard selectDifference(dc.get(), difference.get());
    EXPECT_EQ(::GetPixel(dc.get(), 0, 0), RGB(0x30, 0x20, 0x10));
    for (int damaged : {IDB_TEST_PACKED_CUT, IDB_TEST_PACKED_EMPTY, IDB_TEST_PACKED_CHAINED,
                        IDB_TEST_PACKED_MISSING}) {
        EXPECT_FALSE(LoadArtBitmap(damaged, 0)) << damaged;
    }
}

}  // namespace
}  // namespace gd::test
