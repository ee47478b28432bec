#include "autoswitch/hotkey_registry_win.h"

#include <windows.h>

#include "autoswitch/rule_registry_win.h"
#include "fw/handle.h"

namespace gd {

std::vector<std::pair<std::string, std::string>> RegistryHotkeyStorage::ReadValues() {
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return {};
    }
    return ReadStringValues(key.get());
}

bool RegistryHotkeyStorage::WriteValue(const std::string& name, const std::string& data) {
    UniqueKey key;
    return ::RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                             nullptr, key.put(), nullptr) == ERROR_SUCCESS &&
           ::RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryHotkeyStorage::DeleteValue(const std::string& name) {
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_SET_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return true;
    }
    const LONG result = ::RegDeleteValueA(key.get(), name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace gd
