#pragma once
// Puts back what publishing changes in the Wine prefix (the package file and
// the two values under the driver's service key), so that later tests in the
// same prefix find the machine as it was. The key itself is left alone: the
// simulated pad's service owns it.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driverlink/driver_link.h"
#include "fw/handle.h"
#include "profile/profile_file.h"

namespace gd::testing {

inline std::string PackageFilePath() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    return PackagePath(windows);
}

class DriverStateScope {
  public:
    DriverStateScope() {
        std::vector<std::uint8_t> bytes;
        if (ReadWholeFile(PackageFilePath(), 1 << 20, bytes)) {
            package_ = std::move(bytes);
        }
        UniqueKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_QUERY_VALUE, key.put()) ==
            ERROR_SUCCESS) {
            packageValue_ = Query(key.get(), kPackageValue);
            resolutionValue_ = Query(key.get(), kResolutionValue);
        }
    }

    ~DriverStateScope() {
        if (package_) {
            WriteFileInPlace(PackageFilePath(), package_->data(), package_->size());
        } else {
            DeleteFileA(PackageFilePath().c_str());
        }
        UniqueKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_SET_VALUE, key.put()) !=
            ERROR_SUCCESS) {
            return;
        }
        Restore(key.get(), kPackageValue, packageValue_);
        Restore(key.get(), kResolutionValue, resolutionValue_);
    }

    DriverStateScope(const DriverStateScope&) = delete;
    DriverStateScope& operator=(const DriverStateScope&) = delete;

  private:
    struct Value {
        DWORD type;
        std::vector<std::uint8_t> data;
    };

    static std::optional<Value> Query(HKEY key, const char* name) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        Value value{type, std::vector<std::uint8_t>(size)};
        RegQueryValueExA(key, name, nullptr, &type, value.data.data(), &size);
        value.data.resize(size);
        return value;
    }

    static void Restore(HKEY key, const char* name, const std::optional<Value>& value) {
        if (value) {
            RegSetValueExA(key, name, 0, value->type, value->data.data(),
                           static_cast<DWORD>(value->data.size()));
        } else {
            RegDeleteValueA(key, name);
        }
    }

    std::optional<std::vector<std::uint8_t>> package_;
    std::optional<Value> packageValue_;
    std::optional<Value> resolutionValue_;
};

}  // namespace gd::testing
