#include "skin/bitmap_shape.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "skin/pixel_scan.h"

namespace gd {
namespace {

static_assert(sizeof(PixelRect) == sizeof(RECT), "runs are copied into RGNDATA as RECTs");

// A 32-bit bottom-up section of the bitmap's size holding a copy of it.
struct SectionCopy {
    UniqueBitmap section;
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
};

SectionCopy CopyToSection(HBITMAP bitmap, HDC sourceDC, HDC sectionDC) {
    SectionCopy copy;
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof info, &info) == 0) {
        return copy;
    }
    copy.width = info.bmWidth;
    copy.height = info.bmHeight;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    copy.section.reset(::CreateDIBSection(sectionDC, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy.section) {
        return copy;
    }
    SelectGuard target(sectionDC, copy.section.get());
    SelectGuard source(sourceDC, bitmap);
    if (!target.ok() || !source.ok() ||
        !::BitBlt(sectionDC, 0, 0, copy.width, copy.height, sourceDC, 0, 0, SRCCOPY)) {
        copy.section.reset();
        return copy;
    }
    ::GdiFlush();
    copy.bits = static_cast<std::uint32_t*>(bits);
    return copy;
}

UniqueRegion RegionFromRects(std::span<const PixelRect> rects, const PixelRect& bounds) {
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rects.size());
    header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header.rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    std::memcpy(data.data(), &header, sizeof header);
    if (!rects.empty()) {
        std::memcpy(data.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
    }
    return UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                          reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

UniqueRegion RegionFromBitmap(HBITMAP bitmap, COLORREF colour, COLORREF tolerance, int* width,
                              int* height) {
    if (bitmap == nullptr) {
        return {};
    }
    UniqueDC sourceDC(::CreateCompatibleDC(nullptr));
    UniqueDC sectionDC(::CreateCompatibleDC(nullptr));
    if (!sourceDC || !sectionDC) {
        return {};
    }
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof info, &info) == 0) {
        return {};
    }
    if (width != nullptr) {
        *width = info.bmWidth;
    }
    if (height != nullptr) {
        *height = info.bmHeight;
    }
    SectionCopy copy = CopyToSection(bitmap, sourceDC.get(), sectionDC.get());
    if (!copy.section) {
        return {};
    }

    UniqueRegion region;
    PixelImage image{copy.bits, copy.width, copy.height, true};
    bool complete = CollectOpaqueRuns(
        image, TransparentRange(colour, tolerance), kRegionBatchSize,
        [&region](std::span<const PixelRect> rects, const PixelRect& bounds) {
            UniqueRegion batch = RegionFromRects(rects, bounds);
            if (!batch) {
                return false;
            }
            if (!region) {
                region = std::move(batch);
                return true;
            }
            return ::CombineRgn(region.get(), region.get(), batch.get(), RGN_OR) != ERROR;
        });
    if (!complete) {
        return {};
    }
    return region;
}

UniqueBitmap ReplaceColour(HBITMAP bitmap, COLORREF from, COLORREF to, HDC selectedIn) {
    if (bitmap == nullptr) {
        return {};
    }
    UniqueDC sourceDC(::CreateCompatibleDC(nullptr));
    UniqueDC sectionDC(::CreateCompatibleDC(nullptr));
    if (!sourceDC || !sectionDC) {
        return {};
    }

    // A bitmap can be selected into one DC at a time: lend the caller's DC a
    // stand-in while we read it, and give the bitmap back on every path.
    UniqueBitmap standIn;
    struct Reselect {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        ~Reselect() {
            if (dc != nullptr) {
                ::SelectObject(dc, bitmap);
            }
        }
    } reselect;
    if (selectedIn != nullptr && ::GetCurrentObject(selectedIn, OBJ_BITMAP) == bitmap) {
        standIn.reset(::CreateBitmap(1, 1, 1, 1, nullptr));
        if (!standIn || ::SelectObject(selectedIn, standIn.get()) == nullptr) {
            return {};
        }
        reselect.dc = selectedIn;
        reselect.bitmap = bitmap;
    }

    SectionCopy copy = CopyToSection(bitmap, sourceDC.get(), sectionDC.get());
    if (!copy.section) {
        return {};
    }
    ReplacePixelColour(
        std::span<std::uint32_t>(copy.bits, static_cast<std::size_t>(copy.width) *
                                                static_cast<std::size_t>(copy.height)),
        from, to);
    return std::move(copy.section);
}

}  // namespace gd
