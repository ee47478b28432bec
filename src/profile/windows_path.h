#pragma once
// Windows path names as the system reads them, for the portable code that
// keeps, compares or shows one: rules, the driver's install folder, the
// profile a start names. Nothing here touches a file.
#include <string>
#include <string_view>

namespace gd {

// Every '/' as '\', the separator the system shows.
std::string BackslashPath(std::string_view path);

// Whether the path names the same place from any current directory: a drive
// and its root ("C:\..."), a server's share ("\\server\share..."), or one
// under the "\\?\" prefix. "C:games" and "\games" are taken against the
// current drive or folder, so they are not.
bool IsFullPath(std::string_view path);

// A full path in the one form the system resolves it to: backslashes, no
// "\\?\" prefix ("\\?\UNC\server\..." is "\\server\..."), "." and ".."
// resolved (never above the drive or share), doubled separators as one, and
// trailing dots and spaces gone from every part; without a trailing backslash
// unless it is a drive's root ("C:\"). Any other path comes back with
// backslashes and otherwise as it is.
std::string CanonicalPath(std::string_view path);

// A file or folder name without its trailing dots and spaces, which the
// system drops ("racer.exe." and "racer.exe " are "racer.exe").
std::string_view WithoutTrailingDotsAndSpaces(std::string_view name);

}  // namespace gd
