// The user guide, from F1 and the About menu's "User Guide".
#include <windows.h>

#include <shellapi.h>

#include "app/app_messages.h"
#include "app/gripdeck_dlg.h"
#include "app/user_guide.h"

namespace gd {
namespace {

class WindowGuideHost : public GuideHost {
  public:
    explicit WindowGuideHost(HWND owner) : owner_(owner) {}

    bool FileExists(const std::string& path) override {
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    bool OpenDocument(const std::string& path) override {
        // The program Windows gives text files shows it; ours goes on.
        const HINSTANCE result =
            ::ShellExecuteA(owner_, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(result) > 32;
    }
    void ReportMissing(const std::string& path) override {
        ShowAppMessage(owner_, AppMessage::GuideMissing, path);
    }
    void ReportNotOpened(const std::string& path) override {
        ShowAppMessage(owner_, AppMessage::GuideNotOpened, path);
    }

  private:
    HWND owner_;
};

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

}  // namespace

void CGripdeckDlg::OnUserGuide() {
    if (openingGuide_) {
        return;
    }
    openingGuide_ = true;
    WindowGuideHost host(hwnd_);
    OpenUserGuide(host, ProgramPath());
    openingGuide_ = false;
}

BOOL CGripdeckDlg::OnHelp(const HELPINFO&) {
    OnUserGuide();
    return TRUE;
}

}  // namespace gd
