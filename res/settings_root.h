#pragma once
// Where the program keeps its settings, under HKEY_CURRENT_USER: one place
// for the program, gpxtool, the driver link and scripts, whatever the
// program file is called.
namespace gd {

inline constexpr char kSettingsCompany[] = "MARVENTA";
inline constexpr char kSettingsProduct[] = "Gripdeck";
inline constexpr char kSettingsRoot[] = "Software\\MARVENTA\\Gripdeck";
// The section of the program's own values (the window, the recent files,
// the switch of automatic profiles, the driver's install folder).
inline constexpr char kSettingsSection[] = "default";
inline constexpr char kSettingsSectionKey[] = "Software\\MARVENTA\\Gripdeck\\default";

}  // namespace gd
