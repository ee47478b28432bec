#pragma once
// The start-up launch entry: the value "Gripdeck" (string 6) under
// Software\Microsoft\Windows\CurrentVersion\Run of HKEY_LOCAL_MACHINE, or of
// HKEY_CURRENT_USER for a user who cannot write the machine's key. When on it
// holds the program's full path in double quotes followed by " -1" (start
// hidden); when off it stays with an empty text.
namespace gd {

// True when either key holds a non-empty value (fitting 512 bytes).
bool IsLaunchAtStartup();
// Writes the entry; false when it could not be stored as asked, or when the
// program's path with " -1" would not fit 512 bytes (nothing is written).
bool SetLaunchAtStartup(bool on);

}  // namespace gd
