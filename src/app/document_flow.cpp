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

std::optional<std::string> ForwardedOpen::Take(bool dialogOpen) {
    if (dialogOpen || opening_ || !waiting_) {
        return std::nullopt;
    }
    opening_ = true;
    std::optional<std::string> path = std::move(waiting_);
    waiting_.reset();
    return path;
}

}  // namespace gd
