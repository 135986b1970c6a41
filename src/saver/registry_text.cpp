#include "saver/registry_text.h"

#include <algorithm>
#include <cstring>

#include "base/numbers.h"

namespace orvelle {

std::string ReadRegistryText(RegistryReader& registry, std::uint32_t rootKey,
                             const std::string& keyPath, const std::string& valueName) {
    if (rootKey < 0x80000000u || rootKey > 0x80000006u) {
        return "";
    }
    std::optional<RegistryValue> value = registry.Query(rootKey, keyPath, valueName);
    if (!value) {
        return "";
    }
    constexpr std::uint32_t kRegDword = 4;
    if (value->type == kRegDword) {
        std::uint32_t number = 0;
        std::memcpy(&number, value->data.data(), std::min<size_t>(4, value->data.size()));
        return FormatPadded(number, 3);
    }
    // The first size - 1 bytes: a text value without its terminating zero.
    std::string text = value->data;
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

}  // namespace orvelle
