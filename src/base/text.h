// Small text helpers for the UTF-8 strings the program works with.
#pragma once

#include <string>
#include <string_view>

namespace orvelle {

// Leading and trailing spaces removed (spaces only, as the command-line rule wants).
std::string TrimSpaces(std::string_view text);
// ASCII upper case; other bytes are kept as they are.
std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Joins a folder and a name with exactly one backslash between them.
std::string WithTrailingBackslash(std::string_view folder);

}  // namespace orvelle
