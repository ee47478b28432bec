#include "autoswitch/switcher.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "resource.h"
#include "string_table.h"

namespace gd {
namespace {

// A rule as reportedBroken_ keeps it: edited, it may be broken anew.
std::string BrokenKey(const Rule& rule) {
    return rule.name + '\n' + rule.profile;
}

}  // namespace

std::string ProfileFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

Switcher::Switcher(ProfileCheck check, std::function<std::string()> clock)
    : check_(std::move(check)), clock_(std::move(clock)) {}

void Switcher::SetRules(std::vector<Rule> rules) {
    rules_ = std::move(rules);
    // A rule edited since may be sound now, or broken in a new way; one
    // unchanged was reported already, whatever else was written meanwhile.
    std::erase_if(reportedBroken_, [this](const std::string& key) {
        return std::none_of(rules_.begin(), rules_.end(),
                            [&key](const Rule& rule) { return BrokenKey(rule) == key; });
    });
    // A process holds the switch only while its rule still keeps this
    // profile while it runs: a rule made front-only, changed or removed for a
    // running game takes effect now, not after the game ends.
    if (active_ && active_->kind == RuleKind::WhileRunning) {
        std::erase_if(active_->processes, [this](const auto& process) {
            const Rule* rule = MatchRule(rules_, process.second);
            return rule == nullptr || rule->kind != RuleKind::WhileRunning ||
                   !SameTextIgnoringCase(rule->profile, active_->profile);
        });
        if (active_->processes.empty()) {
            active_->kind = RuleKind::WhileInFront;
        }
    }
}

std::optional<std::string> Switcher::ActiveProfile() const {
    if (!active_) {
        return std::nullopt;
    }
    return active_->profile;
}

std::vector<SwitchAction> Switcher::Foreground(std::uint32_t processId,
                                               const std::string& imagePath) {
    std::vector<SwitchAction> actions;
    const std::string program = ProgramName(imagePath);
    const Rule* rule = MatchRule(rules_, imagePath);
    if (active_ && active_->tried) {
        // Any program in front ends a try, and then goes by its own rule.
        ReturnBack(program, FindString(IDS_WHY_TRY_ENDED), actions);
        if (rule == nullptr) {
            return actions;
        }
    }
    if (rule == nullptr) {
        if (active_ && active_->kind == RuleKind::WhileInFront) {
            ReturnBack(program, FindString(IDS_WHY_LEFT_FRONT), actions);
        } else if (active_) {
            Record(program, active_->profile, FillString(IDS_WHY_STAYS, {active_->program}));
        } else {
            Record(program, "", FindString(IDS_WHY_NO_RULE));
        }
        return actions;
    }
    if (active_ && SameTextIgnoringCase(active_->profile, rule->profile)) {
        // Alt-Tab between a game and its launcher, or two windows of one
        // game: the pad has this profile already. The switch now also lasts
        // while this process runs.
        if (rule->kind == RuleKind::WhileRunning) {
            active_->kind = RuleKind::WhileRunning;
            if (active_->processes.emplace(processId, imagePath).second) {
                actions.push_back({SwitchAction::Kind::Watch, "", "", processId});
            }
        }
        Record(program, rule->profile, FindString(IDS_WHY_SAME_PROFILE));
        return actions;
    }
    if (std::optional<std::string> reason = check_(rule->profile)) {
        if (reportedBroken_.insert(BrokenKey(*rule)).second) {
            actions.push_back({SwitchAction::Kind::Balloon, "",
                               FillString(IDS_AUTO_UNREADABLE, {rule->profile}), 0});
        }
        Record(program, rule->profile, FillString(IDS_WHY_UNREADABLE, {*reason}));
        return actions;
    }
    SwitchTo(*rule, processId, imagePath, actions);
    return actions;
}

void Switcher::RememberPadOnce(std::vector<SwitchAction>& actions) {
    if (returnTo_.empty() && !padRemembered_) {
        padRemembered_ = true;
        nothingRemembered_ = false;
        actions.push_back({SwitchAction::Kind::RememberPad, "", "", 0});
    }
}

bool Switcher::MayPublish(const Rule& rule, const std::string& program,
                          std::vector<SwitchAction>& actions) {
    if (active_ && SameTextIgnoringCase(active_->profile, rule.profile)) {
        Record(program, rule.profile, FindString(IDS_WHY_SAME_PROFILE));
        return false;
    }
    if (std::optional<std::string> reason = check_(rule.profile)) {
        actions.push_back(
            {SwitchAction::Kind::Balloon, "", FillString(IDS_AUTO_UNREADABLE, {rule.profile}), 0});
        Record(program, rule.profile, FillString(IDS_WHY_UNREADABLE, {*reason}));
        return false;
    }
    return true;
}

std::vector<SwitchAction> Switcher::Try(const Rule& rule) {
    std::vector<SwitchAction> actions;
    const std::string program = rule.IsFolder() ? rule.name : ProgramName(rule.name);
    if (!MayPublish(rule, program, actions)) {
        return actions;
    }
    RememberPadOnce(actions);
    active_ = Active{rule.profile, program, RuleKind::WhileInFront, {}, true};
    actions.push_back({SwitchAction::Kind::Publish, rule.profile, "", 0});
    actions.push_back({SwitchAction::Kind::Balloon, "",
                       FillString(IDS_AUTO_SWITCHED, {ProfileFileName(rule.profile), program}), 0});
    Record(program, rule.profile, FindString(IDS_WHY_TRIED));
    return actions;
}

std::vector<SwitchAction> Switcher::EndTry() {
    std::vector<SwitchAction> actions;
    if (Trying()) {
        ReturnBack(active_->program, FindString(IDS_WHY_TRY_ENDED), actions);
    }
    return actions;
}

void Switcher::SwitchTo(const Rule& rule, std::uint32_t processId, const std::string& imagePath,
                        std::vector<SwitchAction>& actions) {
    const std::string program = ProgramName(imagePath);
    RememberPadOnce(actions);
    active_ = Active{rule.profile, program, rule.kind, {}};
    actions.push_back({SwitchAction::Kind::Publish, rule.profile, "", 0});
    actions.push_back({SwitchAction::Kind::Balloon, "",
                       FillString(IDS_AUTO_SWITCHED, {ProfileFileName(rule.profile), program}), 0});
    if (rule.kind == RuleKind::WhileRunning) {
        active_->processes.emplace(processId, imagePath);
        actions.push_back({SwitchAction::Kind::Watch, "", "", processId});
    }
    Record(program, rule.profile, FindString(IDS_WHY_SWITCHED));
}

void Switcher::ReturnBack(std::string program, const std::string& why,
                          std::vector<SwitchAction>& actions) {
    const std::string leaving = active_ ? active_->profile : std::string();
    active_.reset();
    // The copy is handed back now; the next switch remembers the pad anew.
    padRemembered_ = false;
    if (returnTo_.empty() && nothingRemembered_) {
        actions.push_back({SwitchAction::Kind::Balloon, "",
                           FillString(IDS_AUTO_STAYS, {ProfileFileName(leaving)}), 0});
        Record(std::move(program), leaving, why);
        return;
    }
    const std::string shown =
        returnTo_.empty() ? std::string(FindString(IDS_AUTO_EARLIER)) : ProfileFileName(returnTo_);
    if (!returnTo_.empty()) {
        if (std::optional<std::string> reason = check_(returnTo_)) {
            actions.push_back(
                {SwitchAction::Kind::Balloon, "", FillString(IDS_AUTO_UNREADABLE, {returnTo_}), 0});
            Record(program, returnTo_, FillString(IDS_WHY_UNREADABLE, {*reason}));
            return;
        }
    }
    actions.push_back({SwitchAction::Kind::Publish, returnTo_, "", 0});
    actions.push_back({SwitchAction::Kind::Balloon, "", FillString(IDS_AUTO_RETURNED, {shown}), 0});
    Record(std::move(program), returnTo_.empty() ? shown : returnTo_, why);
}

std::vector<SwitchAction> Switcher::ProcessEnded(std::uint32_t processId) {
    std::vector<SwitchAction> actions;
    if (!active_ || active_->processes.erase(processId) == 0 || !active_->processes.empty()) {
        return actions;
    }
    ReturnBack(active_->program, FindString(IDS_WHY_PROGRAM_ENDED), actions);
    return actions;
}

void Switcher::ManualApply(const std::string& path, const std::string& why) {
    // The pad holds the user's choice now: that is what comes back after
    // the next game, and no game's end takes it away.
    returnTo_ = path;
    active_.reset();
    padRemembered_ = false;
    Record("", path, why.empty() ? std::string(FindString(IDS_WHY_MANUAL)) : why);
}

void Switcher::Stop() {
    active_.reset();
}

std::vector<SwitchAction> Switcher::End() {
    std::vector<SwitchAction> actions;
    if (active_) {
        ReturnBack(active_->program, FindString(IDS_WHY_CLOSED), actions);
    }
    return actions;
}

void Switcher::Record(std::string program, std::string profile, const std::string& why) {
    SwitchDecision decision{clock_ ? clock_() : std::string(), std::move(program),
                            std::move(profile), why};
    // Alt-Tab back and forth repeats one decision; once is enough to see why.
    if (!history_.empty() && history_.front().program == decision.program &&
        history_.front().profile == decision.profile && history_.front().why == why) {
        history_.front().time = decision.time;
        return;
    }
    history_.push_front(std::move(decision));
    if (history_.size() > kHistory) {
        history_.pop_back();
    }
}

}  // namespace gd
