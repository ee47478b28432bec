#include "fw/app.h"

#include <algorithm>

#include "fw/handle.h"
#include "fw/module.h"

namespace gd {
namespace {

CWinApp* theApp = nullptr;

}  // namespace

CWinApp* GetApp() {
    return theApp;
}

std::string ModuleBaseName() {
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string_view name(path, length < MAX_PATH ? length : 0);
    if (auto slash = name.find_last_of("\\/"); slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    if (auto dot = name.rfind('.'); dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

CWinApp::CWinApp(std::string_view appName)
    : appName_(appName.empty() ? ModuleBaseName() : std::string(appName)) {
    theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this) {
        theApp = nullptr;
    }
}

int CWinApp::Run(HINSTANCE instance, const char* commandLine) {
    instance_ = instance;
    commandLine_ = commandLine ? commandLine : "";
    if (InitInstance()) {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        exitCode_ = static_cast<int>(msg.wParam);
    }
    return ExitInstance();
}

std::string CWinApp::SectionPath(std::string_view section) const {
    std::string path = "Software\\";
    path += registryKey_;
    path += '\\';
    path += profileName_.empty() ? appName_ : profileName_;
    path += '\\';
    path += section;
    return path;
}

int CWinApp::GetProfileInt(std::string_view section, std::string_view entry,
                           int defaultValue) const {
    if (registryKey_.empty()) {
        return defaultValue;
    }
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, key.put()) !=
        ERROR_SUCCESS) {
        return defaultValue;
    }
    std::string name(entry);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

bool CWinApp::WriteProfileInt(std::string_view section, std::string_view entry, int value) const {
    if (registryKey_.empty()) {
        return false;
    }
    UniqueKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::string name(entry);
    auto data = static_cast<DWORD>(value);
    return ::RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(std::string_view section, std::string_view entry,
                                      std::string_view defaultValue) const {
    std::string fallback(defaultValue);
    if (registryKey_.empty()) {
        return fallback;
    }
    UniqueKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, key.put()) !=
        ERROR_SUCCESS) {
        return fallback;
    }
    std::string name(entry);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return fallback;
    }
    // The stored text need not end with a zero: keep one spare byte.
    std::string text(static_cast<size_t>(size) + 1, '\0');
    DWORD read = size;
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(text.data()), &read) != ERROR_SUCCESS) {
        return fallback;
    }
    text.resize(std::min<size_t>(read, size));
    if (auto zero = text.find('\0'); zero != std::string::npos) {
        text.resize(zero);
    }
    return text;
}

bool CWinApp::WriteProfileString(std::string_view section, std::string_view entry,
                                 std::string_view value) const {
    if (registryKey_.empty()) {
        return false;
    }
    UniqueKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::string name(entry);
    std::string data(value);
    return ::RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace gd
