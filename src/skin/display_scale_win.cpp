#include "skin/display_scale_win.h"

#include <algorithm>
#include <span>

#include "fw/module.h"
#include "skin/display_scale.h"
#include "skin_layout.h"

namespace gd {

int ArtScaleForDpi(std::uint32_t dpi) {
    return PickArtScale(dpi, skin_layout::kArtScales);
}

int ArtScalePercent(int scale) {
    return skin_layout::kArtScales[std::clamp(scale, 0, skin_layout::kArtScaleCount - 1)];
}

UniqueBitmap LoadArtBitmap(int bitmap, int scale) {
    // Kept in the resource's own format: a bitmap made for the display
    // would convert every pixel on loading, a millisecond and more for a
    // page, on the way to the first paint.
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(skin_layout::ScaledBitmap(bitmap, scale)),
                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
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
