#pragma once
// The rules and the on/off value in the registry, under
// HKEY_CURRENT_USER\<settingsRoot> (for the program kSettingsRoot,
// "Software\MARVENTA\Gripdeck"): AutoSwitch and AutoSwitchFront hold the
// rules, default\AutoSwitch the switch.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "autoswitch/auto_switch_rules.h"
#include "settings_root.h"

namespace gd {

// Every string value of an open key as (name, data), leaving out names and
// data longer than a path; what was read before an error when the key is
// deleted or fails under the read.
std::vector<std::pair<std::string, std::string>> ReadStringValues(HKEY key);

class RegistryRuleStorage final : public RuleStorage {
  public:
    explicit RegistryRuleStorage(std::string settingsRoot) : root_(std::move(settingsRoot)) {}

    std::vector<std::pair<std::string, std::string>> ReadValues(RuleKind kind) override;
    bool WriteValue(RuleKind kind, const std::string& name, const std::string& data) override;
    bool DeleteValue(RuleKind kind, const std::string& name) override;
    bool SwitchingOn() override;
    bool SetSwitchingOn(bool on) override;

    const std::string& Root() const { return root_; }

  private:
    std::string KeyPath(RuleKind kind) const;

    std::string root_;
};

}  // namespace gd
