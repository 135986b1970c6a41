// The editor's folder entries (their counts, first pictures and stored text), the picture order
// boxes, and the picture kinds taken from the machine's decoders.
#include <gtest/gtest.h>

#include "config/control_ids.h"
#include "config/folder_counts.h"
#include "editor_fixture.h"
#include "scan_news_builders.h"

namespace orvelle {
namespace {

using editor_test::EditorTest;
using editor_test::kFolder;

using scan_test::News;
using scan_test::Numbered;

TEST(FolderCounts, CountsAndFirstPicturesFollowTheScansNews) {
    EXPECT_EQ(GroupedNumber(1234567), "1,234,567");
    EXPECT_EQ(GroupedNumber(-999), "-999");
    FolderCounts counts;
    const std::string a = "D:\\A\\";
    // Each folder once, whatever its case; folders already counted need no scan.
    const std::optional<ScanRequest> first = counts.Track({a, "E:\\", "d:\\a\\"}, "T.scan");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->roots, (std::vector<std::string>{a, "E:\\"}));
    EXPECT_FALSE(counts.Track({"E:\\", a}, "T.scan").has_value());
    const std::uint32_t t = first->ticket;
    using N = ScanNews;
    struct Step {
        ScanNews news;
        const char* count;  // what the entry shows after its text
        const char* firstPicture;
        std::vector<std::string> track = {};  // folders tracked before the news
    };
    const Step steps[] = {
        // A new tree: its first picture at once, its count once whole.
        {News(N::Found, 0, false, {"2019\\x.jpg", "y.jpg"}, t), "(counting pictures...)",
         "D:\\A\\2019\\x.jpg"},
        {News(N::Found, 0, true, {"z.png"}, t), "(3 pictures)", "D:\\A\\2019\\x.jpg"},
        {News(N::Whole, 0, true, {}, t + 9), "(3 pictures)", "D:\\A\\2019\\x.jpg"},  // stale
        // A folder added: all scanned again, A from the cache, then found the same.
        {News(N::Whole, 0, true, Numbered(1234), t + 1),
         "(1,234 pictures)",
         "D:\\A\\p0.jpg",
         {a, "F:\\"}},
        {News(N::Unchanged, 0, true, {}, t + 1), "(1,234 pictures)", "D:\\A\\p0.jpg"},
        // Walked again without a cache: the old count stays until the new one is whole.
        {News(N::Found, 0, false, {"n.jpg"}, t + 2),
         "(1,234 pictures)",
         "D:\\A\\p0.jpg",
         {a, "G:\\"}},
        {News(N::Found, 0, true, {}, t + 2), "(1 picture)", "D:\\A\\n.jpg"},
    };
    for (const Step& step : steps) {
        if (!step.track.empty()) {
            EXPECT_TRUE(counts.Track(step.track, "").has_value());
        }
        counts.Apply(step.news);
        EXPECT_EQ(counts.Shown("x", a), std::string("x  ") + step.count) << step.count;
        EXPECT_EQ(counts.FirstPicture(a), step.firstPicture) << step.count;
    }
    // Another theme: nothing known, the old scan's news not listened to.
    counts.Reset();
    EXPECT_TRUE(counts.Apply(News(N::Whole, 0, true, {"p.jpg"}, t + 2)).empty());
    EXPECT_EQ(counts.Shown("x", a), "x  (counting pictures...)");
}

// Add Folder: the picker's folder becomes an entry (stored as chosen, with its backslash), shown
// with its count, previewed and viewed by its first picture; a relative entry resolves against
// the program folder; what is saved is the stored text.
TEST_F(EditorTest, AddFolderEntersTheFolderCountedPreviewedAndSavedAsStored) {
    Edit("images", "1", "samples\\");
    editor.Open();
    ASSERT_EQ(services.scans.size(), 1u);
    EXPECT_EQ(services.scans[0].roots, std::vector<std::string>{kFolder + "samples\\"});
    EXPECT_EQ(services.scans[0].cacheFile, "C:\\State\\Orvelle.scan");
    const int added = static_cast<int>(C(IDL_IMAGES_PICTURES).items.size());
    services.folders = {std::nullopt, std::string("D:\\Photos"), std::string("E:\\")};
    editor.Clicked(IDB_IMAGES_FOLDER_ENTRY);  // cancelled: nothing at all
    EXPECT_FALSE(editor.settingsChanged);
    editor.Clicked(IDB_IMAGES_FOLDER_ENTRY);
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items[added], "D:\\Photos\\");
    EXPECT_EQ(C(IDL_EDITOR_CAPTIONS).items[added], "");
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).selected, added);
    EXPECT_EQ(C(IDT_IMAGES_TOTAL).text, "Total: " + std::to_string(added + 1));
    EXPECT_TRUE(editor.settingsChanged);
    const ScanRequest scan = services.scans.back();
    EXPECT_EQ(scan.roots, (std::vector<std::string>{kFolder + "samples\\", "D:\\Photos\\"}));
    // Counting: said so, an empty preview, no message; counted: shown again, previewed.
    EXPECT_EQ(editor.ShownItem(IDL_IMAGES_PICTURES, "D:\\Photos\\"),
              "D:\\Photos\\  (counting pictures...)");
    EXPECT_FALSE(editor.preview.shown);
    services.pictures["D:\\Photos\\2019\\a.jpg"] = {300, 200};
    editor.FoldersScanned(News(ScanNews::Found, 1, true, {"2019\\a.jpg", "b.jpg"}, scan.ticket));
    EXPECT_EQ(editor.ShownItem(IDL_IMAGES_PICTURES, "D:\\Photos\\"), "D:\\Photos\\  (2 pictures)");
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).recentEdits.back().index, added);
    EXPECT_TRUE(editor.preview.shown);
    editor.DoubleClicked(IDL_IMAGES_PICTURES);
    EXPECT_EQ(services.viewed.back(), "D:\\Photos\\2019\\a.jpg");
    EXPECT_EQ(editor.ShownItem(IDL_MUSIC_FILES, "x\\"), "x\\");
    // A drive's root keeps its one backslash; a folder not counted yet shows no picture.
    editor.Clicked(IDB_IMAGES_FOLDER_ENTRY);
    editor.Chosen(IDL_IMAGES_PICTURES, 1);
    EXPECT_FALSE(editor.preview.shown);
    EXPECT_TRUE(services.messages.empty());
    ASSERT_TRUE(editor.OnOk());
    EXPECT_EQ(Stored("images", "1"), "samples\\");
    EXPECT_EQ(Stored("images", std::to_string(added)), "D:\\Photos\\");
    EXPECT_EQ(Stored("images", std::to_string(added + 1)), "E:\\");
}

// Random order opens "once before any repeats" and closes "carry on" (list order's); a theme
// without the keys shows both off and saves them as off, which means what it meant.
TEST_F(EditorTest, PictureOrderBoxesWriteTheirKeysAndFollowRandomOrder) {
    const char* cases[][3] = {{"0", "", ""}, {"1", "1", "0"}, {"1", "0", "1"}, {"0", "1", "1"}};
    editor.Open();
    for (const auto& [random, noRepeats, resume] : cases) {
        Edit("image", "randomPick", random);
        if (*noRepeats) {
            Edit("image", "randomNoRepeats", noRepeats);
            Edit("image", "resumeListOrder", resume);
        }
        ASSERT_TRUE(editor.SwitchToTheme("Orvelle"));
        const bool on = *random == '1';
        EXPECT_EQ(C(IDX_SETTINGS_RANDOM).checked, on) << random << noRepeats;
        EXPECT_EQ(C(IDX_SETTINGS_NO_REPEATS).checked, *noRepeats == '1') << random << noRepeats;
        EXPECT_EQ(C(IDX_SETTINGS_RESUME).checked, *resume == '1') << random << noRepeats;
        EXPECT_EQ(C(IDX_SETTINGS_NO_REPEATS).enabled, on) << random << noRepeats;
        EXPECT_EQ(C(IDX_SETTINGS_RESUME).enabled, !on) << random << noRepeats;
        ASSERT_TRUE(editor.OnOk());
        EXPECT_EQ(Stored("image", "randomNoRepeats"), *noRepeats ? noRepeats : "0");
        EXPECT_EQ(Stored("image", "resumeListOrder"), *resume ? resume : "0");
    }
    editor.CheckClicked(IDX_SETTINGS_RANDOM, true);
    EXPECT_FALSE(C(IDX_SETTINGS_RESUME).enabled);
    editor.CheckClicked(IDX_SETTINGS_NO_REPEATS, false);
    EXPECT_EQ(editor.settings.randomNoRepeats, "0");
}

// The caption source list, the browsing box and the monitors list show the theme's values (a theme
// without them, or with a source the saver does not know: nothing and off) and write what is
// chosen.
TEST_F(EditorTest, CaptionSourceBrowseKeysAndPicturesOnShowAndWriteTheirKeys) {
    struct Case {
        const char* source;
        const char* browse;
        int shown;
        const char* stored;
    };
    const Case cases[] = {
        {"", "", 0, "0"}, {"1", "1", 1, "1"}, {"4", "0", 4, "4"}, {"9", "1", 0, "0"}};
    editor.Open();
    for (const Case& c : cases) {
        if (*c.source) {
            Edit("font", "captionSource", c.source);
            Edit("image", "browseKeys", c.browse);
        }
        ASSERT_TRUE(editor.SwitchToTheme("Orvelle"));
        EXPECT_EQ(C(IDC_IMAGES_CAPTION_SOURCE).selected, c.shown) << c.source;
        EXPECT_EQ(C(IDC_IMAGES_CAPTION_SOURCE).items.size(), 5u);
        EXPECT_EQ(C(IDX_SETTINGS_BROWSE_KEYS).checked, *c.browse == '1') << c.source;
        ASSERT_TRUE(editor.OnOk());
        EXPECT_EQ(Stored("font", "captionSource"), c.stored);
        EXPECT_EQ(Stored("image", "browseKeys"), *c.browse ? c.browse : "0");
    }
    editor.Chosen(IDC_IMAGES_CAPTION_SOURCE, 2);
    editor.CheckClicked(IDX_SETTINGS_BROWSE_KEYS, true);
    EXPECT_EQ(C(IDC_SETTINGS_PICTURES_ON).selected, 0);
    editor.Chosen(IDC_SETTINGS_PICTURES_ON, 2);
    EXPECT_TRUE(editor.settingsChanged);
    ASSERT_TRUE(editor.OnOk());
    EXPECT_EQ(Stored("font", "captionSource"), "2");
    EXPECT_EQ(Stored("image", "browseKeys"), "1");
    EXPECT_EQ(Stored("image", "picturesOn"), "2");
}

// The text under "Pictures on" says what the chosen setting does, whether the user chose it or a
// theme held it (numbers as numbers); a text the saver takes as the main monitor reads as that.
// It is never saved.
TEST_F(EditorTest, PicturesOnExplainsItsChoiceWithoutSavingIt) {
    const std::string texts[] = {
        "The other monitors show the background.",
        "Each monitor shows its own pictures, changing in turn; portrait pictures go to upright "
        "monitors.",
        "Every monitor shows the picture of the main one, changing together."};
    const std::pair<const char*, int> values[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"2.0", 2},
                                                  {"7", 0}, {"", 0},  {"x", 0}};
    for (const auto& [value, text] : values) {
        EXPECT_EQ(ChoiceExplanation(*EditorRow(IDC_SETTINGS_PICTURES_ON), value), texts[text])
            << value;
    }
    editor.Open();
    EXPECT_EQ(C(IDT_SETTINGS_PICTURES_ON_HINT).text, texts[0]);
    for (const auto& [loaded, shown] : {std::pair("1", 1), std::pair("2.0", 2)}) {
        Edit("image", "picturesOn", loaded);
        ASSERT_TRUE(editor.SwitchToTheme("Orvelle"));
        EXPECT_EQ(C(IDC_SETTINGS_PICTURES_ON).selected, shown) << loaded;
        EXPECT_EQ(C(IDT_SETTINGS_PICTURES_ON_HINT).text, texts[shown]) << loaded;
    }
    for (int chosen : {1, 0, 2}) {
        editor.Chosen(IDC_SETTINGS_PICTURES_ON, chosen);
        EXPECT_EQ(C(IDT_SETTINGS_PICTURES_ON_HINT).text, texts[chosen]) << chosen;
    }
    ASSERT_TRUE(editor.OnOk());
    EXPECT_EQ(Stored("image", "picturesOn"), "2");
    EXPECT_EQ(files.Get(editor_test::kTheme).find("changing together"), std::string::npos);
}

}  // namespace
}  // namespace orvelle
