#pragma once
// Per-user settings of one section (HKCU\Software\MARVENTA\<app>\default on
// Windows). Reads fall back to the default when a value is missing or broken.
#include <cstdint>
#include <optional>
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

// A window's top-left corner on the screen.
struct WindowSpot {
    std::int32_t left = 0;
    std::int32_t top = 0;

    friend bool operator==(const WindowSpot&, const WindowSpot&) = default;
};

// The application's own settings: the summary window's visibility, where
// the user left the summary window and the pad picture, the recent list
// (see RecentFiles) and the one-shot Introduction text.
struct AppSettings {
    bool summaryVisible = true;
    // Nothing until the user moved the window away from where it opened.
    std::optional<WindowSpot> summarySpot;
    std::optional<WindowSpot> padPictureSpot;

    // Reads Summary (default 1), SummaryLeft and SummaryTop, PadPictureLeft
    // and PadPictureTop (a spot only when both of its values are there),
    // and Introduction; a non-empty Introduction is rewritten as an empty
    // string, so it shows once.
    void LoadAtStart(SettingsStore& settings);
    // Summary, and each spot that is known; one that is not leaves what an
    // earlier run stored.
    void SaveAtExit(SettingsStore& settings) const;
};

}  // namespace gd
