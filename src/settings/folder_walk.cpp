#include "settings/folder_walk.h"

#include <algorithm>
#include <utility>

#include "base/text.h"

namespace orvelle {

namespace {

constexpr std::uint64_t kSecond = 10000000;  // in the system's 100 ns steps

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace

void NameList::Add(std::string_view name) {
    text_.append(name);
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

void NameList::Append(const NameList& other) {
    const auto base = static_cast<std::uint32_t>(text_.size());
    text_ += other.text_;
    ends_.reserve(ends_.size() + other.ends_.size());
    for (std::uint32_t end : other.ends_) {
        ends_.push_back(base + end);
    }
}

std::string_view NameList::operator[](std::size_t i) const {
    const std::uint32_t start = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(start, ends_[i] - start);
}

void NameList::Clear() {
    text_.clear();
    ends_.clear();
}

PictureExtensions::PictureExtensions(const std::vector<std::string>& extensions) {
    for (const std::string& extension : extensions) {
        extensions_.push_back(LowerAscii(extension));
    }
    std::sort(extensions_.begin(), extensions_.end());
    extensions_.erase(std::unique(extensions_.begin(), extensions_.end()), extensions_.end());
}

bool PictureExtensions::Matches(std::string_view fileName) const {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return false;
    }
    return std::binary_search(extensions_.begin(), extensions_.end(),
                              LowerAscii(fileName.substr(dot)));
}

FolderWalk::FolderWalk(FileSystem& files, const std::string& root,
                       const PictureExtensions& extensions)
    : files_(files), root_(WithTrailingBackslash(root)), extensions_(extensions) {}

bool FolderWalk::Enter(const std::string& folder) {
    std::optional<std::vector<FolderItem>> items = files_.ListFolder(root_ + folder);
    if (!items) {
        return false;  // a folder that cannot be read holds nothing to show
    }
    std::sort(items->begin(), items->end(), [](const FolderItem& a, const FolderItem& b) {
        return NaturalNameLess(a.name, b.name);
    });
    stack_.push_back(Frame{folder, std::move(*items), 0});
    return true;
}

bool FolderWalk::Step() {
    if (!started_) {
        started_ = true;
        rootListed_ = Enter("");
        return !stack_.empty();
    }
    while (!stack_.empty()) {
        Frame& top = stack_.back();
        if (top.next == top.items.size()) {
            stack_.pop_back();
            continue;
        }
        const FolderItem& item = top.items[top.next++];
        if (item.hidden || item.link) {
            continue;
        }
        if (item.folder) {
            // Pushing invalidates top: the path is made first.
            Enter(top.folder + item.name + "\\");
            return true;
        }
        if (extensions_.Matches(item.name)) {
            found_.paths.Add(top.folder + item.name);
            found_.modified.push_back(item.modified / kSecond);
        } else {
            ++found_.skipped;
        }
    }
    return false;
}

FolderPictures FolderWalk::TakeFound() {
    return std::exchange(found_, FolderPictures{});
}

FolderPictures WalkFolder(FileSystem& files, const std::string& root,
                          const PictureExtensions& extensions, bool* listed) {
    FolderWalk walk(files, root, extensions);
    FolderPictures all;
    while (walk.Step()) {
    }
    all = walk.TakeFound();
    if (listed) {
        *listed = walk.RootListed();
    }
    return all;
}

}  // namespace orvelle
