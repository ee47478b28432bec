// Automatic profiles through the running program and the simulated pad: small window
// programs of the tests' own, copied under a game's name, come to the front and end.
#include <cstring>
#include <string>
#include <vector>

#include "autoswitch/rule_registry_win.h"
#include "fw/handle.h"

#include "app_test_support.h"

namespace gd::apptest {
namespace {

constexpr char kRules[] = "Software\\MARVENTA\\Gripdeck\\AutoSwitch";
constexpr char kFrontRules[] = "Software\\MARVENTA\\Gripdeck\\AutoSwitchFront";

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

// The main window's status line says whose profile the pad holds: the game's, for that
// program, and after the game the one from before.
TEST_F(AutoSwitchTest, TheStatusLineNamesTheGameAProfileIsFor) {
    const std::string rally = Profile("Rally stage.gpx", "Ry");
    WriteRule(kRules, "rally-stage.exe", rally);
    auto program = StartAndApply();
    HWND main = program->FindMain();

    Game game("rally-stage.exe");
    ASSERT_TRUE(game.InFront());
    EXPECT_TRUE(WaitFor([&] {
        return StatusText(main) == "Pad connected. Rally stage.gpx, automatic for rally-stage.exe";
    })) << StatusText(main);

    game.End();
    EXPECT_TRUE(WaitFor([&] {
        return StatusText(main) == "Pad connected. before auto.gpx, back after rally-stage.exe";
    })) << StatusText(main);
}

TEST_F(AutoSwitchTest, AFrontOnlyRuleGivesBackAtOnceAndABrokenRuleChangesNothing) {
    const std::string chess = Profile("Chess.gpx", "Ch");
    WriteRule(kFrontRules, "chess.exe", chess);
    WriteRule(kRules, "old.exe", Work("no such profile.gpx"));
    auto program = StartAndApply();

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

// Several copies of one game, started at once: each window comes to the front as it
// starts. Closed together.
class GameCopies {
  public:
    GameCopies(const std::string& name, int count) {
        const std::string path = Work(name);
        ::CopyFileA((ExeFolder() + "\\autoswitch_game.exe").c_str(), path.c_str(), FALSE);
        for (int i = 0; i < count; ++i) {
            std::string line = Quoted(path) + " copy " + std::to_string(i) + " of the game";
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION info{};
            // Seventy starts at once on a busy machine: Wine now and then
            // refuses one, and takes it a moment later.
            for (int attempt = 0; attempt < 5; ++attempt) {
                if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &info)) {
                    ::CloseHandle(info.hThread);
                    processes_.push_back(info.hProcess);
                    break;
                }
                ::Sleep(200);
            }
        }
    }
    GameCopies(const GameCopies&) = delete;
    GameCopies& operator=(const GameCopies&) = delete;
    ~GameCopies() {
        End();
        for (HANDLE process : processes_) {
            ::CloseHandle(process);
        }
    }

    std::size_t Count() const { return processes_.size(); }
    // True once every copy shows its window.
    bool AllShown() const {
        return WaitFor([&] {
            std::size_t shown = 0;
            HWND window = nullptr;
            while ((window = ::FindWindowExA(nullptr, window, "GripdeckTestGame", nullptr))) {
                shown += WindowText(window).find(" of the game") != std::string::npos ? 1 : 0;
            }
            return shown == processes_.size();
        });
    }
    void End() {
        HWND window = nullptr;
        while ((window = ::FindWindowExA(nullptr, window, "GripdeckTestGame", nullptr))) {
            if (WindowText(window).find(" of the game") != std::string::npos) {
                ::PostMessageA(window, WM_CLOSE, 0, 0);
            }
        }
        for (HANDLE process : processes_) {
            if (::WaitForSingleObject(process, kLimitMs) != WAIT_OBJECT_0) {
                ::TerminateProcess(process, 1);
            }
        }
    }

  private:
    std::vector<HANDLE> processes_;
};

// What the pad holds before the program starts, put there by another program.
void PutOnPad(const std::string& profile) {
    const ReadBack back = ReadProfile(profile);
    const std::vector<std::uint8_t> package = EncodePackage(*back.image, back.summary);
    ASSERT_TRUE(WriteFileInPlace(PackageFile(), package.data(), package.size()));
}

TEST_F(AutoSwitchTest, SwitchingOffAndOnDuringAGameKeepsTheProfileFromBeforeIt) {
    const std::string racer = Profile("Racer.gpx", "Rc");
    WriteRule(kRules, "racer.exe", racer);
    PutOnPad(before_);
    Program program(Quoted(before_));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    Game game("racer.exe");
    ASSERT_TRUE(game.InFront());
    ASSERT_TRUE(WaitFor([&] { return PackageCrc() == Crc(racer); }));

    // Off and on in Automatic Profiles while the game's profile is on the pad.
    program.Command(ID_OPTIONS_AUTO_PROFILES);
    HWND dialog = WaitForDialog(program.Pid(), "Automatic Profiles", IDC_AUTO_ON);
    ASSERT_NE(dialog, nullptr);
    // Sent, not posted: each click is handled before the next.
    ::SendMessageA(::GetDlgItem(dialog, IDC_AUTO_ON), BM_CLICK, 0, 0);
    EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, IDC_AUTO_ON), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ::SendMessageA(::GetDlgItem(dialog, IDC_AUTO_ON), BM_CLICK, 0, 0);
    EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, IDC_AUTO_ON), BM_GETCHECK, 0, 0), BST_CHECKED);
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));

    game.ComeToFront();
    ASSERT_TRUE(game.InFront());
    program.Sync();
    game.End();
    EXPECT_TRUE(WaitFor([&] { return PackageCrc() == Crc(before_); }))
        << "the pad keeps " << PackageCrc();
}

TEST_F(AutoSwitchTest, ClosingTheProgramDuringAGamePutsTheEarlierProfileBack) {
    const std::string racer = Profile("Racer.gpx", "Rc");
    WriteRule(kRules, "racer.exe", racer);
    for (const bool sessionEnds : {false, true}) {
        SCOPED_TRACE(sessionEnds ? "the Windows session ends" : "File > Exit");
        auto program = StartAndApply();
        Game game("racer.exe");
        ASSERT_TRUE(game.InFront());
        ASSERT_TRUE(WaitFor([&] { return PackageCrc() == Crc(racer); }));
        if (sessionEnds) {
            HWND main = program->FindMain();
            ::SendMessageA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
            ::SendMessageA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        } else {
            program->Command(ID_APP_EXIT);
        }
        ASSERT_TRUE(program->WaitForEnd());
        EXPECT_EQ(PackageCrc(), Crc(before_));
    }
}

TEST_F(AutoSwitchTest, EveryCopyOfAGameIsWatchedHoweverMany) {
    const std::string racer = Profile("Racer.gpx", "Rc");
    WriteRule(kRules, "racer.exe", racer);
    auto program = StartAndApply();
    {
        // More than one wait of the system can take.
        GameCopies copies("racer.exe", MAXIMUM_WAIT_OBJECTS + 6);
        ASSERT_EQ(copies.Count(), MAXIMUM_WAIT_OBJECTS + 6u);
        ASSERT_TRUE(copies.AllShown());
        ASSERT_TRUE(WaitFor([&] { return PackageCrc() == Crc(racer); }));
        program->Sync();
        copies.End();
    }
    EXPECT_TRUE(WaitFor([&] { return PackageCrc() == Crc(before_); }, kDeviceLimitMs))
        << "the pad keeps " << PackageCrc();
}

TEST_F(AutoSwitchTest, SettingsDeletedWhileTheProgramRunsAreFollowedWhenMadeAgain) {
    auto program = StartAndApply();
    ASSERT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsRoot), ERROR_SUCCESS);
    program->Sync();
    const std::string racer = Profile("Racer.gpx", "Rc");
    WriteRule(kRules, "racer.exe", racer);
    const DWORD on = 1;
    WriteValue(HKEY_CURRENT_USER, kSettings, "AutoSwitch", REG_DWORD, &on, sizeof on);

    Game game("racer.exe");
    int waited = 0;
    // The notice may come after the game's first time in front: it comes again.
    EXPECT_TRUE(WaitFor(
        [&] {
            if (++waited % 25 == 0) {
                game.ComeToFront();
            }
            return PackageCrc() == Crc(racer);
        },
        kDeviceLimitMs))
        << "the pad keeps " << PackageCrc();
}

TEST_F(AutoSwitchTest, ARuleTriedFromTheDialogHoldsItsProfileUntilTheDialogCloses) {
    const std::string chess = Profile("Chess for the try.gpx", "Ch");
    WriteRule(kFrontRules, "chess_never_started.exe", chess);
    auto program = StartAndApply();

    program->Command(ID_OPTIONS_AUTO_PROFILES);
    HWND dialog = WaitForDialog(program->Pid(), "Automatic Profiles", IDC_AUTO_TRY);
    ASSERT_NE(dialog, nullptr);
    // The first rule, picked with the keyboard.
    HWND rules = ::GetDlgItem(dialog, IDC_AUTO_RULES);
    ::PostMessageA(rules, WM_KEYDOWN, VK_HOME, 0);
    ::PostMessageA(rules, WM_KEYUP, VK_HOME, 0);
    ClickControl(dialog, IDC_AUTO_TRY);
    EXPECT_TRUE(WaitFor([&] { return PackageCrc() == Crc(chess); }))
        << "the pad keeps " << PackageCrc();

    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(WaitFor([&] { return PackageCrc() == Crc(before_); }))
        << "the pad keeps " << PackageCrc();
}

// Each file dialog of Automatic Profiles says what it picks: the profile a
// rule puts on the pad (Change), and the program a new rule is for (Add,
// then the program menu's last entry). Neither is titled "Open".
using AutoProfilesPickerTest = AppTest;

TEST_F(AutoProfilesPickerTest, EachFileDialogSaysWhatItPicks) {
    const std::string profile = Work("picker titles profile.gpx");
    ASSERT_TRUE(WriteProfile(profile, *MacroProfile("Pk", {0})));
    WriteRule(kRules, "picker_titles_game.exe", profile);
    Program program("");
    ASSERT_NE(program.Main(), nullptr);
    const DWORD pid = program.Pid();
    program.Command(ID_OPTIONS_AUTO_PROFILES);
    HWND dialog = WaitForDialog(pid, "Automatic Profiles", IDC_AUTO_ON);
    ASSERT_NE(dialog, nullptr);
    const auto cancel = [](HWND picker) {
        PressButton(picker, IDCANCEL);
        return WaitFor([&] { return !::IsWindow(picker); });
    };

    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_AUTO_CHANGE)));
    PressButton(dialog, IDC_AUTO_CHANGE);
    HWND picker = WaitForDialog(pid, "Choose a profile");
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(cancel(picker));

    PressButton(dialog, IDC_AUTO_ADD);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = OpenPopupMenu(pid)) != nullptr; }));
    // Up reaches the last entry, Browse; the picker's title shows it was taken.
    ::PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    picker = WaitForDialog(pid, "Choose a program");
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(cancel(picker));

    PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
}

// A read of the rules while a script deletes their key ends with what it read.
TEST(RuleRegistry, AReadEndsWhenTheKeyIsDeletedUnderIt) {
    constexpr char kKey[] = "Software\\MARVENTA\\gdtest rules read while deleted";
    for (const char* name : {"first_program_name.exe", "second_program_name.exe"}) {
        const std::string profile = std::string("C:\\Profiles\\for ") + name + ".gpx";
        WriteValue(HKEY_CURRENT_USER, kKey, name, REG_SZ, profile.c_str(),
                   static_cast<DWORD>(profile.size() + 1));
    }
    UniqueKey key;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, key.put()),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadStringValues(key.get()).size(), 2u);
    ASSERT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    EXPECT_TRUE(ReadStringValues(key.get()).empty());
}

}  // namespace
}  // namespace gd::apptest
