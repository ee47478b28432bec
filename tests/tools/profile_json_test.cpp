#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "gpxtool/profile_json.h"
#include "profile/image.h"
#include "test_profiles.h"

namespace gpxtool {
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
    for (int i = 0; i < gd::kButtonCount; ++i) {
        if (std::memcmp(&back.image->slots[i], &p.image->slots[i], sizeof(gd::ButtonSlot)) != 0) {
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

struct OddProfile {
    const char* name;
    std::function<void(Profile&)> change;
};

// Bytes no field accounts for, and records no kind can show.
const OddProfile kOddProfiles[] = {
    {"empty profile", [](Profile& p) { p = Profile(); }},
    {"sample as is", [](Profile&) {}},
    {"macro written over a layer set",
     [](Profile& p) {
         testing::SetMacro(p.slot(8), "Over", gd::PlayMode::Once, 0, {{0x0120001E, 0}});
     }},
    {"bytes after a name's terminator", [](Profile& p) { p.slot(4).macro.name[200] = 'z'; }},
    {"name without a terminator",
     [](Profile& p) { std::memset(p.slot(7).multiLayer.name, 'n', 256); }},
    {"summary texts filling their fields",
     [](Profile& p) {
         std::memset(p.summary.name, 'N', sizeof p.summary.name);
         std::memset(p.summary.comment, 'C', sizeof p.summary.comment);
     }},
    {"summary reserved bytes and junk after a text",
     [](Profile& p) {
         p.summary.reserved[3] = 0x5A;
         p.summary.game[60] = 'q';
     }},
    {"negative resolution width", [](Profile& p) { p.summary.resolution = 0xFFFF0300; }},
    {"Windows-1252 texts",
     [](Profile& p) {
         gd::WriteText(p.summary.author,
                       "Ren\xE9"
                       "e \x80\x81\x9D");
         gd::WriteName(p.slot(4).macro.name, "Caf\xE9 \x93run\x94");
     }},
    {"unknown slot type with payload",
     [](Profile& p) {
         p.slot(15).slotType = 0x40000000;
         p.slot(15).payload[100] = 7;
     }},
    {"stop slot with leftover payload", [](Profile& p) { p.slot(11).payload[9] = 0xEE; }},
    {"stop layer keeping an old payload",
     [](Profile& p) { p.slot(10).multiLayer.layers[3].raw[0] = 0x21; }},
    {"macro with 200 events", [](Profile& p) { p.slot(6).macro.eventCount = 200; }},
    {"five layers", [](Profile& p) { p.slot(10).multiLayer.layerCount = 5; }},
    {"mouse offset out of range", [](Profile& p) { p.slot(2).action.x = 5000; }},
    {"unknown play mode", [](Profile& p) { p.slot(4).macro.playMode = 0x00800000; }},
    {"unknown layer type",
     [](Profile& p) { p.slot(9).multiLayer.layers[1].layerType = 0x20000000; }},
    {"key slot with mouse fields", [](Profile& p) { p.slot(0).action.screenWidth = 1024; }},
    {"events beyond the count", [](Profile& p) { p.slot(4).macro.events[100] = 0x0120001E; }},
    {"key event with a position", [](Profile& p) { p.slot(4).macro.positions[0] = 0x00010002; }},
    {"code nothing names", [](Profile& p) { p.slot(5).macro.events[1] = 0x07FFFFFF; }},
    {"layer kinds by layer count 0", [](Profile& p) { p.slot(9).multiLayer.layerCount = 0; }},
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
        for (int s = 0; s < gd::kButtonCount; ++s) {
            gd::ButtonSlot& slot = p.slot(s);
            if (random() % 2 == 0) {
                slot.slotType = slotTypes[random() % std::size(slotTypes)];
            }
            for (int flips = static_cast<int>(random() % 6); flips > 0; --flips) {
                slot.payload[random() % gd::kSlotPayloadSize] = static_cast<std::uint8_t>(random());
            }
        }
        reinterpret_cast<std::uint8_t*>(&p.summary)[random() % sizeof p.summary] =
            static_cast<std::uint8_t>(random());
        ASSERT_TRUE(RoundTrips(p)) << "round " << round;
    }
}

TEST(ProfileJson, ShowsKindsCodesAndNames) {
    const Json doc = Exported(SampleProfile());
    const Json& buttons = doc["buttons"];
    ASSERT_EQ(buttons.size(), 20u);
    EXPECT_EQ(doc["format"], "gripdeck-profile");
    EXPECT_EQ(doc["summary"]["name"], "Night Raid");
    EXPECT_EQ(doc["summary"]["resolution"], (Json{{"width", 1920}, {"height", 1080}}));

    EXPECT_EQ(buttons[0]["button"], "M1");
    EXPECT_EQ(buttons[0]["kind"], "SingleKey");
    EXPECT_EQ(buttons[0]["code"], "0x01200002");
    EXPECT_EQ(buttons[0]["action"], "Click");
    EXPECT_FALSE(buttons[0].contains("x")) << "a key slot shows only what it uses";

    EXPECT_EQ(buttons[2]["mouse"], "Right Button");
    EXPECT_EQ(buttons[2]["position"], "Absolute");
    EXPECT_EQ(buttons[3]["position"], "Relative");
    EXPECT_EQ(buttons[3]["x"], -20);

    const Json& drag = buttons[5];
    EXPECT_EQ(drag["playMode"], "WhilePressed");
    EXPECT_EQ(drag["repeatInterval"], 50);
    EXPECT_EQ(drag["events"][2]["x"], -5);
    EXPECT_EQ(drag["events"][2]["y"], 10);
    EXPECT_EQ(drag["events"][2]["action"], "Press");
    EXPECT_EQ(drag["events"][0]["delay"], 120);
    EXPECT_EQ(buttons[6]["events"].size(), 128u);
    EXPECT_EQ(buttons[6]["playMode"], "Toggle");

    EXPECT_EQ(buttons[7]["layerKind"], "SingleSwitch key");
    EXPECT_EQ(buttons[8]["layerKind"], "SingleSwitch mouse");
    EXPECT_EQ(buttons[9]["layerKind"], "TwinSwitch");
    EXPECT_EQ(buttons[10]["layerKind"], "Advanced");
    EXPECT_EQ(buttons[10]["layers"][1]["kind"], "Macro");
    EXPECT_EQ(buttons[10]["layers"][1]["playMode"], "Unset");
    EXPECT_EQ(buttons[10]["layers"][3], (Json{{"kind", "StopMacroLoop"}}));

    EXPECT_EQ(buttons[11]["kind"], "StopKey");
    EXPECT_EQ(buttons[12]["kind"], "StopMacroLoop");
    EXPECT_EQ(buttons[13]["kind"], "SuperStop");
    EXPECT_EQ(buttons[14]["kind"], "Default");
    EXPECT_EQ(buttons[19], (Json{{"button", "M20"}, {"kind", "Off"}}));
}

TEST(ProfileJson, CarriesWhatTheFieldsCannotShow) {
    Profile p = SampleProfile();
    testing::SetMacro(p.slot(8), "Over", gd::PlayMode::Once, 0, {{0x0120001E, 0}});
    p.slot(15).slotType = 0x40000000;
    p.slot(15).payload[100] = 7;
    p.slot(2).action.x = 5000;
    const Json doc = Exported(p);

    const Json& over = doc["buttons"][8];
    EXPECT_EQ(over["kind"], "Macro");
    ASSERT_TRUE(over.contains("extra"));
    EXPECT_GE(over["extra"][0]["at"].get<int>(), 1816) << "the macro's own bytes are fields";

    EXPECT_EQ(doc["buttons"][15]["kind"], "Raw");
    EXPECT_EQ(doc["buttons"][15]["slotType"], "0x40000000");
    EXPECT_EQ(doc["buttons"][15]["extra"], (Json::array({{{"at", 104}, {"hex", "07"}}})));

    EXPECT_EQ(doc["buttons"][2]["kind"], "Raw") << "an x the editors never write";
}

struct Refusal {
    const char* name;
    std::function<void(Json&)> change;
    const char* path;
    const char* reason;  // part of the reason
};

Json Events(int count) {
    Json events = Json::array();
    for (int i = 0; i < count; ++i) {
        events.push_back({{"code", "0x01000021"}, {"delay", 1}});
    }
    return events;
}

const Refusal kRefusals[] = {
    {"unknown slot kind", [](Json& d) { d["buttons"][0]["kind"] = "Turbo"; }, "/buttons/0/kind",
     "unknown value \"Turbo\""},
    {"unknown layer kind", [](Json& d) { d["buttons"][10]["layers"][0]["kind"] = "Joystick"; },
     "/buttons/10/layers/0/kind", "unknown value"},
    {"unknown play mode", [](Json& d) { d["buttons"][4]["playMode"] = "Twice"; },
     "/buttons/4/playMode", "unknown value"},
    {"mouse x too far right", [](Json& d) { d["buttons"][2]["x"] = 2049; }, "/buttons/2/x",
     "out of range"},
    {"mouse y too far up", [](Json& d) { d["buttons"][3]["y"] = -2049; }, "/buttons/3/y",
     "out of range"},
    {"129 events", [](Json& d) { d["buttons"][6]["events"] = Events(129); }, "/buttons/6/events",
     "129 events, at most 128"},
    {"five layers",
     [](Json& d) {
         Json& layers = d["buttons"][10]["layers"];
         layers.push_back({{"kind", "SuperStop"}});
     },
     "/buttons/10/layers", "5 layers, at most 4"},
    {"profile name too long", [](Json& d) { d["summary"]["name"] = std::string(65, 'n'); },
     "/summary/name", "65 characters, the field holds 64"},
    {"comment too long", [](Json& d) { d["summary"]["comment"] = std::string(721, 'c'); },
     "/summary/comment", "holds 720"},
    {"macro name too long", [](Json& d) { d["buttons"][4]["name"] = std::string(256, 'm'); },
     "/buttons/4/name", "holds 255"},
    {"layer set name too long", [](Json& d) { d["buttons"][7]["name"] = std::string(300, 'l'); },
     "/buttons/7/name", "holds 255"},
    {"text with no Windows-1252 byte", [](Json& d) { d["summary"]["game"] = "\xE6\xBC\xA2"; },
     "/summary/game", "U+6F22"},
    {"text with a zero character", [](Json& d) { d["summary"]["author"] = std::string("a\0b", 3); },
     "/summary/author", "zero character"},
    {"repeat interval too short", [](Json& d) { d["buttons"][5]["repeatInterval"] = 10; },
     "/buttons/5/repeatInterval", "from 30 to 60000"},
    {"repeat interval too long", [](Json& d) { d["buttons"][5]["repeatInterval"] = 60001; },
     "/buttons/5/repeatInterval", "out of range"},
    {"repeating macro without interval", [](Json& d) { d["buttons"][5].erase("repeatInterval"); },
     "/buttons/5", "repeatInterval"},
    {"negative delay", [](Json& d) { d["buttons"][4]["events"][0]["delay"] = -1; },
     "/buttons/4/events/0/delay", "out of range"},
    {"fractional delay", [](Json& d) { d["buttons"][4]["events"][0]["delay"] = 1.5; },
     "/buttons/4/events/0/delay", "whole number"},
    {"delay as text", [](Json& d) { d["buttons"][4]["events"][0]["delay"] = "40"; },
     "/buttons/4/events/0/delay", "whole number"},
    {"event position beyond 16 bits", [](Json& d) { d["buttons"][5]["events"][0]["x"] = 40000; },
     "/buttons/5/events/0/x", "out of range"},
    {"screen width below zero", [](Json& d) { d["buttons"][9]["layers"][1]["screenWidth"] = -1; },
     "/buttons/9/layers/1/screenWidth", "out of range"},
    {"mouse code on a key slot", [](Json& d) { d["buttons"][0]["code"] = "0x02200001"; },
     "/buttons/0/code", "not a keyboard code"},
    {"key code on a mouse layer",
     [](Json& d) { d["buttons"][9]["layers"][1]["code"] = "0x0120001E"; },
     "/buttons/9/layers/1/code", "not a mouse code"},
    {"not hex", [](Json& d) { d["buttons"][0]["code"] = "0x01200G02"; }, "/buttons/0/code",
     "hex word"},
    {"nine hex digits", [](Json& d) { d["buttons"][0]["code"] = "0x101200002"; }, "/buttons/0/code",
     "hex word"},
    {"mouse button 3", [](Json& d) { d["buttons"][2]["code"] = "0x02200003"; }, "/buttons/2/code",
     "button"},
    {"action 3", [](Json& d) { d["buttons"][4]["events"][1]["code"] = "0x01300013"; },
     "/buttons/4/events/1/code", "action"},
    {"event of no device", [](Json& d) { d["buttons"][4]["events"][1]["code"] = "0x04000013"; },
     "/buttons/4/events/1/code", "keyboard (0x01) or mouse (0x02)"},
    {"extra before the payload",
     [](Json& d) {
         d["buttons"][0]["extra"] = Json::array({{{"at", 2}, {"hex", "00"}}});
     },
     "/buttons/0/extra/0/at", "from 4 to 7527"},
    {"extra past the slot",
     [](Json& d) {
         d["buttons"][0]["extra"] = Json::array({{{"at", 7527}, {"hex", "0000"}}});
     },
     "/buttons/0/extra/0/hex", "run past the end"},
    {"extra of odd hex",
     [](Json& d) {
         d["buttons"][0]["extra"] = Json::array({{{"at", 8}, {"hex", "abc"}}});
     },
     "/buttons/0/extra/0/hex", "pairs of hex digits"},
    {"misspelt field", [](Json& d) { d["buttons"][4]["events"][0]["dealy"] = 5; },
     "/buttons/4/events/0/dealy", "unknown field"},
    {"field of another kind", [](Json& d) { d["buttons"][11]["code"] = "0x0120001E"; },
     "/buttons/11/code", "unknown field"},
    {"missing play mode", [](Json& d) { d["buttons"][4].erase("playMode"); }, "/buttons/4",
     "missing field \"playMode\""},
    {"buttons out of order", [](Json& d) { d["buttons"][3]["button"] = "M5"; }, "/buttons/3/button",
     "in order"},
    {"19 buttons", [](Json& d) { d["buttons"].erase(19); }, "/buttons", "19 buttons"},
    {"resolution too wide", [](Json& d) { d["summary"]["resolution"]["width"] = 40000; },
     "/summary/resolution/width", "out of range"},
    {"newer version", [](Json& d) { d["version"] = 2; }, "/version", "unsupported version 2"},
    {"another format", [](Json& d) { d["format"] = "other"; }, "/format", "gripdeck-profile"},
    {"not an object", [](Json& d) { d["buttons"][1] = 5; }, "/buttons/1", "must be an object"},
    {"document not an object", [](Json& d) { d = Json::array(); }, "", "must be an object"},
};

TEST(ProfileJson, RefusesBadValuesNamingWhereTheyAre) {
    const Json sample = Exported(SampleProfile());
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.name);
        Json doc = sample;
        refusal.change(doc);
        Profile p;
        const std::optional<JsonProblem> problem = ProfileFromJson(doc, *p.image, p.summary);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->path, refusal.path);
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
    doc["buttons"][10]["layerKind"] = "TwinSwitch";
    Profile p;
    ASSERT_EQ(ProfileFromJson(doc, *p.image, p.summary), std::nullopt);
    EXPECT_EQ(p.slot(0).action.code, 0x01200002u);
}

TEST(ProfileJson, ParsingRefusesMalformedText) {
    struct Case {
        const char* name;
        std::string text;
        const char* path;  // nullptr: wherever the parser stopped
        const char* reason;
    };
    const Case cases[] = {
        {"syntax", "{\n  \"format\": \"gripdeck-profile\",\n  \"version\" 1\n}", "", "line 3"},
        {"cut short", "{\"buttons\": [", "", "not valid JSON"},
        {"duplicate field", R"({"buttons": [{"kind": "Off", "kind": "Macro"}]})", "/buttons/0/kind",
         "duplicate field \"kind\""},
        {"nesting", std::string(100, '[') + std::string(100, ']'), nullptr, "nested deeper"},
        {"empty", "", "", "not valid JSON"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Json doc;
        const std::optional<JsonProblem> problem = ParseJson(c.text, doc);
        ASSERT_TRUE(problem.has_value());
        if (c.path != nullptr) {
            EXPECT_EQ(problem->path, c.path);
        }
        EXPECT_NE(problem->reason.find(c.reason), std::string::npos) << problem->reason;
    }
}

TEST(ProfileJson, PrintsOneEventPerLine) {
    const std::string text = FormatJson(Exported(SampleProfile()));
    EXPECT_NE(text.find("\n        {\"code\": \"0x02000001\", \"mouse\": \"Left Button\", "
                        "\"action\": \"Press\", \"x\": -5, \"y\": 10, \"delay\": 40},\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n    {\"button\": \"M20\", \"kind\": \"Off\"}\n  ]\n}\n"),
              std::string::npos);
}

TEST(ProfileJson, CodesOutsideTheKeyTableStayInTheirRecord) {
    // Scan codes fill 16 bits; one the key table does not list has no name
    // but is still a key of a well-formed record.
    Profile p = SampleProfile();
    testing::SetLayers(p.slot(7), "Media(Single)", 2);
    testing::SetKeyLayer(p.slot(7).multiLayer.layers[0], 0x01000159);
    testing::SetKeyLayer(p.slot(7).multiLayer.layers[1], 0x01100159);
    testing::SetAction(p.slot(0), gd::SlotType::SingleKey, 0x0121E05F);
    const Json doc = Exported(p);
    const Json& layers = doc["buttons"][7];
    EXPECT_EQ(layers["kind"], "MultiLayer");
    EXPECT_EQ(layers["layerKind"], "SingleSwitch key");
    EXPECT_EQ(layers["layers"][0],
              (Json{{"kind", "Key"}, {"code", "0x01000159"}, {"action", "Press"}}));
    EXPECT_EQ(doc["buttons"][0]["kind"], "SingleKey");
    EXPECT_TRUE(RoundTrips(p));
}

TEST(ProfileJson, ANumberBeyondEveryDoubleIsRefusedWhereItIs) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"buttons": [{"kind": "Off"}, {"delay": 1e400}]})", "/buttons/1/delay"},
        {R"({"version": -1e400})", "/version"},
        {R"([1, 2, 1e400])", "/2"},
        {"1e400", ""},
    };
    for (const auto& [text, path] : cases) {
        Json doc;
        const std::optional<JsonProblem> problem = ParseJson(text, doc);
        ASSERT_TRUE(problem.has_value()) << text;
        EXPECT_EQ(problem->path, path);
        EXPECT_EQ(problem->reason, "number out of range");
    }
}

}  // namespace
}  // namespace gpxtool
