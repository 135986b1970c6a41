#include "saver/saver_form.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "saver/end_saver.h"
#include "base/host_services.h"
#include "base/numbers.h"
#include "base/text.h"
#include "overlays/background.h"
#include "overlays/clock_overlay.h"
#include "media/mmedia.h"
#include "overlays/music_playlist.h"
#include "saver/monitor_lanes.h"
#include "saver/motion.h"
#include "saver/photo_caption.h"
#include "saver/picture_ahead.h"
#include "saver/picture_scaling.h"
#include "saver/picture_sequence.h"
#include "saver/registry_text.h"
#include "saver/show_history.h"
#include "saver/transitions.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

constexpr int kStartSaverMs = 500;
constexpr int kDefaultFloatMs = 100;
// How often the other monitors look whether their turn has come.
constexpr int kMonitorsTickMs = 100;
// The pause after the old picture is wiped away, with input still handled.
constexpr double kRemovePauseSeconds = 0.3;

int FloatIntervalMs(const std::string& picSpeed) {
    const double speed = LeadingNumber(picSpeed);
    constexpr int kIntervals[] = {150, 125, 100, 75, 25, 10};
    for (int i = 0; i < 6; ++i) {
        if (speed == i) {
            return kIntervals[i];
        }
    }
    return kDefaultFloatMs;
}

Colour ColourFromText(const std::string& text) {
    const double v = RoundHalfEven(LeadingNumber(text));
    return v >= 0 && v <= 0xFFFFFF ? static_cast<Colour>(v) : 0;
}

bool IsTrue(const std::string& flag) {
    return EqualsNoCase(TrimSpaces(flag), "True");
}

// Names the procedure running for as long as it runs, and gives back the outer one after. Left
// by an exception it keeps its name, so that the handler that catches it knows where it came
// from.
class ProcedureScope {
  public:
    ProcedureScope(const char*& current, const char* message)
        : current_(current), outer_(current), exceptions_(std::uncaught_exceptions()) {
        current_ = message;
    }
    ~ProcedureScope() {
        if (std::uncaught_exceptions() == exceptions_) {
            current_ = outer_;
        }
    }
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;

  private:
    const char*& current_;
    const char* outer_;
    int exceptions_;
};

}  // namespace

struct SaverForm::State {
    explicit State(SaverEnvironment e) : env(e) {}

    SaverEnvironment env;
    SaverSettings s;

    int tx = 15;  // twips per pixel across and down
    int ty = 15;
    PixelSize screenPx;
    std::int64_t screenW = 0;  // twips
    std::int64_t screenH = 0;
    std::int16_t passwordEnabled = 0;

    TwipsBox display;  // DisplayingPicture, twips
    PixelSize displayPx;
    CaptionLine caption;
    MusicList music;
    int floatIntervalMs = kDefaultFloatMs;

    MouseTracker formTracker;
    MouseTracker pictureTracker;
    MouseBurst burst;

    // The run's pictures in their order, folders scanned beside the window's thread.
    std::unique_ptr<PictureSequence> sequence;
    // The next picture, decoded ahead of its turn; and the change (or the first picture) that
    // waits for it when it was not ready at its time.
    PictureAhead ahead{env.view};
    // The other monitors' own pictures, when the theme puts pictures on every monitor.
    std::unique_ptr<MonitorLanes> lanes;
    enum class Due { Nothing, FirstPicture, Change };
    Due due = Due::Nothing;
    // The sequence holds a pick not shown yet (a show that never changes picks none until a key
    // asks for it).
    bool nextPicked = false;

    // The picture on screen: its file and what that file told of it (for its caption).
    std::string shownPath;
    PhotoFacts shownFacts;
    CaptionSource captionSource = CaptionSource::Nothing;

    // Browsing keys: the pictures shown, the change the keys or the timer asked for (one shown
    // before, or the sequence's pick), one key pressed while a change was being shown, and
    // whether the changes are paused.
    bool browse = false;
    ShowHistory history;
    BrowseStep changeStep = BrowseStep::Forward;
    std::optional<ShowHistory::Stop> changeBack;  // the change goes to a picture shown before
    bool showing = false;
    std::optional<BrowseStep> queued;
    bool paused = false;

    bool started = false;
    bool ended = false;
    bool clockStopped = false;
    // The message of the procedure running now, for a failure nobody foresaw inside it.
    const char* procedure = nullptr;

    RunEnding Ending() {
        return RunEnding{env.host,        env.mediaPlayer, env.platformId,
                         passwordEnabled, screenW,         screenH};
    }
    bool Floating() const { return s.picRandom != "cent"; }

    // The run is over: nothing more is decoded or scanned for it; where it stopped is kept.
    void MarkEnded() {
        ended = true;
        ahead.Stop();
        if (lanes) {
            lanes->Stop();
        }
        if (sequence) {
            if (!sequence->Library().Roots().empty()) {
                env.view.StopScanning();
            }
            sequence->SaveState();
        }
    }
    void Fail(const char* message) {
        if (ended) {
            // Input served while a picture loaded has ended the run already.
            return;
        }
        MarkEnded();
        EndRunWithError(Ending(), message);
    }
    // An exception or an allocation failure escaped an event: the run ends with the message of
    // the procedure it came from, or, outside any procedure with a message, without one.
    void Unforeseen() {
        if (ended) {
            return;
        }
        if (procedure) {
            Fail(procedure);
        } else {
            MarkEnded();
            EndRunWithoutMessage(Ending());
        }
    }
    template <typename Handler>
    void Guarded(const char* message, Handler&& handler) {
        const ProcedureScope scope(procedure, message);
        try {
            handler();
        } catch (...) {
            Unforeseen();
        }
    }
    void End() {
        if (EndSaver(Ending()) == EndOutcome::Ended) {
            MarkEnded();
        }
    }
    void Moved(MouseTracker& tracker, double x, double y) {
        if (QualifyingMove(tracker, x, y)) {
            std::optional<EndOutcome> outcome =
                CountMouseMove(burst, s.mouseSensitivity, env.clock, Ending());
            if (outcome == EndOutcome::Ended) {
                MarkEnded();
            }
        }
    }

    void CentreDisplay() {
        display.left =
            CentredOffset(static_cast<double>(screenW), static_cast<double>(display.width));
        display.top =
            CentredOffset(static_cast<double>(screenH), static_cast<double>(display.height));
    }
    PixelRect DisplayRect() const {
        return {TwipsToPixels(display.left, tx), TwipsToPixels(display.top, ty), displayPx.width,
                displayPx.height};
    }

    void PrepareDisplay();
    void PrepareCaption();
    void MeasureCaptionBand();
    void PrepareMusic();
    void PrepareClock();
    void StartSaver_Timer();
    void StartMonitors();
    void DisplayChanged();
    void MainResized();
    void TellMonitors();
    void ImageChangeTimer_Timer();
    void BeginChange(BrowseStep step);
    bool DueSettled() const;
    void KeyDown(SaverKey key, bool repeated);
    void Browse(BrowseStep step);
    void TogglePause();
    void ArmChangeTimer();
    bool ChangesCome() const { return Floating() || LeadingNumber(s.timeInterval) != 0.0; }
    void PictureDecoded(const DecodedPicture& picture);
    void FoldersScanned(const ScanNews& news);
    void StartScan();
    void RunDueChange();
    void Remember(bool fromHistory);
    void FinishStart();
    void WantPicture();
    void WantShownBefore(const ShowHistory::Stop& stop);
    void WantDue();
    void WantNextPicture();
    PictureFit Fit() const { return {tx, ty, screenW, screenH, s.pictureFraction}; }
    void FloatTimer_Timer();
    void ScrollerTimer_Timer();
    void timeTimer_Timer();
    void mediaTimer_Timer();
    void Tick(SaverTimer timer);

    bool ShowCurrentPicture();
    bool PlaceReadyPicture();
    bool RemovePicture();
    bool Transition() {
        // The other monitors' effects go on while this one runs.
        return RunTransition(s, env.view, env.clock, env.random, displayPx,
                             display.width >= kWideStepTwips, [this] {
                                 if (lanes) {
                                     lanes->Frame();
                                 }
                             });
    }
    void ShowCaption();
    void PickNextPicture() {
        nextPicked = true;
        sequence->Pick(env.random);
        // With different pictures on every monitor, one shown or coming on any monitor is passed
        // by while the theme has more pictures than there are monitors, and first also one that
        // suits another monitor's shape; a few times at most, never standing still.
        if (lanes && lanes->Active() &&
            sequence->Library().Total() > static_cast<std::int64_t>(lanes->Count()) + 1) {
            // Each other monitor holds at most its picture and its next.
            const int tries = 4 * (lanes->Count() + 1);
            for (int tried = 0; tried < 2 * tries && sequence->Known() &&
                                (sequence->Path() == shownPath ||
                                 lanes->MainPassesBy(sequence->Path(), tried < tries));
                 ++tried) {
                sequence->Pick(env.random);
            }
        }
        StartScan();
    }
    void ChooseFloatDirection() {
        orvelle::ChooseFloatDirection(s.floatStepX, s.floatStepY, tx, env.random);
    }
};

SaverForm::SaverForm(SaverEnvironment env) : state_(std::make_unique<State>(env)) {}
SaverForm::~SaverForm() {
    // A run closed from outside (the system ending the session) still keeps where it stopped.
    if (state_->sequence && !state_->ended) {
        state_->sequence->SaveState();
    }
}

const SaverSettings& SaverForm::Settings() const {
    return state_->s;
}
PixelRect SaverForm::DisplayRect() const {
    return state_->DisplayRect();
}
bool SaverForm::Ended() const {
    return state_->ended;
}
const PictureLibrary& SaverForm::Library() const {
    return state_->sequence->Library();
}

void SaverForm::Form_Load() {
    state_->Guarded(nullptr, [this] { LoadForm(); });
}

void SaverForm::LoadForm() {
    State& st = *state_;
    SaverView& view = st.env.view;
    view.CoverScreen();
    st.tx = std::max(1, view.TwipsPerPixelX());
    st.ty = std::max(1, view.TwipsPerPixelY());
    st.screenPx = view.ScreenSize();
    st.screenW = static_cast<std::int64_t>(st.screenPx.width) * st.tx;
    st.screenH = static_cast<std::int64_t>(st.screenPx.height) * st.ty;

    st.passwordEnabled = ToInt16Saturated(LeadingNumber(ReadRegistryText(
        st.env.registry, kHkeyCurrentUser, "Control Panel\\Desktop", "ScreenSaveUsePassword")));
    if (st.env.platformId != 2 && st.passwordEnabled != 0) {
        // Blocks the task-switching keys while the password guards the screen.
        st.env.host.SetScreenSaverRunning(true);
    }

    LoadThemeSettings(st.s, st.env.storage);
    st.sequence = std::make_unique<PictureSequence>(st.s, st.env.storage, st.env.stateFolder);
    st.StartScan();
    st.PrepareDisplay();
}

void SaverForm::State::PrepareDisplay() {
    PrepareCaption();
    bool painted = false;
    {
        const ProcedureScope scope(procedure, kBackgroundErrorMessage);
        painted = PaintBackground(s, env.view, env.storage);
    }
    if (!painted || ended) {
        Fail(kBackgroundErrorMessage);
        return;
    }
    // The same background on every other monitor, laid out for that monitor. The slideshow's
    // own monitor has decided whether the run can go on.
    for (BackgroundCanvas* monitor : env.view.OtherMonitors()) {
        PaintBackground(s, *monitor, env.storage);
    }
    PrepareMusic();
    PrepareClock();
    browse = LeadingNumber(s.browseKeys) == 1.0;
    caption.box.top = 0;
    env.view.SetTimer(SaverTimer::StartSaver, kStartSaverMs, true);
}

void SaverForm::State::PrepareCaption() {
    SaverView& view = env.view;
    CaptionFont font;
    font.name = s.newFontName;
    font.sizePoints = static_cast<float>(LeadingNumber(s.newFontSize));
    font.bold = IsTrue(s.newFontBold);
    font.italic = IsTrue(s.newFontItalic);
    font.underline = IsTrue(s.newFontUnderline);
    font.strikethrough = IsTrue(s.newFontFontStrikethru);
    font.colour = ColourFromText(s.newFontForeColor);
    view.ShowCaption(false);
    view.SetCaptionFont(font);

    // The caption band: the height of the first real caption, which floating pictures keep out of.
    s.captionHeight = 0;
    caption.box.height = 0;
    for (int i = 0; i <= s.lastPictureIndex; ++i) {
        const std::string& text = s.captions[static_cast<size_t>(i)];
        if (text.empty() || text == " ") {
            continue;
        }
        const PixelSize size = view.SetCaptionText(text);
        caption.text = text;
        caption.box.height = static_cast<std::int64_t>(size.height) * ty;
        s.captionHeight = ToInt16Saturated(static_cast<double>(caption.box.height));
        break;
    }
    captionSource = CaptionSourceFrom(s.captionSource);
    if (s.captionHeight == 0 && captionSource != CaptionSource::Nothing) {
        MeasureCaptionBand();
    }
}

// Captions that come from the pictures themselves are not known ahead: the band is one line of
// the caption font.
void SaverForm::State::MeasureCaptionBand() {
    const PixelSize size = env.view.SetCaptionText("Ag");
    caption.box.height = static_cast<std::int64_t>(size.height) * ty;
    s.captionHeight = ToInt16Saturated(static_cast<double>(caption.box.height));
}

void SaverForm::State::PrepareMusic() {
    s.waveDeviceCount = ToInt16Saturated(env.host.WaveOutDeviceCount());
    music.mediaTotal = static_cast<int>(s.mediaPaths.size()) - 1;  // the spare aside
    music.mediaPaths.clear();
    for (int i = 0; i < music.mediaTotal; ++i) {
        const std::string& path = s.mediaPaths[static_cast<size_t>(i)];
        music.mediaPaths.push_back(path.empty() ? path : env.storage.ResolveProgramPath(path));
    }
    music.mediaPaths.emplace_back();
    music.randomMedia = LeadingNumber(s.randomMedia) == 1.0;
    if (s.waveDeviceCount > 0 && music.mediaTotal > 0) {
        s.mediaIndex = 0;
        env.view.SetTimer(SaverTimer::Media, kMediaFirstTickMs, true);
    }
}

void SaverForm::State::PrepareClock() {
    SaverView& view = env.view;
    const double timeDisplay = LeadingNumber(s.timeDisplay);
    const Colour foreColour = ColourFromText(s.newFontForeColor);
    if (timeDisplay == 1.0 || timeDisplay == 2.0) {
        const int width =
            static_cast<int>(RoundHalfEven(static_cast<double>(kClockWidthTwips) / tx));
        const int height =
            static_cast<int>(RoundHalfEven(static_cast<double>(kClockHeightTwips) / ty));
        view.ShowClock(true, {screenPx.width - width, screenPx.height - height, width, height},
                       foreColour);
        view.SetTimer(SaverTimer::Time, kTimeTimerMs, true);
    } else {
        view.ShowClock(false, {0, 0, 0, 0}, foreColour);
        view.SetTimer(SaverTimer::Time, kTimeTimerMs, false);
    }
}

// The first picture is decoded once it is picked (nothing is ahead of it) and shown when it
// arrives.
void SaverForm::State::StartSaver_Timer() {
    if (started) {
        return;
    }
    started = true;
    env.random.Randomize();
    s.currentIndex = -1;
    if (Floating()) {
        floatIntervalMs = FloatIntervalMs(s.picSpeed);
    }
    env.view.SetTimer(SaverTimer::StartSaver, kStartSaverMs, false);
    due = Due::FirstPicture;
    PickNextPicture();
    // A first picture not found yet is asked for when a scan finds it.
    WantPicture();
    StartMonitors();
}

// Each other monitor starts its own show at once (or follows the main one's pictures).
void SaverForm::State::StartMonitors() {
    const PicturesOn on = PicturesOnFrom(s.picturesOn);
    const std::vector<BackgroundCanvas*> others = env.view.OtherMonitors();
    if (on == PicturesOn::MainMonitor || others.empty()) {
        return;
    }
    lanes = std::make_unique<MonitorLanes>(env.view, env.clock, env.random, *sequence);
    MonitorLanes::Setup setup;
    setup.on = on;
    setup.order = static_cast<MonitorPlanner::Order>(sequence->Kind());
    setup.main = screenPx;
    for (BackgroundCanvas* monitor : others) {
        setup.monitors.push_back(
            {monitor->ScreenSize(), monitor->TwipsPerPixelX(), monitor->TwipsPerPixelY()});
    }
    setup.intervalMs = ChangesCome() ? std::max(0, ChangeIntervalMs(s.timeInterval)) : 0;
    setup.floating = Floating();
    setup.fraction = s.pictureFraction;
    setup.captionTwips = s.captionHeight;
    setup.fallback = env.storage.FallbackPicturePath();
    setup.readFacts = NeedsPhotoFacts(captionSource);
    setup.caption = [this](std::int32_t entry, const std::string& path, const PhotoFacts& facts) {
        const std::string typed = entry >= 0 && entry < static_cast<int>(s.captions.size())
                                      ? s.captions[static_cast<size_t>(entry)]
                                      : std::string();
        return PictureCaption(typed, captionSource, path, facts, env.clock);
    };
    setup.effect = [this] { return ChooseTransition(s, env.random); };
    const int tickMs = Floating() ? floatIntervalMs : kMonitorsTickMs;
    setup.tickMs = tickMs;
    // The main monitor's pictures are not for the others to take; with the same picture
    // everywhere, the new ones follow at once.
    TellMonitors();
    lanes->Prepare(std::move(setup));
    if (paused) {
        lanes->Pause(true);
    }
    if (lanes->Active()) {
        // Floating pictures step with the main one's pace; the turns are looked at as often.
        env.view.SetTimer(SaverTimer::Monitors, tickMs, true);
    }
}

// Every monitor covered again where it is now; a new monitor gets the theme's background and,
// once the show has started, the monitors' pictures start over on the monitors as they are.
void SaverForm::State::DisplayChanged() {
    SaverView& view = env.view;
    const auto added = view.RereadMonitors();
    view.CoverScreen();
    const bool resized = view.ScreenSize() != screenPx;
    if (resized) {
        MainResized();
    }
    if (added) {
        for (BackgroundCanvas* monitor : *added) {
            PaintBackground(s, *monitor, env.storage);
        }
    }
    if ((added || resized) && started && PicturesOnFrom(s.picturesOn) != PicturesOn::MainMonitor) {
        // Not stopped: stopping would stop the main monitor's decoding with them.
        lanes.reset();
        view.SetTimer(SaverTimer::Monitors, 0, false);
        StartMonitors();
    }
}

// The main monitor has another size: its background, clock, picture and caption are laid out
// for it again. The picture keeps its size until the next change fits the new screen.
void SaverForm::State::MainResized() {
    SaverView& view = env.view;
    screenPx = view.ScreenSize();
    screenW = static_cast<std::int64_t>(screenPx.width) * tx;
    screenH = static_cast<std::int64_t>(screenPx.height) * ty;
    PaintBackground(s, view, env.storage);
    PrepareClock();
    if (!s.pictureShown) {
        return;
    }
    if (Floating()) {
        // Where it floated, moved in from the edges it would now stand beyond.
        display.left = std::max<std::int64_t>(0, std::min(display.left, screenW - display.width));
        display.top = std::max<std::int64_t>(s.captionHeight,
                                             std::min(display.top, screenH - display.height));
    } else {
        CentreDisplay();
    }
    view.MoveDisplay(DisplayRect());
    ShowCaption();
}

// What the main monitor shows now and next, for the others.
void SaverForm::State::TellMonitors() {
    if (lanes) {
        const bool next = nextPicked && sequence->Known();
        lanes->MainShows(shownPath, s.pictureShown ? s.currentIndex : -1, displayPx,
                         next ? sequence->Path() : std::string(), next ? sequence->Entry() : -1);
    }
}

void SaverForm::State::ImageChangeTimer_Timer() {
    if (due != Due::Nothing || showing || paused) {
        return;
    }
    BeginChange(BrowseStep::Forward);
}

// A change to the sequence's next picture, or, with the browsing keys, to one shown before.
void SaverForm::State::BeginChange(BrowseStep step) {
    changeBack = history.Target(step);
    if (step == BrowseStep::Back && !changeBack) {
        return;
    }
    env.random.Randomize();
    if (Floating()) {
        ChooseFloatDirection();
    }
    changeStep = step;
    if (!paused) {
        // No further tick may start a change while this one waits for its picture or pauses.
        env.view.SetTimer(SaverTimer::ImageChange, kChangeGuardIntervalMs, true);
    }
    due = Due::Change;
    if (!changeBack && (!nextPicked || !sequence->Known())) {
        PickNextPicture();
    }
    WantDue();
    if (DueSettled()) {
        RunDueChange();
    }
    // Otherwise the change happens when its picture arrives (or a scan finds it).
}

bool SaverForm::State::DueSettled() const {
    if (changeBack) {
        return ahead.Settled(ShowHistory::Turn(*changeBack));
    }
    return sequence->Known() && ahead.Settled(static_cast<int>(sequence->Serial()));
}

void SaverForm::State::KeyDown(SaverKey key, bool repeated) {
    if (!browse || key == SaverKey::Other) {
        End();
        return;
    }
    // A browsing key held down acts once.
    if (repeated) {
        return;
    }
    if (key == SaverKey::Space) {
        TogglePause();
    } else {
        Browse(key == SaverKey::Right ? BrowseStep::Forward : BrowseStep::Back);
    }
}

// A key asks for the next or the previous picture now. While a change waits for its picture, a
// step the other way takes its place; while a picture is being put on screen, the last key
// pressed runs once it is there.
void SaverForm::State::Browse(BrowseStep step) {
    if (!started || due == Due::FirstPicture) {
        return;
    }
    if (showing) {
        queued = step;
        return;
    }
    if (due == Due::Change) {
        if (step == changeStep || (step == BrowseStep::Back && !history.Target(step))) {
            return;
        }
        due = Due::Nothing;
    }
    BeginChange(step);
}

void SaverForm::State::TogglePause() {
    paused = !paused;
    env.view.ShowPausedMark(paused);
    if (lanes) {
        lanes->Pause(paused);
    }
    if (paused) {
        env.view.SetTimer(SaverTimer::ImageChange, 0, false);
    } else if (started && due == Due::Nothing && !showing && ChangesCome()) {
        // The interval counts afresh from the resume; a change under way arms it when it ends.
        ArmChangeTimer();
    }
}

void SaverForm::State::ArmChangeTimer() {
    if (!paused) {
        env.view.SetTimer(SaverTimer::ImageChange, ChangeIntervalMs(s.timeInterval), true);
    }
}

void SaverForm::State::PictureDecoded(const DecodedPicture& picture) {
    if (lanes && lanes->Decoded(picture)) {
        return;
    }
    if (!ahead.Arrived(picture)) {
        return;
    }
    if (ahead.PassedBy()) {
        // A file in a folder that cannot be shown: the next one takes its turn.
        ahead.Take();
        sequence->PassBy(env.random);
        StartScan();
        WantPicture();
        return;
    }
    if (due != Due::Nothing) {
        RunDueChange();
    }
}

void SaverForm::State::FoldersScanned(const ScanNews& news) {
    if (sequence->Scanned(news, env.random, started)) {
        // The picture waited for is known now.
        if (due != Due::Nothing) {
            WantDue();
        } else {
            WantNextPicture();
        }
    }
    StartScan();
}

void SaverForm::State::StartScan() {
    if (std::optional<ScanRequest> request = sequence->TakeScan()) {
        env.view.ScanFolders(*request);
    }
}

void SaverForm::State::RunDueChange() {
    const Due running = due;
    const bool fromHistory = running == Due::Change && changeBack.has_value();
    due = Due::Nothing;
    s.currentIndex = fromHistory ? changeBack->picture.entry : sequence->Entry();
    shownPath = fromHistory ? changeBack->picture.path : sequence->Path();
    showing = true;
    const bool shown = ShowCurrentPicture();
    showing = false;
    if (!shown) {
        return;
    }
    Remember(fromHistory);
    ShowCaption();
    if (running == Due::FirstPicture) {
        FinishStart();
    } else {
        if (!fromHistory) {
            PickNextPicture();
        }
        WantNextPicture();
        // The next change counts from the end of this one.
        ArmChangeTimer();
    }
    TellMonitors();
    if (queued && !ended) {
        const BrowseStep step = *queued;
        queued.reset();
        Browse(step);
    }
}

// The picture now on screen: a step through what was shown, or the sequence's pick, which goes
// into the history.
void SaverForm::State::Remember(bool fromHistory) {
    if (fromHistory) {
        history.Moved(changeStep);
        return;
    }
    sequence->Shown();
    nextPicked = false;
    history.Shown({s.currentIndex, shownPath});
    StartScan();
}

void SaverForm::State::FinishStart() {
    if (ChangesCome()) {
        PickNextPicture();
        WantNextPicture();
        ArmChangeTimer();
    }
    if (Floating()) {
        ChooseFloatDirection();
    }
    // Otherwise the first picture stays for the whole run.
}

void SaverForm::State::WantPicture() {
    if (!sequence->Known()) {
        return;  // a scan is still to find it
    }
    // Asking for a picture is the start of showing it.
    const ProcedureScope scope(procedure, kShowPictureError);
    ahead.Want(static_cast<int>(sequence->Serial()), sequence->Path(),
               env.storage.FallbackPicturePath(), Fit(), sequence->FromFolder(),
               NeedsPhotoFacts(captionSource));
}

// A picture shown before is never passed by: a file gone since shows the fallback picture.
void SaverForm::State::WantShownBefore(const ShowHistory::Stop& stop) {
    const ProcedureScope scope(procedure, kShowPictureError);
    ahead.Want(ShowHistory::Turn(stop), stop.picture.path, env.storage.FallbackPicturePath(), Fit(),
               false, NeedsPhotoFacts(captionSource));
}

// The picture of the change under way.
void SaverForm::State::WantDue() {
    if (due == Due::Change && changeBack) {
        WantShownBefore(*changeBack);
    } else {
        WantPicture();
    }
}

// The picture of the next change, decoded while this one shows; none when no change comes. After
// stepping back, the next is the one shown after it.
void SaverForm::State::WantNextPicture() {
    if (ChangeIntervalMs(s.timeInterval) <= 0) {
        return;
    }
    if (const std::optional<ShowHistory::Stop> after = history.Target(BrowseStep::Forward)) {
        WantShownBefore(*after);
    } else if (nextPicked) {
        WantPicture();
    }
}

bool SaverForm::State::ShowCurrentPicture() {
    const ProcedureScope scope(procedure, kShowPictureError);
    SaverView& view = env.view;
    view.ShowCaption(false);
    view.ClearPictures();
    if (s.pictureShown && !RemovePicture()) {
        return false;
    }
    view.ShowDisplay(false);
    if (!PlaceReadyPicture()) {
        return false;
    }

    const TwipsSize size{display.width, display.height};
    if (Floating() && s.pictureShown) {
        const TwipsPoint p = FloatingPlacement({display.left, display.top}, size, screenW, screenH);
        display.left = p.left;
        display.top = p.top;
    } else {
        CentreDisplay();
    }
    view.MoveDisplay(DisplayRect());
    view.ShowDisplay(true);
    if (lanes) {
        lanes->MainChanging(shownPath, s.currentIndex);
    }

    if (!Transition()) {
        Fail(kShowPictureError);
        return false;
    }
    view.CommitDisplay();
    s.pictureShown = true;
    view.SetTimer(SaverTimer::Float, floatIntervalMs, true);
    return true;
}

// The picture decoded for this turn into the load surface, sized for the screen. A turn with
// neither its picture nor the fallback ends the run as a failed load (the fallback is missing)
// or a failed scaling (it is there but cannot be shown) did.
bool SaverForm::State::PlaceReadyPicture() {
    const PictureTurn turn = ahead.Take();
    if (turn.kind == PictureTurn::FallbackNotShown) {
        Fail(kScalePictureError);
        return false;
    }
    if (turn.kind != PictureTurn::Ready || !env.view.PlaceDecodedPicture(turn.ticket)) {
        Fail(kShowPictureError);
        return false;
    }
    displayPx = turn.size;
    shownFacts = turn.facts;
    display.width = static_cast<std::int64_t>(turn.size.width) * tx;
    display.height = static_cast<std::int64_t>(turn.size.height) * ty;
    return true;
}

bool SaverForm::State::RemovePicture() {
    const ProcedureScope scope(procedure, kRemovePictureError);
    SaverView& view = env.view;
    view.SetTimer(SaverTimer::Float, floatIntervalMs, false);
    if (!view.GrabBackgroundPatch(DisplayRect())) {
        Fail(kRemovePictureError);
        return false;
    }
    if (!Transition()) {
        Fail(kRemovePictureError);
        return false;
    }
    view.CommitDisplay();
    view.ShowCaption(false);
    view.PumpEvents(kRemovePauseSeconds);
    // Input during the pause may have ended the run.
    return !ended;
}

void SaverForm::State::ShowCaption() {
    const int index = s.currentIndex;
    const std::string typed = index >= 0 && index < static_cast<int>(s.captions.size())
                                  ? s.captions[static_cast<size_t>(index)]
                                  : std::string();
    const std::string text = PictureCaption(typed, captionSource, shownPath, shownFacts, env.clock);
    orvelle::ShowCaption(env.view, caption, text, s.scroll, screenW, tx, ty);
}

void SaverForm::State::FloatTimer_Timer() {
    if (FloatPicture(display, s.floatStepX, s.floatStepY, screenW, screenH, s.captionHeight)) {
        env.view.MoveDisplay(DisplayRect());
    }
}

void SaverForm::State::ScrollerTimer_Timer() {
    ScrollCaption(env.view, caption, s.scrollSpeed, screenW, tx, ty);
}

void SaverForm::State::timeTimer_Timer() {
    if (clockStopped) {
        return;
    }
    const ClockTickResult tick =
        TimeTimerTick(static_cast<int>(LeadingNumber(s.timeDisplay)), s.countdownTarget, env.clock);
    if (tick.text) {
        env.view.SetClockText(*tick.text);
    }
    if (tick.stopTimer) {
        // The countdown has passed: the line keeps its last text for the rest of the run.
        clockStopped = true;
        env.view.SetTimer(SaverTimer::Time, kTimeTimerMs, false);
    }
}

void SaverForm::State::mediaTimer_Timer() {
    const int next = MediaTimerTick(env.mediaPlayer, env.random, music, s.mediaIndex);
    env.view.SetTimer(SaverTimer::Media, next, true);
}

void SaverForm::OnTimer(SaverTimer timer) {
    State& st = *state_;
    if (st.ended) {
        return;
    }
    st.Guarded(nullptr, [&st, timer] { st.Tick(timer); });
}

void SaverForm::State::Tick(SaverTimer timer) {
    State& st = *this;
    switch (timer) {
        case SaverTimer::StartSaver:
            st.StartSaver_Timer();
            break;
        case SaverTimer::ImageChange:
            if (st.started) {
                st.ImageChangeTimer_Timer();
            }
            break;
        case SaverTimer::Float:
            st.FloatTimer_Timer();
            break;
        case SaverTimer::Scroller:
            st.ScrollerTimer_Timer();
            break;
        case SaverTimer::Time:
            st.timeTimer_Timer();
            break;
        case SaverTimer::Media:
            st.mediaTimer_Timer();
            break;
        case SaverTimer::Monitors:
            if (st.lanes) {
                st.lanes->Tick();
            }
            break;
    }
}

void SaverForm::PictureDecoded(const DecodedPicture& picture) {
    State& st = *state_;
    if (st.ended) {
        return;
    }
    st.Guarded(nullptr, [&st, &picture] { st.PictureDecoded(picture); });
}

void SaverForm::FoldersScanned(const ScanNews& news) {
    State& st = *state_;
    if (st.ended || !st.sequence) {
        return;
    }
    st.Guarded(nullptr, [&st, &news] { st.FoldersScanned(news); });
}

void SaverForm::DisplayChanged() {
    State& st = *state_;
    if (!st.ended) {
        st.Guarded(nullptr, [&st] { st.DisplayChanged(); });
    }
}

void SaverForm::Form_KeyDown(SaverKey key, bool repeated) {
    if (!state_->ended) {
        state_->Guarded(state_->procedure,
                        [this, key, repeated] { state_->KeyDown(key, repeated); });
    }
}

void SaverForm::Form_MouseDown() {
    if (!state_->ended) {
        state_->Guarded(state_->procedure, [this] { state_->End(); });
    }
}

void SaverForm::DisplayingPicture_KeyDown(SaverKey key, bool repeated) {
    Form_KeyDown(key, repeated);
}

void SaverForm::Form_MouseMove(float xTwips, float yTwips) {
    if (!state_->ended) {
        state_->Guarded(state_->procedure, [this, xTwips, yTwips] {
            state_->Moved(state_->formTracker, xTwips, yTwips);
        });
    }
}

void SaverForm::DisplayingPicture_MouseMove(float xPixels, float yPixels) {
    if (!state_->ended) {
        state_->Guarded(state_->procedure, [this, xPixels, yPixels] {
            state_->Moved(state_->pictureTracker, xPixels, yPixels);
        });
    }
}

}  // namespace orvelle
