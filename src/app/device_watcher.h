#pragma once
// The pad as the main window sees it: the APPLY button is drawn enabled while
// the pad and its driver are there, and each check tells the window whether
// the pad is there with or without its driver, or not plugged in. A burst of device-change notices
// gives one re-check 5 seconds after its first (timer 5 of the main window), and notices arriving
// while a re-check runs (it may show message boxes) start no other, only one more that never
// reinstalls once it ends. The main window owns the watcher and chains its handler table, timer 5
// included.
#include <windows.h>

#include <functional>
#include <utility>

#include "app/main_window_rules.h"
#include "app/pad_status.h"
#include "driverlink/driver_host_win.h"
#include "driverlink/driver_link.h"
#include "fw/message_map.h"
#include "skin/skin_button.h"

namespace gd {

class DeviceWatcher : public CMsgHandler {
  public:
    static constexpr UINT_PTR kDeviceCheckTimer = 5;
    static constexpr UINT kDeviceCheckDelayMs = 5000;

    using PresenceReport = std::function<void(PadPresence)>;

    // apply: the button whose look shows the pad's presence; presence: told
    // what each check found.
    DeviceWatcher(DriverLink& link, WinDriverHost& host, CSkinButton& apply,
                  PresenceReport presence)
        : link_(link), host_(host), apply_(apply), presence_(std::move(presence)) {}

    // The window whose timer runs the re-check.
    void Attach(HWND window) { window_ = window; }
    // The check at start: APPLY's look, no driver installed.
    void CheckAtStart();

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    // Timer 5 fired. A pad seen without its driver while APPLY is drawn
    // disabled gets its driver installed, except in the follow-up check.
    void RunDeviceCheck();
    BOOL OnDeviceChange(UINT event, DWORD_PTR data);
    void OnTimer(UINT_PTR id);
    void OnReinstallDriver();
    LRESULT OnQueryApplyLook(WPARAM, LPARAM);
    // APPLY's look from what a check found, and the window told.
    void Found(bool driverReady);

    DriverLink& link_;
    WinDriverHost& host_;
    CSkinButton& apply_;
    PresenceReport presence_;
    HWND window_ = nullptr;
    // deviceCheckPending and deviceCheckBusy.
    DeviceCheckGuard deviceCheck_;
};

}  // namespace gd
