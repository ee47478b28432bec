// The assignment menu's commands that need no editor: the stop functions,
// Off and Default, and copying and pasting a whole slot through the
// clipboard.
#include <windows.h>

#include <cstring>

#include "app/gripdeck_dlg.h"
#include "app/slot_commands.h"
#include "profile/profile_state.h"

namespace gd {
namespace {

// The clipboard, open for the life of one command.
class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_;
};

// A global memory block, locked for as long as this lives.
class GlobalLockScope {
  public:
    explicit GlobalLockScope(HGLOBAL block) : block_(block), data_(::GlobalLock(block)) {}
    ~GlobalLockScope() {
        if (data_ != nullptr) {
            ::GlobalUnlock(block_);
        }
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* data() const { return data_; }

  private:
    HGLOBAL block_;
    void* data_;
};

}  // namespace

bool CGripdeckDlg::HasSelectedButton() const {
    return CurrentProfile().selectedButton >= 0 && CurrentProfile().selectedButton < kPadButtons;
}

void CGripdeckDlg::SlotChanged() {
    RefreshLabels(CurrentProfile().selectedButton);
    document_.modified = true;
}

void CGripdeckDlg::OnDirectSlotCommand(UINT id) {
    const std::optional<std::uint32_t> slotType = DirectSlotType(id);
    if (!slotType || !HasSelectedButton()) {
        return;
    }
    WriteDirectSlot(CurrentSlot(), *slotType);
    SlotChanged();
}

void CGripdeckDlg::OnCopySlot() {
    if (!HasSelectedButton()) {
        return;
    }
    OpenClipboardScope clipboard(hwnd_);
    if (!clipboard) {
        return;
    }
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(ButtonSlot));
    if (block == nullptr) {
        return;
    }
    {
        GlobalLockScope locked(block);
        if (locked.data() == nullptr) {
            ::GlobalFree(block);
            return;
        }
        std::memcpy(locked.data(), &CurrentSlot(), sizeof(ButtonSlot));
    }
    if (::SetClipboardData(clipboardFormat, block) == nullptr) {
        // Only a block the clipboard took is the clipboard's to free.
        ::GlobalFree(block);
    }
}

void CGripdeckDlg::OnPasteSlot() {
    if (!HasSelectedButton() || clipboardFormat == 0 ||
        !::IsClipboardFormatAvailable(clipboardFormat)) {
        return;
    }
    OpenClipboardScope clipboard(hwnd_);
    if (!clipboard) {
        return;
    }
    HANDLE item = ::GetClipboardData(clipboardFormat);
    if (item == nullptr) {
        return;
    }
    bool pasted = false;
    {
        GlobalLockScope locked(item);
        pasted = PasteSlot(CurrentSlot(), locked.data(), locked.data() ? ::GlobalSize(item) : 0);
    }
    if (pasted) {
        SlotChanged();
    }
}

}  // namespace gd
