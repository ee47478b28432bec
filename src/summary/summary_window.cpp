#include "summary/summary_window.h"

#include "resource.h"
#include "summary/resolution_list.h"

namespace gd {

CSummaryWindow::CSummaryWindow()
    : CDialog(IDD_SUMMARY_WINDOW),
      width(::GetSystemMetrics(SM_CXSCREEN)),
      height(::GetSystemMetrics(SM_CYSCREEN)) {}

void CSummaryWindow::ShowSummary(const std::string& name, const std::string& game,
                                 const std::string& author, const std::string& comment,
                                 std::int32_t width, std::int32_t height) {
    this->name = name;
    this->game = game;
    this->author = author;
    this->comment = comment;
    if (width == 0) {
        // The current size, not the one at construction: the screen may have
        // changed since.
        width = ::GetSystemMetrics(SM_CXSCREEN);
        height = ::GetSystemMetrics(SM_CYSCREEN);
    }
    this->width = width;
    this->height = height;
    resolution = FormatResolution(width, height);
    if (GetSafeHwnd() != nullptr) {
        UpdateData(false);
    }
}

BOOL CSummaryWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    return FALSE;
}

void CSummaryWindow::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_SUMMARY_NAME, name);
    dx.Text(IDC_SUMMARY_GAME, game);
    dx.Text(IDC_SUMMARY_RESOLUTION, resolution);
    dx.Text(IDC_SUMMARY_AUTHOR, author);
    dx.Text(IDC_SUMMARY_COMMENT, comment);
}

}  // namespace gd
