#include "editors/recording_keys.h"

namespace gd {

RecordingKeys::Outcome RecordingKeys::OnKey(std::uint32_t virtualKey, std::uint32_t key,
                                            bool released, bool heldBefore) {
    Outcome outcome;
    const bool stopKey = virtualKey == kRecordingStopVirtualKey;
    if (!released) {
        swallowed_.Pressed(key, heldBefore);
        outcome.stop = stopKey;
        outcome.record = !stopKey;
        return outcome;
    }
    const bool pressSeen = swallowed_.SawPress(key);
    outcome.passOn = !swallowed_.Released(key);
    outcome.record = pressSeen && !stopKey;
    return outcome;
}

}  // namespace gd
