// Folder entries' pictures: the walk's order and what it passes by, the cache kept between runs,
// and one scan as the worker runs it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "settings/folder_scan.h"
#include "settings/folder_walk.h"
#include "settings/memory_file_system.h"
#include "settings/scan_cache.h"

namespace orvelle {
namespace {

using Names = std::vector<std::string>;

const PictureExtensions kTypes({".jpg", ".PNG", ".tif"});

Names NamesOf(const NameList& list) {
    Names names;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        names.emplace_back(list[i]);
    }
    return names;
}

// D:\P\ with pictures at the top, in two year folders, a hidden file, a note, a link back up,
// a folder that cannot be read and a hidden folder.
class Library : public ::testing::Test {
  protected:
    Library() {
        for (const char* path :
             {"img10.jpg", "img9.JPG", "2019\\b.png", "2019\\a.tif", "2020\\x.jpg", "notes.txt",
              "Thumbs.db", "secret\\s.jpg", "locked\\l.jpg", "2019\\05\\c.jpg"}) {
            files.Put(kRoot + path, "picture");
        }
        files.Hide(kRoot + "Thumbs.db");
        files.Hide(kRoot + "secret");
        files.FailListingOf(kRoot + "locked");
        files.MakeLink(kRoot + "2019\\up");
    }
    const std::string kRoot = "D:\\P\\";
    MemoryFileSystem files;
};

TEST_F(Library, WalkListsPicturesInNameOrderFolderByFolder) {
    bool listed = false;
    const FolderPictures all = WalkFolder(files, kRoot, kTypes, &listed);
    EXPECT_TRUE(listed);
    EXPECT_EQ(NamesOf(all.paths), (Names{"2019\\05\\c.jpg", "2019\\a.tif", "2019\\b.png",
                                         "2020\\x.jpg", "img9.JPG", "img10.jpg"}));
    EXPECT_EQ(all.modified.size(), all.paths.Size());
    EXPECT_EQ(all.skipped, 1);  // notes.txt; Thumbs.db is hidden

    // One folder listed per step, what it found handed on in order.
    FolderWalk walk(files, "D:\\P", kTypes);
    std::vector<Names> steps;
    while (walk.Step()) {
        steps.push_back(NamesOf(walk.TakeFound().paths));
    }
    steps.push_back(NamesOf(walk.TakeFound().paths));
    EXPECT_EQ(steps, (std::vector<Names>{{},
                                         {},
                                         {},
                                         {"2019\\05\\c.jpg", "2019\\a.tif", "2019\\b.png"},
                                         {"2020\\x.jpg", "img9.JPG", "img10.jpg"},
                                         {}}));
    EXPECT_TRUE(walk.Done());

    EXPECT_EQ(WalkFolder(files, "D:\\Gone\\", kTypes, &listed).paths.Size(), 0u);
    EXPECT_FALSE(listed);
}

TEST(NaturalOrder, NamesAndPathsSortAsExplorerListsThem) {
    const Names sorted = {"2019",    "2019\\05\\c.jpg", "2019\\a.jpg", "a.jpg", "A1.jpg",
                          "a01.jpg", "a2.jpg",          "a10.jpg",     "b.jpg", "Zeta.jpg"};
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        EXPECT_TRUE(NaturalPathLess(sorted[i], sorted[i + 1])) << sorted[i] << " " << sorted[i + 1];
        EXPECT_FALSE(NaturalPathLess(sorted[i + 1], sorted[i])) << sorted[i + 1];
    }
    EXPECT_FALSE(NaturalNameLess("x", "x"));
}

TEST_F(Library, CacheReadsBackAndADamagedOneIsNone) {
    ScanCache cache = {{kRoot, WalkFolder(files, kRoot, kTypes)}, {"E:\\Empty\\", {}}};
    const std::string path = "C:\\State\\Holiday.scan";
    ASSERT_TRUE(WriteScanCache(files, path, cache));
    const ScanCache back = ReadScanCache(files, path);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].root, kRoot);
    EXPECT_EQ(back[0].pictures, cache[0].pictures);
    EXPECT_EQ(FindCachedFolder(back, "d:\\p\\"), &back[0]);
    EXPECT_EQ(FindCachedFolder(back, "D:\\Q\\"), nullptr);

    const std::string text = ScanCacheText(cache);
    std::string changed = text;
    changed[text.find("img9")] = 'X';
    for (const std::string& damaged :
         {text.substr(0, text.size() - 5), changed, std::string("x") + text, std::string(),
          text.substr(0, text.find("C "))}) {
        files.Put(path, damaged);
        EXPECT_TRUE(ReadScanCache(files, path).empty()) << damaged.size();
    }
}

// Records what a scan hands on; stops after a number of folders when told.
class Recorder : public ScanSink {
  public:
    void Hand(ScanNews news) override {
        std::string line = std::to_string(news.root) + ":" + kKinds[news.kind];
        for (const std::string& name : NamesOf(news.pictures.paths)) {
            line += " " + name;
        }
        if (news.complete && news.kind != ScanNews::Finished) {
            line += " .";
        }
        lines.push_back(line);
    }
    bool KeepGoing() override { return folders-- != 0; }

    Names lines;
    int folders = -1;
    static constexpr const char* kKinds[] = {"found", "whole", "unchanged", "finished"};
};

TEST_F(Library, FirstScanShowsAsFoundLaterOnesStartFromTheCacheAndHandOnlyChanges) {
    files.Put("E:\\Q\\one.jpg", "picture");
    ScanRequest request{7, {"E:\\Q\\", kRoot}, "C:\\State\\T.scan", true, true};
    Recorder first;
    RunFolderScan(files, request, kTypes, first);
    EXPECT_EQ(first.lines,
              (Names{"0:found one.jpg .", "1:found 2019\\05\\c.jpg 2019\\a.tif 2019\\b.png",
                     "1:found 2020\\x.jpg img9.JPG img10.jpg", "1:found .", "-1:finished"}));
    EXPECT_EQ(files.ReplaceCount(request.cacheFile), 1);

    // The next run: the cache at once, then the walks, which find nothing new.
    Recorder next;
    RunFolderScan(files, request, kTypes, next);
    EXPECT_EQ(next.lines[0], "0:whole one.jpg .");
    EXPECT_EQ(next.lines.size(), 5u);
    EXPECT_EQ(next.lines[2], "0:unchanged .");
    EXPECT_EQ(next.lines[3], "1:unchanged .");
    EXPECT_EQ(files.ReplaceCount(request.cacheFile), 1);

    // A picture copied in, a drive gone offline: a later scan hands on the changed tree whole;
    // the offline one keeps its pictures, in the cache too.
    files.Put("D:\\P\\2020\\y.jpg", "picture");
    files.FailListingOf("E:\\Q");
    request.fromCache = false;
    Recorder later;
    RunFolderScan(files, request, kTypes, later);
    EXPECT_EQ(later.lines,
              (Names{"0:unchanged .",
                     "1:whole 2019\\05\\c.jpg 2019\\a.tif 2019\\b.png 2020\\x.jpg 2020\\y.jpg "
                     "img9.JPG img10.jpg .",
                     "-1:finished"}));
    const ScanCache cache = ReadScanCache(files, request.cacheFile);
    ASSERT_EQ(cache.size(), 2u);
    EXPECT_EQ(NamesOf(cache[0].pictures.paths), Names{"one.jpg"});
    EXPECT_EQ(cache[1].pictures.paths.Size(), 7u);

    // A scan stopped on the way writes nothing and never says it is finished.
    files.Put("D:\\P\\z.jpg", "picture");
    Recorder stopped;
    stopped.folders = 2;
    RunFolderScan(files, request, kTypes, stopped);
    EXPECT_EQ(stopped.lines, Names{"0:unchanged ."});
    EXPECT_EQ(files.ReplaceCount(request.cacheFile), 2);
}

}  // namespace
}  // namespace orvelle
