#include "autoswitch/auto_switch_rules.h"

#include <algorithm>
#include <map>
#include <memory>

#include "profile/profile_file.h"
#include "profile/records.h"
#include "profile/windows_path.h"

namespace gd {
namespace {

char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerChar);
    return lower;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerChar(x) == LowerChar(y);
           });
}

std::string ProgramName(std::string_view imagePath) {
    const std::size_t slash = imagePath.find_last_of("\\/");
    return LowerAscii(WithoutTrailingDotsAndSpaces(
        slash == std::string_view::npos ? imagePath : imagePath.substr(slash + 1)));
}

std::string RuleName(std::string_view programOrFolder) {
    std::string text = BackslashPath(programOrFolder);
    const std::size_t slash = text.rfind('\\');
    const std::string_view last =
        std::string_view(text).substr(slash == std::string::npos ? 0 : slash + 1);
    if (text.empty() || (text.back() != '\\' && last != "." && last != "..")) {
        return ProgramName(last);
    }
    if (IsFullPath(text)) {
        // The form the system gives a running program's path, which is what
        // MatchRule compares with: a rule in any other form would never apply.
        std::string folder = CanonicalPath(text);
        if (folder.back() != '\\') {
            folder += '\\';
        }
        return folder;
    }
    // Not a place of its own: kept as typed for RemoveRule, refused by AddRule.
    if (text.back() != '\\') {
        text += '\\';
    }
    while (text.size() > 1 && text[text.size() - 2] == '\\') {
        text.pop_back();
    }
    // A lone backslash names no folder.
    return text.size() > 1 ? text : std::string();
}

std::vector<Rule> LoadRules(RuleStorage& storage) {
    std::map<std::string, Rule> byName;
    for (RuleKind kind : {RuleKind::WhileInFront, RuleKind::WhileRunning}) {
        for (auto& [name, profile] : storage.ReadValues(kind)) {
            if (!name.empty() && !profile.empty()) {
                // The registry's names ignore case; so do the rules'.
                const std::string key = LowerAscii(name);
                byName[key] = Rule{name, profile, kind};
            }
        }
    }
    std::vector<Rule> rules;
    rules.reserve(byName.size());
    for (auto& entry : byName) {
        rules.push_back(std::move(entry.second));
    }
    return rules;
}

std::optional<std::string> CheckProfileFile(const std::string& path) {
    auto image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    const FileError error = ReadProfileFile(path, *image, summary);
    if (error == FileError::None) {
        return std::nullopt;
    }
    return std::string(DescribeFileError(error));
}

ProfileCheck RememberingCheck(ProfileCheck check, FileStampSource stamp) {
    struct Verdict {
        FileStamp stamp;
        std::optional<std::string> reason;
    };
    auto verdicts = std::make_shared<std::map<std::string, Verdict>>();
    return [check = std::move(check), stamp = std::move(stamp),
            verdicts](const std::string& path) -> std::optional<std::string> {
        const std::optional<FileStamp> now = stamp(path);
        if (!now) {
            verdicts->erase(path);
            return check(path);
        }
        const auto found = verdicts->find(path);
        if (found != verdicts->end() && found->second.stamp == *now) {
            return found->second.reason;
        }
        std::optional<std::string> reason = check(path);
        (*verdicts)[path] = Verdict{*now, reason};
        return reason;
    };
}

std::optional<RuleRefusal> AddRule(RuleStorage& storage, std::string_view programOrFolder,
                                   const std::string& profile, RuleKind kind,
                                   const ProfileCheck& check) {
    const std::string name = RuleName(programOrFolder);
    if (name.empty()) {
        return RuleRefusal{"program", "the program or folder name is empty"};
    }
    if (name.back() == '\\' && !IsFullPath(name)) {
        // Taken against whatever folder the program runs in, it would name
        // another place on every machine and start.
        return RuleRefusal{name, "a folder needs its full path, such as D:\\Games\\"};
    }
    if (name.size() > kLongestRuleName) {
        return RuleRefusal{"program", "the program or folder name is too long"};
    }
    if (profile.empty()) {
        return RuleRefusal{name, "the profile name is empty"};
    }
    if (std::optional<std::string> reason = check(profile)) {
        return RuleRefusal{profile, *reason};
    }
    const RuleKind other =
        kind == RuleKind::WhileRunning ? RuleKind::WhileInFront : RuleKind::WhileRunning;
    if (!storage.WriteValue(kind, name, profile) || !storage.DeleteValue(other, name)) {
        return RuleRefusal{name, "the rule cannot be written"};
    }
    return std::nullopt;
}

bool RemoveRule(RuleStorage& storage, std::string_view programOrFolder) {
    // A value named by the very text (one a script wrote as "D:/Games/", say,
    // as the rules list shows it) goes alone; the rule the text names as
    // gpxtool add would name it only when no value has the text itself.
    const std::string name = RuleName(programOrFolder);
    std::vector<std::pair<RuleKind, std::string>> asGiven;
    std::vector<std::pair<RuleKind, std::string>> asNamed;
    for (RuleKind kind : {RuleKind::WhileRunning, RuleKind::WhileInFront}) {
        for (const auto& value : storage.ReadValues(kind)) {
            if (!programOrFolder.empty() && SameTextIgnoringCase(value.first, programOrFolder)) {
                asGiven.emplace_back(kind, value.first);
            } else if (!name.empty() && SameTextIgnoringCase(value.first, name)) {
                asNamed.emplace_back(kind, value.first);
            }
        }
    }
    bool found = false;
    for (const auto& [kind, value] : asGiven.empty() ? asNamed : asGiven) {
        found = storage.DeleteValue(kind, value) || found;
    }
    return found;
}

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    return !part.empty() && LowerAscii(text).find(LowerAscii(part)) != std::string::npos;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<std::string> SuggestProfile(const std::vector<ProfileGame>& profiles,
                                          std::string_view windowTitle,
                                          std::string_view programName) {
    std::string_view base = programName;
    if (const std::size_t dot = base.rfind('.'); dot != std::string_view::npos) {
        base = base.substr(0, dot);
    }
    for (const ProfileGame& profile : profiles) {
        const std::string_view game = Trimmed(profile.game);
        if (game.empty()) {
            continue;
        }
        if (ContainsIgnoringCase(windowTitle, game) ||
            (base.size() >= 3 && ContainsIgnoringCase(game, base))) {
            return profile.path;
        }
    }
    return std::nullopt;
}

const Rule* MatchRule(const std::vector<Rule>& rules, std::string_view imagePath) {
    const std::string path = CanonicalPath(imagePath);
    const std::string program = ProgramName(path);
    const Rule* folderMatch = nullptr;
    std::size_t folderLength = 0;
    for (const Rule& rule : rules) {
        // Names written into the registry by hand are taken as AddRule
        // would have stored them.
        const std::string name = RuleName(rule.name);
        if (name.empty()) {
            continue;
        }
        if (name.back() != '\\') {
            if (!program.empty() && SameTextIgnoringCase(name, program)) {
                return &rule;
            }
            continue;
        }
        const bool holds =
            IsFullPath(name) && path.size() > name.size() &&
            SameTextIgnoringCase(std::string_view(path).substr(0, name.size()), name);
        if (holds && name.size() > folderLength) {
            folderMatch = &rule;
            folderLength = name.size();
        }
    }
    return folderMatch;
}

}  // namespace gd
