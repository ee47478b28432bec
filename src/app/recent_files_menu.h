#pragma once
// The recent files in the tray menu: the entries below "Recent Files", built
// from the application's list after every change of it, and the command of
// each entry. The main window owns the menu, chains its handler table and
// opens the file an entry names.
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
    using Open = std::function<OpenResult(const std::string& path)>;

    explicit RecentFilesMenu(Open open) : open_(std::move(open)) {}

    // The popup the entries are listed in.
    void Attach(CMenuRef popup) { popup_ = popup; }
    void RebuildRecentMenu();
    // Puts path first in the application's list and in the menu.
    void AddRecentFile(const std::string& path);
    // id 33001..33006.
    void OpenRecentFile(UINT id);

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    Open open_;
    CMenuRef popup_;
};

}  // namespace gd
