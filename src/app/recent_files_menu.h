#pragma once
// The recent files in the tray menu and in the main window's File menu: the
// entries, built from the application's list after every change of it, and
// the command of each entry. The tray lists them by name below "Recent
// Files", and its entry puts the profile on the pad as well; the File menu
// numbers them and shows their paths, and its entry opens the file as Open
// does. The main window owns the menus, chains its handler table and opens
// the file an entry names.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "fw/menu.h"
#include "fw/message_map.h"

namespace gd {

class RecentFilesMenu : public CMsgHandler {
  public:
    // What opening an entry's file came to.
    enum class OpenResult {
        Opened,
        Stopped,    // the save question stopped it; the list stays
        NotLoaded,  // the file could not be loaded: its entry is dropped
    };
    // Where the entry was chosen.
    enum class From { Tray, FileMenu };
    using Open = std::function<OpenResult(const std::string& path, From from)>;

    explicit RecentFilesMenu(Open open) : open_(std::move(open)) {}

    // The tray's popup, with its item "Recent Files".
    void Attach(CMenuRef popup) { popup_ = popup; }
    // The File menu, with its item "&Close".
    void AttachFileMenu(CMenuRef popup) { fileMenu_ = popup; }
    void RebuildRecentMenu();
    // Puts path first in the application's list and in the menu.
    void AddRecentFile(const std::string& path);
    // id 33001..33006 (tray) or 33121..33126 (File menu).
    void OpenRecentFile(UINT id);

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    void RebuildTrayEntries();
    void RebuildFileMenuEntries();

    Open open_;
    CMenuRef popup_;
    CMenuRef fileMenu_;
};

}  // namespace gd
