#include "app/pad_status.h"

#include <initializer_list>
#include <string_view>

#include "app/recent_files.h"
#include "resource.h"
#include "string_table.h"

namespace gd {
namespace {

std::string PresenceText(PadPresence presence) {
    switch (presence) {
        case PadPresence::Connected:
            return FindString(IDS_PAD_CONNECTED);
        case PadPresence::NoDriver:
            return FindString(IDS_PAD_NO_DRIVER);
        case PadPresence::Unplugged:
            return FindString(IDS_PAD_UNPLUGGED);
        case PadPresence::Unknown:
            break;
    }
    return {};
}

std::string HoldingText(const PadHolding& holding) {
    switch (holding.source) {
        case PadSource::Earlier:
            return FillString(IDS_PAD_EARLIER, {holding.profile});
        case PadSource::User:
            return FillString(IDS_PAD_BY_USER, {holding.profile});
        case PadSource::Game:
            return FillString(IDS_PAD_FOR_GAME, {holding.profile, holding.program});
        case PadSource::AfterGame:
            return FillString(IDS_PAD_AFTER_GAME, {holding.profile, holding.program});
        case PadSource::Hotkey:
            return FillString(IDS_PAD_BY_HOTKEY, {holding.profile, holding.program});
        case PadSource::None:
            break;
    }
    return {};
}

}  // namespace

PadPresence PresenceOf(bool driverReady, bool padPluggedIn) {
    if (driverReady) {
        return PadPresence::Connected;
    }
    return padPluggedIn ? PadPresence::NoDriver : PadPresence::Unplugged;
}

PadHolding HoldingAfterSwitch(const PadHolding& before, const std::string& profilePath,
                              const std::string& program) {
    PadHolding after;
    after.profile =
        profilePath.empty() ? std::string(FindString(IDS_AUTO_EARLIER)) : FileNamePart(profilePath);
    if (!program.empty()) {
        after.source = PadSource::Game;
        after.program = program;
        return after;
    }
    if (before.source == PadSource::Game) {
        after.source = PadSource::AfterGame;
        after.program = before.program;
        return after;
    }
    // Given back with no game known to have held the pad: all that can be
    // said is that it was there before.
    after.source = PadSource::Earlier;
    return after;
}

std::string PadStatusText(PadPresence presence, const PadHolding& holding) {
    const std::string pad = PresenceText(presence);
    const std::string held = HoldingText(holding);
    if (pad.empty() || held.empty()) {
        return pad.empty() ? held : pad;
    }
    return FillString(IDS_PAD_STATUS, {pad, held});
}

std::string AppliedText(const std::string& profile) {
    return FillString(IDS_PAD_APPLIED, {profile});
}

}  // namespace gd
