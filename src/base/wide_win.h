// The one place where the program's UTF-8 text meets Windows' UTF-16: every call that takes or
// returns text uses the W function with these conversions.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace orvelle::win {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// A NUL-terminated buffer filled by a system call; nullptr gives "".
std::string Narrow(const wchar_t* wide);

// The machine's ANSI code page, for settings files written without a byte-order mark.
std::u16string AnsiToUtf16(std::string_view ansi);
// Nothing when a character has no exact form in the code page (never replaced by "?").
std::optional<std::string> Utf16ToAnsi(std::u16string_view text);

}  // namespace orvelle::win
