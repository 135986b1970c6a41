// UTF-8 and UTF-16 conversions. Text inside the program is UTF-8; the Windows side turns it into
// UTF-16 at the calls (base/wide_win.h), and the settings store for Unicode files.
#pragma once

#include <string>
#include <string_view>

namespace orvelle {

// Malformed input never fails: an invalid UTF-8 sequence or a lone surrogate becomes U+FFFD, so
// a damaged file or name is shown with a replacement mark instead of being cut or crashing.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// True when the text is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

}  // namespace orvelle
