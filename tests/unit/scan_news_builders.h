// News of a folder scan as the scan worker hands it on, for the tests of what takes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/folder_scan.h"

namespace orvelle::scan_test {

inline ScanNews News(ScanNews::Kind kind, int root, bool complete,
                     const std::vector<std::string>& names, std::uint32_t ticket = 1) {
    ScanNews news{ticket, kind, root, complete, {}};
    for (const std::string& name : names) {
        news.pictures.paths.Add(name);
    }
    return news;
}

// "p0.jpg" to "p<count - 1>.jpg".
inline std::vector<std::string> Numbered(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back("p" + std::to_string(i) + ".jpg");
    }
    return names;
}

}  // namespace orvelle::scan_test
