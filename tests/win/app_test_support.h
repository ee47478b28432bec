#pragma once
// Driving gripdeck.exe from a test process as a user and the system meet it:
// start it, find its windows, post commands and clicks, answer its dialogs,
// read back files, registry values and the simulated pad's record. The
// program runs as a copy named gdtest.exe: its settings stay where the
// program keeps them whatever its file is called, under
// HKEY_CURRENT_USER\Software\MARVENTA\Gripdeck, which each test clears.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "window_messages.h"
#include "profile/image.h"
#include "profile/profile_file.h"
#include "resource.h"
#include "settings_root.h"
#include "support/padsim_support.h"

namespace gd::apptest {

// Bounds for what other processes do; a working setup stays far below them.
// The device re-check runs 5 s after a device change.
inline constexpr DWORD kLimitMs = 15000;
inline constexpr DWORD kDeviceLimitMs = 20000;

inline constexpr char kProgramBase[] = "gdtest";
inline constexpr const char* kSettings = kSettingsSectionKey;
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kVersionCaption[] = "MARVENTA Gripdeck Version 1.00.200EN";

using padsim::ExeFolder;
inline std::string PackageFile() {
    return padsim::DriversFolder() + "\\velqorgpx.pkg";
}

inline std::string Work(const std::string& name) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "gripdeck app tests";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}

// Appended piece by piece: gcc 12 warns wrongly about a literal added to a
// temporary string.
inline std::string Quoted(const std::string& text) {
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

// The question before a profile with unsaved changes is replaced.
inline std::string SaveQuestion(const std::string& profileName) {
    std::string text = "Do you want to save the changes to ";
    text += profileName;
    text += '?';
    return text;
}

inline bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool WaitFor(const std::function<bool()>& condition, DWORD limitMs = kLimitMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        MSG msg;  // broadcasts wait for every thread that has windows
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

inline std::string WindowText(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// Asked with WM_GETTEXT: edit controls answer from their buffer, while
// GetWindowText of another process's window sees only its first text.
inline std::string ControlText(HWND control) {
    char text[2048] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, kLimitMs, &copied);
    return text;
}

inline std::vector<HWND> TopLevelWindows(DWORD pid, const char* className) {
    std::vector<HWND> windows;
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == pid && ::IsWindowVisible(window)) {
            windows.push_back(window);
        }
    }
    return windows;
}

// A shown top-level dialog of the process with this title (and control).
inline HWND FindDialog(DWORD pid, const std::string& title, int control = 0) {
    for (HWND window : TopLevelWindows(pid, "#32770")) {
        if (WindowText(window) == title && (control == 0 || ::GetDlgItem(window, control))) {
            return window;
        }
    }
    return nullptr;
}
inline HWND WaitForDialog(DWORD pid, const std::string& title, int control = 0) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialog(pid, title, control)) != nullptr; });
    return found;
}

inline HWND OpenPopupMenu(DWORD pid) {
    const std::vector<HWND> menus = TopLevelWindows(pid, "#32768");
    return menus.empty() ? nullptr : menus.front();
}

inline void CloseMenu(DWORD pid) {
    ::PostMessageA(OpenPopupMenu(pid), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(pid) == nullptr; }));
}

inline std::string MessageText(HWND box) {
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

inline void PressButton(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// A click through the control's own logic (a disabled look swallows it).
inline void ClickControl(HWND dialog, int id) {
    ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline void SetField(HWND dialog, int id, const std::string& text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Types the path into an open or save dialog (cmb13 or edt1) and presses OK.
inline void ChooseFile(HWND fileDialog, const std::string& path) {
    for (int id : {0x047C, 0x0480}) {
        if (::GetDlgItem(fileDialog, id) != nullptr) {
            SetField(fileDialog, id, path);
        }
    }
    PressButton(fileDialog, IDOK);
}

inline std::string ProgramPath() {
    static const std::string path = [] {
        const std::string source = ExeFolder() + "\\gripdeck.exe";
        const std::string copy = Work(std::string(kProgramBase) + ".exe");
        return ::CopyFileA(source.c_str(), copy.c_str(), FALSE) ? copy : std::string();
    }();
    return path;
}

// One started copy. Ends it with the close request the program honours
// without questions (WM_CLOSE with wParam 1), or kills it.
class Program {
  public:
    // `folder`, when given, is the copy's current folder.
    explicit Program(const std::string& arguments, const std::string& folder = "") {
        std::string line = Quoted(ProgramPath());
        line += ' ';
        line += arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
            ::CloseHandle(info_.hThread);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() {
        if (info_.hProcess == nullptr) {
            return;
        }
        if (!HasEnded()) {
            ::PostMessageA(FindMain(), WM_CLOSE, 1, 0);
            if (!WaitForEnd()) {
                ::TerminateProcess(info_.hProcess, 99);
            }
        }
        ::CloseHandle(info_.hProcess);
    }

    DWORD Pid() const { return info_.dwProcessId; }
    bool HasEnded() const { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
    bool WaitForEnd() const {
        return WaitFor([&] { return HasEnded(); });
    }

    // The process's dialog, shown or not, that `matches` picks.
    HWND FindDialogWhere(const std::function<bool(HWND)>& matches) const {
        HWND window = nullptr;
        while ((window = ::FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == Pid() && matches(window)) {
                return window;
            }
        }
        return nullptr;
    }
    // The main window: the dialog titled "Gripdeck: ...".
    HWND FindMain() const {
        return FindDialogWhere([](HWND w) { return WindowText(w).rfind("Gripdeck: ", 0) == 0; });
    }
    // The main window once its start is over. Its title comes before the
    // end of its set-up, and a message sent to it may be answered while the
    // set-up itself waits on another process: only idleness tells.
    HWND Main() const {
        HWND main = nullptr;
        WaitFor([&] { return (main = FindMain()) != nullptr; }, 30000);
        ::WaitForInputIdle(info_.hProcess, 30000);
        Sync();
        return main;
    }
    HWND SummaryWindow() const {
        return FindDialogWhere(
            [](HWND w) { return ::GetDlgItem(w, IDC_SUMMARY_RESOLUTION) != nullptr; });
    }
    // The pad picture window: the other dialog with the drawing's M1.
    HWND PadPicture() const {
        HWND main = FindMain();
        return FindDialogWhere(
            [&](HWND w) { return w != main && ::GetDlgItem(w, IDC_PICTURE_M1) != nullptr; });
    }

    // A menu command, as choosing the item sends it.
    void Command(UINT id) const { ::PostMessageA(FindMain(), WM_COMMAND, id, 0); }
    // Returns once the main window handled everything posted to it so far.
    void Sync() const {
        static WPARAM mark = 0;
        HWND main = FindMain();
        ::PostMessageA(main, kMarkMessage, ++mark, 0);
        WaitFor([&] {
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutA(main, kQueryMarkMessage, 0, 0, SMTO_NORMAL, kLimitMs, &answer);
            return answer == mark || !::IsWindow(main);
        });
    }

  private:
    PROCESS_INFORMATION info_{};
};

// Labels carry what they draw in their window text as well.
inline std::string LabelText(HWND main, int i) {
    return WindowText(::GetDlgItem(main, IDC_PAD_LABEL_0 + i));
}

// The status line carries what it draws in its window text as well.
inline std::string StatusText(HWND main) {
    return WindowText(::GetDlgItem(main, IDC_PAD_STATUS));
}

inline bool Shows(HWND main, int id) {
    return ::IsWindowVisible(::GetDlgItem(main, id)) != FALSE;
}

inline LRESULT ApplyLook(HWND main) {
    DWORD_PTR result = 99;
    ::SendMessageTimeoutA(main, kQueryApplyLookMessage, 0, 0, SMTO_NORMAL, kLimitMs, &result);
    return static_cast<LRESULT>(result);
}

// The tray answers a change of nothing with success only for an icon it has.
inline bool HasTrayIcon(HWND main) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = main;
    data.uID = kTrayIconId;
    return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

inline std::optional<std::string> ReadString(HKEY root, const char* key, const char* name) {
    char text[2048] = {};
    DWORD size = sizeof text - 1;
    if (::RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(text);
}
inline std::optional<std::string> Setting(const char* name) {
    return ReadString(HKEY_CURRENT_USER, kSettings, name);
}
inline std::optional<DWORD> ReadDword(HKEY root, const char* key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueA(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

inline void WriteValue(HKEY root, const char* key, const char* name, DWORD type, const void* data,
                       DWORD size) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) ==
        ERROR_SUCCESS) {
        ::RegSetValueExA(opened, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(opened);
    }
}
inline void WriteSetting(const char* name, const std::string& text) {
    WriteValue(HKEY_CURRENT_USER, kSettings, name, REG_SZ, text.c_str(),
               static_cast<DWORD>(text.size() + 1));
}
inline void DeleteValue(HKEY root, const char* key, const char* name) {
    ::RegDeleteKeyValueA(root, key, name);
}

// The DPI that programs started from now on see, until the scope ends: Wine reads it
// as a process starts.
struct LogPixels {
    static constexpr char kDesktopKey[] = "Control Panel\\Desktop";
    explicit LogPixels(DWORD dpi) {
        WriteValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;
    ~LogPixels() {
        if (earlier) {
            WriteValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &*earlier, 4);
        } else {
            DeleteValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
        }
    }
    const std::optional<DWORD> earlier = ReadDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
};

// A profile whose labels tell its slots apart: a macro "<prefix><slot>" in
// each slot listed, Off elsewhere.
inline std::unique_ptr<ProfileImage> MacroProfile(const std::string& prefix,
                                                  std::initializer_list<int> slots) {
    auto image = std::make_unique<ProfileImage>();
    ResetImage(*image);
    for (int slot : slots) {
        image->slots[slot].slotType = SlotType::Macro;
        WriteName(image->slots[slot].macro.name, prefix + std::to_string(slot));
    }
    return image;
}

inline bool WriteProfile(const std::string& path, const ProfileImage& image,
                         const std::string& name = "", std::uint32_t resolution = 0) {
    SummaryBlock summary{};
    WriteText(summary.name, name);
    summary.resolution = resolution;
    const std::vector<std::uint8_t> bytes = EncodeProfileFile(image, summary);
    return WriteFileAtomically(path, bytes.data(), bytes.size());
}

// A profile file read back as the program reads it.
struct ReadBack {
    std::unique_ptr<ProfileImage> image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    FileError error = FileError::CannotOpen;
};

inline ReadBack ReadProfile(const std::string& path) {
    ReadBack back;
    back.error = ReadProfileFile(path, *back.image, back.summary);
    return back;
}

// The simulated pad: padsimctl's exit code, and one field of the driver's record.
inline int Padsim(const std::string& command) {
    return padsim::Run(command).exitCode;
}
inline std::optional<std::string> RecordField(const std::string& key) {
    const auto record = padsim::AwaitRecord(0);
    const auto field = record.find(key);
    return field == record.end() ? std::nullopt : std::optional<std::string>(field->second);
}
using padsim::Crc32Hex;

// Every test starts from no settings, no driver package, no pad and no running
// copy.
class AppTest : public ::testing::Test {
  protected:
    // Tests count on the pad being absent unless they plug it in themselves.
    static void SetUpTestSuite() {
        if (padsim::Available()) {
            Padsim("unplug");
        }
    }

    void SetUp() override {
        if (!FileExists(ExeFolder() + "\\gripdeck.exe") || ProgramPath().empty()) {
            GTEST_SKIP() << "gripdeck.exe is not beside the test executable";
        }
        ASSERT_TRUE(WaitFor([] { return !AnyMainWindow(); })) << "a copy still runs";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsRoot);
        ::DeleteFileA(PackageFile().c_str());
    }

    static bool AnyMainWindow() {
        HWND window = nullptr;
        while ((window = ::FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
            if (WindowText(window).rfind("Gripdeck: ", 0) == 0) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace gd::apptest
