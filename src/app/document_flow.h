#pragma once
// The main window's rules around the profile it holds: whether a command
// that replaces the profile may go on after the save question, and when a
// path forwarded by a second start is opened.
#include <functional>
#include <optional>
#include <string>

#include "app/shell_rules.h"

namespace gd {

// What SaveModified does through the window's dialogs.
struct SaveModifiedSteps {
    std::function<bool()> askToSave;  // "Do you want to save this file?": true for Yes
    std::function<bool()> saveAs;     // the Save As command: true when it saved
    std::function<bool()> save;       // SaveProfile(currentPath): true when it saved
};

// Runs the steps `action` calls for. True when the command that asked may
// go on and replace the profile: nothing needed saving, the user answered
// No, or the profile was saved. False when Save As was cancelled or the save
// failed (message 50 has told why): the command stops and the unsaved
// profile stays in memory.
bool RunSaveModified(SaveModifiedAction action, const SaveModifiedSteps& steps);

// A path forwarded by a second start. It is never opened while one of the
// program's dialogs is open (an editor, Save As, a message box), nor while
// another forwarded open runs, whose save question or message would
// otherwise have an open nested in it: it waits, and the newest path
// replaces one still waiting.
class ForwardedOpen {
  public:
    // The open of one forwarded path, in progress while this object lives.
    class Opening {
      public:
        Opening(ForwardedOpen& owner, std::string path);
        ~Opening();
        Opening(const Opening&) = delete;
        Opening& operator=(const Opening&) = delete;
        const std::string& Path() const { return path_; }

      private:
        ForwardedOpen& owner_;
        std::string path_;
    };

    void Keep(std::string path) { waiting_ = std::move(path); }
    bool IsWaiting() const { return waiting_.has_value(); }

    // The waiting path, handed out once; nothing while a dialog is open or
    // another open is in progress.
    std::optional<Opening> Take(bool dialogOpen);

  private:
    std::optional<std::string> waiting_;
    bool opening_ = false;
};

}  // namespace gd
