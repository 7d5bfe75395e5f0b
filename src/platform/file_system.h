// The one seam through which the core touches files. The real implementation
// uses POSIX calls; tests substitute one that fails on purpose, so a full disk
// or a short read is exercised without special cases in the callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quirovel {

enum class OpenMode {
  kRead,             // existing file, read only
  kReadWrite,        // existing file, read and write
  kCreateTruncate,   // created or emptied, read and write
  kReadWriteCreate,  // created when missing, never emptied
};

class File {
 public:
  virtual ~File() = default;
  // Bytes read at offset (fewer at the end of the file, 0 past it), or -1.
  virtual std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) = 0;
  // Bytes written at offset (fewer when the device is full), or -1.
  virtual std::int64_t WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) = 0;
  // Current size in bytes, or -1.
  virtual std::int64_t Size() = 0;
  // Flushes what was written to the device.
  virtual bool Sync() = 0;
  // Cuts or extends the file to size bytes. False when it failed or the file
  // system cannot do it (the default).
  virtual bool Truncate(std::uint64_t size) {
    (void)size;
    return false;
  }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Null when the file cannot be opened in that mode.
  virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual bool IsDirectory(const std::string& path) = 0;
  // Names of the entries of a directory (not "." nor ".."); empty when unreadable.
  virtual std::vector<std::string> List(const std::string& directory) = 0;
  // Creates the directory and its missing parents.
  virtual bool MakeDirectories(const std::string& path) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Replaces `to` with `from` in one step, as POSIX rename does.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
};

// The process's real file system.
FileSystem& RealFileSystem();

// Whole-file helpers built on the seam.
bool ReadWholeFile(FileSystem& fs, const std::string& path, std::string* contents);
// Writes the file under a temporary name beside it, flushes it and renames it
// over `path`: the file is either the old one or the new one, never half.
bool WriteWholeFile(FileSystem& fs, const std::string& path, const std::string& contents);
// The temporary name a file is written under before it replaces `path`.
std::string TemporaryNameFor(const std::string& path);

}  // namespace quirovel
