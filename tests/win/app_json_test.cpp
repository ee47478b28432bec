// File > Import... and File > Export... in the running program: a JSON file
// that is refused changes nothing the window shows or the disk holds, and an
// exported profile comes back through Import as it was, unsaved changes and
// all.
#include <string>
#include <vector>

#include "app_test_support.h"
#include "profile/profile_json.h"

namespace gd::apptest {
namespace {

constexpr char kImportTitle[] = "Import a Profile from JSON";
constexpr char kExportTitle[] = "Export the Profile as JSON";

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(path, 1u << 20, bytes)) << path;
    return bytes;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    return WriteFileAtomically(path, text.data(), text.size());
}

class JsonFileTest : public AppTest {
  protected:
    void Start(const std::string& path) {
        program_ = std::make_unique<Program>(Quoted(path));
        main_ = program_->Main();
        ASSERT_NE(main_, nullptr);
    }
    DWORD Pid() const { return program_->Pid(); }

    // Waits for the program's dialog with this title, checks its text when
    // given, and presses `button`.
    void Answer(const std::string& title, int button, const std::string& text = "") const {
        HWND dialog = WaitForDialog(Pid(), title);
        ASSERT_NE(dialog, nullptr) << title;
        if (!text.empty()) {
            EXPECT_EQ(MessageText(dialog), text);
        }
        PressButton(dialog, button);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    }
    void ChooseIn(const std::string& title, const std::string& path) const {
        HWND dialog = WaitForDialog(Pid(), title);
        ASSERT_NE(dialog, nullptr) << title;
        ChooseFile(dialog, path);
    }
    // File > Information of the Summary with a new name: a change not saved.
    void ChangeSummaryName(const std::string& name) const {
        program_->Command(ID_FILE_SUMMARY);
        HWND dialog = WaitForDialog(Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
        ASSERT_NE(dialog, nullptr);
        SetField(dialog, IDC_SUMMARY_NAME, name);
        PressButton(dialog, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
        program_->Sync();
    }
    std::vector<std::string> Labels() const {
        std::vector<std::string> labels;
        for (int i = 0; i < 10; ++i) {
            labels.push_back(LabelText(main_, i));
        }
        return labels;
    }
    std::string SummaryName() const {
        return ControlText(::GetDlgItem(program_->SummaryWindow(), IDC_SUMMARY_NAME));
    }

    std::unique_ptr<Program> program_;
    HWND main_ = nullptr;
};

// After the save question (the window's profile has a change not saved), a
// file that is not JSON and one that names an unknown kind: each says where
// it is wrong, and the labels, the title with its mark of changes, the
// summary and the profile's file stay as they were.
TEST_F(JsonFileTest, ARefusedImportChangesNothingAndSaysWhere) {
    const std::string profile = Work("json import keeps this.gpx");
    ASSERT_TRUE(WriteProfile(profile, *MacroProfile("Kept", {0, 4})));
    const std::string notJson = Work("json import not json.json");
    ASSERT_TRUE(
        WriteTextFile(notJson, "{\n  \"format\": \"gripdeck-profile\",\n  \"version\" 1\n}\n"));
    std::string unknownKind = ProfileJsonText(*MacroProfile("Other", {1}), SummaryBlock{});
    unknownKind.replace(unknownKind.find("\"kind\": \"Macro\""), 15, "\"kind\": \"Turbo\"");
    const std::string badKind = Work("json import unknown kind.json");
    ASSERT_TRUE(WriteTextFile(badKind, unknownKind));
    const std::vector<std::uint8_t> profileBytes = FileBytes(profile);

    ASSERT_NO_FATAL_FAILURE(Start(profile));
    ASSERT_NO_FATAL_FAILURE(ChangeSummaryName("typed and not saved"));
    const std::string title = "Gripdeck: json import keeps this.gpx *";
    ASSERT_EQ(WindowText(main_), title);
    const std::vector<std::string> labels = Labels();
    ASSERT_EQ(labels[4], "Kept4");

    const std::pair<std::string, std::string> refused[] = {
        {notJson,
         "line 3, column 13: not valid JSON: syntax error while parsing object separator - "
         "unexpected number literal; expected ':'"},
        {badKind,
         "/buttons/1/kind: unknown value \"Turbo\" (expected one of: Off, Default, SingleKey, "
         "SingleMouse, Macro, MultiLayer, StopKey, StopMacroLoop, SuperStop, Raw)"},
    };
    for (const auto& [path, reason] : refused) {
        SCOPED_TRACE(path);
        const std::vector<std::uint8_t> jsonBytes = FileBytes(path);
        program_->Command(ID_FILE_IMPORT_JSON);
        ASSERT_NO_FATAL_FAILURE(
            Answer(kProgramBase, IDNO, SaveQuestion("json import keeps this.gpx")));
        ASSERT_NO_FATAL_FAILURE(ChooseIn(kImportTitle, path));
        ASSERT_NO_FATAL_FAILURE(
            Answer(kProgramBase, IDOK, "Can't import the file " + path + ".\n\n" + reason));
        program_->Sync();
        EXPECT_EQ(WindowText(main_), title);
        EXPECT_EQ(Labels(), labels);
        EXPECT_EQ(SummaryName(), "typed and not saved");
        EXPECT_EQ(FileBytes(profile), profileBytes);
        EXPECT_EQ(FileBytes(path), jsonBytes);
    }
}

// Export writes the profile as the window shows it, its change not saved
// included, and leaves the window as it is; over an existing file only
// after the question. Import reads it back as a new profile with changes
// not saved, whose Save asks for a name.
TEST_F(JsonFileTest, ExportThenImportBringsTheProfileBack) {
    const std::string profile = Work("json round trip.gpx");
    ASSERT_TRUE(WriteProfile(profile, *MacroProfile("Trip", {0, 3, 12}), "as saved"));
    const std::string exported = Work("json round trip.json");
    ::DeleteFileA(exported.c_str());
    ASSERT_NO_FATAL_FAILURE(Start(profile));
    ASSERT_NO_FATAL_FAILURE(ChangeSummaryName("changed before the export"));
    const std::string title = "Gripdeck: json round trip.gpx *";
    const std::vector<std::string> labels = Labels();

    program_->Command(ID_FILE_EXPORT_JSON);
    HWND dialog = WaitForDialog(Pid(), kExportTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(::GetDlgItem(dialog, 0x047C)).rfind("json round trip.json", 0), 0u);
    ChooseFile(dialog, exported);
    ASSERT_TRUE(WaitFor([&] { return FileExists(exported); }));
    program_->Sync();
    EXPECT_EQ(WindowText(main_), title);
    auto image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    ASSERT_EQ(ReadProfileJsonFile(exported, *image, summary), std::nullopt);
    EXPECT_EQ(ReadText(summary.name), "changed before the export");
    EXPECT_EQ(ReadText(image->slots[12].macro.name), "Trip12");

    // Again over the same file: the question, then the same text.
    const std::vector<std::uint8_t> first = FileBytes(exported);
    ASSERT_TRUE(WriteTextFile(exported, "an older export"));
    program_->Command(ID_FILE_EXPORT_JSON);
    ASSERT_NO_FATAL_FAILURE(ChooseIn(kExportTitle, exported));
    // The system's question, over the file dialog of the same title.
    HWND question = WaitForDialog(Pid(), kExportTitle, IDYES);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(MessageText(question).find("replace it?"), std::string::npos)
        << MessageText(question);
    PressButton(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return FileBytes(exported) == first; }));

    program_->Command(ID_FILE_NEW);
    ASSERT_NO_FATAL_FAILURE(Answer(kProgramBase, IDNO, SaveQuestion("json round trip.gpx")));
    ASSERT_TRUE(WaitFor([&] { return WindowText(main_) == "Gripdeck: Unfiled"; }));
    program_->Command(ID_FILE_IMPORT_JSON);
    ASSERT_NO_FATAL_FAILURE(ChooseIn(kImportTitle, exported));
    ASSERT_TRUE(WaitFor([&] { return WindowText(main_) == "Gripdeck: Unfiled *"; }));
    program_->Sync();
    EXPECT_EQ(Labels(), labels);
    EXPECT_EQ(SummaryName(), "changed before the export");

    program_->Command(ID_FILE_SAVE);
    ASSERT_NO_FATAL_FAILURE(Answer("Save As", IDCANCEL));
    program_->Sync();
    EXPECT_EQ(WindowText(main_), "Gripdeck: Unfiled *");
}

}  // namespace
}  // namespace gd::apptest
