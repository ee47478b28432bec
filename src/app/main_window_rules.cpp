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
    const std::size_t at = text.find("%s");
    if (at == std::string_view::npos) {
        return std::string(text);
    }
    std::string result(text.substr(0, at));
    result += argument;
    result += text.substr(at + 2);
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

std::vector<MenuEntry> RecentMenuEntries(const RecentFiles& recent) {
    std::vector<MenuEntry> entries;
    for (std::size_t place = 0; place < RecentFiles::kPlaces && !recent[place].empty(); ++place) {
        std::string text;
        for (char c : FileNamePart(recent[place])) {
            text += c;
            if (c == '&') {
                text += '&';
            }
        }
        entries.push_back({static_cast<unsigned>(ID_RECENT_FILE_FIRST + place), std::move(text)});
    }
    return entries;
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
