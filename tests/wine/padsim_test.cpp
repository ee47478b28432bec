// The simulated pad's own promises, which the driver link's tests and the program's
// end-to-end tests build on: its driver takes a published profile only when the package is
// whole, and every change of state reaches top-level windows as a device-change notice.
#include <windows.h>
#include <dbt.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "padsim_support.h"

namespace {

constexpr std::size_t kImageBytes = 150560;
constexpr std::size_t kPackageBytes = 8 + 4 + kImageBytes + 924;
constexpr std::uint32_t kResolution = 0x05000400;
constexpr char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\velqorgpx";

std::string PackagePath() {
    return padsim::DriversFolder() + "\\velqorgpx.pkg";
}

// The "Package" value's text.
std::string PackageValue() {
    return std::string("\\??\\").append(PackagePath());
}

void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A package written from the format's rules: signature, version 1.0, image, summary.
std::vector<std::uint8_t> MakePackage() {
    std::vector<std::uint8_t> bytes(kPackageBytes);
    std::copy_n("VQR  GPX", 8, bytes.begin());
    PutLe32(bytes, 8, 0x00010000);
    for (std::size_t i = 0; i < kImageBytes; ++i) {
        bytes[12 + i] = static_cast<std::uint8_t>(i * 7 + (i >> 9));
    }
    PutLe32(bytes, 12 + kImageBytes, kResolution);
    return bytes;
}

// What the program's publishing leaves for the driver: "Package" as a counted string
// without its zero, "Resolution" as a DWORD.
void SetDriverValues(bool set) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, kServiceKey, &key), ERROR_SUCCESS);
    const std::string package = PackageValue();
    if (set) {
        RegSetValueExA(key, "Package", 0, REG_SZ, reinterpret_cast<const BYTE*>(package.data()),
                       static_cast<DWORD>(package.size()));
        RegSetValueExA(key, "Resolution", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&kResolution), sizeof kResolution);
    } else {
        RegDeleteValueA(key, "Package");
        RegDeleteValueA(key, "Resolution");
    }
    RegCloseKey(key);
}

// Publishing's last step: an open of the first DriverInterfaceA interface.
std::map<std::string, std::string> OpenAndAwaitRecord() {
    static const GUID kInterfaceA = {
        0xD7A09AA3, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}};
    padsim::ClearRecord();
    HDEVINFO set = SetupDiGetClassDevsA(&kInterfaceA, nullptr, nullptr,
                                        DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA iface = {};
    iface.cbSize = sizeof iface;
    union {
        SP_DEVICE_INTERFACE_DETAIL_DATA_A detail;
        char bytes[512];
    } detail = {};
    detail.detail.cbSize = sizeof detail.detail;
    const bool found =
        SetupDiEnumDeviceInterfaces(set, nullptr, &kInterfaceA, 0, &iface) &&
        SetupDiGetDeviceInterfaceDetailA(set, &iface, &detail.detail, sizeof detail, nullptr,
                                         nullptr);
    SetupDiDestroyDeviceInfoList(set);
    if (!found) {
        ADD_FAILURE() << "no DriverInterfaceA";
        return {};
    }
    HANDLE device = CreateFileA(detail.detail.DevicePath, GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot open " << detail.detail.DevicePath;
        return {};
    }
    CloseHandle(device);
    return padsim::AwaitRecord();
}

class PadsimTest : public ::testing::Test {
  protected:
    // Later tests in the same prefix find no pad, no driver service and no package.
    static void TearDownTestSuite() {
        padsim::Run("uninstall");
        DeleteFileA(PackagePath().c_str());
        padsim::ClearRecord();
    }
};

TEST(PadsimCrc, MatchesTheCheckValue) {
    EXPECT_EQ(padsim::Crc32Hex("123456789", 9), "cbf43926");
}

// "taken" in a record means the package was whole: every damage is refused.
TEST_F(PadsimTest, TheDriverTakesOnlyAWholePackage) {
    const padsim::Result plug = padsim::Run("plug");
    ASSERT_EQ(plug.exitCode, 0) << plug.output;
    const std::vector<std::uint8_t> whole = MakePackage();
    const std::string crc = padsim::Crc32Hex(whole.data() + 12, kImageBytes);
    const std::string shown = "0x05000400 (1280x1024)";
    struct Row {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        bool values;
        std::map<std::string, std::string> expected;
    };
    const Row rows[] = {
        {"whole", nullptr, true,
         {{"package_value", PackageValue()}, {"resolution", shown}, {"file", "read"},
          {"size", "151496"}, {"signature", "valid"}, {"version", "valid"},
          {"image_crc32", crc}, {"summary_resolution", shown}, {"profile", "taken"}}},
        {"bad signature", [](auto& b) { b[3] = 'X'; }, true,
         {{"signature", "invalid"}, {"version", "valid"}, {"profile", "refused"}}},
        {"bad version", [](auto& b) { b[10] = 2; }, true,
         {{"signature", "valid"}, {"version", "invalid"}, {"profile", "refused"}}},
        {"truncated", [](auto& b) { b.resize(1000); }, true,
         {{"size", "1000"}, {"image_crc32", "none"}, {"summary_resolution", "none"},
          {"profile", "refused"}}},
        {"one byte long", [](auto& b) { b.push_back(0); }, true,
         {{"size", "151497"}, {"image_crc32", crc}, {"profile", "refused"}}},
        {"missing", [](auto& b) { b.clear(); }, true,
         {{"file", "missing"}, {"size", "0"}, {"profile", "refused"}}},
        {"no values", nullptr, false,
         {{"package_value", "none"}, {"resolution", "none"}, {"file", "none"},
          {"profile", "refused"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::uint8_t> bytes = whole;
        if (row.damage) {
            row.damage(bytes);
        }
        DeleteFileA(PackagePath().c_str());
        if (!bytes.empty()) {
            FILE* file = std::fopen(PackagePath().c_str(), "wb");
            ASSERT_NE(file, nullptr);
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        ASSERT_NO_FATAL_FAILURE(SetDriverValues(row.values));
        auto record = OpenAndAwaitRecord();
        for (const auto& [key, value] : row.expected) {
            EXPECT_EQ(record[key], value) << key;
        }
    }
}

int g_devNodesChanged = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE && wParam == DBT_DEVNODES_CHANGED) {
        ++g_devNodesChanged;
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The program's main window re-checks the pad on DBT_DEVNODES_CHANGED without registering
// for anything; plug and unplug work any number of times.
TEST_F(PadsimTest, EveryChangeOfStateReachesTopLevelWindows) {
    ASSERT_EQ(padsim::Run("unplug").exitCode, 0);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PadsimNotices";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("PadsimNotices", "padsim notices", WS_OVERLAPPEDWINDOW, 0, 0, 50,
                                50, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const std::pair<const char*, const char*> steps[] = {
        {"plug", "plugged"},           {"unplug", "unplugged"},
        {"plug-nodriver", "plugged-nodriver"}, {"plug", "plugged"},
        {"plug-nodriver", "plugged-nodriver"}, {"unplug", "unplugged"},
        {"plug", "plugged"},           {"unplug", "unplugged"},
    };
    for (const auto& [command, state] : steps) {
        SCOPED_TRACE(command);
        g_devNodesChanged = 0;
        const padsim::Result run = padsim::Run(command);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(padsim::State(), state);
        const DWORD begin = GetTickCount();
        while (g_devNodesChanged == 0 && GetTickCount() - begin < padsim::kRecordLimitMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            padsim::PumpMessages();
        }
        EXPECT_GT(g_devNodesChanged, 0);
    }
    DestroyWindow(window);
}

}  // namespace
