#include "app/recent_files.h"

#include <cstdio>

#include "app/settings_store.h"

namespace gd {

void RecentFiles::Load(SettingsStore& settings) {
    for (std::size_t i = 0; i < kPlaces; ++i) {
        places_[i] = settings.ReadString(ValueName(i), "");
    }
}

void RecentFiles::Save(SettingsStore& settings) const {
    for (std::size_t i = 0; i < kPlaces; ++i) {
        if (!places_[i].empty()) {
            settings.WriteString(ValueName(i), places_[i]);
        }
    }
}

void RecentFiles::Add(const std::string& path) {
    std::size_t found = kPlaces;
    for (std::size_t i = 0; i < kPlaces; ++i) {
        if (places_[i] == path) {
            found = i;
            break;
        }
    }
    const std::size_t last = found == kPlaces ? kPlaces - 1 : found;
    for (std::size_t k = last; k > 0; --k) {
        places_[k] = std::move(places_[k - 1]);
    }
    places_[0] = path;
}

void RecentFiles::Remove(std::size_t index) {
    if (index >= kPlaces) {
        return;
    }
    for (std::size_t k = index; k + 1 < kPlaces; ++k) {
        places_[k] = std::move(places_[k + 1]);
    }
    places_[kPlaces - 1].clear();
}

std::size_t RecentFiles::Count() const {
    std::size_t count = 0;
    while (count < kPlaces && !places_[count].empty()) {
        ++count;
    }
    return count;
}

std::string RecentFiles::ValueName(std::size_t index) {
    char name[16];
    std::snprintf(name, sizeof name, "Recent%02u", static_cast<unsigned>(index));
    return name;
}

std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace gd
