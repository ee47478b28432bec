#include "app/registry_settings.h"

#include "fw/app.h"

namespace gd {

std::int32_t RegistrySettings::ReadInt(const std::string& name, std::int32_t fallback) {
    return app_.GetProfileInt(kSection, name, fallback);
}

bool RegistrySettings::WriteInt(const std::string& name, std::int32_t value) {
    return app_.WriteProfileInt(kSection, name, value);
}

std::string RegistrySettings::ReadString(const std::string& name, const std::string& fallback) {
    return app_.GetProfileString(kSection, name, fallback);
}

bool RegistrySettings::WriteString(const std::string& name, const std::string& value) {
    return app_.WriteProfileString(kSection, name, value);
}

}  // namespace gd
