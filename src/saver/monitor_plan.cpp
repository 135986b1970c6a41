#include "saver/monitor_plan.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace orvelle {

namespace {
// Enough to find a picture of the other kind among mixed pictures without running far ahead
// of the order.
constexpr std::int64_t kLookAhead = 4;
// Only a theme with few pictures runs out of free ones in the look-ahead.
constexpr std::int64_t kMostLookedAt = 1024;

// The first of the pictures with the highest score.
template <typename Score>
std::deque<std::int64_t>::iterator BestOf(std::deque<std::int64_t>& pictures, const Score& score) {
    auto best = pictures.begin();
    int bestScore = score(*best);
    for (auto it = pictures.begin() + 1; it != pictures.end(); ++it) {
        const int s = score(*it);
        if (s > bestScore) {
            best = it;
            bestScore = s;
        }
    }
    return best;
}
}  // namespace

PicturesOn PicturesOnFrom(const std::string& text) {
    const double v = LeadingNumber(text);
    if (v == 1.0) {
        return PicturesOn::DifferentPictures;
    }
    if (v == 2.0) {
        return PicturesOn::SamePicture;
    }
    return PicturesOn::MainMonitor;
}

Shape ShapeOf(PixelSize size) {
    if (size.width <= 0 || size.height <= 0) {
        return Shape::Unknown;
    }
    return size.height > size.width ? Shape::Portrait : Shape::Landscape;
}

int StaggerMs(int lane, int lanes, int intervalMs) {
    if (lanes <= 1 || lane <= 0 || intervalMs <= 0) {
        return 0;
    }
    return static_cast<int>(static_cast<std::int64_t>(intervalMs) * (lane % lanes) / lanes);
}

std::int64_t MonitorPlanner::NextInOrder(const Pictures& pictures) {
    const std::int64_t count = pictures.count;
    switch (order_) {
        case Order::List:
            cursor_ = (cursor_ + 1) % count;
            return cursor_;
        case Order::Random:
            return std::min(
                count - 1, static_cast<std::int64_t>(pictures.draw() * static_cast<double>(count)));
        case Order::Shuffle:
            break;
    }
    std::erase_if(deck_, [count](std::int64_t i) { return i >= count; });
    if (deck_.empty()) {
        for (std::int64_t i = 0; i < count; ++i) {
            deck_.push_back(i);
        }
        // Fisher-Yates over the round.
        for (std::size_t i = deck_.size(); i > 1; --i) {
            const auto j =
                std::min(i - 1, static_cast<std::size_t>(pictures.draw() * static_cast<double>(i)));
            std::swap(deck_[i - 1], deck_[j]);
        }
    }
    const std::int64_t next = deck_.front();
    deck_.pop_front();
    return next;
}

void MonitorPlanner::Refill(const Pictures& pictures, std::int64_t wanted) {
    std::erase_if(ahead_, [&](std::int64_t i) { return i >= pictures.count; });
    wanted = std::min(wanted, pictures.count);
    // Random draws may repeat: a bounded number of tries keeps the look-ahead free of twins.
    for (std::int64_t tries = 0; std::ssize(ahead_) < wanted && tries < 4 * wanted; ++tries) {
        const std::int64_t next = NextInOrder(pictures);
        if (std::find(ahead_.begin(), ahead_.end(), next) == ahead_.end()) {
            ahead_.push_back(next);
        } else if (order_ == Order::Shuffle) {
            // The next round reached a picture still ahead: it keeps its place in that round.
            deck_.push_front(next);
            break;
        }
    }
}

std::int64_t MonitorPlanner::Pick(Shape monitor, const Pictures& pictures) {
    if (pictures.count <= 0) {
        return -1;
    }
    Refill(pictures, kLookAhead);
    if (ahead_.empty()) {
        return -1;
    }
    // 2: free and of the monitor's shape; 1: free, its shape unknown or shapes not told apart;
    // 0: free, the other shape. Busy pictures only when nothing is free.
    auto score = [&](std::int64_t i) {
        if (pictures.own && pictures.own(i)) {
            return -2;
        }
        if (pictures.busy && pictures.busy(i)) {
            return -1;
        }
        const Shape shape = pictures.shape ? pictures.shape(i) : Shape::Unknown;
        if (!pictures.bothShapes || shape == Shape::Unknown || monitor == Shape::Unknown) {
            return 1;
        }
        return shape == monitor ? 2 : 0;
    };
    auto best = BestOf(ahead_, score);
    // Everything looked at is taken: look further ahead, up to the whole order.
    for (std::int64_t wanted = kLookAhead; score(*best) < 0 && wanted < pictures.count;
         wanted *= 2) {
        Refill(pictures, 2 * wanted);
        best = BestOf(ahead_, score);
    }
    if (score(*best) < 0) {
        // Everything in the order's reach is taken: any free picture of the (small) theme,
        // taken out of the shuffled round so that it does not come twice.
        std::int64_t free = -1;
        for (std::int64_t i = 0; i < std::min(pictures.count, kMostLookedAt); ++i) {
            if (score(i) >= 0 && (free < 0 || score(i) > score(free))) {
                free = i;
            }
        }
        if (free >= 0) {
            std::erase(deck_, free);
            return free;
        }
    }
    const std::int64_t chosen = *best;
    ahead_.erase(best);
    return chosen;
}

void MonitorPlanner::GiveBack(std::int64_t index) {
    if (index >= 0 && std::find(ahead_.begin(), ahead_.end(), index) == ahead_.end()) {
        ahead_.push_front(index);
    }
}

}  // namespace orvelle
