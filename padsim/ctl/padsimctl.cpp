// padsimctl: plugs and unplugs the simulated pad under Wine.
//
// The pad is one root-enumerated device listing the hardware ids of its keyboard
// function and of its mouse collection. Its function driver is the kernel service
// velqorgpx running padsim.sys, which exposes both driver interface classes on it. Wine
// hands a root device to the driver its "Service" property names when that service
// starts, or when a running service is asked to enumerate its root devices again (which
// also removes the devices that are gone). Wine's CM_* functions are stubs, so the device
// is handled with SetupDi* only, and the service with the service manager.
#include <windows.h>
#include <dbt.h>
#include <setupapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr const char* kServiceName = "velqorgpx";
constexpr const char* kDriverFile = "padsim.sys";
constexpr const char* kRecordFile = "padsim-record.txt";

// Root-enumerated, because Wine starts drivers only on root devices and on devices of its
// own buses; nothing the program looks at depends on the instance id.
constexpr const char* kInstanceId = "ROOT\\GRIPDECK_PAD\\0000";
constexpr const char* kDescription = "Gripdeck pad (simulated)";
// REG_MULTI_SZ, keyboard function first: the program examines only the first id.
constexpr char kHardwareIds[] =
    "HID\\Vid_099a&Pid_2000&MI_00\0"
    "HID\\Vid_099a&Pid_2000&MI_01&COL02\0";
constexpr GUID kHidClass = {
    0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};

struct DriverInterface {
    const char* name;
    GUID guid;
};

constexpr DriverInterface kInterfaces[] = {
    {"DriverInterfaceA",
     {0xD7A09AA3, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}}},
    {"DriverInterfaceB",
     {0xD7A09AA4, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}}},
};

// Bounds for waiting on Wine's service manager and PnP registry; only a broken Wine
// setup ever reaches them.
constexpr DWORD kWaitLimitMs = 20000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kRetryMs = 500;

// Wine's winedevice.exe answers this user-defined service control by enumerating the
// root devices again for the service's driver: it adds the devices that name the service
// and removes (IRP_MN_REMOVE_DEVICE) those that are gone or name another. Wine cannot
// unload a driver that still has PnP devices, so stopping goes through this first.
constexpr DWORD kReenumerateRootDevices = 128;

// ---- owning handles ----

template <typename Handle, typename Traits>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Traits::invalid())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Traits::invalid());
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    void reset() {
        if (handle_ != Traits::invalid()) {
            Traits::close(handle_);
            handle_ = Traits::invalid();
        }
    }

  private:
    Handle handle_ = Traits::invalid();
};

struct DevInfoTraits {
    static HDEVINFO invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HDEVINFO h) { SetupDiDestroyDeviceInfoList(h); }
};
struct ServiceTraits {
    static SC_HANDLE invalid() { return nullptr; }
    static void close(SC_HANDLE h) { CloseServiceHandle(h); }
};

using DevInfo = Owned<HDEVINFO, DevInfoTraits>;
using Service = Owned<SC_HANDLE, ServiceTraits>;

// ---- paths ----

std::string DriversFolder() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof(system));
    return std::string(system) + "\\drivers";
}

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/"));
}

// ---- the device ----

bool OpenDevice(const DevInfo& set, SP_DEVINFO_DATA& data) {
    data = {};
    data.cbSize = sizeof(data);
    return SetupDiOpenDeviceInfoA(set.get(), kInstanceId, nullptr, 0, &data) != FALSE;
}

bool IsListed() {
    DevInfo set(SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA data;
    return set && OpenDevice(set, data);
}

bool SetProperty(const DevInfo& set, SP_DEVINFO_DATA& data, DWORD property, const char* value,
                 DWORD size) {
    return SetupDiSetDeviceRegistryPropertyA(set.get(), &data, property,
                                             reinterpret_cast<const BYTE*>(value), size) != FALSE;
}

// Lists the device (once) and names its driver service, or none: a device without a
// service is a pad plugged in whose driver is not installed.
bool RegisterDevice(bool withDriver) {
    DevInfo set(SetupDiCreateDeviceInfoList(&kHidClass, nullptr));
    if (!set) {
        return false;
    }
    SP_DEVINFO_DATA data;
    if (!OpenDevice(set, data)) {
        data = {};
        data.cbSize = sizeof(data);
        if (!SetupDiCreateDeviceInfoA(set.get(), kInstanceId, &kHidClass, kDescription, nullptr, 0,
                                      &data) ||
            !SetProperty(set, data, SPDRP_HARDWAREID, kHardwareIds, sizeof(kHardwareIds)) ||
            !SetupDiRegisterDeviceInfo(set.get(), &data, 0, nullptr, nullptr, nullptr)) {
            std::fprintf(stderr, "padsimctl: cannot register device %s (error %lu)\n", kInstanceId,
                         GetLastError());
            return false;
        }
    }
    const bool named = withDriver ? SetProperty(set, data, SPDRP_SERVICE, kServiceName,
                                                static_cast<DWORD>(std::strlen(kServiceName) + 1))
                                  : SetProperty(set, data, SPDRP_SERVICE, nullptr, 0);
    if (!named && withDriver) {
        std::fprintf(stderr, "padsimctl: cannot set the service of %s (error %lu)\n", kInstanceId,
                     GetLastError());
        return false;
    }
    return true;
}

bool RemoveDevice() {
    DevInfo set(SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA data;
    if (!set || !OpenDevice(set, data)) {
        return true;
    }
    if (!SetupDiRemoveDevice(set.get(), &data)) {
        std::fprintf(stderr, "padsimctl: cannot remove device %s (error %lu)\n", kInstanceId,
                     GetLastError());
        return false;
    }
    return true;
}

// Windows tells every top-level window when a device node comes or goes. Wine does so
// only when a driver's interfaces change, so a pad listed or removed without its driver
// running would pass unnoticed; the notice is posted, as it carries no data.
void AnnounceDeviceNodesChanged() {
    DWORD recipients = BSM_APPLICATIONS;
    BroadcastSystemMessageA(BSF_POSTMESSAGE | BSF_IGNORECURRENTTASK, &recipients, WM_DEVICECHANGE,
                            DBT_DEVNODES_CHANGED, 0);
}

// The same question the program asks: is there a present interface of the class, with
// a device path?
bool IsInterfacePresent(const GUID& interfaceClass) {
    DevInfo set(SetupDiGetClassDevsA(&interfaceClass, nullptr, nullptr,
                                     DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set) {
        return false;
    }
    SP_DEVICE_INTERFACE_DATA iface = {};
    iface.cbSize = sizeof(iface);
    if (!SetupDiEnumDeviceInterfaces(set.get(), nullptr, &interfaceClass, 0, &iface)) {
        return false;
    }
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(set.get(), &iface, nullptr, 0, &required, nullptr);
    return required > 0;
}

// ---- the service ----

enum class ServiceState { kAbsent, kStopped, kRunning, kOther };

Service OpenManager() {
    return Service(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
}

ServiceState QueryState(const Service& service) {
    SERVICE_STATUS status = {};
    if (!QueryServiceStatus(service.get(), &status)) {
        return ServiceState::kOther;
    }
    switch (status.dwCurrentState) {
        case SERVICE_STOPPED:
            return ServiceState::kStopped;
        case SERVICE_RUNNING:
            return ServiceState::kRunning;
        default:
            return ServiceState::kOther;
    }
}

ServiceState CurrentServiceState() {
    Service manager = OpenManager();
    if (!manager) {
        return ServiceState::kAbsent;
    }
    Service service(OpenServiceA(manager.get(), kServiceName, SERVICE_QUERY_STATUS));
    return service ? QueryState(service) : ServiceState::kAbsent;
}

bool WaitForState(const Service& service, ServiceState wanted) {
    for (DWORD waited = 0; waited < kWaitLimitMs; waited += kPollMs) {
        if (QueryState(service) == wanted) {
            return true;
        }
        Sleep(kPollMs);
    }
    return QueryState(service) == wanted;
}

// Copies padsim.sys from beside this program into the drivers folder and registers the
// kernel service, or points an existing one at the driver.
bool Setup() {
    const std::string source = ExeFolder() + "\\" + kDriverFile;
    const std::string target = DriversFolder() + "\\" + kDriverFile;
    // A running driver's image is in use and stays what it is until the next start.
    if (CurrentServiceState() == ServiceState::kRunning) {
        return true;
    }
    if (GetFileAttributesA(source.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
            std::fprintf(stderr, "padsimctl: cannot copy %s to %s (error %lu)\n", source.c_str(),
                         target.c_str(), GetLastError());
            return false;
        }
    } else if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "padsimctl: %s is neither beside padsimctl nor installed\n",
                     kDriverFile);
        return false;
    }

    Service manager = OpenManager();
    if (!manager) {
        std::fprintf(stderr, "padsimctl: no service manager (error %lu)\n", GetLastError());
        return false;
    }
    Service service(OpenServiceA(manager.get(), kServiceName, SERVICE_ALL_ACCESS));
    if (service) {
        if (!ChangeServiceConfigA(service.get(), SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
                                  SERVICE_ERROR_NORMAL, target.c_str(), nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr)) {
            std::fprintf(stderr, "padsimctl: cannot configure %s (error %lu)\n", kServiceName,
                         GetLastError());
            return false;
        }
        return true;
    }
    service = Service(CreateServiceA(manager.get(), kServiceName, "Gripdeck pad (simulated)",
                                     SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                                     SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, target.c_str(),
                                     nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!service) {
        std::fprintf(stderr, "padsimctl: cannot create %s (error %lu)\n", kServiceName,
                     GetLastError());
        return false;
    }
    return true;
}

Service OpenDriverService() {
    Service manager = OpenManager();
    return Service(manager ? OpenServiceA(manager.get(), kServiceName, SERVICE_ALL_ACCESS)
                           : nullptr);
}

// Starting the driver hands it every device that names it; when it already runs, a
// re-enumeration does the same for devices listed since.
bool StartDriver() {
    Service service = OpenDriverService();
    if (!service) {
        std::fprintf(stderr, "padsimctl: %s is not installed\n", kServiceName);
        return false;
    }
    SERVICE_STATUS status = {};
    if (QueryState(service) == ServiceState::kRunning) {
        if (!ControlService(service.get(), kReenumerateRootDevices, &status)) {
            std::fprintf(stderr, "padsimctl: cannot re-enumerate %s (error %lu)\n", kServiceName,
                         GetLastError());
            return false;
        }
        return true;
    }
    // Wine's service manager hands a kernel driver to a winedevice.exe process and answers
    // ERROR_SERVICE_REQUEST_TIMEOUT at once when that process ends before the driver has
    // started, as one does while it winds down after its last driver stopped, or while a
    // fresh session is still starting its own. The next request gets a new process.
    DWORD error = ERROR_SUCCESS;
    for (DWORD waited = 0; waited < kWaitLimitMs; waited += kRetryMs) {
        error = StartServiceA(service.get(), 0, nullptr) ? ERROR_SUCCESS : GetLastError();
        if (error != ERROR_SERVICE_REQUEST_TIMEOUT) {
            break;
        }
        Sleep(kRetryMs);
    }
    if (error != ERROR_SUCCESS && error != ERROR_SERVICE_ALREADY_RUNNING) {
        std::fprintf(stderr, "padsimctl: cannot start %s (error %lu)\n", kServiceName, error);
        return false;
    }
    if (!WaitForState(service, ServiceState::kRunning)) {
        std::fprintf(stderr, "padsimctl: %s did not reach the running state\n", kServiceName);
        return false;
    }
    return true;
}

// Takes the pad's devices away from a running driver (they must already be removed or
// no longer name the service), then stops it.
bool StopDriver() {
    Service service = OpenDriverService();
    if (!service || QueryState(service) == ServiceState::kStopped) {
        return true;
    }
    SERVICE_STATUS status = {};
    ControlService(service.get(), kReenumerateRootDevices, &status);
    ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
    if (!WaitForState(service, ServiceState::kStopped)) {
        std::fprintf(stderr, "padsimctl: %s did not stop\n", kServiceName);
        return false;
    }
    return true;
}

bool DeleteDriverService() {
    Service manager = OpenManager();
    Service service(manager ? OpenServiceA(manager.get(), kServiceName, SERVICE_ALL_ACCESS)
                            : nullptr);
    if (!service) {
        return true;
    }
    if (!DeleteService(service.get()) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE) {
        std::fprintf(stderr, "padsimctl: cannot delete %s (error %lu)\n", kServiceName,
                     GetLastError());
        return false;
    }
    return true;
}

bool AllInterfaces(bool present) {
    for (const DriverInterface& i : kInterfaces) {
        if (IsInterfacePresent(i.guid) != present) {
            return false;
        }
    }
    return true;
}

// Wine links the interfaces inside the driver's start, so this returns at once unless
// the registry lags behind; it exists so that "plug" never reports success early.
bool WaitForInterfaces(bool present) {
    for (DWORD waited = 0; waited < kWaitLimitMs; waited += kPollMs) {
        if (AllInterfaces(present)) {
            return true;
        }
        Sleep(kPollMs);
    }
    return AllInterfaces(present);
}

// ---- commands ----

int Plug() {
    if (!Setup() || !RegisterDevice(true) || !StartDriver()) {
        return 1;
    }
    if (!WaitForInterfaces(true)) {
        std::fprintf(stderr, "padsimctl: the driver runs but its interfaces are not present\n");
        return 1;
    }
    return 0;
}

// The device keeps its listing but loses its driver: its service property is cleared
// first, so that the re-enumeration before the stop takes it from the driver.
int PlugWithoutDriver() {
    const bool wasListed = IsListed();
    if (!RegisterDevice(false) || !StopDriver()) {
        return 1;
    }
    if (!wasListed) {
        AnnounceDeviceNodesChanged();
    }
    return WaitForInterfaces(false) ? 0 : 1;
}

int Unplug() {
    const bool wasListed = IsListed();
    const bool removed = RemoveDevice();
    const bool stopped = StopDriver();
    if (wasListed) {
        AnnounceDeviceNodesChanged();
    }
    return removed && stopped && WaitForInterfaces(false) ? 0 : 1;
}

int Uninstall() {
    if (Unplug() != 0 || !DeleteDriverService()) {
        return 1;
    }
    DeleteFileA((DriversFolder() + "\\" + kDriverFile).c_str());
    return 0;
}

const char* StateName(ServiceState state) {
    switch (state) {
        case ServiceState::kAbsent:
            return "absent";
        case ServiceState::kStopped:
            return "stopped";
        case ServiceState::kRunning:
            return "running";
        case ServiceState::kOther:
            break;
    }
    return "changing";
}

int Status() {
    const bool listed = IsListed();
    std::printf("device=%s\n", listed ? "listed" : "absent");
    std::printf("service=%s\n", StateName(CurrentServiceState()));
    bool allPresent = true;
    bool anyPresent = false;
    for (const DriverInterface& i : kInterfaces) {
        const bool present = IsInterfacePresent(i.guid);
        allPresent = allPresent && present;
        anyPresent = anyPresent || present;
        std::printf("%s=%s\n", i.name, present ? "present" : "absent");
    }
    const char* state = "mixed";
    if (listed && allPresent) {
        state = "plugged";
    } else if (listed && !anyPresent) {
        state = "plugged-nodriver";
    } else if (!listed && !anyPresent) {
        state = "unplugged";
    }
    std::printf("state=%s\n", state);
    return 0;
}

std::string RecordPath() {
    return DriversFolder() + "\\" + kRecordFile;
}

int Record() {
    FILE* file = std::fopen(RecordPath().c_str(), "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "padsimctl: no record (%s)\n", RecordPath().c_str());
        return 1;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        std::fwrite(buffer, 1, n, stdout);
    }
    std::fclose(file);
    return 0;
}

int ClearRecord() {
    if (!DeleteFileA(RecordPath().c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        std::fprintf(stderr, "padsimctl: cannot delete %s (error %lu)\n", RecordPath().c_str(),
                     GetLastError());
        return 1;
    }
    return 0;
}

// Under Wine an open of the interface returns before the driver has handled it; the
// driver renames the finished record into place, so its existence means it is whole.
int WaitRecord() {
    for (DWORD waited = 0; waited < kWaitLimitMs; waited += kPollMs) {
        if (GetFileAttributesA(RecordPath().c_str()) != INVALID_FILE_ATTRIBUTES) {
            return Record();
        }
        Sleep(kPollMs);
    }
    return Record();
}

int Usage() {
    std::fprintf(stderr,
                 "usage: padsimctl COMMAND\n"
                 "  setup          install padsim.sys as the kernel service velqorgpx\n"
                 "  plug           the pad plugged in with its driver: devices listed,\n"
                 "                 service running, both driver interfaces present\n"
                 "  plug-nodriver  the pad plugged in without driver interfaces\n"
                 "  unplug         no pad: service stopped, devices removed\n"
                 "  uninstall      unplug, then delete the service and padsim.sys\n"
                 "  status         print the state as key=value lines\n"
                 "  record         print the record of the last profile the driver took\n"
                 "  clear-record   delete the record\n"
                 "  wait-record    wait until there is a record, then print it\n");
    return 2;
}

struct Command {
    const char* name;
    int (*run)();
};

constexpr Command kCommands[] = {
    {"setup", [] { return Setup() ? 0 : 1; }},
    {"plug", Plug},
    {"plug-nodriver", PlugWithoutDriver},
    {"unplug", Unplug},
    {"uninstall", Uninstall},
    {"status", Status},
    {"record", Record},
    {"clear-record", ClearRecord},
    {"wait-record", WaitRecord},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return Usage();
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            const int result = command.run();
            std::fflush(stdout);
            return result;
        }
    }
    return Usage();
}
