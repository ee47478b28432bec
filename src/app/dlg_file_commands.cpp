// The File menu, and opening a file chosen among the recent files.
#include <windows.h>
#include <commdlg.h>

#include "app/app_messages.h"
#include "app/gripdeck_app.h"
#include "app/gripdeck_dlg.h"
#include "app/recent_files.h"
#include "fw/file_dialog.h"
#include "fw/text.h"
#include "resource.h"
#include "summary/file_info_dlg.h"
#include "summary/summary_dlg.h"
#include "summary/summary_fields.h"

namespace gd {
namespace {

constexpr char kProfileFilter[] = "Gripdeck|*.gpx||";
constexpr char kProfileExtension[] = "*.gpx";

}  // namespace

void CGripdeckDlg::OnFileNew() {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    document_.New(LoadText(IDS_UNFILED));
    SelectMode(0);
}

void CGripdeckDlg::OnFileOpen() {
    CFileDialog dialog(true, kProfileExtension, "", OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                       kProfileFilter, hwnd_);
    // The question comes first, so a cancelled dialog still saved the work.
    if (!SaveModified(SaveModifiedMode::Ask) || dialog.DoModal() != IDOK) {
        return;
    }
    const std::string path = dialog.GetPathName();
    if (!document_.OpenProfile(path, dialog.GetFileName())) {
        return;
    }
    recentFilesMenu_.AddRecentFile(document_.currentPath());
    SelectMode(0);
}

void CGripdeckDlg::OnFileLoadSystemDefault() {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    document_.ClearSource();
    LoadInstalledPackage();
    SelectMode(0);
}

void CGripdeckDlg::OnFileSave() {
    if (!document_.currentPath().empty()) {
        document_.SaveProfile(document_.currentPath());
    } else {
        OnFileSaveAs();
    }
    RefreshLabels(-1);
}

bool CGripdeckDlg::SaveAs() {
    CFileInfoDlg dialog(false, kProfileExtension, document_.currentName(),
                        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kProfileFilter, hwnd_);
    dialog.fields = FieldsFromSummary(CurrentProfile().summary);
    if (dialog.DoModal() != IDOK) {
        return false;
    }
    StoreFields(dialog.fields, CurrentProfile().summary);
    ShowSummary(CurrentProfile().summary);
    document_.SetSource(dialog.GetPathName(), dialog.GetFileName());
    const bool saved = document_.SaveProfile(document_.currentPath());
    SetTitle();
    if (saved) {
        recentFilesMenu_.AddRecentFile(document_.currentPath());
    }
    RefreshLabels(-1);
    return saved;
}

void CGripdeckDlg::OnFileSummary() {
    FinishStart();
    CGripdeckApp& app = GripdeckApp();
    app.summaryVisible = summaryWindow.IsWindowVisible();
    CSummaryDlg dialog(hwnd_);
    dialog.fields = FieldsFromSummary(CurrentProfile().summary);
    dialog.showSummary = app.summaryVisible ? 1 : 0;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // An edited summary is an edit like any other: it is offered for saving.
    if (StoreFields(dialog.fields, CurrentProfile().summary)) {
        document_.MarkModified();
    }
    ShowSummary(CurrentProfile().summary);
    app.summaryVisible = dialog.showSummary != 0;
    summaryWindow.ShowWindow(app.summaryVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CGripdeckDlg::OnAppExit() {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    trayIcon_.UpdateTrayIcon(TrayAction::Delete);
    EndRun(1);
}

RecentFilesMenu::OpenResult CGripdeckDlg::OpenRecentPath(const std::string& path) {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return RecentFilesMenu::OpenResult::Stopped;
    }
    if (!document_.OpenProfile(path, FileNamePart(path))) {
        return RecentFilesMenu::OpenResult::NotLoaded;
    }
    recentFilesMenu_.AddRecentFile(document_.currentPath());
    SelectMode(0);
    if (apply_.IsLookEnabled()) {
        ApplyProfile();
    } else {
        ShowAppMessage(hwnd_, AppMessage::DeviceNotInstalled);
    }
    return RecentFilesMenu::OpenResult::Opened;
}

}  // namespace gd
