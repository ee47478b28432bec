#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "core/profile_samples.h"
#include "profile/ansi_text.h"
#include "profile/image.h"
#include "profile/profile_json_document.h"

namespace gd {
namespace {

using testing::Profile;
using testing::SampleProfile;

// Export, print, parse and import again: the bytes must come back.
::testing::AssertionResult RoundTrips(const Profile& p) {
    const std::string text = FormatJson(ProfileToJson(*p.image, p.summary));
    Json document;
    if (std::optional<JsonProblem> problem = ParseJson(text, document)) {
        return ::testing::AssertionFailure() << "parse: " << problem->Describe();
    }
    Profile back;
    if (std::optional<JsonProblem> problem = ProfileFromJson(document, *back.image, back.summary)) {
        return ::testing::AssertionFailure() << "import: " << problem->Describe();
    }
    for (int i = 0; i < kButtonCount; ++i) {
        if (std::memcmp(&back.image->slots[i], &p.image->slots[i], sizeof(ButtonSlot)) != 0) {
            return ::testing::AssertionFailure() << "slot M" << i + 1 << " differs";
        }
    }
    if (std::memcmp(&back.summary, &p.summary, sizeof p.summary) != 0) {
        return ::testing::AssertionFailure() << "summary differs";
    }
    return ::testing::AssertionSuccess();
}

Json Exported(const Profile& p) {
    return ProfileToJson(*p.image, p.summary);
}

TEST(AnsiText, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    EXPECT_EQ(AnsiToUtf8("\x80\x93q\x94\x81"), "\xE2\x82\xAC\xE2\x80\x9Cq\xE2\x80\x9D\xC2\x81");
    const std::pair<const char*, const char*> refused[] = {
        {"\xE4\xB8\x80", "U+4E00"},          // a CJK ideograph
        {"ok \xF0\x9F\x8E\xAE", "U+1F3AE"},  // outside the BMP
        {"\xC3", "invalid UTF-8"},           // cut short
        {"\xC0\xAF", "invalid UTF-8"},       // overlong
        {"\xED\xA0\x80", "invalid UTF-8"},   // surrogate
    };
    for (const auto& [utf8, reason] : refused) {
        std::string bad;
        EXPECT_EQ(Utf8ToAnsi(utf8, &bad), std::nullopt) << reason;
        EXPECT_EQ(bad, reason);
    }
}

struct OddProfile {
    const char* name;
    std::function<void(Profile&)> change;
};

// Bytes no field accounts for, and records no kind can show.
const OddProfile kOddProfiles[] = {
    {"empty profile", [](Profile& p) { p = Profile(); }},
    {"macro written over a layer set",
     [](Profile& p) {
         p.slot(8).slotType = SlotType::Macro;
         std::memset(&p.slot(8).macro, 0, sizeof(MacroRecord));
     }},
    {"bytes after a name's terminator", [](Profile& p) { p.slot(5).macro.name[200] = 'z'; }},
    {"name without a terminator",
     [](Profile& p) { std::memset(p.slot(8).multiLayer.name, 'n', 256); }},
    {"summary texts filling their fields",
     [](Profile& p) {
         std::memset(p.summary.name, 'N', sizeof p.summary.name);
         std::memset(p.summary.comment, 'C', sizeof p.summary.comment);
     }},
    {"Windows-1252 texts",
     [](Profile& p) {
         WriteText(p.summary.author,
                   "Ren\xE9"
                   "e \x80\x81\x9D");
         WriteName(p.slot(5).macro.name, "Caf\xE9 \x93run\x94");
     }},
    {"unknown slot type with payload",
     [](Profile& p) {
         p.slot(17).slotType = 0x40000000;
         p.slot(17).payload[100] = 7;
     }},
    {"stop layer keeping an old payload",
     [](Profile& p) { p.slot(11).multiLayer.layers[3].raw[0] = 0x21; }},
    {"macro with 200 events", [](Profile& p) { p.slot(7).macro.eventCount = 200; }},
    {"five layers", [](Profile& p) { p.slot(11).multiLayer.layerCount = 5; }},
    {"unknown layer type",
     [](Profile& p) { p.slot(10).multiLayer.layers[1].layerType = 0x20000000; }},
    {"key event with a position", [](Profile& p) { p.slot(5).macro.positions[0] = 0x00010002; }},
    {"code nothing names", [](Profile& p) { p.slot(6).macro.events[1] = 0x07FFFFFF; }},
};

TEST(ProfileJson, EveryProfileComesBackByteForByte) {
    for (const OddProfile& odd : kOddProfiles) {
        SCOPED_TRACE(odd.name);
        Profile p = SampleProfile();
        odd.change(p);
        EXPECT_TRUE(RoundTrips(p));
    }
}

TEST(ProfileJson, RandomBytesComeBackToo) {
    std::mt19937 random(20240611);
    const std::uint32_t slotTypes[] = {0,          0x01000000, 0x02000000, 0x04000000, 0x08000000,
                                       0x10000000, 0x10000001, 0x10000002, 0x20000000, 0x7F000000};
    for (int round = 0; round < 40; ++round) {
        Profile p = SampleProfile();
        for (int s = 0; s < kButtonCount; ++s) {
            ButtonSlot& slot = p.slot(s);
            if (random() % 2 == 0) {
                slot.slotType = slotTypes[random() % std::size(slotTypes)];
            }
            for (int flips = static_cast<int>(random() % 6); flips > 0; --flips) {
                slot.payload[random() % kSlotPayloadSize] = static_cast<std::uint8_t>(random());
            }
        }
        reinterpret_cast<std::uint8_t*>(&p.summary)[random() % sizeof p.summary] =
            static_cast<std::uint8_t>(random());
        ASSERT_TRUE(RoundTrips(p)) << "round " << round;
    }
}

// A value put at `at` of the exported sample (null: the field removed), and
// the refusal it gets: where (`at` when null) and part of the reason.
struct Refusal {
    const char* at;
    Json value;
    const char* reason;
    const char* path = nullptr;
};

TEST(ProfileJson, RefusesBadValuesNamingWhereTheyAre) {
    const Json oneEvent = {{"code", "0x01000021"}, {"delay", 1}};
    const auto extra = [](int at, const char* hex) {
        return Json::array({{{"at", at}, {"hex", hex}}});
    };
    const Refusal refusals[] = {
        {"/buttons/0/kind", "Turbo", "unknown value \"Turbo\""},
        {"/buttons/3/x", 2049, "out of range"},
        {"/buttons/7/events", Json(129, oneEvent), "129 events, at most 128"},
        {"/buttons/11/layers/4",
         {{"kind", "SuperStop"}},
         "5 layers, at most 4",
         "/buttons/11/layers"},
        {"/summary/name", std::string(65, 'n'), "65 characters, the field holds 64"},
        {"/buttons/5/name", std::string(256, 'm'), "holds 255"},
        {"/summary/game", "\xE6\xBC\xA2", "U+6F22"},
        {"/summary/author", std::string("a\0b", 3), "zero character"},
        {"/buttons/6/repeatInterval", 10, "from 30 to 60000"},
        {"/buttons/6/repeatInterval", nullptr, "repeatInterval", "/buttons/6"},
        {"/buttons/5/events/0/delay", 1.5, "whole number"},
        {"/buttons/0/code", "0x02200001", "not a keyboard code"},
        {"/buttons/9/layers/1/code", "0x0120001E", "not a mouse code"},
        {"/buttons/3/code", "0x02200003", "button"},
        {"/buttons/5/events/1/code", "0x01300013", "action"},
        {"/buttons/5/events/1/code", "0x04000013", "keyboard (0x01) or mouse (0x02)"},
        {"/buttons/0/extra", extra(2, "00"), "from 4 to 7527", "/buttons/0/extra/0/at"},
        {"/buttons/0/extra", extra(7527, "0000"), "run past the end", "/buttons/0/extra/0/hex"},
        {"/buttons/0/extra", extra(8, "abc"), "pairs of hex digits", "/buttons/0/extra/0/hex"},
        {"/buttons/5/events/0/dealy", 5, "unknown field"},
        {"/buttons/5/playMode", nullptr, "missing field \"playMode\"", "/buttons/5"},
        {"/buttons/3/button", "M5", "in order"},
        {"/buttons/19", nullptr, "19 buttons", "/buttons"},
        {"/version", 2, "unsupported version 2"},
        {"/format", "other", "gripdeck-profile"},
        {"", Json::array(), "must be an object"},
    };
    const Json sample = Exported(SampleProfile());
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(std::string(refusal.at) + " = " + refusal.value.dump());
        Json doc = sample;
        const Json::json_pointer at(refusal.at);
        if (!refusal.value.is_null()) {
            doc[at] = refusal.value;
        } else if (Json& parent = doc[at.parent_pointer()]; parent.is_array()) {
            parent.erase(std::stoul(at.back()));
        } else {
            parent.erase(at.back());
        }
        Profile p;
        const std::optional<JsonProblem> problem = ProfileFromJson(doc, *p.image, p.summary);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->path, refusal.path != nullptr ? refusal.path : refusal.at);
        EXPECT_NE(problem->reason.find(refusal.reason), std::string::npos) << problem->reason;
    }
}

TEST(ProfileJson, RefusalLeavesTheOutputsAlone) {
    Profile target = SampleProfile();
    const Profile before = SampleProfile();
    Json doc = Exported(Profile());
    doc["buttons"][19]["kind"] = "Nope";
    EXPECT_TRUE(ProfileFromJson(doc, *target.image, target.summary).has_value());
    EXPECT_EQ(std::memcmp(target.image.get(), before.image.get(), sizeof *target.image), 0);
    EXPECT_EQ(std::memcmp(&target.summary, &before.summary, sizeof target.summary), 0);
}

TEST(ProfileJson, NamesAreForReadingOnly) {
    Json doc = Exported(SampleProfile());
    doc["buttons"][0]["key"] = "not the key";
    doc["buttons"][0]["action"] = "whatever";
    doc["buttons"][11]["layerKind"] = "TwinSwitch";
    Profile p;
    ASSERT_EQ(ProfileFromJson(doc, *p.image, p.summary), std::nullopt);
    EXPECT_EQ(p.slot(0).action.code, 0x01200002u);
}

// Text that is not JSON is placed by line and column, leading the message;
// JSON that a profile cannot be is placed by its pointer.
TEST(ProfileJson, ParsingRefusesMalformedTextSayingWhere) {
    struct Case {
        const char* name;
        std::string text;
        const char* path;  // nullptr: wherever the parser stopped
        const char* described;
    };
    const Case cases[] = {
        {"syntax", "{\n  \"format\": \"gripdeck-profile\",\n  \"version\" 1\n}", "",
         "line 3, column 13: not valid JSON: syntax error while parsing object separator"},
        {"bad UTF-8 in a text", "{\n \"summary\": {\"name\": \"\xC3(\"}}", "",
         "line 2, column 24: not valid JSON: syntax error while parsing value - invalid string: "
         "ill-formed UTF-8 byte"},
        {"empty", "", "", "line 1, column 1: not valid JSON: syntax error"},
        {"duplicate field", R"({"buttons": [{"kind": "Off", "kind": "Macro"}]})", "/buttons/0/kind",
         "/buttons/0/kind: duplicate field \"kind\""},
        {"nesting", std::string(100, '[') + std::string(100, ']'), nullptr, "nested deeper"},
        // A number beyond every double is refused where it stands.
        {"huge", R"({"buttons": [{"kind": "Off"}, {"delay": 1e400}]})", "/buttons/1/delay",
         "/buttons/1/delay: number out of range"},
        {"huge negative", R"({"version": -1e400})", "/version", "number out of range"},
        {"huge in an array", "[1, 2, 1e400]", "/2", "number out of range"},
        {"huge alone", "1e400", "", "/: number out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Json doc;
        const std::optional<JsonProblem> problem = ParseJson(c.text, doc);
        ASSERT_TRUE(problem.has_value());
        if (c.path != nullptr) {
            EXPECT_EQ(problem->path, c.path);
        }
        EXPECT_NE(problem->Describe().find(c.described), std::string::npos) << problem->Describe();
    }
}

// What gpxtool and the program read and write: whole files, refused with a
// reason that says where, written whole or not at all.
TEST(ProfileJson, FilesReadAndWriteWholeOrNotAtAll) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("gripdeck-json-files-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "a folder in the way.json");
    const std::string written = (dir / "the sample written out.json").string();
    const Profile sample = SampleProfile();
    ASSERT_EQ(WriteProfileJsonFile(written, *sample.image, sample.summary), std::nullopt);
    Profile back;
    ASSERT_EQ(ReadProfileJsonFile(written, *back.image, back.summary), std::nullopt);
    EXPECT_EQ(std::memcmp(back.image.get(), sample.image.get(), sizeof *back.image), 0);
    EXPECT_EQ(std::memcmp(&back.summary, &sample.summary, sizeof back.summary), 0);

    const std::string huge = (dir / "larger than any profile.json").string();
    std::ofstream(huge).put('{');
    fs::resize_file(huge, kMaxJsonFile + 1);
    const std::string broken = (dir / "the sample cut short.json").string();
    std::ofstream(broken) << ProfileJsonText(*sample.image, sample.summary).substr(0, 100);
    const std::pair<std::string, std::string> refused[] = {
        {(dir / "no such file here.json").string(), "cannot be opened"},
        {huge, "larger than 64 MiB"},
        {broken, "line 6, column "},
    };
    Profile untouched = SampleProfile();
    for (const auto& [path, reason] : refused) {
        const std::optional<std::string> problem =
            ReadProfileJsonFile(path, *untouched.image, untouched.summary);
        ASSERT_TRUE(problem.has_value()) << path;
        EXPECT_NE(problem->find(reason), std::string::npos) << *problem;
    }
    EXPECT_EQ(std::memcmp(untouched.image.get(), sample.image.get(), sizeof *sample.image), 0);

    EXPECT_EQ(WriteProfileJsonFile((dir / "a folder in the way.json").string(), *sample.image,
                                   sample.summary),
              "is not a regular file, not replaced");
    EXPECT_EQ(WriteProfileJsonFile((dir / "no such folder" / "out.json").string(), *sample.image,
                                   sample.summary),
              "cannot be written");
    fs::remove_all(dir);
}

TEST(ProfileJson, CodesOutsideTheKeyTableStayInTheirRecord) {
    // Scan codes fill 16 bits; one the key table does not list has no name
    // but is still a key of a well-formed record.
    Profile p = SampleProfile();
    ButtonSlot& layers = p.slot(7);
    ClearSlot(layers);
    layers.slotType = SlotType::MultiLayer;
    WriteName(layers.multiLayer.name, "Media(Single)");
    layers.multiLayer.layerCount = 2;
    for (int i = 0; i < 2; ++i) {
        layers.multiLayer.layers[i].layerType = LayerType::Key;
        layers.multiLayer.layers[i].action.code = i == 0 ? 0x01000159 : 0x01100159;
    }
    testing::SetAction(p.slot(0), SlotType::SingleKey, 0x0121E05F);
    const Json doc = Exported(p);
    EXPECT_EQ(doc["buttons"][7]["kind"], "MultiLayer");
    EXPECT_EQ(doc["buttons"][7]["layerKind"], "SingleSwitch key");
    EXPECT_EQ(doc["buttons"][7]["layers"][0],
              (Json{{"kind", "Key"}, {"code", "0x01000159"}, {"action", "Press"}}));
    EXPECT_EQ(doc["buttons"][0]["kind"], "SingleKey");
    EXPECT_TRUE(RoundTrips(p));
}

}  // namespace
}  // namespace gd
