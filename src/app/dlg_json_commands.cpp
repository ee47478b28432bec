// File > Import... and File > Export...: the profile's JSON form, as gpxtool
// reads and writes it.
#include <windows.h>
#include <commdlg.h>

#include "app/app_messages.h"
#include "app/gripdeck_dlg.h"
#include "app/json_exchange.h"
#include "fw/file_dialog.h"
#include "fw/text.h"
#include "resource.h"

namespace gd {
namespace {

constexpr char kJsonFilter[] = "Gripdeck JSON|*.json||";
constexpr char kJsonExtension[] = "*.json";

}  // namespace

void CGripdeckDlg::OnFileImportJson() {
    // As Open: the question comes first, so a cancelled dialog still saved the work.
    if (!SaveModified(SaveModifiedMode::Ask)) {
        return;
    }
    const std::optional<std::string> path =
        ChooseFileToOpen(hwnd_, LoadText(IDS_IMPORT_TITLE), kJsonFilter, kJsonExtension);
    if (!path) {
        return;
    }
    if (const std::optional<std::string> reason =
            ImportProfileJson(session_, *path, LoadText(IDS_UNFILED))) {
        ShowAppMessage(hwnd_, AppMessage::ImportRefused, *path, *reason);
        return;
    }
    SelectMode(0);
    ProfileChanged();
}

void CGripdeckDlg::OnFileExportJson() {
    const std::string name = NameInSaveQuestion(session_.currentName(), LoadText(IDS_UNFILED));
    CFileDialog dialog(false, kJsonExtension, JsonFileNameFor(name),
                       OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kJsonFilter,
                       hwnd_);
    dialog.SetTitle(LoadText(IDS_EXPORT_TITLE));
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const std::string path = dialog.GetPathName();
    if (const std::optional<std::string> reason = ExportProfileJson(session_, path)) {
        ShowAppMessage(hwnd_, AppMessage::ExportFailed, path, *reason);
    }
}

}  // namespace gd
