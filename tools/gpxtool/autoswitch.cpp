#include "gpxtool/autoswitch.h"

#include <filesystem>
#include <system_error>

#include "profile/windows_path.h"

namespace gpxtool {

// Rules are read by a program that may run in another folder: paths are kept
// whole. A full one is left to the rules to put in their form:
// std::filesystem::absolute reads "\\?\C:\Games" as the folder "\?\C:\Games"
// under the current drive's root.
std::string FullPath(const std::string& path) {
    if (gd::IsFullPath(path)) {
        return path;
    }
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

namespace {

std::string RuleInput(const std::string& programOrFolder) {
    std::error_code error;
    if (programOrFolder.empty() || programOrFolder.back() == '\\' ||
        programOrFolder.back() == '/' || !std::filesystem::is_directory(programOrFolder, error)) {
        return programOrFolder;
    }
    return FullPath(programOrFolder) + '\\';
}

}  // namespace

int ListRules(gd::RuleStorage& rules, Console& console) {
    console.out << "switching: " << (rules.SwitchingOn() ? "on" : "off") << '\n';
    for (const gd::Rule& rule : gd::LoadRules(rules)) {
        console.out << rule.name << " -> " << rule.profile
                    << (rule.kind == gd::RuleKind::WhileInFront ? " (only while in front)" : "")
                    << '\n';
    }
    return kExitSuccess;
}

int AddRule(gd::RuleStorage& rules, const std::string& programOrFolder, const std::string& profile,
            bool frontOnly, Console& console) {
    const std::string fullProfile = profile.empty() ? profile : FullPath(profile);
    const std::optional<gd::RuleRefusal> refusal = gd::AddRule(
        rules, RuleInput(programOrFolder), fullProfile,
        frontOnly ? gd::RuleKind::WhileInFront : gd::RuleKind::WhileRunning, gd::CheckProfileFile);
    if (refusal) {
        return Refuse(console, refusal->subject, refusal->reason);
    }
    console.out << gd::RuleName(RuleInput(programOrFolder)) << " -> " << fullProfile << '\n';
    return kExitSuccess;
}

int RemoveRule(gd::RuleStorage& rules, const std::string& programOrFolder, Console& console) {
    if (!gd::RemoveRule(rules, RuleInput(programOrFolder))) {
        return Refuse(console, programOrFolder, "no rule has this name");
    }
    return kExitSuccess;
}

int SetSwitching(gd::RuleStorage& rules, bool on, Console& console) {
    if (!rules.SetSwitchingOn(on)) {
        return Refuse(console, "AutoSwitch", "the setting cannot be written");
    }
    return kExitSuccess;
}

}  // namespace gpxtool
