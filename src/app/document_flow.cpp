#include "app/document_flow.h"

namespace gd {

bool RunSaveModified(SaveModifiedAction action, const SaveModifiedSteps& steps) {
    switch (action) {
        case SaveModifiedAction::Nothing:
            return true;
        case SaveModifiedAction::SaveAs:
            return steps.saveAs();
        case SaveModifiedAction::Save:
            return steps.save();
        case SaveModifiedAction::AskThenSave:
            return !steps.askToSave() || steps.save();
    }
    return false;
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
