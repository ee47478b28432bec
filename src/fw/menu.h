#pragma once
// Menus: CMenuRef views a menu (a submenu, a window's menu bar), CMenu owns
// one it loaded or created and destroys it.
#include <windows.h>

#include <string>
#include <string_view>

#include "fw/handle.h"

namespace gd {

class CMenuRef {
  public:
    CMenuRef() noexcept = default;
    explicit CMenuRef(HMENU menu) noexcept : menu_(menu) {}

    HMENU GetSafeHmenu() const noexcept { return menu_; }
    explicit operator bool() const noexcept { return menu_ != nullptr; }

    CMenuRef GetSubMenu(int position) const { return CMenuRef(::GetSubMenu(menu_, position)); }
    int GetItemCount() const { return ::GetMenuItemCount(menu_); }
    UINT GetItemId(int position) const { return ::GetMenuItemID(menu_, position); }
    std::string GetItemText(UINT item, bool byPosition = false) const;

    void CheckItem(UINT id, bool checked) const {
        ::CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    bool IsItemChecked(UINT id) const {
        return (::GetMenuState(menu_, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    void EnableItem(UINT id, bool enabled) const {
        ::EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    bool IsItemEnabled(UINT id) const {
        return (::GetMenuState(menu_, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    bool AppendItem(UINT id, std::string_view text) const;
    // The item's text; its state (greyed, checked) is the caller's to set again.
    bool SetItemText(UINT id, const std::string& text) const {
        return ::ModifyMenuA(menu_, id, MF_BYCOMMAND | MF_STRING, id, text.c_str()) != FALSE;
    }
    bool AppendSeparator() const { return ::AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr) != FALSE; }
    bool InsertItem(UINT beforePosition, UINT id, std::string_view text) const;
    bool DeleteItem(UINT item, bool byPosition = false) const {
        return ::DeleteMenu(menu_, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND) != FALSE;
    }

    // Shows the menu at a screen point. With TPM_RETURNCMD in flags the
    // chosen command is returned (0 for none) instead of sent to the owner.
    UINT TrackPopup(HWND owner, POINT screen, UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON) const {
        return static_cast<UINT>(
            ::TrackPopupMenu(menu_, flags, screen.x, screen.y, 0, owner, nullptr));
    }

  protected:
    HMENU menu_ = nullptr;
};

class CMenu : public CMenuRef {
  public:
    CMenu() noexcept = default;
    CMenu(CMenu&& other) noexcept : CMenuRef(other.menu_), owned_(std::move(other.owned_)) {
        other.menu_ = nullptr;
    }
    CMenu& operator=(CMenu&& other) noexcept {
        owned_ = std::move(other.owned_);
        menu_ = std::exchange(other.menu_, nullptr);
        return *this;
    }

    // From the resource module; false when the resource is missing.
    bool LoadMenu(UINT id);
    bool CreatePopupMenu();
    // Hands the menu over, e.g. to a window as its menu bar.
    HMENU Detach() {
        menu_ = nullptr;
        return owned_.release();
    }

  private:
    UniqueMenu owned_;
};

}  // namespace gd
