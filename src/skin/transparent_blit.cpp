#include "skin/transparent_blit.h"

#include "fw/handle.h"

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

bool TransparentBlit(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, COLORREF transparent) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    UniqueDC colourDC(::CreateCompatibleDC(destination));
    UniqueDC maskDC(::CreateCompatibleDC(destination));
    UniqueBitmap colour(::CreateCompatibleBitmap(destination, width, height));
    UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, nullptr));
    if (!colourDC || !maskDC || !colour || !mask) {
        return false;
    }
    SelectGuard colourSelected(colourDC.get(), colour.get());
    SelectGuard maskSelected(maskDC.get(), mask.get());

    if (sourceWidth == width && sourceHeight == height) {
        ::BitBlt(colourDC.get(), 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
    } else {
        ::SetStretchBltMode(colourDC.get(), COLORONCOLOR);
        ::StretchBlt(colourDC.get(), 0, 0, width, height, source, sourceX, sourceY, sourceWidth,
                     sourceHeight, SRCCOPY);
    }

    // Colour to monochrome: pixels of the background colour become white.
    ::SetBkColor(colourDC.get(), transparent);
    ::BitBlt(maskDC.get(), 0, 0, width, height, colourDC.get(), 0, 0, SRCCOPY);

    // Monochrome to colour: white takes the background (black), black the
    // text colour (white), so AND clears exactly the transparent pixels.
    ::SetBkColor(colourDC.get(), RGB(0, 0, 0));
    ::SetTextColor(colourDC.get(), RGB(255, 255, 255));
    ::BitBlt(colourDC.get(), 0, 0, width, height, maskDC.get(), 0, 0, SRCAND);

    ::SetBkColor(destination, RGB(255, 255, 255));
    ::SetTextColor(destination, RGB(0, 0, 0));
    ::BitBlt(destination, x, y, width, height, maskDC.get(), 0, 0, SRCAND);
    ::BitBlt(destination, x, y, width, height, colourDC.get(), 0, 0, SRCPAINT);
    return true;
}

}  // namespace gd
