#pragma once
// gpxtool's commands. Each reads all of its input before it writes, writes
// every output file whole or not at all, and returns the exit status:
// 0 done, 1 an input or output was refused (one line on `err` naming the
// file and the reason).
#include <ostream>
#include <string>
#include <vector>

namespace gpxtool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

struct Console {
    std::ostream& out;
    std::ostream& err;
};

// One line on `err` naming the file and the reason; returns kExitRefused.
int Refuse(Console& console, const std::string& file, const std::string& reason);

// Summary, resolution and one line per M-Button as the main window labels it.
int Info(const std::string& file, Console& console);
// The profile as JSON to `output`, or to `console.out` when it is empty.
int Export(const std::string& file, const std::string& output, Console& console);
int Import(const std::string& json, const std::string& output, Console& console);
// The raw 150,560-byte image and 924-byte SummaryBlock of a profile.
int Unpack(const std::string& file, const std::string& image, const std::string& summary,
           Console& console);
int Pack(const std::string& image, const std::string& summary, const std::string& output,
         Console& console);
int Package(const std::string& file, const std::string& output, Console& console);
// The codec on raw files: byte mode with 10-bit runs one way, any block the
// format allows the other.
int CompressFile(const std::string& raw, const std::string& output, Console& console);
int ExpandFile(const std::string& block, const std::string& output, Console& console);
// Writes "FILE: ok (...)" to `out` per sound file and one refusal per bad one.
int Check(const std::vector<std::string>& files, Console& console);

}  // namespace gpxtool
