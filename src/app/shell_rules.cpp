#include "app/shell_rules.h"

#include "profile/profile_file.h"
#include "skin/display_scale.h"

namespace gd {

SaveModifiedAction DecideSaveModified(bool modified, const std::string& currentName,
                                      const std::string& currentPath, SaveModifiedMode mode) {
    if (!modified) {
        return SaveModifiedAction::Nothing;
    }
    if (currentName.empty() || currentName == kDefaultProfileName || currentName == "Unfiled" ||
        currentPath.empty()) {
        return SaveModifiedAction::AskThenSaveAs;
    }
    return mode == SaveModifiedMode::Silent ? SaveModifiedAction::Save
                                            : SaveModifiedAction::AskThenSave;
}

std::string NameInSaveQuestion(const std::string& currentName, std::string_view untitledName) {
    return currentName.empty() ? std::string(untitledName) : currentName;
}

std::optional<std::string> LaunchEntryText(std::string_view programPath) {
    std::string text(1, '"');
    text += programPath;
    text += "\" -1";
    if (programPath.empty() || text.size() >= kLaunchEntryBufferSize) {
        return std::nullopt;
    }
    return text;
}

namespace {

bool HoldsEntry(RunKeys& keys, RunScope scope) {
    const std::optional<std::string> text = keys.Read(scope);
    return text && !text->empty();
}

}  // namespace

bool IsLaunchEntryStored(RunKeys& keys) {
    return HoldsEntry(keys, RunScope::Machine) || HoldsEntry(keys, RunScope::User);
}

bool StoreLaunchEntry(RunKeys& keys, bool on, std::string_view programPath) {
    if (!on) {
        // The machine's value is emptied even when absent, as it always was;
        // the user's only when it holds an entry. A key that refuses the
        // write keeps its entry, and the result says so.
        keys.Write(RunScope::Machine, "");
        if (HoldsEntry(keys, RunScope::User)) {
            keys.Write(RunScope::User, "");
        }
        return !IsLaunchEntryStored(keys);
    }
    const std::optional<std::string> text = LaunchEntryText(programPath);
    if (!text) {
        return false;
    }
    if (keys.Write(RunScope::Machine, *text)) {
        if (HoldsEntry(keys, RunScope::User)) {
            keys.Write(RunScope::User, "");
        }
        return true;
    }
    // An entry in the machine's key that this user cannot change already
    // starts the program; a second one would start it twice.
    return HoldsEntry(keys, RunScope::Machine) || keys.Write(RunScope::User, *text);
}

bool SummaryVisibilityToStore(bool windowShown, bool summaryWindowVisible, bool remembered) {
    return windowShown ? summaryWindowVisible : remembered;
}

Rect BringOnScreen(const Rect& window, std::int32_t screenWidth, std::int32_t screenHeight) {
    if (window.left < screenWidth && window.top < screenHeight) {
        return window;
    }
    const std::int32_t width = window.Width();
    const std::int32_t height = window.Height();
    return {screenWidth - width, screenHeight - height, screenWidth, screenHeight};
}

Rect PlacePadPicture(const Rect& mainWindow, const Rect& padPicture, int percent) {
    auto px = [percent](std::int32_t length) { return ScalePixels(length, percent); };
    const std::int32_t left =
        mainWindow.right >= px(950) ? mainWindow.left - px(400) : mainWindow.right + px(50);
    const std::int32_t top = mainWindow.top + px(49);
    return {left, top, left + padPicture.Width(), top + padPicture.Height()};
}

}  // namespace gd
