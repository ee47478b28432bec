#pragma once
// CHotkeysDlg: the "Profile Hotkeys" dialog (template 116). It lists the
// hotkeys with their profiles and whether each works, and adds, changes and
// removes them: the hotkey is pressed into the standard hotkey control, the
// profile chosen with a file dialog. Each change is written at once, as
// gpxtool writes it, and registered again; a line under the buttons says
// what it came to (set, refused and why, or held by another program).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "autoswitch/profile_hotkeys.h"
#include "fw/controls.h"
#include "fw/dialog.h"

namespace gd {

class CProfileHotkeys;

class CHotkeysDlg : public CDialog {
  public:
    CHotkeysDlg(HWND parent, CProfileHotkeys& owner);

  protected:
    BOOL OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

  private:
    void OnChoose();
    void OnAdd() { Store({}); }
    void OnChange();
    void OnRemove();
    void OnRowSelected();

    // Lists the hotkeys again and selects the one named `text`, if any.
    void FillList(const std::string& text);
    std::optional<ProfileHotkey> SelectedHotkey() const;
    // Sets the hotkey and profile in the fields, in place of `replacing`
    // (empty: a new one).
    void Store(const std::string& replacing);
    void ShowNote(const std::string& text);

    CProfileHotkeys& owner_;
    CListCtrl list_;
    CHotKeyCtrl key_;
    std::vector<ProfileHotkey> shown_;
};

}  // namespace gd
