#include "saver/photo_caption.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "overlay_fakes.h"
#include "picture/photo_facts.h"
#include "saver/show_history.h"

namespace orvelle {
namespace {

TEST(PhotoFacts, ExifDatesReadOnlyWhenSetAndReal) {
    const struct {
        const char* text;
        std::optional<CalendarDate> date;
    } cases[] = {
        {"2019:07:14 10:30:00", CalendarDate{2019, 7, 14}},
        {" 2019-07-14 ", CalendarDate{2019, 7, 14}},
        {"2020/02/29", CalendarDate{2020, 2, 29}},
        {"2019:02:29 00:00:00", std::nullopt},  // not a leap year
        {"2019:13:01 00:00:00", std::nullopt},
        {"2019:04:31 00:00:00", std::nullopt},
        {"0000:00:00 00:00:00", std::nullopt},  // what cameras write when the clock was unset
        {"    :  :     :  :  ", std::nullopt},
        {"1600:12:31 00:00:00", std::nullopt},  // before what the system formats
        {"2019.07.14", std::nullopt},
        {"2019:7:14", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExifDate(c.text), c.date) << "'" << c.text << "'";
    }
}

TEST(PhotoFacts, DateTakenAndTitleComeFromTheFirstSourceThatHasThem) {
    PhotoFacts facts;
    EXPECT_EQ(DateTaken(facts), std::nullopt);
    EXPECT_EQ(PhotoTitle(facts), "");
    facts.modified = CalendarDate{2024, 1, 2};
    facts.dateTimeDigitized = "2018:05:06 07:08:09";
    facts.dateTimeOriginal = "0000:00:00 00:00:00";
    EXPECT_EQ(DateTaken(facts), (CalendarDate{2018, 5, 6}));
    facts.dateTimeOriginal = "2017:03:04 00:00:00";
    EXPECT_EQ(DateTaken(facts), (CalendarDate{2017, 3, 4}));
    facts.dateTimeOriginal = facts.dateTimeDigitized = "";
    EXPECT_EQ(DateTaken(facts), (CalendarDate{2024, 1, 2}));

    facts.iptcTitle = "IPTC";
    EXPECT_EQ(PhotoTitle(facts), "IPTC");
    facts.xmpTitle = std::string(" \r\n\t\0", 5);  // blanks and padding count as nothing
    EXPECT_EQ(PhotoTitle(facts), "IPTC");
    facts.xmpTitle = " Lake at\r\ndawn ";
    EXPECT_EQ(PhotoTitle(facts), "Lake at  dawn");
    facts.exifDescription = "Described";
    EXPECT_EQ(PhotoTitle(facts), "Described");
}

TEST(PhotoCaption, TypedCaptionWinsElseTheChosenFact) {
    overlay_test::FakeClock clock;
    PhotoFacts facts;
    facts.dateTimeOriginal = "2019:07:14 10:30:00";
    facts.xmpTitle = "Lake";
    const std::string rome = "C:\\Trips\\Rome\\IMG_2041.JPG";
    const struct {
        const char* typed;
        const char* source;
        std::string path;
        bool withFacts;
        const char* caption;
    } cases[] = {
        {"Typed", "1", rome, true, "Typed"},
        {" ", "0", rome, true, " "},  // no choice: the typed text as it always was
        {"", "", rome, true, ""},
        {" ", "1", rome, true, "day 14.7.2019"},
        {"", "1", rome, false, ""},  // no date anywhere
        {"", "2", rome, true, "IMG_2041"},
        {"", "3", rome, true, "Rome"},
        {"", "3", "D:/photos/x.jpg", true, "photos"},
        {"", "3", "C:\\x.jpg", true, ""},  // a drive is no folder name
        {"", "3", "x.jpg", true, ""},
        {"", "2", "C:\\a\\.hidden", true, ".hidden"},
        {"", "2", "C:\\a\\archive.tar.gz", true, "archive.tar"},
        {"", "4", rome, true, "Lake"},
        {"", "4", rome, false, ""},
        {"", "5", rome, true, ""},  // not a choice: nothing
        {"", "2.0", rome, true, "IMG_2041"},
    };
    for (const auto& c : cases) {
        const CaptionSource source = CaptionSourceFrom(c.source);
        EXPECT_EQ(
            PictureCaption(c.typed, source, c.path, c.withFacts ? facts : PhotoFacts{}, clock),
            c.caption)
            << "typed '" << c.typed << "', source " << c.source << ", " << c.path;
    }
    EXPECT_TRUE(NeedsPhotoFacts(CaptionSourceFrom("1")));
    EXPECT_TRUE(NeedsPhotoFacts(CaptionSourceFrom("4")));
    EXPECT_FALSE(NeedsPhotoFacts(CaptionSourceFrom("2")));
    EXPECT_FALSE(NeedsPhotoFacts(CaptionSourceFrom("")));
}

TEST(ShowHistory, BackThroughWhatWasShownAndForwardAgainThenTheShowGoesOn) {
    // A folder entry stands for many files: the same entry comes back with another file.
    const ShownPicture a{4, "C:\\a.jpg"}, b{7, "C:\\f\\1.jpg"}, c{7, "C:\\f\\2.jpg"};
    const auto picture = [](const std::optional<ShowHistory::Stop>& stop) {
        return stop ? std::optional<ShownPicture>(stop->picture) : std::nullopt;
    };
    ShowHistory history;
    EXPECT_EQ(history.Target(BrowseStep::Back), std::nullopt);
    history.Shown(a);
    EXPECT_EQ(history.Target(BrowseStep::Back), std::nullopt);
    history.Shown(b);
    history.Shown(c);
    EXPECT_EQ(history.Target(BrowseStep::Forward), std::nullopt);
    EXPECT_EQ(picture(history.Target(BrowseStep::Back)), b);
    history.Moved(BrowseStep::Back);
    EXPECT_EQ(picture(history.Target(BrowseStep::Back)), a);
    history.Moved(BrowseStep::Back);
    history.Moved(BrowseStep::Back);  // at the oldest: stays
    EXPECT_EQ(history.Target(BrowseStep::Back), std::nullopt);
    EXPECT_EQ(picture(history.Target(BrowseStep::Forward)), b);
    history.Moved(BrowseStep::Forward);
    EXPECT_EQ(picture(history.Target(BrowseStep::Forward)), c);
    // The same entry twice is two stops, each with its own decoder turn apart from the
    // sequence's (which are never negative).
    const ShowHistory::Stop first = *history.Target(BrowseStep::Back);
    const ShowHistory::Stop next = *history.Target(BrowseStep::Forward);
    EXPECT_NE(ShowHistory::Turn(first), ShowHistory::Turn(next));
    EXPECT_LT(ShowHistory::Turn(next), -1);
    history.Moved(BrowseStep::Forward);
    EXPECT_EQ(history.Target(BrowseStep::Forward), std::nullopt);

    // Only the newest are kept, and their stops keep their numbers.
    for (int i = 0; i < 250; ++i) {
        history.Shown({i, "p" + std::to_string(i)});
    }
    int back = 0;
    while (history.Target(BrowseStep::Back)) {
        history.Moved(BrowseStep::Back);
        ++back;
    }
    EXPECT_EQ(back, static_cast<int>(ShowHistory::kKept) - 1);
    const ShowHistory::Stop oldestKept = *history.Target(BrowseStep::Forward);
    EXPECT_EQ(oldestKept.picture, (ShownPicture{151, "p151"}));
    EXPECT_EQ(oldestKept.number, 3 + 151);
}

}  // namespace
}  // namespace orvelle
