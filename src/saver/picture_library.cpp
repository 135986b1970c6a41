#include "saver/picture_library.h"

#include <algorithm>
#include <utility>

#include "base/text.h"

namespace orvelle {

bool IsFolderEntry(std::string_view stored) {
    return !stored.empty() && stored.back() == '\\';
}

PictureLibrary::PictureLibrary(const std::vector<std::string>& stored, std::size_t entries,
                               const std::function<std::string(const std::string&)>& resolve)
    : stored_(stored), rootOf_(std::min(entries, stored.size()), -1) {
    for (std::size_t i = 0; i < rootOf_.size(); ++i) {
        if (!IsFolderEntry(stored[i])) {
            continue;
        }
        const std::string root = WithTrailingBackslash(resolve(stored[i]));
        // Two entries of one folder share its scan.
        auto same = std::find_if(roots_.begin(), roots_.end(),
                                 [&](const std::string& r) { return EqualsNoCase(r, root); });
        rootOf_[i] = static_cast<std::int32_t>(same - roots_.begin());
        if (same == roots_.end()) {
            roots_.push_back(root);
        }
    }
    found_.resize(roots_.size());
}

std::int32_t PictureLibrary::Pictures(std::int32_t entry) const {
    const std::int32_t root = rootOf_[Index(entry)];
    return root < 0 ? 1 : static_cast<std::int32_t>(found_[Index(root)].pictures.Size());
}

bool PictureLibrary::Complete(std::int32_t entry) const {
    const std::int32_t root = rootOf_[Index(entry)];
    return root < 0 || found_[Index(root)].complete;
}

bool PictureLibrary::AllComplete() const {
    return std::all_of(found_.begin(), found_.end(), [](const Root& r) { return r.complete; });
}

std::string_view PictureLibrary::PictureName(const PicturePlace& place) const {
    // A place picked before its folder was scanned again may lie past the folder's end now.
    if (place.entry < 0 || place.entry >= Entries() || !IsFolder(place.entry) ||
        place.picture < 0 || place.picture >= Pictures(place.entry)) {
        return {};
    }
    return found_[Index(rootOf_[Index(place.entry)])].pictures[Index(place.picture)];
}

std::string PictureLibrary::PicturePath(const PicturePlace& place) const {
    if (place.entry < 0 || place.entry >= Entries()) {
        return {};
    }
    const std::int32_t root = rootOf_[Index(place.entry)];
    if (root < 0) {
        return {};  // the caller resolves a file entry's own text
    }
    return roots_[Index(root)] + std::string(PictureName(place));
}

void PictureLibrary::Count() const {
    if (countedVersion_ == version_) {
        return;
    }
    before_.assign(rootOf_.size() + 1, 0);
    for (std::int32_t i = 0; i < Entries(); ++i) {
        before_[Index(i) + 1] = before_[Index(i)] + Pictures(i);
    }
    countedVersion_ = version_;
}

std::int64_t PictureLibrary::Total() const {
    Count();
    return before_.back();
}

PicturePlace PictureLibrary::At(std::int64_t index) const {
    Count();
    if (index < 0 || index >= before_.back()) {
        return {};
    }
    // The last entry whose pictures start at or before the index.
    const auto it = std::upper_bound(before_.begin(), before_.end(), index) - 1;
    const auto entry = static_cast<std::int32_t>(it - before_.begin());
    return {entry, static_cast<std::int32_t>(index - *it)};
}

void PictureLibrary::Apply(const ScanNews& news) {
    if (news.root < 0 || news.root >= static_cast<int>(found_.size())) {
        return;
    }
    Root& root = found_[static_cast<std::size_t>(news.root)];
    const bool wasComplete = root.complete;
    root.complete = root.complete || news.complete;
    if (news.kind == ScanNews::Found) {
        root.pictures.Append(news.pictures.paths);
        root.skipped += news.pictures.skipped;
    } else if (news.kind == ScanNews::Whole) {
        root.pictures = news.pictures.paths;
        root.skipped = news.pictures.skipped;
    } else if (wasComplete == root.complete) {
        return;  // nothing new
    }
    ++version_;
}

int PictureLibrary::SkippedFiles() const {
    int skipped = 0;
    for (const Root& root : found_) {
        skipped += root.skipped;
    }
    return skipped;
}

}  // namespace orvelle
