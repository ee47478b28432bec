#pragma once
// A whole profile (ProfileImage and SummaryBlock) as JSON text, and back,
// byte for byte: what gpxtool's import and export and the program's File >
// Import... and Export... read and write. The document's layout is in
// profile_json_document.h; this header keeps the JSON library out of the
// files that only move whole texts and files.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "profile/records.h"

namespace gd {

inline constexpr char kJsonFormat[] = "gripdeck-profile";
inline constexpr std::uint32_t kJsonVersion = 1;
// Far beyond the JSON form of any profile (a few hundred KB at most).
inline constexpr std::size_t kMaxJsonFile = 64u << 20;

// Where a document is wrong and why. A text that is not JSON at all is
// placed by line and column (both from 1); a value that JSON reads but a
// profile cannot hold, by the JSON Pointer (RFC 6901) of that value.
struct JsonProblem {
    std::string path;  // "" for the document itself
    std::string reason;
    std::size_t line = 0;  // 0: placed by path
    std::size_t column = 0;

    // "line 3, column 12: <reason>" or "/buttons/4/kind: <reason>".
    std::string Describe() const;
};

// Parses the text and builds the records from it; `image` and `summary`
// change only on success.
std::optional<JsonProblem> ReadProfileJson(std::string_view text, ProfileImage& image,
                                           SummaryBlock& summary);

// The same from a file of at most kMaxJsonFile bytes. On failure, the reason
// as one line ("cannot be opened", "line 3, column 12: not valid JSON: ...",
// "/buttons/4/kind: unknown value ..."), the records unchanged.
std::optional<std::string> ReadProfileJsonFile(const std::string& path, ProfileImage& image,
                                               SummaryBlock& summary);

// The indented document, one macro event per line, ending with a newline.
std::string ProfileJsonText(const ProfileImage& image, const SummaryBlock& summary);

// Writes ProfileJsonText to `path` through a fresh file beside it, which
// replaces it only once written whole (StagedFile): a failure leaves the old
// file as it was. The reason on failure ("is not a regular file, not
// replaced", "cannot be written").
std::optional<std::string> WriteProfileJsonFile(const std::string& path, const ProfileImage& image,
                                                const SummaryBlock& summary);

}  // namespace gd
