#pragma once
// The main window's message boxes: each string-table text with its buttons,
// icon and caption, in one table.
#include <windows.h>

#include <string_view>

namespace gd {

enum class AppMessage {
    CantOpenFile,        // 50, with the file's path
    DeviceNotInstalled,  // 62, a recent profile could not be applied
    SaveChanges,         // 480, with the profile's name: Yes, No or Cancel
    GuideMissing,        // 481, with the guide's path
    GuideNotOpened,      // 482, with the guide's path
    PictureNotSaved,     // 524, with the picture's path
    PictureReplace,      // 528, with the picture's path: Yes or No
    NoPrinter,           // 525
    PrintFailed,         // 526
    ImportRefused,       // 532, with the JSON file's path and the reason
    ExportFailed,        // 533, with the JSON file's path and the reason
};

// Shows the box over `owner` and returns the button pressed (IDOK, IDYES,
// IDNO, IDCANCEL). `argument` replaces the text's "%s" where it has one.
int ShowAppMessage(HWND owner, AppMessage message, std::string_view argument = {});
// For a text with two "%s": `first` replaces the first, `second` the other.
int ShowAppMessage(HWND owner, AppMessage message, std::string_view first, std::string_view second);

// The string id of each message, for checks that every text exists.
UINT AppMessageStringId(AppMessage message);

}  // namespace gd
