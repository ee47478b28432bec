#include "app/main_window_rules.h"

#include "app/recent_files.h"
#include "app/settings_store.h"
#include "app/shell_rules.h"
#include "profile/text_compare.h"
#include "resource.h"

namespace gd {

int ChooseRunningCopy(const std::vector<std::string>& titles, std::string_view prefix) {
    int first = -1;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const std::string& title = titles[i];
        if (!StartsWithIgnoringCase(title, prefix)) {
            continue;
        }
        if (title.compare(prefix.size(), 2, ": ") == 0) {
            return static_cast<int>(i);
        }
        if (first < 0) {
            first = static_cast<int>(i);
        }
    }
    return first;
}

std::string WindowTitle(std::string_view appTitle, std::string_view profileName, bool modified) {
    std::string title(appTitle);
    title += ": ";
    title += profileName;
    if (modified) {
        title += " *";
    }
    return title;
}

std::string InsertArgument(std::string_view text, std::string_view argument) {
    return InsertArguments(text, {argument});
}

std::string InsertArguments(std::string_view text,
                            std::initializer_list<std::string_view> arguments) {
    std::string result;
    for (std::string_view argument : arguments) {
        const std::size_t at = text.find("%s");
        if (at == std::string_view::npos) {
            break;
        }
        result += text.substr(0, at);
        result += argument;
        text.remove_prefix(at + 2);
    }
    result += text;
    return result;
}

bool DeviceCheckGuard::OnDevicesChanged() {
    if (busy_) {
        missed_ = true;
        return false;
    }
    if (pending_) {
        // A change after the last check is looked at as any other.
        followUp_ = false;
        return false;
    }
    pending_ = true;
    followUp_ = false;
    return true;
}

bool DeviceCheckGuard::BeginCheck() {
    if (busy_) {
        return false;
    }
    busy_ = true;
    return true;
}

bool DeviceCheckGuard::FinishCheck() {
    busy_ = false;
    pending_ = followUp_ = missed_;
    missed_ = false;
    return pending_;
}

PadIconAction DecidePadIcon(int page, bool pictureVisible) {
    if (page == 1) {
        return PadIconAction::ShowButtonPage;
    }
    if (pictureVisible) {
        return page == 2 ? PadIconAction::HidePictureShowWelcome : PadIconAction::Nothing;
    }
    return PadIconAction::ShowPicture;
}

namespace {

// A menu shows '&' only doubled; alone it underlines the next letter.
std::string MenuText(std::string_view text) {
    std::string menuText;
    for (char c : text) {
        menuText += c;
        if (c == '&') {
            menuText += '&';
        }
    }
    return menuText;
}

unsigned RecentCommand(std::size_t place, unsigned first = ID_RECENT_FILE_FIRST) {
    return static_cast<unsigned>(first + place);
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The length of the path's root (a drive's "C:" and separator, a server and
// share with theirs, or a leading separator); 0 for a relative path.
std::size_t RootLength(std::string_view path) {
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) {
        return 3;
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // Server and share, each followed by its separator.
        std::size_t at = 2;
        for (int part = 0; part < 2 && at < path.size(); ++part) {
            while (at < path.size() && !IsSeparator(path[at])) {
                ++at;
            }
            if (at < path.size()) {
                ++at;
            }
        }
        return at;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

}  // namespace

std::vector<MenuEntry> RecentMenuEntries(const RecentFiles& recent) {
    std::vector<MenuEntry> entries;
    for (std::size_t place = 0; place < RecentFiles::kPlaces && !recent[place].empty(); ++place) {
        entries.push_back({RecentCommand(place), MenuText(FileNamePart(recent[place]))});
    }
    return entries;
}

std::vector<MenuEntry> FileMenuRecentEntries(const RecentFiles& recent) {
    std::vector<MenuEntry> entries;
    for (std::size_t place = 0; place < RecentFiles::kPlaces && !recent[place].empty(); ++place) {
        std::string text(1, '&');
        text += std::to_string(place + 1);
        text += ' ';
        text += MenuText(ShortenPath(recent[place], kRecentPathChars));
        entries.push_back({RecentCommand(place, ID_FILE_RECENT_FIRST), std::move(text)});
    }
    return entries;
}

std::string ShortenPath(std::string_view path, std::size_t limit) {
    const std::size_t nameStart = path.find_last_of("\\/");
    const std::size_t root = RootLength(path);
    if (path.size() <= limit || nameStart == std::string_view::npos || nameStart < root) {
        return std::string(path);
    }
    // The folders between the root and the name, taken whole from the one
    // nearest the file while they fit; at least one gives way to "...".
    std::size_t keptFrom = nameStart;
    const std::size_t fixed = root + 3 + (path.size() - nameStart);  // root, "...", name
    while (keptFrom > root) {
        const std::size_t folderStart = path.find_last_of("\\/", keptFrom - 1);
        if (folderStart == std::string_view::npos || folderStart < root ||
            fixed + (nameStart - folderStart) > limit) {
            break;
        }
        keptFrom = folderStart;
    }
    std::string shortened(path.substr(0, root));
    shortened += "...";
    shortened += path.substr(keptFrom);
    return shortened;
}

void ForgetEmptiedPlaces(const RecentFiles& recent, SettingsStore& settings) {
    for (std::size_t place = 0; place < RecentFiles::kPlaces; ++place) {
        if (!recent[place].empty()) {
            continue;
        }
        const std::string name = RecentFiles::ValueName(place);
        if (!settings.ReadString(name, "").empty()) {
            settings.WriteString(name, "");
        }
    }
}

}  // namespace gd
