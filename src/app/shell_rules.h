#pragma once
// Small decisions of the main window that need no window: when to save, what
// the start-up entry holds, where windows go.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

// SaveModified: mode 0 saves silently, mode 1 asks first.
enum class SaveModifiedMode { Silent = 0, Ask = 1 };
enum class SaveModifiedAction {
    Nothing,     // not modified
    SaveAs,      // untitled: always through the Save As dialog, no question
    Save,        // write to currentPath
    AskThenSave  // "Do you want to save this file?"; Yes saves
};
SaveModifiedAction DecideSaveModified(bool modified, const std::string& currentName,
                                      const std::string& currentPath, SaveModifiedMode mode);

// The Run value's text: the program's path and " -1". Refused when it would
// not fit the 512-byte buffer it is read back into.
inline constexpr std::size_t kLaunchEntryBufferSize = 512;
std::optional<std::string> LaunchEntryText(std::string_view programPath);

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
};

// A window whose top-left lies beyond the screen comes back flush with the
// screen's bottom-right corner, its size kept; others stay where they are.
Rect BringOnScreen(const Rect& window, std::int32_t screenWidth, std::int32_t screenHeight);

// The pad picture window opens 49 pixels below the main window's top, 50
// pixels right of it, or 400 pixels left of its left edge when its right edge
// reaches x 950.
Rect PlacePadPicture(const Rect& mainWindow, const Rect& padPicture);

}  // namespace gd
