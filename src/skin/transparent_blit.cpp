#include "skin/transparent_blit.h"

#include <cstdint>
#include <span>

#include "skin/pixel_scan.h"

namespace gd {

bool CopyBitmap(HDC destination, int x, int y, int width, int height, HBITMAP bitmap) {
    if (bitmap == nullptr) {
        return false;
    }
    UniqueDC source(::CreateCompatibleDC(destination));
    if (!source) {
        return false;
    }
    SelectGuard selected(source.get(), bitmap);
    return ::BitBlt(destination, x, y, width, height, source.get(), 0, 0, SRCCOPY) != FALSE;
}

UniqueBitmap MakeKeyedBitmap(HBITMAP bitmap, COLORREF transparent) {
    BITMAP size{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof size, &size) == 0 || size.bmWidth <= 0 ||
        size.bmHeight <= 0) {
        return {};
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = -size.bmHeight;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap keyed(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC screen(::CreateCompatibleDC(nullptr));
    if (!keyed || bits == nullptr || !screen ||
        ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.bmHeight), bits, &format,
                    DIB_RGB_COLORS) != size.bmHeight) {
        return {};
    }
    ::GdiFlush();
    const auto count =
        static_cast<std::size_t>(size.bmWidth) * static_cast<std::size_t>(size.bmHeight);
    KeyColourToAlpha(std::span<std::uint32_t>(static_cast<std::uint32_t*>(bits), count),
                     transparent);
    return keyed;
}

bool DrawKeyed(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
               int sourceY) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::SetBkColor(destination, RGB(255, 255, 255));
    ::SetTextColor(destination, RGB(0, 0, 0));
    return ::GdiAlphaBlend(destination, x, y, width, height, source, sourceX, sourceY, width,
                           height, blend) != FALSE;
}

}  // namespace gd
