// The folder the program runs from, where its settings files and pictures live, and the one
// where it keeps state of its own.
#pragma once

#include <windows.h>

#include <string>

namespace orvelle::win {

// Ends in "\\"; "" when the system does not tell.
std::string ProgramFolder();

// Where the program keeps what it learns for itself per theme (where a show stopped, the folders'
// scans): "Orvelle Screen Saver\\" in the user's local application data, ending in "\\"; "" when
// the system does not tell. The folder is made when something is first written there.
std::string LocalStateFolder();

}  // namespace orvelle::win
