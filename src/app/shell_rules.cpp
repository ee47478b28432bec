#include "app/shell_rules.h"

#include "profile/profile_file.h"

namespace gd {

SaveModifiedAction DecideSaveModified(bool modified, const std::string& currentName,
                                      const std::string& currentPath, SaveModifiedMode mode) {
    if (!modified) {
        return SaveModifiedAction::Nothing;
    }
    if (currentName.empty() || currentName == kDefaultProfileName || currentName == "Unfiled" ||
        currentPath.empty()) {
        return SaveModifiedAction::SaveAs;
    }
    return mode == SaveModifiedMode::Silent ? SaveModifiedAction::Save
                                            : SaveModifiedAction::AskThenSave;
}

std::optional<std::string> LaunchEntryText(std::string_view programPath) {
    std::string text(programPath);
    text += " -1";
    if (programPath.empty() || text.size() >= kLaunchEntryBufferSize) {
        return std::nullopt;
    }
    return text;
}

Rect BringOnScreen(const Rect& window, std::int32_t screenWidth, std::int32_t screenHeight) {
    if (window.left < screenWidth && window.top < screenHeight) {
        return window;
    }
    const std::int32_t width = window.Width();
    const std::int32_t height = window.Height();
    return {screenWidth - width, screenHeight - height, screenWidth, screenHeight};
}

Rect PlacePadPicture(const Rect& mainWindow, const Rect& padPicture) {
    const std::int32_t left =
        mainWindow.right >= 950 ? mainWindow.left - 400 : mainWindow.right + 50;
    const std::int32_t top = mainWindow.top + 49;
    return {left, top, left + padPicture.Width(), top + padPicture.Height()};
}

}  // namespace gd
