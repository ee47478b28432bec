#pragma once
// The six most recently used profile files, newest first. An empty place
// marks an unused one; used places always come first.
#include <array>
#include <cstddef>
#include <string>

namespace gd {

class SettingsStore;

class RecentFiles {
  public:
    static constexpr std::size_t kPlaces = 6;

    // Places from Recent00..Recent05 in order, skipping values that are
    // missing, unreadable or already listed.
    void Load(SettingsStore& settings);
    // Writes only the non-empty places; an emptied place keeps its old value.
    void Save(SettingsStore& settings) const;

    // Puts path first; an existing entry (exact, case-sensitive) moves up,
    // otherwise the oldest drops off a full list.
    void Add(const std::string& path);
    // Closes the gap; place 5 becomes empty. Out-of-range indices are ignored.
    void Remove(std::size_t index);

    const std::string& operator[](std::size_t index) const { return places_[index]; }
    std::size_t Count() const;

    // "Recent%02d"
    static std::string ValueName(std::size_t index);

  private:
    std::array<std::string, kPlaces> places_;
};

// The text after the last backslash or slash, or the whole path when it has none.
std::string FileNamePart(const std::string& path);

}  // namespace gd
