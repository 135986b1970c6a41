#include "saver/saver_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>

#include "fake_saver_view.h"
#include "overlays/background.h"
#include "settings/folder_scan.h"
#include "settings/memory_file_system.h"
#include "settings/theme_storage.h"

namespace orvelle {
namespace {

using saver_test::FakeMci;
using saver_test::FakeMonitor;
using saver_test::FakeRegistry;
using saver_test::FakeSaverClock;
using saver_test::FakeSaverHost;
using saver_test::FakeSaverView;
using saver_test::RectText;
using saver_test::ScriptedRandom;

using Log = std::vector<std::string>;

const char* const kGlobal = "C:\\Orv\\orvellemain.ini";
const char* const kTheme = "C:\\Orv\\orvellesaver\\Test.ini";
const char* const kState = "C:\\Users\\u\\Local\\Orvelle Screen Saver\\";

class Form : public ::testing::Test {
  protected:
    Form() : storage(files, "C:\\Orv"), view(&clock) {
        files.Put(kGlobal, "[saver]\r\ncurrentsaver=Test\r\n[mouse]\r\nmouseSensitivity=30\r\n");
        theme["total"] = {{"total", "3"}, {"mediaTotal", "0"}};
        theme["images"] = {{"0", "C:\\p\\0.jpg"}, {"1", "C:\\p\\1.jpg"}, {"2", "C:\\p\\2.jpg"}};
        theme["caption"] = {{"0", ""}, {"1", "Two"}, {"2", " "}};
        theme["image"] = {{"randomPick", "0"},   {"picSpeed", "2"},        {"timeInterval", "10"},
                          {"picRandom", "cent"}, {"picturePercent", "90"}, {"timeDisplay", "0"},
                          {"randomMedia", "0"}};
        theme["background"] = {{"backEffect", "0"}, {"newBackColor", "0"}};
        theme["font"] = {{"newFontName", "Arial"},
                         {"newFontSize", "12"},
                         {"scroll", "1"},
                         {"scrollSpeed", "100"},
                         {"newFontForeColor", "65535"}};
        theme["transitions"] = {{"bStandard", "1"}};
        view.pictures["C:\\p\\0.jpg"] = {300, 200};
        view.pictures["C:\\p\\1.jpg"] = {200, 300};
        view.pictures["C:\\p\\2.jpg"] = {400, 100};
    }

    SaverForm& Load() {
        std::string text;
        for (const auto& [section, keys] : theme) {
            text += "[" + section + "]\r\n";
            for (const auto& [key, value] : keys) {
                text += key + "=" + value + "\r\n";
            }
        }
        files.Put(kTheme, text);
        form = std::make_unique<SaverForm>(SaverEnvironment{view, host, storage, registry, clock,
                                                            random, player, platformId, kState});
        form->Form_Load();
        return *form;
    }
    // Answers every decode request so far, as the decoding side would, in order.
    void Deliver() {
        while (!view.requests.empty()) {
            const PictureRequest request = view.requests.front();
            view.requests.pop_front();
            form->PictureDecoded(view.AnswerTo(request));
        }
    }
    // Runs the scans asked for so far, as the worker would, handing their news to the form.
    void Scan() {
        struct Sink : ScanSink {
            SaverForm* form;
            void Hand(ScanNews news) override { form->FoldersScanned(news); }
            bool KeepGoing() override { return true; }
        } sink;
        sink.form = form.get();
        while (!view.scans.empty()) {
            const ScanRequest request = view.scans.front();
            view.scans.pop_front();
            RunFolderScan(files, request, PictureExtensions({".jpg", ".png"}), sink);
        }
    }
    // A timer's tick, with the decoding side keeping up.
    void Tick(SaverTimer timer) {
        form->OnTimer(timer);
        Deliver();
    }
    // Loads and runs the start timer; the log then holds only what came after.
    SaverForm& Started() {
        Load();
        view.log.clear();
        Tick(SaverTimer::StartSaver);
        return *form;
    }
    void OnlyTransition(const std::string& flag) {
        theme["transitions"] = {{"bStandard", "0"}, {flag, "1"}};
    }
    std::vector<std::string> Loaded() const { return view.LogStartingWith("Decode"); }

    MemoryFileSystem files;
    ThemeStorage storage;
    FakeSaverClock clock;
    FakeSaverView view;
    FakeSaverHost host;
    FakeRegistry registry;
    ScriptedRandom random;
    FakeMci mci;
    Mmedia player{mci, clock};
    std::int32_t platformId = 2;
    std::map<std::string, std::map<std::string, std::string>> theme;
    std::unique_ptr<SaverForm> form;
};

TEST_F(Form, LoadPreparesTheWindowAndArmsTheStart) {
    Load();
    EXPECT_EQ(view.log.front(), "CoverScreen");
    EXPECT_EQ(registry.queries, (Log{"Control Panel\\Desktop|ScreenSaveUsePassword"}));
    EXPECT_EQ(view.LogStartingWith("Solid"), (Log{"Solid 0"}));
    EXPECT_EQ(view.log.back(), "Timer StartSaver 500");
    EXPECT_EQ(view.font.name, "Arial");
    EXPECT_EQ(view.font.sizePoints, 12.0f);
    EXPECT_EQ(view.font.colour, 65535u);
    // The caption band is the height of the first caption that is not "" or " ".
    EXPECT_EQ(form->Settings().captionHeight, 300);
    EXPECT_EQ(view.LogStartingWith("HideClock").size(), 1u);
    EXPECT_EQ(view.timers[SaverTimer::Time], -1);
    EXPECT_EQ(view.timers.count(SaverTimer::Media), 0u);
    EXPECT_EQ(view.timers.count(SaverTimer::ImageChange), 0u);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(Form, NoCaptionAnywhereGivesNoCaptionBand) {
    theme["caption"] = {{"0", " "}, {"1", ""}};
    Load();
    EXPECT_EQ(form->Settings().captionHeight, 0);
}

TEST_F(Form, PasswordOn9xTellsTheSystemASaverRuns) {
    platformId = 1;
    registry.value = RegistryValue{4, std::string("\x01\x00\x00\x00", 4)};  // DWORD 1 -> "001"
    Load();
    EXPECT_EQ(host.log, (Log{"SaverRunning on"}));

    FakeSaverHost ntHost;
    platformId = 2;
    SaverForm nt(SaverEnvironment{view, ntHost, storage, registry, clock, random, player, 2, ""});
    nt.Form_Load();
    EXPECT_TRUE(ntHost.log.empty());
}

TEST_F(Form, ClockSitsInTheBottomRightCornerAndStopsWhenTheCountdownHasPassed) {
    theme["image"]["timeDisplay"] = "2";
    theme["date"] = {{"countdownMonth", "01"}, {"countdownDay", "01"}, {"countdownYear", "2000"}};
    Load();
    EXPECT_EQ(view.LogStartingWith("ShowClock"), (Log{"ShowClock 615,743,409,25 65535"}));
    EXPECT_EQ(view.timers[SaverTimer::Time], 100);
    form->OnTimer(SaverTimer::Time);
    EXPECT_EQ(view.timers[SaverTimer::Time], -1);
    EXPECT_EQ(view.clockText, "");
}

TEST_F(Form, ClockTicksSetTheText) {
    theme["image"]["timeDisplay"] = "1";
    Load();
    form->OnTimer(SaverTimer::Time);
    EXPECT_EQ(view.clockText, "clock text");
    EXPECT_EQ(view.timers[SaverTimer::Time], 100);
}

TEST_F(Form, MusicNeedsADeviceAndAFile) {
    theme["total"]["mediaTotal"] = "1";
    theme["multimedia"] = {{"0", "music\\tune.mid"}};
    Load();
    EXPECT_EQ(view.timers.count(SaverTimer::Media), 0u);  // no wave-output device

    host.waveDevices = 1;
    view.timers.clear();
    Load();
    EXPECT_EQ(view.timers[SaverTimer::Media], 1000);
    form->OnTimer(SaverTimer::Media);
    EXPECT_EQ(view.timers[SaverTimer::Media], 2500);
    // The bundled theme names its music relative to the program folder.
    ASSERT_FALSE(mci.sent.empty());
    EXPECT_NE(mci.sent.front().find("C:\\Orv\\music\\tune.mid"), std::string::npos);
}

TEST_F(Form, StartShowsTheFirstPictureCentredAndDecodesTheNextOne) {
    Started();
    EXPECT_EQ(view.log,
              (Log{"Timer StartSaver off", "Decode C:\\p\\0.jpg", "HideCaption", "ClearPictures",
                   "HideDisplay", "Place 300x200", "MoveDisplay 362,284,300,200", "ShowDisplay",
                   "Commit", "Commit", "Timer Float 100", "HideCaption", "MoveCaption 505,0,13,0",
                   "ShowCaption", "Decode C:\\p\\1.jpg", "Timer ImageChange 10000"}));
    EXPECT_EQ(form->Settings().currentIndex, 0);  // the entry on screen
    EXPECT_TRUE(form->Settings().pictureShown);
    EXPECT_EQ(random.reseeds, 4);  // start, pick, effect choice, pick
}

TEST_F(Form, ChangeTicksWipeTheOldPictureAndShowTheNextInListOrder) {
    Started();
    view.log.clear();
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(view.log, (Log{"Timer ImageChange 60000",
                             "HideCaption",
                             "ClearPictures",
                             "Timer Float off",
                             "GrabPatch 362,284,300,200",
                             "Commit",
                             "Commit",
                             "HideCaption",
                             "Pump 0.3",
                             "HideDisplay",
                             "Place 200x300",
                             "MoveDisplay 412,234,200,300",
                             "ShowDisplay",
                             "Commit",
                             "Commit",
                             "Timer Float 100",
                             "HideCaption",
                             "MoveCaption 494,0,34,20",
                             "ShowCaption",
                             "Decode C:\\p\\2.jpg",
                             "Timer ImageChange 10000"}));
    Tick(SaverTimer::ImageChange);
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(Loaded(), (Log{"Decode C:\\p\\2.jpg", "Decode C:\\p\\0.jpg", "Decode C:\\p\\1.jpg"}));
    EXPECT_EQ(view.LogStartingWith("Place"),
              (Log{"Place 200x300", "Place 400x100", "Place 300x200"}));
}

TEST_F(Form, RandomOrderDrawsEveryPicture) {
    theme["image"]["randomPick"] = "1";
    theme["transitions"] = {{"bStandard", "0"}};  // no draws for effects
    random.draws = {0.7f, 0.0f, 0.4f, 0.7f};
    Started();
    Tick(SaverTimer::ImageChange);
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(Loaded(), (Log{"Decode C:\\p\\2.jpg", "Decode C:\\p\\0.jpg", "Decode C:\\p\\1.jpg",
                             "Decode C:\\p\\2.jpg"}));
}

TEST_F(Form, NeverChangingCentredPictureArmsNoChangeTimer) {
    theme["image"]["timeInterval"] = "0";
    Started();
    EXPECT_EQ(view.timers.count(SaverTimer::ImageChange), 0u);
    EXPECT_EQ(form->Settings().currentIndex, 0);

    // Floating: the change timer runs with interval 0, which never fires.
    theme["image"]["picRandom"] = "rand";
    view.timers.clear();
    Started();
    EXPECT_EQ(view.timers[SaverTimer::ImageChange], 0);
}

TEST_F(Form, FloatingPictureDriftsAndTheNextStartsWhereItStood) {
    theme["image"]["picRandom"] = "rand";
    theme["image"]["picSpeed"] = "5";
    view.pictures["C:\\p\\1.jpg"] = {600, 500};
    Started();
    EXPECT_EQ(view.display, (PixelRect{362, 284, 300, 200}));  // the first one starts centred
    EXPECT_EQ(view.timers[SaverTimer::Float], 10);
    for (int i = 0; i < 100; ++i) {
        form->OnTimer(SaverTimer::Float);
    }
    EXPECT_EQ(view.display, (PixelRect{462, 384, 300, 200}));  // one pixel down-right a tick
    Tick(SaverTimer::ImageChange);
    // Kept where the old one stood, pulled back inside the right and bottom edges.
    EXPECT_EQ(view.display, (PixelRect{424, 268, 600, 500}));
}

TEST_F(Form, SquarePictureOnA4By3ScreenFitsItsHeight) {
    theme["image"]["picturePercent"] = "100";
    view.pictures["C:\\p\\0.jpg"] = {2000, 2000};
    Started();
    // 99 % of 11520 twips is 11405 twips, 760 whole pixels.
    EXPECT_EQ(view.LogStartingWith("Place"), (Log{"Place 760x760"}));
    EXPECT_EQ(view.display, (PixelRect{132, 4, 760, 760}));
}

TEST_F(Form, FiftyMegapixelPictureIsShownLikeAnyOther) {
    theme["image"]["picturePercent"] = "99";
    view.screen = {1920, 1080};
    view.pictures["C:\\p\\0.jpg"] = {8660, 5773};
    Started();
    EXPECT_EQ(view.LogStartingWith("Place"), (Log{"Place 1604x1069"}));
    EXPECT_EQ(view.display, (PixelRect{158, 5, 1604, 1069}));
    EXPECT_FALSE(form->Ended());
    EXPECT_TRUE(host.log.empty());
}

TEST_F(Form, PicturesNamedRelativeToTheProgramFolder) {
    theme["images"]["0"] = "samples\\harbour.jpg";
    view.pictures["C:\\Orv\\samples\\harbour.jpg"] = {100, 100};
    Started();
    EXPECT_EQ(Loaded().front(), "Decode C:\\Orv\\samples\\harbour.jpg");
}

// A folder entry stands for the pictures below it, its caption for each; the first waits for
// the scan to find it, a file there that cannot be shown is passed by, and the next run starts
// from the cache and walks the tree once its first picture shows.
TEST_F(Form, FolderEntryShowsItsPicturesFoundByTheScan) {
    theme["images"] = {{"0", "D:\\Photos\\"}, {"1", "C:\\p\\1.jpg"}};
    theme["caption"] = {{"0", "Holiday"}, {"1", ""}};
    theme["total"]["total"] = "2";
    for (const char* name : {"2019\\a.jpg", "2019\\bad.png", "b.jpg", "notes.txt"}) {
        files.Put(std::string("D:\\Photos\\") + name, "picture");
        view.pictures[std::string("D:\\Photos\\") + name] = {100, 100};
    }
    view.blankPictures = {"D:\\Photos\\2019\\bad.png"};
    Load();
    EXPECT_EQ(view.LogStartingWith("Scan"), Log{"Scan 1 cache"});
    Tick(SaverTimer::StartSaver);
    EXPECT_TRUE(Loaded().empty());  // nothing found yet
    Scan();
    Deliver();
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(Loaded(), (Log{"Decode D:\\Photos\\2019\\a.jpg", "Decode D:\\Photos\\2019\\bad.png",
                             "Decode D:\\Photos\\b.jpg", "Decode C:\\p\\1.jpg"}));
    EXPECT_EQ(view.captionText, "Holiday");
    EXPECT_EQ(form->Settings().currentIndex, 0);
    EXPECT_EQ(form->Library().SkippedFiles(), 1);
    EXPECT_NE(files.Get(std::string(kState) + "Test.scan"), "");

    view.log.clear();
    Load();
    Tick(SaverTimer::StartSaver);
    Scan();  // the cache, at once
    EXPECT_EQ(Loaded(), Log{"Decode D:\\Photos\\2019\\a.jpg"});
    Deliver();
    EXPECT_EQ(view.LogStartingWith("Scan"), (Log{"Scan 1 cache", "Scan 2 walk"}));
}

TEST_F(Form, MissingPictureShowsTheFallback) {
    theme["images"]["0"] = "C:\\gone.jpg";
    view.pictures["C:\\Orv\\orvellenotfound.gif"] = {100, 80};
    Started();
    EXPECT_EQ(Loaded(), (Log{"Decode C:\\gone.jpg", "Decode C:\\Orv\\orvellenotfound.gif",
                             "Decode C:\\p\\1.jpg"}));
    EXPECT_FALSE(form->Ended());
}

TEST_F(Form, MissingFallbackEndsTheRunWithErrorCode1) {
    platformId = 1;
    registry.value = RegistryValue{1, std::string("1\0", 2)};
    theme["images"]["0"] = "C:\\gone.jpg";
    Started();
    EXPECT_EQ(host.log, (Log{"SaverRunning on", "SaverRunning off", "ShowTaskbar", "Unload",
                             std::string("Message ") + kShowPictureError, "EndProgram"}));
    EXPECT_TRUE(form->Ended());
    // Nothing runs after the end.
    view.log.clear();
    Tick(SaverTimer::ImageChange);
    form->OnTimer(SaverTimer::Float);
    form->Form_KeyDown();
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(host.ends, 1);
}

TEST_F(Form, PictureThatCannotBeShownTakesTheFallbackForItsTurnAndTheShowGoesOn) {
    view.pictures["C:\\Orv\\orvellenotfound.gif"] = {100, 80};
    view.blankPictures = {"C:\\p\\1.jpg"};  // too large, damaged, or no pixels at all
    Started();
    EXPECT_EQ(Loaded(), (Log{"Decode C:\\p\\0.jpg", "Decode C:\\p\\1.jpg",
                             "Decode C:\\Orv\\orvellenotfound.gif"}));
    EXPECT_EQ(view.LogStartingWith("Place"), (Log{"Place 300x200"}));  // nothing before its turn
    Tick(SaverTimer::ImageChange);
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(view.LogStartingWith("Place"),
              (Log{"Place 300x200", "Place 100x80", "Place 400x100"}));
    EXPECT_FALSE(form->Ended());
    EXPECT_TRUE(host.log.empty());
}

TEST_F(Form, ALatePictureHoldsTheChangeUntilItArrivesAndTheNextCountsFromThere) {
    Load();
    form->OnTimer(SaverTimer::StartSaver);
    form->PictureDecoded(view.AnswerTo(view.requests.front()));  // only the first picture is quick
    view.requests.pop_front();
    view.log.clear();
    form->OnTimer(SaverTimer::ImageChange);
    form->OnTimer(SaverTimer::ImageChange);  // the guard's tick, had the decode taken a minute
    // The old picture stays as it is; no second change starts.
    EXPECT_EQ(view.log, (Log{"Timer ImageChange 60000"}));
    Deliver();
    EXPECT_EQ(view.LogStartingWith("Place"), (Log{"Place 200x300"}));
    EXPECT_EQ(view.log.back(), "Timer ImageChange 10000");
    EXPECT_EQ(view.LogStartingWith("Timer ImageChange").size(), 2u);
}

TEST_F(Form, FailureWhileWipingAwayEndsWithErrorCode2) {
    Started();
    view.grabSucceeds = false;
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", std::string("Message ") + kRemovePictureError,
                             "EndProgram"}));
    EXPECT_EQ(Loaded().size(), 2u);
}

TEST_F(Form, FailedEffectWhileShowingEndsWithErrorCode1) {
    OnlyTransition("bLeftWipe");
    view.copySucceeds = false;
    Started();
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", std::string("Message ") + kShowPictureError,
                             "EndProgram"}));
}

TEST_F(Form, BackgroundFailureEndsBeforeTheShowStarts) {
    theme["background"]["backEffect"] = "";
    Load();
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload",
                             std::string("Message ") + kBackgroundErrorMessage, "EndProgram"}));
    EXPECT_EQ(view.timers.count(SaverTimer::StartSaver), 0u);
    form->OnTimer(SaverTimer::StartSaver);
    EXPECT_TRUE(Loaded().empty());
}

TEST_F(Form, OneEnabledEffectRunsForBothWipeOutAndReveal) {
    OnlyTransition("bCenter");
    view.hurryAfterFrames = 0;  // each effect in one frame: only its last, covering step is drawn
    Started();
    EXPECT_EQ(view.copies, (std::vector<PixelRect>{{0, -1, 300, 201}}));
    Tick(SaverTimer::ImageChange);
    // Wipe-out over the old 300 x 200 place, then the 200 x 300 reveal ending at (200, 299).
    EXPECT_EQ(view.copies,
              (std::vector<PixelRect>{{0, -1, 300, 201}, {0, -1, 300, 201}, {0, 0, 200, 299}}));
}

TEST_F(Form, WidePicturesWipeTwoPixelsAStep) {
    OnlyTransition("bLeftWipe");
    view.pictures["C:\\p\\0.jpg"] = {600, 100};  // 9000 twips
    Started();
    // Each frame copies what the wipe newly uncovered, two pixels a step: the strips follow one
    // another from an odd first width to the last column but one.
    ASSERT_FALSE(view.copies.empty());
    EXPECT_EQ(view.copies.front().width % 2, 1);
    int right = 0;
    for (const PixelRect& r : view.copies) {
        EXPECT_EQ(r.left, right);
        EXPECT_EQ((r.left + r.width) % 2, 1);
        right = r.left + r.width;
    }
    EXPECT_EQ(right, 599);
}

TEST_F(Form, AllFlagsZeroShowsWithoutEffect) {
    theme["transitions"] = {{"bStandard", "0"}, {"bFade", "0"}};
    Started();
    Tick(SaverTimer::ImageChange);
    EXPECT_TRUE(view.copies.empty());
    EXPECT_EQ(view.frames, 0);
}

TEST_F(Form, KeyDuringThePauseEndsTheRunAndTheChangeStops) {
    Started();
    view.onPump = [this] { form->Form_KeyDown(); };
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
    EXPECT_EQ(view.LogStartingWith("Place").size(), 1u);
    EXPECT_EQ(view.log.back(), "StopDecoding");
}

TEST_F(Form, ScrollingCaptionRuns) {
    theme["font"]["scroll"] = "0";
    theme["caption"]["0"] = "Hello";
    Started();
    EXPECT_EQ(view.timers[SaverTimer::Scroller], 100);
    EXPECT_EQ(view.caption.left, 1024);
    form->OnTimer(SaverTimer::Scroller);
    EXPECT_EQ(view.caption.left, 1017);  // 100 twips left
}

TEST_F(Form, MovementBeyondTheThresholdEndsTheRun) {
    Started();
    form->Form_MouseMove(100, 100);             // first event on the window: not counted
    form->DisplayingPicture_MouseMove(10, 10);  // first event on the picture: not counted
    EXPECT_TRUE(host.log.empty());
    form->DisplayingPicture_MouseMove(12, 12);  // 2 pixels: not a move
    EXPECT_TRUE(host.log.empty());
    form->Form_MouseMove(115, 100);  // threshold 1 (slider 30)
    EXPECT_EQ(host.log.back(), "EndProgram");
    EXPECT_EQ(host.log[host.log.size() - 4], "ShowPointer 6");
    EXPECT_TRUE(form->Ended());
}

TEST_F(Form, ClickEndsTheRunOnce) {
    Started();
    form->Form_MouseDown();
    form->Form_MouseDown();
    form->DisplayingPicture_KeyDown();
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
}

TEST_F(Form, WrongPasswordKeepsTheShowGoing) {
    platformId = 1;
    registry.value = RegistryValue{1, std::string("1\0", 2)};
    host.passwordRight = false;
    Started();
    form->Form_KeyDown();
    EXPECT_FALSE(form->Ended());
    EXPECT_EQ(host.log,
              (Log{"SaverRunning on", "VerifyPassword", "Pointer 15372,11532", "ShowSaverWindow"}));
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(view.LogStartingWith("Place").size(), 2u);
}

TEST_F(Form, EmptyThemeFallsBackInsteadOfFailing) {
    theme.clear();
    theme["background"] = {{"backEffect", "0"}, {"newBackColor", "0"}};
    view.pictures["C:\\Orv\\orvellenotfound.gif"] = {100, 80};
    Started();
    EXPECT_FALSE(form->Ended());
    EXPECT_EQ(Loaded(), (Log{"Decode C:\\Orv\\orvellenotfound.gif"}));
}

TEST_F(Form, ABlankFallbackEndsTheRunWithErrorCode3AtItsTurnNotBefore) {
    view.blankPictures = {"C:\\p\\0.jpg"};
    view.pictures["C:\\Orv\\orvellenotfound.gif"] = {100, 80};
    Started();
    EXPECT_EQ(view.LogStartingWith("Place"), (Log{"Place 100x80"}));
    view.blankPictures.insert({"C:\\Orv\\orvellenotfound.gif", "C:\\p\\2.jpg"});
    Tick(SaverTimer::ImageChange);  // picture 1 is fine; 2 and its fallback are decoded ahead
    EXPECT_TRUE(host.log.empty());
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", std::string("Message ") + kScalePictureError,
                             "EndProgram"}));
}

TEST_F(Form, KeyWhileAPictureDecodesEndsTheRunAtOnceAndItsAnswerIsDropped) {
    Load();
    form->OnTimer(SaverTimer::StartSaver);  // the first picture is being decoded
    view.log.clear();
    form->Form_KeyDown();
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
    EXPECT_EQ(view.log, (Log{"StopDecoding"}));
    Deliver();
    EXPECT_EQ(view.log, (Log{"StopDecoding"}));
    EXPECT_EQ(host.ends, 1);
}

TEST_F(Form, ExceptionsInEventsEndTheRunWithTheirProcedureMessage) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        Log expected;
    };
    const auto throwing = [](const std::string&) { throw std::bad_alloc(); };
    const Case cases[] = {
        {"while loading a picture", [&] { view.onLoadPicture = throwing; },
         Log{"ShowTaskbar", "Unload", std::string("Message ") + kShowPictureError, "EndProgram"}},
        {"while painting the background",
         [&] {
             theme["background"] = {
                 {"backEffect", "2"}, {"backgroundDisplay", "1"}, {"backgroundImage", "C:\\b.bmp"}};
             view.onLoadPicture = throwing;
         },
         Log{"ShowTaskbar", "Unload", std::string("Message ") + kBackgroundErrorMessage,
             "EndProgram"}},
        {"while wiping away", [&] { view.onPump = [] { throw std::runtime_error("x"); }; },
         Log{"ShowTaskbar", "Unload", std::string("Message ") + kRemovePictureError, "EndProgram"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.log.clear();
        host.ends = 0;
        view.onLoadPicture = nullptr;
        view.onPump = nullptr;
        c.arrange();
        Started();
        Tick(SaverTimer::ImageChange);
        EXPECT_EQ(host.log, c.expected);
        EXPECT_EQ(host.ends, 1);
        EXPECT_TRUE(form->Ended());
        theme["background"] = {{"backEffect", "0"}, {"newBackColor", "0"}};
    }
}

TEST_F(Form, ExceptionOutsideAnyProcedureEndsTheRunQuietly) {
    theme["image"]["timeDisplay"] = "1";
    Started();
    clock.onNow = [] { throw std::bad_alloc(); };
    form->OnTimer(SaverTimer::Time);
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
    EXPECT_TRUE(form->Ended());
}

TEST_F(Form, PicturesWithoutATypedCaptionShowTheChosenFactOfTheirOwn) {
    theme["font"]["captionSource"] = "1";
    PhotoFacts dated;
    dated.dateTimeOriginal = "2019:07:14 10:30:00";
    view.facts["C:\\p\\0.jpg"] = dated;
    view.facts["C:\\p\\1.jpg"] = dated;
    Started();
    EXPECT_EQ(view.captionText, "14/7/2019");
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(view.captionText, "Two");  // typed: it wins
    Tick(SaverTimer::ImageChange);
    EXPECT_EQ(view.captionText, "");  // " " is no caption; no date anywhere
    // The fallback picture tells nothing of the missing one.
    theme["font"]["captionSource"] = "3";
    theme["caption"]["0"] = "";
    theme["images"]["0"] = "pics\\gone.jpg";
    view.pictures["C:\\Orv\\orvellenotfound.gif"] = {100, 80};
    Started();
    EXPECT_EQ(view.captionText, "pics");
}

TEST_F(Form, ChosenFactsAreReadWithTheDecodeAndKeepACaptionBand) {
    struct Case {
        const char* source;
        bool readFacts;
        int band;
    };
    for (const Case& c :
         {Case{"", false, 0}, Case{"0", false, 0}, Case{"2", false, 300}, Case{"4", true, 300}}) {
        theme["font"]["captionSource"] = c.source;
        theme["caption"] = {{"0", ""}, {"1", ""}, {"2", " "}};
        Load();
        form->OnTimer(SaverTimer::StartSaver);
        ASSERT_FALSE(view.requests.empty());
        EXPECT_EQ(view.requests.back().readFacts, c.readFacts) << c.source;
        EXPECT_EQ(form->Settings().captionHeight, c.band) << c.source;
        Deliver();
    }
}

TEST_F(Form, BrowsingKeysStepThroughThePicturesAndSpacePausesTheChanges) {
    theme["image"]["browseKeys"] = "1";
    Started();
    const auto placed = [this] { return view.LogStartingWith("Place"); };
    form->Form_KeyDown(SaverKey::Right);  // picture 1 now, decoded ahead
    Deliver();
    form->Form_KeyDown(SaverKey::Right, true);  // held down: nothing more
    Deliver();
    EXPECT_EQ(placed(), (Log{"Place 300x200", "Place 200x300"}));
    EXPECT_EQ(view.timers[SaverTimer::ImageChange], 10000);  // counted from this change
    form->Form_KeyDown(SaverKey::Left);
    Deliver();
    form->DisplayingPicture_KeyDown(SaverKey::Left);  // nothing shown before the first
    Deliver();
    form->Form_KeyDown(SaverKey::Right);  // forward again through what was shown
    Deliver();
    Tick(SaverTimer::ImageChange);  // then the show goes on where it was
    EXPECT_EQ(placed(), (Log{"Place 300x200", "Place 200x300", "Place 300x200", "Place 200x300",
                             "Place 400x100"}));
    EXPECT_EQ(view.captionText, "");

    form->Form_KeyDown(SaverKey::Space);
    EXPECT_EQ(view.log.back(), "Timer ImageChange off");
    EXPECT_EQ(view.LogStartingWith("PausedMark"), (Log{"PausedMark on"}));
    Tick(SaverTimer::ImageChange);        // a tick already on its way changes nothing
    form->Form_KeyDown(SaverKey::Right);  // browsing still works, and stays paused
    Deliver();
    EXPECT_EQ(placed().size(), 6u);
    EXPECT_EQ(view.timers[SaverTimer::ImageChange], -1);
    form->OnTimer(SaverTimer::Scroller);  // the rest of the show goes on
    form->Form_KeyDown(SaverKey::Space);
    EXPECT_EQ(view.LogStartingWith("PausedMark").back(), "PausedMark off");
    EXPECT_EQ(view.timers[SaverTimer::ImageChange], 10000);
    EXPECT_TRUE(host.log.empty());
    form->Form_KeyDown(SaverKey::Other);
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
}

// A folder entry stands for many files: browsing steps back to the file that was shown, whose
// own folder names it, while a caption typed for the entry covers every file of the folder.
TEST_F(Form, BrowsingAFolderEntryStepsBackToTheFileShownAndCaptionsItByItsEntry) {
    const struct {
        const char* typed;
        Log captions;  // after the start, Right, Left, Right, Right
    } cases[] = {
        {"", {"2019", "Photos", "2019", "Photos", "2019"}},
        {"Holiday", {"Holiday", "Holiday", "Holiday", "Holiday", "Holiday"}},
    };
    for (const auto& c : cases) {
        theme["image"]["browseKeys"] = "1";
        theme["font"]["captionSource"] = "3";
        theme["images"] = {{"0", "D:\\Photos\\"}};
        theme["caption"] = {{"0", c.typed}};
        theme["total"]["total"] = "1";
        for (const char* name : {"2019\\a.jpg", "2019\\bad.png", "b.jpg"}) {
            files.Put(std::string("D:\\Photos\\") + name, "picture");
            view.pictures[std::string("D:\\Photos\\") + name] = {100, 100};
        }
        view.blankPictures = {"D:\\Photos\\2019\\bad.png"};
        Load();
        view.log.clear();
        Tick(SaverTimer::StartSaver);
        Scan();
        Deliver();
        Log captions{view.captionText};
        for (const SaverKey key :
             {SaverKey::Right, SaverKey::Left, SaverKey::Right, SaverKey::Right}) {
            form->Form_KeyDown(key);
            Deliver();
            Scan();
            captions.push_back(view.captionText);
        }
        EXPECT_EQ(captions, c.captions) << c.typed;
        EXPECT_EQ(form->Settings().currentIndex, 0);
        EXPECT_EQ(view.LogStartingWith("Place").size(), 5u);
        EXPECT_FALSE(form->Ended());
    }
}

TEST_F(Form, BrowsingKeysWaitForTheirPictureAndOnePressedDuringAChangeFollowsIt) {
    theme["image"]["browseKeys"] = "1";
    theme["image"]["timeInterval"] = "0";  // a show that never changes by itself
    Started();
    form->Form_KeyDown(SaverKey::Right);  // nothing decoded ahead: it comes when it arrives
    EXPECT_EQ(view.LogStartingWith("Place").size(), 1u);
    form->Form_KeyDown(SaverKey::Right);  // the same step is on its way already
    Deliver();
    EXPECT_EQ(view.LogStartingWith("Place"), (Log{"Place 300x200", "Place 200x300"}));
    view.onPump = [this] {
        view.onPump = nullptr;
        form->Form_KeyDown(SaverKey::Left);
    };
    form->Form_KeyDown(SaverKey::Right);
    Deliver();
    EXPECT_EQ(view.LogStartingWith("Place"),
              (Log{"Place 300x200", "Place 200x300", "Place 400x100", "Place 200x300"}));
    EXPECT_LE(view.timers[SaverTimer::ImageChange], 0);  // still no change of its own
    EXPECT_FALSE(form->Ended());
}

TEST_F(Form, WithoutBrowsingEveryKeyEndsTheRun) {
    for (const SaverKey key : {SaverKey::Right, SaverKey::Left, SaverKey::Space}) {
        host.log.clear();
        Started();
        form->Form_KeyDown(key, true);
        EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
    }
}

// Pictures on the other monitors: each its own, spread over the interval after the main one's
// change, or the main one's own; none when the theme keeps them on the main monitor. A portrait
// monitor and a landscape one beside the 1024 x 768 main monitor, 10 s between changes.
TEST_F(Form, OtherMonitorsShowTheirOwnPicturesOrTheMainOnes) {
    struct Case {
        const char* picturesOn;
        Log first;           // right after the start
        Log afterThirteen;   // 13.4 s on: lane 1's staggered change (10 s + a third)
        Log afterSeventeen;  // 16.8 s on: lane 2's (10 s + two thirds)
    };
    // Three pictures on three monitors with the main one's next held back: the others take
    // whatever is not their own.
    const Case cases[] = {
        {"1",
         {"Lane 1 C:\\p\\1.jpg 200,250,200,300 'Two'", "Lane 2 C:\\p\\2.jpg 200,250,400,100 ''"},
         {"Lane 1 C:\\p\\2.jpg 100,350,400,100 ''"},
         {"Lane 2 C:\\p\\0.jpg 250,200,300,200 ''"}},
        {"2",
         {"Lane 1 C:\\p\\0.jpg 150,300,300,200 ''", "Lane 2 C:\\p\\0.jpg 250,200,300,200 ''"},
         {},
         {}},
        {"0", {}, {}, {}},
    };
    for (const Case& c : cases) {
        theme["image"]["picturesOn"] = c.picturesOn;
        view.monitors.assign({FakeMonitor({600, 800}), FakeMonitor({800, 600})});
        view.timers.clear();
        Started();
        EXPECT_EQ(view.LogStartingWith("Lane"), c.first) << c.picturesOn;
        EXPECT_EQ(view.timers.count(SaverTimer::Monitors), c.first.empty() ? 0u : 1u);
        for (const auto& [seconds, expected] :
             {std::pair{13.4, c.afterThirteen}, std::pair{3.4, c.afterSeventeen}}) {
            view.log.clear();
            clock.monotonic += seconds;
            Tick(SaverTimer::Monitors);
            Tick(SaverTimer::Monitors);
            EXPECT_EQ(view.LogStartingWith("Lane"), expected) << c.picturesOn << " " << seconds;
        }
        form.reset();
    }
}

// A change on another monitor runs one of the theme's effects at the frame pace, over the old
// picture's place and the new one's, and goes on while the main monitor runs its own; without
// an effect the picture comes at once. Same monitors and pictures as above.
TEST_F(Form, OtherMonitorsChangeWithTheThemesEffects) {
    struct Case {
        const char* picturesOn;
        const char* effect;
        bool stepped;
        PixelRect lane1Change;  // what lane 1's second change covered
    };
    const Case cases[] = {
        {"1", "bLeftWipe", true, {100, 250, 400, 300}},  // 200 x 300 at (200, 250), then 400 x 100
        {"1", "bRightWipe", true, {100, 250, 400, 300}},
        {"1", "bStandard", false, {}},
        {"2", "bCenter", true, {150, 250, 300, 300}},  // 300 x 200, then the main one's 200 x 300
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.picturesOn) + " " + c.effect);
        OnlyTransition(c.effect);
        theme["image"]["picturesOn"] = c.picturesOn;
        view.monitors.assign({FakeMonitor({600, 800}), FakeMonitor({800, 600})});
        view.laneSteps.clear();
        view.laneCommits.clear();
        Started();
        const int expectedCommits = c.stepped ? 1 : 0;
        // Begun with the first pictures and carried on by the main monitor's frames or ticks.
        for (int i = 0; i < 80 && view.laneCommits[1] < expectedCommits; ++i) {
            EXPECT_EQ(view.timers[SaverTimer::Monitors], 16);
            clock.monotonic += 0.016;
            Tick(SaverTimer::Monitors);
        }
        EXPECT_EQ(view.laneCommits[1], expectedCommits);
        EXPECT_EQ(view.laneCommits[2], expectedCommits);
        EXPECT_EQ(view.laneSteps[1] > 10, c.stepped) << view.laneSteps[1];
        EXPECT_EQ(view.timers[SaverTimer::Monitors], 100);
        view.laneStepArea.clear();
        clock.monotonic += 13.4;
        if (c.picturesOn == std::string("2")) {
            Tick(SaverTimer::ImageChange);  // the others follow the main one
        }
        for (int i = 0; i < 200 && view.laneCommits[1] < 2 * expectedCommits; ++i) {
            clock.monotonic += 0.016;
            Tick(SaverTimer::Monitors);
        }
        EXPECT_EQ(view.laneCommits[1], 2 * expectedCommits);
        EXPECT_EQ(RectText(view.laneStepArea[1]), RectText(c.lane1Change));
        form.reset();
    }
}

// After a display change every monitor is covered where it is: a new one gets the background
// and, with pictures on every monitor, a picture of its own; one gone shows nothing more.
TEST_F(Form, DisplayChangesCoverTheMonitorsAsTheyAreNow) {
    struct Case {
        const char* picturesOn;
        std::vector<PixelSize> after;  // before: 600 x 800 and 800 x 600
        std::vector<int> paints;       // of each monitor after
        std::set<int> lanesShowing;    // right after the change
    };
    const Case cases[] = {
        {"1", {{600, 800}}, {1}, {1}},
        {"1", {{800, 600}, {600, 800}, {1280, 1024}}, {1, 1, 1}, {1, 2, 3}},
        {"2", {{1280, 1024}, {800, 600}}, {1, 1}, {1, 2}},
        {"0", {{600, 800}, {1280, 1024}}, {1, 1}, {}},
        {"1", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.picturesOn) + " " + std::to_string(c.after.size()));
        theme["image"]["picturesOn"] = c.picturesOn;
        view.monitors.assign({FakeMonitor({600, 800}), FakeMonitor({800, 600})});
        view.timers.clear();
        Started();
        clock.monotonic += 5;
        view.log.clear();
        view.changedMonitors = c.after;
        form->DisplayChanged();
        Deliver();
        EXPECT_EQ(view.log.front(), "CoverScreen");
        std::vector<int> paints;
        for (const FakeMonitor& m : view.monitors) {
            paints.push_back(m.paints);
        }
        EXPECT_EQ(paints, c.paints);
        std::set<int> showing;
        for (const std::string& line : view.LogStartingWith("Lane ")) {
            showing.insert(line[5] - '0');
        }
        EXPECT_EQ(showing, c.lanesShowing);
        EXPECT_EQ(view.timers[SaverTimer::Monitors] > 0, !c.lanesShowing.empty());
        EXPECT_TRUE(host.log.empty());
        form.reset();
    }
}

// Floating pictures on the other monitors drift and bounce inside their own monitor, below its
// caption band.
TEST_F(Form, FloatingPicturesBounceInsideTheirOwnMonitor) {
    theme["image"]["picturesOn"] = "1";
    theme["image"]["picRandom"] = "rand";
    view.monitors.assign({FakeMonitor({600, 800}), FakeMonitor({800, 600})});
    Started();
    EXPECT_EQ(view.timers[SaverTimer::Monitors], 100);  // the float pace of speed 2
    const int band = form->Settings().captionHeight / 15;
    for (int i = 0; i < 3000; ++i) {
        Tick(SaverTimer::Monitors);
        for (const auto& [lane, r] : view.lanes) {
            const PixelSize m = view.monitors[static_cast<std::size_t>(lane - 1)].size;
            ASSERT_TRUE(r.left >= -1 && r.top >= band - 1 && r.left + r.width <= m.width + 1 &&
                        r.top + r.height <= m.height + 1)
                << "lane " << lane << " tick " << i << " " << RectText(r);
        }
    }
    EXPECT_GT(view.laneMoves, 5000);
}

// While one monitor's effect runs the timer beats at the frame rate; a floating picture on
// another monitor keeps its own pace.
TEST_F(Form, FloatingPicturesKeepTheirPaceDuringAnotherMonitorsEffect) {
    theme["image"]["picturesOn"] = "1";
    theme["image"]["picRandom"] = "rand";
    OnlyTransition("bLeftWipe");
    view.monitors.assign({FakeMonitor({600, 800}), FakeMonitor({800, 600})});
    Started();
    for (int i = 0; i < 500 && view.timers[SaverTimer::Monitors] != 100; ++i) {
        clock.monotonic += 0.016;
        Tick(SaverTimer::Monitors);  // the first pictures' effects
    }
    clock.monotonic += 13.4;  // the first monitor's turn
    Tick(SaverTimer::Monitors);
    ASSERT_EQ(view.timers[SaverTimer::Monitors], 16);
    const int moves = view.laneMoves;
    int frames = 0;
    for (; frames < 500 && view.timers[SaverTimer::Monitors] == 16; ++frames) {
        clock.monotonic += 0.016;
        Tick(SaverTimer::Monitors);
    }
    EXPECT_GT(frames, 12);
    EXPECT_LE((view.laneMoves - moves) * 6, frames + 6) << frames;
}

// With the same picture everywhere the others decode the main monitor's next picture while it
// shows and change with it: their new picture is up before the main one's change ends.
TEST_F(Form, WithTheSamePictureEveryMonitorChangesWithTheMainOne) {
    theme["image"]["picturesOn"] = "2";
    view.monitors.assign({FakeMonitor({600, 800}), FakeMonitor({800, 600})});
    Started();
    for (int change = 0; change < 4; ++change) {
        SCOPED_TRACE(change);
        EXPECT_EQ(view.lanePaths,
                  (std::map<int, std::string>{{1, view.placedPath}, {2, view.placedPath}}));
        view.log.clear();
        clock.monotonic += 10;
        form->OnTimer(SaverTimer::ImageChange);  // nothing is decoded during the change
        const auto lane = std::find_if(view.log.begin(), view.log.end(),
                                       [](const auto& line) { return line.rfind("Lane", 0) == 0; });
        EXPECT_LT(
            lane - view.log.begin(),
            std::find(view.log.rbegin(), view.log.rend(), "Commit").base() - view.log.begin());
        EXPECT_EQ(view.LogStartingWith("Lane").size(), 2u);
        Deliver();
    }
}

// With different pictures no picture shows on two monitors at once while the theme has enough,
// in every order, the others change their share of the interval after the main one, and the
// main monitor leaves upright pictures to the upright one; the pause of
// the browsing keys holds every monitor, and after the resume the others change their share of
// an interval after the main one again. Each monitor's caption band is as tall as the caption
// font at its own DPI (the first one's at 144 dpi).
TEST_F(Form, DifferentPicturesNeverShowTwiceAtOnceAndPauseTogether) {
    struct Case {
        const char* randomPick;
        const char* noRepeats;
        int pictures;
    };
    for (const Case& c : {Case{"0", "0", 8}, Case{"1", "1", 8}, Case{"1", "0", 12}}) {
        SCOPED_TRACE(std::string(c.randomPick) + c.noRepeats);
        theme["total"]["total"] = std::to_string(c.pictures);
        for (int i = 0; i < c.pictures; ++i) {
            const std::string path = "C:\\p\\" + std::to_string(i) + ".jpg";
            theme["images"][std::to_string(i)] = path;
            // Every third one upright.
            view.pictures[path] = i % 3 == 1 ? PixelSize{200, 300 + i} : PixelSize{300 + i, 200};
        }
        theme["image"]["picturesOn"] = "1";
        theme["image"]["browseKeys"] = "1";
        theme["image"]["randomPick"] = c.randomPick;
        theme["image"]["randomNoRepeats"] = c.noRepeats;
        std::uint32_t seed = 7;
        for (int i = 0; i < 5000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            random.draws.push_back(static_cast<float>(seed >> 8) / 16777216.0f);
        }
        view.monitors.assign({FakeMonitor({600, 800}), FakeMonitor({800, 600})});
        view.monitors[0].twips = 10;
        Started();
        int mainChanges = 0;
        int mainUpright = 0;
        auto run = [&](int tenths, bool changes) {
            for (int step = 0; step < tenths; ++step) {
                clock.monotonic += 0.1;
                if (changes && step % 100 == 99) {
                    Tick(SaverTimer::ImageChange);
                }
                const std::map<int, std::string> before = view.lanePaths;
                Tick(SaverTimer::Monitors);
                // The others change a third and two thirds of the interval after the main one.
                for (int lane : {1, 2}) {
                    if (changes && step > 300 && view.lanePaths[lane] != before.at(lane)) {
                        EXPECT_EQ((step - 99) % 100, 33 * lane + 1) << lane << " " << step;
                    }
                }
                const std::set<std::string> shown{view.placedPath, view.lanePaths[1],
                                                  view.lanePaths[2]};
                ASSERT_EQ(shown.size(), 3u) << step;
                if (changes && step % 100 == 99 && step > 300) {
                    const PixelSize main = view.pictures[view.placedPath];
                    ++mainChanges;
                    mainUpright += main.height > main.width ? 1 : 0;
                }
            }
        };
        run(3000, true);
        // Upright pictures go to the upright monitor once their shape is known (a third of the
        // pictures are upright).
        EXPECT_LE(mainUpright * 10, mainChanges) << mainUpright << " of " << mainChanges;
        EXPECT_EQ(view.laneCaptionBands[1].height, 30);
        EXPECT_EQ(view.laneCaptionBands[2].height, 20);
        form->Form_KeyDown(SaverKey::Space);
        view.log.clear();
        run(600, false);
        EXPECT_TRUE(view.LogStartingWith("Lane").empty());
        form->Form_KeyDown(SaverKey::Space);
        run(130, false);
        EXPECT_TRUE(view.LogStartingWith("Lane").empty());
        run(10, false);
        EXPECT_EQ(view.LogStartingWith("Lane 1").size(), 1u);
        EXPECT_FALSE(form->Ended());
        form.reset();
        random.draws.clear();
    }
}

// The main monitor's own size changes during a run: its background, clock and picture are laid
// out for the new size, a centred picture in the new centre, a floating one moved in from beyond
// the new edges (below the caption band).
TEST_F(Form, AMainMonitorOfAnotherSizeIsLaidOutAgain) {
    theme["image"]["timeDisplay"] = "1";
    for (const char* picRandom : {"cent", "rand"}) {
        SCOPED_TRACE(picRandom);
        theme["image"]["picRandom"] = picRandom;
        view.screen = {1024, 768};
        Started();
        for (int i = 0; i < 200; ++i) {
            Tick(SaverTimer::Float);  // a floating picture drifts towards the far corner
        }
        view.log.clear();
        view.changedScreen = PixelSize{400, 300};
        form->DisplayChanged();
        EXPECT_EQ(view.LogStartingWith("Solid"), (Log{"Solid 0"}));
        EXPECT_EQ(view.LogStartingWith("ShowClock"), (Log{"ShowClock -9,275,409,25 65535"}));
        const PixelRect d = view.display;
        if (picRandom == std::string("cent")) {
            EXPECT_EQ(RectText(d), "50,50,300,200");
        } else {
            EXPECT_TRUE(d.left >= 0 && d.top >= 20 && d.left + d.width <= 400 &&
                        d.top + d.height <= 300)
                << RectText(d);
        }
        EXPECT_TRUE(host.log.empty());
        form.reset();
    }
}

}  // namespace
}  // namespace orvelle
