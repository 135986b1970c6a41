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

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Negative, zero or positive as a sorts before, with or after b: digit runs by value (leading
// zeros aside, a longer run of the same value after), everything else unit by unit.
int CompareNatural(std::u16string_view a, std::u16string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            if (a[i] != b[j]) {
                return a[i] < b[j] ? -1 : 1;
            }
            ++i;
            ++j;
            continue;
        }
        const size_t startA = i;
        const size_t startB = j;
        while (i < a.size() && a[i] == u'0') {
            ++i;
        }
        while (j < b.size() && b[j] == u'0') {
            ++j;
        }
        const size_t valueA = i;
        const size_t valueB = j;
        while (i < a.size() && IsDigit(a[i])) {
            ++i;
        }
        while (j < b.size() && IsDigit(b[j])) {
            ++j;
        }
        if (i - valueA != j - valueB) {
            return i - valueA < j - valueB ? -1 : 1;
        }
        const int digits = a.substr(valueA, i - valueA).compare(b.substr(valueB, j - valueB));
        if (digits != 0) {
            return digits;
        }
        if (i - startA != j - startB) {
            return i - startA < j - startB ? -1 : 1;
        }
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    return 0;
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

bool NaturalNameLess(std::string_view a, std::string_view b) {
    const int order = CompareNatural(UpperName(a), UpperName(b));
    return order != 0 ? order < 0 : FileNameLess(a, b);
}

bool NaturalPathLess(std::string_view a, std::string_view b) {
    for (;;) {
        const size_t endA = a.find('\\');
        const size_t endB = b.find('\\');
        const std::string_view partA = a.substr(0, endA);
        const std::string_view partB = b.substr(0, endB);
        if (partA != partB) {
            return NaturalNameLess(partA, partB);
        }
        if (endA == std::string_view::npos || endB == std::string_view::npos) {
            // One is the folder the other lies in, or they are the same.
            return endA == std::string_view::npos && endB != std::string_view::npos;
        }
        a.remove_prefix(endA + 1);
        b.remove_prefix(endB + 1);
    }
}

}  // namespace orvelle
