#include "settings/checked_text.h"

#include <charconv>
#include <cstdint>

namespace orvelle {

namespace {

std::uint64_t Checksum(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::string WithChecksum(std::string_view header, std::string_view body) {
    std::string text(header);
    text += body;
    char hex[17];
    const auto end = std::to_chars(hex, hex + sizeof hex, Checksum(text), 16).ptr;
    text += "C ";
    text.append(hex, end);
    text += "\n";
    return text;
}

std::optional<std::string_view> CheckedBody(std::string_view text, std::string_view header) {
    if (text.size() < header.size() + 4 || text.substr(0, header.size()) != header ||
        text.back() != '\n') {
        return std::nullopt;
    }
    const std::size_t last = text.rfind('\n', text.size() - 2);
    const std::size_t start = last == std::string_view::npos ? 0 : last + 1;
    if (start < header.size() || text.substr(start, 2) != "C ") {
        return std::nullopt;
    }
    std::uint64_t sum = 0;
    const char* first = text.data() + start + 2;
    const char* stop = text.data() + text.size() - 1;
    const auto read = std::from_chars(first, stop, sum, 16);
    if (read.ec != std::errc() || read.ptr != stop || first == stop ||
        sum != Checksum(text.substr(0, start))) {
        return std::nullopt;
    }
    return text.substr(header.size(), start - header.size());
}

}  // namespace orvelle
