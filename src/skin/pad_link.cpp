#include "skin/pad_link.h"

namespace gd {
namespace {

HWND padPictureWindow = nullptr;

}  // namespace

void SetPadPictureWindow(HWND window) {
    padPictureWindow = window;
}

HWND PadPictureWindow() {
    return padPictureWindow;
}

}  // namespace gd
