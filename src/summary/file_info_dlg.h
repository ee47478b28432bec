#pragma once
// CFileInfoDlg: the system's save (or open) dialog with the summary panel
// below its file list, so that a profile's summary is filled in while its
// file name is chosen.
#include <windows.h>

#include <string_view>

#include "fw/file_dialog.h"
#include "summary/summary_fields.h"
#include "summary/summary_panel.h"

namespace gd {

class CFileInfoDlg : public CFileDialog {
  public:
    // The arguments as CFileDialog takes them; the panel is added to them.
    CFileInfoDlg(bool openFileDialog, std::string_view defaultExtension, std::string_view fileName,
                 DWORD flags, std::string_view filter, HWND parent);

    // Set before DoModal; after IDOK they hold what the user left, texts cut
    // to their limits and never the comment placeholder. Until set, the texts
    // are empty and x and y hold the primary screen's size.
    SummaryFields fields;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override { panel_.Exchange(dx); }
    const MessageMap& GetMessageMap() const override;

  private:
    CSummaryPanel panel_{*this, fields};
};

}  // namespace gd
