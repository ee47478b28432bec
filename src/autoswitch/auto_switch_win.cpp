#include "autoswitch/auto_switch_win.h"

#include <utility>

#include "autoswitch/auto_profiles_dlg.h"
#include "driverlink/driver_link.h"
#include "fw/text.h"
#include "profile/profile_file.h"
#include "resource.h"
#include "window_messages.h"

namespace gd {
namespace {

// The one object the hook's callback reaches; the program has one main window.
CAutoSwitch* hookOwner = nullptr;

std::string TimeOfDay() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return FormatText("%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
}

std::optional<FileStamp> StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return FileStamp{std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow,
                     std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                         data.ftLastWriteTime.dwLowDateTime};
}

}  // namespace

std::string ProcessImagePath(DWORD processId) {
    const UniqueKernel process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof path;
    const BOOL found = ::QueryFullProcessImageNameA(process.get(), 0, path, &size);
    return found ? std::string(path, size) : std::string();
}

const MessageMap& CAutoSwitch::GetMessageMap() const {
    using D = CAutoSwitch;
    static constexpr Route kRoutes[] = {
        OnMessage<kProcessEndedMessage, &D::OnProcessEnded>(),
        OnMessage<kSettingsChangedMessage, &D::OnSettingsChanged>(),
        OnMessage<WM_INITMENUPOPUP, &D::OnInitMenuPopup>(),
        OnCommand<&D::OnAutoProfiles>(ID_OPTIONS_AUTO_PROFILES),
    };
    static const MessageMap kMap{kRoutes, nullptr};
    return kMap;
}

CAutoSwitch::CAutoSwitch(DriverHost& host, std::string settingsRoot,
                         std::function<void(const std::string&)> balloon, RecentProfiles recent,
                         PadReport published)
    : host_(host),
      balloon_(std::move(balloon)),
      recent_(std::move(recent)),
      published_(std::move(published)),
      storage_(std::move(settingsRoot)),
      switcher_(RememberingCheck(CheckProfileFile, StampOf), TimeOfDay) {}

CAutoSwitch::~CAutoSwitch() {
    Stop();
}

void CAutoSwitch::Start(HWND window) {
    window_ = window;
    switcher_.SetRules(LoadRules(storage_));
    on_ = storage_.SwitchingOn();
    WatchSettings(true);
    ApplySwitch();
}

void CAutoSwitch::Stop() {
    hook_.reset();
    if (hookOwner == this) {
        hookOwner = nullptr;
    }
    if (settingsEvent_) {
        waiter_.Remove(settingsEvent_.get());
        settingsEvent_.reset();
    }
    settingsKey_.reset();
    while (!watches_.empty()) {
        EndWatch(watches_.begin()->first);
    }
    window_ = nullptr;
}

void CAutoSwitch::End() {
    // The tray icon is going, and with it any balloon: only the profile goes back.
    for (const SwitchAction& action : switcher_.End()) {
        if (action.kind == SwitchAction::Kind::Publish) {
            Publish(action.path);
        }
    }
    padCopy_.reset();
}

void CAutoSwitch::ManualApply(const std::string& path, const std::string& why) {
    switcher_.ManualApply(path, why);
    padCopy_.reset();
}

void CAutoSwitch::SetOn(bool on) {
    storage_.SetSwitchingOn(on);
    on_ = storage_.SwitchingOn();
    ApplySwitch();
}

void CAutoSwitch::ReloadRules() {
    switcher_.SetRules(LoadRules(storage_));
}

void CAutoSwitch::ApplySwitch() {
    if (!on_ || window_ == nullptr) {
        if (hook_) {
            hook_.reset();
            switcher_.Stop();
        }
        return;
    }
    if (hook_) {
        return;
    }
    hookOwner = this;
    hook_.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                  OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    // A game already in front when switching starts counts as coming to the front.
    if (HWND front = ::GetForegroundWindow()) {
        Foreground(front);
    }
}

void CALLBACK CAutoSwitch::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG,
                                      DWORD, DWORD) {
    if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW && window != nullptr &&
        hookOwner != nullptr) {
        hookOwner->Foreground(window);
    }
}

void CAutoSwitch::Foreground(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == 0) {
        return;
    }
    Carry(switcher_.Foreground(processId, ProcessImagePath(processId)));
}

void CAutoSwitch::Carry(const std::vector<SwitchAction>& actions) {
    for (const SwitchAction& action : actions) {
        switch (action.kind) {
            case SwitchAction::Kind::RememberPad: {
                padCopy_ = std::make_unique<HeldProfile>();
                const std::optional<std::string> windows = host_.WindowsDirectory();
                if (!windows || !ReadPackageFile(PackagePath(*windows, host_.SystemFolders()),
                                                 padCopy_->image, padCopy_->summary)) {
                    padCopy_.reset();
                    switcher_.NothingRemembered();
                }
                break;
            }
            case SwitchAction::Kind::Publish:
                Publish(action.path);
                break;
            case SwitchAction::Kind::Balloon:
                balloon_(action.text);
                break;
            case SwitchAction::Kind::Watch:
                WatchProcess(action.processId);
                break;
        }
    }
}

void CAutoSwitch::Publish(const std::string& path) {
    // Its own copy: the profile open in the main window stays as it is.
    if (path.empty()) {
        if (!padCopy_) {
            return;
        }
        DriverLink(host_).PublishProfile(padCopy_->image, padCopy_->summary);
    } else {
        auto held = std::make_unique<HeldProfile>();
        if (ReadProfileFile(path, held->image, held->summary) != FileError::None) {
            return;
        }
        DriverLink(host_).PublishProfile(held->image, held->summary);
    }
    // The switcher decided before this runs: a switch in force is the one
    // this profile is for, and none means it was given back.
    if (published_) {
        published_(path, switcher_.ActiveProgram());
    }
}

void CAutoSwitch::WatchProcess(std::uint32_t processId) {
    if (watches_.count(processId) != 0) {
        return;
    }
    UniqueKernel process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process) {
        // Gone already, or not ours to wait on: as good as ended.
        ::PostMessageA(window_, kProcessEndedMessage, processId, 0);
        return;
    }
    if (!waiter_.Add(process.get(), window_, kProcessEndedMessage, processId, true)) {
        // No thread to wait with: a process nobody watches must not hold the
        // switch for good, so it counts as ended now.
        ::PostMessageA(window_, kProcessEndedMessage, processId, 0);
        return;
    }
    watches_.emplace(processId, std::move(process));
}

void CAutoSwitch::EndWatch(std::uint32_t processId) {
    const auto found = watches_.find(processId);
    if (found == watches_.end()) {
        return;
    }
    waiter_.Remove(found->second.get());
    watches_.erase(found);
}

LRESULT CAutoSwitch::OnProcessEnded(WPARAM processId, LPARAM) {
    const auto id = static_cast<std::uint32_t>(processId);
    EndWatch(id);
    Carry(switcher_.ProcessEnded(id));
    return 0;
}

void CAutoSwitch::OpenSettingsKey(bool create) {
    watchingAncestor_ = false;
    std::string path = storage_.Root();
    if (create && ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_NOTIFY,
                                    nullptr, settingsKey_.put(), nullptr) == ERROR_SUCCESS) {
        return;
    }
    settingsKey_.reset();
    // Gone (a script or an uninstall deleted the settings): the nearest key
    // above it that is there is watched instead, so that the notice comes
    // when the settings are made again. Making them here would bring back
    // a key someone meant to remove.
    for (;;) {
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_NOTIFY, settingsKey_.put()) ==
            ERROR_SUCCESS) {
            return;
        }
        settingsKey_.reset();
        if (path.empty()) {
            return;
        }
        const std::size_t slash = path.find_last_of('\\');
        path.resize(slash == std::string::npos ? 0 : slash);
        watchingAncestor_ = true;
    }
}

void CAutoSwitch::WatchSettings(bool create) {
    if (!settingsEvent_) {
        settingsEvent_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (!settingsEvent_ ||
            !waiter_.Add(settingsEvent_.get(), window_, kSettingsChangedMessage, 0, false)) {
            settingsEvent_.reset();
            return;
        }
    }
    // The key watched may have been deleted since it was opened, which
    // takes no more notices: opened again, or the nearest key above it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!settingsKey_ || watchingAncestor_) {
            OpenSettingsKey(create);
        }
        if (!settingsKey_) {
            return;
        }
        // One notice per call: asked again after every change.
        if (::RegNotifyChangeKeyValue(settingsKey_.get(), TRUE,
                                      REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                      settingsEvent_.get(), TRUE) == ERROR_SUCCESS) {
            return;
        }
        settingsKey_.reset();
    }
}

LRESULT CAutoSwitch::OnSettingsChanged(WPARAM, LPARAM) {
    WatchSettings(false);
    ReloadRules();
    const bool on = storage_.SwitchingOn();
    if (on != on_) {
        on_ = on;
        ApplySwitch();
    }
    if (settingsChanged_) {
        settingsChanged_();
    }
    return 0;
}

LRESULT CAutoSwitch::OnInitMenuPopup(WPARAM menu, LPARAM) {
    ::CheckMenuItem(reinterpret_cast<HMENU>(menu), ID_OPTIONS_AUTO_PROFILES,
                    MF_BYCOMMAND | (on_ ? MF_CHECKED : MF_UNCHECKED));
    SetMsgHandled(false);
    return 0;
}

void CAutoSwitch::OnAutoProfiles() {
    CAutoProfilesDlg dialog(window_, *this);
    dialog.DoModal();
    // A rule tried there held its profile only while the dialog showed.
    EndTry();
}

}  // namespace gd
