#include <gtest/gtest.h>

#include <string>

#include "app/pad_status.h"

namespace gd {
namespace {

const std::string kNightRaid = "Night Raid profile.gpx";
const std::string kRacerProfile = "D:\\Profiles\\Racer weekend.gpx";
const std::string kRacerProgram = "racer-weekend.exe";

TEST(PadStatus, SaysWhetherThePadTakesAProfileAndSoWhyApplyIsGreyed) {
    EXPECT_EQ(PresenceOf(true, false), PadPresence::Connected);
    // The driver's interfaces answer for a pad that is there.
    EXPECT_EQ(PresenceOf(true, true), PadPresence::Connected);
    EXPECT_EQ(PresenceOf(false, true), PadPresence::NoDriver);
    EXPECT_EQ(PresenceOf(false, false), PadPresence::Unplugged);

    const PadHolding nothing;
    EXPECT_EQ(PadStatusText(PadPresence::Connected, nothing), "Pad connected");
    EXPECT_EQ(PadStatusText(PadPresence::NoDriver, nothing),
              "Pad plugged in without its driver: APPLY is off");
    EXPECT_EQ(PadStatusText(PadPresence::Unplugged, nothing), "Pad not plugged in: APPLY is off");
    // Before the first look at the pad there is nothing to say about it.
    EXPECT_EQ(PadStatusText(PadPresence::Unknown, nothing), "");
}

TEST(PadStatus, NamesTheProfileOnThePadAndWhoPutItThere) {
    const PadHolding byUser{PadSource::User, kNightRaid, ""};
    EXPECT_EQ(PadStatusText(PadPresence::Connected, byUser),
              "Pad connected. Night Raid profile.gpx, applied by you");
    EXPECT_EQ(PadStatusText(PadPresence::Unplugged, byUser),
              "Pad not plugged in: APPLY is off. Night Raid profile.gpx, applied by you");
    EXPECT_EQ(PadStatusText(PadPresence::Unknown, byUser),
              "Night Raid profile.gpx, applied by you");

    const PadHolding byHotkey{PadSource::Hotkey, kNightRaid, "Ctrl+Alt+1"};
    EXPECT_EQ(PadStatusText(PadPresence::Connected, byHotkey),
              "Pad connected. Night Raid profile.gpx, applied by hotkey Ctrl+Alt+1");

    const PadHolding earlier{PadSource::Earlier, "Night Raid from the package", ""};
    EXPECT_EQ(PadStatusText(PadPresence::Connected, earlier),
              "Pad connected. Night Raid from the package, applied earlier");

    // A game's rule puts its profile there, by file name, for that program;
    // when the game is over the earlier profile comes back, and says after what.
    const PadHolding forGame = HoldingAfterSwitch(byUser, kRacerProfile, kRacerProgram);
    EXPECT_EQ(forGame.source, PadSource::Game);
    EXPECT_EQ(PadStatusText(PadPresence::Connected, forGame),
              "Pad connected. Racer weekend.gpx, automatic for racer-weekend.exe");
    const PadHolding back = HoldingAfterSwitch(forGame, "C:\\Pads\\" + kNightRaid, "");
    EXPECT_EQ(PadStatusText(PadPresence::Connected, back),
              "Pad connected. Night Raid profile.gpx, back after racer-weekend.exe");
    // What the pad held before the first switch was no file of the user's.
    const PadHolding copyBack = HoldingAfterSwitch(forGame, "", "");
    EXPECT_EQ(PadStatusText(PadPresence::Connected, copyBack),
              "Pad connected. the earlier profile, back after racer-weekend.exe");
    // A second game's rule takes over from the first.
    const PadHolding secondGame =
        HoldingAfterSwitch(forGame, "D:\\Profiles\\Chess nights.gpx", "chess-nights.exe");
    EXPECT_EQ(PadStatusText(PadPresence::Connected, secondGame),
              "Pad connected. Chess nights.gpx, automatic for chess-nights.exe");
    // Given back with no game on record: only that it was there before.
    const PadHolding unknownBack = HoldingAfterSwitch(byUser, kRacerProfile, "");
    EXPECT_EQ(unknownBack.source, PadSource::Earlier);
    EXPECT_EQ(unknownBack.program, "");

    // Names are shown as they are, "%s" and all.
    const PadHolding odd{PadSource::Game, "100%s sure.gpx", "%s.exe"};
    EXPECT_EQ(PadStatusText(PadPresence::Connected, odd),
              "Pad connected. 100%s sure.gpx, automatic for %s.exe");
}

TEST(PadStatus, AppliedNamesTheProfile) {
    EXPECT_EQ(AppliedText(kNightRaid), "Applied to the pad: Night Raid profile.gpx");
}

}  // namespace
}  // namespace gd
