#include "base/utf.h"

#include <gtest/gtest.h>

#include <string>

namespace orvelle {
namespace {

using namespace std::string_literals;

TEST(Utf, WellFormedTextRoundTrips) {
    const struct {
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"", u""},
        {"plain ASCII \x7F", u"plain ASCII \x7F"},
        {"nul\0inside"s, u"nul\0inside"s},
        {"\xC2\x80\xDF\xBF", u"\u0080\u07FF"},  // 2-byte edges
        {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", u"\u0800\uD7FF\uE000\uFFFF"},
        {"\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE \xE6\x9D\xB1\xE4\xBA\xAC", u"Фото 東京"},
        {"\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0001F600\U0010FFFF"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(IsValidUtf8(c.utf8));
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    }
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    // Each maximal broken piece byte by byte: every byte that starts no valid sequence is one
    // U+FFFD, and the decoder picks up again at the next byte.
    const struct {
        std::string bytes;
        std::u16string decoded;
    } utf8[] = {
        {"a\x80z", u"a\uFFFDz"},                            // stray continuation
        {"\xC0\xAF\xC1\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong 2-byte
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},            // overlong 3-byte
        {"\xF0\x80\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong 4-byte
        {"\xED\xA0\x80\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // surrogates
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},                      // above U+10FFFF
        {"\xF5\xFE\xFF", u"\uFFFD\uFFFD\uFFFD"},                                // never lead bytes
        {"\xE6\x9D", u"\uFFFD\uFFFD"},              // cut short at the end
        {"\xF0\x9F\x98x", u"\uFFFD\uFFFD\uFFFDx"},  // cut short before ASCII
        {"\xC3\xA9\xC3", u"\u00e9\uFFFD"},
    };
    for (const auto& c : utf8) {
        EXPECT_FALSE(IsValidUtf8(c.bytes));
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.decoded);
        // What comes out is well formed, so it converts back and forth unchanged.
        EXPECT_TRUE(IsValidUtf8(Utf16ToUtf8(c.decoded)));
    }

    const struct {
        std::u16string units;
        std::string encoded;
    } utf16[] = {
        {u"a\xD800z", "a\xEF\xBF\xBDz"},                          // lone high surrogate
        {u"\xDC00", "\xEF\xBF\xBD"},                              // lone low surrogate
        {u"\xDC00\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD"},            // pair in the wrong order
        {u"\xD83D", "\xEF\xBF\xBD"},                              // high surrogate at the end
        {u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},  // then a real pair
    };
    for (const auto& c : utf16) {
        EXPECT_EQ(Utf16ToUtf8(c.units), c.encoded);
    }
}

}  // namespace
}  // namespace orvelle
