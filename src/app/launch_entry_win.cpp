#include <windows.h>

#include <string>

#include "app/launch_entry.h"
#include "app/shell_rules.h"
#include "fw/handle.h"
#include "fw/text.h"
#include "resource.h"

namespace gd {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

UniqueKey OpenRunKey(REGSAM access) {
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, access, key.put()) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

}  // namespace

bool IsLaunchAtStartup() {
    UniqueKey key = OpenRunKey(KEY_QUERY_VALUE);
    if (!key) {
        return false;
    }
    const std::string name = LoadText(IDS_STARTUP_VALUE_NAME);
    char text[kLaunchEntryBufferSize] = {};
    DWORD size = sizeof text;
    DWORD type = 0;
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text),
                           &size) != ERROR_SUCCESS) {
        return false;
    }
    // A value stored without its terminator still reads as text of its size.
    return size > 0 && text[0] != '\0';
}

bool SetLaunchAtStartup(bool on) {
    UniqueKey key = OpenRunKey(KEY_SET_VALUE);
    if (!key) {
        return false;
    }
    std::string text;
    if (on) {
        char path[kLaunchEntryBufferSize] = {};
        const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
        // A path that filled the buffer was cut: refused like one that
        // leaves no room for " -1".
        if (length == 0 || length >= sizeof path) {
            return false;
        }
        const auto entry = LaunchEntryText(std::string_view(path, length));
        if (!entry) {
            return false;
        }
        text = *entry;
    }
    const std::string name = LoadText(IDS_STARTUP_VALUE_NAME);
    return ::RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace gd
