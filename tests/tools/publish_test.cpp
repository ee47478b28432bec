#include "gpxtool/publish.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/driverlink_fake_host.h"
#include "gpxtool/command_line.h"
#include "profile/image.h"
#include "profile/profile_file.h"
#include "core/profile_samples.h"

namespace gpxtool {
namespace {

using gd::testing::FakeDriverHost;

constexpr char kPackagePath[] = "C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg";

class PublishTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gd::testing::SetAction(profile_.slot(0), gd::SlotType::SingleKey, 0x0001001E);
        profile_.summary.resolution = gd::MakeResolution(1920, 1080);
        const std::vector<std::uint8_t> bytes =
            gd::EncodeProfileFile(*profile_.image, profile_.summary);
        std::ofstream(file_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        host_.ServiceKey();
    }
    void TearDown() override { std::remove(file_.c_str()); }

    int Run() {
        out_.str("");
        Console console{out_, err_};
        return Publish(file_, host_, console);
    }
    bool Printed(const std::string& text) const {
        return out_.str().find(text) != std::string::npos;
    }

    gd::testing::Profile profile_;
    // Tests run in parallel processes: a file of its own for each.
    const std::string file_ =
        ::testing::TempDir() + "gpxtool_publish_" + std::to_string(std::random_device{}()) + ".gpx";
    FakeDriverHost host_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(PublishTest, WithThePadTheDriverGetsTheProfileAndEachEffectIsReported) {
    host_.PlugInterfaces(true, true);

    EXPECT_EQ(Run(), kExitSuccess);

    EXPECT_EQ(host_.files.at(kPackagePath), gd::EncodePackage(*profile_.image, profile_.summary));
    EXPECT_EQ(out_.str(),
              "package: written C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg\n"
              "driver values: set under HKLM\\SYSTEM\\CurrentControlSet\\Services\\velqorgpx "
              "(Package, Resolution 1920x1080)\n"
              "driver interface: opened, the pad's driver took the profile\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(PublishTest, EffectsThatFailAreReportedWhileTheOthersStillHappen) {
    // No pad: the package and values wait for it, which a script can tell apart.
    EXPECT_EQ(Run(), kExitNotOpened);
    EXPECT_EQ(host_.files.count(kPackagePath), 1u);
    EXPECT_TRUE(Printed("driver values: set") && Printed("driver interface: not opened"));

    // No service key: a failure even though the package and the pad were fine.
    host_.keys.clear();
    host_.PlugInterfaces(true, true);
    EXPECT_EQ(Run(), kExitRefused);
    EXPECT_TRUE(Printed("driver values: not set") && Printed("driver interface: opened"));

    // No package written: the interface line claims no profile the driver was not given.
    host_.ServiceKey();
    host_.filesWritable = false;
    EXPECT_EQ(Run(), kExitRefused);
    EXPECT_TRUE(Printed("package: not written C:\\WINDOWS"));
    EXPECT_TRUE(Printed("driver interface: opened\n"));
    host_.interfaces.clear();
    EXPECT_EQ(Run(), kExitRefused);
    EXPECT_TRUE(Printed("driver interface: not opened (pad or driver absent)\n"));
}

TEST_F(PublishTest, ARefusedFileReachesNeitherTheDriverNorTheRegistry) {
    std::ofstream(file_, std::ios::binary) << "VQR  GPX but nothing a profile holds";

    EXPECT_EQ(Run(), kExitRefused);

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
    EXPECT_EQ(RunCommandLine(3, argv, out, err, &host), kExitRefused);
    EXPECT_NE(err.str().find("gpxtool: raid.gpx: "), std::string::npos) << err.str();
}

// The installer's driver component: the program's reinstall, its outcome
// the exit status.
TEST(InstallDriverCommandLine, ReinstallsThroughTheHostAndTellsTheOutcome) {
    std::ostringstream out;
    std::ostringstream err;
    const char* argv[] = {"gpxtool", "install-driver"};
    EXPECT_EQ(RunCommandLine(2, argv, out, err), kExitUsage);

    FakeDriverHost installed;
    EXPECT_EQ(RunCommandLine(2, argv, out, err, &installed), kExitSuccess);
    EXPECT_EQ(installed.CallsStartingWith("ForceInstall").size(), 2u);
    ASSERT_EQ(installed.messages.size(), 1u);
    EXPECT_EQ(installed.messages[0].id, gd::kReinstallDoneString);

    FakeDriverHost failing;
    failing.failingInstalls.insert(gd::kMouseHardwareId);
    EXPECT_EQ(RunCommandLine(2, argv, out, err, &failing), kExitRefused);
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0].id, gd::kReinstallFailedString);
}

}  // namespace
}  // namespace gpxtool
