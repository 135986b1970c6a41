#include "saver/photo_caption.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "overlay_fakes.h"
#include "picture/photo_facts.h"
#include "picture/picture_header.h"
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

// A JPEG start whose EXIF block holds, in the byte order asked, an ASCII description in its first
// directory and, when dated, the EXIF directory with the two dates; the texts after the
// directories (or in the entry, four bytes or fewer). titleAt moves the description's text.
std::vector<std::uint8_t> ExifJpeg(bool big, const std::string& title, bool dated,
                                   std::uint32_t titleAt = 0) {
    std::vector<std::uint8_t> t;
    const auto u16 = [&](unsigned v) {
        const std::uint8_t hi = static_cast<std::uint8_t>(v >> 8), lo = v & 0xFF;
        t.insert(t.end(), big ? std::initializer_list<std::uint8_t>{hi, lo}
                              : std::initializer_list<std::uint8_t>{lo, hi});
    };
    const auto u32 = [&](std::uint32_t v) {
        big ? (u16(v >> 16), u16(v & 0xFFFF)) : (u16(v & 0xFFFF), u16(v >> 16));
    };
    const std::string original = "2019:07:14 10:30:00", digitized = "2018:01:02 03:04:05";
    const std::uint32_t exifIfd = 8 + 2 + 2 * 12 + 4, data = exifIfd + 2 + 2 * 12 + 4;
    const auto ascii = [&](unsigned tag, const std::string& text, std::uint32_t at) {
        u16(tag), u16(2), u32(static_cast<std::uint32_t>(text.size() + 1));
        if (text.size() < 4) {
            t.insert(t.end(), text.begin(), text.end());
            t.resize(t.size() + 4 - text.size());
        } else {
            u32(at);
        }
    };
    t.insert(t.end(), {big ? std::uint8_t{'M'} : std::uint8_t{'I'},
                       big ? std::uint8_t{'M'} : std::uint8_t{'I'}});
    u16(42), u32(8), u16(dated ? 2 : 1);
    ascii(270, title, titleAt ? titleAt : data + 40);
    if (dated) {
        u16(34665), u16(4), u32(1), u32(exifIfd);
    }
    u32(0);
    t.resize(exifIfd);
    u16(2), ascii(36867, original, data), ascii(36868, digitized, data + 20), u32(0);
    for (const std::string& text : {original, digitized, title}) {
        t.insert(t.end(), text.begin(), text.end());
        t.resize(t.size() + 20 - text.size() % 20);
    }
    const auto length = static_cast<unsigned>(t.size() + 8);
    std::vector<std::uint8_t> jpeg = {0xFF,
                                      0xD8,
                                      0xFF,
                                      0xE1,
                                      static_cast<std::uint8_t>(length >> 8),
                                      static_cast<std::uint8_t>(length & 0xFF)};
    const std::string name("Exif\0\0", 6);
    jpeg.insert(jpeg.end(), name.begin(), name.end());
    jpeg.insert(jpeg.end(), t.begin(), t.end());
    jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0, 2});
    return jpeg;
}

TEST(PhotoFacts, ExifDatesAndDescriptionReadFromTheJpegsOwnBlock) {
    const std::string d1 = "2019:07:14 10:30:00", d2 = "2018:01:02 03:04:05";
    const auto whole = ExifJpeg(false, "Harbour at dawn", true);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        PhotoFacts facts;
    } cases[] = {
        {"little-endian", whole, {d1, d2, {}, "Harbour at dawn", "", ""}},
        {"big-endian",
         ExifJpeg(true, "Harbour at dawn", true),
         {d1, d2, {}, "Harbour at dawn", "", ""}},
        {"short text in the entry", ExifJpeg(true, "Cat", false), {"", "", {}, "Cat", "", ""}},
        {"text beyond the block",
         ExifJpeg(false, "Harbour", true, 0xFFFF),
         {d1, d2, {}, "", "", ""}},
        {"cut before the dates", {whole.begin(), whole.begin() + 60}, {"", "", {}, "", "", ""}},
        {"not a JPEG", {'B', 'M', 0, 0, 0, 0}, {}},
        {"empty", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExifFacts(c.bytes.data(), c.bytes.size()), c.facts) << c.what;
    }
    // The metadata reader's own texts come first; what it left empty or blank is filled.
    PhotoFacts read{"", "  ", CalendarDate{2021, 3, 2}, "Read", "X", "I"};
    const PhotoFacts exif{d1, d2, {}, "Stored", "", ""};
    EXPECT_EQ(WithExifFallback(read, exif), (PhotoFacts{d1, d2, read.modified, "Read", "X", "I"}));
    read.dateTimeOriginal = "2000:01:01 00:00:00";
    EXPECT_EQ(WithExifFallback(read, {}).dateTimeOriginal, read.dateTimeOriginal);
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
