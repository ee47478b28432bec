#pragma once
// The main window's rules around the profile it holds: whether a command
// that replaces the profile may go on after the save question, and when a
// path forwarded by a second start is opened.
#include <functional>
#include <optional>
#include <string>

#include "app/shell_rules.h"

namespace gd {

// The save question's three answers.
enum class SaveAnswer { Yes, No, Cancel };

// What became of the changes.
enum class SaveOutcome {
    Unchanged,  // nothing needed saving
    Saved,
    Discarded,  // the user answered No
    Cancelled,  // Cancel in the question or in Save As
    Failed,     // the save failed; message 50 has told why
};

// What SaveModified does through the window's dialogs.
struct SaveModifiedSteps {
    // "Do you want to save the changes to <name>?"
    std::function<SaveAnswer()> askToSave;
    // The Save As command: Saved, Cancelled (its dialog) or Failed.
    std::function<SaveOutcome()> saveAs;
    // SaveProfile(currentPath): true when it saved.
    std::function<bool()> save;
};

// Runs the steps `action` calls for.
SaveOutcome RunSaveModified(SaveModifiedAction action, const SaveModifiedSteps& steps);

// Whether the command that asked goes on. One that replaces the profile or
// ends the program (Ask) goes on only once the changes are saved or given
// up: otherwise the unsaved profile stays in memory. APPLY and OK (Silent)
// go on unless the user cancelled: the pad takes the profile the user sees
// even when its save failed.
bool CommandGoesOn(SaveOutcome outcome, SaveModifiedMode mode);

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
