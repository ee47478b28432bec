#pragma once
// CMouseButtonDlg: the modal "Please select a mouse button" dialog. It edits
// one mouse action (button, action, pointer position) and reads and writes
// the single-switch mouse record of a multi-layer slot.
#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/keyboard_hook.h"
#include "editors/mouse_button_rules.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "profile/records.h"
#include "resource.h"

namespace gd {

class CMouseButtonDlg : public CDialog {
  public:
    static constexpr UINT IDD = IDD_MOUSE_BUTTON;
    explicit CMouseButtonDlg(HWND parent = nullptr);

    // Off by default: the action list is shown but cannot be changed, and OK
    // keeps the action that `flags` came with.
    void SetActionChoiceEnabled(bool enabled) { actionChoiceEnabled = enabled; }

    // Turns the action choice off; a single-switch mouse record then gives
    // the starting values (from its layer 0), any other record leaves them.
    void LoadSingleSwitch(const MultiLayerRecord& record);
    // All 7524 bytes of `record`: a fresh single-switch mouse record, named
    // after the button, that presses it in layer 0 and releases it in layer 1.
    void StoreSingleSwitch(MultiLayerRecord& record) const;

    // Set before DoModal, read after IDOK. The code they stand for is
    // flags | button; x and y are -2048..2048; the screen size is the primary
    // screen's at the moment of OK.
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t flags = kMouseEditorStart;  // kind, action, position flag; no button
    std::uint32_t button = kMouseLeft;        // 1 left, 2 right, 4 middle
    std::uint32_t screenWidth = 1024;
    std::uint32_t screenHeight = 768;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange& dx) override;
    const MessageMap& GetMessageMap() const override;

  private:
    MouseButtonValues Values() const;
    void TakeValues(const MouseButtonValues& values);

    void OnButtonPicked(UINT id);
    void OnPositionModeChanged();
    void OnTimer(UINT_PTR id);
    BOOL OnHelp(const HELPINFO&) { return TRUE; }  // F1 does nothing
    void OnDestroy();

    void ShowCaptions(int positionItem);
    void EnablePositionFields(bool enable);
    void ShowPointerPosition();

    // Enter would end the dialog through its own OK id; the filter drops it
    // before the dialog manager turns it into the command, unless the
    // focused control wants it itself. Escape cancels, as in every editor.
    friend DialogKeyFilter;
    LRESULT OnKeyboardHook(int code, WPARAM wParam, LPARAM lParam);

    CComboBox positionList_;
    CComboBox actionList_;
    std::string xRefCaption_;
    std::string yRefCaption_;
    std::string xCaption_;
    std::string yCaption_;
    bool actionChoiceEnabled = false;
    DialogKeyFilter keyFilter_{*this};
};

}  // namespace gd
