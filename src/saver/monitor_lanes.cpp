#include "saver/monitor_lanes.h"

#include <algorithm>

#include "base/host_services.h"
#include "saver/picture_library.h"
#include "saver/picture_sequence.h"
#include "saver/picture_scaling.h"

namespace orvelle {

namespace {
// A picture that suits another monitor better is given back only while its own monitor has
// this long before its turn (or shows nothing yet), and only so often a turn: never at the cost
// of a monitor standing still.
constexpr double kReaskSeconds = 1.0;
constexpr int kMostReasks = 2;
// The monitors' timer while an effect is under way: about a display frame.
constexpr int kFrameMs = 16;

// The smallest rectangle holding both.
PixelRect Union(const PixelRect& a, const PixelRect& b) {
    const int left = std::min(a.left, b.left);
    const int top = std::min(a.top, b.top);
    const int right = std::max(a.left + a.width, b.left + b.width);
    const int bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top};
}
}  // namespace

struct MonitorLanes::Lane {
    Lane(PictureDecoding& decoding, int n) : number(n), ahead(decoding, n) {}
    int number;
    PixelSize size;
    int tx = 15;  // twips per pixel of its monitor
    int ty = 15;
    Shape shape = Shape::Unknown;
    PictureAhead ahead;
    int turn = 0;
    bool asked = false;
    int reasks = 0;            // this turn's pictures given back
    std::int64_t wanted = -1;  // in list order; -1 for the fallback or the main one's picture
    std::string wantedPath;
    std::int32_t wantedEntry = -1;
    // With the same picture everywhere: the main monitor's change the wanted picture is for, and
    // the one the lane shows.
    int forShow = -1;
    int shownFor = -1;
    std::optional<PictureTurn> ready;
    std::string shownPath;
    bool showing = false;
    TwipsBox box;                             // where its picture stands, in twips of its monitor
    PixelRect rect;                           // the same in its monitor's pixels
    std::optional<SteppedTransition> change;  // an effect under way
    PixelRect area;                           // where it draws: the old picture and the new
    std::int16_t stepX = 0;
    std::int16_t stepY = 0;
    double due = 0;         // monotonic seconds
    double gapSeconds = 0;  // from a show to the next when the main monitor does not say
};

MonitorLanes::MonitorLanes(SaverView& view, Clock& clock, RandomSource& random,
                           const PictureSequence& sequence)
    : view_(view),
      clock_(clock),
      random_(random),
      sequence_(sequence),
      library_(sequence.Library()) {}

std::string MonitorLanes::PathAt(std::int64_t index) const {
    return index < 0 ? std::string() : sequence_.PathOf(library_.At(index));
}

MonitorLanes::~MonitorLanes() = default;

double MonitorLanes::Now() const {
    return clock_.MonotonicSeconds();
}

void MonitorLanes::Prepare(Setup setup) {
    lanes_.clear();
    setup_ = std::move(setup);
    if (setup_.on == PicturesOn::MainMonitor || stopped_) {
        return;
    }
    planner_ = MonitorPlanner(setup_.order);
    const int count = static_cast<int>(setup_.monitors.size()) + 1;
    bool portrait = ShapeOf(setup_.main) == Shape::Portrait;
    bool landscape = !portrait;
    const double now = Now();
    for (int i = 1; i < count; ++i) {
        auto lane = std::make_unique<Lane>(view_, i);
        const Setup::Monitor& monitor = setup_.monitors[static_cast<std::size_t>(i - 1)];
        lane->size = monitor.size;
        lane->tx = std::max(1, monitor.twipsX);
        lane->ty = std::max(1, monitor.twipsY);
        lane->shape = ShapeOf(lane->size);
        portrait = portrait || lane->shape == Shape::Portrait;
        landscape = landscape || lane->shape == Shape::Landscape;
        lane->due = now;
        if (setup_.floating) {
            ChooseFloatDirection(lane->stepX, lane->stepY, lane->tx, random_);
        }
        lane->gapSeconds = FirstGapSeconds(*lane);
        lanes_.push_back(std::move(lane));
    }
    mixedMonitors_ = portrait && landscape;
    for (auto& lane : lanes_) {
        if (setup_.on == PicturesOn::DifferentPictures) {
            Want(*lane);
        } else {
            Follow(*lane);
        }
    }
}

// A monitor's turn comes its share of the interval after the main monitor's change.
double MonitorLanes::StaggerSeconds(const Lane& lane) const {
    return StaggerMs(lane.number, static_cast<int>(setup_.monitors.size()) + 1, setup_.intervalMs) /
           1000.0;
}

// The first change after a start or a resume: an interval and the monitor's share after the
// main monitor's.
double MonitorLanes::FirstGapSeconds(const Lane& lane) const {
    return setup_.intervalMs / 1000.0 + StaggerSeconds(lane);
}

PictureFit MonitorLanes::Fit(const Lane& lane) const {
    return {lane.tx, lane.ty, static_cast<std::int64_t>(lane.size.width) * lane.tx,
            static_cast<std::int64_t>(lane.size.height) * lane.ty, setup_.fraction};
}

bool MonitorLanes::MainPassesBy(const std::string& path, bool byShape) const {
    if (setup_.on != PicturesOn::DifferentPictures) {
        return false;
    }
    const auto known = shapes_.find(path);
    if (byShape && mixedMonitors_ && known != shapes_.end() &&
        known->second != ShapeOf(setup_.main) && MayHold(ShapeOf(setup_.main))) {
        return true;
    }
    return std::any_of(lanes_.begin(), lanes_.end(), [&](const auto& lane) {
        return lane->shownPath == path || lane->wantedPath == path;
    });
}

bool MonitorLanes::Busy(const Lane& asking, const std::string& path) const {
    if (path == mainShown_ || path == mainNext_) {
        return true;
    }
    return std::any_of(lanes_.begin(), lanes_.end(), [&](const auto& lane) {
        return lane.get() != &asking && (lane->shownPath == path || lane->wantedPath == path);
    });
}

MonitorPlanner::Pictures MonitorLanes::Choices(const Lane& asking) {
    bool portrait = false;
    bool landscape = false;
    for (const auto& [path, shape] : shapes_) {
        portrait = portrait || shape == Shape::Portrait;
        landscape = landscape || shape == Shape::Landscape;
    }
    auto pathOf = [this](std::int64_t i) { return PathAt(i); };
    return {library_.Total(),
            [this, &asking, pathOf](std::int64_t i) { return Busy(asking, pathOf(i)); },
            [&asking, pathOf](std::int64_t i) {
                return !asking.shownPath.empty() && pathOf(i) == asking.shownPath;
            },
            [this, pathOf](std::int64_t i) {
                const auto it = shapes_.find(pathOf(i));
                return it == shapes_.end() ? Shape::Unknown : it->second;
            },
            mixedMonitors_ && portrait && landscape,
            [this] {
                random_.Randomize();
                return static_cast<double>(random_.Next());
            }};
}

void MonitorLanes::Want(Lane& lane) {
    const std::int64_t index = planner_.Pick(lane.shape, Choices(lane));
    if (index < 0 && !library_.AllComplete()) {
        lane.asked = false;  // a folder's scan is still to find pictures: asked again on a tick
        return;
    }
    lane.asked = true;
    lane.wanted = index;
    lane.wantedEntry = index < 0 ? -1 : library_.At(index).entry;
    lane.wantedPath = PathAt(index);
    const bool fromFolder = lane.wantedEntry >= 0 && library_.IsFolder(lane.wantedEntry);
    lane.ahead.Want(++lane.turn, lane.wantedPath, setup_.fallback, Fit(lane), fromFolder,
                    setup_.readFacts);
}

void MonitorLanes::WantSame(Lane& lane, const std::string& path, std::int32_t entry, int show) {
    lane.asked = true;
    lane.wanted = -1;
    lane.wantedPath = path;
    lane.wantedEntry = entry;
    lane.forShow = show;
    lane.ready.reset();
    lane.ahead.Want(++lane.turn, path, setup_.fallback, Fit(lane), false, setup_.readFacts);
}

// With the same picture everywhere: a lane behind the main monitor wants what it shows, one that
// shows it wants the main one's next, decoded ahead so that both change together.
void MonitorLanes::Follow(Lane& lane) {
    if (setup_.on != PicturesOn::SamePicture || stopped_) {
        return;
    }
    const bool behind = lane.shownFor < mainShow_ && !mainShown_.empty();
    const std::string& path = behind ? mainShown_ : mainNext_;
    const int show = behind ? mainShow_ : mainShow_ + 1;
    if (path.empty() || (lane.forShow == show && lane.wantedPath == path)) {
        return;
    }
    WantSame(lane, path, behind ? mainEntry_ : mainNextEntry_, show);
}

void MonitorLanes::Learn(const std::string& path, PixelSize size) {
    const Shape shape = ShapeOf(size);
    if (!path.empty() && shape != Shape::Unknown) {
        shapes_[path] = shape;
    }
}

void MonitorLanes::MainChanging(const std::string& path, std::int32_t entry) {
    ++mainShow_;
    mainShown_ = path;
    mainEntry_ = entry;
    mainNext_.clear();  // the next comes with MainShows
    const double now = Now();
    for (auto& lane : lanes_) {
        if (setup_.on == PicturesOn::DifferentPictures && lane->showing) {
            // Counted from each of the main monitor's changes, the changes stay spread however
            // long each takes.
            lane->due = now + StaggerSeconds(*lane);
        }
        Follow(*lane);
        if (lane->ready && lane->forShow == mainShow_ && setup_.on == PicturesOn::SamePicture) {
            Show(*lane);  // its effect runs with the main monitor's
        }
    }
}

void MonitorLanes::MainShows(const std::string& shown, std::int32_t entry, PixelSize size,
                             const std::string& next, std::int32_t nextEntry) {
    mainShown_ = shown;
    mainEntry_ = entry;
    mainNext_ = next;
    mainNextEntry_ = nextEntry;
    Learn(shown, size);
    for (auto& lane : lanes_) {
        Follow(*lane);
    }
}

void MonitorLanes::Pause(bool paused) {
    paused_ = paused;
    if (!paused) {
        for (auto& lane : lanes_) {
            lane->due = Now() + FirstGapSeconds(*lane);
        }
    }
}

bool MonitorLanes::Decoded(const DecodedPicture& picture) {
    if (picture.lane == 0) {
        return false;
    }
    for (auto& lane : lanes_) {
        if (lane->number != picture.lane || !lane->ahead.Arrived(picture)) {
            continue;
        }
        if (lane->ahead.PassedBy()) {
            lane->ahead.Take();
            Want(*lane);  // a folder's file that is no picture: the next one instead
            break;
        }
        const PictureTurn turn = lane->ahead.Take();
        if (turn.kind == PictureTurn::Ready && !turn.fallback) {
            Learn(lane->wantedPath, turn.size);
            const bool mismatch = mixedMonitors_ && ShapeOf(turn.size) != lane->shape;
            const bool time = !lane->showing || lane->due - Now() > kReaskSeconds;
            if (mismatch && time && lane->reasks < kMostReasks && MayHold(lane->shape) &&
                setup_.on == PicturesOn::DifferentPictures) {
                ++lane->reasks;
                planner_.GiveBack(lane->wanted);
                lane->wantedPath.clear();
                Want(*lane);
                break;
            }
        }
        lane->ready = turn;
        break;
    }
    Tick();
    return true;
}

// The caption stands in the band at the top of its monitor, as on the main one.
PixelRect MonitorLanes::CaptionRect(const Lane& lane) const {
    return {0, 0, lane.size.width,
            static_cast<int>(std::max<std::int64_t>(0, setup_.captionTwips) / lane.ty)};
}

// With the same picture everywhere a picture shows with the main monitor's change it is for;
// otherwise at its time, unless the changes are paused (a monitor still empty is filled).
bool MonitorLanes::Due(const Lane& lane, double now) const {
    if (setup_.on == PicturesOn::SamePicture) {
        return lane.forShow == mainShow_;
    }
    return now >= lane.due && (!paused_ || !lane.showing);
}

// Whether the pictures may hold one of this shape: one is known to, or some are not known yet.
bool MonitorLanes::MayHold(Shape shape) const {
    if (static_cast<std::int64_t>(shapes_.size()) < library_.Total()) {
        return true;
    }
    return std::any_of(shapes_.begin(), shapes_.end(),
                       [shape](const auto& known) { return known.second == shape; });
}

void MonitorLanes::Show(Lane& lane) {
    const PictureTurn turn = *lane.ready;
    lane.ready.reset();
    lane.reasks = 0;
    const int tx = lane.tx;
    const int ty = lane.ty;
    const std::int64_t width = static_cast<std::int64_t>(lane.size.width) * tx;
    const std::int64_t height = static_cast<std::int64_t>(lane.size.height) * ty;
    if (turn.kind == PictureTurn::Ready) {
        const TwipsSize size{static_cast<std::int64_t>(turn.size.width) * tx,
                             static_cast<std::int64_t>(turn.size.height) * ty};
        TwipsPoint at{CentredOffset(static_cast<double>(width), static_cast<double>(size.width)),
                      CentredOffset(static_cast<double>(height), static_cast<double>(size.height))};
        if (setup_.floating && lane.showing) {
            // As on the main monitor: the next picture keeps the last one's corner.
            at = FloatingPlacement({lane.box.left, lane.box.top}, size, width, height);
        }
        lane.box = {at.left, at.top, size.width, size.height};
        const PixelRect rect{TwipsToPixels(at.left, tx), TwipsToPixels(at.top, ty), turn.size.width,
                             turn.size.height};
        const std::string caption =
            setup_.caption && !turn.fallback
                ? setup_.caption(lane.wantedEntry, lane.wantedPath, turn.facts)
                : std::string();
        if (Present(lane, turn.ticket, rect, caption)) {
            lane.shownPath = turn.fallback ? std::string() : lane.wantedPath;
            lane.showing = true;
            lane.rect = rect;
        }
    }
    lane.wantedPath.clear();
    lane.shownFor = lane.forShow;
    lane.due = Now() + lane.gapSeconds;
    // The main monitor's changes set the turns (see MainChanging); this only keeps a monitor
    // going should the main one wait long for a picture.
    lane.gapSeconds = 2.0 * setup_.intervalMs / 1000.0;
    if (setup_.on == PicturesOn::DifferentPictures && setup_.intervalMs > 0) {
        Want(lane);
    }
    Follow(lane);
}

// The picture goes on its monitor with one of the theme's effects over the old picture's place
// and the new one's, or at once without one.
bool MonitorLanes::Present(Lane& lane, std::uint32_t ticket, const PixelRect& rect,
                           const std::string& caption) {
    const int k = setup_.effect ? setup_.effect() : kNoTransition;
    if (k == kNoTransition || k == kStandard) {
        return view_.ShowLanePicture(lane.number, ticket, rect, caption, CaptionRect(lane));
    }
    if (!view_.StageLanePicture(lane.number, ticket, rect, caption, CaptionRect(lane))) {
        return false;
    }
    lane.area = lane.showing ? Union(lane.rect, rect) : rect;
    const bool wide = static_cast<std::int64_t>(lane.area.width) * lane.tx >= kWideStepTwips;
    lane.change.emplace(TransitionSteps(k, lane.area.width, lane.area.height, wide, random_), Now(),
                        SkipsFailedSteps(k));
    Step(lane, false);
    Pace();
    return true;
}

// Draws what of a lane's effect is due; at its end the new picture stays.
void MonitorLanes::Step(Lane& lane, bool hurry) {
    if (!lane.change) {
        return;
    }
    const PixelRect area = lane.area;
    const int number = lane.number;
    const bool drawn = lane.change->Advance(Now(), hurry, [&](const PixelRect& r) {
        return view_.CopyLaneStep(number,
                                  {area.left + r.left, area.top + r.top, r.width, r.height});
    });
    if (!drawn || lane.change->Done()) {
        lane.change.reset();
        view_.CommitLanePicture(number);
    }
}

// The timer runs at the frame rate only while some effect is under way.
void MonitorLanes::Pace() {
    const bool changing = std::any_of(lanes_.begin(), lanes_.end(),
                                      [](const auto& lane) { return lane->change.has_value(); });
    if (changing != framePace_) {
        framePace_ = changing;
        view_.SetTimer(SaverTimer::Monitors, changing ? kFrameMs : setup_.tickMs, true);
    }
}

void MonitorLanes::Frame() {
    if (stopped_) {
        return;
    }
    for (auto& lane : lanes_) {
        Step(*lane, false);
    }
    Pace();
}

// One step of a floating picture: it bounces off its own monitor's edges and its caption band.
void MonitorLanes::Float(Lane& lane) {
    const int tx = lane.tx;
    const int ty = lane.ty;
    if (FloatPicture(lane.box, lane.stepX, lane.stepY,
                     static_cast<std::int64_t>(lane.size.width) * tx,
                     static_cast<std::int64_t>(lane.size.height) * ty,
                     static_cast<std::int64_t>(CaptionRect(lane).height) * ty)) {
        view_.MoveLanePicture(lane.number, BoxToPixels(lane.box, tx, ty), CaptionRect(lane));
    }
}

void MonitorLanes::Tick() {
    if (stopped_) {
        return;
    }
    const double now = Now();
    // While the timer runs at the frame rate for an effect, floating pictures keep their pace.
    const int framesPerStep = framePace_ ? std::max(1, setup_.tickMs / kFrameMs) : 1;
    const bool floatStep = ++framesSinceFloat_ >= framesPerStep;
    if (floatStep) {
        framesSinceFloat_ = 0;
    }
    for (auto& lane : lanes_) {
        if (!lane->asked && setup_.on == PicturesOn::DifferentPictures) {
            Want(*lane);
        }
        if (lane->change) {
            Step(*lane, false);
        } else if (lane->ready && Due(*lane, now)) {
            Show(*lane);
        } else if (setup_.floating && lane->showing && floatStep) {
            Float(*lane);
        }
    }
    Pace();
}

void MonitorLanes::Stop() {
    stopped_ = true;
    for (auto& lane : lanes_) {
        lane->change.reset();
        lane->ahead.Stop();
    }
}

}  // namespace orvelle
