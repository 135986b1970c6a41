#include "picture/photo_facts_win.h"

#include <windows.h>

#include <initializer_list>

#include "base/com_win.h"
#include "base/utf.h"
#include "base/wide_win.h"

namespace orvelle::win {

namespace {

// The same item where a JPEG keeps it and where a TIFF does.
using Places = std::initializer_list<const wchar_t*>;
const Places kDateTimeOriginal = {L"/app1/ifd/exif/{ushort=36867}", L"/ifd/exif/{ushort=36867}"};
const Places kDateTimeDigitized = {L"/app1/ifd/exif/{ushort=36868}", L"/ifd/exif/{ushort=36868}"};
const Places kImageDescription = {L"/app1/ifd/{ushort=270}", L"/ifd/{ushort=270}"};
const Places kXmpTitle = {L"/xmp/dc:title/x-default", L"/xmp/dc:title",
                          L"/ifd/xmp/dc:title/x-default", L"/ifd/xmp/dc:title"};
// IPTC's title is its object name; its caption stands in when there is none.
const Places kIptcTitle = {L"/app13/irb/8bimiptc/iptc/Object Name", L"/ifd/iptc/Object Name",
                           L"/app13/irb/8bimiptc/iptc/Caption", L"/ifd/iptc/Caption"};

// A PROPVARIANT cleared when it goes out of scope.
struct Variant {
    PROPVARIANT value;
    Variant() { PropVariantInit(&value); }
    ~Variant() { PropVariantClear(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

// Narrow text as EXIF and IPTC store it: UTF-8 when it reads as such, else the ANSI code page.
std::string FromStored(const char* text) {
    const std::string bytes = text ? text : "";
    return IsValidUtf8(bytes) ? bytes : Utf16ToUtf8(AnsiToUtf16(bytes));
}

// The first of the places that holds text; "" when none does.
std::string Text(IWICMetadataQueryReader* reader, Places places) {
    for (const wchar_t* place : places) {
        Variant v;
        if (FAILED(reader->GetMetadataByName(place, &v.value))) {
            continue;
        }
        if (v.value.vt == VT_LPSTR) {
            return FromStored(v.value.pszVal);
        }
        if (v.value.vt == VT_LPWSTR && v.value.pwszVal) {
            return Narrow(v.value.pwszVal);
        }
    }
    return "";
}

std::optional<CalendarDate> LastChanged(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME st{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &st)) {
        return std::nullopt;
    }
    return CalendarDate{st.wYear, st.wMonth, st.wDay};
}

}  // namespace

PhotoFacts ReadPhotoFacts(IWICBitmapFrameDecode* frame, const std::string& path,
                          const PhotoFacts& exif) {
    PhotoFacts facts;
    Com<IWICMetadataQueryReader> reader;
    if (frame && SUCCEEDED(frame->GetMetadataQueryReader(reader.Out()))) {
        facts.dateTimeOriginal = Text(reader.Get(), kDateTimeOriginal);
        facts.dateTimeDigitized = Text(reader.Get(), kDateTimeDigitized);
        facts.exifDescription = Text(reader.Get(), kImageDescription);
        facts.xmpTitle = Text(reader.Get(), kXmpTitle);
        facts.iptcTitle = Text(reader.Get(), kIptcTitle);
    }
    facts.modified = LastChanged(path);
    PhotoFacts stored = exif;
    for (std::string* text :
         {&stored.dateTimeOriginal, &stored.dateTimeDigitized, &stored.exifDescription}) {
        *text = FromStored(text->c_str());
    }
    return WithExifFallback(facts, stored);
}

}  // namespace orvelle::win
