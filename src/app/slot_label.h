#pragma once
// The text and tool tip the main window shows beside an M-Button for the
// slot it holds. The label refresh looks only at the high 16 bits of
// slotType (so all three stop kinds share 0x10000000) and tells the stop
// kinds apart by its low byte.
#include <cstdint>
#include <optional>
#include <string>

#include "profile/records.h"

namespace gd {

// The fixed words of the labels; the program loads them from its string
// table, the defaults are its English texts.
struct LabelTexts {
    std::string off = "Off";
    std::string single = "Single";
    std::string macro = "Macro";
    std::string multiLayers = "Multi Layers";
    std::string stop = "Stop";
    std::string stopMacro = "Stop Macro";
    std::string superStop = "Super Stop";
};

struct SlotLabel {
    // A slotType the label refresh does not know: the label and its tool
    // tip keep whatever they showed before, and the fields below are empty.
    bool leaveAsIs = false;
    std::string text;
    // The kind and the name, where the label shows only the name; no value
    // where the label's text says it all.
    std::optional<std::string> toolTip;
};

// Key and button names come from GetEventName and are at most 255
// characters; macro and layer-set names are read up to their terminator
// and never past 255 characters, even when a file left it out.
SlotLabel LabelForSlot(const ButtonSlot& slot, const LabelTexts& texts = LabelTexts{});

// The whole assignment, which the label may have to cut short: the tool
// tip's words, or the label's text where it has none ("Macro: Reload",
// "Off"). The window shows it as every label's tool tip.
std::string AssignmentText(const SlotLabel& label);

// What a screen reader says for an M-Button (1..20): its name, then the
// label's tool tip, or its text where it has none: "M1, Single: A",
// "M12, Off".
std::string PadButtonName(int mButton, const SlotLabel& label);

}  // namespace gd
