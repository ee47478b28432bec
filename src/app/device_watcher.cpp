#include "app/device_watcher.h"

#include <dbt.h>

#include "window_messages.h"
#include "resource.h"

namespace gd {

const MessageMap& DeviceWatcher::GetMessageMap() const {
    using W = DeviceWatcher;
    static constexpr Route kRoutes[] = {
        OnMessage<WM_DEVICECHANGE, &W::OnDeviceChange>(),
        OnCommand<&W::OnReinstallDriver>(ID_OPTIONS_REINSTALL_DRIVER),
        OnMessage<kQueryApplyLookMessage, &W::OnQueryApplyLook>(),
        OnMessage<WM_TIMER, &W::OnTimer>(),
    };
    static const MessageMap kMap{kRoutes, nullptr};
    return kMap;
}

void DeviceWatcher::OnTimer(UINT_PTR id) {
    if (id != kDeviceCheckTimer) {
        SetMsgHandled(false);
        return;
    }
    RunDeviceCheck();
}

void DeviceWatcher::CheckAtStart() {
    Found(link_.IsDevicePresent(false));
}

void DeviceWatcher::Found(bool driverReady) {
    apply_.SetDisabledLook(!driverReady);
    if (presence_) {
        // Only without the driver is the pad looked for among all devices.
        presence_(PresenceOf(driverReady, !driverReady && link_.IsPadPluggedIn()));
    }
}

BOOL DeviceWatcher::OnDeviceChange(UINT event, DWORD_PTR) {
    if (event == DBT_DEVNODES_CHANGED && deviceCheck_.OnDevicesChanged()) {
        ::SetTimer(window_, kDeviceCheckTimer, kDeviceCheckDelayMs, nullptr);
    }
    SetMsgHandled(false);
    return TRUE;
}

void DeviceWatcher::RunDeviceCheck() {
    if (!deviceCheck_.BeginCheck()) {
        return;
    }
    host_.SetMainWindow(window_);
    const bool present =
        link_.IsDevicePresent(!apply_.IsLookEnabled() && deviceCheck_.MayReinstall());
    Found(present);
    apply_.UpdateWindow();
    if (deviceCheck_.FinishCheck()) {
        // A whole delay from now, so that the follow-up finds the changes settled.
        ::SetTimer(window_, kDeviceCheckTimer, kDeviceCheckDelayMs, nullptr);
    } else {
        ::KillTimer(window_, kDeviceCheckTimer);
    }
}

void DeviceWatcher::OnReinstallDriver() {
    link_.ReinstallDriverCommand();
}

LRESULT DeviceWatcher::OnQueryApplyLook(WPARAM, LPARAM) {
    return apply_.IsLookEnabled() ? 1 : 0;
}

}  // namespace gd
