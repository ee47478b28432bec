#pragma once
// Small decisions of the main window that need no window: when to save, what
// the start-up entry holds, where windows go.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

// SaveModified: mode 0 (APPLY and OK) saves a profile that has a file
// without a question; mode 1 (every command that replaces the profile, and
// Exit) asks first.
enum class SaveModifiedMode { Silent = 0, Ask = 1 };
enum class SaveModifiedAction {
    Nothing,        // not modified
    Save,           // write to currentPath
    AskThenSave,    // "Do you want to save the changes to <name>?"; Yes saves
    AskThenSaveAs,  // the same question for a profile without a file; Yes opens Save As
};
// A profile without a file (untitled, "default.gpx", "Unfiled") is asked
// about in either mode: sending the user straight to Save As left a profile
// they did not want with no way out but saving it.
SaveModifiedAction DecideSaveModified(bool modified, const std::string& currentName,
                                      const std::string& currentPath, SaveModifiedMode mode);

// The name the save question gives the profile: its own, or `untitledName`
// when a failed save or open has left it without one.
std::string NameInSaveQuestion(const std::string& currentName, std::string_view untitledName);

// The Run value's text: the program's path in double quotes (a path with
// spaces is otherwise read as a shorter program with arguments) and " -1".
// Refused when it would not fit the 512-byte buffer it is read back into.
inline constexpr std::size_t kLaunchEntryBufferSize = 512;
std::optional<std::string> LaunchEntryText(std::string_view programPath);

// The start-up entry's value under the two Run keys: the machine's
// (HKEY_LOCAL_MACHINE) and the user's (HKEY_CURRENT_USER), which is used
// when the machine's cannot be written. An absent value reads as nullopt.
enum class RunScope { Machine, User };
class RunKeys {
  public:
    virtual ~RunKeys() = default;
    virtual std::optional<std::string> Read(RunScope scope) = 0;
    virtual bool Write(RunScope scope, const std::string& text) = 0;
};

// On when either key holds a non-empty text, in whatever form it was
// written (the quoted form, or the earlier unquoted one): Windows runs it.
bool IsLaunchEntryStored(RunKeys& keys);

// Turns the entry on (machine key, else the user's) or off (emptied in
// both, the values kept). On leaves a single entry, so that the program
// does not start twice. True when the entry is stored as asked.
bool StoreLaunchEntry(RunKeys& keys, bool on, std::string_view programPath);

// The summary window's visibility to store at exit or at the end of the
// session: what the user last saw. While the main window is hidden the
// summary window is hidden with it, and the visibility ShowHide remembered
// counts.
bool SummaryVisibilityToStore(bool windowShown, bool summaryWindowVisible, bool remembered);

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
// reaches x 950; each distance in pixels at 100 %, scaled to the `percent`
// the skin is drawn at.
Rect PlacePadPicture(const Rect& mainWindow, const Rect& padPicture, int percent = 100);

}  // namespace gd
