// Which picture each monitor shows when the theme puts pictures on every monitor: the setting,
// the spread of the changes over one interval, and the choice of a monitor's next picture so that
// no picture shows twice at once while there are enough, and portrait pictures go to portrait
// monitors when the theme has both kinds.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "base/geometry.h"

namespace orvelle {

// [image] picturesOn.
enum class PicturesOn { MainMonitor = 0, DifferentPictures = 1, SamePicture = 2 };
// Anything but 1 or 2 (a missing key included) keeps the pictures on the main monitor.
PicturesOn PicturesOnFrom(const std::string& text);

enum class Shape : std::uint8_t { Unknown, Landscape, Portrait };
// Taller than wide is portrait; a square is landscape.
Shape ShapeOf(PixelSize size);

// How far after the main monitor's changes monitor `lane` (0 the main one) of `lanes` changes:
// evenly spread over one interval, so the screens never all change at once.
int StaggerMs(int lane, int lanes, int intervalMs);

class MonitorPlanner {
  public:
    enum class Order { List, Random, Shuffle };

    // What a pick needs to know of the run's pictures, by their place in list order.
    struct Pictures {
        std::int64_t count = 0;
        // Shown on, or coming to, another monitor.
        std::function<bool(std::int64_t)> busy;
        // Shown on the asking monitor now: taken last of all, as it would stand still.
        std::function<bool(std::int64_t)> own;
        // Known from an earlier decode, or Unknown.
        std::function<Shape(std::int64_t)> shape;
        // Whether the theme is known to hold both kinds.
        bool bothShapes = false;
        // Uniform in [0, 1).
        std::function<double()> draw;
    };

    explicit MonitorPlanner(Order order) : order_(order) {}

    // The next picture for a monitor of this shape; -1 when there are none. Looks a few pictures
    // ahead in the order: a free one of the monitor's shape first, then any free one, then (fewer
    // pictures than monitors) one on another monitor, and its own only when nothing else is left.
    std::int64_t Pick(Shape monitor, const Pictures& pictures);
    // A picked picture that did not suit its monitor goes first to the next monitor that asks.
    void GiveBack(std::int64_t index);

  private:
    std::int64_t NextInOrder(const Pictures& pictures);
    void Refill(const Pictures& pictures, std::int64_t wanted);

    Order order_;
    std::int64_t cursor_ = -1;
    std::deque<std::int64_t> deck_;   // the shuffled round's pictures still to come
    std::deque<std::int64_t> ahead_;  // looked at, not handed out yet
};

}  // namespace orvelle
