// Recording stand-ins for the saver window, the host around a run, the clock, the random
// generator, the registry and MCI, for tests of the saver engine.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/host_services.h"
#include "media/mmedia.h"
#include "saver/picture_scaling.h"
#include "saver/registry_text.h"
#include "saver/saver_view.h"

namespace orvelle::saver_test {

inline std::string RectText(const PixelRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
           "," + std::to_string(r.height);
}

inline const char* TimerName(SaverTimer t) {
    switch (t) {
        case SaverTimer::StartSaver:
            return "StartSaver";
        case SaverTimer::ImageChange:
            return "ImageChange";
        case SaverTimer::Float:
            return "Float";
        case SaverTimer::Scroller:
            return "Scroller";
        case SaverTimer::Time:
            return "Time";
        case SaverTimer::Media:
            return "Media";
        case SaverTimer::Monitors:
            return "Monitors";
    }
    return "?";
}

// Monotonic time moves only when told (the fake view moves it one frame per WaitForFrame).
class FakeSaverClock : public Clock {
  public:
    LocalDateTime Now() override {
        if (onNow) {
            onNow();
        }
        return now;
    }
    float SecondsSinceMidnight() override { return secondsSinceMidnight; }
    double MonotonicSeconds() override { return monotonic; }
    std::string DefaultDateTimeText(const LocalDateTime&) override { return "clock text"; }
    std::string LongDateText(const LocalDateTime& w) override {
        return std::to_string(w.day) + "/" + std::to_string(w.month) + "/" + std::to_string(w.year);
    }

    LocalDateTime now{2024, 5, 1, 12, 0, 0};
    std::function<void()> onNow;
    float secondsSinceMidnight = 1000.0f;
    double monotonic = 100.0;
};

// Draws come from the script in turn, then `fallback` for ever.
class ScriptedRandom : public RandomSource {
  public:
    void Randomize() override { ++reseeds; }
    float Next() override {
        ++drawCount;
        if (draws.empty()) {
            return fallback;
        }
        float v = draws.front();
        draws.pop_front();
        return v;
    }
    std::deque<float> draws;
    float fallback = 0.0f;
    int reseeds = 0;
    int drawCount = 0;
};

class FakeRegistry : public RegistryReader {
  public:
    std::optional<RegistryValue> Query(std::uint32_t, const std::string& keyPath,
                                       const std::string& valueName) override {
        queries.push_back(keyPath + "|" + valueName);
        return value;
    }
    std::optional<RegistryValue> value;
    std::vector<std::string> queries;
};

// Answers every "mode" status query with `mode`; records what was sent.
class FakeMci : public MciSender {
  public:
    void Send(const std::string& command) override { sent.push_back(command); }
    std::string Query(const std::string& command) override {
        if (command.size() >= 5 && command.compare(command.size() - 5, 5, " mode") == 0) {
            return mode;
        }
        if (command.size() >= 7 && command.compare(command.size() - 7, 7, " length") == 0) {
            return "1000";
        }
        return "";
    }
    std::string mode;
    std::vector<std::string> sent;
};

// A monitor beside the main one: its size, its background drawn nowhere.
class FakeMonitor : public BackgroundCanvas {
  public:
    explicit FakeMonitor(PixelSize s) : size(s) {}
    PixelSize ScreenSize() override { return size; }
    int TwipsPerPixelX() override { return twips; }
    int TwipsPerPixelY() override { return twips; }
    void PaintSolidBackground(Colour) override { ++paints; }
    void PaintDesktopCopy() override { ++paints; }
    std::optional<PixelSize> LoadBackgroundPicture(const std::string&) override {
        return std::nullopt;
    }
    void DrawBackgroundPicture(const PixelRect&) override {}
    void FillBackgroundRect(const PixelRect&, Colour) override {}
    PixelSize size;
    int twips = 15;
    int paints = 0;
};

// Every call that changes the screen or the timers lands in `log` as one line of text.
class FakeSaverView : public SaverView {
  public:
    explicit FakeSaverView(FakeSaverClock* clock = nullptr) : clock_(clock) {}

    PixelSize ScreenSize() override { return screen; }
    int TwipsPerPixelX() override { return twipsPerPixel; }
    int TwipsPerPixelY() override { return twipsPerPixel; }
    void CoverScreen() override { log.push_back("CoverScreen"); }
    std::vector<BackgroundCanvas*> OtherMonitors() override {
        std::vector<BackgroundCanvas*> out;
        for (FakeMonitor& m : monitors) {
            out.push_back(&m);
        }
        return out;
    }
    // "Lane <n> <path> <rect> '<caption>'" for a picture shown on another monitor.
    bool ShowLanePicture(int lane, std::uint32_t ticket, const PixelRect& rect,
                         const std::string& captionText, const PixelRect& captionRect) override {
        const auto it = laneDecoded.find({lane, ticket});
        if (it == laneDecoded.end()) {
            return false;
        }
        lanes[lane] = rect;
        lanePaths[lane] = it->second;
        laneCaptionBands[lane] = captionRect;
        log.push_back("Lane " + std::to_string(lane) + " " + it->second + " " + RectText(rect) +
                      " '" + captionText + "'");
        return true;
    }

    void PaintSolidBackground(Colour colour) override {
        log.push_back("Solid " + std::to_string(colour));
    }
    void PaintDesktopCopy() override { log.push_back("DesktopCopy"); }
    std::optional<PixelSize> LoadBackgroundPicture(const std::string& path) override {
        log.push_back("LoadBackground " + path);
        if (onLoadPicture) {
            onLoadPicture(path);
        }
        auto it = pictures.find(path);
        if (it == pictures.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    void DrawBackgroundPicture(const PixelRect& rect) override {
        backgroundDraws.push_back(rect);
        log.push_back("DrawBackground " + RectText(rect));
    }
    void FillBackgroundRect(const PixelRect& rect, Colour colour) override {
        fills.push_back({rect, colour});
    }

    void ClearPictures() override { log.push_back("ClearPictures"); }
    // Requests wait in `requests` until the test answers them (AnswerTo says how).
    void DecodePicture(const PictureRequest& request) override {
        log.push_back("Decode " + request.path);
        if (onLoadPicture) {
            onLoadPicture(request.path);
        }
        requests.push_back(request);
    }
    DecodedPicture AnswerTo(const PictureRequest& request) const {
        DecodedPicture answer{request.ticket, DecodeOutcome::NotAPicture, {}, {}, request.lane};
        const auto it = pictures.find(request.path);
        if (it == pictures.end()) {
            return answer;
        }
        answer.outcome = DecodeOutcome::NotDecoded;
        const std::optional<PixelSize> shown = ShownPictureSize(it->second, request.fit);
        if (decodeSucceeds && shown && blankPictures.count(request.path) == 0) {
            answer = {request.ticket, DecodeOutcome::Decoded, *shown, {}, request.lane};
            if (request.lane == 0) {
                decoded[request.ticket] = *shown;
                decodedPaths[request.ticket] = request.path;
            } else {
                laneDecoded[{request.lane, request.ticket}] = request.path;
            }
            const auto fact = facts.find(request.path);
            if (request.readFacts && fact != facts.end()) {
                answer.facts = fact->second;
            }
        }
        return answer;
    }
    bool PlaceDecodedPicture(std::uint32_t ticket) override {
        const auto it = decoded.find(ticket);
        if (it == decoded.end()) {
            log.push_back("Place nothing");
            return false;
        }
        placedPath = decodedPaths[ticket];
        log.push_back("Place " + std::to_string(it->second.width) + "x" +
                      std::to_string(it->second.height));
        return true;
    }
    void StopDecoding() override { log.push_back("StopDecoding"); }
    // Scans wait in `scans` until the test runs them.
    void ScanFolders(const ScanRequest& request) override {
        log.push_back("Scan " + std::to_string(request.ticket) +
                      (request.fromCache ? " cache" : "") + (request.walkCached ? " walk" : ""));
        scans.push_back(request);
    }
    void StopScanning() override { log.push_back("StopScanning"); }
    bool GrabBackgroundPatch(const PixelRect& rect) override {
        log.push_back("GrabPatch " + RectText(rect));
        return grabSucceeds;
    }
    bool CopyToDisplay(const PixelRect& rect) override {
        copies.push_back(rect);
        if (!frameCopies.empty()) {
            ++frameCopies.back();
        }
        return copySucceeds;
    }
    void CommitDisplay() override { log.push_back("Commit"); }
    void MoveDisplay(const PixelRect& rect) override {
        display = rect;
        log.push_back("MoveDisplay " + RectText(rect));
    }
    void ShowDisplay(bool visible) override {
        log.push_back(visible ? "ShowDisplay" : "HideDisplay");
    }

    void WaitForFrame() override {
        frameCopies.push_back(0);
        ++frames;
        if (clock_ != nullptr) {
            clock_->monotonic += frameSeconds;
        }
    }
    bool HurryPending() override { return hurryAfterFrames >= 0 && frames > hurryAfterFrames; }
    void PumpEvents(double seconds) override {
        log.push_back("Pump " + std::to_string(seconds).substr(0, 3));
        if (onPump) {
            onPump();
        }
    }

    void SetCaptionFont(const CaptionFont& f) override {
        font = f;
        log.push_back("CaptionFont");
    }
    PixelSize SetCaptionText(const std::string& text) override {
        captionText = text;
        return {static_cast<int>(text.size()) * captionCharWidth, captionLineHeight};
    }
    void MoveCaption(const PixelRect& rect) override {
        caption = rect;
        log.push_back("MoveCaption " + RectText(rect));
    }
    void ShowCaption(bool visible) override {
        log.push_back(visible ? "ShowCaption" : "HideCaption");
    }

    void ShowClock(bool visible, const PixelRect& rect, Colour colour) override {
        log.push_back(std::string(visible ? "ShowClock " : "HideClock ") + RectText(rect) + " " +
                      std::to_string(colour));
    }
    void SetClockText(const std::string& text) override { clockText = text; }
    void ShowPausedMark(bool visible) override {
        log.push_back(visible ? "PausedMark on" : "PausedMark off");
    }

    void SetTimer(SaverTimer timer, int intervalMs, bool enabled) override {
        timers[timer] = enabled ? intervalMs : -1;
        log.push_back(std::string("Timer ") + TimerName(timer) + " " +
                      (enabled ? std::to_string(intervalMs) : "off"));
    }

    // The number of copies drawn in each frame, in frame order.
    std::vector<int> CopiesPerFrame() const { return frameCopies; }

    // Lines of the log that start with prefix.
    std::vector<std::string> LogStartingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& line : log) {
            if (line.rfind(prefix, 0) == 0) {
                out.push_back(line);
            }
        }
        return out;
    }

    PixelSize screen{1024, 768};
    int twipsPerPixel = 15;
    std::deque<ScanRequest> scans;
    // What decoding and LoadBackgroundPicture find: pictures by path, at their own size.
    std::map<std::string, PixelSize> pictures;
    bool decodeSucceeds = true;
    // Pictures whose header reads but that cannot be shown.
    std::set<std::string> blankPictures;
    // What a picture's file tells of itself, when the request asks.
    std::map<std::string, PhotoFacts> facts;
    std::function<void(const std::string&)> onLoadPicture;
    std::deque<PictureRequest> requests;                 // not answered yet
    mutable std::map<std::uint32_t, PixelSize> decoded;  // tickets answered with a picture
    mutable std::map<std::pair<int, std::uint32_t>, std::string> laneDecoded;
    std::deque<FakeMonitor> monitors;  // beside the main one
    std::map<int, PixelRect> lanes;    // where each lane's picture stands
    std::map<int, std::string> lanePaths;
    std::map<int, PixelRect> laneCaptionBands;
    mutable std::map<std::uint32_t, std::string> decodedPaths;
    std::string placedPath;  // the main monitor's picture
    // The monitors after a display change (sizes): one of a size already there stays.
    std::optional<std::vector<PixelSize>> changedMonitors;
    std::optional<PixelSize> changedScreen;  // the main monitor's after a display change
    std::optional<std::vector<BackgroundCanvas*>> RereadMonitors() override {
        if (changedScreen) {
            screen = *changedScreen;
            changedScreen.reset();
        }
        if (!changedMonitors) {
            return std::nullopt;
        }
        std::deque<FakeMonitor> now;
        std::vector<std::size_t> added;
        for (const PixelSize& size : *changedMonitors) {
            const auto it = std::find_if(monitors.begin(), monitors.end(),
                                         [&](const FakeMonitor& m) { return m.size == size; });
            if (it != monitors.end()) {
                now.push_back(*it);
                monitors.erase(it);
            } else {
                added.push_back(now.size());
                now.emplace_back(size);
            }
        }
        monitors = std::move(now);
        changedMonitors.reset();
        std::vector<BackgroundCanvas*> canvases;
        for (const std::size_t i : added) {
            canvases.push_back(&monitors[i]);
        }
        return canvases;
    }
    // Counted, not logged: an effect has hundreds of steps.
    bool CopyLaneStep(int lane, const PixelRect& rect) override {
        ++laneSteps[lane];
        const bool first = laneStepArea.count(lane) == 0;
        PixelRect& area = laneStepArea[lane];
        if (first) {
            area = rect;
        }
        const int right = std::max(area.left + area.width, rect.left + rect.width);
        const int bottom = std::max(area.top + area.height, rect.top + rect.height);
        area.left = std::min(area.left, rect.left);
        area.top = std::min(area.top, rect.top);
        area.width = right - area.left;
        area.height = bottom - area.top;
        return true;
    }
    void CommitLanePicture(int lane) override { ++laneCommits[lane]; }
    std::map<int, int> laneSteps;
    std::map<int, int> laneCommits;
    std::map<int, PixelRect> laneStepArea;  // what a lane's steps covered
    void MoveLanePicture(int lane, const PixelRect& rect, const PixelRect&) override {
        lanes[lane] = rect;
        ++laneMoves;
    }
    int laneMoves = 0;
    bool grabSucceeds = true;
    bool copySucceeds = true;
    double frameSeconds = 1.0 / 60.0;
    int hurryAfterFrames = -1;  // HurryPending from this many frames on; -1 never
    std::function<void()> onPump;

    std::vector<std::string> log;
    std::vector<PixelRect> copies;
    std::vector<PixelRect> backgroundDraws;
    struct Fill {
        PixelRect rect;
        Colour colour;
    };
    std::vector<Fill> fills;
    std::map<SaverTimer, int> timers;  // interval, -1 when disabled
    PixelRect display;
    PixelRect caption;
    std::string captionText;
    std::string clockText;
    CaptionFont font;
    int captionCharWidth = 7;
    int captionLineHeight = 20;
    int frames = 0;

  private:
    FakeSaverClock* clock_;
    std::vector<int> frameCopies;
};

class FakeSaverHost : public SaverHost {
  public:
    int WaveOutDeviceCount() override { return waveDevices; }
    void SetScreenSaverRunning(bool running) override {
        log.push_back(running ? "SaverRunning on" : "SaverRunning off");
    }
    int ShowPointerOnce() override {
        ++pointerCounter;
        log.push_back("ShowPointer " + std::to_string(pointerCounter));
        return pointerCounter;
    }
    void SetPointerPosition(int x, int y) override {
        log.push_back("Pointer " + std::to_string(x) + "," + std::to_string(y));
    }
    void ShowTaskbar() override { log.push_back("ShowTaskbar"); }
    bool VerifyPassword() override {
        log.push_back("VerifyPassword");
        return passwordRight;
    }
    void ShowSaverWindow() override { log.push_back("ShowSaverWindow"); }
    void UnloadSaverWindow() override { log.push_back("Unload"); }
    void ShowErrorMessage(const std::string& text) override { log.push_back("Message " + text); }
    void EndProgram() override {
        log.push_back("EndProgram");
        ++ends;
    }

    int waveDevices = 0;
    int pointerCounter = -6;
    bool passwordRight = true;
    int ends = 0;
    std::vector<std::string> log;
};

}  // namespace orvelle::saver_test
