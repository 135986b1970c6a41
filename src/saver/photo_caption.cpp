#include "saver/photo_caption.h"

#include "base/host_services.h"
#include "base/numbers.h"

namespace orvelle {

namespace {

// Where the last name of a path starts, after its last "\" or "/".
size_t NameStart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

CaptionSource CaptionSourceFrom(const std::string& text) {
    const double choice = LeadingNumber(text);
    for (int i = 1; i <= 4; ++i) {
        if (choice == i) {
            return static_cast<CaptionSource>(i);
        }
    }
    return CaptionSource::Nothing;
}

bool NeedsPhotoFacts(CaptionSource source) {
    return source == CaptionSource::DateTaken || source == CaptionSource::Title;
}

bool HasTypedCaption(const std::string& typed) {
    return typed.find_first_not_of(' ') != std::string::npos;
}

std::string PictureFileTitle(const std::string& path) {
    const std::string name = path.substr(NameStart(path));
    const size_t dot = name.find_last_of('.');
    // A name that is all extension (".jpg") keeps it.
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string PictureFolderName(const std::string& path) {
    const size_t start = NameStart(path);
    if (start == 0) {
        return "";
    }
    const std::string folder = path.substr(0, start - 1);
    const std::string name = folder.substr(NameStart(folder));
    // "C:" is a drive, not a folder with a name.
    return name.size() == 2 && name[1] == ':' ? "" : name;
}

std::string PictureCaption(const std::string& typed, CaptionSource source, const std::string& path,
                           const PhotoFacts& facts, Clock& clock) {
    if (source == CaptionSource::Nothing || HasTypedCaption(typed)) {
        return typed;
    }
    switch (source) {
        case CaptionSource::DateTaken: {
            const std::optional<CalendarDate> date = DateTaken(facts);
            return date ? clock.LongDateText({date->year, date->month, date->day}) : "";
        }
        case CaptionSource::FileName:
            return PictureFileTitle(path);
        case CaptionSource::FolderName:
            return PictureFolderName(path);
        case CaptionSource::Title:
            return PhotoTitle(facts);
        case CaptionSource::Nothing:
            break;
    }
    return typed;
}

}  // namespace orvelle
