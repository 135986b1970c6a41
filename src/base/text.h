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
// Two UTF-8 file names that name the same file on Windows: letters compared without regard to
// case, the Latin, Greek and Cyrillic ones included ("Тема" and "ТЕМА").
bool SameFileName(std::string_view a, std::string_view b);
// Sorts as a file list does: letters without regard to case, then byte order.
bool FileNameLess(std::string_view a, std::string_view b);
// Joins a folder and a name with exactly one backslash between them.
std::string WithTrailingBackslash(std::string_view folder);

}  // namespace orvelle
