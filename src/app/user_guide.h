#pragma once
// The user guide: the README that the installer and the zips put beside the
// program. F1 and "User Guide" open it in the program Windows gives text
// files; when it is missing or cannot be opened the user is told so, rather
// than seeing nothing happen.
#include <string>
#include <string_view>

namespace gd {

inline constexpr char kUserGuideName[] = "README.txt";

// The guide beside the program at `programPath` (either separator).
std::string UserGuidePath(std::string_view programPath);

// What opening the guide needs from the system.
class GuideHost {
  public:
    virtual ~GuideHost() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // Hands the file to the program registered for it; false when none took it.
    virtual bool OpenDocument(const std::string& path) = 0;
    virtual void ReportMissing(const std::string& path) = 0;
    virtual void ReportNotOpened(const std::string& path) = 0;
};

void OpenUserGuide(GuideHost& host, std::string_view programPath);

}  // namespace gd
