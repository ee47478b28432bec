#pragma once
// Platform seam for replacing a file whole: file_replace_posix.cpp and
// file_replace_win.cpp.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace gd {

// New contents for `target`, written first to a fresh file in the target's
// folder and then put in its place in one step. The fresh file is created
// exclusively under an unpredictable name ("~gd<random>.gdtmp"), so no file
// or link planted beside the target is followed or overwritten, and it never
// outlives this object unless it was committed.
class StagedFile {
  public:
    explicit StagedFile(std::string target) : target_(std::move(target)) {}
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the fresh file and writes `size` bytes. False, with nothing
    // left behind, when the target exists but is not a regular file (a
    // folder, link, pipe or device), or when the file cannot be created or
    // written whole. Call once.
    bool Write(const void* data, std::size_t size);
    // Replaces the target by the written file; false (and the written file
    // removed) when that fails or nothing was written.
    bool Commit();

    // Whether Write refused the target for what it is.
    bool TargetRefused() const { return targetRefused_; }
    const std::string& target() const { return target_; }

  private:
    void Discard();

    std::string target_;
    std::string staged_;
    std::intptr_t handle_ = -1;  // the written file, kept open until committed
    bool targetRefused_ = false;
};

}  // namespace gd
