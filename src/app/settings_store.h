#pragma once
// Per-user settings of one section (HKCU\Software\MARVENTA\<app>\default on
// Windows). Reads fall back to the default when a value is missing or broken.
#include <cstdint>
#include <string>

namespace gd {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::int32_t ReadInt(const std::string& name, std::int32_t fallback) = 0;
    virtual bool WriteInt(const std::string& name, std::int32_t value) = 0;
    virtual std::string ReadString(const std::string& name, const std::string& fallback) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
};

// The application's own settings: the summary window's visibility, the
// recent list (see RecentFiles) and the one-shot Introduction text.
struct AppSettings {
    bool summaryVisible = true;

    // Reads Summary (default 1) and Introduction; a non-empty Introduction is
    // rewritten as an empty string, so it shows once.
    void LoadAtStart(SettingsStore& settings);
    void SaveAtExit(SettingsStore& settings) const;
};

}  // namespace gd
