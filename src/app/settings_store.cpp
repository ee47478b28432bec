#include "app/settings_store.h"

#include <limits>

namespace gd {
namespace {

// No screen reaches this far: a value read as it was never stored.
constexpr std::int32_t kNoValue = std::numeric_limits<std::int32_t>::min();

std::optional<WindowSpot> ReadSpot(SettingsStore& settings, const std::string& window) {
    const std::int32_t left = settings.ReadInt(window + "Left", kNoValue);
    const std::int32_t top = settings.ReadInt(window + "Top", kNoValue);
    if (left == kNoValue || top == kNoValue) {
        return std::nullopt;
    }
    return WindowSpot{left, top};
}

void WriteSpot(SettingsStore& settings, const std::string& window,
               const std::optional<WindowSpot>& spot) {
    if (spot) {
        settings.WriteInt(window + "Left", spot->left);
        settings.WriteInt(window + "Top", spot->top);
    }
}

}  // namespace

void AppSettings::LoadAtStart(SettingsStore& settings) {
    const std::string introduction = settings.ReadString("Introduction", "");
    summaryVisible = settings.ReadInt("Summary", 1) != 0;
    summarySpot = ReadSpot(settings, "Summary");
    padPictureSpot = ReadSpot(settings, "PadPicture");
    if (!introduction.empty()) {
        settings.WriteString("Introduction", "");
    }
}

void AppSettings::SaveAtExit(SettingsStore& settings) const {
    settings.WriteInt("Summary", summaryVisible ? 1 : 0);
    WriteSpot(settings, "Summary", summarySpot);
    WriteSpot(settings, "PadPicture", padPictureSpot);
}

}  // namespace gd
