#include "skin/display_scale_win.h"

#include <algorithm>
#include <span>

#include "skin/display_scale.h"
#include "skin_layout.h"

namespace gd {
namespace {

// Functions of newer systems, looked up once; null where the system lacks
// them (Windows 7 and 8 have neither).
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

template <typename Fn>
Fn User32Function(const char* name) {
    // Resolved by name at run time: the cast from the generic pointer type
    // is the lookup's purpose.
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

std::uint32_t WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<std::uint32_t>(dpi) : kBaseDpi;
}

int ArtScaleForDpi(std::uint32_t dpi) {
    return PickArtScale(dpi, skin_layout::kArtScales);
}

int ArtScalePercent(int scale) {
    return skin_layout::kArtScales[std::clamp(scale, 0, skin_layout::kArtScaleCount - 1)];
}

void KeepDialogFromRescaling(HWND dialog) {
    static const auto setBehaviour =
        User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
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
