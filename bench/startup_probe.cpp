// Start-up time of GUI programs, measured from outside so that the programs
// under test carry no measuring code of their own: from process creation to
// the main window SHOWN (it and every shown control in it painted), and to
// the program READY (Gripdeck's main window with every control it makes and
// its summary window shown and painted beside it).
//
//   bench_startup_probe.exe RUNS PROGRAM... BASELINE
//   bench_startup_probe.exe --hold MS PROGRAM [COMMAND...]
//
// Starts every program in turn RUNS times (after one unmeasured start of
// each, which warms the file cache and Wine's own processes), prints every
// time, each program's medians with its fastest start beside them, and the
// ratios of the medians to the baseline's shown time. The baseline, a bare
// dialog, has nothing to make after its first paint: it is ready when shown.
// The fastest starts tell how much of the spread a busy machine added. Each
// program is ended with WM_CLOSE (wParam 1, which ends Gripdeck rather than
// hiding it) and waited for before the next start, so that a single-instance
// program never finds the previous copy still running.
//
// With GRIPDECK_START_MARKS naming a file, a measured start of program k
// (1, 2, ...) finds it as that name with ".k" added, where Gripdeck writes
// the times of its start's steps (app/start_marks.h).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resource.h"

namespace {

constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
// After a program has ended, Wine and the X server still tear it down for
// some tens of milliseconds; a start in that time is slowed by up to 30 ms
// at random, which hid every difference under Wine's own noise. Each start
// is measured on a quiet machine, as a user starts the program.
constexpr DWORD kQuietMs = 300;

// Every control Gripdeck's main window makes: the seven skinned buttons, the
// status line, the pad buttons with their labels and, last, the background.
std::vector<int> MainWindowControls() {
    std::vector<int> ids = {IDC_GROUP_M1_M10, IDC_PAD_ICON,   IDC_GROUP_M11_M20,
                            IDC_APPLY,        IDC_CANCEL,     IDC_OK,
                            IDC_FRAME_TOGGLE, IDC_PAD_STATUS, IDC_BACKGROUND};
    for (int i = 0; i < 10; ++i) {
        ids.push_back(IDC_PAD_BUTTON_0 + i);
        ids.push_back(IDC_PAD_LABEL_0 + i);
    }
    return ids;
}

struct WindowSearch {
    DWORD processId;
    HWND owner;   // null: an unowned window
    int childId;  // 0: any window; else one holding this control
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == search.processId && ::IsWindowVisible(window) &&
        ::GetWindow(window, GW_OWNER) == search.owner &&
        (search.childId == 0 || ::GetDlgItem(window, search.childId) != nullptr)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND ShownWindow(DWORD processId, HWND owner, int childId) {
    WindowSearch search{processId, owner, childId, nullptr};
    ::EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindUnpaintedChild(HWND child, LPARAM param) {
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

// Shown, and neither the window nor a shown child of it waits to be painted.
bool IsShownAndPainted(HWND window) {
    if (window == nullptr || !::IsWindowVisible(window) ||
        ::GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool unpainted = false;
    ::EnumChildWindows(window, FindUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

bool IsReady(DWORD processId, HWND main, const std::vector<int>& controls) {
    for (int id : controls) {
        if (::GetDlgItem(main, id) == nullptr) {
            return false;
        }
    }
    return IsShownAndPainted(main) &&
           IsShownAndPainted(ShownWindow(processId, main, IDC_SUMMARY_COMMENT));
}

double Now(const LARGE_INTEGER& frequency) {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct StartTimes {
    double shown = -1;
    double ready = -1;
};

// Milliseconds from CreateProcess to shown and to ready; negative when the
// program could not be started or got neither in time. holdMs: how long the
// program stays once ready and idle, after the commands `commands` (control
// ids, as clicks send them), before it is ended (for a screenshot).
StartTimes TimeOneStart(const std::string& program, bool baseline, const LARGE_INTEGER& frequency,
                        DWORD holdMs = 0, const std::vector<int>& commands = {}) {
    StartTimes times;
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now(frequency);
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), ::GetLastError());
        return times;
    }
    const std::vector<int> controls = MainWindowControls();
    // Polled: a window of another process cannot announce its first paint
    // otherwise. The 1 ms waits keep the poll from taking a core from the
    // program it measures.
    HWND window = nullptr;
    while (Now(frequency) - start < kWindowTimeoutMs) {
        if (times.shown < 0) {
            HWND found = ShownWindow(process.dwProcessId, nullptr, 0);
            if (IsShownAndPainted(found)) {
                times.shown = Now(frequency) - start;
                window = found;
            }
        }
        if (window != nullptr && (baseline || IsReady(process.dwProcessId, window, controls))) {
            times.ready = Now(frequency) - start;
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s ended before it was ready\n", program.c_str());
            break;
        }
    }
    if (times.ready < 0) {
        std::fprintf(stderr, "%s was not ready in time\n", program.c_str());
    }
    if (window != nullptr) {
        // Whatever the program does after it is ready finishes before it is
        // told to end.
        ::WaitForInputIdle(process.hProcess, kExitTimeoutMs);
        for (int command : commands) {
            ::PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
            ::Sleep(kQuietMs);
            ::WaitForInputIdle(process.hProcess, kExitTimeoutMs);
        }
        if (holdMs > 0) {
            std::printf("ready\n");
            std::fflush(stdout);
            ::Sleep(holdMs);
        }
        ::PostMessageA(window, WM_CLOSE, 1, 0);
    }
    if (::WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::Sleep(kQuietMs);
    return times;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
    // --hold MS PROGRAM [COMMAND...]: one start that, once ready, gets the
    // commands and stays MS milliseconds, announced by a line "ready", for
    // a screenshot.
    if (argc >= 4 && std::string(argv[1]) == "--hold" && std::atoi(argv[2]) > 0) {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        std::vector<int> commands;
        for (int k = 4; k < argc; ++k) {
            commands.push_back(std::atoi(argv[k]));
        }
        const StartTimes times = TimeOneStart(argv[3], false, frequency,
                                              static_cast<DWORD>(std::atoi(argv[2])), commands);
        return times.ready < 0 ? 1 : 0;
    }
    if (argc < 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM... BASELINE\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::vector<std::string> programs(argv + 2, argv + argc);
    const std::size_t baseline = programs.size() - 1;
    char marksPath[MAX_PATH] = {};
    const DWORD marksLength =
        ::GetEnvironmentVariableA("GRIPDECK_START_MARKS", marksPath, sizeof marksPath);
    const std::string marks =
        marksLength > 0 && marksLength < sizeof marksPath ? marksPath : std::string();
    // The unmeasured starts write no marks.
    ::SetEnvironmentVariableA("GRIPDECK_START_MARKS", nullptr);
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);

    for (std::size_t k = 0; k < programs.size(); ++k) {
        if (TimeOneStart(programs[k], k == baseline, frequency).ready < 0) {
            return 1;
        }
    }
    std::vector<std::vector<double>> shown(programs.size());
    std::vector<std::vector<double>> ready(programs.size());
    for (int run = 0; run < runs; ++run) {
        std::printf("run %d:", run + 1);
        for (std::size_t k = 0; k < programs.size(); ++k) {
            if (!marks.empty()) {
                ::SetEnvironmentVariableA("GRIPDECK_START_MARKS",
                                          (marks + "." + std::to_string(k + 1)).c_str());
            }
            const StartTimes times = TimeOneStart(programs[k], k == baseline, frequency);
            if (times.ready < 0) {
                return 1;
            }
            shown[k].push_back(times.shown);
            ready[k].push_back(times.ready);
            std::printf("  shown %6.1f ready %6.1f", times.shown, times.ready);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    const double base = Median(shown[baseline]);
    for (std::size_t k = 0; k < programs.size(); ++k) {
        std::printf(
            "%d. %s: shown median %.1f ms (fastest %.1f, ratio %.2f), ready median %.1f ms "
            "(fastest %.1f, ratio %.2f)\n",
            static_cast<int>(k + 1), BaseName(programs[k]).c_str(), Median(shown[k]),
            Fastest(shown[k]), Median(shown[k]) / base, Median(ready[k]), Fastest(ready[k]),
            Median(ready[k]) / base);
    }
    return 0;
}
