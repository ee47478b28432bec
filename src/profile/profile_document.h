#pragma once
// The main window's profile: where it came from, whether it changed, and the
// three operations that move it between files and the process-wide state.
#include <cstdint>
#include <string>

#include "profile/profile_file.h"
#include "profile/profile_state.h"

namespace gd {

// What the operations need from the window that owns the profile.
class ProfileHost {
  public:
    virtual ~ProfileHost() = default;
    // Message 50, "Can't open the file %s. Please verify it again.", for path.
    virtual void ReportFileError(const std::string& path) = 0;
    // Refill the summary window from a freshly loaded SummaryBlock.
    virtual void ShowSummary(const SummaryBlock& summary) = 0;
    // Title the window "Gripdeck: <name>".
    virtual void ShowProfileName(const std::string& name) = 0;
    // (SM_CXSCREEN << 16) | SM_CYSCREEN.
    virtual std::uint32_t PrimaryScreenResolution() = 0;
    virtual std::string WindowsDirectory() = 0;
    // How this process reaches the driver package (PackagePath).
    virtual SystemFolderView SystemFolders() = 0;
};

class ProfileDocument {
  public:
    ProfileDocument(ProfileState& state, ProfileHost& host) : state_(state), host_(host) {}

    // Writes the profile file; on failure the old file stays intact, the
    // path and name are emptied and message 50 is shown. The path is taken
    // by value: callers pass currentPath itself, which a failure empties
    // before the message names the file.
    bool SaveProfile(std::string path);
    // Takes a profile file into memory; a refused file changes nothing but
    // shows message 50 (and empties path and name when it cannot be opened).
    bool LoadProfile(std::string path);
    // Reads the driver package back, then the remembered profile file on
    // top, and refills the summary window with what it loaded.
    bool LoadInstalledPackage();

    // Twenty Off slots and a fresh SummaryBlock, as New makes them.
    void ResetToEmpty();

    std::string currentPath;
    std::string currentName;
    bool modified = false;

  private:
    ProfileState& state_;
    ProfileHost& host_;
};

}  // namespace gd
