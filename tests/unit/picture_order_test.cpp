// The run's pictures in their order: list order over files and folders found as they come,
// plain random order, the fair shuffle across passes and runs, and where a run carries on.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "fake_saver_view.h"
#include "scan_news_builders.h"
#include "saver/picture_order.h"
#include "saver/picture_sequence.h"
#include "settings/memory_file_system.h"
#include "settings/saver_settings.h"
#include "settings/theme_storage.h"

namespace orvelle {
namespace {

using saver_test::ScriptedRandom;
using Shown = std::vector<std::string>;

const std::string kState = "C:\\Local\\Orvelle Screen Saver\\";

using scan_test::News;
using scan_test::Numbered;

// A theme's list (the spare past the end added as the saver's read adds it) and its run.
class Sequence : public ::testing::Test {
  protected:
    Sequence() : storage(files, "C:\\Orv") {}

    PictureSequence& Make(std::vector<std::string> list, const char* randomPick = "0",
                          const char* noRepeats = "", const char* resume = "") {
        settings.picturePaths = std::move(list);
        settings.lastPictureIndex = static_cast<std::int32_t>(settings.picturePaths.size()) - 1;
        settings.picturePaths.emplace_back();
        settings.currentsaver = "Holiday";
        settings.randomPick = randomPick;
        settings.randomNoRepeats = noRepeats;
        settings.resumeListOrder = resume;
        sequence = std::make_unique<PictureSequence>(settings, storage, kState);
        return *sequence;
    }
    // The next n pictures, each shown, by their paths ("-" for none, "?" while unknown).
    Shown Next(int n) {
        Shown shown;
        for (int i = 0; i < n; ++i) {
            if (!sequence->Pick(random)) {
                shown.push_back("?");
                continue;
            }
            const std::string path = sequence->Path();
            shown.push_back(path.empty() ? "-" : path.substr(path.find_last_of('\\') + 1));
            sequence->Shown();
        }
        return shown;
    }

    MemoryFileSystem files;
    ThemeStorage storage;
    SaverSettings settings;
    ScriptedRandom random;
    std::unique_ptr<PictureSequence> sequence;
};

TEST_F(Sequence, ListOrderRunsThroughFilesAndFoldersAsTheirPicturesAreFound) {
    Make({"a.jpg", "D:\\P\\", "C:\\b.jpg"});
    EXPECT_EQ(sequence->Library().Roots(), std::vector<std::string>{"D:\\P\\"});
    const std::optional<ScanRequest> first = sequence->TakeScan();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->fromCache);
    EXPECT_FALSE(first->walkCached);
    EXPECT_EQ(first->cacheFile, kState + "Holiday.scan");
    EXPECT_FALSE(sequence->TakeScan());  // one at a time

    // The folder's pictures are not known yet: list order waits for them.
    EXPECT_EQ(Next(2), (Shown{"a.jpg", "?"}));
    EXPECT_TRUE(sequence->Scanned(News(ScanNews::Found, 0, false, {"x.jpg"}), random, true));
    EXPECT_EQ(sequence->Path(), "D:\\P\\x.jpg");
    EXPECT_TRUE(sequence->FromFolder());
    sequence->Shown();
    EXPECT_EQ(Next(1), Shown{"?"});
    sequence->Scanned(News(ScanNews::Found, 0, true, {"y\\z.jpg"}), random, false);
    EXPECT_EQ(Next(4), (Shown{"z.jpg", "b.jpg", "a.jpg", "x.jpg"}));
    EXPECT_EQ(random.reseeds, 8);  // every pick re-seeds, as it always has
    EXPECT_EQ(random.drawCount, 0);

    // News of an earlier scan is dropped; the end of the scan lets the next one start after
    // the first picture has shown.
    EXPECT_FALSE(sequence->Scanned(News(ScanNews::Whole, 0, true, {}, 9), random, true));
    EXPECT_EQ(sequence->Library().Pictures(1), 2);
    EXPECT_FALSE(sequence->TakeScan());
    sequence->Scanned(News(ScanNews::Finished, -1, true, {}), random, true);
    const std::optional<ScanRequest> again = sequence->TakeScan();  // a pass ended meanwhile
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->fromCache);
    EXPECT_TRUE(again->walkCached);
    EXPECT_EQ(again->ticket, 2u);

    // A folder that holds nothing and a list with nothing: the fallback stands in.
    Make({"E:\\Empty\\"});
    sequence->TakeScan();
    sequence->Scanned(News(ScanNews::Whole, 0, true, {}), random, true);
    EXPECT_EQ(Next(2), (Shown{"-", "-"}));
    Make({});
    EXPECT_EQ(Next(1), Shown{"-"});
    EXPECT_FALSE(sequence->TakeScan());
}

TEST_F(Sequence, PlainRandomOrderDrawsEveryPictureIndependently) {
    Make({"a.jpg", "D:\\P\\"}, "1");
    sequence->TakeScan();
    sequence->Scanned(News(ScanNews::Whole, 0, true, {"x.jpg", "y.jpg", "z.jpg"}), random, false);
    random.draws = {0.0f, 0.99f, 0.3f, 0.3f, 0.5f};
    EXPECT_EQ(Next(5), (Shown{"a.jpg", "z.jpg", "x.jpg", "x.jpg", "y.jpg"}));
    EXPECT_EQ(random.drawCount, 5);
}

// 1,000 pictures: each shown once in 1,000 changes, in an order that differs from the list;
// the next pass in another order; two runs of 500 (where the first stopped kept in between)
// show the same 1,000 once each.
TEST_F(Sequence, ShuffleShowsEachPictureOncePerPassAndCarriesOnIntoTheNextRun) {
    const std::vector<std::string> names = Numbered(1000);
    const auto run = [&](int changes) {
        Make({"D:\\P\\"}, "1", "1");
        random.draws = {0.11f, 0.52f, 0.93f, 0.24f, 0.65f, 0.36f};
        sequence->TakeScan();
        sequence->Scanned(News(ScanNews::Whole, 0, true, names), random, false);
        Shown shown = Next(changes);
        sequence->SaveState();
        return shown;
    };
    const Shown pass = run(1000);
    EXPECT_EQ(std::set<std::string>(pass.begin(), pass.end()).size(), 1000u);
    EXPECT_NE(pass, names);
    const Shown next = Next(1000);
    EXPECT_EQ(std::set<std::string>(next.begin(), next.end()).size(), 1000u);
    EXPECT_NE(next, pass);
    EXPECT_NE(next.front(), pass.back());

    files.Remove(kState + "Holiday.state");
    Shown halves = run(500);
    const Shown second = run(500);
    halves.insert(halves.end(), second.begin(), second.end());
    EXPECT_EQ(halves, pass) << "the same seed of the first pass, carried on";

    // A damaged state file starts a new pass: all 1,000 again, from the start of that pass.
    std::string text = files.Get(kState + "Holiday.state");
    text[text.size() / 2] ^= 1;
    files.Put(kState + "Holiday.state", text);
    const Shown fresh = run(1000);
    EXPECT_EQ(std::set<std::string>(fresh.begin(), fresh.end()).size(), 1000u);
    EXPECT_EQ(fresh, pass);  // the same draws give the same first pass
}

// Pictures found while a pass runs come in that pass, even those whose place it has passed.
TEST_F(Sequence, ShuffleTakesPicturesFoundLaterIntoThePassThatRuns) {
    for (float draw : {0.1f, 0.5f, 0.9f}) {
        Make({"a.jpg", "D:\\P\\"}, "1", "1");
        random.fallback = draw;
        sequence->TakeScan();
        sequence->Scanned(News(ScanNews::Found, 0, false, Numbered(3)), random, false);
        Shown shown = Next(2);
        sequence->Scanned(News(ScanNews::Found, 0, true, {"q0.jpg", "q1.jpg", "q2.jpg"}), random,
                          false);
        const Shown rest = Next(5);
        shown.insert(shown.end(), rest.begin(), rest.end());
        EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), 7u) << draw;
    }
}

TEST_F(Sequence, ListOrderCarriesOnWhereTheLastRunStoppedWhenTheThemeAsks) {
    const auto run = [&](const char* resume, int changes, std::vector<std::string> list) {
        Make(std::move(list), "0", "", resume);
        sequence->TakeScan();
        sequence->Scanned(News(ScanNews::Whole, 0, true, {"1.jpg", "2.jpg", "10.jpg"}), random,
                          false);
        const Shown shown = Next(changes);
        sequence->SaveState();
        return shown;
    };
    const std::vector<std::string> list = {"a.jpg", "D:\\P\\", "b.jpg"};
    EXPECT_EQ(run("1", 3, list), (Shown{"a.jpg", "1.jpg", "2.jpg"}));
    EXPECT_EQ(run("1", 3, list), (Shown{"10.jpg", "b.jpg", "a.jpg"}));
    EXPECT_EQ(run("0", 1, list), Shown{"a.jpg"});  // not asked: from the top, nothing kept
    EXPECT_EQ(run("1", 1, list), Shown{"1.jpg"});
    // An edited list is not the one stopped in: from the top.
    EXPECT_EQ(run("1", 1, {"D:\\P\\", "c.jpg"}), Shown{"1.jpg"});
    // The picture stopped at is gone from its folder: the one after its name comes.
    Make(list, "0", "", "1");
    files.Remove(kState + "Holiday.state");
    RunState state;
    state.list = ListState{1, "D:\\P\\", "5.jpg"};
    WriteRunState(files, kState + "Holiday.state", state);
    EXPECT_EQ(run("1", 2, list), (Shown{"10.jpg", "b.jpg"}));
}

TEST_F(Sequence, AFolderScannedAgainKeepsTheListPlaceByName) {
    Make({"D:\\P\\"});
    sequence->TakeScan();
    sequence->Scanned(News(ScanNews::Whole, 0, true, {"a.jpg", "c.jpg", "e.jpg"}), random, false);
    EXPECT_EQ(Next(2), (Shown{"a.jpg", "c.jpg"}));
    sequence->Scanned(News(ScanNews::Whole, 0, true, {"b.jpg", "c.jpg", "d.jpg", "e.jpg"}), random,
                      false);
    EXPECT_EQ(Next(3), (Shown{"d.jpg", "e.jpg", "b.jpg"}));
    // Picked ahead, then the folder shrinks under it before its turn: shown as nothing is.
    ASSERT_TRUE(sequence->Pick(random));
    sequence->Scanned(News(ScanNews::Whole, 0, true, {"a.jpg"}), random, false);
    sequence->Shown();
    EXPECT_EQ(Next(2), (Shown{"a.jpg", "a.jpg"}));
}

TEST_F(Sequence, UnreadableFolderPicturesArePassedByAndARoundOfThemGivesTheFallback) {
    Make({"D:\\P\\"});
    sequence->TakeScan();
    sequence->Scanned(News(ScanNews::Whole, 0, true, {"bad.jpg", "good.jpg"}), random, false);
    ASSERT_TRUE(sequence->Pick(random));
    EXPECT_EQ(sequence->Path(), "D:\\P\\bad.jpg");
    ASSERT_TRUE(sequence->PassBy(random));
    EXPECT_EQ(sequence->Path(), "D:\\P\\good.jpg");
    ASSERT_TRUE(sequence->PassBy(random));
    EXPECT_EQ(sequence->Path(), "D:\\P\\bad.jpg");
    ASSERT_TRUE(sequence->PassBy(random));
    EXPECT_EQ(sequence->Path(), "");
    EXPECT_EQ(sequence->Entry(), -1);
}

}  // namespace
}  // namespace orvelle
