#include "saver/show_history.h"

namespace orvelle {

void ShowHistory::Shown(const ShownPicture& picture) {
    shown_.push_back(picture);
    if (shown_.size() > kKept) {
        shown_.pop_front();
        ++first_;
    }
    at_ = shown_.size() - 1;
}

std::optional<ShowHistory::Stop> ShowHistory::Target(BrowseStep step) const {
    const bool back = step == BrowseStep::Back;
    if (back ? at_ == 0 || at_ >= shown_.size() : at_ + 1 >= shown_.size()) {
        return std::nullopt;
    }
    const std::size_t to = back ? at_ - 1 : at_ + 1;
    return Stop{first_ + static_cast<std::int64_t>(to), shown_[to]};
}

void ShowHistory::Moved(BrowseStep step) {
    if (Target(step)) {
        at_ = step == BrowseStep::Back ? at_ - 1 : at_ + 1;
    }
}

}  // namespace orvelle
