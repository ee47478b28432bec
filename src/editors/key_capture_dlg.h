#pragma once
// CKeyCaptureDlg: the modal "Please press a single key" dialog. While it is
// open a low-level keyboard hook takes every key stroke on the desktop and
// swallows it; the last stroke of a key in the key table becomes the
// dialog's key and is shown by name. A new assignment starts with no key,
// and OK waits for one; an assignment being edited shows its own.
//
// Capturing Tab, Enter or Escape is the dialog's purpose, so no key can end
// it while it captures; a line says so, and that Escape pressed twice
// cancels. The capture completes with the first whole stroke
// (KeyCaptureState): OK takes the focus, and Tab, Enter, Space and Escape
// work the dialog from then on while it is in front, Escape as Cancel,
// while every other key is still taken.
// "Change" captures anew, for a Tab, Enter, Space or Escape after another
// key.
//
// Callers set `flags` and `key` (and, in the multi layers editor, the action
// choice) before DoModal and read them back after IDOK. The class also reads
// and writes the single-switch key record of a MultiLayerRecord.
#include <windows.h>

#include <cstdint>

#include "editors/key_capture_rules.h"
#include "editors/keyboard_hook.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "profile/records.h"
#include "resource.h"

namespace gd {

class CKeyCaptureDlg : public CDialog {
  public:
    static constexpr UINT IDD = IDD_KEY_CAPTURE;

    explicit CKeyCaptureDlg(HWND parent = nullptr) : CDialog(IDD, parent) {}
    CKeyCaptureDlg(const CKeyCaptureDlg&) = delete;
    CKeyCaptureDlg& operator=(const CKeyCaptureDlg&) = delete;

    // Shows the action list (click, press, release); hidden by default, and
    // then OK hands back the action the dialog was opened with.
    void SetActionChoiceEnabled(bool enabled) { actionChoiceEnabled = enabled; }

    // Hides the action choice, then starts from the key of `record` when it
    // is a single-switch key record (flags becomes a keyboard click);
    // otherwise flags and key stay as they are.
    void LoadSingleSwitch(const MultiLayerRecord& record);
    // Overwrites all of `record` with a single-switch key record of `key`:
    // "<key name>(Single)", layer 0 presses the key, layer 1 releases it,
    // whatever action `flags` holds.
    void StoreSingleSwitch(MultiLayerRecord& record) const;

  private:
    CComboBox actionList;

  public:
    // The event code without its key part: kind 0x01 in bits 24-31, action
    // in bits 20-23. After IDOK it is 0x01000000 | the chosen action.
    std::uint32_t flags = kKeyEditorStart;
    // The key part: scan code in bits 0-15, extended flag in bit 16;
    // kNoCapturedKey until a key is pressed or given.
    std::uint32_t key = kNoCapturedKey;

  private:
    bool actionChoiceEnabled = false;

  protected:
    BOOL OnInitDialog() override;
    // Enter works OK through the default button once the capture is over.
    void OnOK() override {}
    // Escape, once the capture is over, cancels as Cancel does.
    void OnCancel() override { OnReject(); }
    void DoDataExchange(CDataExchange& dx) override { dx.Control(IDC_ACTION, actionList); }
    const MessageMap& GetMessageMap() const override;

  private:
    void OnAccept();
    void OnReject();
    void OnCaptureAgain();
    // Posted by the hook once a stroke completed the capture.
    LRESULT OnCaptureComplete(WPARAM, LPARAM);
    // The hint on how to get out shows while the dialog captures.
    void ShowCapturing(bool capturing);
    // The dialog without its action row: the buttons move up into it.
    void DropActionRow();
    void OnDestroy() { StopCapture(); }
    BOOL OnHelp(const HELPINFO&) { return TRUE; }  // F1 does nothing

    // Takes `candidate` as the key when the key table lists it, shows its
    // name and lets OK hand it back; any other key changes nothing.
    void SetCapturedKey(std::uint32_t candidate);
    // A dialog that ends, or dies, by any road leaves no hook behind that
    // would swallow the keyboard or call into a destroyed object.
    void StopCapture() { capture_.Remove(); }

    friend KeyCaptureHook;
    LRESULT OnKeyboardHook(int code, WPARAM message, LPARAM data);
    KeyCaptureHook capture_{*this};
    KeyCaptureState state_;
};

}  // namespace gd
