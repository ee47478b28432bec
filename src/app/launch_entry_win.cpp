#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "app/launch_entry.h"
#include "app/shell_rules.h"
#include "fw/handle.h"
#include "fw/text.h"
#include "resource.h"

namespace gd {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RegistryRunKeys final : public RunKeys {
  public:
    std::optional<std::string> Read(RunScope scope) override {
        UniqueKey key = Open(scope, KEY_QUERY_VALUE);
        if (!key) {
            return std::nullopt;
        }
        char text[kLaunchEntryBufferSize] = {};
        DWORD size = sizeof text;
        DWORD type = 0;
        if (::RegQueryValueExA(key.get(), name_.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        // A value stored without its terminator still reads as text of its size.
        return std::string(text, ::strnlen(text, size < sizeof text ? size : sizeof text));
    }

    bool Write(RunScope scope, const std::string& text) override {
        UniqueKey key = Open(scope, KEY_SET_VALUE);
        return key && ::RegSetValueExA(key.get(), name_.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }

  private:
    // For writing, a user's Run key that does not exist yet is created.
    static UniqueKey Open(RunScope scope, REGSAM access) {
        UniqueKey key;
        HKEY root = scope == RunScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        const LONG status = access == KEY_SET_VALUE
                                ? ::RegCreateKeyExA(root, kRunKey, 0, nullptr, 0, access, nullptr,
                                                    key.put(), nullptr)
                                : ::RegOpenKeyExA(root, kRunKey, 0, access, key.put());
        if (status != ERROR_SUCCESS) {
            key.reset();
        }
        return key;
    }

    const std::string name_ = LoadText(IDS_STARTUP_VALUE_NAME);
};

}  // namespace

bool IsLaunchAtStartup() {
    RegistryRunKeys keys;
    return IsLaunchEntryStored(keys);
}

bool SetLaunchAtStartup(bool on) {
    std::string program;
    if (on) {
        char path[kLaunchEntryBufferSize] = {};
        const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
        // A path that filled the buffer was cut: refused like one that
        // leaves no room for the quotes and " -1".
        if (length == 0 || length >= sizeof path) {
            return false;
        }
        program.assign(path, length);
    }
    RegistryRunKeys keys;
    return StoreLaunchEntry(keys, on, program);
}

}  // namespace gd
