#pragma once
// The profile hotkeys in the registry: string values under
// HKEY_CURRENT_USER\<settingsRoot>\Hotkeys (for the program kSettingsRoot,
// "Software\MARVENTA\Gripdeck"), as profile_hotkeys.h lays them out.
#include <string>
#include <utility>
#include <vector>

#include "autoswitch/profile_hotkeys.h"

namespace gd {

class RegistryHotkeyStorage final : public HotkeyStorage {
  public:
    explicit RegistryHotkeyStorage(std::string settingsRoot)
        : path_(std::move(settingsRoot) + '\\' + kHotkeysKey) {}

    std::vector<std::pair<std::string, std::string>> ReadValues() override;
    bool WriteValue(const std::string& name, const std::string& data) override;
    bool DeleteValue(const std::string& name) override;

  private:
    std::string path_;
};

}  // namespace gd
