#pragma once
// CMultiLayerDlg: the "Multi Layers Edit:" dialog. It builds a multi-layer
// assignment freely: up to four layers, each a key, a mouse button, a macro
// played once or a stop function, under a name.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "editors/layer_list.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw/menu.h"
#include "profile/records.h"
#include "resource.h"

namespace gd {

class CMultiLayerDlg : public CDialog {
  public:
    static constexpr UINT IDD = IDD_MULTI_LAYERS;
    explicit CMultiLayerDlg(HWND parent = nullptr);

    // Before running: the record to edit. Without one the editor starts
    // with an empty record (all zero).
    void LoadRecord(const MultiLayerRecord& record);
    // After OK: all 7524 bytes.
    void StoreRecord(MultiLayerRecord& place) const;
    const MultiLayerRecord& Record() const { return *record_; }

  protected:
    BOOL OnInitDialog() override;
    // Enter never ends the dialog: on the list it edits its row, or offers
    // the row's menu when there is nothing to edit. Escape cancels.
    void OnOK() override;
    void OnCancel() override { OnReject(); }
    void DoDataExchange(CDataExchange& dx) override;
    const MessageMap& GetMessageMap() const override;

  private:
    // The rows and the OK button from the record; the name edit keeps its text.
    void Refresh();
    void UpdateOkButton();
    // The row under the cursor when it may be picked, else -1.
    int RowUnderCursor() const;
    LRESULT OnListCustomDraw(NMLVCUSTOMDRAW& draw);
    void DrawFreeRowCue(const NMLVCUSTOMDRAW& draw) const;
    void OnRightClick();
    void OnDoubleClick();
    // The Menu key or Shift+F10 on the list: the menu of its current row.
    void OnContextMenu(HWND window, POINT screen);
    // Enter on the list (handed over by the dialog manager, or by the list).
    void OnListReturn();
    // Insert on the list: the free row's menu, to add a layer, as a
    // right-click on that row opens it.
    void OnListKeyDown(const NMLVKEYDOWN& key);
    // The row's menu below the row's cells.
    void ShowRowMenuBelow(int row);
    // The row the keyboard is on (selected, else focused, else the first).
    int KeyboardRow() const;
    // The row's menu at a screen point; false for a row that has none.
    bool ShowRowMenu(int row, POINT screen);
    // The editor of the row's layer; false for a row without one.
    bool EditRow(int row);
    void OnKeyboard();
    void OnMouseButton();
    void OnMacro();
    void OnStop(UINT id);
    void OnClear();
    bool EditKey(Layer& layer);
    bool EditMouse(Layer& layer);
    bool EditMacro(Layer& layer, bool fromLayer);
    void OnNameChanged() { UpdateOkButton(); }
    void OnAccept();
    void OnReject() { EndDialog(IDCANCEL); }
    BOOL OnHelp(const HELPINFO&) { return TRUE; }  // F1 does nothing

    CEdit name_;
    CListCtrl list_;
    std::unique_ptr<MultiLayerRecord> record_;
    CMenu freeRowMenu_;
    CMenu usedRowMenu_;
    LayerTypeTexts texts_;
    std::string cue_;
    int selectedLayer = -1;
};

}  // namespace gd
