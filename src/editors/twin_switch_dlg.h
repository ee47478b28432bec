#pragma once
// CTwinSwitchDlg: the "Twin Switch Edit:" dialog. A twin switch is a
// multi-layer assignment of exactly two clicks, Key 1 and Key 2, each a key
// or a mouse button, picked from the arrow beside each key's name.
#include <windows.h>

#include <memory>

#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw/handle.h"
#include "fw/menu.h"
#include "profile/records.h"
#include "resource.h"

namespace gd {

class CTwinSwitchDlg : public CDialog {
  public:
    static constexpr UINT IDD = IDD_TWIN_SWITCH;
    explicit CTwinSwitchDlg(HWND parent = nullptr);

    // Takes the record only when it is a twin switch; any other leaves the
    // editor empty.
    void LoadRecord(const MultiLayerRecord& record);
    // All 7524 bytes, with layerCount 2.
    void StoreRecord(MultiLayerRecord& place) const;
    const MultiLayerRecord& Record() const { return *record_; }

  protected:
    BOOL OnInitDialog() override;
    // Enter acts as OK through the default button, or opens the menu of a
    // focused arrow; Escape cancels.
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange& dx) override { dx.Control(IDC_RECORD_NAME, name_); }
    const MessageMap& GetMessageMap() const override;

  private:
    void Refresh();
    // The arrows are buttons, so that Tab reaches them and Space opens
    // their menu; the dialog draws them.
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnArrow(UINT id);
    void OpenArrowMenu(int key);
    void OnKeyboard();
    void OnMouseButton();
    void OnNameChanged() { Refresh(); }
    void OnAccept();
    void OnReject() { EndDialog(IDCANCEL); }
    BOOL OnHelp(const HELPINFO&) { return TRUE; }  // F1 does nothing

    CEdit name_;
    std::string undefinedText_;
    std::unique_ptr<MultiLayerRecord> record_;
    int selectedLayer = -1;
    CMenu keyMenu_;
    UniqueBitmap arrow_;
    RECT arrows_[2]{};
};

}  // namespace gd
