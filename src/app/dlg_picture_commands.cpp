// File > Export Picture... and Print...: the profile in the window drawn as
// a card of its twenty buttons, saved as PNG or SVG or printed on one page.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "app/app_messages.h"
#include "app/gripdeck_dlg.h"
#include "fw/file_dialog.h"
#include "fw/handle.h"
#include "fw/text.h"
#include "picture/page_fit.h"
#include "picture/picture_model.h"
#include "picture/picture_raster.h"
#include "picture/png_writer.h"
#include "picture/svg_writer.h"
#include "profile/file_replace.h"
#include "resource.h"

namespace gd {
namespace {

// Printers draw finer than this, but the card's lines and text gain nothing
// from more pixels, and a page's bitmap stays within a few megabytes.
constexpr int kMostPrintDotsPerInch = 300;
constexpr DWORD kPngFilter = 1;  // the filter list's first entry, then SVG

bool EndsWith(const std::string& path, const char* extension) {
    const std::string tail(extension);
    if (path.size() < tail.size()) {
        return false;
    }
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(path[path.size() - tail.size() + i])) !=
            tail[i]) {
            return false;
        }
    }
    return true;
}

struct PictureTarget {
    std::string path;
    bool svg;
    // The form's extension was added after the dialog, which asked about
    // the name without it.
    bool extended;
};

// The form is the name's when it names one, else the chosen filter's.
PictureTarget TargetFor(std::string path, DWORD filterIndex) {
    if (EndsWith(path, ".svg")) {
        return {std::move(path), true, false};
    }
    if (EndsWith(path, ".png")) {
        return {std::move(path), false, false};
    }
    const bool svg = filterIndex != kPngFilter;
    path += svg ? ".svg" : ".png";
    return {std::move(path), svg, true};
}

std::string ProposedName(const std::string& profileName) {
    const std::size_t dot = profileName.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? profileName : profileName.substr(0, dot);
}

bool WritePicture(const std::string& path, bool svg, const Picture& picture) {
    StagedFile output(path);
    if (svg) {
        const std::string text = PictureToSvg(picture);
        return output.Write(text.data(), text.size()) && output.Commit();
    }
    const std::vector<std::uint8_t> png = EncodePng(RenderPicture(picture, kPictureDotsPerInch));
    return output.Write(png.data(), png.size()) && output.Commit();
}

enum class PrinterFound { Yes, NoPrinter, Failed };

// The default printer's settings turned to the card's orientation, so the
// print dialog opens with them.
PrinterFound DefaultPrinter(PRINTDLGA& request) {
    request.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlgA(&request)) {
        const DWORD error = ::CommDlgExtendedError();
        return error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES ? PrinterFound::NoPrinter
                                                                       : PrinterFound::Failed;
    }
    if (request.hDevMode == nullptr) {
        return PrinterFound::Yes;  // a driver without settings: printed as it comes
    }
    if (auto* mode = static_cast<DEVMODEA*>(::GlobalLock(request.hDevMode))) {
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = static_cast<short>(
            WantsLandscape(kCardWidth, kCardHeight) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
        ::GlobalUnlock(request.hDevMode);
    }
    return PrinterFound::Yes;
}

bool PrintPage(HDC printer, const Picture& picture, const std::string& title) {
    const int dotsX = ::GetDeviceCaps(printer, LOGPIXELSX);
    const int dotsY = ::GetDeviceCaps(printer, LOGPIXELSY);
    const PageRect place = FitOnPage(kCardWidth, kCardHeight, ::GetDeviceCaps(printer, HORZRES),
                                     ::GetDeviceCaps(printer, VERTRES), dotsX, dotsY);
    if (place.width <= 0 || place.height <= 0) {
        return false;
    }
    const GrayImage image =
        RenderPicture(picture, std::clamp(std::min(dotsX, dotsY), 72, kMostPrintDotsPerInch));
    // A grey DIB: a 256-entry palette from black to white; rows are
    // bottom-up and padded to four bytes.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = image.width;
    info.header.biHeight = image.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<BYTE>(i);
        info.colours[i] = RGBQUAD{v, v, v, 0};
    }
    const std::size_t stride = (static_cast<std::size_t>(image.width) + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> rows(stride * image.height, 255);
    for (int y = 0; y < image.height; ++y) {
        const auto* source = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        std::copy(source, source + image.width,
                  rows.begin() + static_cast<std::ptrdiff_t>(stride * (image.height - 1 - y)));
    }
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = title.c_str();
    if (::StartDocA(printer, &document) <= 0) {
        return false;
    }
    bool printed = ::StartPage(printer) > 0;
    printed = printed && ::StretchDIBits(printer, place.x, place.y, place.width, place.height, 0, 0,
                                         image.width, image.height, rows.data(),
                                         reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                         SRCCOPY) > 0;
    printed = ::EndPage(printer) > 0 && printed;
    if (printed) {
        ::EndDoc(printer);
    } else {
        ::AbortDoc(printer);
    }
    return printed;
}

}  // namespace

void CGripdeckDlg::OnFileExportPicture() {
    // The default extension makes the dialog add the chosen type's to a
    // bare name, so that its overwrite question asks about the real file.
    CFileDialog dialog(false, "png", ProposedName(session_.currentName()),
                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                       LoadText(IDS_PICTURE_FILTER), hwnd_);
    dialog.SetTitle(LoadText(IDS_PICTURE_EXPORT_TITLE));
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const PictureTarget target = TargetFor(dialog.GetPathName(), dialog.Ofn().nFilterIndex);
    // A name typed with another extension ("card.jpg") keeps it, and the
    // dialog's overwrite question was about that name, not the one written.
    if (target.extended && ::GetFileAttributesA(target.path.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ShowAppMessage(hwnd_, AppMessage::PictureReplace, target.path) != IDYES) {
        return;
    }
    const Picture picture = BuildPicture(session_.image(), session_.summary(), labelTexts_);
    if (!WritePicture(target.path, target.svg, picture)) {
        ShowAppMessage(hwnd_, AppMessage::PictureNotSaved, target.path);
    }
}

void CGripdeckDlg::OnFilePrintPicture() {
    PRINTDLGA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = hwnd_;
    const PrinterFound found = DefaultPrinter(request);
    if (found != PrinterFound::Yes) {
        ShowAppMessage(hwnd_, found == PrinterFound::NoPrinter ? AppMessage::NoPrinter
                                                               : AppMessage::PrintFailed);
        return;
    }
    UniqueGlobal devMode(request.hDevMode);
    UniqueGlobal devNames(request.hDevNames);
    request.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL chosen = ::PrintDlgA(&request);
    // The dialog may hand back new settings in place of ours, which it
    // freed itself.
    if (request.hDevMode != devMode.get()) {
        static_cast<void>(devMode.release());
        devMode.reset(request.hDevMode);
    }
    if (request.hDevNames != devNames.get()) {
        static_cast<void>(devNames.release());
        devNames.reset(request.hDevNames);
    }
    if (!chosen) {
        return;
    }
    UniqueDC printer(request.hDC);
    const Picture picture = BuildPicture(session_.image(), session_.summary(), labelTexts_);
    if (!printer || !PrintPage(printer.get(), picture, session_.currentName())) {
        ShowAppMessage(hwnd_, AppMessage::PrintFailed);
    }
}

}  // namespace gd
