// The editor's folder entries (their counts, first pictures and stored text), the picture order
// boxes, and the picture kinds taken from the machine's decoders.
#include <gtest/gtest.h>

#include "config/control_ids.h"
#include "config/folder_counts.h"
#include "editor_fixture.h"

namespace orvelle {
namespace {

using editor_test::EditorTest;
using editor_test::kFolder;

ScanNews News(std::uint32_t ticket, ScanNews::Kind kind, int root, bool complete,
              const std::vector<std::string>& names) {
    ScanNews news;
    news.ticket = ticket;
    news.kind = kind;
    news.root = root;
    news.complete = complete;
    for (const std::string& name : names) {
        news.pictures.paths.Add(name);
    }
    return news;
}

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back("p" + std::to_string(i) + ".jpg");
    }
    return names;
}

TEST(FolderCounts, CountsAndFirstPicturesFollowTheScansNews) {
    for (const auto& [value, text] : std::vector<std::pair<std::int64_t, const char*>>{
             {0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}, {-4321, "-4,321"}}) {
        EXPECT_EQ(GroupedNumber(value), text);
    }
    FolderCounts counts;
    const std::string a = "D:\\A\\";
    const std::string b = "E:\\B\\";
    const std::string c = "F:\\C\\";
    // Each folder once, whatever its case; folders already counted need no scan.
    const std::optional<ScanRequest> first = counts.Track({a, b, "d:\\a\\"}, "C:\\S\\T.scan");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->roots, (std::vector<std::string>{a, b}));
    EXPECT_EQ(first->cacheFile, "C:\\S\\T.scan");
    EXPECT_TRUE(first->fromCache && first->walkCached);
    EXPECT_FALSE(counts.Track({b, a}, "C:\\S\\T.scan").has_value());
    const std::uint32_t t1 = first->ticket;
    const std::uint32_t t2 = t1 + 1;
    const std::uint32_t t3 = t1 + 2;
    struct Step {
        ScanNews news;
        std::vector<std::string> changed;
        const char* shownA;
        const char* firstA;
        std::vector<std::string> track = {};  // folders tracked before the news
    };
    const std::string counting = "D:\\A\\  (counting pictures...)";
    const Step steps[] = {
        // A tree seen for the first time: its first picture at once, its count once whole.
        {News(t1, ScanNews::Found, 0, false, {"2019\\x.jpg", "y.jpg"}),
         {a},
         counting.c_str(),
         "D:\\A\\2019\\x.jpg"},
        {News(t1, ScanNews::Found, 0, false, {}), {}, counting.c_str(), "D:\\A\\2019\\x.jpg"},
        {News(t1, ScanNews::Found, 0, true, {"z.png"}),
         {a},
         "D:\\A\\  (3 pictures)",
         "D:\\A\\2019\\x.jpg"},
        // Another scan's news is not listened to; another folder's leaves A alone.
        {News(t1 + 7, ScanNews::Whole, 0, true, {}),
         {},
         "D:\\A\\  (3 pictures)",
         "D:\\A\\2019\\x.jpg"},
        {News(t1, ScanNews::Whole, 1, true, {"one.jpg"}),
         {b},
         "D:\\A\\  (3 pictures)",
         "D:\\A\\2019\\x.jpg"},
        // A new folder: all scanned again, A from the cache, then walked and found the same.
        {News(t2, ScanNews::Whole, 0, true, Numbered(1234)),
         {a},
         "D:\\A\\  (1,234 pictures)",
         "D:\\A\\p0.jpg",
         {a, b, c}},
        {News(t2, ScanNews::Unchanged, 0, true, {}),
         {},
         "D:\\A\\  (1,234 pictures)",
         "D:\\A\\p0.jpg"},
        {News(t2, ScanNews::Found, 2, false, {"c.jpg"}),
         {c},
         "D:\\A\\  (1,234 pictures)",
         "D:\\A\\p0.jpg"},
        {News(t2, ScanNews::Finished, -1, true, {}),
         {c},
         "D:\\A\\  (1,234 pictures)",
         "D:\\A\\p0.jpg"},
        // Walked again without a cache: the old count stays until the new one is whole.
        {News(t3, ScanNews::Found, 0, false, {"new.jpg"}),
         {},
         "D:\\A\\  (1,234 pictures)",
         "D:\\A\\p0.jpg",
         {a, "G:\\"}},
        {News(t3, ScanNews::Found, 0, true, {}), {a}, "D:\\A\\  (1 picture)", "D:\\A\\new.jpg"},
        {News(t3, ScanNews::Whole, 0, true, {}), {a}, "D:\\A\\  (0 pictures)", ""},
    };
    int n = 0;
    for (const Step& step : steps) {
        if (!step.track.empty()) {
            EXPECT_TRUE(counts.Track(step.track, "").has_value()) << n;
        }
        EXPECT_EQ(counts.Apply(step.news), step.changed) << n;
        EXPECT_EQ(counts.Shown("D:\\A\\", a), step.shownA) << n;
        EXPECT_EQ(counts.FirstPicture(a), step.firstA) << n;
        ++n;
    }
    EXPECT_EQ(counts.Shown("E:\\B\\", b), "E:\\B\\  (1 picture)");
    EXPECT_EQ(counts.Shown("f:\\c\\", c), "f:\\c\\  (1 picture)");
    // Another theme: nothing known, the old scan's news not listened to.
    counts.Reset();
    EXPECT_TRUE(counts.Apply(News(t3, ScanNews::Whole, 0, true, {"p.jpg"})).empty());
    EXPECT_EQ(counts.Shown("D:\\A\\", a), counting);
    EXPECT_EQ(counts.FirstPicture(b), "");
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
    const std::size_t before = C(IDL_IMAGES_PICTURES).items.size();
    services.folders = {std::nullopt, std::string("D:\\Photos"), std::string("E:\\")};
    editor.Clicked(IDB_IMAGES_FOLDER_ENTRY);  // cancelled: nothing at all
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.size(), before);
    EXPECT_FALSE(editor.settingsChanged);
    editor.Clicked(IDB_IMAGES_FOLDER_ENTRY);
    ASSERT_EQ(C(IDL_IMAGES_PICTURES).items.size(), before + 1);
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.back(), "D:\\Photos\\");
    EXPECT_EQ(C(IDL_EDITOR_CAPTIONS).items.back(), "");
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).selected, static_cast<int>(before));
    EXPECT_EQ(C(IDT_IMAGES_TOTAL).text, "Total: " + std::to_string(before + 1));
    EXPECT_TRUE(editor.settingsChanged);
    EXPECT_EQ(services.folderTitles.back(), "Choose a folder of pictures");
    ASSERT_EQ(services.scans.size(), 2u);
    const ScanRequest scan = services.scans.back();
    EXPECT_EQ(scan.roots, (std::vector<std::string>{kFolder + "samples\\", "D:\\Photos\\"}));
    // Counting: said so, an empty preview, no message.
    EXPECT_EQ(editor.ShownItem(IDL_IMAGES_PICTURES, "D:\\Photos\\"),
              "D:\\Photos\\  (counting pictures...)");
    EXPECT_FALSE(editor.preview.shown);
    EXPECT_TRUE(services.messages.empty());
    // Counted: the entry is shown again with its count, and its first picture previewed.
    services.pictures["D:\\Photos\\2019\\a.jpg"] = {300, 200};
    editor.controls.TakeChanged();
    editor.FoldersScanned(News(scan.ticket, ScanNews::Found, 1, true, {"2019\\a.jpg", "b.jpg"}));
    EXPECT_EQ(editor.ShownItem(IDL_IMAGES_PICTURES, "D:\\Photos\\"), "D:\\Photos\\  (2 pictures)");
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).recentEdits.back().index, static_cast<int>(before));
    EXPECT_EQ(editor.preview.path, "D:\\Photos\\2019\\a.jpg");
    EXPECT_TRUE(editor.preview.shown);
    editor.DoubleClicked(IDL_IMAGES_PICTURES);
    EXPECT_EQ(services.viewed.back(), "D:\\Photos\\2019\\a.jpg");
    // A file entry shows as stored; a drive's root keeps its one backslash.
    EXPECT_EQ(editor.ShownItem(IDL_IMAGES_PICTURES, "tovak.gif"), "tovak.gif");
    EXPECT_EQ(editor.ShownItem(IDL_MUSIC_FILES, "x\\"), "x\\");
    editor.Clicked(IDB_IMAGES_FOLDER_ENTRY);
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.back(), "E:\\");
    EXPECT_EQ(services.scans.size(), 3u);
    // The entry of a folder with no pictures yet shows no picture and says nothing.
    editor.Chosen(IDL_IMAGES_PICTURES, 1);
    EXPECT_FALSE(editor.preview.shown);
    EXPECT_TRUE(services.messages.empty());
    ASSERT_TRUE(editor.OnOk());
    EXPECT_EQ(Stored("images", "1"), "samples\\");
    EXPECT_EQ(Stored("images", std::to_string(before)), "D:\\Photos\\");
    EXPECT_EQ(Stored("images", std::to_string(before + 1)), "E:\\");
}

// Random order opens "once before any repeats" and closes "carry on" (list order's); a theme
// without the keys shows both off and saves them as off, which means what it meant.
TEST_F(EditorTest, PictureOrderBoxesWriteTheirKeysAndFollowRandomOrder) {
    struct Case {
        const char* random;
        const char* noRepeats;  // nullptr: the key is missing
        const char* resume;
    };
    const Case cases[] = {
        {"0", nullptr, nullptr},
        {"1", "1", "0"},
        {"1", "0", "1"},
        {"0", "1", "1"},
    };
    editor.Open();
    for (const Case& c : cases) {
        Edit("image", "randomPick", c.random);
        if (c.noRepeats) {
            Edit("image", "randomNoRepeats", c.noRepeats);
            Edit("image", "resumeListOrder", c.resume);
        }
        ASSERT_TRUE(editor.SwitchToTheme("Orvelle"));
        const bool random = std::string(c.random) == "1";
        const std::string label = std::string(c.random) + (c.noRepeats ? c.noRepeats : "-");
        EXPECT_EQ(C(IDX_SETTINGS_RANDOM).checked, random) << label;
        EXPECT_EQ(C(IDX_SETTINGS_NO_REPEATS).checked, c.noRepeats && *c.noRepeats == '1') << label;
        EXPECT_EQ(C(IDX_SETTINGS_RESUME).checked, c.resume && *c.resume == '1') << label;
        EXPECT_EQ(C(IDX_SETTINGS_NO_REPEATS).enabled, random) << label;
        EXPECT_EQ(C(IDX_SETTINGS_RESUME).enabled, !random) << label;
        EXPECT_FALSE(editor.settingsChanged) << label;
        ASSERT_TRUE(editor.OnOk());
        EXPECT_EQ(Stored("image", "randomNoRepeats"), c.noRepeats ? c.noRepeats : "0") << label;
        EXPECT_EQ(Stored("image", "resumeListOrder"), c.resume ? c.resume : "0") << label;
    }
    editor.CheckClicked(IDX_SETTINGS_RANDOM, true);
    EXPECT_TRUE(C(IDX_SETTINGS_NO_REPEATS).enabled);
    EXPECT_FALSE(C(IDX_SETTINGS_RESUME).enabled);
    editor.settingsChanged = false;
    editor.CheckClicked(IDX_SETTINGS_NO_REPEATS, false);
    EXPECT_EQ(editor.settings.randomNoRepeats, "0");
    EXPECT_TRUE(editor.settingsChanged);
}

// The file dialogs and the folder import take the kinds the machine's decoders read.
TEST_F(EditorTest, FileDialogsOfferTheDecodersKinds) {
    services.codecs = {{"PNG Decoder", {".png"}}, {"WebP Decoder", {".webp"}}};
    editor.Open();
    services.files = {std::nullopt, std::nullopt};
    editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, "Add");
    editor.Clicked(IDO_BACKGROUND_PICTURE);
    editor.Clicked(IDB_BACKGROUND_ADD_PICTURE);
    ASSERT_EQ(services.fileRequests.size(), 2u);
    for (const OpenFileRequest& request : services.fileRequests) {
        EXPECT_EQ(request.filter, PictureFileFilter(services.codecs));
        EXPECT_NE(request.filter.find("|WebP files (*.webp)|*.webp"), std::string::npos);
        EXPECT_EQ(request.title, "Select a file to open");
    }
}

}  // namespace
}  // namespace orvelle
