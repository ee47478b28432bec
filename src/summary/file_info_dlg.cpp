#include "summary/file_info_dlg.h"

#include "resource.h"

namespace gd {

CFileInfoDlg::CFileInfoDlg(bool openFileDialog, std::string_view defaultExtension,
                           std::string_view fileName, DWORD flags, std::string_view filter,
                           HWND parent)
    : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent, IDD_FILE_INFO),
      fields(ScreenSizedFields()) {}

const MessageMap& CFileInfoDlg::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        ChainMember<&CFileInfoDlg::panel_>(),
    };
    static const MessageMap kMap{kRoutes, &CFileDialog::GetMessageMap()};
    return kMap;
}

BOOL CFileInfoDlg::OnInitDialog() {
    panel_.Start([this] { return CFileDialog::OnInitDialog(); });
    // The file name comes first; the panel would otherwise take the focus.
    return FALSE;
}

}  // namespace gd
