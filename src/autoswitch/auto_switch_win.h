#pragma once
// CAutoSwitch: the main window's automatic profiles. It listens for
// foreground changes (an out-of-context window event hook, only while
// switching is on), waits on the processes of switched games through the
// thread pool, and notices changes of its registry values; each of these
// arrives as a message on the main window's thread, where the Switcher
// decides and this object publishes, shows balloons and starts waits.
// Nothing runs while nothing changes.
//
// The main window owns one, chains its handler table
// (ChainMember<&Dlg::autoSwitch_>()), starts it once the tray icon exists,
// stops it before the window goes, and reports each manual apply.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "autoswitch/rule_registry_win.h"
#include "autoswitch/switcher.h"
#include "driverlink/driver_host.h"
#include "fw/handle.h"
#include "fw/handle_waiter.h"
#include "fw/message_map.h"
#include "profile/records.h"

namespace gd {

// The full program path of a process; empty when it cannot be had.
std::string ProcessImagePath(DWORD processId);

class CAutoSwitch : public CMsgHandler {
  public:
    // The profiles the user opened lately, newest first.
    using RecentProfiles = std::function<std::vector<std::string>()>;
    // A switch put `profilePath` on the pad (empty: the copy of what the pad
    // held before the first switch) for `program` (empty: given back after
    // a game).
    using PadReport =
        std::function<void(const std::string& profilePath, const std::string& program)>;

    // settingsRoot: "Software\MARVENTA\<program base name>" under HKCU;
    // balloon: shows a text from the program's tray icon; recent: the
    // program's recent files, which the dialog offers for a new rule;
    // published: told after each profile this object put on the pad.
    CAutoSwitch(DriverHost& host, std::string settingsRoot,
                std::function<void(const std::string&)> balloon, RecentProfiles recent,
                PadReport published);
    ~CAutoSwitch() override;

    // Reads the rules and the switch, hooks when switching is on, and
    // watches the registry. `window` gets the posted messages.
    void Start(HWND window);
    void Stop();
    // The program closes, or the Windows session ends: a game's profile on
    // the pad gives way to the one from before it, as the game's end would.
    void End();
    // APPLY, OK, a tray recent file or a hotkey put `path` (empty: an
    // unsaved profile) on the pad; `why` as Switcher::ManualApply takes it.
    void ManualApply(const std::string& path, const std::string& why = {});
    // Told after each change under the settings key, once this object has
    // taken it: others keeping values there need no watch of their own.
    void OnSettingsChange(std::function<void()> changed) { settingsChanged_ = std::move(changed); }

    bool IsOn() const { return on_; }
    void SetOn(bool on);
    RuleStorage& Storage() { return storage_; }
    std::vector<std::string> RecentProfilePaths() const {
        return recent_ ? recent_() : std::vector<std::string>();
    }
    const Switcher& Decisions() const { return switcher_; }
    // After the rules were edited here.
    void ReloadRules();
    // A rule tried from the dialog, and the end of the try when it closes.
    void TryRule(const Rule& rule) { Carry(switcher_.Try(rule)); }
    void EndTry() { Carry(switcher_.EndTry()); }

  protected:
    const MessageMap& GetMessageMap() const override;

  private:
    struct HookTraits {
        using Type = HWINEVENTHOOK;
        static Type Invalid() { return nullptr; }
        static void Close(Type hook) { ::UnhookWinEvent(hook); }
    };

    static void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD thread, DWORD time);

    void Foreground(HWND window);
    void Carry(const std::vector<SwitchAction>& actions);
    void Publish(const std::string& path);
    void WatchProcess(std::uint32_t processId);
    void EndWatch(std::uint32_t processId);
    // Watches the settings key, made first with `create`.
    void WatchSettings(bool create);
    void OpenSettingsKey(bool create);
    void ApplySwitch();

    LRESULT OnProcessEnded(WPARAM processId, LPARAM);
    LRESULT OnSettingsChanged(WPARAM, LPARAM);
    LRESULT OnInitMenuPopup(WPARAM menu, LPARAM);
    void OnAutoProfiles();

    DriverHost& host_;
    std::function<void(const std::string&)> balloon_;
    RecentProfiles recent_;
    PadReport published_;
    std::function<void()> settingsChanged_;
    RegistryRuleStorage storage_;
    Switcher switcher_;
    HWND window_ = nullptr;
    bool on_ = false;
    Handle<HookTraits> hook_;
    // The processes of switched games, until they end.
    std::map<std::uint32_t, UniqueKernel> watches_;
    // A profile this object publishes: never the one open in the main window.
    struct HeldProfile {
        ProfileImage image;
        SummaryBlock summary;
    };
    // What the pad held before the first automatic switch, when that was no file.
    std::unique_ptr<HeldProfile> padCopy_;
    UniqueKey settingsKey_;
    // settingsKey_ is a key above the settings, which are gone.
    bool watchingAncestor_ = false;
    UniqueKernel settingsEvent_;
    // Declared last: destroyed first, so it never waits on a closed handle.
    HandleWaiter waiter_;
};

}  // namespace gd
