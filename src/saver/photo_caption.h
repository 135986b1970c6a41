// The caption a picture shows: the one typed for it in the theme's list, or, when it has none,
// what the theme chose to show instead (its date taken, file name, folder name or title).
// Worked out per picture path, so pictures that come from a folder get theirs as well.
#pragma once

#include <string>

#include "picture/photo_facts.h"

namespace orvelle {

class Clock;

// [font] captionSource: what a picture without a typed caption shows.
enum class CaptionSource { Nothing = 0, DateTaken = 1, FileName = 2, FolderName = 3, Title = 4 };

// The setting's text as a choice; anything but 1 to 4 (a missing key included) is Nothing.
CaptionSource CaptionSourceFrom(const std::string& text);

// True when the choice needs what the picture's file holds (read with its pixels).
bool NeedsPhotoFacts(CaptionSource source);

// A typed caption counts when it holds more than blanks ("" and " " are no caption).
bool HasTypedCaption(const std::string& typed);

// The picture file's name without its folder and extension, and the name of its folder; ""
// for a picture at the root of a drive. Paths use "\" or "/".
std::string PictureFileTitle(const std::string& path);
std::string PictureFolderName(const std::string& path);

// The caption of the picture at path: the typed one when it counts or when the theme chose
// nothing (the typed text as it is, as always); otherwise the chosen fact, "" when the picture
// does not have it. Dates are in the user's long date format.
std::string PictureCaption(const std::string& typed, CaptionSource source, const std::string& path,
                           const PhotoFacts& facts, Clock& clock);

}  // namespace orvelle
