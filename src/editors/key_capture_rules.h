#pragma once
// The window-free rules of the key capture dialog: its action list, the key
// one low-level keyboard event stands for, and the single-switch key record
// (a two-layer MultiLayerRecord that presses a key on layer 0 and releases
// it on layer 1).
#include <cstdint>
#include <optional>
#include <string_view>

#include "editors/swallowed_keys.h"
#include "keys/event_code.h"
#include "profile/records.h"
#include "resource.h"

namespace gd {

// The key of a new assignment until the user presses one: none. The dialog
// shows no key then, and OK waits for one.
inline constexpr std::uint32_t kNoCapturedKey = 0;

// Whether OK may hand back `key`: one the key table lists, taken or given
// by an assignment being edited.
bool HasCapturedKey(std::uint32_t key);

// The action list's rows, in the order they are inserted and shown: the
// row's text and the action bits (20-23) it stands for.
struct CaptureAction {
    unsigned textId;
    std::uint32_t flags;
};
inline constexpr CaptureAction kCaptureActions[] = {
    {IDS_CLICK, kActionClick << 20},
    {IDS_PRESS, kActionPress << 20},
    {IDS_RELEASE, kActionRelease << 20},
};
inline constexpr int kCaptureActionCount = 3;

// The row that shows the action of `flags`. An action no row stands for
// (a stored word the program never writes) shows as Click, so that what the
// list shows is always what OK hands back.
int CaptureActionIndex(std::uint32_t flags);
// The action bits of a row; Click for no row (-1) or one out of range.
std::uint32_t CaptureActionFlags(int index);

// The key part that one low-level keyboard event stands for: its scan code
// (bits 0-15) and, for an extended key, bit 16.
constexpr std::uint32_t StrokeKey(std::uint32_t scanCode, bool extended) {
    return (scanCode & 0xFFFF) | (extended ? kExtendedKeyFlag : 0);
}

// What the key capture does with each key event of the desktop. It starts
// capturing: every event is swallowed, and each press of a key in the key
// table makes that key the dialog's. Once the key pressed last is released
// the capture is complete and the keyboard goes back to the dialog for the
// keys that work it (Tab, Enter, Space, Shift and Escape, and the arrows
// while the action list shows), so that OK and Cancel are reached without
// the mouse and Escape cancels; every other key is still swallowed and
// taken. While capturing, Escape is a key like any other: pressed twice, it
// is taken and then cancels. The dialog keys go on only
// while the dialog is in front: behind another window they would reach that
// program, so there they are swallowed and taken like any other key. A
// release goes on whenever a press of its key did, or came before the
// capture (SwallowedKeys). Restart captures anew, so that Tab, Enter, Space
// or Escape can be taken after another key.
class KeyCaptureState {
  public:
    struct Outcome {
        bool passOn = false;    // the event goes on to other programs and the dialog
        bool takeKey = false;   // the event's key becomes the dialog's key
        bool complete = false;  // the capture has just become complete
    };

    // key: StrokeKey of the event; released: a key-up event; inFront: the
    // dialog is the foreground window; heldBefore: the system held the key
    // down before the event, from a press that reached it.
    Outcome OnKey(std::uint32_t key, bool released, bool inFront, bool heldBefore);
    void Restart();
    bool IsCapturing() const { return capturing_; }
    void SetArrowsWorkTheDialog(bool arrows) { arrowsWorkTheDialog_ = arrows; }

  private:
    Outcome Decide(std::uint32_t key, bool released, bool inFront);
    bool WorksTheDialog(std::uint32_t key) const;

    SwallowedKeys swallowed_;
    bool capturing_ = true;
    bool arrowsWorkTheDialog_ = false;
    // The listed key pressed last while capturing, until it is released.
    std::optional<std::uint32_t> pressed_;
};

// The key part of layer 0 when `record` is a single-switch key record;
// nothing for any other record.
std::optional<std::uint32_t> SingleSwitchKeyOf(const MultiLayerRecord& record);

// Replaces the whole record with a single-switch key record of `key` (its
// low 20 bits): named after the key followed directly by `suffix`, the
// name cut to 255 characters; layer 0 presses the key, layer 1 releases it.
void WriteSingleSwitchKey(MultiLayerRecord& record, std::uint32_t key, std::string_view suffix);

}  // namespace gd
