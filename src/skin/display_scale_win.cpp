#include "skin/display_scale_win.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "fw/module.h"
#include "resource.h"
#include "skin/display_scale.h"
#include "skin/packed_art.h"
#include "skin_layout.h"

namespace gd {

int ArtScaleForDpi(std::uint32_t dpi) {
    return PickArtScale(dpi, skin_layout::kArtScales);
}

int ArtScalePercent(int scale) {
    return skin_layout::kArtScales[std::clamp(scale, 0, skin_layout::kArtScaleCount - 1)];
}

namespace {

std::span<const std::uint8_t> FindPackedArt(int number) {
    HINSTANCE module = ResourceInstance();
    HRSRC found =
        ::FindResourceA(module, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(RT_PACKED_ART));
    HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, found)};
}

}  // namespace

UniqueBitmap LoadArtBitmap(int bitmap, int scale) {
    const std::span<const std::uint8_t> packed =
        FindPackedArt(skin_layout::ScaledBitmap(bitmap, scale));
    const std::optional<PackedArtShape> shape = ReadPackedArtShape(packed);
    if (!shape) {
        return {};
    }
    std::span<const std::uint8_t> referencePacked;
    if (shape->reference != 0) {
        referencePacked = FindPackedArt(shape->reference);
        const std::optional<PackedArtShape> referenceShape = ReadPackedArtShape(referencePacked);
        if (!referenceShape || !CanReferTo(*shape, *referenceShape)) {
            return {};
        }
    }
    // A bottom-up section in the bitmap's own depth, as the BMPs it was
    // packed from gave: a bitmap made for the display would convert every
    // pixel, a millisecond and more for a page, on the way to the first
    // paint. The pixels are unpacked straight into it.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = shape->width;
    info.header.biHeight = shape->height;
    info.header.biPlanes = 1;
    info.header.biBitCount = shape->bitsPerPixel;
    info.header.biCompression = BI_RGB;
    if (shape->bitsPerPixel == 1) {
        info.header.biClrUsed = 2;
        info.colours[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    }
    void* bits = nullptr;
    UniqueBitmap section(::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                            DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) {
        return {};
    }
    const std::span<std::uint8_t> pixels(static_cast<std::uint8_t*>(bits), shape->pixelBytes);
    if (shape->reference == 0) {
        if (!UnpackArtPixels(packed, *shape, pixels)) {
            return {};
        }
        return section;
    }
    // The reference's pixels, then the difference XORed into them.
    std::vector<std::uint8_t> difference(shape->pixelBytes);
    if (!UnpackArtPixels(referencePacked, *shape, pixels) ||
        !UnpackArtPixels(packed, *shape, difference) || !ApplyArtDifference(pixels, difference)) {
        return {};
    }
    return section;
}

void KeepDialogFromRescaling(HWND dialog) {
    // Looked up at run time: Windows before 10 lacks it.
    using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehaviour =
        reinterpret_cast<SetDialogDpiChangeBehaviorFn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    // DDC_DISABLE_ALL for both the mask and the values.
    constexpr int kDisableAll = 0x0001;
    if (setBehaviour != nullptr) {
        setBehaviour(dialog, kDisableAll, kDisableAll);
    }
}

UniqueFont FontForScale(HFONT font, std::uint32_t fontDpi, int percent) {
    LOGFONTA description{};
    if (font == nullptr || fontDpi == 0 ||
        ::GetObjectA(font, sizeof description, &description) == 0) {
        return {};
    }
    const int wantedDpi = percent * static_cast<int>(kBaseDpi) / 100;
    if (wantedDpi == static_cast<int>(fontDpi)) {
        return {};
    }
    description.lfHeight = ::MulDiv(description.lfHeight, wantedDpi, static_cast<int>(fontDpi));
    description.lfWidth = ::MulDiv(description.lfWidth, wantedDpi, static_cast<int>(fontDpi));
    return UniqueFont(::CreateFontIndirectA(&description));
}

DpiChange ReadDpiChange(WPARAM wParam, LPARAM lParam) {
    DpiChange change{HIWORD(wParam), {}};
    if (lParam != 0) {
        change.suggested = *reinterpret_cast<const RECT*>(lParam);
    }
    return change;
}

}  // namespace gd
