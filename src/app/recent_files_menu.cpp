#include "app/recent_files_menu.h"

#include <vector>

#include "app/gripdeck_app.h"
#include "app/main_window_rules.h"
#include "app/recent_files.h"
#include "resource.h"

namespace gd {

const MessageMap& RecentFilesMenu::GetMessageMap() const {
    using M = RecentFilesMenu;
    static constexpr Route kRoutes[] = {
        OnCommandRange<&M::OpenRecentFile>(ID_RECENT_FILE_FIRST, ID_RECENT_FILE_LAST),
    };
    static const MessageMap kMap{kRoutes, nullptr};
    return kMap;
}

void RecentFilesMenu::RebuildRecentMenu() {
    if (!popup_) {
        return;
    }
    // The entries sit between "Recent Files" (position 3) and the separator
    // that follows the last of them.
    constexpr int kFirstEntry = 4;
    for (std::size_t removed = 0; removed < RecentFiles::kPlaces; ++removed) {
        if (kFirstEntry >= popup_.GetItemCount() ||
            (::GetMenuState(popup_.GetSafeHmenu(), kFirstEntry, MF_BYPOSITION) & MF_SEPARATOR) !=
                0) {
            break;
        }
        popup_.DeleteItem(kFirstEntry, true);
    }
    const std::vector<MenuEntry> entries = RecentMenuEntries(GripdeckApp().recentFiles);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        popup_.InsertItem(static_cast<UINT>(kFirstEntry + i), entries[i].id, entries[i].text);
    }
    ::EnableMenuItem(popup_.GetSafeHmenu(), ID_RECENT_FILES,
                     MF_BYCOMMAND | (entries.empty() ? (MF_GRAYED | MF_DISABLED) : MF_ENABLED));
}

void RecentFilesMenu::AddRecentFile(const std::string& path) {
    GripdeckApp().AddRecentFile(path);
    RebuildRecentMenu();
}

void RecentFilesMenu::OpenRecentFile(UINT id) {
    const std::size_t place = id - ID_RECENT_FILE_FIRST;
    CGripdeckApp& app = GripdeckApp();
    if (place >= RecentFiles::kPlaces || app.recentFiles[place].empty()) {
        return;
    }
    // Read before the question: a Save As there puts its file at the top of
    // the list, and the entry chosen moves down.
    const std::string path = app.recentFiles[place];
    if (open_(path) != OpenResult::NotLoaded) {
        return;
    }
    // Where the entry is now, since a Save As may have moved it down.
    for (std::size_t i = 0; i < RecentFiles::kPlaces; ++i) {
        if (app.recentFiles[i] == path) {
            app.RemoveRecentFile(i);
            break;
        }
    }
    RebuildRecentMenu();
}

}  // namespace gd
