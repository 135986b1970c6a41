// The pictures on the monitors beside the main one, when the theme puts pictures on every
// monitor: each monitor has its own picture decoded ahead and its own turn, spread over the
// interval after the main monitor's; with the same picture everywhere each decodes the main one's
// next picture ahead and changes with it. Each monitor keeps its own size and DPI. The main
// monitor's show, its clock and its music stay with the saver form.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "saver/monitor_plan.h"
#include "saver/motion.h"
#include "saver/picture_ahead.h"
#include "saver/transitions.h"
#include "saver/saver_view.h"

namespace orvelle {

class Clock;
class PictureLibrary;
class PictureSequence;
class RandomSource;

class MonitorLanes {
  public:
    struct Setup {
        PicturesOn on = PicturesOn::MainMonitor;
        MonitorPlanner::Order order = MonitorPlanner::Order::List;
        struct Monitor {
            PixelSize size;
            int twipsX = 15;  // its own DPI's
            int twipsY = 15;
        };
        PixelSize main;                 // the main monitor
        std::vector<Monitor> monitors;  // the others, in lane order (lane 1 first)
        int intervalMs = 0;             // 0: a picture stays for the whole run
        bool floating = false;          // pictures drift and bounce inside their monitor
        float fraction = 0.8f;
        std::int64_t captionTwips = 0;  // the caption band at the top of every monitor
        std::string fallback;
        bool readFacts = false;
        // The caption of a picture (its entry in the list, its file, what its file told).
        std::function<std::string(std::int32_t, const std::string&, const PhotoFacts&)> caption;
        // The effect of a change, drawn from the theme's selected ones (none without it).
        std::function<int()> effect;
        int tickMs = 100;  // the monitors' timer between changes
    };

    MonitorLanes(SaverView& view, Clock& clock, RandomSource& random,
                 const PictureSequence& sequence);
    ~MonitorLanes();

    // True when the theme puts pictures on more monitors than the main one.
    bool Active() const { return !lanes_.empty(); }
    void Prepare(Setup setup);
    // The main monitor begins to show a picture: with the same picture everywhere, the others
    // change with it.
    void MainChanging(const std::string& path, std::int32_t entry);
    // The main monitor shows a picture (at size), and one next: decoded ahead for the others with
    // the same picture everywhere; not for them to take with different pictures.
    void MainShows(const std::string& shown, std::int32_t entry, PixelSize size,
                   const std::string& next, std::int32_t nextEntry);
    // With different pictures: whether the main monitor had better pass by this pick, as it
    // shows or comes on another monitor, or (byShape) it is known to suit another monitor's
    // shape better.
    bool MainPassesBy(const std::string& path, bool byShape) const;
    int Count() const { return static_cast<int>(lanes_.size()); }
    // The browsing keys' pause: no monitor changes its picture; at the resume the turns count
    // afresh, spread after the main monitor's as at the start.
    void Pause(bool paused);
    // A tick of the monitors' timer: turns that are due and ready are shown, and the effects
    // of changes under way go on.
    void Tick();
    // A display frame while the main monitor runs an effect: only the others' effects go on.
    void Frame();
    // True when the answer was one of theirs.
    bool Decoded(const DecodedPicture& picture);
    void Stop();

  private:
    struct Lane;
    void Want(Lane& lane);
    void WantSame(Lane& lane, const std::string& path, std::int32_t entry, int show);
    void Follow(Lane& lane);
    PictureFit Fit(const Lane& lane) const;
    double StaggerSeconds(const Lane& lane) const;
    double FirstGapSeconds(const Lane& lane) const;
    bool Due(const Lane& lane, double now) const;
    void Show(Lane& lane);
    bool Present(Lane& lane, std::uint32_t ticket, const PixelRect& rect,
                 const std::string& caption);
    void Step(Lane& lane, bool hurry);
    void Pace();
    void Float(Lane& lane);
    PixelRect CaptionRect(const Lane& lane) const;
    bool MayHold(Shape shape) const;
    bool Busy(const Lane& asking, const std::string& path) const;
    MonitorPlanner::Pictures Choices(const Lane& asking);
    std::string PathAt(std::int64_t index) const;
    void Learn(const std::string& path, PixelSize size);
    double Now() const;

    SaverView& view_;
    Clock& clock_;
    RandomSource& random_;
    const PictureSequence& sequence_;
    const PictureLibrary& library_;
    Setup setup_;
    MonitorPlanner planner_{MonitorPlanner::Order::List};
    std::vector<std::unique_ptr<Lane>> lanes_;
    std::map<std::string, Shape> shapes_;  // what decodes told of the pictures' shapes
    std::string mainShown_;
    std::int32_t mainEntry_ = -1;
    std::string mainNext_;
    std::int32_t mainNextEntry_ = -1;
    int mainShow_ = 0;            // counts the main monitor's changes
    bool mixedMonitors_ = false;  // portrait and landscape monitors both
    bool stopped_ = false;
    bool paused_ = false;
    bool framePace_ = false;  // the timer runs at the frame rate while an effect is under way
    int framesSinceFloat_ = 0;
};

}  // namespace orvelle
