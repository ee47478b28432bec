#pragma once
// Decides which profile the pad gets as programs come to the front and end.
// It sees events and answers with actions; the caller carries them out in
// order (publish, balloon, watch a process), so nothing here touches the
// system.
//
// The profile to return to is the one on the pad before the first automatic
// switch: the last manual apply (APPLY, OK, a recent file from the tray), or,
// before any, what the pad held when the switch came, which the caller keeps
// a copy of when asked (RememberPad). A switch made by a WhileRunning rule
// stays while any of its programs' processes runs, whatever is in front; one
// made by a WhileInFront rule ends as soon as a program without a rule comes
// to the front. A program with another profile's rule takes over at once; a
// program whose rule names the profile already on the pad publishes nothing.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "autoswitch/auto_switch_rules.h"

namespace gd {

struct SwitchAction {
    enum class Kind {
        RememberPad,  // keep a copy of what the pad holds now: it is the one to return to
        Publish,      // publish `path`; an empty path publishes the copy RememberPad kept
        Balloon,      // show `text` from the tray icon
        Watch,        // report processEnded(processId) when that process ends
    };
    Kind kind;
    std::string path;
    std::string text;
    std::uint32_t processId = 0;

    friend bool operator==(const SwitchAction&, const SwitchAction&) = default;
};

// One line of the history the dialog shows: when, which program, which
// profile, and why.
struct SwitchDecision {
    std::string time;
    std::string program;
    std::string profile;
    std::string why;

    friend bool operator==(const SwitchDecision&, const SwitchDecision&) = default;
};

class Switcher {
  public:
    static constexpr std::size_t kHistory = 20;

    // `check` tells whether a profile can be read; `clock` gives the time
    // text of a decision.
    Switcher(ProfileCheck check, std::function<std::string()> clock);

    void SetRules(std::vector<Rule> rules);
    const std::vector<Rule>& Rules() const { return rules_; }

    // A window of the process came to the front; imagePath is its full
    // program path (empty when it could not be had).
    std::vector<SwitchAction> Foreground(std::uint32_t processId, const std::string& imagePath);
    std::vector<SwitchAction> ProcessEnded(std::uint32_t processId);
    // The user put `path` on the pad; empty for a profile without a file.
    // `why` says how in the history (a hotkey, the tray); empty: by hand.
    void ManualApply(const std::string& path, const std::string& why = {});
    // Switching was turned off: the pad keeps what it has and the return-to
    // profile stays, the copy RememberPad kept included.
    void Stop();
    // The program closes: a switch in force ends as its game's end would,
    // so that no game's profile outlives the program on the pad.
    std::vector<SwitchAction> End();
    // RememberPad found nothing on the pad (no profile was ever applied):
    // the end of this switch has nothing to publish and says so.
    void NothingRemembered() { nothingRemembered_ = true; }

    // The user tries a rule without its game: its profile goes on the pad
    // as the rule's program coming to the front would put it there, and
    // stays until EndTry or until another program comes to the front.
    std::vector<SwitchAction> Try(const Rule& rule);
    // The try is over (the dialog it was made from closed): the profile
    // from before it comes back. Nothing when no try is in force.
    std::vector<SwitchAction> EndTry();
    bool Trying() const { return active_ && active_->tried; }

    // Newest first, at most kHistory.
    const std::deque<SwitchDecision>& History() const { return history_; }
    // The automatic switch in force, if any: its profile.
    std::optional<std::string> ActiveProfile() const;
    // The program the switch in force is for (its file name); empty when none is.
    std::string ActiveProgram() const { return active_ ? active_->program : std::string(); }

  private:
    struct Active {
        std::string profile;
        std::string program;
        RuleKind kind;
        // The processes that hold a WhileRunning switch, with their program paths.
        std::map<std::uint32_t, std::string> processes;
        bool tried = false;  // made by Try, not by a program
    };

    void SwitchTo(const Rule& rule, std::uint32_t processId, const std::string& imagePath,
                  std::vector<SwitchAction>& actions);
    // As Foreground for the rule's own program: false, with the balloon and
    // history line said, when its profile is on the pad already or unreadable.
    // Asks the caller to keep what the pad holds, unless a copy or a manual
    // apply already says what to return to.
    void RememberPadOnce(std::vector<SwitchAction>& actions);
    bool MayPublish(const Rule& rule, const std::string& program,
                    std::vector<SwitchAction>& actions);
    // Takes `program` by value: callers pass the active switch's own name,
    // which this resets.
    void ReturnBack(std::string program, const std::string& why,
                    std::vector<SwitchAction>& actions);
    void Record(std::string program, std::string profile, const std::string& why);

    ProfileCheck check_;
    std::function<std::string()> clock_;
    std::vector<Rule> rules_;
    std::optional<Active> active_;
    std::string returnTo_;  // empty: what the pad held before the first switch
    // The caller holds the copy RememberPad asked for; it stays the one to
    // return to until it is published back or a manual apply replaces it,
    // also across switching turned off and on while a game's profile is on
    // the pad.
    bool padRemembered_ = false;
    bool nothingRemembered_ = false;
    // Broken rules already reported, by name and profile.
    std::set<std::string> reportedBroken_;
    std::deque<SwitchDecision> history_;
};

// The last path component ("D:\Profiles\Racer.gpx" -> "Racer.gpx").
std::string ProfileFileName(const std::string& path);

}  // namespace gd
