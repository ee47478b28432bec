#include "app/slot_editors_win.h"

#include <functional>
#include <utility>

#include "app/slot_commands.h"
#include "editors/key_capture_dlg.h"
#include "editors/macro_edit_dlg.h"
#include "editors/mouse_button_dlg.h"
#include "editors/multi_layer_dlg.h"
#include "editors/twin_switch_dlg.h"
#include "keys/event_code.h"

namespace gd {
namespace {

constexpr std::uint32_t kKeyPart = 0x000FFFFF;
constexpr std::uint32_t kButtonPart = 0x0000FFFF;

using Run = std::function<std::unique_ptr<ButtonSlot>(const ButtonSlot&)>;

class DialogEditor final : public SlotEditor {
  public:
    explicit DialogEditor(Run run) : run_(std::move(run)) {}
    std::unique_ptr<ButtonSlot> Edit(const ButtonSlot& slot) override { return run_(slot); }

  private:
    Run run_;
};

// The slot as a single key or mouse button, all its other bytes cleared.
std::unique_ptr<ButtonSlot> DirectSlot(std::uint32_t slotType, const ActionRecord& action) {
    auto slot = std::make_unique<ButtonSlot>();
    WriteDirectSlot(*slot, slotType);
    slot->action = action;
    return slot;
}

// The slot with `slotType`; only the editor's record is written, and a
// macro leaves the payload bytes behind it as they were.
template <typename Record>
std::unique_ptr<ButtonSlot> WithRecord(const ButtonSlot& slot, std::uint32_t slotType,
                                       Record ButtonSlot::*part,
                                       const std::function<void(Record&)>& store) {
    auto result = std::make_unique<ButtonSlot>(slot);
    result->slotType = slotType;
    store((*result).*part);
    return result;
}

std::unique_ptr<ButtonSlot> EditKey(HWND parent, const ButtonSlot& slot, bool keepAction) {
    CKeyCaptureDlg capture(parent);
    if (slot.slotType == SlotType::SingleKey) {
        capture.flags = keepAction ? slot.action.code & ~kKeyPart : kKeyEditorStart;
        capture.key = slot.action.code & kKeyPart;
    }
    if (capture.DoModal() != IDOK) {
        return nullptr;
    }
    return DirectSlot(SlotType::SingleKey, {capture.flags | capture.key, 0, 0, 0, 0});
}

std::unique_ptr<ButtonSlot> EditMouse(HWND parent, const ButtonSlot& slot) {
    CMouseButtonDlg mouse(parent);
    if (slot.slotType == SlotType::SingleMouse) {
        mouse.flags = slot.action.code & ~kButtonPart;
        mouse.button = slot.action.code & kButtonPart;
        mouse.x = slot.action.x;
        mouse.y = slot.action.y;
    }
    if (mouse.DoModal() != IDOK) {
        return nullptr;
    }
    return DirectSlot(SlotType::SingleMouse, {mouse.flags | mouse.button, mouse.x, mouse.y,
                                              mouse.screenWidth, mouse.screenHeight});
}

// A dialog of a whole record: it starts from the slot's record when the
// slot has that type (another type has bytes there that only look like
// one), else from its own defaults.
template <typename Dialog, typename Record>
std::unique_ptr<ButtonSlot> EditRecord(HWND parent, const ButtonSlot& slot, std::uint32_t slotType,
                                       Record ButtonSlot::*part,
                                       void (Dialog::*load)(const Record&),
                                       void (Dialog::*store)(Record&) const) {
    Dialog dialog(parent);
    if (slot.slotType == slotType) {
        (dialog.*load)(slot.*part);
    }
    if (dialog.DoModal() != IDOK) {
        return nullptr;
    }
    return WithRecord<Record>(slot, slotType, part,
                              [&dialog, store](Record& record) { (dialog.*store)(record); });
}

}  // namespace

std::unique_ptr<SlotEditor> MakeSlotEditor(SlotEditorKind kind, HWND parent) {
    Run run;
    switch (kind) {
        case SlotEditorKind::Key:
        case SlotEditorKind::KeyAsAssigned:
            run = [parent, keep = kind == SlotEditorKind::KeyAsAssigned](const ButtonSlot& slot) {
                return EditKey(parent, slot, keep);
            };
            break;
        case SlotEditorKind::Mouse:
            run = [parent](const ButtonSlot& slot) { return EditMouse(parent, slot); };
            break;
        case SlotEditorKind::Macro:
            run = [parent](const ButtonSlot& slot) {
                return EditRecord(parent, slot, SlotType::Macro, &ButtonSlot::macro,
                                  &CMacroEditDlg::LoadMacro, &CMacroEditDlg::StoreMacro);
            };
            break;
        // The key capture and mouse button dialogs start with their action
        // choice hidden here, and stay so.
        case SlotEditorKind::SingleSwitchKey:
            run = [parent](const ButtonSlot& slot) {
                return EditRecord(parent, slot, SlotType::MultiLayer, &ButtonSlot::multiLayer,
                                  &CKeyCaptureDlg::LoadSingleSwitch,
                                  &CKeyCaptureDlg::StoreSingleSwitch);
            };
            break;
        case SlotEditorKind::SingleSwitchMouse:
            run = [parent](const ButtonSlot& slot) {
                return EditRecord(parent, slot, SlotType::MultiLayer, &ButtonSlot::multiLayer,
                                  &CMouseButtonDlg::LoadSingleSwitch,
                                  &CMouseButtonDlg::StoreSingleSwitch);
            };
            break;
        case SlotEditorKind::TwinSwitch:
            run = [parent](const ButtonSlot& slot) {
                return EditRecord(parent, slot, SlotType::MultiLayer, &ButtonSlot::multiLayer,
                                  &CTwinSwitchDlg::LoadRecord, &CTwinSwitchDlg::StoreRecord);
            };
            break;
        case SlotEditorKind::Advanced:
            run = [parent](const ButtonSlot& slot) {
                return EditRecord(parent, slot, SlotType::MultiLayer, &ButtonSlot::multiLayer,
                                  &CMultiLayerDlg::LoadRecord, &CMultiLayerDlg::StoreRecord);
            };
            break;
        case SlotEditorKind::None:
            return nullptr;
    }
    return std::make_unique<DialogEditor>(std::move(run));
}

}  // namespace gd
