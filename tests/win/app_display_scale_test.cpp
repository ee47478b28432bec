// The skinned windows at the display scales: started at 96, 144 and 192 dpi
// the main window and the pad picture take the drawing made for that DPI,
// with outline and controls to match, and a DPI change while running
// redraws them at the new scale. Wine reads the DPI when a process starts,
// so each DPI is a program started after the setting changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "app_test_support.h"
#include "fw/handle.h"
#include "skin/display_scale.h"
#include "skin_layout.h"

namespace gd::apptest {
namespace {

// WM_DPICHANGED points at a rectangle. Whether or not the system copies it
// over to the receiving process, a rectangle at the same address in both
// processes is the one it reads. 0 when no address was free in both; the
// pages stay, as both processes end soon.
LPARAM RectInBoth(DWORD pid, const RECT& rect) {
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    LPARAM found = 0;
    for (std::uintptr_t at = 0x7F000000; process != nullptr && found == 0 && at < 0x7F800000;
         at += 0x100000) {
        void* wanted = reinterpret_cast<void*>(at);
        void* here = ::VirtualAlloc(wanted, sizeof rect, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (here == wanted &&
            ::VirtualAllocEx(process, wanted, sizeof rect, MEM_RESERVE | MEM_COMMIT,
                             PAGE_READWRITE) == wanted &&
            ::WriteProcessMemory(process, wanted, &rect, sizeof rect, nullptr)) {
            *static_cast<RECT*>(here) = rect;
            found = static_cast<LPARAM>(at);
        } else if (here != nullptr) {
            ::VirtualFree(here, 0, MEM_RELEASE);
        }
    }
    if (process != nullptr) {
        ::CloseHandle(process);
    }
    return found;
}

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND parent, int id) {
    HWND control = ::GetDlgItem(parent, id);
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The bounding box of the window's outline, in client coordinates.
RECT OutlineBox(HWND window) {
    UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    if (::GetWindowRgn(window, region.get()) == ERROR) {
        return box;
    }
    ::GetRgnBox(region.get(), &box);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    POINT origin{};
    ::ClientToScreen(window, &origin);
    ::OffsetRect(&box, frame.left - origin.x, frame.top - origin.y);
    return box;
}

// A rectangle's sides, compared and printed as one value.
std::array<LONG, 4> Sides(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
std::array<LONG, 4> Sides(LONG x, LONG y, LONG width, LONG height) {
    return {x, y, x + width, y + height};
}

// The window as the art at `percent` has it: client area, the first pad
// button and the last label, and an outline within two pixels of the one at
// 100 % scaled (the outline is drawn again at each scale, not stretched).
void ExpectSkinAt(HWND main, int percent, const RECT& outlineAt100) {
    using namespace skin_layout;
    const int k =
        static_cast<int>(std::find(kArtScales, kArtScales + kArtScaleCount, percent) - kArtScales);
    ASSERT_LT(k, kArtScaleCount) << "no art at " << percent << " %";
    RECT client{};
    ::GetClientRect(main, &client);
    EXPECT_EQ(Sides(client), Sides(0, 0, ScalePixels(566, percent), ScalePixels(500, percent)));
    const Place& pad = MainPlace(IDB_PAD_BUTTON_M1, k);
    EXPECT_EQ(Sides(PlaceOf(main, IDC_PAD_BUTTON_0)), Sides(pad.x, pad.y, pad.width, pad.height));
    const LabelPlaces& labels = kLabels[k];
    EXPECT_EQ(Sides(PlaceOf(main, IDC_PAD_LABEL_9)),
              Sides(labels.x[1], labels.y[4], labels.width, labels.height));
    const RECT outline = OutlineBox(main);
    for (LONG RECT::*side : {&RECT::left, &RECT::top, &RECT::right, &RECT::bottom}) {
        EXPECT_NEAR(outline.*side, ScalePixels(outlineAt100.*side, percent), 2);
    }
}

using DisplayScaleTest = AppTest;

TEST_F(DisplayScaleTest, EachDpiGetsItsDrawingAndADpiChangeRedrawsTheWindow) {
    RECT outlineAt100{};
    struct Row {
        DWORD dpi;
        int percent;
    };
    for (const Row row : {Row{96, 100}, Row{144, 150}, Row{192, 200}}) {
        SCOPED_TRACE(testing::Message() << row.dpi << " dpi");
        LogPixels dpi(row.dpi);
        Program program("");
        HWND main = program.Main();
        ASSERT_NE(main, nullptr);
        if (row.dpi == 96) {
            outlineAt100 = OutlineBox(main);
            EXPECT_GT(outlineAt100.right - outlineAt100.left, 500);
        }
        ExpectSkinAt(main, row.percent, outlineAt100);

        // The pad icon leaves the welcome page, then shows the picture.
        ClickControl(main, IDC_PAD_ICON);
        ClickControl(main, IDC_PAD_ICON);
        program.Sync();
        HWND picture = program.PadPicture();
        ASSERT_NE(picture, nullptr);
        EXPECT_TRUE(::IsWindowVisible(picture));
        RECT window{};
        ::GetWindowRect(picture, &window);
        EXPECT_EQ(Sides(window), Sides(window.left, window.top, ScalePixels(357, row.percent),
                                       ScalePixels(500, row.percent)));
        UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(::GetWindowRgn(picture, region.get()), COMPLEXREGION);
    }

    // Moved to a monitor of 192 dpi and back: the window goes where the
    // system suggests and takes the drawing for the DPI it is on.
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    for (const Row row : {Row{192, 200}, Row{96, 100}}) {
        SCOPED_TRACE(testing::Message() << "changed to " << row.dpi << " dpi");
        const LPARAM suggested = RectInBoth(program.Pid(), RECT{30, 20, 630, 620});
        ASSERT_NE(suggested, 0);
        DWORD_PTR answer = 1;
        ::SendMessageTimeoutA(main, WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi), suggested,
                              SMTO_NORMAL, kLimitMs, &answer);
        EXPECT_EQ(answer, 0u);
        RECT window{};
        ::GetWindowRect(main, &window);
        EXPECT_EQ(window.left, 30);
        EXPECT_EQ(window.top, 20);
        ExpectSkinAt(main, row.percent, outlineAt100);
    }
    const RECT outline = OutlineBox(main);
    EXPECT_TRUE(::EqualRect(&outline, &outlineAt100));
}

}  // namespace
}  // namespace gd::apptest
