#pragma once
// CGripdeckApp: the one application object. It lets only one copy of the
// program run, keeps the per-user settings and the recent-file list, and runs
// the main window as a modal dialog for the program's whole working life.
#include <cstddef>
#include <optional>
#include <string>

#include "app/recent_files.h"
#include "app/settings_store.h"
#include "app/start_marks.h"
#include "fw/app.h"

namespace gd {

class CGripdeckApp : public CWinApp {
  public:
    CGripdeckApp() = default;

    // Runs the whole program and returns false, so that the framework ends
    // the process instead of entering a message loop of its own.
    bool InitInstance() override;
    // Writes Summary and the recent list, unless start-up was refused.
    int ExitInstance() override;
    // The same writes, also at the end of the session, which may end the
    // process before ExitInstance runs.
    void SaveSettings();

    // True when no other copy runs. Otherwise tells the running copy about
    // this start (and hands it this copy's command line when that names a
    // file) and returns false.
    bool FindRunningInstance();

    void LoadRecentFiles();
    void SaveRecentFiles();
    void AddRecentFile(const std::string& path);
    void RemoveRecentFile(std::size_t index);

    // Whether the summary window shows together with the main window.
    bool summaryVisible = true;
    // Where the user left the summary window and the pad picture, if anywhere.
    std::optional<WindowSpot> summarySpot;
    std::optional<WindowSpot> padPictureSpot;
    RecentFiles recentFiles;
    // The start's steps, for the start-up benchmark; off unless asked for.
    StartMarks startMarks;

  private:
    bool settingsRead_ = false;
};

// The application object; the program has exactly one.
CGripdeckApp& GripdeckApp();

}  // namespace gd
