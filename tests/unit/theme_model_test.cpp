#include "settings/theme_model.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/memory_file_system.h"
#include "settings/theme_storage.h"

namespace orvelle {
namespace {

// Every field holds its own key's name, so a write or read that lands in the wrong field shows.
ThemeSettings NamedAfterKeys() {
    return ThemeSettings{
        .total = "total",
        .mediaTotal = "mediaTotal",
        .randomMedia = "randomMedia",
        .randomPick = "randomPick",
        .newBackColor = "newBackColor",
        .backEffect = "backEffect",
        .picSpeed = "picSpeed",
        .timeInterval = "timeInterval",
        .picRandom = "picRandom",
        .picChange = "picChange",
        .backgroundImage = "backgroundImage",
        .backgroundDisplay = "backgroundDisplay",
        .redBackground = "redBackground",
        .greenBackground = "greenBackground",
        .blueBackground = "blueBackground",
        .scroll = "scroll",
        .picturePercent = "picturePercent",
        .scrollSpeed = "scrollSpeed",
        .bStandard = "bStandard",
        .bLeftWipe = "bLeftWipe",
        .bRightWipe = "bRightWipe",
        .bRightandLeftWipe = "bRightandLeftWipe",
        .bUpAndDown = "bUpAndDown",
        .bCenter = "bCenter",
        .bHorizontalBlinds = "bHorizontalBlinds",
        .bVerticalBlinds = "bVerticalBlinds",
        .bFade = "bFade",
        .timeDisplay = "timeDisplay",
        .newFontName = "newFontName",
        .newFontSize = "newFontSize",
        .newFontBold = "newFontBold",
        .newFontItalic = "newFontItalic",
        .newFontUnderline = "newFontUnderline",
        .newFontFontStrikethru = "newFontFontStrikethru",
        .newFontForeColor = "newFontForeColor",
        .countdownMonth = "countdownMonth",
        .countdownDay = "countdownDay",
        .countdownYear = "countdownYear",
        .randomNoRepeats = "randomNoRepeats",
        .resumeListOrder = "resumeListOrder",
        .captionSource = "captionSource",
        .browseKeys = "browseKeys",
        .picturesOn = "picturesOn",
        .picturePaths = {"images/0", "images/1"},
        .captions = {"caption/0", "caption/1"},
        .mediaPaths = {"multimedia/0"},
    };
}

// Records every call as "section/key", or "-section" for an erase, with the value written.
// Reads answer from the map; a single key absent from it reads as its own key name.
class RecordingThemeFile : public ThemeFile {
  public:
    std::string Read(const std::string& section, const std::string& key) override {
        calls.push_back(section + "/" + key);
        auto it = answers.find(calls.back());
        return it != answers.end() ? it->second : key;
    }
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override {
        calls.push_back(section + "/" + key);
        written.emplace_back(calls.back(), value);
    }
    void Erase(const std::string& section) override { calls.push_back("-" + section); }
    // The entries the answers hold, or keys "0" to "9" when they hold none of the section.
    std::vector<std::string> KeyNames(const std::string& section) override {
        std::vector<std::string> names;
        for (const auto& [where, value] : answers) {
            if (where.rfind(section + "/", 0) == 0) {
                names.push_back(where.substr(section.size() + 1));
            }
        }
        if (names.empty()) {
            for (int i = 0; i < 10; ++i) {
                names.push_back(std::to_string(i));
            }
        }
        return names;
    }

    // The calls as one line, separated by spaces.
    std::string Calls() const {
        std::string line;
        for (const std::string& call : calls) {
            line += (line.empty() ? "" : " ") + call;
        }
        return line;
    }

    std::map<std::string, std::string> answers;
    std::vector<std::string> calls;
    std::vector<std::pair<std::string, std::string>> written;
};

TEST(ThemeModel, SaveWritesEveryKeyInTheSaveOrderWithItsFieldsText) {
    const std::string expected =
        "-images images/0 images/1 total/total -caption caption/0 caption/1 total/mediaTotal "
        "image/randomMedia -multimedia multimedia/0 image/randomPick image/randomNoRepeats "
        "image/resumeListOrder background/newBackColor background/backEffect image/picSpeed "
        "image/timeInterval image/picRandom image/picChange "
        "background/backgroundImage background/backgroundDisplay background/redBackground "
        "background/greenBackground background/blueBackground font/scroll image/picturePercent "
        "font/scrollSpeed transitions/bStandard transitions/bLeftWipe transitions/bRightWipe "
        "transitions/bRightandLeftWipe transitions/bUpAndDown transitions/bCenter "
        "transitions/bHorizontalBlinds transitions/bVerticalBlinds transitions/bFade "
        "image/timeDisplay font/newFontName font/newFontSize font/newFontBold font/newFontItalic "
        "font/newFontUnderline font/newFontFontStrikethru font/newFontForeColor "
        "date/countdownMonth date/countdownDay date/countdownYear font/captionSource "
        "image/browseKeys image/picturesOn";
    RecordingThemeFile file;
    WriteTheme(file, NamedAfterKeys());
    EXPECT_EQ(file.Calls(), expected);
    for (const auto& [where, value] : file.written) {
        // List entries carry "section/index", single keys their key name.
        const bool list = where.back() >= '0' && where.back() <= '9';
        EXPECT_EQ(value, list ? where : where.substr(where.find('/') + 1)) << where;
    }
}

TEST(ThemeModel, SaverReadsInItsOwnOrderAndSizesListsByTheirCounts) {
    const std::string expected =
        "total/total images/0 images/1 caption/0 caption/1 total/mediaTotal multimedia/0 "
        "image/randomMedia background/newBackColor background/backEffect image/randomPick "
        "image/randomNoRepeats image/resumeListOrder image/picSpeed image/timeInterval "
        "image/picRandom font/newFontName font/newFontSize "
        "font/newFontBold font/newFontItalic font/newFontUnderline font/newFontFontStrikethru "
        "font/newFontForeColor background/backgroundImage background/backgroundDisplay "
        "background/redBackground background/greenBackground background/blueBackground "
        "font/scroll image/picturePercent font/scrollSpeed transitions/bStandard "
        "transitions/bLeftWipe transitions/bRightWipe transitions/bRightandLeftWipe "
        "transitions/bUpAndDown transitions/bCenter transitions/bHorizontalBlinds "
        "transitions/bVerticalBlinds transitions/bFade image/timeDisplay date/countdownMonth "
        "date/countdownDay date/countdownYear font/captionSource image/browseKeys "
        "image/picturesOn";
    RecordingThemeFile file;
    file.answers = {{"total/total", "2"}, {"total/mediaTotal", "1.4"}};
    for (const char* entry : {"images/0", "images/1", "caption/0", "caption/1", "multimedia/0"}) {
        file.answers[entry] = entry;
    }

    ThemeSettings read;
    read.picChange = "kept";
    ReadThemeForSaver(file, read);
    EXPECT_EQ(file.Calls(), expected);

    ThemeSettings want = NamedAfterKeys();
    want.total = "2";
    want.mediaTotal = "1.4";
    want.picChange = "kept";  // the saver has no use for it
    for (std::vector<std::string>* list : {&want.picturePaths, &want.captions, &want.mediaPaths}) {
        list->emplace_back();  // the spare slot past the last entry
    }
    for (const ThemeKeyInfo& info : ThemeKeys()) {
        EXPECT_EQ(read.*info.field, want.*info.field) << info.key;
    }
    EXPECT_EQ(read.picturePaths, want.picturePaths);
    EXPECT_EQ(read.captions, want.captions);
    EXPECT_EQ(read.mediaPaths, want.mediaPaths);
}

// Through the real storage: a save over a longer theme leaves no stale entries, keys run past 9
// without leading zeros, and what the saver reads back is what was saved.
TEST(ThemeModel, SavedThemeReadsBackThroughTheStorage) {
    MemoryFileSystem files;
    ThemeStorage storage(files, "C:\\Orv");
    const std::string path = storage.ThemeFilePath("Round");
    files.Put(path,
              "[images]\r\n0=a\r\n1=b\r\n2=c\r\n3=d\r\n4=e\r\n11=z\r\n[caption]\r\n4=old\r\n"
              "[multimedia]\r\n0=x.mid\r\n1=y.mid\r\n");

    ThemeSettings saved = NamedAfterKeys();
    saved.picturePaths.clear();
    for (int i = 0; i < 11; ++i) {
        saved.picturePaths.push_back("C:\\p\\" + std::to_string(i) + ".jpg");
    }
    saved.captions.assign(11, "");
    saved.captions[10] = "Eleventh";
    saved.total = "11";
    saved.mediaPaths.clear();
    saved.mediaTotal = "0";
    WriteTheme(storage, path, saved);
    ASSERT_TRUE(storage.Flush());

    const std::string text = files.Get(path);
    EXPECT_NE(text.find("10=C:\\p\\10.jpg"), std::string::npos);
    for (const char* stale : {"11=z", "4=old", "x.mid", "010="}) {
        EXPECT_EQ(text.find(stale), std::string::npos) << stale;
    }

    ThemeSettings back;
    ReadThemeForSaver(storage, path, back);
    saved.picChange.clear();
    for (const ThemeKeyInfo& info : ThemeKeys()) {
        EXPECT_EQ(back.*info.field, saved.*info.field) << info.key;
    }
    saved.picturePaths.emplace_back();
    saved.captions.emplace_back();
    EXPECT_EQ(back.picturePaths, saved.picturePaths);
    EXPECT_EQ(back.captions, saved.captions);
    EXPECT_EQ(back.mediaPaths, std::vector<std::string>{""});
}

// Counts and indices are 32-bit: a theme of 70,000 pictures goes through a save, the saver's
// read and the editor's read whole, captions in their places.
TEST(ThemeModel, SeventyThousandEntriesSurviveSaveAndBothReads) {
    MemoryFileSystem files;
    ThemeStorage storage(files, "C:\\Orv");
    const std::string path = storage.ThemeFilePath("Big");
    constexpr int kCount = 70000;  // past what a 16-bit count, signed or not, can hold
    ThemeSettings saved = NamedAfterKeys();
    saved.picturePaths.clear();
    saved.captions.assign(kCount, "");
    for (int i = 0; i < kCount; ++i) {
        saved.picturePaths.push_back("D:\\Photos\\" + std::to_string(i) + ".jpg");
    }
    saved.captions[kCount - 1] = "Last";
    saved.total = std::to_string(kCount);
    WriteTheme(storage, path, saved);
    ASSERT_TRUE(storage.Flush());

    ThemeSettings back;
    ReadThemeForSaver(storage, path, back);
    ASSERT_EQ(back.picturePaths.size(), static_cast<size_t>(kCount) + 1);
    EXPECT_EQ(back.picturePaths[kCount - 1], "D:\\Photos\\69999.jpg");
    EXPECT_EQ(back.captions[kCount - 1], "Last");

    const LoadedTheme loaded = ReadThemeForEditor(storage, path);
    EXPECT_EQ(loaded.settings.total, "70000");
    ASSERT_EQ(loaded.settings.picturePaths.size(), static_cast<size_t>(kCount));
    EXPECT_EQ(loaded.settings.picturePaths[40000], "D:\\Photos\\40000.jpg");
    EXPECT_EQ(loaded.settings.captions[kCount - 1], "Last");
}

// A theme written before the shuffle keys came means what it meant: without them the editor
// shows them off (not the template's on) and reports nothing; a damaged one is replaced.
TEST(ThemeModel, KeysAddedLaterReadAsOffWhenMissing) {
    MemoryFileSystem files;
    ThemeStorage storage(files, "C:\\Orv");
    files.Put(storage.TemplateThemePath(),
              "[image]\r\nrandomNoRepeats=1\r\nresumeListOrder=1\r\nbrowseKeys=1\r\n"
              "picturesOn=2\r\n[font]\r\ncaptionSource=3\r\n");
    const std::string path = storage.ThemeFilePath("Old");
    struct Case {
        const char* lines;
        const char* noRepeats;
        const char* resume;
        const char* captionSource;
        const char* browseKeys;
        const char* picturesOn;
        std::vector<ThemeKey> replaced;
    };
    const Case cases[] = {
        {"", "0", "0", "0", "0", "0", {}},
        {"randomNoRepeats=1\r\nbrowseKeys=1\r\npicturesOn=1\r\n", "1", "0", "0", "1", "1", {}},
        {"randomNoRepeats=x\r\nresumeListOrder=1\r\n",
         "1",
         "1",
         "0",
         "0",
         "0",
         {ThemeKey::randomNoRepeats}},
        {"[font]\r\ncaptionSource=4\r\n", "0", "0", "4", "0", "0", {}},
        {"browseKeys=2\r\npicturesOn=3\r\n[font]\r\ncaptionSource=5\r\n",
         "0",
         "0",
         "3",
         "1",
         "2",
         {ThemeKey::captionSource, ThemeKey::browseKeys, ThemeKey::picturesOn}},
    };
    for (const Case& c : cases) {
        files.Put(path, std::string("[image]\r\nrandomPick=1\r\n") + c.lines);
        storage.Flush();
        const LoadedTheme theme = ReadThemeForEditor(storage, path);
        EXPECT_EQ(theme.settings.randomNoRepeats, c.noRepeats) << c.lines;
        EXPECT_EQ(theme.settings.resumeListOrder, c.resume) << c.lines;
        EXPECT_EQ(theme.settings.captionSource, c.captionSource) << c.lines;
        EXPECT_EQ(theme.settings.browseKeys, c.browseKeys) << c.lines;
        EXPECT_EQ(theme.settings.picturesOn, c.picturesOn) << c.lines;
        std::vector<ThemeKey> replaced;
        for (ThemeKey key : theme.replaced) {
            if (KeyInfo(key).optional) {
                replaced.push_back(key);
            }
        }
        EXPECT_EQ(replaced, c.replaced) << c.lines;
    }
}

// The dialog reads key by key through ids; the numeric kinds are those it must read as numbers.
TEST(ThemeModel, KeysAreReachableByIdWithTheirKinds) {
    struct Case {
        ThemeKey key;
        const char* section;
        bool numeric;
    };
    const Case cases[] = {
        {ThemeKey::total, "total", true},
        {ThemeKey::backEffect, "background", true},
        {ThemeKey::picRandom, "image", false},  // compared as a word
        {ThemeKey::picChange, "image", false},
        {ThemeKey::backgroundImage, "background", false},
        {ThemeKey::scroll, "font", true},
        {ThemeKey::bFade, "transitions", true},
        {ThemeKey::newFontSize, "font", true},
        {ThemeKey::newFontBold, "font", false},  // True or False
        {ThemeKey::newFontForeColor, "font", true},
        {ThemeKey::countdownMonth, "date", false},  // item text of its list
    };
    for (const Case& c : cases) {
        const ThemeKeyInfo& info = KeyInfo(c.key);
        EXPECT_EQ(info.id, c.key);
        EXPECT_STREQ(info.section, c.section) << info.key;
        EXPECT_EQ(IsNumericKind(info.kind), c.numeric) << info.key;

        RecordingThemeFile file;
        ThemeSettings s;
        EXPECT_EQ(ReadThemeKey(file, c.key, s), info.key);
        EXPECT_EQ(Field(s, c.key), info.key);
        WriteThemeKey(file, c.key, s);
        EXPECT_EQ(file.written.at(0).second, info.key);
    }
    RecordingThemeFile file;
    file.answers = {{"multimedia/1", "b.wav"}, {"multimedia/01", "x"}, {"multimedia/5", "y"}};
    EXPECT_EQ(ReadListEntries(file, ThemeList::multimedia, 5), (std::vector<std::string>{"b.wav"}));
    EXPECT_EQ(HeldListIndices(file, ThemeList::multimedia, 6), (std::vector<int>{1, 5}));
    EXPECT_TRUE(ReadListEntries(file, ThemeList::caption, -1).empty());
    EXPECT_EQ(ListInfo(ThemeList::caption).countKey, ThemeKey::total);

    ThemeSettings s = NamedAfterKeys();
    const auto flags = TransitionFlags(s);
    EXPECT_EQ(*flags[4], "bUpAndDown");
    EXPECT_EQ(*flags[5], "bCenter");
}

TEST(ThemeModel, ListCountsFollowTheLeadingNumberWithinRange) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"abc", 0},
        {"-4", 0},
        {"0", 0},
        {"2.5", 2},
        {"3.5", 4},
        {"  3 ", 3},
        {"7 pictures", 7},
        {"32768", 32768},
        {"99999999", 99999999},
        {"1e12", 2147483647},
    };
    for (const auto& [text, count] : cases) {
        EXPECT_EQ(ListCountFromText(text), count) << text;
    }
}

}  // namespace
}  // namespace orvelle
