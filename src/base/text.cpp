#include "base/text.h"

namespace orvelle {

namespace {
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

std::string TrimSpaces(std::string_view text) {
    size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(start, end - start + 1));
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = UpperAscii(c);
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string WithTrailingBackslash(std::string_view folder) {
    std::string out(folder);
    if (out.empty() || out.back() != '\\') {
        out += '\\';
    }
    return out;
}

}  // namespace orvelle
