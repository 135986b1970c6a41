#include "config/folder_counts.h"

#include <algorithm>
#include <utility>

#include "base/text.h"

namespace orvelle {

std::string GroupedNumber(std::int64_t value) {
    const std::string digits = std::to_string(value);
    std::string out;
    const std::size_t sign = value < 0 ? 1 : 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t left = digits.size() - i;  // digits from here to the end
        if (i > sign && left % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(digits[i]);
    }
    return out;
}

FolderCounts::Folder* FolderCounts::Find(const std::string& root) {
    auto it = std::find_if(folders_.begin(), folders_.end(),
                           [&](const Folder& f) { return EqualsNoCase(f.root, root); });
    return it == folders_.end() ? nullptr : &*it;
}

const FolderCounts::Folder* FolderCounts::Find(const std::string& root) const {
    return const_cast<FolderCounts*>(this)->Find(root);
}

std::optional<ScanRequest> FolderCounts::Track(const std::vector<std::string>& roots,
                                               const std::string& cacheFile) {
    bool unknown = false;
    std::vector<std::string> all;
    for (const std::string& root : roots) {
        if (!Find(root)) {
            Folder folder;
            folder.root = root;
            folders_.push_back(std::move(folder));
            unknown = true;
        }
        if (std::none_of(all.begin(), all.end(),
                         [&](const std::string& r) { return EqualsNoCase(r, root); })) {
            all.push_back(root);
        }
    }
    if (!unknown) {
        return std::nullopt;
    }
    // One scan at a time: the one under way is dropped, so every folder is in the new one.
    scanned_ = std::move(all);
    return ScanRequest{++ticket_, scanned_, cacheFile, true, true};
}

void FolderCounts::Reset() {
    folders_.clear();
    scanned_.clear();
    ++ticket_;
}

bool FolderCounts::Complete(Folder& folder) {
    const bool changed = folder.count != folder.found || folder.first != folder.foundFirst;
    folder.count = folder.found;
    folder.first = folder.foundFirst;
    return changed;
}

std::vector<std::string> FolderCounts::Apply(const ScanNews& news) {
    std::vector<std::string> changed;
    if (news.ticket != ticket_) {
        return changed;
    }
    if (news.kind == ScanNews::Finished) {
        // Whatever was left incomplete is taken as found.
        for (const std::string& root : scanned_) {
            Folder* folder = Find(root);
            if (folder && !folder->count && Complete(*folder)) {
                changed.push_back(folder->root);
            }
        }
        return changed;
    }
    if (news.root < 0 || news.root >= static_cast<int>(scanned_.size())) {
        return changed;
    }
    Folder* folder = Find(scanned_[static_cast<std::size_t>(news.root)]);
    if (!folder) {
        return changed;
    }
    if (folder->ticket != news.ticket || news.kind == ScanNews::Whole) {
        folder->ticket = news.ticket;
        folder->found = 0;
        folder->foundFirst.clear();
    }
    const NameList& paths = news.pictures.paths;
    if (!paths.Empty()) {
        if (folder->foundFirst.empty()) {
            folder->foundFirst = folder->root + std::string(paths[0]);
        }
        folder->found += static_cast<std::int64_t>(paths.Size());
    }
    bool moved = false;
    if (news.kind == ScanNews::Unchanged) {
        // Walked and found as handed on before in this scan: what is shown stays.
        moved = !folder->count && Complete(*folder);
    } else if (news.complete) {
        moved = Complete(*folder);
    } else if (folder->first.empty() && !folder->foundFirst.empty()) {
        // The preview need not wait for a large tree's count.
        folder->first = folder->foundFirst;
        moved = true;
    }
    if (moved) {
        changed.push_back(folder->root);
    }
    return changed;
}

std::string FolderCounts::Shown(const std::string& stored, const std::string& root) const {
    const Folder* folder = Find(root);
    if (!folder || !folder->count) {
        return stored + "  (counting pictures...)";
    }
    const std::int64_t n = *folder->count;
    return stored + "  (" + GroupedNumber(n) + (n == 1 ? " picture)" : " pictures)");
}

std::string FolderCounts::FirstPicture(const std::string& root) const {
    const Folder* folder = Find(root);
    return folder ? folder->first : std::string();
}

}  // namespace orvelle
