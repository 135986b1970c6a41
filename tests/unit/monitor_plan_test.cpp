#include "saver/monitor_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace orvelle {
namespace {

using Order = MonitorPlanner::Order;
constexpr Shape L = Shape::Landscape;
constexpr Shape P = Shape::Portrait;
constexpr Shape U = Shape::Unknown;

TEST(MonitorPlan, SettingShapesAndStagger) {
    const std::pair<const char*, PicturesOn> settings[] = {
        {"", PicturesOn::MainMonitor},        {"0", PicturesOn::MainMonitor},
        {"1", PicturesOn::DifferentPictures}, {"2", PicturesOn::SamePicture},
        {"3", PicturesOn::MainMonitor},       {"x", PicturesOn::MainMonitor},
    };
    for (const auto& [text, on] : settings) {
        EXPECT_EQ(PicturesOnFrom(text), on) << text;
    }
    EXPECT_EQ(ShapeOf({800, 600}), L);
    EXPECT_EQ(ShapeOf({600, 600}), L);
    EXPECT_EQ(ShapeOf({600, 800}), P);
    EXPECT_EQ(ShapeOf({0, 800}), U);
    struct Stagger {
        int lane, lanes, interval, ms;
    };
    const Stagger staggers[] = {{0, 2, 10000, 0}, {1, 2, 10000, 5000}, {2, 3, 9000, 6000},
                                {1, 1, 10000, 0}, {1, 2, 0, 0},        {3, 4, 2147483, 1610612}};
    for (const Stagger& s : staggers) {
        EXPECT_EQ(StaggerMs(s.lane, s.lanes, s.interval), s.ms) << s.lane << "/" << s.lanes;
    }
}

struct PlanStep {
    Shape monitor;
    std::set<std::int64_t> busy;
    std::int64_t picked;
    bool giveBack = false;
    std::int64_t own = -1;
};
struct PlanCase {
    const char* what;
    Order order;
    std::vector<Shape> shapes;  // one per picture
    bool bothShapes;
    std::vector<double> draws;
    std::vector<PlanStep> steps;
};
const std::vector<PlanCase> kPlanCases = {
    {"list order goes round",
     Order::List,
     {U, U, U},
     false,
     {},
     {{L, {}, 0}, {L, {}, 1}, {L, {}, 2}, {L, {}, 0}}},
    {"no pictures", Order::List, {}, false, {}, {{L, {}, -1}}},
    {"pictures on other monitors are passed",
     Order::List,
     {U, U, U, U},
     false,
     {},
     {{L, {0}, 1}, {L, {1, 2}, 0}, {L, {}, 2}, {L, {}, 3}}},
    {"fewer pictures than monitors", Order::List, {U}, false, {}, {{L, {0}, 0}, {L, {0}, 0}}},
    {"all busy takes the next in order",
     Order::List,
     {U, U},
     false,
     {},
     {{L, {0, 1}, 0}, {L, {0, 1}, 1}}},
    {"portrait to portrait",
     Order::List,
     {L, L, P, L},
     true,
     {},
     {{P, {}, 2}, {L, {}, 0}, {L, {}, 1}, {L, {}, 3}}},
    {"shape ignored until the theme has both kinds",
     Order::List,
     {L, L, P},
     false,
     {},
     {{P, {}, 0}}},
    {"unknown shape before the other kind", Order::List, {L, U, L}, true, {}, {{P, {}, 1}}},
    {"never standing still for the shape",
     Order::List,
     {L, P, L},
     true,
     {},
     {{P, {}, 1}, {P, {1}, 0}, {L, {}, 2}}},
    {"a picture given back goes to the next monitor",
     Order::List,
     {U, U, U},
     false,
     {},
     {{L, {}, 0, true}, {P, {}, 0}, {L, {}, 1}}},
    {"random draws without twins in the look-ahead",
     Order::Random,
     {U, U, U},
     false,
     {0.5, 0.5, 0.1, 0.9},
     {{L, {}, 1}, {L, {1}, 0}}},
};

TEST(MonitorPlan, PicksFreePicturesOfTheMonitorsShapeInOrder) {
    for (const PlanCase& c : kPlanCases) {
        MonitorPlanner planner(c.order);
        std::size_t drawn = 0;
        std::set<std::int64_t> busy;
        std::int64_t own = -1;
        MonitorPlanner::Pictures pictures{
            static_cast<std::int64_t>(c.shapes.size()),
            [&busy](std::int64_t i) { return busy.count(i) > 0; },
            [&own](std::int64_t i) { return i == own; },
            [&c](std::int64_t i) { return c.shapes[static_cast<std::size_t>(i)]; },
            c.bothShapes,
            [&] { return c.draws.empty() ? 0.0 : c.draws[drawn++ % c.draws.size()]; }};
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const PlanStep& step = c.steps[i];
            busy = step.busy;
            own = step.own;
            const std::int64_t picked = planner.Pick(step.monitor, pictures);
            EXPECT_EQ(picked, step.picked) << c.what << ", pick " << i;
            if (step.giveBack) {
                planner.GiveBack(picked);
            }
        }
    }
}

TEST(MonitorPlan, ShuffledRoundsShowEveryPictureOnce) {
    MonitorPlanner planner(Order::Shuffle);
    double seed = 0.37;
    MonitorPlanner::Pictures pictures{7, nullptr, nullptr, nullptr, false, [&seed] {
                                          seed = seed * 7.1 - static_cast<int>(seed * 7.1);
                                          return seed;
                                      }};
    for (int round = 0; round < 3; ++round) {
        std::set<std::int64_t> seen;
        for (int i = 0; i < 7; ++i) {
            seen.insert(planner.Pick(L, pictures));
        }
        EXPECT_EQ(seen.size(), 7u) << "round " << round;
    }
}

}  // namespace
}  // namespace orvelle
