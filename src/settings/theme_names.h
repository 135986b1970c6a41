// Which theme names may name a file in the themes folder. The current theme's name comes from a
// file anyone can edit, so a name must never lead out of that folder or onto a device.
#pragma once

#include <string_view>

namespace orvelle {

// True for a name that stays a plain file name inside the themes folder: not empty, not "." or
// "..", no path separator, drive colon or other character Windows forbids in file names, no
// control character, and not a name Windows keeps for a device (CON, PRN, AUX, NUL, COM1-COM9,
// LPT1-LPT9), with or without an extension.
bool IsSafeThemeName(std::string_view name);

// A device name such as "con" or "LPT1.txt": opening it reaches the device, not a file.
bool IsReservedDeviceName(std::string_view name);

}  // namespace orvelle
