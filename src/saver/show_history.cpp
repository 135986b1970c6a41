#include "saver/show_history.h"

namespace orvelle {

void ShowHistory::Shown(int index) {
    shown_.push_back(index);
    if (shown_.size() > kKept) {
        shown_.pop_front();
    }
    at_ = shown_.size() - 1;
}

std::optional<int> ShowHistory::Target(BrowseStep step) const {
    if (step == BrowseStep::Back) {
        return at_ > 0 && at_ < shown_.size() ? std::optional<int>(shown_[at_ - 1]) : std::nullopt;
    }
    return at_ + 1 < shown_.size() ? std::optional<int>(shown_[at_ + 1]) : std::nullopt;
}

void ShowHistory::Moved(BrowseStep step) {
    if (Target(step)) {
        at_ = step == BrowseStep::Back ? at_ - 1 : at_ + 1;
    }
}

}  // namespace orvelle
