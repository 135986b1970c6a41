// Small state files the program writes for itself: a first line naming the form, the body, and a
// last line with a checksum of everything before it, so that a damaged or cut file is told from
// a good one and taken for none at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvelle {

// header + body + "C <checksum>\n"; header and body end in "\n" (or are empty).
std::string WithChecksum(std::string_view header, std::string_view body);
// The body of such a text; nothing when the header or the checksum does not match.
std::optional<std::string_view> CheckedBody(std::string_view text, std::string_view header);

}  // namespace orvelle
