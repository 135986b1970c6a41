#include "config/theme_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "config/control_ids.h"
#include "config/folder_import.h"
#include "editor_fixture.h"

namespace orvelle {
namespace {

using namespace editor_test;

TEST_F(EditorTest, LoadsTheBundledThemeIntoEveryControl) {
    editor.Open();
    EXPECT_EQ(services.messages, std::vector<std::string>{});
    EXPECT_EQ(editor.title, "Orvelle Screen Saver - [Orvelle]");
    EXPECT_FALSE(editor.settingsChanged);
    EXPECT_EQ(editor.mouseSensitivity, "23");
    struct Shown {
        int id;
        const char* text;
    };
    for (const Shown& s : std::initializer_list<Shown>{{IDT_IMAGES_TOTAL, "Total: 7"},
                                                       {IDT_IMAGES_POSITION, "Position: 1"},
                                                       {IDE_IMAGES_CAPTION, "Welcome to Orvelle"},
                                                       {IDT_MUSIC_TOTAL, "Total: 2"},
                                                       {IDE_SETTINGS_INTERVAL, "8"},
                                                       {IDT_SETTINGS_PERCENT, "80%"},
                                                       {IDT_BACKGROUND_RED, "Red = 200"},
                                                       {IDT_BACKGROUND_GREEN, "Green = 225"},
                                                       {IDT_BACKGROUND_BLUE, "Blue = 255"},
                                                       {IDC_COUNTDOWN_MONTH, "12"},
                                                       {IDC_COUNTDOWN_DAY, "25"},
                                                       {IDC_COUNTDOWN_YEAR, "2027"}}) {
        EXPECT_EQ(C(s.id).text, s.text) << s.id;
    }
    for (int id : {IDO_SETTINGS_AFTER, IDO_SETTINGS_CENTRED, IDO_IMAGES_CENTRED,
                   IDO_BACKGROUND_GRADIENT, IDO_BACKGROUND_CENTRED, IDO_COUNTDOWN_TIME}) {
        EXPECT_TRUE(C(id).checked) << id;
    }
    for (int id : {IDO_SETTINGS_NEVER, IDO_SETTINGS_FLOATING, IDO_IMAGES_SCROLLING,
                   IDO_BACKGROUND_COLOUR, IDX_SETTINGS_RANDOM, IDO_COUNTDOWN_TO_DATE}) {
        EXPECT_FALSE(C(id).checked) << id;
    }
    // Enabling follows the options; the slider positions are the theme's.
    for (int id : {IDK_SETTINGS_FLOAT_SPEED, IDK_IMAGES_SCROLL_SPEED, IDB_BACKGROUND_CHOOSE_COLOUR,
                   IDB_BACKGROUND_ADD_PICTURE, IDC_COUNTDOWN_MONTH, IDB_MUSIC_PLAY}) {
        EXPECT_FALSE(C(id).enabled) << id;
    }
    for (int id : {IDE_SETTINGS_INTERVAL, IDK_SETTINGS_INTERVAL, IDK_BACKGROUND_RED, IDG_MUSIC}) {
        EXPECT_TRUE(C(id).enabled) << id;
    }
    EXPECT_EQ(C(IDK_SETTINGS_SIZE).value, 80);
    EXPECT_EQ(C(IDK_SETTINGS_FLOAT_SPEED).value, 2);
    EXPECT_EQ(C(IDK_SETTINGS_INTERVAL).value, 8);
    EXPECT_EQ(C(IDK_BACKGROUND_BLUE).value, 255);
    EXPECT_EQ(C(IDG_BACKGROUND_GRADIENT).captionColour, 0x00FF0000u);
    EXPECT_EQ(C(IDP_IMAGES_FONT_COLOUR).backColour, 5515288u);
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.size(), 7u);
    EXPECT_EQ(C(IDL_MUSIC_FILES).items[1], "music\\orvelle-evening.wav");
    EXPECT_EQ(C(IDL_SETTINGS_TRANSITIONS).marked,
              (std::vector<bool>{false, true, false, true, true, false, true, false, true}));
    EXPECT_EQ(editor.gradient[0], 0x00FFE1C8u);
    EXPECT_EQ(editor.preview.path, kFolder + "tovak.gif");  // resolved from the relative name
    EXPECT_FALSE(C(IDT_MUSIC_NO_SOUND).visible);
}

// Texts replaced by texts, each found once.
using Edits = std::vector<std::pair<std::string, std::string>>;
std::string Edited(std::string text, const Edits& edits) {
    for (const auto& [from, to] : edits) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    return text;
}

// Theme and template texts edited, and what the load and a save then give.
struct LoadCase {
    Edits theme;
    Edits templ;
    std::string message;  // a part of the one message, "" for none
    std::map<std::string, std::string> stored;
    std::size_t pictures;
};
std::vector<LoadCase> LoadCases(const std::string& bundled) {
    const std::string whole = "Orvelle holds no settings that could be read";
    return {
        {{{"picturePercent=80", "picturePercent=abc"},
          {"newFontName=Arial\r\n", ""},
          {"bRightWipe=0", "bRightWipe=x"},
          {"scrollSpeed=150", "scrollSpeed=999"}},
         {{"picturePercent=80", "picturePercent=55"}, {"scrollSpeed=150", "scrollSpeed=abc"}},
         "Some settings of the theme Orvelle could not be read and were replaced by default "
         "values: picturePercent, scrollSpeed, bRightWipe, newFontName.",
         {{"image/picturePercent", "55"},  // the template's
          {"font/scrollSpeed", "150"},     // the program's own
          {"transitions/bRightWipe", "1"},
          {"font/newFontName", "Arial"},
          {"image/timeInterval", "8"},
          {"date/countdownYear", "2027"}},
         7},
        {{{"total=7", "total=99999"}}, {}, "", {{"total/total", "7"}}, 7},
        {{{"total=7\r\n", ""}, {"2=samples\\aurora.jpg\r\n", ""}},
         {},
         "values: total.",
         {{"total/total", "6"}, {"caption/2", "The sun comes down to meet the sea"}},
         6},
        {{{bundled, "\x01\x02 no profile here"}}, {}, whole, {{"images/0", "tovak.gif"}}, 1},
        {{{bundled, ""}},
         {{"timeInterval=10", "timeInterval=x"}},
         whole,
         {{"image/timeInterval", "10"}},
         1},
    };
}

// A value the editor cannot show takes the template's, else the program's own; the load goes on,
// one message names what was replaced, and OK writes every key, none of them blank.
TEST_F(EditorTest, UnusableValuesAreReplacedAndOkWritesEveryKey) {
    const std::string bundled = files.Get(kTheme);
    const std::string usual = Slurp(fs::path(ORVELLE_SOURCE_DIR) / "program/orvelletemp.ini");
    for (const LoadCase& c : LoadCases(bundled)) {
        SCOPED_TRACE(c.message);
        files.Put(kTheme, Edited(bundled, c.theme));
        files.Put(kFolder + "orvelletemp.ini", Edited(usual, c.templ));
        services.messages.clear();
        editor.Open();
        ASSERT_EQ(services.messages.size(), c.message.empty() ? 0u : 1u);
        EXPECT_TRUE(c.message.empty() || services.messages[0].find(c.message) != std::string::npos)
            << services.messages[0];
        EXPECT_EQ(editor.title, "Orvelle Screen Saver - [Orvelle]");
        EXPECT_FALSE(editor.settingsChanged);
        EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.size(), c.pictures);
        EXPECT_EQ(C(IDL_EDITOR_CAPTIONS).items.size(), c.pictures);
        ASSERT_TRUE(editor.OnOk());
        for (const ThemeKeyInfo& info : ThemeKeys()) {
            EXPECT_TRUE(info.id == ThemeKey::backgroundImage ||
                        !Stored(info.section, info.key).empty())
                << info.key;
        }
        for (const auto& [where, value] : c.stored) {
            const std::size_t slash = where.find('/');
            EXPECT_EQ(Stored(where.substr(0, slash), where.substr(slash + 1)), value) << where;
        }
    }
}

// A file that is there but cannot be read (locked, denied) shows the template and is never
// written: OK says why.
TEST_F(EditorTest, UnreadableThemeIsNeverWritten) {
    files.Put(kFolder + "orvelletemp.ini",
              Slurp(fs::path(ORVELLE_SOURCE_DIR) / "program/orvelletemp.ini"));
    files.FailReadsOf(kTheme);
    editor.Open();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].rfind(kLoadFailed + " The theme file " + kTheme, 0), 0u);
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items, std::vector<std::string>{"tovak.gif"});
    EXPECT_EQ(editor.title, "Orvelle Screen Saver - [Orvelle]");
    EXPECT_FALSE(editor.OnOk());
    EXPECT_NE(services.messages.back().find(kTheme + " could not be read"), std::string::npos);
    EXPECT_EQ(files.TotalReplaceCount(), 0);
}

TEST_F(EditorTest, OddValuesLoadAsWritten) {
    Edit("image", "picRandom", "CENT");     // the comparison is exact: floating
    Edit("background", "backEffect", "7");  // no kind switched on
    Edit("total", "total", "9");            // two keys fewer than it says: not made up
    editor.Open();
    EXPECT_EQ(services.messages, std::vector<std::string>{});
    EXPECT_TRUE(C(IDO_SETTINGS_FLOATING).checked);
    for (int id : {IDO_BACKGROUND_COLOUR, IDO_BACKGROUND_DESKTOP, IDO_BACKGROUND_PICTURE,
                   IDO_BACKGROUND_GRADIENT}) {
        EXPECT_FALSE(C(id).checked) << id;
    }
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.size(), 7u);
    EXPECT_EQ(editor.title, "Orvelle Screen Saver - [Orvelle]");
}

TEST_F(EditorTest, SaveChecksRunInOrderAndWriteNothingWhenOneFails) {
    editor.Open();
    const std::string before = files.Get(kTheme);
    struct Case {
        int pictures;
        const char* backEffect;
        const char* timeDisplay;
        const char* date;  // month/day/year
        const char* message;
    };
    const Case cases[] = {
        {0, "2", "2", "02/30/2001",
         "There are no images loaded in the Screen Saver. Load at least one image file to be "
         "displayed."},
        {1, "2", "2", "02/30/2001",
         "You must enter a background image for the 'Custom background Image' feature or make "
         "another background selection."},
        {1, "0", "2", "02/29/2001", "Countdown date is invalid. Please choose a different date."},
        {1, "0", "2", "aa/01/2001", "Countdown date is invalid. Please choose a different date."},
        {1, "0", "2", "02/29/2004", nullptr},
        {1, "0", "1", "02/31/2001", nullptr},
    };
    for (const Case& c : cases) {
        editor.controls.SetItems(IDL_IMAGES_PICTURES,
                                 std::vector<std::string>(c.pictures, "a.jpg"));
        editor.settings.backEffect = c.backEffect;
        editor.settings.timeDisplay = c.timeDisplay;
        const std::string date = c.date;
        editor.settings.countdownMonth = date.substr(0, 2);
        editor.settings.countdownDay = date.substr(3, 2);
        editor.settings.countdownYear = date.substr(6);
        services.messages.clear();
        const bool closes = editor.OnOk();
        EXPECT_EQ(closes, c.message == nullptr) << c.date;
        EXPECT_EQ(services.messages,
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.date;
        if (c.message) {
            EXPECT_EQ(files.Get(kTheme), before) << c.date;
        }
    }
    EXPECT_EQ(Stored("date", "countdownDay"), "31");  // kept as chosen while the clock shows
}

TEST_F(EditorTest, SaveWritesTheListsWhole) {
    editor.Open();
    editor.controls.SetItems(IDL_IMAGES_PICTURES, {"a.jpg", "b.jpg"});
    editor.controls.SetItems(IDL_EDITOR_CAPTIONS, {"A", ""});
    editor.controls.SetMarked(IDL_SETTINGS_TRANSITIONS, 4, false);  // Center Wipe off
    ASSERT_TRUE(editor.OnOk());
    EXPECT_EQ(Stored("total", "total"), "2");
    EXPECT_EQ(Stored("images", "1"), "b.jpg");
    EXPECT_EQ(Stored("images", "2"), "");
    EXPECT_EQ(Stored("caption", "0"), "A");
    EXPECT_EQ(Stored("caption", "6"), "");
    EXPECT_EQ(Stored("transitions", "bCenter"), "0");
    EXPECT_EQ(Stored("transitions", "bRightandLeftWipe"), "1");
    EXPECT_EQ(Stored("image", "timeInterval"), "8");  // untouched texts written back unchanged
    EXPECT_FALSE(services.busy);

    files.FailWritesTo(kTheme);
    editor.Clicked(IDO_SETTINGS_NEVER);
    EXPECT_FALSE(editor.OnOk());
    EXPECT_EQ(services.messages.back(),
              "Could not save Screen Saver. If problem persists, please create a new Screen Saver "
              "theme. The file " +
                  kTheme + " could not be written.");
    EXPECT_EQ(Stored("total", "total"), "2");
}

TEST_F(EditorTest, HandlersWriteTheirSettingsAndFollowTheEnablingRules) {
    editor.Open();
    // Never, then After...: the interval stays 0 until the scroll bar moves.
    editor.Clicked(IDO_SETTINGS_NEVER);
    EXPECT_EQ(editor.settings.timeInterval, "0");
    EXPECT_EQ(C(IDE_SETTINGS_INTERVAL).text, "0");
    EXPECT_FALSE(C(IDK_SETTINGS_INTERVAL).enabled);
    EXPECT_EQ(C(IDK_SETTINGS_INTERVAL).value, 8);
    editor.Clicked(IDO_SETTINGS_AFTER);
    EXPECT_EQ(editor.settings.picChange, "ch");
    EXPECT_EQ(editor.settings.timeInterval, "0");
    editor.Scrolled(IDK_SETTINGS_INTERVAL, 9);
    EXPECT_EQ(editor.settings.timeInterval, "9");
    EXPECT_EQ(C(IDE_SETTINGS_INTERVAL).text, "9");
    // Center keeps the float speed.
    editor.Clicked(IDO_SETTINGS_FLOATING);
    editor.Scrolled(IDK_SETTINGS_FLOAT_SPEED, 4);
    editor.Clicked(IDO_SETTINGS_CENTRED);
    EXPECT_EQ(editor.settings.picSpeed, "4");
    EXPECT_FALSE(C(IDK_SETTINGS_FLOAT_SPEED).enabled);
    // Desktop greys every group and keeps their values.
    editor.Clicked(IDO_BACKGROUND_DESKTOP);
    EXPECT_EQ(editor.settings.backEffect, "1");
    for (int id : {IDB_BACKGROUND_CHOOSE_COLOUR, IDB_BACKGROUND_ADD_PICTURE, IDK_BACKGROUND_RED,
                   IDG_BACKGROUND_GRADIENT}) {
        EXPECT_FALSE(C(id).enabled) << id;
    }
    EXPECT_EQ(C(IDG_BACKGROUND_GRADIENT).captionColour, kButtonTextColour);
    EXPECT_EQ(editor.settings.redBackground, "200");
    // The gradient's bands follow the sliders.
    editor.Scrolled(IDK_BACKGROUND_RED, 255);
    editor.Scrolled(IDK_BACKGROUND_GREEN, 0);
    editor.Scrolled(IDK_BACKGROUND_BLUE, 128);
    EXPECT_EQ(C(IDT_BACKGROUND_RED).text, "Red = 255");
    EXPECT_EQ(editor.gradient[0], 0x008000FFu);
    EXPECT_EQ(editor.gradient[128], 0x0000007Fu);
    EXPECT_EQ(editor.gradient[255], 0u);
    // The colour dialog opens on the theme's colour and stores the chosen one.
    services.colour = std::optional<Colour>(0x00FF8000u);
    editor.Clicked(IDB_BACKGROUND_CHOOSE_COLOUR);
    EXPECT_EQ(services.colourOpenedWith, 0u);
    EXPECT_EQ(editor.settings.newBackColor, "16744448");
    EXPECT_EQ(C(IDP_BACKGROUND_COLOUR).backColour, 0x00FF8000u);
    // The countdown: its lists open only with the countdown, and store what is chosen.
    editor.Clicked(IDO_COUNTDOWN_TO_DATE);
    EXPECT_TRUE(C(IDC_COUNTDOWN_DAY).enabled);
    editor.Chosen(IDC_COUNTDOWN_MONTH, 1);
    EXPECT_EQ(editor.settings.countdownMonth, "02");
    EXPECT_EQ(editor.settings.timeDisplay, "2");
    editor.Scrolled(IDK_SETTINGS_SIZE, 75);
    EXPECT_EQ(C(IDT_SETTINGS_PERCENT).text, "75%");
    EXPECT_TRUE(editor.settingsChanged);
}

// One background picture at a time, and only a file that loads as a picture.
TEST_F(EditorTest, BackgroundPictureIsOneThatLoads) {
    editor.Open();
    editor.Clicked(IDO_BACKGROUND_PICTURE);
    // Remove with none, Add a file that is no picture (refused), Add, Add again.
    editor.Clicked(IDB_BACKGROUND_REMOVE_PICTURE);
    services.files = {std::string("D:\\notes.txt"), std::string("D:\\back.jpg")};
    services.pictures["D:\\back.jpg"] = {64, 48};
    editor.Clicked(IDB_BACKGROUND_ADD_PICTURE);
    EXPECT_EQ(editor.settings.backgroundImage, "");
    EXPECT_EQ(C(IDE_BACKGROUND_PICTURE_FILE).text, "");
    editor.Clicked(IDB_BACKGROUND_ADD_PICTURE);
    editor.Clicked(IDB_BACKGROUND_ADD_PICTURE);
    EXPECT_EQ(services.messages,
              (std::vector<std::string>{"Nothing to remove.", "No file has been selected.",
                                        "You can only display 1 background image."}));
    EXPECT_EQ(editor.settings.backgroundImage, "D:\\back.jpg");
    EXPECT_EQ(editor.backgroundThumbnail, "D:\\back.jpg");
    ASSERT_EQ(services.fileRequests.size(), 2u);
    EXPECT_EQ(services.fileRequests[0].flags, 0x1004u);
}

// What the boxes show is what is saved: typed seconds and dates are stored as typed and checked
// at OK; the music's random order and a transition switched on or off are edits.
TEST_F(EditorTest, TypedValuesAreSavedAndCheckedAtOk) {
    editor.Open();
    editor.CheckClicked(IDX_MUSIC_RANDOM, true);
    editor.Marked(IDL_SETTINGS_TRANSITIONS, 0, true);
    editor.Clicked(IDO_COUNTDOWN_TO_DATE);
    const char* seconds =
        "The time each picture stays (After... Seconds) must be a whole number "
        "from 0 to 60.";
    // Typed seconds, the scroll bar after them, a typed month, what OK says (nullptr: saved).
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"75", 8, "02", seconds},
        {"7.5", 8, "02", seconds},
        {"15", 15, "2x", "Countdown date is invalid. Please choose a different date."},
        {"15", 15, "03", nullptr},
    };
    for (const auto& [typed, bar, month, message] : cases) {
        editor.controls.SetValue(IDK_SETTINGS_INTERVAL, 8);
        editor.TextChanged(IDE_SETTINGS_INTERVAL, typed);
        EXPECT_EQ(C(IDK_SETTINGS_INTERVAL).value, bar) << typed;
        editor.TextChanged(IDC_COUNTDOWN_MONTH, month);
        services.messages.clear();
        EXPECT_EQ(editor.OnOk(), message == nullptr) << typed;
        EXPECT_EQ(services.messages,
                  message ? std::vector<std::string>{message} : std::vector<std::string>{});
    }
    EXPECT_EQ(Stored("image", "timeInterval") + " " + Stored("date", "countdownMonth") + " " +
                  Stored("image", "randomMedia") + Stored("transitions", "bStandard"),
              "15 03 11");
}

TEST_F(EditorTest, PreviewShrinksByTenthsUntilItFitsAndCentres) {
    services.twips = 1;  // sizes in twips
    struct Case {
        PixelSize picture;
        PixelRect drawn;
    };
    const Case cases[] = {
        {{5500, 3630}, {60, 40, 2631, 1736}},
        {{1000, 815}, {875, 500, 1000, 815}},
        {{2750, 1815}, {0, 0, 2750, 1815}},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = "C:\\p" + std::to_string(n++) + ".bmp";
        services.pictures[path] = c.picture;
        ASSERT_TRUE(editor.images.PreviewPicture(path));
        EXPECT_EQ(editor.preview.rect, c.drawn) << path;
    }
    // A picture that fails is tried again the next time, and loads once it is there.
    EXPECT_FALSE(editor.images.PreviewPicture("C:\\late.bmp"));
    EXPECT_FALSE(editor.images.PreviewPicture("C:\\late.bmp"));
    services.pictures["C:\\late.bmp"] = {100, 100};
    EXPECT_TRUE(editor.images.PreviewPicture("C:\\late.bmp"));
    EXPECT_EQ(editor.preview.rect, (PixelRect{1325, 858, 100, 100}));
}

// The picture list and its captions stay parallel through every operation.
TEST_F(EditorTest, PictureListOperationsKeepCaptionsAlongAndSelectAsTheUserExpects) {
    editor.Open();
    services.pictures["C:\\a.jpg"] = services.pictures["C:\\b.jpg"] =
        services.pictures["C:\\c.jpg"] = {40, 30};
    auto lists = [&] {
        std::string out;
        for (std::size_t i = 0; i < C(IDL_IMAGES_PICTURES).items.size(); ++i) {
            out += C(IDL_IMAGES_PICTURES).items[i] + "=" + C(IDL_EDITOR_CAPTIONS).items[i] + " ";
        }
        return out + "@" + std::to_string(C(IDL_IMAGES_PICTURES).selected) + " " +
               C(IDT_IMAGES_TOTAL).text;
    };
    auto reset = [&] {
        editor.controls.SetItems(IDL_IMAGES_PICTURES, {"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg"});
        editor.controls.SetItems(IDL_EDITOR_CAPTIONS, {"A", "B", "C"});
    };
    struct Step {
        int select;  // -1: leave
        const char* key;
        const char* after;
    };
    const Step steps[] = {
        {0, "Delete", "C:\\b.jpg=B C:\\c.jpg=C @0 Total: 2"},
        {1, "Delete", "C:\\a.jpg=A C:\\c.jpg=C @0 Total: 2"},
        {2, "Up", "C:\\a.jpg=A C:\\c.jpg=C C:\\b.jpg=B @1 Total: 3"},
        {0, "Down", "C:\\b.jpg=B C:\\a.jpg=A C:\\c.jpg=C @1 Total: 3"},
        {0, "Up", "C:\\a.jpg=A C:\\b.jpg=B C:\\c.jpg=C @0 Total: 3"},
        {2, "Down", "C:\\a.jpg=A C:\\b.jpg=B C:\\c.jpg=C @2 Total: 3"},
    };
    for (const Step& step : steps) {
        reset();
        editor.controls.SetText(IDT_IMAGES_TOTAL, "Total: 3");
        editor.Chosen(IDL_IMAGES_PICTURES, step.select);
        services.messages.clear();
        editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, step.key);
        EXPECT_EQ(lists(), step.after) << step.key << " " << step.select;
        EXPECT_EQ(services.messages, std::vector<std::string>{}) << step.key;
        EXPECT_EQ(C(IDE_IMAGES_CAPTION).text,
                  C(IDL_EDITOR_CAPTIONS)
                      .items[static_cast<std::size_t>(C(IDL_IMAGES_PICTURES).selected)]);
    }
}

TEST_F(EditorTest, PictureListEmptiedLeavesNothingToActOnAndDeleteAllAsks) {
    editor.Open();
    services.pictures["C:\\a.jpg"] = services.pictures["C:\\b.jpg"] = {40, 30};
    auto reset = [&] {
        editor.controls.SetItems(IDL_IMAGES_PICTURES, {"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg"});
        editor.controls.SetItems(IDL_EDITOR_CAPTIONS, {"A", "B", "C"});
    };
    // The only picture deleted: empty boxes and a total of 0. Then nothing is left to act on.
    editor.controls.SetItems(IDL_IMAGES_PICTURES, {"C:\\a.jpg"});
    editor.controls.SetItems(IDL_EDITOR_CAPTIONS, {"A"});
    editor.Chosen(IDL_IMAGES_PICTURES, 0);
    services.messages.clear();
    editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, "Delete");
    EXPECT_EQ(C(IDT_IMAGES_TOTAL).text, "Total: 0");
    EXPECT_EQ(C(IDE_IMAGES_CAPTION).text, "");
    EXPECT_EQ(C(IDT_IMAGES_POSITION).text, "");
    for (const char* key : {"Delete", "Up", "Down"}) {
        editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, key);
    }
    editor.TextChanged(IDE_IMAGES_CAPTION, "x");
    EXPECT_EQ(services.messages,
              (std::vector<std::string>{
                  "Nothing was selected to remove.", "Nothing was selected to move.",
                  "Nothing was selected to move.", "An image must be loaded first."}));
    EXPECT_EQ(C(IDE_IMAGES_CAPTION).text, "");
    // The viewer opens on the chosen picture, program folder resolved, or on nothing.
    reset();
    editor.Chosen(IDL_IMAGES_PICTURES, 1);
    editor.DoubleClicked(IDL_IMAGES_PICTURES);
    editor.controls.SetSelected(IDL_IMAGES_PICTURES, -1);
    editor.ToolbarClicked(IDC_IMAGES_CAPTION_TOOLBAR, "Enlarge");
    EXPECT_EQ(services.viewed, (std::vector<std::string>{"C:\\b.jpg", ""}));
    // Delete all asks first.
    reset();
    services.answers = {MessageAnswer::No, MessageAnswer::Yes};
    editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, "DeleteAll");
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.size(), 3u);
    editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, "DeleteAll");
    EXPECT_TRUE(C(IDL_IMAGES_PICTURES).items.empty());
    EXPECT_TRUE(C(IDL_EDITOR_CAPTIONS).items.empty());
}

TEST_F(EditorTest, AddingWarnsOnceAboveSevenHundredAndCaptionsFollowTheSelection) {
    editor.Open();
    editor.controls.SetItems(IDL_IMAGES_PICTURES, std::vector<std::string>(699, "C:\\a.jpg"));
    editor.controls.SetItems(IDL_EDITOR_CAPTIONS, std::vector<std::string>(699, ""));
    services.pictures["C:\\new.jpg"] = {40, 30};
    services.messages.clear();
    for (int i = 0; i < 3; ++i) {
        services.files.push_back(std::string("C:\\new.jpg"));
        editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, "Add");
    }
    services.files.push_back(std::nullopt);
    editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, "Add");
    EXPECT_EQ(
        services.messages,
        (std::vector<std::string>{
            "It is recommended that the screen saver should have less than 700 loaded images.",
            "No file has been selected."}));
    EXPECT_EQ(C(IDT_IMAGES_TOTAL).text, "Total: 702");
    EXPECT_EQ(C(IDT_IMAGES_POSITION).text, "Position: 702");
    // Typed captions go to the selected picture; clearing empties both.
    editor.TextChanged(IDE_IMAGES_CAPTION, "Beach");
    EXPECT_EQ(C(IDL_EDITOR_CAPTIONS).items[701], "Beach");
    editor.ToolbarClicked(IDC_IMAGES_CAPTION_TOOLBAR, "ClearCaption");
    EXPECT_EQ(C(IDL_EDITOR_CAPTIONS).items[701], "");
    EXPECT_EQ(C(IDE_IMAGES_CAPTION).text, "");
    // The font dialog opens on the theme's font within 10 to 48 points and stores the choice.
    services.font = std::optional<CaptionFontChoice>(
        CaptionFontChoice{"Georgia", 8.25f, true, false, true, false, 0x0000FF});
    editor.ToolbarClicked(IDC_IMAGES_CAPTION_TOOLBAR, "Font");
    EXPECT_EQ(services.fontOpenedWith->face, "Arial");
    EXPECT_EQ(services.fontLimits, (std::pair<int, int>{10, 48}));
    const ThemeSettings& s = editor.settings;
    EXPECT_EQ(s.newFontName + " " + s.newFontSize + " " + s.newFontBold + " " + s.newFontItalic +
                  " " + s.newFontUnderline + " " + s.newFontFontStrikethru + " " +
                  s.newFontForeColor,
              "Georgia 8.25 True False True False 255");
    EXPECT_EQ(C(IDP_IMAGES_FONT_COLOUR).backColour, 0x0000FFu);
}

// Without a sound device nothing of the music tab can be used; its list is still loaded.
TEST_F(EditorTest, MusicTabIsDisabledWithoutSound) {
    services.waveDevices = 0;
    editor.Open();
    EXPECT_TRUE(C(IDT_MUSIC_NO_SOUND).visible);
    EXPECT_EQ(C(IDL_MUSIC_FILES).items.size(), 2u);
    for (int id : {IDG_MUSIC, IDL_MUSIC_FILES, IDC_MUSIC_TOOLBAR, IDX_MUSIC_RANDOM, IDB_MUSIC_PLAY,
                   IDB_MUSIC_STOP, IDC_MUSIC_PROGRESS}) {
        EXPECT_FALSE(C(id).enabled) << id;
    }
}

TEST_F(EditorTest, MusicPlayerStopsForEveryListEditAndClosesAtTheEnd) {
    editor.Open();
    EXPECT_FALSE(C(IDB_MUSIC_PLAY).enabled);
    // The bundled list, relative names resolved for playing; the file sounds for 1000 units.
    editor.Chosen(IDL_MUSIC_FILES, 0);
    EXPECT_EQ(C(IDT_MUSIC_POSITION).text, "Position: 1");
    const std::string alias = "wav0";
    mci.answers["Status " + alias + " length"] = "1000";
    editor.Clicked(IDB_MUSIC_PLAY);
    ASSERT_FALSE(mci.sent.empty());
    EXPECT_NE(mci.sent.front().find(kFolder + "music\\orvelle-morning.wav"), std::string::npos);
    EXPECT_TRUE(editor.musicTimerOn);
    EXPECT_TRUE(C(IDB_MUSIC_STOP).enabled);
    EXPECT_FALSE(C(IDB_MUSIC_PLAY).enabled);
    EXPECT_EQ(C(IDC_MUSIC_PROGRESS).maximum, 1000);
    // Adding while it plays stops it first.
    mci.answers["Status " + alias + " mode"] = "playing";
    services.files = {std::string("C:\\new.mid")};
    editor.ToolbarClicked(IDC_MUSIC_TOOLBAR, "Add");
    EXPECT_EQ(mci.sent.back(), "Close " + alias);
    EXPECT_TRUE(C(IDB_MUSIC_PLAY).enabled);
    EXPECT_FALSE(C(IDB_MUSIC_STOP).enabled);
    EXPECT_EQ(C(IDT_MUSIC_TOTAL).text, "Total: 3");
    EXPECT_EQ(editor.settings.mediaTotal, "3");
    EXPECT_EQ(C(IDT_MUSIC_POSITION).text, "Position: 3");
    EXPECT_EQ(services.fileRequests.back().filter,
              "Media Files (*.mid;*.wav;*.mp3;*.wma;*.m4a;*.aac;*.flac)|*.mid;*.wav;*.mp3;*.wma;"
              "*.m4a;*.aac;*.flac|Midi (*.mid)|*.mid|WaveAudio (*.wav)|*.wav|MP3 (*.mp3)|*.mp3|"
              "WMA (*.wma)|*.wma|M4A (*.m4a)|*.m4a|AAC (*.aac)|*.aac|FLAC (*.flac)|*.flac");
    // Played to its end: closed, Play again, the timer off, the bar full. Stopped by itself at
    // position 0 (compressed music on some systems) is the end too.
    for (const auto& [position, mode] : {std::pair{"1000", "playing"}, std::pair{"0", "stopped"}}) {
        editor.Chosen(IDL_MUSIC_FILES, 0);
        mci.answers.erase("Status " + alias + " mode");
        editor.Clicked(IDB_MUSIC_PLAY);
        mci.answers["Status " + alias + " position"] = position;
        mci.answers["Status " + alias + " mode"] = mode;
        editor.MusicTick();
        EXPECT_FALSE(editor.musicTimerOn) << mode;
        EXPECT_TRUE(C(IDB_MUSIC_PLAY).enabled) << mode;
        EXPECT_EQ(C(IDC_MUSIC_PROGRESS).value, 1000) << mode;
        EXPECT_EQ(mci.sent.back(), "Close " + alias) << mode;
    }
    // A file that does not open says so.
    mci.answers.clear();
    services.messages.clear();
    editor.Clicked(IDB_MUSIC_PLAY);
    EXPECT_EQ(services.messages,
              std::vector<std::string>{"Cannot play media file. Please reload a different one."});
    // Deleting everything leaves nothing to play.
    services.answers = {MessageAnswer::Yes};
    services.messages.clear();
    editor.ToolbarClicked(IDC_MUSIC_TOOLBAR, "DeleteAll");
    EXPECT_EQ(C(IDT_MUSIC_TOTAL).text, "Total: 0");
    EXPECT_FALSE(C(IDB_MUSIC_PLAY).enabled);
    EXPECT_FALSE(C(IDB_MUSIC_STOP).enabled);
    for (const char* key : {"Delete", "Up", "Down"}) {
        editor.ToolbarClicked(IDC_MUSIC_TOOLBAR, key);
    }
    EXPECT_EQ(services.messages,
              (std::vector<std::string>{"Do you really want to remove all loaded Multimedia Files?",
                                        "Nothing was selected to remove.",
                                        "Nothing was selected to move up.",
                                        "Nothing was selected to move down."}));
}

class FakeLister : public FolderLister {
  public:
    std::vector<std::string> Drives() override { return {"A:\\", "C:\\", "D:\\"}; }
    bool DriveReady(const std::string& drive) override { return drive != "A:\\"; }
    std::vector<std::string> Folders(const std::string& folder) override {
        return folder == "D:\\" ? std::vector<std::string>{"Trip"} : std::vector<std::string>{};
    }
    std::vector<std::string> Files(const std::string& folder) override {
        if (folder == "D:\\Trip\\") {
            return {"a.JPG", "b.png", "c.gif", "d.jpeg", "notes.txt"};
        }
        return folder == "D:\\" ? many : std::vector<std::string>{};
    }
    std::vector<std::string> many;
};

TEST_F(EditorTest, FolderImportAppendsEveryPictureOfTheFolderAndWarnsOnce) {
    services.codecs = {{"PNG Decoder", {".png"}}};
    editor.Open();
    // The file dialogs offer what the decoders read, as the import lists it.
    services.files = {std::nullopt};
    editor.ToolbarClicked(IDC_IMAGES_TOOLBAR, "Add");
    EXPECT_EQ(services.fileRequests.at(0).filter, PictureFileFilter(services.codecs));
    FakeLister lister;
    FolderImport window(editor, lister);
    window.Open("C:\\Orv");
    EXPECT_EQ(window.folder, "C:\\Orv\\");
    EXPECT_EQ(window.startDrive, "C:\\");
    // An empty drive says so and goes back to the drive the window opened on.
    window.OnDriveChosen(2);
    window.OnDriveChosen(0);
    EXPECT_EQ(services.errors, std::vector<std::string>{"Device is not ready"});
    EXPECT_EQ(window.drive, 1);
    EXPECT_EQ(window.folder, "C:\\");
    // Into D:\Trip: the pictures the decoders read only, whatever the case of their names.
    window.OnDriveChosen(2);
    EXPECT_EQ(window.folderEntries, std::vector<std::string>{"[Trip]"});
    window.OnFolderChosen(0);
    EXPECT_EQ(window.folderEntries, std::vector<std::string>{".."});
    EXPECT_EQ(window.files, (std::vector<std::string>{"a.JPG", "b.png", "c.gif", "d.jpeg"}));
    ASSERT_TRUE(window.OnLoad());
    const std::vector<std::string>& pictures = C(IDL_IMAGES_PICTURES).items;
    ASSERT_EQ(pictures.size(), 11u);
    EXPECT_EQ(pictures[7], "D:\\Trip\\a.JPG");
    EXPECT_EQ(C(IDL_EDITOR_CAPTIONS).items.size(), 11u);
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).selected, 10);
    EXPECT_EQ(C(IDT_IMAGES_TOTAL).text, "Total: 11");
    // 689 more make 700: no advice; one more passes it once; the next import says nothing.
    services.pictures["D:\\x.bmp"] = services.pictures["D:\\y.dib"] = {10, 10};
    services.messages.clear();
    window.OnFolderChosen(0);
    EXPECT_EQ(window.folder, "D:\\");
    lister.many.assign(689, "x.bmp");
    window.OnFolderChosen(-1);
    window.OnDriveChosen(2);
    window.OnLoad();
    EXPECT_EQ(services.messages, std::vector<std::string>{});
    lister.many.assign(1, "y.dib");
    window.OnDriveChosen(2);
    window.OnLoad();
    window.OnLoad();
    EXPECT_EQ(
        services.messages,
        std::vector<std::string>{
            "It is recommended that the screen saver should have less than 700 loaded images."});
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.size(), 702u);
    EXPECT_TRUE(window.OnCancel());
    EXPECT_EQ(C(IDL_IMAGES_PICTURES).items.size(), 702u);
}

}  // namespace
}  // namespace orvelle
