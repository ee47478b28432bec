#pragma once
// Profile hotkeys kept in memory, as the registry would keep them: value
// names compare without regard to case, as the registry's do.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "autoswitch/auto_switch_rules.h"
#include "autoswitch/profile_hotkeys.h"

namespace gd::testing {

class MemoryHotkeys : public HotkeyStorage {
  public:
    std::vector<std::pair<std::string, std::string>> ReadValues() override {
        return {values.begin(), values.end()};
    }
    bool WriteValue(const std::string& name, const std::string& data) override {
        if (readOnly) {
            return false;
        }
        for (auto& [stored, old] : values) {
            if (SameTextIgnoringCase(stored, name)) {
                old = data;
                return true;
            }
        }
        values[name] = data;
        return true;
    }
    bool DeleteValue(const std::string& name) override {
        std::erase_if(values,
                      [&](const auto& value) { return SameTextIgnoringCase(value.first, name); });
        return true;
    }
    std::map<std::string, std::string> values;
    bool readOnly = false;
};

}  // namespace gd::testing
