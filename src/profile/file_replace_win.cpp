// rand_s is declared only with this set before the first C header.
#define _CRT_RAND_S
#include <stdlib.h>

#include <windows.h>

#include <cstdio>

#include "profile/file_replace.h"

namespace gd {
namespace {

// The target's folder with its separator (or drive colon), or "" for the
// current one.
std::string FolderOf(const std::string& path) {
    const std::size_t end = path.find_last_of("\\/:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

// Absent, or a plain file on a disk: nothing else may be replaced.
bool IsAbsentOrRegularFile(const std::string& path) {
    const HANDLE file = CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // Whatever else keeps it from being opened keeps it from being
        // replaced too; the replace reports that.
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool regular =
        GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    CloseHandle(file);
    return regular;
}

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

StagedFile::~StagedFile() {
    Discard();
}

bool StagedFile::Write(const void* data, std::size_t size) {
    if (!IsAbsentOrRegularFile(target_)) {
        targetRefused_ = true;
        return false;
    }
    const std::string folder = FolderOf(target_);
    HANDLE file = INVALID_HANDLE_VALUE;
    // A name already taken is tried again with another; a few collisions in
    // a row mean something else is wrong.
    for (int attempt = 0; attempt < 16 && file == INVALID_HANDLE_VALUE; ++attempt) {
        unsigned int random = 0;
        if (rand_s(&random) != 0) {
            return false;
        }
        char name[24];
        std::snprintf(name, sizeof name, "~gd%08X.gdtmp", random);
        staged_ = folder + name;
        // Shared for deleting, so that the file can be renamed while this
        // handle stays open to remove it should the rename fail.
        file = CreateFileA(staged_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        staged_.clear();
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) {
            Discard();
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool StagedFile::Commit() {
    if (handle_ == -1) {
        return false;
    }
    // rename() refuses an existing target on Windows.
    if (!MoveFileExA(staged_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Discard();
        return false;
    }
    CloseHandle(AsHandle(handle_));
    handle_ = -1;
    staged_.clear();
    return true;
}

void StagedFile::Discard() {
    if (handle_ != -1) {
        // Deleted through the handle: a path the other file functions refuse
        // (too long, say) cannot keep the file from going.
        FILE_DISPOSITION_INFO disposition = {TRUE};
        const bool marked = SetFileInformationByHandle(AsHandle(handle_), FileDispositionInfo,
                                                       &disposition, sizeof disposition) != FALSE;
        CloseHandle(AsHandle(handle_));
        handle_ = -1;
        if (marked) {
            staged_.clear();
        }
    }
    if (!staged_.empty()) {
        DeleteFileA(staged_.c_str());
        staged_.clear();
    }
}

}  // namespace gd
