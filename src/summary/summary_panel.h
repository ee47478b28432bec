#pragma once
// The summary fields as the save dialog's panel and the summary dialog show
// them, with the same control ids in both. Each dialog owns one panel over
// its `fields` member, chains the panel's handler table into its own and
// hands it its data exchange and its start; the panel keeps the rules in one
// place.
#include <windows.h>

#include <string>

#include "fw/dialog.h"
#include "fw/handle.h"
#include "summary/summary_fields.h"

namespace gd {

// Texts empty, x and y the primary screen's size: what both dialogs hold
// until the caller sets them.
SummaryFields ScreenSizedFields();

class CSummaryPanel : public CMsgHandler {
  public:
    // `dialog` owns the panel and chains it: ChainMember<&Dlg::panel_>().
    CSummaryPanel(CDialog& dialog, SummaryFields& fields) : dialog_(dialog), fields_(fields) {}

    // Texts cut to their limits and X and Y read as numbers when taken over.
    void Exchange(CDataExchange& dx);

    // The dialog's start: runs the framework's start (`start`, which puts the
    // members into the controls), then the placeholder, the text limits and
    // the resolution list with the entry the stored size begins.
    template <typename FrameworkStart>
    BOOL Start(FrameworkStart&& start) {
        BOOL result = FALSE;
        {
            ScopedFlag filling(filling_);
            result = start();
        }
        Prepare();
        return result;
    }

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    void OnCommentFocus();
    void OnResolutionPicked();
    void OnSizeEdited(UINT id);
    // WM_DESTROY, after OK and after Cancel: the members take the controls'
    // values, and a placeholder left standing is dropped.
    void OnDestroy();

    void Prepare();
    void PutMembers();

    CDialog& dialog_;
    SummaryFields& fields_;
    std::string placeholder_;
    // While the panel writes into its own edits, their change notices are
    // echoes, not the user's typing.
    bool filling_ = false;
};

}  // namespace gd
