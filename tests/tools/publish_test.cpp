#include "gpxtool/publish.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/driverlink_fake_host.h"
#include "gpxtool/command_line.h"
#include "profile/image.h"
#include "profile/profile_file.h"
#include "test_profiles.h"

namespace gpxtool {
namespace {

using gd::testing::FakeDriverHost;

constexpr char kPackagePath[] = "C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg";

class PublishTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::SetAction(profile_.slot(0), gd::SlotType::SingleKey, 0x0001001E);
        profile_.summary.resolution = gd::MakeResolution(1920, 1080);
        gd::WriteText(profile_.summary.name, "Night Raid");
        file_ = ::testing::TempDir() + "gpxtool_publish_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".gpx";
        const std::vector<std::uint8_t> bytes =
            gd::EncodeProfileFile(*profile_.image, profile_.summary);
        std::ofstream(file_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        host_.AddServiceKey();
    }
    void TearDown() override { std::remove(file_.c_str()); }

    int Run(const std::string& file) {
        Console console{out_, err_};
        return Publish(file, host_, console);
    }

    testing::Profile profile_;
    std::string file_;
    FakeDriverHost host_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(PublishTest, WithThePadTheDriverGetsTheProfileAndEachEffectIsReported) {
    host_.PlugInterfaces(true, true);

    EXPECT_EQ(Run(file_), kExitSuccess);

    EXPECT_EQ(host_.files.at(kPackagePath), gd::EncodePackage(*profile_.image, profile_.summary));
    const auto& values = host_.keys.at(std::string("HKLM\\") + gd::kServiceKey).values;
    EXPECT_EQ(values.at("Resolution").data, (std::vector<std::uint8_t>{0x38, 0x04, 0x80, 0x07}));
    EXPECT_EQ(out_.str(),
              "package: written C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg\n"
              "driver values: set under HKLM\\SYSTEM\\CurrentControlSet\\Services\\velqorgpx "
              "(Package, Resolution 1920x1080)\n"
              "driver interface: opened, the pad's driver took the profile\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(PublishTest, EffectsThatFailAreReportedWhileTheOthersStillHappen) {
    // No pad: the package and values wait for it, which a script can tell apart.
    EXPECT_EQ(Run(file_), kExitNotOpened);
    EXPECT_EQ(host_.files.count(kPackagePath), 1u);
    EXPECT_NE(out_.str().find("driver values: set"), std::string::npos);
    EXPECT_NE(out_.str().find("driver interface: not opened"), std::string::npos);

    // No service key: a failure even though the package and the pad were fine.
    host_.keys.clear();
    host_.PlugInterfaces(true, true);
    out_.str("");
    EXPECT_EQ(Run(file_), kExitRefused);
    EXPECT_NE(out_.str().find("driver values: not set"), std::string::npos);
    EXPECT_NE(out_.str().find("driver interface: opened"), std::string::npos);

    host_.AddServiceKey();
    host_.filesWritable = false;
    out_.str("");
    EXPECT_EQ(Run(file_), kExitRefused);
    EXPECT_NE(out_.str().find("package: not written C:\\WINDOWS"), std::string::npos);
}

TEST_F(PublishTest, ARefusedFileReachesNeitherTheDriverNorTheRegistry) {
    std::ofstream(file_, std::ios::binary) << "VQR  GPX but nothing a profile holds";

    EXPECT_EQ(Run(file_), kExitRefused);

    EXPECT_TRUE(host_.calls.empty());
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str().rfind("gpxtool: " + file_ + ": ", 0), 0u) << err_.str();
}

TEST(PublishCommandLine, IsOfferedOnlyWithADriverHost) {
    std::ostringstream out;
    std::ostringstream err;
    const char* argv[] = {"gpxtool", "publish", "raid.gpx"};
    EXPECT_EQ(RunCommandLine(3, argv, out, err), kExitUsage);

    FakeDriverHost host;
    err.str("");
    EXPECT_EQ(RunCommandLine(3, argv, out, err, &host), kExitRefused);
    EXPECT_NE(err.str().find("gpxtool: raid.gpx: "), std::string::npos) << err.str();
}

TEST_F(PublishTest, TheInterfaceLineClaimsNoProfileTheDriverWasNotGiven) {
    struct Case {
        bool packageWritable;
        bool padPresent;
        const char* line;
    };
    const Case cases[] = {
        {false, true, "driver interface: opened\n"},
        {false, false, "driver interface: not opened (pad or driver absent)\n"},
    };
    for (const Case& c : cases) {
        host_.filesWritable = c.packageWritable;
        host_.interfacePaths.clear();
        host_.PlugInterfaces(c.padPresent, c.padPresent);
        out_.str("");
        EXPECT_EQ(Run(file_), kExitRefused);
        const std::string out = out_.str();
        EXPECT_EQ(out.substr(out.find("driver interface:")), c.line);
    }
}

}  // namespace
}  // namespace gpxtool
