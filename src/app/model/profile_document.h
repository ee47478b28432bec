#pragma once
// The open profile's file side: where it came from, and the operations that
// move it between files, the installed package and memory. ProfileSession
// owns one and keeps the history beside it.
#include <cstdint>
#include <string>

#include "app/model/profile_content.h"
#include "profile/profile_file.h"

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
    ProfileDocument(ProfileContent& content, ProfileHost& host) : state_(content), host_(host) {}

    // Full path of the profile's file; empty when it has none.
    const std::string& currentPath() const { return currentPath_; }
    // The name in the title: the file's name, "default.gpx" or "Unfiled".
    const std::string& currentName() const { return currentName_; }

    // The profile now belongs to the file at `path`, shown as `name`. The
    // title is the caller's to set.
    void SetSource(std::string path, std::string name);
    // Forgets the file: the next LoadInstalledPackage names the profile
    // "default.gpx" instead of loading a file on top of the package.
    void ClearSource() { SetSource({}, {}); }

    // Writes the profile file; on failure the old file stays intact, the
    // path and name are emptied and message 50 is shown. The path is taken
    // by value: callers pass currentPath itself, which a failure empties
    // before the message names the file.
    bool SaveProfile(std::string path);
    // Takes a profile file into memory; a refused file changes nothing but
    // shows message 50 (and empties path and name when it cannot be opened).
    bool LoadProfile(std::string path);
    // LoadProfile, then the profile belongs to that file and the title
    // follows. A refused file keeps the old name and title.
    bool OpenProfile(const std::string& path, std::string name);
    // Reads the driver package back, then the remembered profile file on
    // top, and refills the summary window with what it loaded. A remembered
    // file that does not load is forgotten, as one that cannot be opened.
    // True when a profile file was loaded on top.
    bool LoadInstalledPackage();

    // New: twenty Off slots and a fresh SummaryBlock, named `untitledName`
    // without a file, the title and the summary window following.
    void New(std::string untitledName);
    // As New, with these records in place of the empty ones.
    void Import(const ProfileContent& content, std::string untitledName);

  private:
    // Twenty Off slots and a fresh SummaryBlock.
    void ResetToEmpty();

    ProfileContent& state_;
    ProfileHost& host_;
    std::string currentPath_;
    std::string currentName_;
};

}  // namespace gd
