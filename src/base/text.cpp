#include "base/text.h"

#include "base/utf.h"

namespace orvelle {

namespace {
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
// The upper-case letter of a UTF-16 unit in the alphabets file names mostly use. Windows' own
// table covers more; a name outside these compares by its exact letters.
char16_t UpperLetter(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) {
        return static_cast<char16_t>(c - 0x50);
    }
    // Latin Extended-A pairs upper and lower case on even and odd code points.
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if ((c % 2 == 1) != oddUpper) {
            return static_cast<char16_t>(c - 1);
        }
    }
    return c;
}

std::u16string UpperName(std::string_view name) {
    std::u16string out = Utf8ToUtf16(name);
    for (char16_t& c : out) {
        c = UpperLetter(c);
    }
    return out;
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

bool SameFileName(std::string_view a, std::string_view b) {
    return UpperName(a) == UpperName(b);
}

bool FileNameLess(std::string_view a, std::string_view b) {
    const std::u16string ua = UpperName(a);
    const std::u16string ub = UpperName(b);
    return ua != ub ? ua < ub : a < b;
}

}  // namespace orvelle
