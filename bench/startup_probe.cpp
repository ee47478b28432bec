// Start-up time of a GUI program, from process creation to its main window
// shown and painted, measured from outside so that the program under test
// carries no measuring code of its own.
//
//   bench_startup_probe.exe RUNS PROGRAM_A PROGRAM_B
//
// Starts A and B alternately RUNS times each (after one unmeasured start of
// each, which warms the file cache and Wine's own processes), prints every
// time, both medians and the ratio A / B; the fastest start of each, beside
// its median, tells how much of the spread a busy machine added. Each
// program is ended with WM_CLOSE (wParam 1, which ends Gripdeck rather than
// hiding it) and waited for before the next start, so that a
// single-instance program never finds the previous copy still running.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
// After a program has ended, Wine and the X server still tear it down for
// some tens of milliseconds; a start in that time is slowed by up to 30 ms
// at random, which hid every difference under Wine's own noise. Each start
// is measured on a quiet machine, as a user starts the program.
constexpr DWORD kQuietMs = 300;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && ::IsWindowVisible(window) &&
        ::GetWindow(window, GW_OWNER) == nullptr) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
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
    if (!::IsWindowVisible(window) || ::GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool unpainted = false;
    ::EnumChildWindows(window, FindUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

double Now(const LARGE_INTEGER& frequency) {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from CreateProcess to the painted main window; negative when
// the program could not be started or showed no window in time.
double TimeOneStart(const std::string& program, const LARGE_INTEGER& frequency) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now(frequency);
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), ::GetLastError());
        return -1;
    }
    // Polled: a window of another process cannot announce its first paint
    // otherwise. The 1 ms waits keep the poll from taking a core from the
    // program it measures.
    double shown = -1;
    HWND window = nullptr;
    while (Now(frequency) - start < kWindowTimeoutMs) {
        WindowSearch search{process.dwProcessId, nullptr};
        ::EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr && IsShownAndPainted(search.found)) {
            shown = Now(frequency) - start;
            window = search.found;
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s ended without a window\n", program.c_str());
            break;
        }
    }
    if (window != nullptr) {
        // Whatever the program does after its first paint finishes before it
        // is told to end.
        ::WaitForInputIdle(process.hProcess, kExitTimeoutMs);
        ::PostMessageA(window, WM_CLOSE, 1, 0);
    }
    if (::WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::Sleep(kQuietMs);
    return shown;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM_A PROGRAM_B\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string programs[2] = {argv[2], argv[3]};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);

    for (const std::string& program : programs) {
        if (TimeOneStart(program, frequency) < 0) {
            return 1;
        }
    }
    std::vector<double> times[2];
    for (int run = 0; run < runs; ++run) {
        for (int k = 0; k < 2; ++k) {
            const double ms = TimeOneStart(programs[k], frequency);
            if (ms < 0) {
                return 1;
            }
            times[k].push_back(ms);
        }
        std::printf("run %d: %8.1f ms %8.1f ms\n", run + 1, times[0].back(), times[1].back());
    }
    const double medians[2] = {Median(times[0]), Median(times[1])};
    for (int k = 0; k < 2; ++k) {
        const std::size_t slash = programs[k].find_last_of("\\/");
        const std::string name =
            slash == std::string::npos ? programs[k] : programs[k].substr(slash + 1);
        std::printf("median %s: %.1f ms (fastest %.1f ms)\n", name.c_str(), medians[k],
                    *std::min_element(times[k].begin(), times[k].end()));
    }
    std::printf("ratio: %.2f\n", medians[0] / medians[1]);
    return 0;
}
