#pragma once
// Shared by the driver link's tests under Wine: the real host with the user
// played by the test, a stand-in main window, and a scope that puts back what
// publishing changes in the prefix.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "driverlink/driver_host_win.h"
#include "driverlink/driver_link.h"
#include "fw/handle.h"
#include "profile/profile_file.h"
#include "profile/profile_state.h"

namespace gd::testing {

// Every box is recorded instead of waiting for a click.
class RecordingHost : public WinDriverHost {
  public:
    using WinDriverHost::WinDriverHost;

    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT flags;
    };
    std::vector<Box> boxes;
    std::vector<std::string> events;  // "notify" and the boxes' texts, in order

    void NotifyMainWindow() override {
        events.push_back("notify");
        WinDriverHost::NotifyMainWindow();
    }

  protected:
    int RunMessageBox(HWND owner, const std::string& text, const std::string& caption,
                      UINT flags) override {
        boxes.push_back({owner, text, caption, flags});
        events.push_back(text);
        return IDOK;
    }
};

// A hidden window standing in for the main one; counts the WM_USER+1 it gets.
class StandInMainWindow {
  public:
    StandInMainWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);  // fails harmlessly once registered
        window_.reset(CreateWindowExA(0, kClassName, "Gripdeck", WS_OVERLAPPED, 0, 0, 100, 100,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        shown = 0;
    }
    HWND get() const { return window_.get(); }
    void Destroy() { window_.reset(); }

    static inline int shown = 0;

  private:
    static constexpr char kClassName[] = "DriverLinkStandInMain";

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER + 1) {
            ++shown;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    UniqueWindow window_;
};

inline std::string DriversFolder() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\system32\\drivers";
}

inline std::string PackageFilePath() {
    return DriversFolder() + "\\velqorgpx.pkg";
}

inline std::vector<std::uint8_t> ReadPackageBytes() {
    std::vector<std::uint8_t> data;
    ReadWholeFile(PackageFilePath(), 1 << 20, data);
    return data;
}

// An image in which every slot differs from the next, and a 1280 x 1024 summary.
inline void FillProfile(ProfileState& state, std::uint8_t seed) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(&state.image);
    for (std::size_t i = 0; i < sizeof state.image; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i >> 3) * 7 + seed);
    }
    std::memset(&state.summary, 0, sizeof state.summary);
    state.summary.resolution = 0x05000400;
}

// Puts back the package file and the two values under the driver's service
// key, so that later tests in the same prefix find them as they were. The key
// itself is left alone: the simulated pad's service owns it.
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
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_SET_VALUE, key.put()) ==
            ERROR_SUCCESS) {
            Restore(key.get(), kPackageValue, packageValue_);
            Restore(key.get(), kResolutionValue, resolutionValue_);
        }
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
