#include "app/document_flow.h"

namespace gd {

SaveOutcome RunSaveModified(SaveModifiedAction action, const SaveModifiedSteps& steps) {
    const auto save = [&] { return steps.save() ? SaveOutcome::Saved : SaveOutcome::Failed; };
    switch (action) {
        case SaveModifiedAction::Nothing:
            return SaveOutcome::Unchanged;
        case SaveModifiedAction::Save:
            return save();
        case SaveModifiedAction::AskThenSave:
        case SaveModifiedAction::AskThenSaveAs:
            break;
    }
    switch (steps.askToSave()) {
        case SaveAnswer::No:
            return SaveOutcome::Discarded;
        case SaveAnswer::Cancel:
            return SaveOutcome::Cancelled;
        case SaveAnswer::Yes:
            break;
    }
    return action == SaveModifiedAction::AskThenSaveAs ? steps.saveAs() : save();
}

bool CommandGoesOn(SaveOutcome outcome, SaveModifiedMode mode) {
    if (mode == SaveModifiedMode::Silent) {
        return outcome != SaveOutcome::Cancelled;
    }
    return outcome == SaveOutcome::Unchanged || outcome == SaveOutcome::Saved ||
           outcome == SaveOutcome::Discarded;
}

ForwardedOpen::Opening::Opening(ForwardedOpen& owner, std::string path)
    : owner_(owner), path_(std::move(path)) {
    owner_.opening_ = true;
}

ForwardedOpen::Opening::~Opening() {
    owner_.opening_ = false;
}

std::optional<ForwardedOpen::Opening> ForwardedOpen::Take(bool dialogOpen) {
    if (dialogOpen || opening_ || !waiting_) {
        return std::nullopt;
    }
    std::string path = std::move(*waiting_);
    waiting_.reset();
    return std::optional<Opening>(std::in_place, *this, std::move(path));
}

}  // namespace gd
