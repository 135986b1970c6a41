// Scripted stand-ins for MCI, the clock and the random generator, shared by the media player,
// playlist and clock-line tests.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/host_services.h"
#include "media/mmedia.h"

namespace orvelle::overlay_test {

// Records every command; answers status queries from a table keyed by the whole command.
class FakeMci : public MciSender {
  public:
    void Send(const std::string& command) override { sent.push_back(command); }
    std::string Query(const std::string& command) override {
        queries.push_back(command);
        auto it = answers.find(command);
        return it == answers.end() ? "" : it->second;
    }
    std::vector<std::string> sent;
    std::vector<std::string> queries;
    std::map<std::string, std::string> answers;
};

// Now() returns the scripted times in turn, then keeps returning the last one.
class FakeClock : public Clock {
  public:
    explicit FakeClock(LocalDateTime now = {}) { times.push_back(now); }
    LocalDateTime Now() override {
        ++nowCalls;
        LocalDateTime t = times.front();
        if (times.size() > 1) {
            times.pop_front();
        }
        return t;
    }
    float SecondsSinceMidnight() override { return 0.0f; }
    double MonotonicSeconds() override { return 0.0; }
    std::string DefaultDateTimeText(const LocalDateTime& w) override {
        return std::to_string(w.month) + "/" + std::to_string(w.day) + "/" +
               std::to_string(w.year) + " " + std::to_string(w.hour) + ":" +
               std::to_string(w.minute) + ":" + std::to_string(w.second);
    }
    std::string LongDateText(const LocalDateTime& w) override {
        return "day " + std::to_string(w.day) + "." + std::to_string(w.month) + "." +
               std::to_string(w.year);
    }
    void Set(LocalDateTime now) { times.assign(1, now); }
    std::deque<LocalDateTime> times;
    int nowCalls = 0;
};

// Draws come from the script in turn; records when it was re-seeded relative to draws.
class ScriptedRandom : public RandomSource {
  public:
    void Randomize() override { log.push_back('R'); }
    float Next() override {
        log.push_back('N');
        float v = draws.empty() ? 0.0f : draws.front();
        if (!draws.empty()) {
            draws.pop_front();
        }
        return v;
    }
    std::deque<float> draws;
    std::string log;
};

inline LocalDateTime At(int year, int month, int day, int hour = 0, int minute = 0,
                        int second = 0) {
    return LocalDateTime{year, month, day, hour, minute, second};
}

}  // namespace orvelle::overlay_test
