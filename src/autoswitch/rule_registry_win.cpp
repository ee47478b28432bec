#include "autoswitch/rule_registry_win.h"

#include <windows.h>

#include "fw/handle.h"

namespace gd {
namespace {

UniqueKey OpenKey(const std::string& path, REGSAM access) {
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

UniqueKey CreateKey(const std::string& path) {
    UniqueKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                          KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

}  // namespace

std::string RegistryRuleStorage::KeyPath(RuleKind kind) const {
    return root_ + '\\' + (kind == RuleKind::WhileRunning ? kRulesKey : kFrontRulesKey);
}

std::vector<std::pair<std::string, std::string>> ReadStringValues(HKEY key) {
    std::vector<std::pair<std::string, std::string>> values;
    for (DWORD index = 0;; ++index) {
        char name[kLongestRuleName + 1] = {};
        char data[MAX_PATH + 1] = {};
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data - 1;
        DWORD type = REG_NONE;
        const LONG result = ::RegEnumValueA(key, index, name, &nameSize, nullptr, &type,
                                            reinterpret_cast<BYTE*>(data), &dataSize);
        // Longer than a path can be: no rule, but the next value may be one.
        if (result == ERROR_MORE_DATA) {
            continue;
        }
        // The end, or a key deleted or gone bad under the read: every later
        // index fails the same way, so asking on would never end.
        if (result != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ) {
            values.emplace_back(std::string(name, nameSize), std::string(data));
        }
    }
    return values;
}

std::vector<std::pair<std::string, std::string>> RegistryRuleStorage::ReadValues(RuleKind kind) {
    const UniqueKey key = OpenKey(KeyPath(kind), KEY_QUERY_VALUE);
    if (!key) {
        return {};
    }
    return ReadStringValues(key.get());
}

bool RegistryRuleStorage::WriteValue(RuleKind kind, const std::string& name,
                                     const std::string& data) {
    const UniqueKey key = CreateKey(KeyPath(kind));
    return key && ::RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryRuleStorage::DeleteValue(RuleKind kind, const std::string& name) {
    const UniqueKey key = OpenKey(KeyPath(kind), KEY_SET_VALUE);
    if (!key) {
        return true;
    }
    const LONG result = ::RegDeleteValueA(key.get(), name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool RegistryRuleStorage::SwitchingOn() {
    const UniqueKey key = OpenKey(root_ + '\\' + kSettingsSection, KEY_QUERY_VALUE);
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = REG_NONE;
    return key &&
           ::RegQueryValueExA(key.get(), kSwitchingValue, nullptr, &type,
                              reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
           type == REG_DWORD && value != 0;
}

bool RegistryRuleStorage::SetSwitchingOn(bool on) {
    const UniqueKey key = CreateKey(root_ + '\\' + kSettingsSection);
    const DWORD value = on ? 1 : 0;
    return key &&
           ::RegSetValueExA(key.get(), kSwitchingValue, 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

}  // namespace gd
