#pragma once
// A DriverHost made of plain data: every call is appended to `calls` as one readable line,
// and every answer comes from the fields a test sets. Nothing reaches a real registry, file
// or device.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "driverlink/driver_host.h"
#include "driverlink/driver_link.h"

namespace gd::testing {

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

class FakeDriverHost : public DriverHost {
  public:
    struct Value {
        RegistryType type = RegistryType::None;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        bool writable = true;
        std::map<std::string, Value> values;
    };
    struct Device {
        std::vector<std::uint8_t> hardwareIds;  // "first\0second\0\0" as the property holds them
        bool readable = true;
        std::uint32_t growsBy = 0;                 // bytes the property grows by on every read
        std::optional<std::uint32_t> claimedSize;  // the size reported instead of the true one
    };
    struct Message {
        unsigned id;
        MessageOwner owner;
        MessageIcon icon;
        std::string file = {};  // the setup file a failure names
        friend bool operator==(const Message&, const Message&) = default;
    };

    // --- the world as the test sets it up
    std::optional<std::string> windowsDirectory = std::string("C:\\WINDOWS");
    SystemFolderView systemFolders = SystemFolderView::Native;
    bool filesWritable = true;
    std::map<std::string, Key> keys;         // "HKLM\<subkey>" or "HKCU\<subkey>"
    std::map<char, std::string> interfaces;  // 'A' / 'B' -> device path
    bool interfaceOpens = true;
    bool deviceListAvailable = true;
    std::vector<Device> devices;
    std::set<std::string> failingInstalls;  // hardware ids whose installation fails
    std::optional<std::string> currentDirectory = std::string("C:\\Users\\me");
    std::optional<std::string> programFolder = std::string("C:\\Program Files\\Gripdeck");
    std::set<std::string> uncopyableInfs;  // setup files whose copy fails
    std::set<std::string> existingDirectories;
    std::map<std::string, std::string> environment;  // variable -> value
    bool expansionFails = false;

    // --- what happened
    std::vector<std::string> calls;
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<Message> messages;

    static std::string KeyName(RegistryRoot root, const std::string& subkey) {
        return (root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + subkey;
    }
    Key& ServiceKey() { return keys[KeyName(RegistryRoot::LocalMachine, kServiceKey)]; }
    void PlugInterfaces(bool a, bool b) {
        if (a) {
            interfaces['A'] = "\\\\?\\root#padsim#0000#{a}";
        }
        if (b) {
            interfaces['B'] = "\\\\?\\root#padsim#0000#{b}";
        }
    }
    static Device WithIds(const std::vector<std::string>& ids) {
        Device device;
        for (const std::string& id : ids) {
            device.hardwareIds.insert(device.hardwareIds.end(), id.begin(), id.end());
            device.hardwareIds.push_back(0);
        }
        device.hardwareIds.push_back(0);
        return device;
    }
    void PlugPad() { devices.push_back(WithIds({"HID\\VID_099A&PID_2000&MI_00", "HID\\UP:0001"})); }

    // Calls whose line starts with `prefix`, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
        return found;
    }
    // Position of the first call starting with `prefix`, or -1.
    int IndexOf(const std::string& prefix) const {
        const auto at = std::find_if(calls.begin(), calls.end(), [&](const std::string& call) {
            return call.rfind(prefix, 0) == 0;
        });
        return at == calls.end() ? -1 : static_cast<int>(at - calls.begin());
    }

    // --- DriverHost
    std::optional<std::string> WindowsDirectory() override {
        calls.push_back("WindowsDirectory");
        return windowsDirectory;
    }
    SystemFolderView SystemFolders() override { return systemFolders; }
    bool WriteWholeFile(const std::string& path, const void* data, std::size_t size) override {
        calls.push_back("WriteWholeFile " + path + " " + std::to_string(size));
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        if (filesWritable) {
            files[path].assign(bytes, bytes + size);
        }
        return filesWritable;
    }
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& subkey) override {
        const std::string name = KeyName(root, subkey);
        calls.push_back("OpenKey " + name);
        const auto key = keys.find(name);
        return key == keys.end() ? nullptr : std::make_unique<FakeKey>(*this, name, key->second);
    }
    std::optional<std::string> FirstInterfacePath(const Guid& interfaceClass) override {
        const char name = interfaceClass == kDriverInterfaceA   ? 'A'
                          : interfaceClass == kDriverInterfaceB ? 'B'
                                                                : '?';
        calls.push_back(std::string("FirstInterfacePath ") + name);
        const auto path = interfaces.find(name);
        return path == interfaces.end() ? std::nullopt : std::optional<std::string>(path->second);
    }
    bool OpenDevice(const std::string& devicePath) override {
        calls.push_back("OpenDevice " + devicePath);
        return interfaceOpens;
    }
    std::unique_ptr<PresentDeviceList> ListPresentDevices() override {
        calls.push_back("ListPresentDevices");
        return deviceListAvailable ? std::make_unique<FakeDeviceList>(*this) : nullptr;
    }
    bool CopyInfToDriverStore(const std::string& infPath,
                              const std::string& sourceFolder) override {
        calls.push_back("CopyInf " + infPath + " from " + sourceFolder);
        return uncopyableInfs.count(infPath) == 0;
    }
    bool ForceInstallDriver(const std::string& hardwareId, const std::string& infPath) override {
        calls.push_back("ForceInstall " + hardwareId + " with " + infPath);
        return failingInstalls.count(hardwareId) == 0;
    }
    std::optional<std::string> ExpandEnvironment(const std::string& text) override {
        calls.push_back("ExpandEnvironment " + text);
        if (expansionFails) {
            return std::nullopt;
        }
        // %NAME% of a set variable becomes its value; anything else stays.
        std::string expanded;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t open = text.find('%', at);
            const std::size_t close =
                open == std::string::npos ? std::string::npos : text.find('%', open + 1);
            if (close == std::string::npos) {
                break;
            }
            const auto variable = environment.find(text.substr(open + 1, close - open - 1));
            if (variable == environment.end()) {
                expanded += text.substr(at, close - at);
                at = close;
                continue;
            }
            expanded += text.substr(at, open - at) + variable->second;
            at = close + 1;
        }
        return expanded + text.substr(std::min(at, text.size()));
    }
    bool ChangeCurrentDirectory(const std::string& path) override {
        calls.push_back("ChangeCurrentDirectory " + path);
        if (existingDirectories.count(path) == 0) {
            return false;
        }
        currentDirectory = path;
        return true;
    }
    std::optional<std::string> CurrentDirectory() override {
        calls.push_back("CurrentDirectory");
        return currentDirectory;
    }

    std::optional<std::string> ProgramFolder() override {
        calls.push_back("ProgramFolder");
        return programFolder;
    }
    void NotifyMainWindow() override { calls.push_back("NotifyMainWindow"); }
    void ShowMessage(unsigned messageId, MessageOwner owner, MessageIcon icon,
                     const std::string& file) override {
        calls.push_back("ShowMessage " + std::to_string(messageId));
        messages.push_back({messageId, owner, icon, file});
    }

  private:
    class FakeKey final : public RegistryKey {
      public:
        FakeKey(FakeDriverHost& host, std::string name, Key& key)
            : host_(host), name_(std::move(name)), key_(key) {}
        ~FakeKey() override { host_.calls.push_back("CloseKey " + name_); }

        bool SetValue(const std::string& name, RegistryType type, const void* data,
                      std::uint32_t size) override {
            host_.calls.push_back("SetValue " + name + " type " +
                                  std::to_string(static_cast<unsigned>(type)) + " size " +
                                  std::to_string(size));
            const auto* bytes = static_cast<const std::uint8_t*>(data);
            if (key_.writable) {
                key_.values[name] = {type, std::vector<std::uint8_t>(bytes, bytes + size)};
            }
            return key_.writable;
        }
        bool QueryValue(const std::string& name, RegistryType& type, void* buffer,
                        std::uint32_t& size) override {
            host_.calls.push_back("QueryValue " + name + " into " + std::to_string(size));
            const auto value = key_.values.find(name);
            if (value == key_.values.end() || value->second.data.size() > size) {
                return false;
            }
            std::memcpy(buffer, value->second.data.data(), value->second.data.size());
            type = value->second.type;
            size = static_cast<std::uint32_t>(value->second.data.size());
            return true;
        }

      private:
        FakeDriverHost& host_;
        std::string name_;
        Key& key_;
    };

    class FakeDeviceList final : public PresentDeviceList {
      public:
        explicit FakeDeviceList(FakeDriverHost& host) : host_(host) {}
        ~FakeDeviceList() override { host_.calls.push_back("FreeDeviceList"); }

        bool SelectDevice(std::uint32_t index) override {
            host_.calls.push_back("SelectDevice " + std::to_string(index));
            current_ = index < host_.devices.size() ? &host_.devices[index] : nullptr;
            return current_ != nullptr;
        }
        PropertyRead ReadHardwareIds(std::uint8_t* buffer, std::uint32_t size,
                                     std::uint32_t& required) override {
            host_.calls.push_back("ReadHardwareIds into " + std::to_string(size));
            if (current_ == nullptr || !current_->readable) {
                return PropertyRead::Failed;
            }
            std::vector<std::uint8_t>& ids = current_->hardwareIds;
            required = current_->claimedSize.value_or(static_cast<std::uint32_t>(ids.size()));
            if (size < required) {
                ids.resize(ids.size() + current_->growsBy, 'x');
                return PropertyRead::BufferTooSmall;
            }
            std::memcpy(buffer, ids.data(), ids.size());
            return PropertyRead::Ok;
        }

      private:
        FakeDriverHost& host_;
        Device* current_ = nullptr;
    };
};

}  // namespace gd::testing
