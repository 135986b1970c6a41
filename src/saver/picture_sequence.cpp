#include "saver/picture_sequence.h"

#include "base/host_services.h"
#include "base/numbers.h"

namespace orvelle {

void PickNextPicture(std::int32_t& currentIndex, std::int32_t lastPictureIndex,
                     const std::string& randomPick, RandomSource& random) {
    random.Randomize();
    if (LeadingNumber(randomPick) != 1.0) {
        if (currentIndex < INT32_MAX) {
            ++currentIndex;
        }
        return;
    }
    const int count = lastPictureIndex + 1;
    currentIndex = count > 0 ? RandomIndex(random, count) : 0;
}

void WrapPictureIndex(std::int32_t& currentIndex, std::int32_t lastPictureIndex) {
    if (currentIndex > lastPictureIndex) {
        currentIndex = 0;
    }
}

int ChangeIntervalMs(const std::string& timeInterval) {
    const std::int32_t ms = ToInt32Saturated(LeadingNumber(timeInterval) * 1000.0);
    return ms < 0 ? 0 : ms;
}

}  // namespace orvelle
