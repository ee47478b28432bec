#pragma once
// A DriverHost made of plain data: every call is appended to `calls` as one
// readable line, and every answer comes from the fields a test sets. Nothing
// reaches a real registry, file or device.
#include <cstdint>
#include <cstring>
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

// "first\0second\0\0" as a hardware-id property holds it.
inline std::vector<std::uint8_t> MultiString(const std::vector<std::string>& ids) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& id : ids) {
        bytes.insert(bytes.end(), id.begin(), id.end());
        bytes.push_back(0);
    }
    bytes.push_back(0);
    return bytes;
}

inline const char* InterfaceName(const Guid& id) {
    if (id == kDriverInterfaceA) {
        return "A";
    }
    if (id == kDriverInterfaceB) {
        return "B";
    }
    return "?";
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
        std::vector<std::uint8_t> hardwareIds;
        bool readable = true;
        // Bytes the property grows by on every read, as a device whose ids
        // change under the reader would.
        std::uint32_t growsBy = 0;
        // When set, the size reported instead of the true one.
        std::optional<std::uint32_t> claimedSize;
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
    bool filesWritable = true;
    std::map<std::string, Key> keys;                    // "HKLM\<subkey>" or "HKCU\<subkey>"
    std::map<std::string, std::string> interfacePaths;  // "A" / "B" -> device path
    std::set<std::string> openableDevices;
    bool deviceListAvailable = true;
    std::vector<Device> devices;
    std::set<std::string> failingInstalls;  // hardware ids whose installation fails
    std::optional<std::string> currentDirectory = std::string("C:\\Users\\me");
    std::optional<std::string> programFolder = std::string("C:\\Program Files\\Gripdeck");
    std::set<std::string> uncopyableInfs;  // setup files whose copy fails
    std::set<std::string> existingDirectories;

    // --- what happened
    std::vector<std::string> calls;
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<Message> messages;

    Key& AddKey(RegistryRoot root, const std::string& subkey) {
        return keys[KeyName(root, subkey)];
    }
    void AddServiceKey() { AddKey(RegistryRoot::LocalMachine, kServiceKey); }
    void PlugInterfaces(bool a, bool b) {
        if (a) {
            interfacePaths["A"] = "\\\\?\\root#padsim#0000#{a}";
            openableDevices.insert(interfacePaths["A"]);
        }
        if (b) {
            interfacePaths["B"] = "\\\\?\\root#padsim#0000#{b}";
        }
    }
    static Device WithIds(const std::vector<std::string>& ids) {
        Device device;
        device.hardwareIds = MultiString(ids);
        return device;
    }
    void PlugPad() {
        devices.push_back(WithIds({"HID\\VID_099A&PID_2000&MI_00", "HID\\VID_099A&UP:0001"}));
    }
    void SetInstallDir(const std::string& folder) {
        AddKey(RegistryRoot::CurrentUser, kSettingsKey).values[kInstallDirValue] = {
            RegistryType::String, Bytes(folder + '\0')};
        existingDirectories.insert(folder);
    }

    // Calls whose line starts with `prefix`, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : calls) {
            if (call.rfind(prefix, 0) == 0) {
                found.push_back(call);
            }
        }
        return found;
    }
    // Position of the first call starting with `prefix`, or -1.
    int IndexOf(const std::string& prefix) const {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].rfind(prefix, 0) == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    // --- DriverHost
    std::optional<std::string> WindowsDirectory() override {
        calls.push_back("WindowsDirectory");
        return windowsDirectory;
    }

    bool WriteWholeFile(const std::string& path, const void* data, std::size_t size) override {
        calls.push_back("WriteWholeFile " + path + " " + std::to_string(size));
        if (!filesWritable) {
            return false;
        }
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        files[path].assign(bytes, bytes + size);
        return true;
    }

    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& subkey) override {
        const std::string name = KeyName(root, subkey);
        calls.push_back("OpenKey " + name);
        const auto key = keys.find(name);
        if (key == keys.end()) {
            return nullptr;
        }
        return std::make_unique<FakeKey>(*this, name, key->second);
    }

    std::optional<std::string> FirstInterfacePath(const Guid& interfaceClass) override {
        const std::string name = InterfaceName(interfaceClass);
        calls.push_back("FirstInterfacePath " + name);
        const auto path = interfacePaths.find(name);
        if (path == interfacePaths.end()) {
            return std::nullopt;
        }
        return path->second;
    }

    bool OpenDevice(const std::string& devicePath) override {
        calls.push_back("OpenDevice " + devicePath);
        return openableDevices.count(devicePath) != 0;
    }

    std::unique_ptr<PresentDeviceList> ListPresentDevices() override {
        calls.push_back("ListPresentDevices");
        if (!deviceListAvailable) {
            return nullptr;
        }
        return std::make_unique<FakeDeviceList>(*this);
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
    static std::string KeyName(RegistryRoot root, const std::string& subkey) {
        return (root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + subkey;
    }

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
            if (!key_.writable) {
                return false;
            }
            const auto* bytes = static_cast<const std::uint8_t*>(data);
            key_.values[name] = {type, std::vector<std::uint8_t>(bytes, bytes + size)};
            return true;
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
            if (index >= host_.devices.size()) {
                return false;
            }
            current_ = &host_.devices[index];
            return true;
        }

        PropertyRead ReadHardwareIds(std::uint8_t* buffer, std::uint32_t size,
                                     std::uint32_t& required) override {
            host_.calls.push_back("ReadHardwareIds into " + std::to_string(size));
            if (current_ == nullptr || !current_->readable) {
                return PropertyRead::Failed;
            }
            std::vector<std::uint8_t>& ids = current_->hardwareIds;
            const std::uint32_t actual = static_cast<std::uint32_t>(ids.size());
            required = current_->claimedSize.value_or(actual);
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
