#include "app/user_guide.h"

namespace gd {

std::string UserGuidePath(std::string_view programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    std::string path(slash == std::string_view::npos ? std::string_view()
                                                     : programPath.substr(0, slash + 1));
    path += kUserGuideName;
    return path;
}

void OpenUserGuide(GuideHost& host, std::string_view programPath) {
    const std::string path = UserGuidePath(programPath);
    if (!host.FileExists(path)) {
        host.ReportMissing(path);
    } else if (!host.OpenDocument(path)) {
        host.ReportNotOpened(path);
    }
}

}  // namespace gd
