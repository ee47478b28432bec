#pragma once
// gpxtool autoswitch: the rules that put a profile on the pad when a program
// comes to the front, and the switch that turns them on, in the same values
// the program reads.
#include <string>

#include "autoswitch/auto_switch_rules.h"
#include "gpxtool/commands.h"

namespace gpxtool {

// `path` as a full path, against the current folder: the program that reads
// it may run in another.
std::string FullPath(const std::string& path);

// "switching: on|off", then one line per rule: "NAME -> PROFILE", with
// " (only while in front)" for front-only rules.
int ListRules(gd::RuleStorage& rules, Console& console);
// A folder that exists names a folder rule even without its final backslash;
// the profile is stored with its full path. Refused (1, one line) for an
// empty name or a profile that cannot be read.
int AddRule(gd::RuleStorage& rules, const std::string& programOrFolder, const std::string& profile,
            bool frontOnly, Console& console);
int RemoveRule(gd::RuleStorage& rules, const std::string& programOrFolder, Console& console);
int SetSwitching(gd::RuleStorage& rules, bool on, Console& console);

}  // namespace gpxtool
