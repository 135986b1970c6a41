#include "settings/memory_file_system.h"

namespace orvelle {

namespace {

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 1 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// The folder part of a path; "" for a bare name.
std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

void MemoryFileSystem::Put(const std::string& path, std::string bytes) {
    files_[path] = std::move(bytes);
    modified_[path] = ++clock_;
    AddFolder(ParentOf(path));
}

void MemoryFileSystem::MakeLink(const std::string& folder) {
    AddFolder(folder);
    links_.insert(WithoutTrailingBackslash(folder));
}

void MemoryFileSystem::AddFolder(const std::string& path) {
    for (std::string folder = WithoutTrailingBackslash(path); !folder.empty();
         folder = ParentOf(folder)) {
        folders_.insert(folder);
    }
}

FileBytes MemoryFileSystem::ReadWholeFile(const std::string& path) {
    ++reads_[path];
    if (unreadable_.count(path) != 0) {
        return {FileState::Unreadable, {}};
    }
    auto it = files_.find(path);
    if (it == files_.end()) {
        return {FileState::Missing, {}};
    }
    return {FileState::Read, it->second};
}

bool MemoryFileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
    if (failing_.count(path) != 0) {
        return false;
    }
    ++replaces_[path];
    Put(path, bytes);
    return true;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
    return files_.count(path) != 0;
}

std::vector<std::string> MemoryFileSystem::FindFiles(const std::string& folder,
                                                     const std::string& pattern) {
    const std::string parent = WithoutTrailingBackslash(folder);
    std::vector<std::string> names;
    for (const auto& entry : files_) {
        if (ParentOf(entry.first) != parent) {
            continue;
        }
        std::string name = entry.first.substr(parent.size() + 1);
        if (MatchesFilePattern(name, pattern)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

bool MemoryFileSystem::CopyWholeFile(const std::string& from, const std::string& to,
                                     bool overwrite) {
    auto source = files_.find(from);
    if (source == files_.end() || failing_.count(to) != 0 || (!overwrite && FileExists(to)) ||
        !FolderExists(ParentOf(to))) {
        return false;
    }
    files_[to] = source->second;
    return true;
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
    if (failing_.count(path) != 0) {
        return false;
    }
    return files_.erase(path) != 0;
}

bool MemoryFileSystem::FolderExists(const std::string& path) {
    return folders_.count(WithoutTrailingBackslash(path)) != 0;
}

std::optional<std::vector<FolderItem>> MemoryFileSystem::ListFolder(const std::string& folder) {
    const std::string parent = WithoutTrailingBackslash(folder);
    if (!FolderExists(parent) || unlisted_.count(parent) != 0) {
        return std::nullopt;
    }
    std::vector<FolderItem> items;
    const auto add = [&](const std::string& path, bool isFolder) {
        if (ParentOf(path) != parent) {
            return;
        }
        FolderItem item;
        item.name = path.substr(parent.size() + 1);
        item.folder = isFolder;
        item.hidden = hidden_.count(path) != 0;
        item.link = links_.count(path) != 0;
        auto time = modified_.find(path);
        item.modified = time == modified_.end() ? 0 : time->second;
        items.push_back(std::move(item));
    };
    // Everything below the folder sorts right after its name and a backslash.
    const std::string prefix = parent + "\\";
    for (auto it = files_.lower_bound(prefix);
         it != files_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
        add(it->first, false);
    }
    for (auto it = folders_.lower_bound(prefix);
         it != folders_.end() && it->compare(0, prefix.size(), prefix) == 0; ++it) {
        add(*it, true);
    }
    return items;
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
    if (failing_.count(WithoutTrailingBackslash(path)) != 0) {
        return false;
    }
    AddFolder(path);
    return true;
}

std::string MemoryFileSystem::Get(const std::string& path) const {
    auto it = files_.find(path);
    return it == files_.end() ? std::string() : it->second;
}

int MemoryFileSystem::ReplaceCount(const std::string& path) const {
    auto it = replaces_.find(path);
    return it == replaces_.end() ? 0 : it->second;
}

int MemoryFileSystem::ReadCount(const std::string& path) const {
    auto it = reads_.find(path);
    return it == reads_.end() ? 0 : it->second;
}

int MemoryFileSystem::TotalReplaceCount() const {
    int total = 0;
    for (const auto& entry : replaces_) {
        total += entry.second;
    }
    return total;
}

}  // namespace orvelle
