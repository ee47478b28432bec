#include "autoswitch/profile_hotkeys_win.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "autoswitch/hotkeys_dlg.h"
#include "autoswitch/switcher.h"
#include "driverlink/driver_link.h"
#include "fw/menu.h"
#include "fw/text.h"
#include "profile/profile_file.h"
#include "resource.h"
#include "string_table.h"

namespace gd {
namespace {

// Held down, a hotkey would publish the same profile again and again.
constexpr UINT kNoRepeat = 0x4000;  // MOD_NOREPEAT

bool IsApplyMenu(HMENU menu) {
    if (::GetMenuItemCount(menu) <= 0) {
        return false;
    }
    const UINT first = ::GetMenuItemID(menu, 0);
    return first >= ID_TRAY_APPLY_NONE && first <= ID_TRAY_APPLY_LAST;
}

}  // namespace

Hotkey HotkeyOfMessage(LPARAM keys) {
    return Hotkey{static_cast<std::uint8_t>(LOWORD(keys) & kHotkeyModifiers),
                  static_cast<std::uint8_t>(HIWORD(keys))};
}

const MessageMap& CProfileHotkeys::GetMessageMap() const {
    using H = CProfileHotkeys;
    static constexpr Route kRoutes[] = {
        OnMessage<WM_HOTKEY, &H::OnHotkey>(),
        OnMessage<WM_INITMENUPOPUP, &H::OnInitMenuPopup>(),
        OnMessage<WM_DESTROY, &H::OnDestroy>(),
        OnCommand<&H::OnHotkeysDialog>(ID_OPTIONS_HOTKEYS),
        OnCommandRange<&H::OnApplyRecent>(ID_TRAY_APPLY_FIRST, ID_TRAY_APPLY_LAST),
    };
    static const MessageMap kMap{kRoutes, nullptr};
    return kMap;
}

CProfileHotkeys::CProfileHotkeys(DriverHost& host, CAutoSwitch& autoSwitch,
                                 std::string settingsRoot,
                                 std::function<void(const std::string&)> balloon,
                                 AppliedReport applied)
    : host_(host),
      autoSwitch_(autoSwitch),
      storage_(std::move(settingsRoot)),
      balloon_(std::move(balloon)),
      applied_(std::move(applied)) {}

CProfileHotkeys::~CProfileHotkeys() {
    Stop();
}

void CProfileHotkeys::Start(HWND window) {
    window_ = window;
    Reload();
}

void CProfileHotkeys::Stop() {
    Unregister();
    window_ = nullptr;
}

void CProfileHotkeys::Reload() {
    if (window_ == nullptr) {
        return;
    }
    // Every change of the settings comes here, the window's places and the
    // recent files among them: hotkeys that stay as they are stay registered,
    // unless some are held, which are asked for again.
    std::vector<ProfileHotkey> loaded = LoadHotkeys(storage_);
    const bool allRegistered =
        registered_.size() == hotkeys_.size() &&
        std::find(registered_.begin(), registered_.end(), false) == registered_.end();
    if (loaded == hotkeys_ && allRegistered) {
        return;
    }
    Unregister();
    hotkeys_ = std::move(loaded);
    Register();
    ReportHeld();
}

void CProfileHotkeys::Register() {
    registered_.assign(hotkeys_.size(), false);
    for (std::size_t i = 0; i < hotkeys_.size(); ++i) {
        const Hotkey hotkey = hotkeys_[i].hotkey;
        registered_[i] = ::RegisterHotKey(window_, kFirstHotkeyId + static_cast<int>(i),
                                          hotkey.modifiers | kNoRepeat, hotkey.key) != FALSE;
    }
}

void CProfileHotkeys::Unregister() {
    for (std::size_t i = 0; i < registered_.size(); ++i) {
        if (registered_[i]) {
            ::UnregisterHotKey(window_, kFirstHotkeyId + static_cast<int>(i));
        }
    }
    registered_.clear();
}

void CProfileHotkeys::ReportHeld() {
    std::string held;
    for (std::size_t i = 0; i < hotkeys_.size(); ++i) {
        const std::string& text = hotkeys_[i].text;
        if (registered_[i]) {
            // Let go and held again later: worth saying again.
            reportedHeld_.erase(text);
        } else if (reportedHeld_.insert(text).second) {
            held += (held.empty() ? "" : ", ") + text;
        }
    }
    if (!held.empty() && balloon_) {
        balloon_(FillString(IDS_HOTKEY_HELD_BALLOON, {held}));
    }
}

bool CProfileHotkeys::IsHeld(const Hotkey& hotkey) const {
    for (std::size_t i = 0; i < hotkeys_.size() && i < registered_.size(); ++i) {
        if (hotkeys_[i].hotkey == hotkey) {
            return !registered_[i];
        }
    }
    return false;
}

bool CProfileHotkeys::ApplyFile(const std::string& path, const std::string& hotkey) {
    struct HeldProfile {
        ProfileImage image;
        SummaryBlock summary;
    };
    // A copy of its own: the profile open in the main window stays as it is.
    auto held = std::make_unique<HeldProfile>();
    const std::string name = ProfileFileName(path);
    const FileError error = ReadProfileFile(path, held->image, held->summary);
    if (error != FileError::None) {
        const std::string reason = DescribeFileError(error);
        balloon_(hotkey.empty() ? FillString(IDS_TRAY_UNREADABLE, {name, reason})
                                : FillString(IDS_HOTKEY_UNREADABLE, {hotkey, name, reason}));
        return false;
    }
    const PublishResult published = DriverLink(host_).PublishProfile(held->image, held->summary);
    autoSwitch_.ManualApply(path, hotkey.empty() ? std::string(FindString(IDS_WHY_TRAY))
                                                 : FillString(IDS_WHY_HOTKEY, {hotkey}));
    if (hotkey.empty()) {
        balloon_(FillString(published.deviceOpened ? IDS_TRAY_APPLIED : IDS_TRAY_NO_PAD, {name}));
    } else {
        balloon_(FillString(published.deviceOpened ? IDS_HOTKEY_APPLIED : IDS_HOTKEY_NO_PAD,
                            {name, hotkey}));
    }
    if (applied_) {
        applied_(path, hotkey);
    }
    return true;
}

LRESULT CProfileHotkeys::OnHotkey(WPARAM, LPARAM keys) {
    // By the keys, not the id: the list may have been read again since
    // this message was posted.
    const Hotkey pressed = HotkeyOfMessage(keys);
    for (const ProfileHotkey& hotkey : hotkeys_) {
        if (hotkey.hotkey == pressed) {
            // A copy: the balloon's message loop may read the list again.
            const ProfileHotkey chosen = hotkey;
            ApplyFile(chosen.profile, chosen.text);
            return 0;
        }
    }
    return 0;
}

LRESULT CProfileHotkeys::OnInitMenuPopup(WPARAM menu, LPARAM) {
    SetMsgHandled(false);
    const CMenuRef popup(reinterpret_cast<HMENU>(menu));
    if (!IsApplyMenu(popup.GetSafeHmenu())) {
        return 0;
    }
    while (popup.GetItemCount() > 0) {
        popup.DeleteItem(0, true);
    }
    const std::vector<std::string> recent = autoSwitch_.RecentProfilePaths();
    UINT id = ID_TRAY_APPLY_FIRST;
    for (const std::string& path : recent) {
        if (path.empty() || id > ID_TRAY_APPLY_LAST) {
            break;
        }
        popup.AppendItem(id++, ProfileFileName(path));
    }
    if (id == ID_TRAY_APPLY_FIRST) {
        popup.AppendItem(ID_TRAY_APPLY_NONE, FindString(IDS_APPLY_NO_RECENT));
        popup.EnableItem(ID_TRAY_APPLY_NONE, false);
    }
    return 0;
}

void CProfileHotkeys::OnDestroy() {
    Stop();
    SetMsgHandled(false);
}

void CProfileHotkeys::OnHotkeysDialog() {
    CHotkeysDlg dialog(window_, *this);
    dialog.DoModal();
}

void CProfileHotkeys::OnApplyRecent(UINT id) {
    const std::vector<std::string> recent = autoSwitch_.RecentProfilePaths();
    const std::size_t place = id - ID_TRAY_APPLY_FIRST;
    if (place < recent.size() && !recent[place].empty()) {
        ApplyFile(recent[place], {});
    }
}

}  // namespace gd
