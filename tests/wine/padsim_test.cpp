// The simulated pad under Wine, seen the way the program sees it: device enumeration
// through SetupAPI, publishing (package file, two registry values, an open of the first
// DriverInterfaceA interface), device-change notices and the reinstall from the setup
// information files. States are set with padsimctl.exe from beside this executable.
#include <windows.h>
#include <dbt.h>
#include <newdev.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr GUID kInterfaceA = {
    0xD7A09AA3, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}};
constexpr GUID kInterfaceB = {
    0xD7A09AA4, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}};

constexpr size_t kImageBytes = 150560;
constexpr size_t kSummaryBytes = 924;
constexpr size_t kPackageBytes = 8 + 4 + kImageBytes + kSummaryBytes;
constexpr uint32_t kVersion = 0x00010000;

// Bounds for things that happen in other processes; reaching one is a failure, and a
// working setup never comes near them.
constexpr DWORD kCommandLimitMs = 60000;
constexpr DWORD kNoticeLimitMs = 15000;

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string WindowsFolder() {
    char folder[256] = {};
    GetWindowsDirectoryA(folder, sizeof(folder));
    return folder;
}

std::string PackagePath() {
    return WindowsFolder() + "\\system32\\drivers\\velqorgpx.pkg";
}
std::string RecordPath() {
    return WindowsFolder() + "\\system32\\drivers\\padsim-record.txt";
}

// Device-change notices for this thread's windows are delivered only while it pumps.
void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct CommandResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// Runs padsimctl.exe with one command, pumping messages until it ends so that notices
// are handled as they come.
CommandResult RunCtl(const std::string& command) {
    CommandResult result;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return result;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + ExeFolder() + "\\padsimctl.exe\" " + command;
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return result;
    }
    const DWORD begin = GetTickCount();
    while (GetTickCount() - begin < kCommandLimitMs) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            break;
        }
        PumpMessages();
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &result.exitCode);
    }
    char buffer[1024];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        result.output.append(buffer, read);
    }
    result.output.erase(std::remove(result.output.begin(), result.output.end(), '\r'),
                        result.output.end());
    CloseHandle(readEnd);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

std::map<std::string, std::string> ParseLines(const std::string& text) {
    std::map<std::string, std::string> fields;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            fields[line.substr(0, equals)] = line.substr(equals + 1);
        }
        start = end + 1;
    }
    return fields;
}

void SetState(const std::string& command, const std::string& state) {
    const CommandResult run = RunCtl(command);
    ASSERT_EQ(run.exitCode, 0u) << command << ": " << run.output;
    const CommandResult status = RunCtl("status");
    ASSERT_EQ(status.exitCode, 0u) << status.output;
    ASSERT_EQ(ParseLines(status.output)["state"], state) << status.output;
}

// ---- what the program does ----

// The device path of the first present interface of the class, or "" (IsDevicePresent
// and PublishProfile take the same steps).
std::string FirstInterfacePath(const GUID& interfaceClass) {
    HDEVINFO set = SetupDiGetClassDevsA(&interfaceClass, nullptr, nullptr,
                                        DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return "";
    }
    std::string path;
    SP_DEVICE_INTERFACE_DATA iface = {};
    iface.cbSize = sizeof(iface);
    if (SetupDiEnumDeviceInterfaces(set, nullptr, &interfaceClass, 0, &iface)) {
        DWORD required = 0;
        SetupDiGetDeviceInterfaceDetailA(set, &iface, nullptr, 0, &required, nullptr);
        std::vector<BYTE> buffer(
            std::max<DWORD>(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (SetupDiGetDeviceInterfaceDetailA(set, &iface, detail, required, nullptr, nullptr)) {
            path = detail->DevicePath;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return path;
}

// IsPadPluggedIn: any device whose first hardware id contains the pad's ids.
bool IsPadPluggedIn() {
    HDEVINFO set =
        SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool found = false;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; !found && SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        char ids[4096] = {};
        if (SetupDiGetDeviceRegistryPropertyA(set, &device, SPDRP_HARDWAREID, nullptr,
                                              reinterpret_cast<BYTE*>(ids), sizeof(ids) - 2,
                                              nullptr)) {
            std::string first(ids);
            std::transform(first.begin(), first.end(), first.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            found = first.find("vid_099a&pid_2000") != std::string::npos;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return found;
}

// All hardware ids of the devices whose first id names the pad.
std::vector<std::string> PadHardwareIds() {
    std::vector<std::string> all;
    HDEVINFO set =
        SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) {
        return all;
    }
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        char ids[4096] = {};
        if (!SetupDiGetDeviceRegistryPropertyA(set, &device, SPDRP_HARDWAREID, nullptr,
                                               reinterpret_cast<BYTE*>(ids), sizeof(ids) - 2,
                                               nullptr) ||
            std::string(ids).find("099a") == std::string::npos) {
            continue;
        }
        for (const char* id = ids; *id != '\0'; id += std::strlen(id) + 1) {
            all.emplace_back(id);
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return all;
}

bool OpensForWriting(const std::string& devicePath) {
    HANDLE handle =
        CreateFileA(devicePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(handle);
    return true;
}

void PutLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

std::vector<uint8_t> MakeImage(uint32_t seed) {
    std::vector<uint8_t> image(kImageBytes);
    uint32_t x = seed;
    for (uint8_t& b : image) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(x >> 24);
    }
    return image;
}

std::vector<uint8_t> MakePackage(const std::vector<uint8_t>& image, uint32_t resolution) {
    std::vector<uint8_t> bytes(kPackageBytes);
    std::copy_n("VQR  GPX", 8, bytes.begin());
    PutLe32(bytes, 8, kVersion);
    std::copy(image.begin(), image.end(), bytes.begin() + 12);
    PutLe32(bytes, 12 + kImageBytes, resolution);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
}

// SetDriverValues: "Package" without its terminating zero, "Resolution" as a DWORD.
void SetDriverValues(const std::string& packagePath, uint32_t resolution) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\velqorgpx", &key),
        ERROR_SUCCESS);
    const std::string value = "\\??\\" + packagePath;
    EXPECT_EQ(RegSetValueExA(key, "Package", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                             static_cast<DWORD>(value.size())),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Resolution", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&resolution), sizeof(resolution)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void DeleteDriverValues() {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\velqorgpx", &key),
        ERROR_SUCCESS);
    RegDeleteValueA(key, "Package");
    RegDeleteValueA(key, "Resolution");
    RegCloseKey(key);
}

// The last step of publishing: open the first DriverInterfaceA interface and close it.
void OpenDriverInterface() {
    const std::string path = FirstInterfacePath(kInterfaceA);
    ASSERT_FALSE(path.empty());
    ASSERT_TRUE(OpensForWriting(path)) << path << " error " << GetLastError();
}

std::map<std::string, std::string> ReadRecord();

// Wine returns from CreateFile before the driver has handled the open, so the record is
// awaited: cleared before the open, it is there (whole) once the driver has taken it.
std::map<std::string, std::string> OpenAndAwaitRecord() {
    DeleteFileA(RecordPath().c_str());
    OpenDriverInterface();
    if (::testing::Test::HasFatalFailure()) {
        return {};
    }
    const DWORD begin = GetTickCount();
    while (GetFileAttributesA(RecordPath().c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetTickCount() - begin < kNoticeLimitMs) {
        Sleep(20);
    }
    return ReadRecord();
}

std::map<std::string, std::string> ReadRecord() {
    std::string text;
    FILE* file = std::fopen(RecordPath().c_str(), "rb");
    if (file != nullptr) {
        char buffer[1024];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
            text.append(buffer, n);
        }
        std::fclose(file);
    }
    return ParseLines(text);
}

// CRC-32 of zlib and PNG, computed independently of the driver.
uint32_t Crc32(const uint8_t* data, size_t size) {
    static const auto table = [] {
        std::vector<uint32_t> t(256);
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::string Hex8(uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof(text), "%08x", static_cast<unsigned>(value));
    return text;
}

int ToInt(const std::string& text) {
    return text.empty() ? -1 : std::atoi(text.c_str());
}

class PadsimTest : public ::testing::Test {
  protected:
    // Later tests in the same prefix find no pad, no driver service and no package.
    static void TearDownTestSuite() {
        RunCtl("uninstall");
        DeleteFileA(PackagePath().c_str());
        DeleteFileA(RecordPath().c_str());
    }
};

TEST(PadsimCrc, ReferenceDigestMatchesTheCheckValue) {
    const char* check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check), 9), 0xCBF43926u);
}

TEST_F(PadsimTest, UnpluggedPadIsNeitherPresentNorPluggedIn) {
    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    ASSERT_NO_FATAL_FAILURE(SetState("unplug", "unplugged"));
    EXPECT_EQ(FirstInterfacePath(kInterfaceA), "");
    EXPECT_EQ(FirstInterfacePath(kInterfaceB), "");
    EXPECT_FALSE(IsPadPluggedIn());
}

TEST_F(PadsimTest, PluggedPadExposesBothInterfacesAndTheHardwareIds) {
    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    const std::string a = FirstInterfacePath(kInterfaceA);
    const std::string b = FirstInterfacePath(kInterfaceB);
    ASSERT_NE(a, "");
    ASSERT_NE(b, "");
    EXPECT_NE(a, b);
    EXPECT_TRUE(OpensForWriting(a)) << a;
    EXPECT_TRUE(OpensForWriting(b)) << b;
    EXPECT_TRUE(IsPadPluggedIn());
    const std::vector<std::string> ids = PadHardwareIds();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], "HID\\Vid_099a&Pid_2000&MI_00");
    EXPECT_EQ(ids[1], "HID\\Vid_099a&Pid_2000&MI_01&COL02");
}

TEST_F(PadsimTest, PadWithoutDriverIsPluggedInWithoutInterfaces) {
    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    ASSERT_NO_FATAL_FAILURE(SetState("plug-nodriver", "plugged-nodriver"));
    EXPECT_EQ(FirstInterfacePath(kInterfaceA), "");
    EXPECT_EQ(FirstInterfacePath(kInterfaceB), "");
    EXPECT_TRUE(IsPadPluggedIn());
}

TEST_F(PadsimTest, RepeatedPlugCyclesKeepWorking) {
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
        EXPECT_NE(FirstInterfacePath(kInterfaceA), "");
        ASSERT_NO_FATAL_FAILURE(SetState("plug-nodriver", "plugged-nodriver"));
        ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
        ASSERT_NO_FATAL_FAILURE(SetState("unplug", "unplugged"));
        EXPECT_FALSE(IsPadPluggedIn());
    }
}

TEST_F(PadsimTest, OpeningTheInterfaceTakesThePublishedProfile) {
    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    struct Publish {
        uint32_t seed;
        uint32_t resolution;
        const char* shown;
    };
    const Publish publishes[] = {
        {1, 0x05000400, "0x05000400 (1280x1024)"},
        {2, 0x03200258, "0x03200258 (800x600)"},
    };
    int lastOpens = 0;
    for (const Publish& p : publishes) {
        SCOPED_TRACE(p.shown);
        const std::vector<uint8_t> image = MakeImage(p.seed);
        ASSERT_NO_FATAL_FAILURE(WriteFileBytes(PackagePath(), MakePackage(image, p.resolution)));
        ASSERT_NO_FATAL_FAILURE(SetDriverValues(PackagePath(), p.resolution));
        SYSTEMTIME before;
        GetSystemTime(&before);
        auto record = OpenAndAwaitRecord();
        EXPECT_EQ(record["package_value"], "\\??\\" + PackagePath());
        EXPECT_EQ(record["resolution"], p.shown);
        EXPECT_EQ(record["file"], "read");
        EXPECT_EQ(record["size"], "151496");
        EXPECT_EQ(record["signature"], "valid");
        EXPECT_EQ(record["version"], "valid");
        EXPECT_EQ(record["image_crc32"], Hex8(Crc32(image.data(), image.size())));
        EXPECT_EQ(record["summary_resolution"], p.shown);
        EXPECT_EQ(record["profile"], "taken");
        EXPECT_GT(ToInt(record["opens"]), lastOpens);
        lastOpens = ToInt(record["opens"]);
        // The driver's clock: the record is stamped on this day, in UTC.
        char day[16];
        std::snprintf(day, sizeof(day), "%04u-%02u-%02uT", before.wYear, before.wMonth,
                      before.wDay);
        EXPECT_EQ(record["time"].substr(0, 11), day) << record["time"];
        EXPECT_EQ(record["time"].size(), 20u) << record["time"];
    }
}

TEST_F(PadsimTest, DamagedPackagesAreRecordedAndRefused) {
    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    const std::vector<uint8_t> image = MakeImage(7);
    const std::vector<uint8_t> good = MakePackage(image, 0x04000300);
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        bool write;
        const char* file;
        const char* size;
        const char* signature;
        const char* version;
        std::string crc;
        const char* summary;
    };
    std::vector<uint8_t> badSignature = good;
    badSignature[3] = 'X';
    std::vector<uint8_t> badVersion = good;
    badVersion[10] = 2;
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 1000);
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    const std::string crc = Hex8(Crc32(image.data(), image.size()));
    const std::string shown = "0x04000300 (1024x768)";
    const Row rows[] = {
        {"bad signature", badSignature, true, "read", "151496", "invalid", "valid", crc,
         shown.c_str()},
        {"bad version", badVersion, true, "read", "151496", "valid", "invalid", crc, shown.c_str()},
        {"truncated", truncated, true, "read", "1000", "valid", "valid", "none", "none"},
        {"one byte long", longer, true, "read", "151497", "valid", "valid", crc, shown.c_str()},
        {"missing", {}, false, "missing", "0", "invalid", "invalid", "none", "none"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteFileA(PackagePath().c_str());
        if (row.write) {
            ASSERT_NO_FATAL_FAILURE(WriteFileBytes(PackagePath(), row.bytes));
        }
        ASSERT_NO_FATAL_FAILURE(SetDriverValues(PackagePath(), 0x04000300));
        auto record = OpenAndAwaitRecord();
        EXPECT_EQ(record["file"], row.file);
        EXPECT_EQ(record["size"], row.size);
        EXPECT_EQ(record["signature"], row.signature);
        EXPECT_EQ(record["version"], row.version);
        EXPECT_EQ(record["image_crc32"], row.crc);
        EXPECT_EQ(record["summary_resolution"], row.summary);
        EXPECT_EQ(record["resolution"], shown);
        EXPECT_EQ(record["profile"], "refused");
    }
}

TEST_F(PadsimTest, MissingValuesAreRecordedAsNone) {
    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    ASSERT_NO_FATAL_FAILURE(WriteFileBytes(PackagePath(), MakePackage(MakeImage(3), 0x05000400)));
    ASSERT_NO_FATAL_FAILURE(DeleteDriverValues());
    auto record = OpenAndAwaitRecord();
    EXPECT_EQ(record["package_value"], "none");
    EXPECT_EQ(record["resolution"], "none");
    EXPECT_EQ(record["file"], "none");
    EXPECT_EQ(record["profile"], "refused");
}

TEST_F(PadsimTest, RecordCommandPrintsTheRecord) {
    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    ASSERT_NO_FATAL_FAILURE(WriteFileBytes(PackagePath(), MakePackage(MakeImage(4), 0x05000400)));
    ASSERT_NO_FATAL_FAILURE(SetDriverValues(PackagePath(), 0x05000400));
    ASSERT_EQ(OpenAndAwaitRecord()["profile"], "taken");
    const CommandResult printed = RunCtl("record");
    ASSERT_EQ(printed.exitCode, 0u);
    EXPECT_EQ(ParseLines(printed.output), ReadRecord());
    DeleteFileA(RecordPath().c_str());
    EXPECT_NE(RunCtl("record").exitCode, 0u);
}

// ---- device-change notices ----

struct Notices {
    std::vector<WPARAM> events;
    std::vector<GUID> arrived;
    std::vector<GUID> removed;

    bool Has(WPARAM event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
};

Notices* g_notices = nullptr;

LRESULT CALLBACK NoticeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE && g_notices != nullptr) {
        g_notices->events.push_back(wParam);
        const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
        if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) &&
            header != nullptr && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
            const GUID guid =
                reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(lParam)->dbcc_classguid;
            (wParam == DBT_DEVICEARRIVAL ? g_notices->arrived : g_notices->removed).push_back(guid);
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Contains(const std::vector<GUID>& guids, const GUID& guid) {
    return std::any_of(guids.begin(), guids.end(),
                       [&](const GUID& g) { return IsEqualGUID(g, guid); });
}

// Pumps until `done` holds or the bound is reached; returns `done`.
template <typename Done>
bool PumpUntil(Done done) {
    const DWORD begin = GetTickCount();
    while (!done() && GetTickCount() - begin < kNoticeLimitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
    }
    return done();
}

// A hidden top-level window that collects WM_DEVICECHANGE into `notices`.
class NoticeWindow {
  public:
    explicit NoticeWindow(Notices& notices) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = NoticeWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        window_ = CreateWindowA(kClassName, "padsim notices", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        g_notices = &notices;
    }
    NoticeWindow(const NoticeWindow&) = delete;
    NoticeWindow& operator=(const NoticeWindow&) = delete;
    ~NoticeWindow() {
        g_notices = nullptr;
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
        UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    }
    HWND get() const { return window_; }

  private:
    static constexpr const char* kClassName = "PadsimNoticeWindow";
    HWND window_ = nullptr;
};

// What the program's main window relies on: without registering for anything, a
// top-level window hears DBT_DEVNODES_CHANGED whenever the pad or its driver comes or goes.
TEST_F(PadsimTest, DeviceNodesChangedReachesATopLevelWindowOnEveryChange) {
    ASSERT_NO_FATAL_FAILURE(SetState("unplug", "unplugged"));
    Notices notices;
    NoticeWindow window(notices);
    ASSERT_NE(window.get(), nullptr);

    struct Step {
        const char* command;
        const char* state;
    };
    const Step steps[] = {
        {"plug", "plugged"},
        {"unplug", "unplugged"},
        {"plug-nodriver", "plugged-nodriver"},
        {"plug", "plugged"},
        {"plug-nodriver", "plugged-nodriver"},
        {"unplug", "unplugged"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        notices.events.clear();
        ASSERT_NO_FATAL_FAILURE(SetState(step.command, step.state));
        EXPECT_TRUE(PumpUntil([&] { return notices.Has(DBT_DEVNODES_CHANGED); }));
    }
}

// A window registered for an interface class hears its arrival and removal.
TEST_F(PadsimTest, RegisteredWindowHearsInterfaceArrivalAndRemoval) {
    ASSERT_NO_FATAL_FAILURE(SetState("unplug", "unplugged"));
    Notices notices;
    NoticeWindow window(notices);
    ASSERT_NE(window.get(), nullptr);
    DEV_BROADCAST_DEVICEINTERFACE_A filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kInterfaceA;
    HDEVNOTIFY registration =
        RegisterDeviceNotificationA(window.get(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    ASSERT_NE(registration, nullptr);

    ASSERT_NO_FATAL_FAILURE(SetState("plug", "plugged"));
    EXPECT_TRUE(PumpUntil([&] { return Contains(notices.arrived, kInterfaceA); }));
    ASSERT_NO_FATAL_FAILURE(SetState("unplug", "unplugged"));
    EXPECT_TRUE(PumpUntil([&] { return Contains(notices.removed, kInterfaceA); }));
    UnregisterDeviceNotification(registration);
}

// ---- reinstall from the setup information files ----

bool InstallSetupFile(const std::string& folder, const char* file, const char* hardwareId) {
    const std::string path = folder + "\\" + file;
    SetupCopyOEMInfA(path.c_str(), folder.c_str(), SPOST_PATH, 0, nullptr, 0, nullptr, nullptr);
    return UpdateDriverForPlugAndPlayDevicesA(nullptr, hardwareId, path.c_str(), INSTALLFLAG_FORCE,
                                              nullptr) != FALSE;
}

bool ReinstallDriver() {
    const std::string folder = ExeFolder();
    return InstallSetupFile(folder, "vlqrgpxkb.inf", "HID\\Vid_099a&Pid_2000&MI_00") &&
           InstallSetupFile(folder, "vlqrgpxms.inf", "HID\\Vid_099a&Pid_2000&MI_01&COL02");
}

TEST_F(PadsimTest, ReinstallingFromTheSetupFilesBringsThePadOnline) {
    ASSERT_NO_FATAL_FAILURE(SetState("uninstall", "unplugged"));
    ASSERT_NO_FATAL_FAILURE(SetState("plug-nodriver", "plugged-nodriver"));
    EXPECT_EQ(ParseLines(RunCtl("status").output)["service"], "absent");

    ASSERT_TRUE(ReinstallDriver());
    auto status = ParseLines(RunCtl("status").output);
    EXPECT_EQ(status["state"], "plugged");
    EXPECT_EQ(status["service"], "running");
    EXPECT_NE(GetFileAttributesA((WindowsFolder() + "\\system32\\drivers\\padsim.sys").c_str()),
              INVALID_FILE_ATTRIBUTES);

    // The installed driver is the one that takes profiles.
    ASSERT_NO_FATAL_FAILURE(WriteFileBytes(PackagePath(), MakePackage(MakeImage(5), 0x05000400)));
    ASSERT_NO_FATAL_FAILURE(SetDriverValues(PackagePath(), 0x05000400));
    EXPECT_EQ(OpenAndAwaitRecord()["profile"], "taken");

    // Installing again while the pad works leaves it working.
    ASSERT_TRUE(ReinstallDriver());
    EXPECT_EQ(ParseLines(RunCtl("status").output)["state"], "plugged");
}

TEST_F(PadsimTest, ReinstallingWithoutAPadSucceedsAndChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(SetState("unplug", "unplugged"));
    EXPECT_TRUE(ReinstallDriver());
    EXPECT_EQ(ParseLines(RunCtl("status").output)["state"], "unplugged");
}

}  // namespace
