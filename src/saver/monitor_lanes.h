// The pictures on the monitors beside the main one, when the theme puts pictures on every
// monitor: each monitor has its own picture decoded ahead and its own turn, spread over the
// interval after the main monitor's; with the same picture everywhere they follow the main one.
// The main monitor's show, its clock and its music stay with the saver form.
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
        PixelSize main;                   // the main monitor
        std::vector<PixelSize> monitors;  // the others, in lane order (lane 1 first)
        int intervalMs = 0;               // 0: a picture stays for the whole run
        bool floating = false;            // pictures drift and bounce inside their monitor
        int twipsX = 15;
        int twipsY = 15;
        float fraction = 0.8f;
        int captionHeight = 0;  // pixels of the caption band at the top
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
    // The main monitor shows a picture now (at size), and one next (for the same picture
    // everywhere, and so that no other monitor takes them).
    void MainShows(const std::string& shown, std::int32_t entry, PixelSize size,
                   const std::string& next);
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
    void WantSame(Lane& lane);
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
    bool mixedMonitors_ = false;  // portrait and landscape monitors both
    bool stopped_ = false;
    bool framePace_ = false;  // the timer runs at the frame rate while an effect is under way
};

}  // namespace orvelle
