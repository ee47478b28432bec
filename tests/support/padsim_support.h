#pragma once
// The simulated pad from a Windows test: padsimctl.exe beside the test executable sets its
// state, and its driver records the last profile it took (padsim/README.md).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace padsim {

// Bounds for what Wine's driver and padsimctl do; a working setup stays far below them.
inline constexpr DWORD kCommandLimitMs = 60000;
inline constexpr DWORD kRecordLimitMs = 20000;

inline std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

inline std::string DriversFolder() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\system32\\drivers";
}

inline std::string RecordPath() {
    return DriversFolder() + "\\padsim-record.txt";
}

inline bool Available() {
    return GetFileAttributesA((ExeFolder() + "\\padsimctl.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Device-change notices reach this thread's windows only while it pumps.
inline void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Moves what the pipe holds now into `out`, without waiting for more.
inline void Drain(HANDLE pipe, std::string& out) {
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[1024];
        DWORD read = 0;
        if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &read, nullptr) ||
            read == 0) {
            return;
        }
        out.append(buffer, read);
    }
}

struct Result {
    int exitCode = -1;   // -1: it could not start, or ran past the limit and was ended
    std::string output;  // standard output and error, without carriage returns
};

// Runs `padsimctl COMMAND`, pumping messages meanwhile. The output is read while it runs
// and once more after it has ended, never up to the pipe's end: when no Wine desktop
// process runs, padsimctl's broadcast starts one, which inherits padsimctl's standard
// error and lives as long as anything uses the desktop, this test included.
inline Result Run(const std::string& command) {
    Result result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return result;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::string line = std::string(1, '"').append(ExeFolder()).append("\\padsimctl.exe\" ");
    line += command;
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        const DWORD begin = GetTickCount();
        bool ended = false;
        while (!ended && GetTickCount() - begin < kCommandLimitMs) {
            ended = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 50, QS_ALLINPUT) ==
                    WAIT_OBJECT_0;
            Drain(readEnd, result.output);
            PumpMessages();
        }
        DWORD code = 0;
        if (ended && GetExitCodeProcess(process.hProcess, &code)) {
            result.exitCode = static_cast<int>(code);
        } else {
            TerminateProcess(process.hProcess, 1);
            result.output.append("[padsimctl did not end in time]");
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    result.output.erase(std::remove(result.output.begin(), result.output.end(), '\r'),
                        result.output.end());
    return result;
}

// "key=value" lines, ending in LF or CRLF, as a map; other lines are skipped.
inline std::map<std::string, std::string> ParseLines(const std::string& text) {
    std::map<std::string, std::string> fields;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            fields[line.substr(0, equals)] = line.substr(equals + 1, line.find('\r') - equals - 1);
        }
    }
    return fields;
}

// The state `padsimctl status` reports: plugged, plugged-nodriver, unplugged or mixed.
inline std::string State() {
    return ParseLines(Run("status").output)["state"];
}

inline void ClearRecord() {
    DeleteFileA(RecordPath().c_str());
}

// Under Wine the opener's CreateFile returns before the driver has handled the open. The
// driver renames a finished record into place, so one that exists is whole: clear it
// before the open, then await it. Empty when none came.
inline std::map<std::string, std::string> AwaitRecord(DWORD limitMs = kRecordLimitMs) {
    const DWORD begin = GetTickCount();
    while (GetFileAttributesA(RecordPath().c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetTickCount() - begin < limitMs) {
        PumpMessages();
        Sleep(20);
    }
    std::ifstream file(RecordPath(), std::ios::binary);
    return ParseLines(std::string(std::istreambuf_iterator<char>(file), {}));
}

// CRC-32 of zlib and PNG, as the driver records the image's, in lower-case hex.
inline std::string Crc32Hex(const void* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<const std::uint8_t*>(data)[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(~crc));
    return text;
}

}  // namespace padsim
