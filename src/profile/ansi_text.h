#pragma once
// Profile texts are single-byte ANSI; JSON and terminals want UTF-8. The
// bytes are read as Windows-1252, the Western code page the program's texts
// are written in. The five bytes Windows-1252 leaves undefined map to the
// control characters of the same number, so every byte string converts to
// UTF-8 and back unchanged.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

std::string AnsiToUtf8(std::string_view ansi);

// The byte string, or no value when `utf8` is not valid UTF-8 or holds a
// character Windows-1252 has no byte for; then `badCharacter` (when given)
// gets the offending character as "U+XXXX", or "invalid UTF-8".
std::optional<std::string> Utf8ToAnsi(std::string_view utf8, std::string* badCharacter = nullptr);

}  // namespace gd
