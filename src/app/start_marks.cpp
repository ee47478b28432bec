#include "app/start_marks.h"

#include "fw/handle.h"
#include "fw/text.h"

namespace gd {
namespace {

constexpr DWORD kPathLimit = MAX_PATH;

ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

StartMarks::StartMarks() {
    char path[kPathLimit] = {};
    const DWORD length = ::GetEnvironmentVariableA("GRIPDECK_START_MARKS", path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return;
    }
    FILETIME created{};
    FILETIME unused[3]{};
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &unused[0], &unused[1], &unused[2])) {
        return;
    }
    path_.assign(path, length);
    createdAt_ = Ticks(created);
    taken_.reserve(32);
}

void StartMarks::Mark(const char* step) {
    if (path_.empty()) {
        return;
    }
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    taken_.push_back({step, static_cast<double>(Ticks(now) - createdAt_) / 10000.0});
}

void StartMarks::Write() {
    if (path_.empty() || taken_.empty()) {
        return;
    }
    std::string lines;
    const unsigned long process = ::GetCurrentProcessId();
    for (const Taken& mark : taken_) {
        lines += FormatText("%lu %s %.2f\r\n", process, mark.step, mark.ms);
    }
    taken_.clear();
    UniqueFile file(::CreateFileA(path_.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    DWORD written = 0;
    ::WriteFile(file.get(), lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
}

}  // namespace gd
