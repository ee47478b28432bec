#include "summary/summary_dlg.h"

#include "resource.h"

namespace gd {

CSummaryDlg::CSummaryDlg(HWND parent) : CDialog(IDD_SUMMARY, parent), fields(ScreenSizedFields()) {}

const MessageMap& CSummaryDlg::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnCommand<&CSummaryDlg::OnCommentFocus>(IDC_SUMMARY_COMMENT, EN_SETFOCUS),
        OnCommand<&CSummaryDlg::OnResolutionPicked>(IDC_RESOLUTION_LIST, CBN_SELCHANGE),
        OnCommand<&CSummaryDlg::OnSizeEdited>(IDC_RESOLUTION_X, EN_CHANGE),
        OnCommand<&CSummaryDlg::OnSizeEdited>(IDC_RESOLUTION_Y, EN_CHANGE),
        OnMessage<WM_DESTROY, &CSummaryDlg::OnDestroy>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

BOOL CSummaryDlg::OnInitDialog() {
    return panel_.Start(*this, [this] { return CDialog::OnInitDialog(); });
}

void CSummaryDlg::DoDataExchange(CDataExchange& dx) {
    panel_.Exchange(dx);
    dx.Check(IDC_SHOW_SUMMARY, showSummary);
}

}  // namespace gd
