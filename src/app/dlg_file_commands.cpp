// The File menu, and opening a file chosen among the recent files.
#include <windows.h>
#include <commdlg.h>

#include "app/app_messages.h"
#include "app/gripdeck_app.h"
#include "app/gripdeck_dlg.h"
#include "app/recent_files.h"
#include "app/slot_commands.h"
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
    session_.New(LoadText(IDS_UNFILED));
    SelectMode(0);
    ProfileChanged();
}

void CGripdeckDlg::OnFileOpen() {
    CFileDialog dialog(true, kProfileExtension, "", OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                       kProfileFilter, hwnd_);
    // The question comes first, so a cancelled dialog still saved the work.
    if (!SaveModified(SaveModifiedMode::Ask) || dialog.DoModal() != IDOK) {
        return;
    }
    const std::string path = dialog.GetPathName();
    if (!session_.OpenProfile(path, dialog.GetFileName())) {
        return;
    }
    recentFilesMenu_.AddRecentFile(session_.currentPath());
    SelectMode(0);
    ProfileChanged();
}

void CGripdeckDlg::OnFileLoadSystemDefault() {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    session_.LoadSystemDefault(StepName(ID_FILE_LOAD_SYSTEM_DEFAULT, 0));
    SelectMode(0);
    ProfileChanged();
}

void CGripdeckDlg::OnFileSave() {
    if (!session_.currentPath().empty()) {
        session_.SaveProfile(session_.currentPath());
    } else {
        OnFileSaveAs();
    }
    RefreshLabels(-1);
    ProfileChanged();
}

SaveOutcome CGripdeckDlg::SaveAs() {
    CFileInfoDlg dialog(false, kProfileExtension, session_.currentName(),
                        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kProfileFilter, hwnd_);
    dialog.fields = FieldsFromSummary(session_.summary());
    if (dialog.DoModal() != IDOK) {
        return SaveOutcome::Cancelled;
    }
    ChangeSummary(dialog.fields);
    session_.SetSource(dialog.GetPathName(), dialog.GetFileName());
    const bool saved = session_.SaveProfile(session_.currentPath());
    SetTitle();
    if (saved) {
        recentFilesMenu_.AddRecentFile(session_.currentPath());
    }
    RefreshLabels(-1);
    return saved ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void CGripdeckDlg::OnFileSummary() {
    FinishStart();
    CGripdeckApp& app = GripdeckApp();
    app.summaryVisible = summaryWindow.IsWindowVisible();
    CSummaryDlg dialog(hwnd_);
    dialog.fields = FieldsFromSummary(session_.summary());
    dialog.showSummary = app.summaryVisible ? 1 : 0;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // An edited summary is an edit like any other: a step, offered for saving.
    ChangeSummary(dialog.fields);
    app.summaryVisible = dialog.showSummary != 0;
    ShowSummaryWindow(app.summaryVisible);
}

void CGripdeckDlg::ChangeSummary(const SummaryFields& fields) {
    SummaryBlock summary = session_.summary();
    StoreFields(fields, summary);
    session_.ChangeSummary(summary, StepName(ID_FILE_SUMMARY, 0));
    ShowSummary(session_.summary());
    ProfileChanged();
}

void CGripdeckDlg::OnEditUndo() {
    if (session_.Undo()) {
        ShowWholeProfile();
    }
}

void CGripdeckDlg::OnEditRedo() {
    if (session_.Redo()) {
        ShowWholeProfile();
    }
}

void CGripdeckDlg::ShowWholeProfile() {
    RefreshLabels(-1);
    ShowSummary(session_.summary());
    ProfileChanged();
}

LRESULT CGripdeckDlg::OnInitMenuPopup(WPARAM menu, LPARAM) {
    const CMenuRef popup(reinterpret_cast<HMENU>(menu));
    if (popup.GetItemCount() > 0 && popup.GetItemId(0) == ID_EDIT_UNDO) {
        popup.SetItemText(ID_EDIT_UNDO, UndoItemText(session_.UndoWhat()));
        popup.SetItemText(ID_EDIT_REDO, RedoItemText(session_.RedoWhat()));
        popup.EnableItem(ID_EDIT_UNDO, session_.CanUndo());
        popup.EnableItem(ID_EDIT_REDO, session_.CanRedo());
    }
    SetMsgHandled(false);
    return 0;
}

void CGripdeckDlg::ProfileChanged() {
    SetTitle();
}

void CGripdeckDlg::OnAppExit() {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    trayIcon_.UpdateTrayIcon(TrayAction::Delete);
    EndRun(1);
}

RecentFilesMenu::OpenResult CGripdeckDlg::OpenRecentPath(const std::string& path,
                                                         RecentFilesMenu::From from) {
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return RecentFilesMenu::OpenResult::Stopped;
    }
    if (!session_.OpenProfile(path, FileNamePart(path))) {
        return RecentFilesMenu::OpenResult::NotLoaded;
    }
    recentFilesMenu_.AddRecentFile(session_.currentPath());
    SelectMode(0);
    ProfileChanged();
    if (from == RecentFilesMenu::From::FileMenu) {
        return RecentFilesMenu::OpenResult::Opened;
    }
    if (apply_.IsLookEnabled()) {
        ApplyProfile();
    } else {
        ShowAppMessage(hwnd_, AppMessage::DeviceNotInstalled);
    }
    return RecentFilesMenu::OpenResult::Opened;
}

}  // namespace gd
