// Which picture comes next, and how often the change timer fires.
#pragma once

#include <cstdint>
#include <string>

namespace orvelle {

class RandomSource;

// Advances currentIndex: list order adds 1 (the wrap to 0 happens at the next change tick);
// random order (randomPick 1) draws any index 0 .. lastPictureIndex. Re-seeds first.
void PickNextPicture(std::int32_t& currentIndex, std::int32_t lastPictureIndex,
                     const std::string& randomPick, RandomSource& random);

// The change tick's wrap: past the last picture starts again at 0.
void WrapPictureIndex(std::int32_t& currentIndex, std::int32_t lastPictureIndex);

// timeInterval seconds as a timer interval in milliseconds (rounded, never negative).
int ChangeIntervalMs(const std::string& timeInterval);

// While a change runs the change timer is pushed this far out so no tick lands in its pause.
constexpr int kChangeGuardIntervalMs = 60000;

}  // namespace orvelle
