#include <gtest/gtest.h>

#include <string>

#include "app/user_guide.h"

namespace gd {
namespace {

// Files that exist, documents that open, and what the user was told.
class RecordingGuideHost : public GuideHost {
  public:
    bool FileExists(const std::string& path) override { return path == existing; }
    bool OpenDocument(const std::string& path) override {
        log += "open " + path + "\n";
        return opens;
    }
    void ReportMissing(const std::string& path) override { log += "missing " + path + "\n"; }
    void ReportNotOpened(const std::string& path) override { log += "not opened " + path + "\n"; }

    std::string existing;
    bool opens = true;
    std::string log;
};

TEST(UserGuide, IsTheReadmeBesideTheProgramAndAnyFailureIsReported) {
    EXPECT_EQ(UserGuidePath("C:\\Program Files\\Gripdeck\\gripdeck.exe"),
              "C:\\Program Files\\Gripdeck\\README.txt");
    EXPECT_EQ(UserGuidePath("D:/Portable Gripdeck/gripdeck.exe"),
              "D:/Portable Gripdeck/README.txt");
    EXPECT_EQ(UserGuidePath("gripdeck.exe"), "README.txt");

    const std::string program = "C:\\Program Files\\Gripdeck\\gripdeck.exe";
    const std::string guide = "C:\\Program Files\\Gripdeck\\README.txt";
    RecordingGuideHost host;
    OpenUserGuide(host, program);
    EXPECT_EQ(host.log, "missing " + guide + "\n");

    host.log.clear();
    host.existing = guide;
    OpenUserGuide(host, program);
    EXPECT_EQ(host.log, "open " + guide + "\n");

    host.log.clear();
    host.opens = false;
    OpenUserGuide(host, program);
    EXPECT_EQ(host.log, "open " + guide + "\nnot opened " + guide + "\n");
}

}  // namespace
}  // namespace gd
