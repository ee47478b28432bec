#include "profile/windows_path.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "profile/text_compare.h"

namespace gd {
namespace {

constexpr std::string_view kLiteralPrefix = "\\\\?\\";
constexpr std::string_view kLiteralServerPrefix = "\\\\?\\UNC\\";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Where a backslashed full path's fixed beginning ends: the drive's root, or
// the "\\" before a server. The prefix "\\?\" only asks the system not to
// rewrite what follows; the place it names is the same without it.
struct Root {
    std::string text;       // "C:\" or "\\"
    std::string_view rest;  // what follows it
    bool server = false;    // the rest begins with a server and its share
};

std::optional<Root> SplitRoot(std::string_view path) {
    if (StartsWithIgnoringCase(path, kLiteralServerPrefix)) {
        return Root{"\\\\", path.substr(kLiteralServerPrefix.size()), true};
    }
    if (path.substr(0, kLiteralPrefix.size()) == kLiteralPrefix) {
        path.remove_prefix(kLiteralPrefix.size());
    }
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
        return Root{std::string(path.substr(0, 3)), path.substr(3), false};
    }
    if (path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\') {
        return Root{"\\\\", path.substr(2), true};
    }
    return std::nullopt;
}

}  // namespace

std::string BackslashPath(std::string_view path) {
    std::string text(path);
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

bool IsFullPath(std::string_view path) {
    return SplitRoot(BackslashPath(path)).has_value();
}

std::string_view WithoutTrailingDotsAndSpaces(std::string_view name) {
    const std::size_t last = name.find_last_not_of(". ");
    return last == std::string_view::npos ? std::string_view() : name.substr(0, last + 1);
}

std::string CanonicalPath(std::string_view path) {
    std::string text = BackslashPath(path);
    const std::optional<Root> root = SplitRoot(text);
    if (!root) {
        return text;
    }
    // A server and its share are where ".." stops, as a drive's root is.
    const std::size_t fixedParts = root->server ? 2 : 0;
    std::vector<std::string_view> parts;
    std::string_view rest = root->rest;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\\'), rest.size());
        const std::string_view part = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (part == "..") {
            if (parts.size() > fixedParts) {
                parts.pop_back();
            }
            continue;
        }
        const std::string_view name = WithoutTrailingDotsAndSpaces(part);
        if (!name.empty()) {
            parts.push_back(name);
        }
    }
    std::string canonical = root->text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        canonical.append(i == 0 ? "" : "\\").append(parts[i]);
    }
    return canonical;
}

}  // namespace gd
