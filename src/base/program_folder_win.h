// The folder the program runs from, where its settings files and pictures live.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::win {

// Ends in "\\"; "" when the system does not tell.
std::string ProgramFolder();

}  // namespace orvelle::win
