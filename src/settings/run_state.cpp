#include "settings/run_state.h"

#include <charconv>
#include <string_view>

#include "base/text.h"
#include "settings/checked_text.h"
#include "settings/theme_names.h"

namespace orvelle {

namespace {

constexpr std::string_view kHeader = "orvelle-state 1\n";

template <typename Number>
bool TakeNumber(std::string_view& text, Number& value) {
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (read.ec != std::errc() || read.ptr == text.data()) {
        return false;
    }
    text.remove_prefix(static_cast<std::size_t>(read.ptr - text.data()));
    if (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return true;
}

bool ParseLine(std::string_view line, RunState& state) {
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    std::string_view rest = space == std::string_view::npos ? "" : line.substr(space + 1);
    if (word == "shuffle") {
        ShuffleState shuffle;
        if (!TakeNumber(rest, shuffle.pass) || !TakeNumber(rest, shuffle.seed) ||
            !TakeNumber(rest, shuffle.position) || !rest.empty()) {
            return false;
        }
        state.shuffle = shuffle;
        return true;
    }
    if (word == "list") {
        ListState list;
        if (!TakeNumber(rest, list.entry) || list.entry < 0 || !rest.empty()) {
            return false;
        }
        state.list = list;
        return true;
    }
    if ((word == "listEntry" || word == "listPicture") && state.list) {
        (word == "listEntry" ? state.list->entryText : state.list->picture) = std::string(rest);
        return true;
    }
    return false;
}

std::string StateFile(const std::string& folder, const std::string& theme, const char* ending) {
    if (folder.empty() || !IsSafeThemeName(theme)) {
        return {};
    }
    return WithTrailingBackslash(folder) + theme + ending;
}

}  // namespace

RunState ReadRunState(FileSystem& files, const std::string& path) {
    RunState state;
    const std::optional<std::string> text = path.empty() ? std::nullopt : files.ReadFile(path);
    const std::optional<std::string_view> body = text ? CheckedBody(*text, kHeader) : std::nullopt;
    if (!body) {
        return state;
    }
    std::string_view rest = *body;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (!ParseLine(rest.substr(0, end), state)) {
            return {};
        }
        rest.remove_prefix(end + 1);
    }
    return state;
}

bool WriteRunState(FileSystem& files, const std::string& path, const RunState& state) {
    if (path.empty()) {
        return false;
    }
    std::string body;
    if (const auto& s = state.shuffle) {
        body += "shuffle " + std::to_string(s->pass) + " " + std::to_string(s->seed) + " " +
                std::to_string(s->position) + "\n";
    }
    if (const auto& l = state.list) {
        body += "list " + std::to_string(l->entry) + "\nlistEntry " + l->entryText +
                "\nlistPicture " + l->picture + "\n";
    }
    files.CreateFolder(path.substr(0, path.find_last_of('\\') + 1));
    return files.ReplaceFile(path, WithChecksum(kHeader, body));
}

std::string RunStatePath(const std::string& stateFolder, const std::string& theme) {
    return StateFile(stateFolder, theme, ".state");
}

std::string ScanCachePath(const std::string& stateFolder, const std::string& theme) {
    return StateFile(stateFolder, theme, ".scan");
}

}  // namespace orvelle
