#pragma once
// CProfileHotkeys: the main window's profile hotkeys and the tray's "Apply
// Profile" menu. Each stored hotkey is registered with the system for the
// main window, so that WM_HOTKEY arrives as a message from any program and
// nothing runs in between. A hotkey puts its profile on the pad as APPLY
// would, without touching the profile open in the window, and makes it the
// one automatic profiles return to; a recent file from the tray's "Apply
// Profile" does the same. A balloon says what happened.
//
// A hotkey that another program holds stays stored: the dialog shows it,
// and a balloon names it once. Changes of the stored hotkeys, from the
// dialog, gpxtool or a script, come through the automatic profiles' watch
// of the settings key (CAutoSwitch::OnSettingsChange).
//
// The main window owns one, chains its handler table after CAutoSwitch's,
// and starts it once the tray icon exists.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "autoswitch/auto_switch_win.h"
#include "autoswitch/hotkey_registry_win.h"
#include "autoswitch/profile_hotkeys.h"
#include "driverlink/driver_host.h"
#include "fw/message_map.h"

namespace gd {

// RegisterHotKey ids: kFirstHotkeyId + the hotkey's place in the list.
inline constexpr int kFirstHotkeyId = 34040;

// What a hotkey's WM_HOTKEY names: its modifiers (MOD_NOREPEAT left out)
// and key, as lParam carries them.
Hotkey HotkeyOfMessage(LPARAM keys);

class CProfileHotkeys : public CMsgHandler {
  public:
    // Told after each profile put on the pad: its path, and the hotkey's
    // text (empty: the tray's "Apply Profile").
    using AppliedReport = std::function<void(const std::string& path, const std::string& hotkey)>;

    CProfileHotkeys(DriverHost& host, CAutoSwitch& autoSwitch, std::string settingsRoot,
                    std::function<void(const std::string&)> balloon, AppliedReport applied);
    ~CProfileHotkeys() override;
    CProfileHotkeys(const CProfileHotkeys&) = delete;
    CProfileHotkeys& operator=(const CProfileHotkeys&) = delete;

    // Registers the stored hotkeys for `window`; one balloon names those
    // another program holds.
    void Start(HWND window);
    void Stop();
    // Reads the stored hotkeys again and registers them afresh; a hotkey
    // held by another program is named by balloon once a run.
    void Reload();

    // Puts the profile file on the pad as `hotkey` (its text; empty: the
    // tray) would. False, with a balloon saying why and nothing published,
    // when the file cannot be read.
    bool ApplyFile(const std::string& path, const std::string& hotkey);

    HotkeyStorage& Storage() { return storage_; }
    const std::vector<ProfileHotkey>& Hotkeys() const { return hotkeys_; }
    // True when the system refused the hotkey: another program holds it.
    bool IsHeld(const Hotkey& hotkey) const;

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    void Register();
    void Unregister();
    void ReportHeld();

    LRESULT OnHotkey(WPARAM id, LPARAM keys);
    LRESULT OnInitMenuPopup(WPARAM menu, LPARAM);
    void OnDestroy();
    void OnHotkeysDialog();
    void OnApplyRecent(UINT id);

    DriverHost& host_;
    CAutoSwitch& autoSwitch_;
    RegistryHotkeyStorage storage_;
    std::function<void(const std::string&)> balloon_;
    AppliedReport applied_;
    HWND window_ = nullptr;
    std::vector<ProfileHotkey> hotkeys_;
    // Parallel to hotkeys_: registered with the system.
    std::vector<bool> registered_;
    // Held hotkeys already named by balloon, by text.
    std::set<std::string> reportedHeld_;
};

}  // namespace gd
