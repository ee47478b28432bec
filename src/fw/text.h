#pragma once
// Texts shown to the user: the string table, printf-style formatting and
// message boxes captioned with the application's title.
#include <windows.h>

#include <string>
#include <string_view>

namespace gd {

// The string with this id from the resource module; empty when there is none.
std::string LoadText(UINT id);
bool HasText(UINT id);

// printf-style; the result has whatever length the arguments need.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The caption of the program's message boxes: the application object's name,
// or the executable's base name when there is no application object.
std::string AppTitle();

// A message box owned by `owner`, captioned with AppTitle(); returns the
// button pressed. The default type is the program's usual one: OK with the
// exclamation icon.
int ShowMessage(HWND owner, std::string_view text, UINT type = MB_OK | MB_ICONEXCLAMATION);
int ShowMessage(HWND owner, UINT textId, UINT type = MB_OK | MB_ICONEXCLAMATION);

// A whole decimal integer: optional blanks around it and an optional sign.
// False for anything else and for values beyond +-10^18.
bool ParseInteger(std::string_view text, long long& value);

}  // namespace gd
