// APPLY, OK and the status line: whether the pad can take a profile (and so
// why APPLY is greyed), which profile is on it and who put it there, and a
// short "Applied" after APPLY.
#include <memory>

#include "app/gripdeck_dlg.h"
#include "profile/image.h"
#include "profile/profile_file.h"
#include "resource.h"
#include "skin_layout.h"

namespace gd {

bool CGripdeckDlg::PutProfileOnPad() {
    // The pad takes the profile the user sees, saved or not, unless the
    // user cancelled the save question.
    if (!SaveModified(SaveModifiedMode::Silent)) {
        return false;
    }
    const PublishResult published =
        driverLink_.PublishProfile(session_.image(), session_.summary());
    autoSwitch_.ManualApply(session_.currentPath());
    padHolding_ = PadHolding{PadSource::User, session_.currentName(), {}};
    // "Applied" only where it can be seen, and only when the pad's driver
    // took it; one timer, which ends itself, takes it away again.
    appliedShown_ = published.deviceOpened && IsWindowVisible();
    if (appliedShown_) {
        SetTimer(kAppliedTimer, kAppliedShownMs);
    } else {
        KillTimer(kAppliedTimer);
    }
    ShowPadStatus();
    return true;
}

void CGripdeckDlg::EndAppliedNote() {
    KillTimer(kAppliedTimer);
    appliedShown_ = false;
    ShowPadStatus();
}

void CGripdeckDlg::CreateStatusLine() {
    if (padStatus_.GetSafeHwnd() != nullptr) {
        return;
    }
    // SS_NOTIFY: the tool tip, which gives the whole text where the line
    // has to cut it short, sees the pointer only over a control that takes
    // the mouse. Never a Tab stop: there is nothing to do with it. Shown
    // only once placed and given its text: a shown line would repaint the
    // window under it, and every control waiting to paint, at once.
    HWND line = CreateChildControl(
        hwnd_, "Static", "", SS_CENTER | SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_NOPREFIX | SS_NOTIFY,
        RECT{}, IDC_PAD_STATUS);
    padStatus_.SubclassWindow(line);
    PlaceStatusLine();
    ShowPadStatus();
    padStatus_.ShowWindow(SW_SHOWNA);
    // Drawn as every later change of its text draws it: once over the skin,
    // then once more over that (CTransStatic::Repaint). Its first change
    // does not then change its look.
    padStatus_.UpdateWindow();
    padStatus_.Invalidate();
}

void CGripdeckDlg::PlaceStatusLine() {
    if (padStatus_.GetSafeHwnd() == nullptr) {
        return;
    }
    const skin_layout::StatusPlace& place = skin_layout::kStatus[artScale_];
    padStatus_.MoveWindow(place.x, place.y, place.width, place.height);
    padStatus_.SetFont(labelFont_ ? labelFont_.get() : GetFont(), false);
}

void CGripdeckDlg::ShowPadStatus() {
    if (padStatus_.GetSafeHwnd() == nullptr) {
        return;
    }
    const std::string text =
        appliedShown_ ? AppliedText(padHolding_.profile) : PadStatusText(padPresence_, padHolding_);
    padStatus_.SetTextColour(appliedShown_ ? skin_layout::kStatusAppliedText
                                           : skin_layout::kStatusText);
    // Its window text, never drawn, for screen readers and other programs.
    padStatus_.SetWindowTextUnpainted(text);
    padStatus_.SetText(text);
    padStatus_.SetToolTip(text.empty() ? nullptr : text.c_str());
}

void CGripdeckDlg::ReadEarlierProfile() {
    const std::optional<std::string> windows = driverHost_.WindowsDirectory();
    auto image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    if (!windows ||
        !ReadPackageFile(PackagePath(*windows, driverHost_.SystemFolders()), *image, summary)) {
        return;
    }
    // The package keeps the profile's own name, not its file's; a profile
    // without one is not worth naming.
    const std::string name = ReadText(summary.name);
    if (!name.empty()) {
        padHolding_ = PadHolding{PadSource::Earlier, name, {}};
    }
}

void CGripdeckDlg::OnPadPresence(PadPresence presence) {
    padPresence_ = presence;
    ShowPadStatus();
}

void CGripdeckDlg::OnPadSwitched(const std::string& profilePath, const std::string& program) {
    if (ending_) {
        return;
    }
    padHolding_ = HoldingAfterSwitch(padHolding_, profilePath, program);
    // What the pad holds now is the news, not the last APPLY.
    if (appliedShown_) {
        KillTimer(kAppliedTimer);
        appliedShown_ = false;
    }
    ShowPadStatus();
}

}  // namespace gd
