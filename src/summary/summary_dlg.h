#pragma once
// CSummaryDlg: the modal "Information of the Summary" dialog, which edits a
// profile's summary and says whether the summary window is shown.
#include <windows.h>

#include "fw/dialog.h"
#include "summary/summary_fields.h"
#include "summary/summary_panel.h"

namespace gd {

class CSummaryDlg : public CDialog {
  public:
    explicit CSummaryDlg(HWND parent);

    // Set before DoModal; after IDOK they hold what the user left, texts cut
    // to their limits and never the comment placeholder. Until set, the texts
    // are empty and x and y hold the primary screen's size.
    SummaryFields fields;
    // The "Show the summary" check box: 1 checked, 0 not.
    int showSummary = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    const MessageMap& GetMessageMap() const override;

  private:
    CSummaryPanel panel_{*this, fields};
};

}  // namespace gd
