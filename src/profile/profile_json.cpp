#include "profile/profile_json.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "profile/file_replace.h"
#include "profile/profile_file.h"
#include "profile/profile_json_document.h"

namespace gd {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The whole file, or the reason it was not read.
std::optional<std::string> ReadTextFile(const std::string& path, std::string& text) {
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    long size = -1;
    if (file && std::fseek(file.get(), 0, SEEK_END) == 0) {
        size = std::ftell(file.get());
    }
    if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return DescribeFileError(FileError::CannotOpen);
    }
    if (static_cast<unsigned long>(size) > kMaxJsonFile) {
        return "larger than " + std::to_string(kMaxJsonFile >> 20) +
               " MiB, too large for a profile's JSON form";
    }
    text.resize(static_cast<std::size_t>(size));
    if (std::fread(text.data(), 1, text.size(), file.get()) != text.size()) {
        return DescribeFileError(FileError::CannotOpen);
    }
    return std::nullopt;
}

}  // namespace

std::string JsonProblem::Describe() const {
    if (line != 0) {
        return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
               reason;
    }
    return (path.empty() ? "/" : path) + ": " + reason;
}

std::optional<JsonProblem> ReadProfileJson(std::string_view text, ProfileImage& image,
                                           SummaryBlock& summary) {
    Json document;
    if (std::optional<JsonProblem> problem = ParseJson(text, document)) {
        return problem;
    }
    return ProfileFromJson(document, image, summary);
}

std::optional<std::string> ReadProfileJsonFile(const std::string& path, ProfileImage& image,
                                               SummaryBlock& summary) {
    std::string text;
    if (std::optional<std::string> reason = ReadTextFile(path, text)) {
        return reason;
    }
    if (const std::optional<JsonProblem> problem = ReadProfileJson(text, image, summary)) {
        return problem->Describe();
    }
    return std::nullopt;
}

std::string ProfileJsonText(const ProfileImage& image, const SummaryBlock& summary) {
    return FormatJson(ProfileToJson(image, summary));
}

std::optional<std::string> WriteProfileJsonFile(const std::string& path, const ProfileImage& image,
                                                const SummaryBlock& summary) {
    const std::string text = ProfileJsonText(image, summary);
    StagedFile output(path);
    if (!output.Write(text.data(), text.size())) {
        if (output.TargetRefused()) {
            return "is not a regular file, not replaced";
        }
        return DescribeFileError(FileError::WriteFailed);
    }
    if (!output.Commit()) {
        return DescribeFileError(FileError::WriteFailed);
    }
    return std::nullopt;
}

}  // namespace gd
