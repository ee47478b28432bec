// Profile hotkeys and the tray's "Apply Profile": they put a profile file on
// the pad without the window, and the status line says who did.
#include "app/gripdeck_app.h"
#include "app/gripdeck_dlg.h"
#include "app/recent_files.h"
#include "settings_root.h"

namespace gd {

CProfileHotkeys CGripdeckDlg::MakeHotkeys() {
    return CProfileHotkeys(
        driverHost_, autoSwitch_, kSettingsRoot,
        [this](const std::string& text) { trayIcon_.ShowBalloon(text, NIIF_INFO); },
        [this](const std::string& path, const std::string& hotkey) {
            OnProfileApplied(path, hotkey);
        });
}

void CGripdeckDlg::StartHotkeys() {
    // One watch of the settings key serves both: a change of the stored
    // hotkeys by gpxtool or another copy is taken at once.
    autoSwitch_.OnSettingsChange([this] { hotkeys_.Reload(); });
    hotkeys_.Start(hwnd_);
    GripdeckApp().startMarks.Mark("hotkeys");
}

void CGripdeckDlg::OnProfileApplied(const std::string& path, const std::string& hotkey) {
    padHolding_ = hotkey.empty() ? PadHolding{PadSource::User, FileNamePart(path), {}}
                                 : PadHolding{PadSource::Hotkey, FileNamePart(path), hotkey};
    // What the pad holds now is the news, not the last APPLY.
    if (appliedShown_) {
        KillTimer(kAppliedTimer);
        appliedShown_ = false;
    }
    ShowPadStatus();
}

}  // namespace gd
