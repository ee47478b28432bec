#pragma once
// The main window's status line: whether the pad can take a profile (and so
// why APPLY is greyed when it cannot), which profile the pad holds and who
// put it there, and a short "Applied" after APPLY.
#include <string>

namespace gd {

enum class PadPresence {
    Unknown,    // not looked at yet
    Connected,  // the pad and its driver are there: APPLY works
    NoDriver,   // the pad is plugged in, its driver is not there
    Unplugged,  // no pad
};

// From the driver link's two questions: are the driver's interfaces there,
// and, when they are not, is the pad plugged in.
PadPresence PresenceOf(bool driverReady, bool padPluggedIn);

enum class PadSource {
    None,       // nothing known: no package was found at start
    Earlier,    // the package found at start, put there before this run
    User,       // APPLY, OK or a recent file from the tray
    Game,       // automatic profiles, for the program in front
    AfterGame,  // automatic profiles gave back the profile from before a game
    Hotkey,     // a profile hotkey, which `program` names ("Ctrl+Alt+1")
};

struct PadHolding {
    PadSource source = PadSource::None;
    std::string profile;  // as shown: a file name, or a profile's own name
    std::string program;  // Game: the program it is for; AfterGame: the one it was for;
                          // Hotkey: the hotkey's text
};

// After automatic profiles published `profilePath` (empty: the copy of what
// the pad held before the first switch) for `program` (empty: given back
// after a game, which `before` names when it held that game's profile).
PadHolding HoldingAfterSwitch(const PadHolding& before, const std::string& profilePath,
                              const std::string& program);

// "<presence>. <holding>", or either alone when the other says nothing.
std::string PadStatusText(PadPresence presence, const PadHolding& holding);

// Shown for a few seconds after APPLY put `profile` on the pad.
std::string AppliedText(const std::string& profile);

}  // namespace gd
