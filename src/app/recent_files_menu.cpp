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
        OnCommandRange<&M::OpenRecentFile>(ID_FILE_RECENT_FIRST, ID_FILE_RECENT_LAST),
    };
    static const MessageMap kMap{kRoutes, nullptr};
    return kMap;
}

namespace {

bool IsSeparatorAt(CMenuRef menu, int position) {
    return (::GetMenuState(menu.GetSafeHmenu(), static_cast<UINT>(position), MF_BYPOSITION) &
            MF_SEPARATOR) != 0;
}

int PositionOf(CMenuRef menu, UINT id) {
    for (int i = 0; i < menu.GetItemCount(); ++i) {
        if (menu.GetItemId(i) == id) {
            return i;
        }
    }
    return -1;
}

}  // namespace

void RecentFilesMenu::RebuildRecentMenu() {
    RebuildTrayEntries();
    RebuildFileMenuEntries();
}

void RecentFilesMenu::RebuildTrayEntries() {
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

void RecentFilesMenu::RebuildFileMenuEntries() {
    if (!fileMenu_) {
        return;
    }
    // The entries sit right above "&Close", with a separator of their own
    // below them: above them is the menu's own separator.
    for (int i = fileMenu_.GetItemCount() - 1; i >= 0; --i) {
        const UINT id = fileMenu_.GetItemId(i);
        if (id >= ID_FILE_RECENT_FIRST && id <= ID_FILE_RECENT_LAST) {
            fileMenu_.DeleteItem(static_cast<UINT>(i), true);
        }
    }
    int close = PositionOf(fileMenu_, ID_FILE_CLOSE);
    if (close < 0) {
        return;
    }
    if (close >= 2 && IsSeparatorAt(fileMenu_, close - 1) && IsSeparatorAt(fileMenu_, close - 2)) {
        fileMenu_.DeleteItem(static_cast<UINT>(--close), true);
    }
    const std::vector<MenuEntry> entries = FileMenuRecentEntries(GripdeckApp().recentFiles);
    if (entries.empty()) {
        return;
    }
    for (const MenuEntry& entry : entries) {
        fileMenu_.InsertItem(static_cast<UINT>(close++), entry.id, entry.text);
    }
    ::InsertMenuA(fileMenu_.GetSafeHmenu(), static_cast<UINT>(close), MF_BYPOSITION | MF_SEPARATOR,
                  0, nullptr);
}

void RecentFilesMenu::AddRecentFile(const std::string& path) {
    GripdeckApp().AddRecentFile(path);
    RebuildRecentMenu();
}

void RecentFilesMenu::OpenRecentFile(UINT id) {
    const From from = id >= ID_FILE_RECENT_FIRST ? From::FileMenu : From::Tray;
    const std::size_t place =
        id - (from == From::FileMenu ? ID_FILE_RECENT_FIRST : ID_RECENT_FILE_FIRST);
    CGripdeckApp& app = GripdeckApp();
    if (place >= RecentFiles::kPlaces || app.recentFiles[place].empty()) {
        return;
    }
    // Read before the question: a Save As there puts its file at the top of
    // the list, and the entry chosen moves down.
    const std::string path = app.recentFiles[place];
    if (open_(path, from) != OpenResult::NotLoaded) {
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
