#include "app/model/profile_session.h"

#include <cstring>
#include <span>
#include <utility>

#include "profile/image.h"

namespace gd {
namespace {

template <typename Record>
std::span<const std::uint8_t> BytesOf(const Record& record) {
    return {reinterpret_cast<const std::uint8_t*>(&record), sizeof record};
}

template <typename Record>
std::size_t OffsetIn(const ProfileContent& content, const Record& part) {
    return static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(&part) -
                                    reinterpret_cast<const std::uint8_t*>(&content));
}

}  // namespace

ProfileSession::ProfileSession(ProfileHost& host)
    : content_(std::make_unique<ProfileContent>()), document_(*content_, host) {
    ResetImage(content_->image);
    std::memset(&content_->summary, 0, sizeof content_->summary);
}

const ButtonSlot& ProfileSession::Slot(SlotRef where) const {
    return SlotAt(content_->image, where.button, where.group);
}

bool ProfileSession::ChangeSlot(SlotRef where, const ButtonSlot& slot, std::string what) {
    if (!where.IsButton()) {
        return false;
    }
    ButtonSlot& target = SlotAt(content_->image, where.button, where.group);
    if (!history_.Record(std::move(what), OffsetIn(*content_, target), BytesOf(target),
                         BytesOf(slot))) {
        return false;
    }
    std::memcpy(&target, &slot, sizeof target);
    return true;
}

bool ProfileSession::ChangeSummary(const SummaryBlock& summary, std::string what) {
    if (!history_.Record(std::move(what), OffsetIn(*content_, content_->summary),
                         BytesOf(content_->summary), BytesOf(summary))) {
        return false;
    }
    std::memcpy(&content_->summary, &summary, sizeof summary);
    return true;
}

bool ProfileSession::Undo() {
    return history_.Undo(content_->Bytes());
}

bool ProfileSession::Redo() {
    return history_.Redo(content_->Bytes());
}

void ProfileSession::SetSource(std::string path, std::string name) {
    document_.SetSource(std::move(path), std::move(name));
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): by value, as the document's.
bool ProfileSession::SaveProfile(std::string path) {
    if (!document_.SaveProfile(std::move(path))) {
        return false;
    }
    history_.MarkSaved();
    return true;
}

bool ProfileSession::OpenProfile(const std::string& path, std::string name) {
    if (!document_.OpenProfile(path, std::move(name))) {
        return false;
    }
    Fresh();
    return true;
}

void ProfileSession::LoadInstalledPackage() {
    if (document_.LoadInstalledPackage()) {
        Fresh();
    } else {
        // The package alone: the group shown stays.
        history_.Clear();
    }
}

void ProfileSession::LoadSystemDefault(std::string what) {
    const auto before = std::make_unique<ProfileContent>(*content_);
    document_.ClearSource();
    document_.LoadInstalledPackage();
    history_.Record(std::move(what), 0, BytesOf(*before), BytesOf(*content_));
    history_.MarkSaved();
}

void ProfileSession::New(std::string untitledName) {
    document_.New(std::move(untitledName));
    // Unchanged until the user changes it: an empty profile left as it came
    // holds nothing to save, and replacing it asks nothing.
    Fresh();
}

void ProfileSession::Import(const ProfileContent& content, std::string untitledName) {
    // The history first: the title the document sets reads the modified flag.
    Fresh();
    history_.MarkUnsaved();
    document_.Import(content, std::move(untitledName));
}

void ProfileSession::Fresh() {
    selection_ = {};
    history_.Clear();
}

}  // namespace gd
