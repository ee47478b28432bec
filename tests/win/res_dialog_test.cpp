// The dialog templates as the program's resources hold them: each template
// read back byte by byte (caption, font, size, styles, every control), then
// each dialog created from it to see the controls come alive and lie neatly.
// Numbers below are typed in from the program's parts, not taken from
// resource.h, so a wrong define cannot hide behind itself.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace gd {
namespace {

// "prefix" + number, built by appending: GCC 12 warns falsely (-Wrestrict)
// about a literal added to a temporary string.
std::string Numbered(const char* prefix, int n) {
    std::string s(prefix);
    s += std::to_string(n);
    return s;
}

// ---- Reading a DLGTEMPLATEEX ------------------------------------------------

struct TemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string cls;   // predefined classes by name
    std::string text;  // "#n" for a resource ordinal
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    int menu = 0;
    std::string caption;
    int pointSize = 0;
    std::string face;
    std::vector<TemplateItem> items;

    const TemplateItem* Find(int id) const {
        for (const TemplateItem& item : items) {
            if (item.id == id) {
                return &item;
            }
        }
        return nullptr;
    }
};

class TemplateReader {
  public:
    TemplateReader(const BYTE* data, size_t size) : p_(data), begin_(data), end_(data + size) {}

    bool failed() const { return failed_; }

    WORD Word() {
        WORD v = 0;
        Take(&v, sizeof v);
        return v;
    }
    DWORD Dword() {
        DWORD v = 0;
        Take(&v, sizeof v);
        return v;
    }
    short Short() { return static_cast<short>(Word()); }

    std::string Utf16() {
        std::string s;
        for (WORD c = Word(); c != 0 && !failed_; c = Word()) {
            s += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return s;
    }

    // A string, an ordinal (0xFFFF, n) or nothing (0).
    std::string StringOrOrdinal(int* ordinal) {
        WORD first = Word();
        if (first == 0) {
            return {};
        }
        if (first == 0xFFFF) {
            *ordinal = Word();
            return Numbered("#", *ordinal);
        }
        p_ -= sizeof(WORD);
        return Utf16();
    }

    void AlignDword() {
        while (!failed_ && (p_ - begin_) % 4 != 0) {
            ++p_;
        }
    }

    void Skip(size_t n) {
        if (static_cast<size_t>(end_ - p_) < n) {
            failed_ = true;
            return;
        }
        p_ += n;
    }

  private:
    void Take(void* out, size_t n) {
        if (static_cast<size_t>(end_ - p_) < n) {
            failed_ = true;
            return;
        }
        std::memcpy(out, p_, n);
        p_ += n;
    }

    const BYTE* p_;
    const BYTE* begin_;
    const BYTE* end_;
    bool failed_ = false;
};

std::string PredefinedClass(int ordinal) {
    switch (ordinal) {
        case 0x80:
            return "Button";
        case 0x81:
            return "Edit";
        case 0x82:
            return "Static";
        case 0x83:
            return "ListBox";
        case 0x84:
            return "ScrollBar";
        case 0x85:
            return "ComboBox";
    }
    return Numbered("#", ordinal);
}

std::optional<DialogTemplate> ReadTemplate(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_DIALOG);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    TemplateReader in(data, SizeofResource(nullptr, found));
    DialogTemplate t;
    if (in.Word() != 1 || in.Word() != 0xFFFF) {
        return std::nullopt;  // not the extended form
    }
    in.Dword();  // help id
    t.exStyle = in.Dword();
    t.style = in.Dword();
    const WORD count = in.Word();
    in.Short();
    in.Short();
    t.cx = in.Short();
    t.cy = in.Short();
    int ordinal = 0;
    in.StringOrOrdinal(&t.menu);
    in.StringOrOrdinal(&ordinal);  // window class
    t.caption = in.Utf16();
    if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
        t.pointSize = in.Word();
        in.Word();   // weight
        in.Skip(2);  // italic, charset
        t.face = in.Utf16();
    }
    for (WORD i = 0; i < count && !in.failed(); ++i) {
        TemplateItem item;
        in.AlignDword();
        in.Dword();  // help id
        item.exStyle = in.Dword();
        item.style = in.Dword();
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = static_cast<int>(in.Dword());
        int clsOrdinal = 0;
        item.cls = in.StringOrOrdinal(&clsOrdinal);
        if (clsOrdinal != 0) {
            item.cls = PredefinedClass(clsOrdinal);
        }
        int textOrdinal = 0;
        item.text = in.StringOrOrdinal(&textOrdinal);
        in.Skip(in.Word());  // creation data
        t.items.push_back(item);
    }
    if (in.failed()) {
        return std::nullopt;
    }
    return t;
}

// ---- The dialogs ---------------------------------------------------------------

constexpr int kDialogs[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 113};

struct DialogFacts {
    int id;
    const char* caption;
    const char* face;  // nullptr: any
    int pointSize;     // 0: any
    int cx, cy;        // 0: any
    bool sysMenu;      // close box and system menu
};

constexpr DialogFacts kDialogFacts[] = {
    {101, "Gripdeck", "MS Shell Dlg", 8, 0, 0, true},
    {102, "About Gripdeck", "MS Shell Dlg", 8, 0, 0, true},
    {103, "Please press a single key", "MS Sans Serif", 8, 124, 79, false},
    {104, "Please select a mouse button", "MS Sans Serif", 8, 173, 118, false},
    {105, "Macro Edit:", "MS Shell Dlg", 8, 336, 281, false},
    {106, "Multi Layers Edit:", "MS Shell Dlg", 8, 0, 0, false},
    {107, "Macro Edit:", "MS Shell Dlg", 8, 336, 251, false},
    {108, "", "MS Shell Dlg", 8, 0, 0, false},
    {109, "Information of the Summary", "MS Shell Dlg", 8, 0, 0, true},
    {110, "Information of the Summary", "MS Shell Dlg", 8, 0, 0, true},
    {111, "Twin Switch Edit:", "MS Sans Serif", 8, 123, 97, false},
    {113, "", nullptr, 0, 0, 0, false},
};

class DialogFactsTest : public ::testing::TestWithParam<DialogFacts> {};

TEST_P(DialogFactsTest, TemplateHasCaptionFontSizeAndFrame) {
    const DialogFacts& facts = GetParam();
    auto t = ReadTemplate(facts.id);
    ASSERT_TRUE(t) << "dialog " << facts.id;
    EXPECT_EQ(t->caption, facts.caption);
    if (facts.face != nullptr) {
        EXPECT_EQ(t->face, facts.face);
        EXPECT_EQ(t->pointSize, facts.pointSize);
    }
    if (facts.cx != 0) {
        EXPECT_EQ(t->cx, facts.cx);
        EXPECT_EQ(t->cy, facts.cy);
    }
    EXPECT_EQ((t->style & WS_SYSMENU) != 0, facts.sysMenu);
    const bool titled = facts.caption[0] != '\0';
    EXPECT_EQ((t->style & WS_CAPTION) == WS_CAPTION, titled);
}

INSTANTIATE_TEST_SUITE_P(Res, DialogFactsTest, ::testing::ValuesIn(kDialogFacts),
                         [](const ::testing::TestParamInfo<DialogFacts>& info) {
                             return Numbered("Dialog", info.param.id);
                         });

TEST(ResDialogs, MainWindowCarriesTheMenuBarAndShowsInTheTaskbar) {
    auto t = ReadTemplate(101);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->menu, 130);
    EXPECT_TRUE(t->exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(t->style & WS_MINIMIZEBOX);
}

TEST(ResDialogs, MacroEditorsAreCentred) {
    for (int id : {105, 107}) {
        auto t = ReadTemplate(id);
        ASSERT_TRUE(t);
        EXPECT_TRUE(t->style & DS_CENTER) << "dialog " << id;
        EXPECT_TRUE(t->style & DS_MODALFRAME) << "dialog " << id;
    }
}

TEST(ResDialogs, SummaryWindowIsAToolWindow) {
    auto t = ReadTemplate(110);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->exStyle & WS_EX_TOOLWINDOW);
}

TEST(ResDialogs, FileInfoPanelIsAChildTemplateForTheFileDialog) {
    auto t = ReadTemplate(108);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->style & WS_CHILD);
    EXPECT_TRUE(t->style & DS_CONTROL);
    EXPECT_FALSE(t->style & WS_POPUP);
}

TEST(ResDialogs, PadPictureWindowIsABarePopupOfThePictureSize) {
    auto t = ReadTemplate(113);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->style & WS_POPUP);
    EXPECT_EQ(t->style & (WS_CAPTION | WS_THICKFRAME | WS_VISIBLE), 0u);
    ASSERT_EQ(t->items.size(), 1u);
    EXPECT_EQ(t->items[0].id, 1100);
}

// ---- Controls by id -----------------------------------------------------------

struct ControlFacts {
    int dialog;
    int id;
    const char* cls;
    DWORD mask;  // style bits that must equal `value`
    DWORD value;
    const char* text;  // nullptr: any
};

constexpr DWORD kButtonType = BS_TYPEMASK;
constexpr DWORD kStaticType = SS_TYPEMASK;

constexpr ControlFacts kControls[] = {
    // Main window: owner-drawn skin buttons, labels that report clicks.
    {101, 1101, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1115, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1102, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1103, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1114, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1003, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1004, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1104, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1105, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1106, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1107, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1108, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1109, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1110, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1111, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1112, "Button", kButtonType, BS_OWNERDRAW, ""},
    {101, 1113, "Button", kButtonType, BS_OWNERDRAW, ""},
#define LABEL(id)                                                    \
    {                                                                \
        101, id, "Static", kStaticType | SS_CENTERIMAGE | SS_NOTIFY, \
            SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY, ""               \
    }
    LABEL(1117),
    LABEL(1118),
    LABEL(1119),
    LABEL(1120),
    LABEL(1121),
    LABEL(1122),
    LABEL(1123),
    LABEL(1124),
    LABEL(1125),
    LABEL(1126),
#undef LABEL
    {101, 1100, "Static", kStaticType, SS_BLACKFRAME, ""},
    // About box
    {102, IDOK, "Button", kButtonType, BS_DEFPUSHBUTTON, "OK"},
    // Key capture dialog
    {103, 1024, "Static", kStaticType, SS_CENTER, ""},
    {103, 1031, "ComboBox", CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, nullptr},
    {103, 32701, "Button", kButtonType, BS_DEFPUSHBUTTON, "&OK"},
    {103, 32702, "Button", kButtonType, BS_PUSHBUTTON, "&Cancel"},
    // Mouse button dialog: radios without a group.
    {104, 1064, "Button", kButtonType | WS_GROUP, BS_AUTORADIOBUTTON, "Left"},
    {104, 1066, "Button", kButtonType | WS_GROUP, BS_AUTORADIOBUTTON, "Middle"},
    {104, 1067, "Button", kButtonType | WS_GROUP, BS_AUTORADIOBUTTON, "Right"},
    {104, 1031, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT, CBS_DROPDOWNLIST, nullptr},
    {104, 1032, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT, CBS_DROPDOWNLIST, nullptr},
    {104, 1039, "Static", 0, 0, "X ref:"},
    {104, 1040, "Static", 0, 0, "Y ref:"},
    {104, 1034, "Static", 0, 0, nullptr},
    {104, 1036, "Static", 0, 0, nullptr},
    {104, 1037, "Edit", ES_READONLY, 0, nullptr},
    {104, 1038, "Edit", ES_READONLY, 0, nullptr},
    {104, IDOK, "Button", 0, 0, "&OK"},
    {104, IDCANCEL, "Button", 0, 0, "&Cancel"},
    // Macro editor
    {105, 1047, "Edit", ES_READONLY, 0, nullptr},
    {105, 1001, "Button", kButtonType, BS_PUSHBUTTON, "Start Recording"},
    {105, 1002, "Button", kButtonType, BS_PUSHBUTTON, "Stop Recording"},
    {105, 1041, "Static", 0, 0, nullptr},
    {105, 1068, "Static", SS_NOTIFY, SS_NOTIFY, "More >>"},
    {105, 1011, "SysListView32",
     LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED,
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED, nullptr},
    {105, 1061, "Button", kButtonType, BS_GROUPBOX, "Macro Editor"},
    {105, 1024, "Static", 0, 0, "Key:"},
    {105, 1078, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT, CBS_DROPDOWNLIST, nullptr},
    {105, 1063, "Static", 0, 0, "Delay(ms):"},
    {105, 1049, "Edit", ES_READONLY, 0, nullptr},
    {105, 1032, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT, CBS_DROPDOWNLIST, nullptr},
    {105, 1039, "Static", 0, 0, "X ref:"},
    {105, 1040, "Static", 0, 0, "Y ref:"},
    {105, 1037, "Edit", ES_NUMBER, 0, nullptr},
    {105, 1038, "Edit", ES_NUMBER, 0, nullptr},
    {105, 1034, "Static", 0, 0, nullptr},
    {105, 1036, "Static", 0, 0, nullptr},
    {105, 1005, "Button", kButtonType, BS_PUSHBUTTON, "Move Up"},
    {105, 1006, "Button", kButtonType, BS_PUSHBUTTON, "Move Down"},
    {105, 1029, "Button", kButtonType, BS_PUSHBUTTON, "Clear All"},
    {105, 1008, "Button", kButtonType, BS_PUSHBUTTON, "Press Delays"},
    {105, 1053, "Edit", ES_NUMBER, ES_NUMBER, nullptr},
    {105, 1080, "msctls_updown32", 0, 0, nullptr},
    {105, 1009, "Button", kButtonType, BS_PUSHBUTTON, "Release Delays"},
    {105, 1055, "Edit", ES_NUMBER, ES_NUMBER, nullptr},
    {105, 1081, "msctls_updown32", 0, 0, nullptr},
    {105, 1065, "Static", 0, 0, "Delay(ms):"},
    {105, 1069, "Button", kButtonType | WS_GROUP, BS_AUTORADIOBUTTON, "Only play macro once"},
    {105, 1070, "Button", kButtonType | WS_GROUP, BS_AUTORADIOBUTTON,
     "Play macro while pressing the M-Button"},
    {105, 1072, "Button", kButtonType | WS_GROUP, BS_AUTORADIOBUTTON,
     "Press the M-Button to play macro and press again to stop the M-Button"},
    {105, 1051, "Edit", ES_NUMBER, ES_NUMBER, nullptr},
    {105, 1079, "msctls_updown32", 0, 0, nullptr},
    // No default button: Enter must not end the macro editors or the layers editor.
    {105, 1003, "Button", kButtonType, BS_PUSHBUTTON, "&OK"},
    {105, 1004, "Button", kButtonType, BS_PUSHBUTTON, "&Cancel"},
    // Layer macro editor: its own controls; the shared ones are compared with 105.
    {107, 1003, "Button", kButtonType, BS_PUSHBUTTON, "&OK"},
    {107, 1004, "Button", kButtonType, BS_PUSHBUTTON, "&Cancel"},
    // Multi layers editor
    {106, 1030, "Edit", ES_READONLY, 0, nullptr},
    {106, 1011, "SysListView32",
     LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED,
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, nullptr},
    {106, 1003, "Button", kButtonType, BS_PUSHBUTTON, "&OK"},
    {106, 1004, "Button", kButtonType, BS_PUSHBUTTON, "&Cancel"},
// Save-file panel and summary dialog: the same fields.
#define SUMMARY_FIELDS(d)                                                              \
    {d, 1044, "Edit", ES_READONLY | ES_MULTILINE, 0, nullptr},                         \
        {d, 1045, "Edit", ES_READONLY | ES_MULTILINE, 0, nullptr},                     \
        {d, 1057, "Edit", ES_NUMBER | ES_READONLY, ES_NUMBER, nullptr},                \
        {d, 1060, "Edit", ES_NUMBER | ES_READONLY, ES_NUMBER, nullptr},                \
        {d, 1042, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT, CBS_DROPDOWNLIST, nullptr}, \
        {d, 1046, "Edit", ES_READONLY | ES_MULTILINE, 0, nullptr}, {                   \
        d, 1048, "Edit", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | ES_READONLY,      \
            ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, nullptr                         \
    }
    SUMMARY_FIELDS(108),
    SUMMARY_FIELDS(109),
#undef SUMMARY_FIELDS
    {109, 1059, "Button", kButtonType, BS_AUTOCHECKBOX, "Show the summary"},
    {109, IDOK, "Button", 0, 0, "&OK"},
    {109, IDCANCEL, "Button", 0, 0, "&Cancel"},
    // Summary window: read-only.
    {110, 1044, "Edit", ES_READONLY, ES_READONLY, nullptr},
    {110, 1045, "Edit", ES_READONLY, ES_READONLY, nullptr},
    {110, 1043, "Edit", ES_READONLY, ES_READONLY, nullptr},
    {110, 1046, "Edit", ES_READONLY, ES_READONLY, nullptr},
    {110, 1048, "Edit", ES_READONLY | ES_MULTILINE, ES_READONLY | ES_MULTILINE, nullptr},
    // Twin switch editor: the arrow markers are hidden.
    {111, 1030, "Edit", ES_READONLY, 0, nullptr},
    {111, 1071, "Static", 0, 0, nullptr},
    {111, 1073, "Static", 0, 0, nullptr},
    {111, 1076, "Static", WS_VISIBLE, 0, nullptr},
    {111, 1077, "Static", WS_VISIBLE, 0, nullptr},
    {111, 32701, "Button", kButtonType, BS_DEFPUSHBUTTON, "&OK"},
    {111, 32702, "Button", kButtonType, BS_PUSHBUTTON, "&Cancel"},
    // Pad picture window
    {113, 1100, "Static", 0, 0, ""},
};

std::string Describe(const ControlFacts& c) {
    return Numbered("dialog ", c.dialog) + Numbered(" control ", c.id);
}

class ControlFactsTest : public ::testing::TestWithParam<ControlFacts> {};

TEST_P(ControlFactsTest, TemplateHasTheControlWithItsKind) {
    const ControlFacts& c = GetParam();
    auto t = ReadTemplate(c.dialog);
    ASSERT_TRUE(t);
    const TemplateItem* item = t->Find(c.id);
    ASSERT_NE(item, nullptr) << Describe(c);
    EXPECT_STRCASEEQ(item->cls.c_str(), c.cls) << Describe(c);
    EXPECT_EQ(item->style & c.mask, c.value)
        << Describe(c) << " style 0x" << std::hex << item->style;
    if (c.text != nullptr) {
        EXPECT_EQ(item->text, c.text) << Describe(c);
    }
}

INSTANTIATE_TEST_SUITE_P(Res, ControlFactsTest, ::testing::ValuesIn(kControls),
                         [](const ::testing::TestParamInfo<ControlFacts>& info) {
                             return Numbered("Dialog", info.param.dialog) +
                                    Numbered("Control", info.param.id);
                         });

// Ids no two controls of one dialog may share, or GetDlgItem finds the wrong one.
TEST(ResDialogs, IdsAreUniqueWithinEachDialog) {
    for (int dialog : kDialogs) {
        auto t = ReadTemplate(dialog);
        ASSERT_TRUE(t) << "dialog " << dialog;
        std::set<int> seen;
        for (const TemplateItem& item : t->items) {
            if (item.id == -1) {
                continue;
            }
            EXPECT_TRUE(seen.insert(item.id).second)
                << "dialog " << dialog << " has control " << item.id << " twice";
        }
    }
}

// Captions that belong to no control id: the fields are recognised by them.
struct Caption {
    int dialog;
    const char* text;
};

constexpr Caption kCaptions[] = {
    {103, "Key:"},
    {105, "Macro Name:"},
    {105, "Key Definition:"},
    {105, "Macro repeats between(ms):"},
    {106, "Layer Name:"},
    {106, "Key Definition:"},
    {107, "In the MultiLayer, you can only play macro one time only"},
    {108, "Name:"},
    {108, "Game:"},
    {108, "Resolution:"},
    {108, "X:"},
    {108, "Y:"},
    {108, "Author:"},
    {108, "Comment:"},
    {109, "Name:"},
    {109, "Game:"},
    {109, "Resolution:"},
    {109, "X:"},
    {109, "Y:"},
    {109, "Author:"},
    {109, "Comment:"},
    {110, "Name:"},
    {110, "Game:"},
    {110, "Resolution:"},
    {110, "Author:"},
    {110, "Comment:"},
    {111, "Name:"},
    {111, "Key 1:"},
    {111, "Key 2:"},
};

TEST(ResDialogs, FieldCaptionsAreThere) {
    for (const Caption& caption : kCaptions) {
        auto t = ReadTemplate(caption.dialog);
        ASSERT_TRUE(t);
        bool found = false;
        for (const TemplateItem& item : t->items) {
            found = found || (item.cls == "Static" && item.text == caption.text);
        }
        EXPECT_TRUE(found) << "dialog " << caption.dialog << " lacks \"" << caption.text << "\"";
    }
}

TEST(ResDialogs, NoDefaultButtonInTheMultiLayersAndMacroEditors) {
    for (int dialog : {105, 106, 107}) {
        auto t = ReadTemplate(dialog);
        ASSERT_TRUE(t);
        for (const TemplateItem& item : t->items) {
            if (item.cls == "Button") {
                EXPECT_NE(item.style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON))
                    << "dialog " << dialog << " control " << item.id;
            }
        }
    }
}

// The layer variant holds every control of the macro editor with the same
// id, text and place, except the play mode (gone) and OK and Cancel, which
// sit 29 units higher; it adds only its note.
TEST(ResDialogs, LayerMacroEditorIsTheMacroEditorWithoutPlayMode) {
    auto full = ReadTemplate(105);
    auto layer = ReadTemplate(107);
    ASSERT_TRUE(full && layer);
    const std::set<int> playMode = {1069, 1070, 1072, 1051, 1079};
    const std::set<std::string> playModeCaptions = {"Macro repeats between(ms):"};
    const std::string note = "In the MultiLayer, you can only play macro one time only";

    std::vector<const TemplateItem*> expected;
    for (const TemplateItem& item : full->items) {
        if (playMode.count(item.id) == 0 && playModeCaptions.count(item.text) == 0) {
            expected.push_back(&item);
        }
    }
    std::vector<const TemplateItem*> actual;
    for (const TemplateItem& item : layer->items) {
        if (item.text != note) {
            actual.push_back(&item);
        }
    }
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        const TemplateItem& a = *actual[i];
        const TemplateItem& e = *expected[i];
        const short lift = (e.id == 1003 || e.id == 1004) ? 29 : 0;
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(a.cls, e.cls) << "control " << e.id;
        EXPECT_EQ(a.text, e.text) << "control " << e.id;
        EXPECT_EQ(a.style, e.style) << "control " << e.id;
        EXPECT_EQ(a.x, e.x) << "control " << e.id;
        EXPECT_EQ(a.y, e.y - lift) << "control " << e.id;
        EXPECT_EQ(a.cx, e.cx) << "control " << e.id;
        EXPECT_EQ(a.cy, e.cy) << "control " << e.id;
    }
    for (int id : playMode) {
        EXPECT_EQ(layer->Find(id), nullptr) << "control " << id;
    }
}

// ---- Created dialogs ------------------------------------------------------------

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

class CreatedDialog {
  public:
    explicit CreatedDialog(int id) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        auto t = ReadTemplate(id);
        if (t && (t->style & WS_CHILD)) {
            // A child template needs a window to live in, as inside the file dialog.
            host_ = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                    nullptr, nullptr);
        }
        hwnd_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), host_,
                                   QuietDialogProc, 0);
    }
    ~CreatedDialog() {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        }
        if (host_ != nullptr) {
            DestroyWindow(host_);
        }
    }
    CreatedDialog(const CreatedDialog&) = delete;
    CreatedDialog& operator=(const CreatedDialog&) = delete;

    HWND get() const { return hwnd_; }

  private:
    HWND host_ = nullptr;
    HWND hwnd_ = nullptr;
};

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

class CreatedDialogTest : public ::testing::TestWithParam<int> {};

TEST_P(CreatedDialogTest, CreatesWithEveryControlOfItsTemplate) {
    CreatedDialog dialog(GetParam());
    ASSERT_NE(dialog.get(), nullptr) << "error " << GetLastError();
    auto t = ReadTemplate(GetParam());
    ASSERT_TRUE(t);
    for (const TemplateItem& item : t->items) {
        if (item.id == -1) {
            continue;
        }
        HWND control = GetDlgItem(dialog.get(), item.id);
        ASSERT_NE(control, nullptr) << "control " << item.id;
        EXPECT_STRCASEEQ(ClassOf(control).c_str(), item.cls.c_str()) << "control " << item.id;
    }
}

struct Box {
    HWND hwnd;
    int id;
    RECT rect;
    std::string cls;
    DWORD style;
};

std::vector<Box> VisibleControls(HWND dialog) {
    std::vector<Box> boxes;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        if (!(style & WS_VISIBLE)) {
            continue;
        }
        Box box{child, GetDlgCtrlID(child), {}, ClassOf(child), style};
        GetWindowRect(child, &box.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box.rect), 2);
        boxes.push_back(box);
    }
    return boxes;
}

bool IsGroupBox(const Box& box) {
    return box.cls == "Button" && (box.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsSpinOf(const Box& spin, const Box& edit) {
    return spin.cls == "msctls_updown32" &&
           reinterpret_cast<HWND>(SendMessageA(spin.hwnd, UDM_GETBUDDY, 0, 0)) == edit.hwnd;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST_P(CreatedDialogTest, ControlsLieInsideTheWindowWithoutOverlapping) {
    CreatedDialog dialog(GetParam());
    ASSERT_NE(dialog.get(), nullptr);
    RECT client;
    GetClientRect(dialog.get(), &client);
    const std::vector<Box> boxes = VisibleControls(dialog.get());
    for (const Box& box : boxes) {
        EXPECT_TRUE(Inside(box.rect, client)) << "control " << box.id << " leaves the window";
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& a = boxes[i];
            const Box& b = boxes[j];
            RECT common;
            if (!IntersectRect(&common, &a.rect, &b.rect)) {
                continue;
            }
            // A group box frames whole controls, and nothing else may touch it.
            if (IsGroupBox(a) && Inside(b.rect, a.rect)) {
                continue;
            }
            if (IsGroupBox(b) && Inside(a.rect, b.rect)) {
                continue;
            }
            // A spin lies over its buddy's border by design.
            if (IsSpinOf(a, b) || IsSpinOf(b, a)) {
                continue;
            }
            ADD_FAILURE() << "controls " << a.id << " (" << a.cls << ") and " << b.id << " ("
                          << b.cls << ") overlap";
        }
    }
}

// A single-line text wider than its control is cut off (or, in a static,
// wrapped into a line that is not there).
TEST_P(CreatedDialogTest, TextsFitTheirControls) {
    CreatedDialog dialog(GetParam());
    ASSERT_NE(dialog.get(), nullptr);
    HDC dc = GetDC(dialog.get());
    for (const Box& box : VisibleControls(dialog.get())) {
        const bool button = box.cls == "Button";
        const DWORD type = box.style & (button ? BS_TYPEMASK : SS_TYPEMASK);
        const bool checkLike = button && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON ||
                                          type == BS_AUTOCHECKBOX || type == BS_CHECKBOX);
        const bool textStatic = box.cls == "Static" && type <= SS_RIGHT;
        const bool pushButton = button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
        if (!checkLike && !textStatic && !pushButton) {
            continue;
        }
        HWND control = box.hwnd;
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        if (text[0] == '\0') {
            continue;
        }
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        RECT need{0, 0, 0, 0};
        DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        int room = box.rect.right - box.rect.left;
        if (checkLike) {
            room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
        } else if (pushButton) {
            room -= 4;
        }
        EXPECT_LE(need.right, room) << "\"" << text << "\" in control " << box.id;
    }
    ReleaseDC(dialog.get(), dc);
}

INSTANTIATE_TEST_SUITE_P(Res, CreatedDialogTest, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return Numbered("Dialog", info.param);
                         });

// The panel must be one the system's save-file dialog accepts as its child
// template: the dialog opens with the summary fields inside it.
struct PanelProbe {
    bool opened = false;
    std::vector<int> found;
};

UINT_PTR CALLBACK PanelHook(HWND panel, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* probe = reinterpret_cast<PanelProbe*>(
            reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
        probe->opened = true;
        for (int id : {1044, 1045, 1057, 1060, 1042, 1046, 1048}) {
            if (GetDlgItem(panel, id) != nullptr) {
                probe->found.push_back(id);
            }
        }
        PostMessageA(GetParent(panel), WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}

TEST(ResDialogs, FileInfoPanelOpensInsideTheSaveDialog) {
    HMODULE comdlg = LoadLibraryA("comdlg32.dll");
    ASSERT_NE(comdlg, nullptr);
    auto getSaveFileName = reinterpret_cast<BOOL(WINAPI*)(OPENFILENAMEA*)>(
        reinterpret_cast<void*>(GetProcAddress(comdlg, "GetSaveFileNameA")));
    ASSERT_NE(getSaveFileName, nullptr);

    PanelProbe probe;
    char file[MAX_PATH] = "Unfiled";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = "Gripdeck\0*.gpx\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "gpx";
    ofn.Flags =
        OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    ofn.lpTemplateName = MAKEINTRESOURCEA(108);
    ofn.lpfnHook = PanelHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&probe);
    EXPECT_FALSE(getSaveFileName(&ofn));  // cancelled by the hook

    EXPECT_TRUE(probe.opened);
    EXPECT_EQ(probe.found, (std::vector<int>{1044, 1045, 1057, 1060, 1042, 1046, 1048}));
    FreeLibrary(comdlg);
}

// The pad picture window shows bitmap 146 (357 x 500) from its corner and is
// cut to the pad's outline; a smaller window would cut the picture.
TEST(ResDialogs, PadPictureWindowHoldsTheWholeDrawing) {
    CreatedDialog dialog(113);
    ASSERT_NE(dialog.get(), nullptr);
    RECT client;
    GetClientRect(dialog.get(), &client);
    EXPECT_GE(client.right, 357);
    EXPECT_GE(client.bottom, 500);
}

// Each spin must have come alive on the edit that holds its number.
TEST(ResDialogs, SpinsAreBuddiesOfTheirEdits) {
    struct Pair {
        int dialog, spin, edit;
    };
    for (const Pair& p : {Pair{105, 1079, 1051}, Pair{105, 1080, 1053}, Pair{105, 1081, 1055},
                          Pair{107, 1080, 1053}, Pair{107, 1081, 1055}}) {
        CreatedDialog dialog(p.dialog);
        ASSERT_NE(dialog.get(), nullptr);
        HWND spin = GetDlgItem(dialog.get(), p.spin);
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)),
                  GetDlgItem(dialog.get(), p.edit))
            << "spin " << p.spin << " of dialog " << p.dialog;
    }
}

}  // namespace
}  // namespace gd
