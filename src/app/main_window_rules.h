#pragma once
// Decisions of the main window and the application object that need no
// window: which running copy a second start talks to, the window title, the
// device re-check's guards, the pad icon button and the recent entries of the
// tray menu.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell_rules.h"

namespace gd {

class RecentFiles;
class SettingsStore;

// Titles of the top-level dialog windows in enumeration order. A window whose
// title begins with `prefix` (any letter case) is a running copy. The one
// told about a second start is the first whose title continues with ": " (the
// main window's "Gripdeck: <name>"), so that a message box of the running copy
// captioned with the program's name never swallows the forwarded text; without
// such a title, the first match. -1 when no title matches.
int ChooseRunningCopy(const std::vector<std::string>& titles, std::string_view prefix);

// "%s: %s" from the program's title word and the profile's name, with " *"
// after it while the profile has changes not in its file.
std::string WindowTitle(std::string_view appTitle, std::string_view profileName, bool modified);

// Replaces the first "%s" of a string-table text with `argument`; a text
// without one is returned as it is. Never interprets other % sequences.
std::string InsertArgument(std::string_view text, std::string_view argument);
// The same for each "%s" in turn; an argument is never searched for one, and
// a "%s" without an argument left stays as it is.
std::string InsertArguments(std::string_view text,
                            std::initializer_list<std::string_view> arguments);

// The re-check of the pad 5 seconds after device-change notices. A burst of
// notices gives one re-check, timed from its first notice; while a re-check
// runs (it may show message boxes, whose loops deliver more notices and
// timer messages) no other starts. Notices that arrive meanwhile (the pad
// taking or losing its driver while a reinstall's message is open) give one
// more re-check after it, which only looks: APPLY then shows the pad as it
// is, and a failed reinstall does not repeat itself.
class DeviceCheckGuard {
  public:
    // A DBT_DEVNODES_CHANGED notice. True when the 5-second timer is to be
    // started now.
    bool OnDevicesChanged();
    // The timer fired. True when the re-check is to run now; FinishCheck
    // must follow it. False while one runs: the timer stays and fires again.
    bool BeginCheck();
    // Whether the re-check now running may reinstall the driver.
    bool MayReinstall() const { return !followUp_; }
    // The re-check ended. True when notices came while it ran: the timer is
    // to be started again for the follow-up. False when it is to be killed,
    // and the next notice starts a new one.
    bool FinishCheck();

    bool Pending() const { return pending_; }
    bool Busy() const { return busy_; }

  private:
    bool pending_ = false;
    bool busy_ = false;
    bool missed_ = false;
    bool followUp_ = false;
};

// The pad icon button (1115).
enum class PadIconAction {
    ShowButtonPage,          // the welcome page was showing
    ShowPicture,             // place the pad picture window beside the main window
    HidePictureShowWelcome,  // the pad picture window was showing
    Nothing,
};
// page: 0 none yet, 1 welcome, 2 buttons.
PadIconAction DecidePadIcon(int page, bool pictureVisible);

// The recent entries of the tray menu, newest first, up to the first empty
// place: command 33001 + place, the file-name part of the path as text. A
// '&' in a name is doubled so that the menu shows it instead of underlining
// the next letter.
struct MenuEntry {
    unsigned id;
    std::string text;
};
std::vector<MenuEntry> RecentMenuEntries(const RecentFiles& recent);

// The same places in the File menu: command 33121 + place, "&1 " to "&6 "
// before each, for the keyboard, and the whole path, so that profiles of one
// name in different folders can be told apart and the user sees where each
// lies. A path longer than kRecentPathChars is shortened by ShortenPath.
inline constexpr std::size_t kRecentPathChars = 64;
std::vector<MenuEntry> FileMenuRecentEntries(const RecentFiles& recent);

// `path` when it has at most `limit` characters. Otherwise its root (drive,
// or server and share) and its file name, which are never cut, with "..."
// in place of the folders between but for as many of those nearest the file
// as fit: "C:\...\Racing\Racer.gpx".
std::string ShortenPath(std::string_view path, std::size_t limit);

// After RecentFiles::Save, which skips empty places: a place emptied since
// the last start has its stored path emptied as well, so that a file dropped
// from the list does not come back (or appear twice) at the next start.
void ForgetEmptiedPlaces(const RecentFiles& recent, SettingsStore& settings);

}  // namespace gd
