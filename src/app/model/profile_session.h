#pragma once
// The open profile and everything about it the window shows: its bytes,
// its file (path, name, whether it changed), the group of buttons shown and
// the selected button, and the history of its changes. The one owner of the
// profile: every change goes through it, and each is a step that Undo takes
// back.
#include <cstdint>
#include <memory>
#include <string>

#include "app/model/profile_content.h"
#include "app/model/profile_document.h"
#include "app/model/profile_history.h"

namespace gd {

// A button of the pad as the window shows it: the group (0: M1..M10,
// 1: M11..M20) and the button within it (0..9; -1 none).
struct SlotRef {
    static constexpr std::int32_t kButtonsPerGroup = 10;

    std::uint32_t group = 0;
    std::int32_t button = -1;

    bool IsButton() const { return group <= 1 && button >= 0 && button < kButtonsPerGroup; }
    // 1..20: the "M" number the user sees.
    int Number() const { return static_cast<int>(group) * kButtonsPerGroup + button + 1; }
    friend bool operator==(const SlotRef&, const SlotRef&) = default;
};

class ProfileSession {
  public:
    explicit ProfileSession(ProfileHost& host);

    const ProfileImage& image() const { return content_->image; }
    const SummaryBlock& summary() const { return content_->summary; }
    // Valid only for a ref that IsButton.
    const ButtonSlot& Slot(SlotRef where) const;

    const std::string& currentPath() const { return document_.currentPath(); }
    const std::string& currentName() const { return document_.currentName(); }
    // True when the profile differs from the one last loaded or saved: an
    // undo back to that one clears it again.
    bool modified() const { return !history_.AtSaved(); }

    std::uint32_t shownGroup() const { return selection_.group; }
    // The selected button of the shown group, as a value: a caller that
    // keeps it can tell later whether it is still the one selected.
    SlotRef selection() const { return selection_; }
    bool HasSelection() const { return selection_.IsButton(); }
    void ShowGroup(std::uint32_t group) { selection_.group = group == 1 ? 1 : 0; }
    void Select(std::int32_t button) { selection_.button = button; }

    // The changes, each one step named `what` ("Paste on M3"); false, and
    // no step, when they change no byte.
    bool ChangeSlot(SlotRef where, const ButtonSlot& slot, std::string what);
    bool ChangeSummary(const SummaryBlock& summary, std::string what);

    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    const std::string& UndoWhat() const { return history_.UndoWhat(); }
    const std::string& RedoWhat() const { return history_.RedoWhat(); }
    bool Undo();
    bool Redo();

    // The file side; opening, loading and New start a fresh history.
    void SetSource(std::string path, std::string name);
    void ClearSource() { document_.ClearSource(); }
    bool SaveProfile(std::string path);
    bool OpenProfile(const std::string& path, std::string name);
    void LoadInstalledPackage();
    // The installed package in place of the profile, without its file:
    // one step, as any other change.
    void LoadSystemDefault(std::string what);
    void New(std::string untitledName);
    // Another program's or another form's profile (the JSON form): named
    // `untitledName` without a file, and modified from the start, since no
    // file holds it yet.
    void Import(const ProfileContent& content, std::string untitledName);

  private:
    // Another profile altogether: M1..M10 shown, nothing selected, nothing to undo.
    void Fresh();

    // 150 KB: not for a stack or an object that may live on one.
    std::unique_ptr<ProfileContent> content_;
    ProfileDocument document_;
    ProfileHistory history_;
    SlotRef selection_;
};

}  // namespace gd
