// What a photo tells about itself beside its pixels: when it was taken and what it is called.
// The decoder reads the raw texts from the file's metadata (EXIF, XMP, IPTC) together with the
// pixels; the rules here choose among them.
#pragma once

#include <optional>
#include <string>

namespace orvelle {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct PhotoFacts {
    // EXIF dates as stored, "YYYY:MM:DD HH:MM:SS" (cameras leave blanks or zeros when unset).
    std::string dateTimeOriginal;
    std::string dateTimeDigitized;
    // The file's last change, in local time; nothing when it could not be read.
    std::optional<CalendarDate> modified;
    // Titles: EXIF ImageDescription, XMP dc:title, IPTC object name (or its caption).
    std::string exifDescription;
    std::string xmpTitle;
    std::string iptcTitle;
    friend bool operator==(const PhotoFacts&, const PhotoFacts&) = default;
};

// The facts the system's metadata reader gave, with the EXIF ones it left empty (dates,
// description) taken from those the file's own EXIF block holds: not every system reads JPEG
// metadata.
PhotoFacts WithExifFallback(PhotoFacts read, const PhotoFacts& exif);

// The date of an EXIF date text; nothing for an unset ("    :  :  ", "0000:00:00") or damaged
// one. Dashes and slashes are taken as the separators some writers use.
std::optional<CalendarDate> ExifDate(const std::string& text);

// When the photo was taken: its original date, else its digitized date, else the day its file
// was last changed.
std::optional<CalendarDate> DateTaken(const PhotoFacts& facts);

// The photo's title: the first of its EXIF description, XMP title and IPTC title that holds
// more than blanks, trimmed to one line; "" when none does.
std::string PhotoTitle(const PhotoFacts& facts);

}  // namespace orvelle
