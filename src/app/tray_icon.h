#pragma once
// The program's icon in the taskbar's notification area and the menu it
// opens (menu 131). A left click shows or hides the main window, a right
// click opens the menu; the icon comes back when Explorer restarts. The main
// window owns the icon and chains its handler table; the menu's commands
// other than "Show/Hide" go to the main window's own routes. While a dialog
// of the program holds the main window, the click and the menu's commands
// bring that dialog to the front instead (fw/dialog.h).
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <utility>

#include "fw/menu.h"
#include "fw/message_map.h"

namespace gd {

enum class TrayAction {
    Add,     // icon, tool tip "Gripdeck" and the callback message
    Modify,  // the balloon "The Gripdeck software is running here." for 10 s
    Delete,
};

class TrayIcon : public CMsgHandler {
  public:
    // showHide: what a left click on the icon and "Show/Hide" do.
    explicit TrayIcon(std::function<void()> showHide) : showHide_(std::move(showHide)) {}

    // The window that receives the icon's messages and the menu's commands,
    // and the icon shown, which stays the window's. Loads the menu.
    void Attach(HWND window, HICON icon);
    void UpdateTrayIcon(TrayAction action);
    // A balloon from the icon with the program's title and `text`.
    void ShowBalloon(const std::string& text, DWORD iconFlags = NIIF_NONE);
    // The menu's popup "Task", where the recent files are listed.
    CMenuRef Menu() const { return menu_.GetSubMenu(0); }

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    void OnShowHide() { showHide_(); }
    void ShowMenu();

    std::function<void()> showHide_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    CMenu menu_;
};

}  // namespace gd
