#include "saver/motion.h"

#include "base/host_services.h"
#include "base/numbers.h"
#include "saver/picture_scaling.h"

namespace orvelle {

PixelRect BoxToPixels(const TwipsBox& box, int twipsPerPixelX, int twipsPerPixelY) {
    return {TwipsToPixels(box.left, twipsPerPixelX), TwipsToPixels(box.top, twipsPerPixelY),
            TwipsToPixels(box.width, twipsPerPixelX), TwipsToPixels(box.height, twipsPerPixelY)};
}

void ChooseFloatDirection(std::int16_t& floatStepX, std::int16_t& floatStepY, int twipsPerPixel,
                          RandomSource& random) {
    const std::int16_t step = twipsPerPixel < 14 ? 12 : 15;
    random.Randomize();
    const int first = RandomIndex(random, 2);
    const int second = RandomIndex(random, 2);
    floatStepY = first == 1 ? static_cast<std::int16_t>(-step) : step;
    floatStepX = second == 1 ? static_cast<std::int16_t>(-step) : step;
}

bool FloatPicture(TwipsBox& p, std::int16_t& floatStepX, std::int16_t& floatStepY,
                  std::int64_t screenWidth, std::int64_t screenHeight, std::int64_t captionHeight) {
    if (p.left < 0 || p.left > screenWidth || p.left + p.width > screenWidth) {
        floatStepX = static_cast<std::int16_t>(-floatStepX);
    }
    if (p.top + p.height > screenHeight || captionHeight > p.top || p.top > screenHeight) {
        floatStepY = static_cast<std::int16_t>(-floatStepY);
    }
    p.left += floatStepX;
    p.top += floatStepY;
    return floatStepX != 0 || floatStepY != 0;
}

void ShowCaption(SaverView& view, CaptionLine& caption, const std::string& text,
                 const std::string& scroll, std::int64_t screenWidth, int twipsPerPixelX,
                 int twipsPerPixelY) {
    view.ShowCaption(false);
    caption.text = text;
    const PixelSize size = view.SetCaptionText(text);
    caption.box.width = static_cast<std::int64_t>(size.width) * twipsPerPixelX + kCaptionExtraTwips;
    caption.box.height = static_cast<std::int64_t>(size.height) * twipsPerPixelY;
    if (text.empty()) {
        caption.box.height = 0;
    }
    const bool scrolling = LeadingNumber(scroll) == 0.0;
    caption.box.left = scrolling ? screenWidth
                                 : CentredOffset(static_cast<double>(screenWidth),
                                                 static_cast<double>(caption.box.width));
    view.MoveCaption(BoxToPixels(caption.box, twipsPerPixelX, twipsPerPixelY));
    view.ShowCaption(true);
    if (scrolling) {
        view.SetTimer(SaverTimer::Scroller, kScrollerIntervalMs, true);
    }
}

void ScrollCaption(SaverView& view, CaptionLine& caption, const std::string& scrollSpeed,
                   std::int64_t screenWidth, int twipsPerPixelX, int twipsPerPixelY) {
    // A damaged setting must not overflow the position.
    constexpr double kLimit = 1e9;
    double speed = RoundHalfEven(LeadingNumber(scrollSpeed));
    speed = speed > kLimit ? kLimit : (speed < -kLimit ? -kLimit : speed);
    caption.box.left -= static_cast<std::int64_t>(speed);
    if (caption.box.left + caption.box.width < 0) {
        caption.box.left = screenWidth;
    }
    view.MoveCaption(BoxToPixels(caption.box, twipsPerPixelX, twipsPerPixelY));
}

}  // namespace orvelle
