// The File menu and the recent files of the tray menu.
#include <windows.h>
#include <commdlg.h>

#include "app/app_messages.h"
#include "app/gripdeck_app.h"
#include "app/gripdeck_dlg.h"
#include "app/recent_files.h"
#include "fw/file_dialog.h"
#include "fw/text.h"
#include "profile/image.h"
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
    GripdeckApp().AddRecentFile(document_.currentPath());
    RebuildRecentMenu();
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
        GripdeckApp().AddRecentFile(document_.currentPath());
        RebuildRecentMenu();
    }
    RefreshLabels(-1);
    return saved;
}

void CGripdeckDlg::OnFileSummary() {
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
    UpdateTrayIcon(TrayAction::Delete);
    EndRun(1);
}

void CGripdeckDlg::RebuildRecentMenu() {
    CMenuRef popup = trayMenu_.GetSubMenu(0);
    if (!popup) {
        return;
    }
    // The entries sit between "Recent Files" (position 3) and the separator
    // that follows the last of them.
    constexpr int kFirstEntry = 4;
    for (std::size_t removed = 0; removed < RecentFiles::kPlaces; ++removed) {
        if (kFirstEntry >= popup.GetItemCount() ||
            (::GetMenuState(popup.GetSafeHmenu(), kFirstEntry, MF_BYPOSITION) & MF_SEPARATOR) !=
                0) {
            break;
        }
        popup.DeleteItem(kFirstEntry, true);
    }
    const std::vector<MenuEntry> entries = RecentMenuEntries(GripdeckApp().recentFiles);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        popup.InsertItem(static_cast<UINT>(kFirstEntry + i), entries[i].id, entries[i].text);
    }
    ::EnableMenuItem(popup.GetSafeHmenu(), ID_RECENT_FILES,
                     MF_BYCOMMAND | (entries.empty() ? (MF_GRAYED | MF_DISABLED) : MF_ENABLED));
}

void CGripdeckDlg::OpenRecentFile(UINT id) {
    const std::size_t place = id - ID_RECENT_FILE_FIRST;
    CGripdeckApp& app = GripdeckApp();
    if (place >= RecentFiles::kPlaces || app.recentFiles[place].empty()) {
        return;
    }
    // Read before the question: a Save As there puts its file at the top of
    // the list, and the entry chosen moves down.
    const std::string path = app.recentFiles[place];
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    if (!document_.OpenProfile(path, FileNamePart(path))) {
        // Where the entry is now, since a Save As may have moved it down.
        for (std::size_t i = 0; i < RecentFiles::kPlaces; ++i) {
            if (app.recentFiles[i] == path) {
                app.RemoveRecentFile(i);
                break;
            }
        }
        RebuildRecentMenu();
        return;
    }
    app.AddRecentFile(document_.currentPath());
    RebuildRecentMenu();
    SelectMode(0);
    if (apply_.IsLookEnabled()) {
        ApplyProfile();
    } else {
        ShowAppMessage(hwnd_, AppMessage::DeviceNotInstalled);
    }
}

}  // namespace gd
