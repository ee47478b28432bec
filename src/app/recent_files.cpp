#include "app/recent_files.h"

#include <algorithm>
#include <cstdio>

#include "app/settings_store.h"

namespace gd {

void RecentFiles::Load(SettingsStore& settings) {
    // A value that cannot be read (missing, or of another type) leaves no
    // hole: the list shows up to its first empty place. A path listed twice,
    // as an old value left in a place that emptied can be, shows once.
    std::size_t used = 0;
    for (std::size_t i = 0; i < kPlaces; ++i) {
        std::string path = settings.ReadString(ValueName(i), "");
        if (!path.empty() &&
            std::find(places_.begin(), places_.begin() + used, path) == places_.begin() + used) {
            places_[used++] = std::move(path);
        }
    }
    for (std::size_t i = used; i < kPlaces; ++i) {
        places_[i].clear();
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
    // A recent entry an earlier version stored as it was forwarded may hold '/'.
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace gd
