#pragma once
// CMacroEditDlg: the "Macro Edit:" dialog. It edits one MacroRecord: its
// name, a list of up to 128 key and mouse events recorded from the keyboard
// or inserted by hand, the delay after each, and how the pad plays it.
// Recording takes every key, Tab and Escape included, until Pause, Stop
// Recording, a full list or a click in the list stops it; a line beside the
// buttons says so while it records.
// CLayerMacroEditDlg is the same editor for a macro inside a layer, which
// always plays once and so has no play mode.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/keyboard_hook.h"
#include "editors/macro_list.h"
#include "editors/recording_keys.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw/menu.h"
#include "profile/records.h"
#include "resource.h"
#include "skin/labels.h"
#include "skin/skin_list_ctrl.h"

namespace gd {

class CMacroEditDlg : public CDialog {
  public:
    explicit CMacroEditDlg(HWND parent = nullptr);
    ~CMacroEditDlg() override;

    // Before running: the record to edit. Without one the editor starts
    // with an empty macro that plays once.
    void LoadMacro(const MacroRecord& macro);
    // After OK: the finished record.
    void StoreMacro(MacroRecord& place) const;

    // The numeric fields, 30..60000 each.
    std::uint32_t repeatIntervalField = 30;
    std::uint32_t pressDelayField = 30;
    std::uint32_t releaseDelayField = 30;

    // The rows as the list holds them, for callers and tests.
    const MacroList& Events() const { return events_; }
    bool IsRecording() const;

  protected:
    CMacroEditDlg(UINT templateId, HWND parent, bool playModes);

    BOOL OnInitDialog() override;
    // Enter never ends it; Escape cancels as Cancel does (while recording,
    // Escape is recorded as any key is).
    void OnOK() override {}
    void OnCancel() override { OnCancelButton(); }
    void DoDataExchange(CDataExchange& dx) override;
    const MessageMap& GetMessageMap() const override;

  private:
    // The list's columns, and the controls shown only for a mouse row.
    enum Column { kKeyColumn, kActionColumn, kDelayColumn, kOthersColumn, kNumberColumn };
    static constexpr int kMouseControls[] = {
        IDC_POSITION_MODE, IDC_POSITION_X_CAPTION, IDC_POSITION_Y_CAPTION,
        IDC_POSITION_X,    IDC_POSITION_Y,         IDC_CURSOR_X,
        IDC_CURSOR_Y};
    // Opening and the list's rows
    void LoadTexts();
    void SetUpLists();
    void FillFromMacro();
    void RenderRows();
    // The position list's text for item `item` (mouse_button_rules.h);
    // "Relative" for no item.
    const std::string& ModeText(int item) const;
    std::string MouseOthers(EventCode code, std::uint32_t position) const;
    int SelectedRow() const { return eventList_.GetSelectedItem(); }
    void SelectRow(int row);

    // The helpers every command ends with
    void RefreshSelection();
    void EnableRowEditor(int selected);
    // Selects the key list entry of `code`'s input.
    void ShowKeyOf(EventCode code);
    void UpdateMoveButtons();
    void ForceLastDelayZero();
    void UpdateDuration();
    void UpdateOkButton();
    void ShowMouseControls(int selected);
    void FillMouseFields(const RowPair& pair);
    // The position row for list item `mode`: its fields are off for an
    // undefined position, and absolute positions are captioned "X:", "Y:".
    void ShowPositionRow(int mode);

    // Recording
    void OnStartRecording();
    void OnStopRecording();
    void StopRecording();
    // Start and Stop Recording, and the line on how to stop, for a
    // recording that runs or not. The focus goes from the button turned off
    // to the one turned on.
    void ShowRecording(bool recording);
    void AddRecordedEvent(EventCode code);
    friend RecordingHook;
    LRESULT OnKeyboardHook(int code, WPARAM message, LPARAM data);

    // List notifications and the popup menu
    void OnListItemChanged(const NMLISTVIEW& change);
    void OnListSetFocus();
    void OnListKillFocus();
    void OnListRightClick();
    // The Menu key or Shift+F10 on the list: the menu of the selected row,
    // or of the empty list.
    void OnContextMenu(HWND window, POINT screen);
    void ShowListMenu(bool onRow, POINT screen);

    // Editing the list
    void OnInsertKeyboard();
    void OnInsertMouseButton();
    void InsertPair(EventCode press, const std::string& pressDelay, std::uint32_t position,
                    const std::string& others);
    void OnDelete();
    void OnClearAll();
    void OnMoveUp() { Move(true); }
    void OnMoveDown() { Move(false); }
    void Move(bool up);
    void OnKeyChanged();
    void OnPositionModeChanged();
    void OnPositionChanged();
    void OnDelayChanged();
    void OnPressDelays() { SetBulkDelays(kActionPress); }
    void OnReleaseDelays() { SetBulkDelays(kActionRelease); }
    void SetBulkDelays(std::uint32_t action);
    bool ReadNumericFields();

    // Play mode, More/Less, ending
    void OnPlayOnce() { SelectPlayMode(IDC_PLAY_ONCE); }
    void OnPlayWhilePressed() { SelectPlayMode(IDC_PLAY_WHILE_PRESSED); }
    void OnPlayUntilPressedAgain() { SelectPlayMode(IDC_PLAY_UNTIL_PRESSED_AGAIN); }
    void SelectPlayMode(int radio);
    void OnMoreLess();
    void OnNameChanged() { UpdateOkButton(); }
    void OnOkButton();
    void OnCancelButton();
    void OnTimer(UINT_PTR id);
    BOOL OnHelp(const HELPINFO&) { return TRUE; }  // F1 does nothing

    const bool playModes_;
    CColorStatic durationLabel_;
    CComboBox positionMode_;
    CEdit name_;
    CEdit delay_;
    CComboBox keyList_;
    CSkinListCtrl eventList_;

    std::unique_ptr<MacroRecord> macro_;
    MacroList events_;
    MacroRecorder recorder_;
    RecordingKeys recordingKeys_;
    RecordingHook recording_{*this};
    bool updating_ = false;
    // Set while the dialog writes a field itself, so that its change is
    // not taken for the user's.
    bool fillingFields_ = false;
    bool expanded_ = false;
    CMenu rowMenu_;
    CMenu spaceMenu_;

    std::string xRefText_, yRefText_, xText_, yText_;
    std::string relativeText_, absoluteText_, undefinedText_;
    std::string shortDuration_, longDuration_;
};

class CLayerMacroEditDlg : public CMacroEditDlg {
  public:
    explicit CLayerMacroEditDlg(HWND parent = nullptr);
};

}  // namespace gd
