// File > Export Picture... and Print...: the picture of the profile as the
// window holds it, saved where the user says; printing without a printer
// says so.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app_test_support.h"

namespace gd::apptest {
namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The file dialog's "Save as type" list (cmb1).
constexpr int kFileTypeList = 0x0470;

using PictureCommandTest = AppTest;

TEST_F(PictureCommandTest, ExportWritesTheUnsavedProfileInTheChosenFormAndLeavesItAsItIs) {
    const std::string profile = Work("picture source profile.gpx");
    const std::string svg = Work("picture of the profile.svg");
    const std::string pngStem = Work("picture without extension");
    ::DeleteFileA(svg.c_str());
    ::DeleteFileA((pngStem + ".png").c_str());
    const std::string svgStem = Work("picture chosen as svg");
    ::DeleteFileA((svgStem + ".svg").c_str());
    ::DeleteFileA((svgStem + ".png").c_str());
    ASSERT_TRUE(WriteProfile(profile, *MacroProfile("Pictured", {0, 13}), "Saved name"));
    Program program(Quoted(profile));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    // An unsaved change: the picture shows it, the profile keeps it unsaved.
    program.Command(ID_FILE_SUMMARY);
    HWND summary = WaitForDialog(program.Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
    ASSERT_NE(summary, nullptr);
    SetField(summary, IDC_SUMMARY_NAME, "Unsaved picture name");
    PressButton(summary, IDOK);
    ASSERT_TRUE(
        WaitFor([&] { return WindowText(main) == "Gripdeck: picture source profile.gpx *"; }));

    program.Command(ID_FILE_EXPORT_PICTURE);
    HWND dialog = WaitForDialog(program.Pid(), "Export Picture");
    ASSERT_NE(dialog, nullptr);
    ChooseFile(dialog, svg);
    ASSERT_TRUE(WaitFor([&] { return FileExists(svg) && !::IsWindow(dialog); }));
    program.Sync();
    const std::string text = FileBytes(svg);
    EXPECT_NE(text.find(">Unsaved picture name</text>"), std::string::npos);
    EXPECT_NE(text.find(">Pictured0</text>"), std::string::npos);
    EXPECT_NE(text.find(">Pictured13</text>"), std::string::npos);
    EXPECT_EQ(WindowText(main), "Gripdeck: picture source profile.gpx *");
    EXPECT_EQ(ReadText(ReadProfile(profile).summary.name), "Saved name");

    // A name without an extension takes the chosen type's: PNG, the first.
    program.Command(ID_FILE_EXPORT_PICTURE);
    dialog = WaitForDialog(program.Pid(), "Export Picture");
    ASSERT_NE(dialog, nullptr);
    ChooseFile(dialog, pngStem);
    ASSERT_TRUE(WaitFor([&] { return FileExists(pngStem + ".png") && !::IsWindow(dialog); }));
    program.Sync();
    EXPECT_EQ(FileBytes(pngStem + ".png").substr(0, 8), "\x89PNG\r\n\x1a\n");

    // A bare name with SVG chosen in the type list: an SVG.
    program.Command(ID_FILE_EXPORT_PICTURE);
    dialog = WaitForDialog(program.Pid(), "Export Picture");
    ASSERT_NE(dialog, nullptr);
    HWND types = ::GetDlgItem(dialog, kFileTypeList);
    ASSERT_NE(types, nullptr);
    ::SendMessageA(types, CB_SETCURSEL, 1, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeList, CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(types));
    ChooseFile(dialog, svgStem);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    program.Sync();
    EXPECT_FALSE(FileExists(svgStem + ".png"));
    EXPECT_EQ(FileBytes(svgStem + ".svg").substr(0, 5), "<?xml");
}

// A name typed with another extension keeps it and gets the form's after it;
// the dialog asked about the typed name, so the file it becomes is replaced
// only once the user says so.
TEST_F(PictureCommandTest, AFileTheAddedExtensionNamesIsReplacedOnlyWhenTheUserSaysSo) {
    const std::string typed = Work("picture typed as card.jpg");
    const std::string written = typed + ".png";
    const std::string earlier = "an earlier file that No keeps";
    std::ofstream(written, std::ios::binary) << earlier;
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    for (const int answer : {IDNO, IDYES}) {
        program.Command(ID_FILE_EXPORT_PICTURE);
        HWND dialog = WaitForDialog(program.Pid(), "Export Picture");
        ASSERT_NE(dialog, nullptr);
        ChooseFile(dialog, typed);
        HWND box = WaitForDialog(program.Pid(), kProgramBase);
        ASSERT_NE(box, nullptr) << "no question before replacing " << written;
        EXPECT_EQ(MessageText(box), written + " already exists.\nDo you want to replace it?");
        PressButton(box, answer);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
        program.Sync();
        if (answer == IDNO) {
            EXPECT_EQ(FileBytes(written), earlier);
        } else {
            EXPECT_EQ(FileBytes(written).substr(0, 8), "\x89PNG\r\n\x1a\n");
        }
    }
    EXPECT_FALSE(FileExists(typed));
}

TEST_F(PictureCommandTest, PrintWithoutAPrinterSaysSoAndTheProgramGoesOn) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    program.Command(ID_FILE_PRINT_PICTURE);
    HWND box = WaitForDialog(program.Pid(), kProgramBase);
    ASSERT_NE(box, nullptr) << "no message; is a printer installed in this prefix?";
    EXPECT_EQ(MessageText(box), "No printer is installed. Please add a printer, then print again.");
    PressButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    program.Sync();
    EXPECT_TRUE(::IsWindow(main));
}

}  // namespace
}  // namespace gd::apptest
