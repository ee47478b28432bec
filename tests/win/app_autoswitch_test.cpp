// Automatic profiles through the running program and the simulated pad: small window
// programs of the tests' own, copied under a game's name, come to the front and end.
#include <cstring>

#include "app_test_support.h"

namespace gd::apptest {
namespace {

constexpr char kRules[] = "Software\\MARVENTA\\gdtest\\AutoSwitch";
constexpr char kFrontRules[] = "Software\\MARVENTA\\gdtest\\AutoSwitchFront";

void WriteRule(const char* key, const char* program, const std::string& profile) {
    WriteValue(HKEY_CURRENT_USER, key, program, REG_SZ, profile.c_str(),
               static_cast<DWORD>(profile.size() + 1));
}

// The CRC of the image in the driver package: what the last publish handed over.
std::string PackageCrc() {
    auto image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    if (!ReadPackageFile(PackageFile(), *image, summary)) {
        return "none";
    }
    return Crc32Hex(image.get(), sizeof *image);
}

// A copy of the tests' window program named `name`, running: its window comes to the
// front as it starts.
class Game {
  public:
    explicit Game(const std::string& name) {
        const std::string path = Work(name);
        ::CopyFileA((ExeFolder() + "\\autoswitch_game.exe").c_str(), path.c_str(), FALSE);
        std::string line = Quoted(path) + " " + name;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info_)) {
            ::CloseHandle(info_.hThread);
            WaitFor([&] { return (window_ = ::FindWindowA("GripdeckTestGame", name.c_str())); });
        }
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    ~Game() {
        if (info_.hProcess != nullptr) {
            End();
            ::CloseHandle(info_.hProcess);
        }
    }

    // True once its window is in front. Under Wine an activation still under way in
    // the X server may take the front back: the window asks again until it holds it.
    bool InFront() const {
        int waited = 0;
        return WaitFor([&] {
            if (::GetForegroundWindow() == window_) {
                return true;
            }
            if (++waited % 25 == 0) {
                ComeToFront();
            }
            return false;
        });
    }
    void ComeToFront() const { ::PostMessageA(window_, WM_APP, 0, 0); }
    void End() {
        ::PostMessageA(window_, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(info_.hProcess, kLimitMs) != WAIT_OBJECT_0) {
            ::TerminateProcess(info_.hProcess, 1);
        }
    }

  private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

// Each test applies a profile of its own first, which makes it the one to return to.
class AutoSwitchTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        if (!IsSkipped() &&
            (!padsim::Available() || !FileExists(ExeFolder() + "\\autoswitch_game.exe"))) {
            GTEST_SKIP() << "padsimctl.exe or autoswitch_game.exe is not beside the tests";
        }
        if (IsSkipped()) {
            return;
        }
        ASSERT_EQ(Padsim("plug"), 0);
        ASSERT_TRUE(WriteProfile(before_, *MacroProfile("Bf", {1})));
        const DWORD on = 1;
        WriteValue(HKEY_CURRENT_USER, kSettings, "AutoSwitch", REG_DWORD, &on, sizeof on);
    }
    void TearDown() override {
        if (!IsSkipped()) {
            Padsim("unplug");
        }
    }

    // Starts the program with the profile from before and applies it.
    std::unique_ptr<Program> StartAndApply() {
        auto program = std::make_unique<Program>(Quoted(before_));
        HWND main = program->Main();
        EXPECT_NE(main, nullptr);
        EXPECT_TRUE(WaitFor([&] { return ApplyLook(main) == 1; }, kDeviceLimitMs));
        // Cleared first: a record left by an earlier test shows this same
        // profile, and a wait it ends early lets the next game come to the
        // front before the posted click, whose manual apply then rightly
        // takes the game's profile away.
        padsim::ClearRecord();
        ClickControl(main, IDC_APPLY);
        const std::string crc = Crc(before_);
        EXPECT_TRUE(WaitFor([&] { return RecordField("image_crc32") == crc; }, kDeviceLimitMs));
        return program;
    }

    static std::string Crc(const std::string& profile) {
        const ReadBack back = ReadProfile(profile);
        return Crc32Hex(back.image.get(), sizeof *back.image);
    }
    static std::string Profile(const std::string& name, const std::string& prefix) {
        const std::string path = Work(name);
        WriteProfile(path, *MacroProfile(prefix, {3}));
        return path;
    }

    const std::string before_ = Work("before auto.gpx");
};

TEST_F(AutoSwitchTest, AGameKeepsItsProfileWhileItRunsAndTheEarlierOneComesBack) {
    const std::string racer = Profile("Racer.gpx", "Rc");
    WriteRule(kRules, "racer.exe", racer);
    auto program = StartAndApply();

    padsim::ClearRecord();
    Game game("racer.exe");
    ASSERT_TRUE(game.InFront());
    // A device re-check may open the pad meanwhile and record what it holds:
    // wait for the switch's record itself.
    const std::string racerCrc = Crc(racer);
    EXPECT_TRUE(WaitFor([&] { return RecordField("image_crc32") == racerCrc; }, kDeviceLimitMs))
        << RecordField("image_crc32").value_or("no record");
    // The profile open in the window is not the one switched to.
    EXPECT_EQ(LabelText(program->FindMain(), 1), "Bf1");

    // Alt-Tab to another program, and back: the game's profile stays.
    {
        Game guide("guide.exe");
        ASSERT_TRUE(guide.InFront());
        program->Sync();
        EXPECT_EQ(PackageCrc(), Crc(racer));
        game.ComeToFront();
        ASSERT_TRUE(game.InFront());
        program->Sync();
        EXPECT_EQ(PackageCrc(), Crc(racer));
    }

    padsim::ClearRecord();
    game.End();
    const std::string beforeCrc = Crc(before_);
    EXPECT_TRUE(WaitFor([&] { return RecordField("image_crc32") == beforeCrc; }, kDeviceLimitMs))
        << RecordField("image_crc32").value_or("no record");
}

TEST_F(AutoSwitchTest, AFrontOnlyRuleGivesBackAtOnceAndABrokenRuleChangesNothing) {
    const std::string chess = Profile("Chess.gpx", "Ch");
    WriteRule(kFrontRules, "chess.exe", chess);
    WriteRule(kRules, "old.exe", Work("no such profile.gpx"));
    auto program = StartAndApply();

    // The tray menu shows switching as on.
    ::PostMessageA(program->FindMain(), kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = OpenPopupMenu(program->Pid())) != nullptr; }));
    const auto items = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
    EXPECT_NE(::GetMenuState(items, ID_OPTIONS_AUTO_PROFILES, MF_BYCOMMAND) & MF_CHECKED, 0u);
    CloseMenu(program->Pid());

    Game game("chess.exe");
    ASSERT_TRUE(game.InFront());
    EXPECT_TRUE(WaitFor([&] { return PackageCrc() == Crc(chess); }));
    Game other("notes.exe");
    ASSERT_TRUE(other.InFront());
    EXPECT_TRUE(WaitFor([&] { return PackageCrc() == Crc(before_); }));
    game.End();
    ASSERT_TRUE(other.InFront());
    program->Sync();
    EXPECT_EQ(PackageCrc(), Crc(before_));

    ::DeleteFileA(PackageFile().c_str());
    Game broken("old.exe");
    ASSERT_TRUE(broken.InFront());
    program->Sync();
    EXPECT_FALSE(FileExists(PackageFile()));
    EXPECT_FALSE(program->HasEnded());
}

}  // namespace
}  // namespace gd::apptest
