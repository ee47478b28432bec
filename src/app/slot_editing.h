#pragma once
// The one shape of every assignment editor, and the rules around it: which
// editor a command or a label click opens, and where its result goes. An
// editor takes the button's slot and gives back the slot to put there, or
// nothing when the user cancelled; what it shows meanwhile is its own.
#include <memory>

#include "app/model/profile_session.h"
#include "profile/records.h"

namespace gd {

enum class SlotEditorKind {
    None,
    Key,            // Keyboard: a single key, clicked unless the user picks otherwise
    KeyAsAssigned,  // a single key's label: the key with the action it has
    Mouse,          // Mouse Button
    Macro,
    SingleSwitchKey,
    SingleSwitchMouse,
    TwinSwitch,
    Advanced,
};

class SlotEditor {
  public:
    virtual ~SlotEditor() = default;
    // Runs the editor for `slot`; the whole slot it makes on OK, null on Cancel.
    virtual std::unique_ptr<ButtonSlot> Edit(const ButtonSlot& slot) = 0;
};

// The editor a command of the assignment menu opens; None for the others.
SlotEditorKind EditorForCommand(unsigned commandId);
// The editor of the assignment a slot has, as a click on its label opens
// it; None for Default, the stop functions and Off, which have nothing to edit.
SlotEditorKind EditorForSlot(const ButtonSlot& slot);
// The command whose name the editor's step takes ("Keyboard on M3").
unsigned EditorCommand(SlotEditorKind kind);

// Opens `editor` for the selected button and puts what it gives there as
// one step. An editor's message loop still serves the tray, the pad
// picture and other programs: when another button was selected or another
// profile opened meanwhile, the result belongs nowhere and is dropped.
// True when the profile changed.
bool EditSelectedSlot(ProfileSession& session, SlotEditorKind kind, SlotEditor& editor);

}  // namespace gd
