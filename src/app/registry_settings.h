#pragma once
// The application's settings section ("default") in the registry, through the
// framework's profile functions: HKEY_CURRENT_USER\Software\<key>\<app>\default
// once the application named its registry key.
#include <cstdint>
#include <string>

#include "app/settings_store.h"
#include "settings_root.h"

namespace gd {

class CWinApp;

class RegistrySettings final : public SettingsStore {
  public:
    explicit RegistrySettings(const CWinApp& app) : app_(app) {}

    std::int32_t ReadInt(const std::string& name, std::int32_t fallback) override;
    bool WriteInt(const std::string& name, std::int32_t value) override;
    std::string ReadString(const std::string& name, const std::string& fallback) override;
    bool WriteString(const std::string& name, const std::string& value) override;

    static constexpr const char* kSection = kSettingsSection;

  private:
    const CWinApp& app_;
};

}  // namespace gd
