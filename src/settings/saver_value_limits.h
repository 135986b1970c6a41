// Values that no control of the configuration dialog can produce but a hand-edited or damaged
// theme can hold, brought into the range where the saver still works. Every value a control
// can set passes unchanged, text and all.
#pragma once

namespace orvelle {

struct SaverSettings;

// The ranges a run keeps to.
inline constexpr double kMinPicturePercent = 10;
inline constexpr double kMaxPicturePercent = 100;
inline constexpr double kMinScrollSpeed = 100;
inline constexpr double kMaxScrollSpeed = 300;
inline constexpr double kMinPicSpeed = 0;
inline constexpr double kMaxPicSpeed = 5;
inline constexpr double kMinMouseThreshold = 1;
inline constexpr double kMaxMouseThreshold = 30;
inline constexpr double kMinFontPoints = 1;
inline constexpr double kMaxFontPoints = 200;

// picturePercent to 10..100 (then 100 read as 99 again, and pictureFraction taken afresh),
// scrollSpeed to 100..300, picSpeed to a whole 0..5, the movement threshold to a whole 1..30,
// and a caption font size other than 0 (the font's own default) to 1..200 points. A value out
// of range, or no number at all, takes the nearer end.
void ClampSaverValues(SaverSettings& settings);

}  // namespace orvelle
