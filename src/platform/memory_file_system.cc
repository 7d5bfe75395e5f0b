#include "platform/memory_file_system.h"

#include <cstring>

namespace quirovel {
namespace {

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string ParentOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

class MemoryFile final : public File {
 public:
  MemoryFile(std::shared_ptr<std::string> bytes, bool writable)
      : bytes_(std::move(bytes)), writable_(writable) {}

  std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    if (size == 0 || offset >= bytes_->size()) return 0;
    std::size_t n = std::min<std::size_t>(size, bytes_->size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, bytes_->data() + offset, n);
    return static_cast<std::int64_t>(n);
  }

  std::int64_t WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) override {
    if (!writable_) return -1;
    if (size == 0) return 0;
    // Keeps a wild offset from asking for gigabytes of memory.
    if (offset + size > kMaxFileSize) return -1;
    if (bytes_->size() < offset + size)
      bytes_->resize(static_cast<std::size_t>(offset + size), '\0');
    std::memcpy(bytes_->data() + offset, buffer, size);
    return static_cast<std::int64_t>(size);
  }

  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_->size()); }
  bool Truncate(std::uint64_t size) override {
    if (!writable_ || size > kMaxFileSize) return false;
    bytes_->resize(static_cast<std::size_t>(size), '\0');
    return true;
  }
  bool Sync() override { return true; }

 private:
  static constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 30;
  std::shared_ptr<std::string> bytes_;
  bool writable_;
};

}  // namespace

bool MemoryFileSystem::IsDirectoryPath(const std::string& path) const {
  return path.empty() || path == "/" || directories_.count(path) != 0;
}

bool MemoryFileSystem::ParentExists(const std::string& path) const {
  return IsDirectoryPath(ParentOf(path));
}

bool MemoryFileSystem::SetContents(const std::string& path, std::string bytes) {
  std::string p = StripTrailingSlashes(path);
  if (!ParentExists(p) || IsDirectoryPath(p)) return false;
  files_[p] = std::make_shared<std::string>(std::move(bytes));
  return true;
}

const std::string* MemoryFileSystem::Contents(const std::string& path) const {
  auto it = files_.find(StripTrailingSlashes(path));
  return it == files_.end() ? nullptr : it->second.get();
}

std::unique_ptr<File> MemoryFileSystem::Open(const std::string& path, OpenMode mode) {
  std::string p = StripTrailingSlashes(path);
  if (IsDirectoryPath(p)) return nullptr;
  auto it = files_.find(p);
  switch (mode) {
    case OpenMode::kRead:
    case OpenMode::kReadWrite:
      if (it == files_.end()) return nullptr;
      break;
    case OpenMode::kCreateTruncate:
    case OpenMode::kReadWriteCreate:
      if (it == files_.end()) {
        if (!ParentExists(p)) return nullptr;
        it = files_.emplace(p, std::make_shared<std::string>()).first;
      } else if (mode == OpenMode::kCreateTruncate) {
        it->second->clear();
      }
      break;
  }
  return std::make_unique<MemoryFile>(it->second, mode != OpenMode::kRead);
}

bool MemoryFileSystem::Exists(const std::string& path) {
  std::string p = StripTrailingSlashes(path);
  return IsDirectoryPath(p) || files_.count(p) != 0;
}

bool MemoryFileSystem::IsDirectory(const std::string& path) {
  return IsDirectoryPath(StripTrailingSlashes(path));
}

std::vector<std::string> MemoryFileSystem::List(const std::string& directory) {
  std::vector<std::string> names;
  std::string dir = StripTrailingSlashes(directory);
  if (!IsDirectoryPath(dir)) return names;
  // Entries under a directory are a range of the sorted keys: those that
  // start with "dir/" and hold no further "/".
  const std::string prefix = dir == "/" ? dir : dir + "/";
  auto add_children = [&](const auto& keys, auto key_of) {
    for (auto it = keys.lower_bound(prefix); it != keys.end(); ++it) {
      const std::string& entry = key_of(*it);
      if (entry.compare(0, prefix.size(), prefix) != 0) break;
      if (entry.size() > prefix.size() && entry.find('/', prefix.size()) == std::string::npos)
        names.push_back(entry.substr(prefix.size()));
    }
  };
  if (dir.empty()) {
    // Relative names at the top: anything without a "/".
    for (const auto& d : directories_)
      if (!d.empty() && d.find('/') == std::string::npos) names.push_back(d);
    for (const auto& f : files_)
      if (!f.first.empty() && f.first.find('/') == std::string::npos) names.push_back(f.first);
    return names;
  }
  add_children(directories_, [](const std::string& d) -> const std::string& { return d; });
  add_children(files_, [](const auto& f) -> const std::string& { return f.first; });
  return names;
}

bool MemoryFileSystem::MakeDirectories(const std::string& path) {
  std::string p = StripTrailingSlashes(path);
  if (IsDirectoryPath(p)) return true;
  if (files_.count(p) != 0) return false;
  if (!MakeDirectories(ParentOf(p))) return false;
  directories_.insert(p);
  return true;
}

bool MemoryFileSystem::Remove(const std::string& path) {
  return files_.erase(StripTrailingSlashes(path)) != 0;
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  auto it = files_.find(StripTrailingSlashes(from));
  if (it == files_.end() || IsDirectoryPath(StripTrailingSlashes(to))) return false;
  auto contents = it->second;
  files_.erase(it);
  files_[StripTrailingSlashes(to)] = contents;
  return true;
}

}  // namespace quirovel
