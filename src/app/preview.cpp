#include "app/preview.h"

#include "base/numbers.h"

namespace orvelle {

std::int32_t PreviewWindowHandle(const std::string& rawArguments) {
    if (rawArguments.size() <= 3) {
        return 0;
    }
    return LeadingInt32(std::string_view(rawArguments).substr(3));
}

}  // namespace orvelle
