#include "settings/memory_file_system.h"

namespace orvelle {

std::optional<std::string> MemoryFileSystem::ReadFile(const std::string& path) {
    ++reads_[path];
    auto it = files_.find(path);
    if (it == files_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool MemoryFileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
    if (failing_.count(path) != 0) {
        return false;
    }
    ++replaces_[path];
    files_[path] = bytes;
    return true;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
    return files_.count(path) != 0;
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
