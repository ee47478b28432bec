#pragma once
// gpxtool's commands that keep settings (automatic-profile rules, hotkeys),
// run through its command line on a store kept in memory, with a profile
// file on disk for them to name.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/profile_samples.h"
#include "gpxtool/command_line.h"
#include "profile/profile_file.h"

namespace gpxtool {

class SettingsCommandTest : public ::testing::Test {
  protected:
    explicit SettingsCommandTest(const char* command)
        : command_(command),
          profile_(::testing::TempDir() + "gpxtool_" + command + "_" +
                   std::to_string(std::random_device{}()) + ".gpx") {}

    void SetUp() override {
        gd::testing::Profile profile;
        const std::vector<std::uint8_t> bytes =
            gd::EncodeProfileFile(*profile.image, profile.summary);
        ASSERT_TRUE(gd::WriteFileAtomically(profile_, bytes.data(), bytes.size()));
    }
    void TearDown() override { std::remove(profile_.c_str()); }

    // `gpxtool COMMAND arguments...`, with the stores the subclass keeps.
    int RunWith(std::vector<const char*> arguments, gd::RuleStorage* rules,
                gd::HotkeyStorage* hotkeys) {
        arguments.insert(arguments.begin(), {"gpxtool", command_});
        out_.str("");
        err_.str("");
        return RunCommandLine(static_cast<int>(arguments.size()), arguments.data(), out_, err_,
                              nullptr, rules, hotkeys);
    }

    const char* command_;
    const std::string profile_;
    std::ostringstream out_;
    std::ostringstream err_;
};

}  // namespace gpxtool
