// The open profile's session: every change one step, undone and redone
// byte for byte, and the modified flag that follows the saved state.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/json_exchange.h"
#include "app/model/profile_history.h"
#include "app/model/profile_session.h"
#include "app/shell_rules.h"
#include "app/slot_commands.h"
#include "app/slot_editing.h"
#include "profile/image.h"
#include "profile/profile_file.h"
#include "profile/profile_json.h"
#include "resource.h"

namespace gd {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST(ProfileHistory, StepsKeepOnlyTheBytesThatChangedAndGoBothWays) {
    Bytes profile(64, 0);
    ProfileHistory history;
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.UndoWhat(), "");

    Bytes changed = profile;
    changed[10] = 1;
    changed[12] = 2;
    ASSERT_TRUE(history.Record("first change of the bytes", 0, profile, changed));
    profile = changed;
    // The same bytes again: no step.
    EXPECT_FALSE(history.Record("a change that changes nothing", 0, profile, profile));
    EXPECT_EQ(history.UndoWhat(), "first change of the bytes");

    // A step at an offset, of a part.
    const Bytes part = {7, 7, 7, 7};
    ASSERT_TRUE(history.Record("second change at an offset", 40,
                               Bytes(profile.begin() + 40, profile.begin() + 44), part));
    std::copy(part.begin(), part.end(), profile.begin() + 40);

    ASSERT_TRUE(history.Undo(profile));
    EXPECT_EQ(profile[40], 0);
    EXPECT_EQ(history.RedoWhat(), "second change at an offset");
    ASSERT_TRUE(history.Undo(profile));
    EXPECT_EQ(profile, Bytes(64, 0));
    EXPECT_FALSE(history.Undo(profile));
    ASSERT_TRUE(history.Redo(profile));
    EXPECT_EQ(profile, changed);

    // A new change ends the way forward.
    Bytes other = profile;
    other[0] = 9;
    ASSERT_TRUE(history.Record("a change after an undo", 0, profile, other));
    EXPECT_FALSE(history.CanRedo());
}

TEST(ProfileHistory, TheSavedStateIsKnownAgainAfterUndoAndRedo) {
    Bytes profile(16, 0);
    ProfileHistory history;
    EXPECT_TRUE(history.AtSaved());
    const auto change = [&](std::uint8_t value) {
        Bytes next = profile;
        next[0] = value;
        history.Record("change to " + std::to_string(value), 0, profile, next);
        profile = next;
    };
    change(1);
    EXPECT_FALSE(history.AtSaved());
    history.MarkSaved();
    change(2);
    EXPECT_FALSE(history.AtSaved());
    history.Undo(profile);
    EXPECT_TRUE(history.AtSaved());
    history.Undo(profile);
    EXPECT_FALSE(history.AtSaved());
    history.Redo(profile);
    EXPECT_TRUE(history.AtSaved());

    // A change after an undo past the saved state: that state is gone for good.
    history.Undo(profile);
    change(3);
    history.Undo(profile);
    EXPECT_FALSE(history.AtSaved());

    history.Clear();
    EXPECT_TRUE(history.AtSaved());
    history.MarkUnsaved();
    EXPECT_FALSE(history.AtSaved());
}

TEST(ProfileHistory, KeepsTheLastHundredStepsAndForgetsOlderOnes) {
    Bytes profile(4, 0);
    ProfileHistory history;
    history.MarkSaved();
    for (int i = 1; i <= 150; ++i) {
        Bytes next = profile;
        next[0] = static_cast<std::uint8_t>(i);
        history.Record("numbered change " + std::to_string(i), 0, profile, next);
        profile = next;
    }
    int undone = 0;
    while (history.Undo(profile)) {
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(ProfileHistory::kSteps));
    EXPECT_EQ(profile[0], 50);
    // The state saved before the oldest step kept cannot be reached.
    EXPECT_FALSE(history.AtSaved());
    EXPECT_EQ(history.RedoWhat(), "numbered change 51");
}

class FakeProfileHost : public ProfileHost {
  public:
    void ReportFileError(const std::string& path) override { errors.push_back(path); }
    void ShowSummary(const SummaryBlock&) override {}
    void ShowProfileName(const std::string&) override {}
    std::uint32_t PrimaryScreenResolution() override { return MakeResolution(1920, 1080); }
    std::string WindowsDirectory() override { return windowsDirectory; }
    SystemFolderView SystemFolders() override { return SystemFolderView::Native; }

    std::vector<std::string> errors;
    std::string windowsDirectory;
};

class SessionTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("gripdeck-session-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "system32" / "drivers");
        host_.windowsDirectory = dir_.string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::unique_ptr<ButtonSlot> KeySlot(std::uint32_t code) {
        auto slot = std::make_unique<ButtonSlot>();
        ClearSlot(*slot);
        slot->slotType = SlotType::SingleKey;
        slot->action.code = code;
        return slot;
    }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
    FakeProfileHost host_;
    ProfileSession session_{host_};
};

TEST_F(SessionTest, ASlotChangeIsOneStepThatUndoTakesBackByteForByte) {
    const SlotRef m13{1, 2};
    EXPECT_EQ(m13.Number(), 13);
    const auto before = std::make_unique<ButtonSlot>(session_.Slot(m13));
    ASSERT_TRUE(session_.ChangeSlot(m13, *KeySlot(0x0120001E), "Keyboard on M13"));
    EXPECT_TRUE(session_.modified());
    // The same slot again is no step.
    EXPECT_FALSE(session_.ChangeSlot(m13, *KeySlot(0x0120001E), "Keyboard on M13"));
    EXPECT_FALSE(session_.ChangeSlot({0, 10}, *KeySlot(0x0120001E), "no such button here"));
    EXPECT_EQ(session_.UndoWhat(), "Keyboard on M13");

    ASSERT_TRUE(session_.Undo());
    EXPECT_EQ(std::memcmp(&session_.Slot(m13), before.get(), sizeof *before), 0);
    EXPECT_FALSE(session_.modified());
    ASSERT_TRUE(session_.Redo());
    EXPECT_EQ(session_.Slot(m13).action.code, 0x0120001Eu);
    // M3 is another slot than M13.
    EXPECT_EQ(session_.Slot({0, 2}).slotType, SlotType::Off);

    SummaryBlock summary = session_.summary();
    WriteText(summary.name, "A summary name for the step");
    ASSERT_TRUE(session_.ChangeSummary(summary, "Information of the Summary"));
    session_.Undo();
    EXPECT_EQ(ReadText(session_.summary().name), "");
    EXPECT_EQ(session_.Slot(m13).action.code, 0x0120001Eu);
}

TEST_F(SessionTest, SavingOpeningAndNewSetTheModifiedFlagAndTheHistory) {
    session_.ChangeSlot({0, 0}, *KeySlot(0x0120001E), "Keyboard on M1");
    const std::string path = PathOf("a profile saved by the session.gpx");
    session_.SetSource(path, "a profile saved by the session.gpx");
    ASSERT_TRUE(session_.SaveProfile(session_.currentPath()));
    EXPECT_FALSE(session_.modified());
    // Undo past the save: changed; redo back to it: not.
    session_.Undo();
    EXPECT_TRUE(session_.modified());
    session_.Redo();
    EXPECT_FALSE(session_.modified());

    session_.ShowGroup(1);
    session_.Select(4);
    ASSERT_TRUE(session_.OpenProfile(path, "a profile saved by the session.gpx"));
    EXPECT_FALSE(session_.CanUndo());
    EXPECT_EQ(session_.selection(), SlotRef{});
    EXPECT_FALSE(session_.HasSelection());

    // New is unchanged until something changes it: replacing it loses nothing.
    session_.New("Unfiled profile name");
    EXPECT_FALSE(session_.modified());
    EXPECT_FALSE(session_.CanUndo());
    EXPECT_EQ(session_.Slot({0, 0}).slotType, SlotType::Off);
    session_.ChangeSlot({0, 0}, *KeySlot(0x0120001E), "Keyboard on M1");
    EXPECT_TRUE(session_.modified());
    session_.Undo();
    EXPECT_FALSE(session_.modified());
    session_.Redo();

    // A failed save keeps the flag.
    session_.SetSource(PathOf("no such folder/profile.gpx"), "profile.gpx");
    EXPECT_FALSE(session_.SaveProfile(session_.currentPath()));
    EXPECT_TRUE(session_.modified());
}

TEST_F(SessionTest, LoadSystemDefaultIsAStepThatUndoTakesBack) {
    // The installed package: every button Off.
    auto image = std::make_unique<ProfileImage>();
    ResetImage(*image);
    const Bytes package = EncodePackage(*image, SummaryBlock{});
    ASSERT_TRUE(WriteFileInPlace(PackagePath(dir_.string()), package.data(), package.size()));

    session_.ChangeSlot({0, 5}, *KeySlot(0x0120001F), "Keyboard on M6");
    session_.LoadSystemDefault("Load System Default");
    EXPECT_EQ(session_.Slot({0, 5}).slotType, SlotType::Off);
    EXPECT_EQ(session_.currentName(), "default.gpx");
    EXPECT_FALSE(session_.modified());
    EXPECT_EQ(session_.UndoWhat(), "Load System Default");
    ASSERT_TRUE(session_.Undo());
    EXPECT_EQ(session_.Slot({0, 5}).action.code, 0x0120001Fu);
    EXPECT_TRUE(session_.modified());
}

// File > Import... and File > Export...: the JSON form in and out of the
// session. What the session showed before: its bytes, file, flag and history.
struct SessionLook {
    std::unique_ptr<ProfileContent> content;
    std::string path;
    std::string name;
    bool modified;
    std::string undoWhat;
    bool canRedo;

    explicit SessionLook(const ProfileSession& session)
        : content(std::make_unique<ProfileContent>()),
          path(session.currentPath()),
          name(session.currentName()),
          modified(session.modified()),
          undoWhat(session.UndoWhat()),
          canRedo(session.CanRedo()) {
        std::memcpy(&content->image, &session.image(), sizeof content->image);
        std::memcpy(&content->summary, &session.summary(), sizeof content->summary);
    }

    void ExpectSame(const ProfileSession& session) const {
        EXPECT_EQ(std::memcmp(&session.image(), &content->image, sizeof content->image), 0);
        EXPECT_EQ(std::memcmp(&session.summary(), &content->summary, sizeof content->summary), 0);
        EXPECT_EQ(session.currentPath(), path);
        EXPECT_EQ(session.currentName(), name);
        EXPECT_EQ(session.modified(), modified);
        EXPECT_EQ(session.UndoWhat(), undoWhat);
        EXPECT_EQ(session.CanRedo(), canRedo);
    }
};

class JsonExchangeTest : public SessionTest {
  protected:
    // A profile from a file, then changed twice and once undone: a name, a
    // path, a change not saved, a step to undo and one to redo.
    void SetUp() override {
        SessionTest::SetUp();
        const std::string path = PathOf("the profile the window holds.gpx");
        session_.SetSource(path, "the profile the window holds.gpx");
        ASSERT_TRUE(session_.SaveProfile(path));
        session_.ChangeSlot({0, 1}, *KeySlot(0x0120001E), "Keyboard on M2");
        session_.ChangeSlot({0, 2}, *KeySlot(0x0120001F), "Keyboard on M3");
        session_.Undo();
        session_.ShowGroup(1);
        session_.Select(3);
    }

    std::string WriteFileText(const std::string& name, const std::string& text) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(JsonExchangeTest, ARefusedImportLeavesTheSessionAsItWas) {
    const SessionLook before(session_);
    std::string cut = ProfileJsonText(session_.image(), session_.summary());
    cut.resize(cut.size() / 2);
    std::string turbo = ProfileJsonText(session_.image(), session_.summary());
    turbo.replace(turbo.find("\"kind\": \"SingleKey\""), 19, "\"kind\": \"Turbo\"");
    const std::pair<std::string, std::string> refused[] = {
        {WriteFileText("cut in the middle.json", cut), "line "},
        {WriteFileText("a kind nobody knows.json", turbo),
         "/buttons/1/kind: unknown value \"Turbo\""},
        {PathOf("a file that is not there.json"), "cannot be opened"},
    };
    for (const auto& [path, reason] : refused) {
        SCOPED_TRACE(path);
        const std::optional<std::string> problem =
            ImportProfileJson(session_, path, "Unfiled as the import names it");
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->rfind(reason, 0), 0u) << *problem;
        before.ExpectSame(session_);
        EXPECT_EQ(session_.selection(), (SlotRef{1, 3}));
    }
    EXPECT_TRUE(host_.errors.empty());
}

TEST_F(JsonExchangeTest, AnImportIsANewUntitledProfileWithUnsavedChanges) {
    auto image = std::make_unique<ProfileImage>();
    ResetImage(*image);
    image->slots[7] = *KeySlot(0x01200030);
    SummaryBlock summary{};
    WriteText(summary.name, "Imported from its JSON form");
    const std::string path =
        WriteFileText("an exported profile.json", ProfileJsonText(*image, summary));

    ASSERT_EQ(ImportProfileJson(session_, path, "Unfiled"), std::nullopt);
    EXPECT_EQ(std::memcmp(&session_.image(), image.get(), sizeof *image), 0);
    EXPECT_EQ(ReadText(session_.summary().name), "Imported from its JSON form");
    EXPECT_EQ(session_.currentName(), "Unfiled");
    EXPECT_EQ(session_.currentPath(), "");
    EXPECT_TRUE(session_.modified());
    EXPECT_FALSE(session_.CanUndo());
    EXPECT_FALSE(session_.CanRedo());
    EXPECT_EQ(session_.selection(), SlotRef{});
    // Save asks for a name; once saved, it is the file's.
    EXPECT_EQ(DecideSaveModified(session_.modified(), session_.currentName(),
                                 session_.currentPath(), SaveModifiedMode::Silent),
              SaveModifiedAction::AskThenSaveAs);
    session_.SetSource(PathOf("saved after the import.gpx"), "saved after the import.gpx");
    ASSERT_TRUE(session_.SaveProfile(session_.currentPath()));
    EXPECT_FALSE(session_.modified());
}

TEST_F(JsonExchangeTest, AnExportWritesTheProfileAsShownAndLeavesTheSessionAlone) {
    const SessionLook before(session_);
    const std::string path = WriteFileText("exported over an older file.json", "older contents");
    ASSERT_EQ(ExportProfileJson(session_, path), std::nullopt);
    before.ExpectSame(session_);
    // The change not saved is in it.
    auto image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    ASSERT_EQ(ReadProfileJsonFile(path, *image, summary), std::nullopt);
    EXPECT_EQ(image->slots[1].action.code, 0x0120001Eu);
    EXPECT_EQ(std::memcmp(image.get(), &session_.image(), sizeof *image), 0);

    fs::create_directories(dir_ / "a folder where the file would go.json");
    EXPECT_EQ(ExportProfileJson(session_, PathOf("a folder where the file would go.json")),
              "is not a regular file, not replaced");
    before.ExpectSame(session_);

    EXPECT_EQ(JsonFileNameFor("the profile the window holds.gpx"),
              "the profile the window holds.json");
    EXPECT_EQ(JsonFileNameFor("SHOUTED.GPX"), "SHOUTED.json");
    EXPECT_EQ(JsonFileNameFor("Unfiled"), "Unfiled.json");
}

TEST(StepNames, NameTheCommandAndTheButton) {
    EXPECT_EQ(StepName(ID_EDIT_PASTE, 3), "Paste on M3");
    EXPECT_EQ(StepName(ID_SINGLE_SWITCH_MOUSE_BUTTON, 20), "Single Switch Mouse Button on M20");
    EXPECT_EQ(StepName(ID_FILE_LOAD_SYSTEM_DEFAULT, 0), "Load System Default");
    EXPECT_EQ(UndoItemText("Paste on M3"), "&Undo Paste on M3\tCtrl+Z");
    EXPECT_EQ(UndoItemText(""), "&Undo\tCtrl+Z");
    EXPECT_EQ(RedoItemText("Off on M1"), "&Redo Off on M1\tCtrl+Y");
}

// An editor that answers with a set slot, or cancels, and may let the
// program act meanwhile as a real editor's message loop does.
class FakeEditor : public SlotEditor {
  public:
    std::unique_ptr<ButtonSlot> Edit(const ButtonSlot& slot) override {
        seen = slot.slotType;
        if (meanwhile) {
            meanwhile();
        }
        return answer ? std::make_unique<ButtonSlot>(*answer) : nullptr;
    }

    std::unique_ptr<ButtonSlot> answer;
    std::function<void()> meanwhile;
    std::uint32_t seen = 0;
};

TEST_F(SessionTest, AnEditorsResultGoesToTheButtonItWasOpenedForOrNowhere) {
    FakeEditor editor;
    editor.answer = KeySlot(0x0120001E);
    // Nothing selected: no editor runs.
    EXPECT_FALSE(EditSelectedSlot(session_, SlotEditorKind::Key, editor));
    EXPECT_EQ(editor.seen, 0u);

    session_.ShowGroup(1);
    session_.Select(2);
    ASSERT_TRUE(EditSelectedSlot(session_, SlotEditorKind::Key, editor));
    EXPECT_EQ(editor.seen, SlotType::Off);
    EXPECT_EQ(session_.Slot({1, 2}).action.code, 0x0120001Eu);
    EXPECT_EQ(session_.UndoWhat(), "Keyboard on M13");

    // Cancel, another button picked in the pad picture, another profile
    // opened from the tray: nothing is written anywhere.
    editor.answer = KeySlot(0x0120001F);
    const std::function<void()> changes[] = {
        [this] { session_.Select(5); },
        [this] { session_.ShowGroup(0); },
        [this] { session_.New("Unfiled while editing"); },
    };
    for (const auto& change : changes) {
        session_.ShowGroup(1);
        session_.Select(2);
        editor.meanwhile = change;
        EXPECT_FALSE(EditSelectedSlot(session_, SlotEditorKind::Key, editor));
        EXPECT_NE(session_.Slot({1, 2}).action.code, 0x0120001Fu);
        EXPECT_NE(session_.Slot({1, 5}).action.code, 0x0120001Fu);
        EXPECT_NE(session_.Slot({0, 2}).action.code, 0x0120001Fu);
    }
    editor.meanwhile = nullptr;
    editor.answer = nullptr;
    session_.Select(2);
    EXPECT_FALSE(EditSelectedSlot(session_, SlotEditorKind::Key, editor));
}

TEST(SlotEditors, CommandsAndLabelsOpenTheEditorOfTheirAssignment) {
    EXPECT_EQ(EditorForCommand(ID_KEYBOARD), SlotEditorKind::Key);
    EXPECT_EQ(EditorForCommand(ID_SINGLE_SWITCH_MOUSE_BUTTON), SlotEditorKind::SingleSwitchMouse);
    EXPECT_EQ(EditorForCommand(ID_OFF), SlotEditorKind::None);
    EXPECT_EQ(EditorForCommand(ID_EDIT_PASTE), SlotEditorKind::None);

    auto slot = std::make_unique<ButtonSlot>();
    ClearSlot(*slot);
    const struct {
        std::uint32_t slotType;
        SlotEditorKind kind;
    } kRows[] = {
        {SlotType::SingleKey, SlotEditorKind::KeyAsAssigned},
        {SlotType::SingleMouse, SlotEditorKind::Mouse},
        {SlotType::Macro, SlotEditorKind::Macro},
        {SlotType::Off, SlotEditorKind::None},
        {SlotType::Default, SlotEditorKind::None},
        {SlotType::SuperStop, SlotEditorKind::None},
    };
    for (const auto& row : kRows) {
        slot->slotType = row.slotType;
        EXPECT_EQ(EditorForSlot(*slot), row.kind) << row.slotType;
    }
    // A multi-layer record's own contents tell its editor.
    slot->slotType = SlotType::MultiLayer;
    slot->multiLayer.layerCount = 2;
    slot->multiLayer.layers[0].layerType = LayerType::Key;
    slot->multiLayer.layers[0].action.code = 0x0120001E;
    slot->multiLayer.layers[1].layerType = LayerType::Key;
    slot->multiLayer.layers[1].action.code = 0x01200030;
    EXPECT_EQ(EditorForSlot(*slot), SlotEditorKind::TwinSwitch);
    slot->multiLayer.layerCount = 3;
    EXPECT_EQ(EditorForSlot(*slot), SlotEditorKind::Advanced);
    // Both key editors' steps are named after Keyboard.
    EXPECT_EQ(EditorCommand(SlotEditorKind::KeyAsAssigned), static_cast<unsigned>(ID_KEYBOARD));
}

}  // namespace
}  // namespace gd
