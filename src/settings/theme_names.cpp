#include "settings/theme_names.h"

#include <array>

#include "base/text.h"

namespace orvelle {

bool IsReservedDeviceName(std::string_view name) {
    // Windows ignores what follows the first dot, and trailing spaces, when it looks for a device.
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : kPlain) {
        if (EqualsNoCase(base, device)) {
            return true;
        }
    }
    return base.size() == 4 &&
           (EqualsNoCase(base.substr(0, 3), "COM") || EqualsNoCase(base.substr(0, 3), "LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

bool IsSafeThemeName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            return false;
        }
    }
    return !IsReservedDeviceName(name);
}

}  // namespace orvelle
