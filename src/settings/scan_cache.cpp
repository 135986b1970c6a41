#include "settings/scan_cache.h"

#include <charconv>
#include <cstdint>

#include "base/text.h"
#include "settings/checked_text.h"

namespace orvelle {

namespace {

// The first line names the format; a file of another form is no cache.
constexpr std::string_view kHeader = "orvelle-scan 1\n";

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && !text.empty();
}

// The folder part of a path below the root ("2019\\05\\" of "2019\\05\\a.jpg"), and its name.
std::pair<std::string_view, std::string_view> SplitPath(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos) {
        return {{}, path};
    }
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

void AppendFolder(std::string& text, const CachedFolder& folder) {
    const FolderPictures& p = folder.pictures;
    text += "R " + folder.root + "\n";
    text += "S " + std::to_string(p.skipped) + "\n";
    // A picture's folder is written once, on the "F" line before the first picture in it.
    std::string_view current;
    for (std::size_t i = 0; i < p.paths.Size(); ++i) {
        const auto [below, name] = SplitPath(p.paths[i]);
        if (i == 0 || below != current) {
            text += "F ";
            text += below;
            text += "\n";
            current = below;
        }
        text += "P " + std::to_string(i < p.modified.size() ? p.modified[i] : 0) + " ";
        text += name;
        text += "\n";
    }
    text += "E " + std::to_string(p.paths.Size()) + "\n";
}

// Reads the lines of one folder after its "R" line, up to and with its "E" line.
bool ParseFolder(std::string_view& rest, CachedFolder& folder) {
    std::string below;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos || end < 2 || rest[1] != ' ') {
            return false;
        }
        const char kind = rest[0];
        const std::string_view value = rest.substr(2, end - 2);
        rest.remove_prefix(end + 1);
        FolderPictures& p = folder.pictures;
        if (kind == 'S') {
            if (!ParseNumber(value, p.skipped) || p.skipped < 0) {
                return false;
            }
        } else if (kind == 'F') {
            below = std::string(value);
        } else if (kind == 'P') {
            const std::size_t space = value.find(' ');
            std::uint64_t modified = 0;
            if (space == std::string_view::npos || !ParseNumber(value.substr(0, space), modified) ||
                space + 1 == value.size()) {
                return false;
            }
            p.paths.Add(below + std::string(value.substr(space + 1)));
            p.modified.push_back(modified);
        } else if (kind == 'E') {
            std::size_t count = 0;
            return ParseNumber(value, count) && count == p.paths.Size();
        } else {
            return false;
        }
    }
    return false;
}

}  // namespace

std::string ScanCacheText(const ScanCache& cache) {
    std::string body;
    for (const CachedFolder& folder : cache) {
        AppendFolder(body, folder);
    }
    return WithChecksum(kHeader, body);
}

std::optional<ScanCache> ScanCacheFromText(std::string_view text) {
    const std::optional<std::string_view> body = CheckedBody(text, kHeader);
    if (!body) {
        return std::nullopt;
    }
    ScanCache cache;
    std::string_view rest = *body;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (rest.substr(0, 2) != "R " || end == std::string_view::npos) {
            return std::nullopt;
        }
        CachedFolder folder;
        folder.root = std::string(rest.substr(2, end - 2));
        rest.remove_prefix(end + 1);
        if (!ParseFolder(rest, folder)) {
            return std::nullopt;
        }
        cache.push_back(std::move(folder));
    }
    return cache;
}

ScanCache ReadScanCache(FileSystem& files, const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const std::optional<std::string> text = files.ReadFile(path);
    if (!text) {
        return {};
    }
    return ScanCacheFromText(*text).value_or(ScanCache{});
}

bool WriteScanCache(FileSystem& files, const std::string& path, const ScanCache& cache) {
    if (path.empty()) {
        return false;
    }
    files.CreateFolder(path.substr(0, path.find_last_of('\\') + 1));
    return files.ReplaceFile(path, ScanCacheText(cache));
}

const CachedFolder* FindCachedFolder(const ScanCache& cache, const std::string& root) {
    for (const CachedFolder& folder : cache) {
        if (EqualsNoCase(folder.root, root)) {
            return &folder;
        }
    }
    return nullptr;
}

}  // namespace orvelle
