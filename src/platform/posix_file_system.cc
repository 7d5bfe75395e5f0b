#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"

namespace quirovel {
namespace {

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }

  std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    std::size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < size) {
      ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return done > 0 ? static_cast<std::int64_t>(done) : -1;
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
  }

  std::int64_t WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) override {
    std::size_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < size) {
      ssize_t n = ::pwrite(fd_, in + done, size - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return done > 0 ? static_cast<std::int64_t>(done) : -1;
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
  }

  std::int64_t Size() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return -1;
    return st.st_size;
  }

  bool Truncate(std::uint64_t size) override {
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
  }

  bool Sync() override { return ::fsync(fd_) == 0; }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override {
    int flags = O_CLOEXEC;
    switch (mode) {
      case OpenMode::kRead:
        flags |= O_RDONLY;
        break;
      case OpenMode::kReadWrite:
        flags |= O_RDWR;
        break;
      case OpenMode::kCreateTruncate:
        // A file rewritten whole is never written through a symbolic link:
        // a report linked to a file elsewhere would overwrite that file.
        flags |= O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW;
        break;
      case OpenMode::kReadWriteCreate:
        flags |= O_RDWR | O_CREAT;
        break;
    }
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  bool Exists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
  }

  bool IsDirectory(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  std::vector<std::string> List(const std::string& directory) override {
    std::vector<std::string> names;
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (dir == nullptr) return names;
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
  }

  bool MakeDirectories(const std::string& path) override {
    if (path.empty() || IsDirectory(path)) return true;
    auto slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirectories(path.substr(0, slash)))
      return false;
    return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
  }

  bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
  bool Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem fs;  // stateless: safe to share
  return fs;
}

bool ReadWholeFile(FileSystem& fs, const std::string& path, std::string* contents) {
  auto file = fs.Open(path, OpenMode::kRead);
  if (!file) return false;
  contents->clear();
  char block[1 << 16];
  std::uint64_t offset = 0;
  for (;;) {
    std::int64_t n = file->ReadAt(offset, block, sizeof block);
    if (n < 0) return false;
    if (n == 0) break;
    contents->append(block, static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

std::string TemporaryNameFor(const std::string& path) { return path + ".tmp"; }

bool WriteWholeFile(FileSystem& fs, const std::string& path, const std::string& contents) {
  const std::string temporary = TemporaryNameFor(path);
  auto file = fs.Open(temporary, OpenMode::kCreateTruncate);
  if (!file) return false;
  const bool whole = file->WriteAt(0, contents.data(), contents.size()) ==
                         static_cast<std::int64_t>(contents.size()) &&
                     file->Sync();
  file.reset();
  if (whole && fs.Rename(temporary, path)) return true;
  fs.Remove(temporary);
  return false;
}

}  // namespace quirovel
