#include "summary/summary_dlg.h"

#include "resource.h"

namespace gd {

CSummaryDlg::CSummaryDlg(HWND parent) : CDialog(IDD_SUMMARY, parent), fields(ScreenSizedFields()) {}

const MessageMap& CSummaryDlg::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        ChainMember<&CSummaryDlg::panel_>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

BOOL CSummaryDlg::OnInitDialog() {
    return panel_.Start([this] { return CDialog::OnInitDialog(); });
}

void CSummaryDlg::DoDataExchange(CDataExchange& dx) {
    panel_.Exchange(dx);
    dx.Check(IDC_SHOW_SUMMARY, showSummary);
}

}  // namespace gd
