#pragma once
// Automatic-switching rules kept in memory, as the registry would keep them.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "autoswitch/auto_switch_rules.h"

namespace gd::testing {

class MemoryRules : public RuleStorage {
  public:
    std::vector<std::pair<std::string, std::string>> ReadValues(RuleKind kind) override {
        const auto& values = keys[kind];
        return {values.begin(), values.end()};
    }
    bool WriteValue(RuleKind kind, const std::string& name, const std::string& data) override {
        if (readOnly) {
            return false;
        }
        keys[kind][name] = data;
        return true;
    }
    bool DeleteValue(RuleKind kind, const std::string& name) override {
        keys[kind].erase(name);
        return true;
    }
    bool SwitchingOn() override { return on; }
    bool SetSwitchingOn(bool value) override {
        on = value;
        return true;
    }
    std::map<RuleKind, std::map<std::string, std::string>> keys;
    bool on = false;
    bool readOnly = false;
};

}  // namespace gd::testing
