#pragma once
// StartMarks: the times of the steps of the program's start, for the
// start-up benchmark (bench/startup.sh). Off unless the environment variable
// GRIPDECK_START_MARKS names a file when the program starts; then each Mark
// takes the time since the process was created, and Write appends them all
// to that file at once, one line each ("<process id> <step> <ms>"), so that
// the start it measures does no file work of its own.
#include <windows.h>

#include <string>
#include <vector>

namespace gd {

class StartMarks {
  public:
    // Reads the switch; nothing else happens while it is off.
    StartMarks();

    // `step` is a literal naming what has just ended.
    void Mark(const char* step);
    // Appends the marks taken so far and forgets them.
    void Write();

  private:
    struct Taken {
        const char* step;
        double ms;
    };
    std::string path_;
    ULONGLONG createdAt_ = 0;  // 100 ns units, as FILETIME counts
    std::vector<Taken> taken_;
};

}  // namespace gd
