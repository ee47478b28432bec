#include "app/settings_store.h"

namespace gd {

void AppSettings::LoadAtStart(SettingsStore& settings) {
    const std::string introduction = settings.ReadString("Introduction", "");
    summaryVisible = settings.ReadInt("Summary", 1) != 0;
    if (!introduction.empty()) {
        settings.WriteString("Introduction", "");
    }
}

void AppSettings::SaveAtExit(SettingsStore& settings) const {
    settings.WriteInt("Summary", summaryVisible ? 1 : 0);
}

}  // namespace gd
