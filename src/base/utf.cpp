#include "base/utf.h"

namespace orvelle {

namespace {

// Decodes one sequence at i; returns its code point (U+FFFD when malformed) and its length.
char32_t DecodeAt(std::string_view bytes, size_t i, size_t& len) {
    auto cont = [&](size_t k) {
        return k < bytes.size() && (static_cast<unsigned char>(bytes[k]) & 0xC0) == 0x80;
    };
    auto low6 = [&](size_t k) { return static_cast<char32_t>(bytes[k] & 0x3F); };
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    len = 1;
    if (b < 0x80) {
        return b;
    }
    if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
        len = 2;
        return ((b & 0x1Fu) << 6) | low6(i + 1);
    }
    if (b >= 0xE0 && b <= 0xEF && cont(i + 1) && cont(i + 2)) {
        char32_t v = ((b & 0x0Fu) << 12) | (low6(i + 1) << 6) | low6(i + 2);
        if (v >= 0x800 && (v < 0xD800 || v > 0xDFFF)) {
            len = 3;
            return v;
        }
    } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
        char32_t v = ((b & 0x07u) << 18) | (low6(i + 1) << 12) | (low6(i + 2) << 6) | low6(i + 3);
        if (v >= 0x10000 && v <= 0x10FFFF) {
            len = 4;
            return v;
        }
    }
    return 0xFFFD;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        size_t len = 1;
        char32_t cp = DecodeAt(bytes, i, len);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        size_t len = 1;
        if (DecodeAt(text, i, len) == 0xFFFD && len == 1 &&
            static_cast<unsigned char>(text[i]) >= 0x80) {
            return false;
        }
        i += len;
    }
    return true;
}

}  // namespace orvelle
