// Where a theme's show stopped, kept between runs per theme in the user's local application data
// (never in the theme file): the fair shuffle's pass and position, and the picture list order
// stopped at. A missing or damaged file is no state at all: the show starts anew.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/file_system.h"

namespace orvelle {

struct ShuffleState {
    std::uint64_t pass = 0;      // passes begun, the first one counted
    std::uint64_t seed = 0;      // the pass's order
    std::uint64_t position = 0;  // the rank of the last picture shown in it
    bool operator==(const ShuffleState&) const = default;
};

struct ListState {
    std::int32_t entry = 0;  // the entry of the last picture shown
    std::string entryText;   // that entry as stored, so an edited list is noticed
    std::string picture;     // for a folder entry, the picture below its folder
    bool operator==(const ListState&) const = default;
};

struct RunState {
    std::optional<ShuffleState> shuffle;
    std::optional<ListState> list;
    bool operator==(const RunState&) const = default;
};

RunState ReadRunState(FileSystem& files, const std::string& path);
// Written whole or not at all, the folder made when it is missing; false when it failed.
bool WriteRunState(FileSystem& files, const std::string& path, const RunState& state);

// The files of a theme in the state folder ("" for a name that cannot be a file's, or without a
// state folder): where its show stopped, and its folder entries' walks.
std::string RunStatePath(const std::string& stateFolder, const std::string& theme);
std::string ScanCachePath(const std::string& stateFolder, const std::string& theme);

}  // namespace orvelle
