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
// Sorts names as Explorer lists them: letters without regard to case, a run of digits by its
// value ("IMG_2" before "IMG_10"); names equal by that sort by FileNameLess.
bool NaturalNameLess(std::string_view a, std::string_view b);
// Paths below one folder ("2019\\05\\a.jpg"), folder by folder by NaturalNameLess: the order
// of a walk that lists each folder's files and subfolders together by name.
bool NaturalPathLess(std::string_view a, std::string_view b);
// Joins a folder and a name with exactly one backslash between them.
std::string WithTrailingBackslash(std::string_view folder);

}  // namespace orvelle
