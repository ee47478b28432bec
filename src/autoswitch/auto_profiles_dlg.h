#pragma once
// CAutoProfilesDlg: the "Automatic Profiles" dialog (template 120). It lists
// the rules with each profile's Game text, adds, changes, removes and tries
// them, turns switching on and off, and shows the last decisions. Rules are
// written at once, as gpxtool writes them; Close only closes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "autoswitch/auto_switch_rules.h"
#include "fw/controls.h"
#include "fw/dialog.h"

namespace gd {

class CAutoSwitch;

class CAutoProfilesDlg : public CDialog {
  public:
    CAutoProfilesDlg(HWND parent, CAutoSwitch& owner);

  protected:
    BOOL OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

  private:
    // A program with a visible window now.
    struct Program {
        std::string title;
        std::string path;
    };

    void OnSwitchClicked();
    void OnAdd();
    void OnChange();
    void OnRemove();
    // The selected rule's profile on the pad now, as its game would put it
    // there, until the dialog closes.
    void OnTry();
    void OnFrontOnlyClicked();
    void OnRuleSelected();

    void FillRules();
    void FillHistory();
    // The selected rule, or nothing.
    std::optional<Rule> SelectedRule() const;
    RuleKind ChosenKind() const;
    // The program picked from those with a window (or browsed for); its
    // window title is empty when it was browsed for.
    std::optional<Program> ChooseProgram();
    std::optional<std::string> ChooseProfile(const std::string& suggested);
    // Writes the rule and shows the list again; a refusal is shown in a box.
    void StoreRule(const std::string& name, const std::string& profile, RuleKind kind);
    // The profiles the user has at hand: the rules' and the recent files'.
    std::vector<ProfileGame> KnownProfiles() const;

    CAutoSwitch& owner_;
    CListCtrl rules_;
    CListCtrl history_;
    std::vector<Rule> shown_;
};

}  // namespace gd
