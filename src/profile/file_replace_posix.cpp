#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "profile/file_replace.h"

namespace gd {
namespace {

// The target's folder with its separator, or "" for the current one.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

StagedFile::~StagedFile() {
    Discard();
}

bool StagedFile::Write(const void* data, std::size_t size) {
    struct stat status {};
    if (::lstat(target_.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        targetRefused_ = true;
        return false;
    }
    std::string name = FolderOf(target_) + "~gdXXXXXX.gdtmp";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    // mkstemps: O_CREAT | O_EXCL with a random name, never through a link.
    const int fd = ::mkstemps(buffer.data(), 6);
    if (fd < 0) {
        return false;
    }
    staged_ = buffer.data();
    handle_ = fd;
    // mkstemps makes the file private; the output gets the usual mode.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const bool written = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, data, size);
    if (!written) {
        Discard();
    }
    return written;
}

bool StagedFile::Commit() {
    if (handle_ < 0) {
        return false;
    }
    const bool closed = ::close(static_cast<int>(handle_)) == 0;
    handle_ = -1;
    if (!closed || std::rename(staged_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    staged_.clear();
    return true;
}

void StagedFile::Discard() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
        handle_ = -1;
    }
    if (!staged_.empty()) {
        ::unlink(staged_.c_str());
        staged_.clear();
    }
}

}  // namespace gd
