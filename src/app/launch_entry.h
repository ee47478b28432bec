#pragma once
// The start-up launch entry: the value "Gripdeck" (string 6) under
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run. When on it
// holds the program's full path followed by " -1" (start hidden); when off it
// stays with an empty text.
namespace gd {

// True when the value exists, fits 512 bytes and is not empty.
bool IsLaunchAtStartup();
// Writes the entry; false when the key cannot be opened or written, or when
// the program's path with " -1" would not fit 512 bytes (nothing is written).
bool SetLaunchAtStartup(bool on);

}  // namespace gd
