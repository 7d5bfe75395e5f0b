// A FileSystem held entirely in memory, for tests and fuzzers: no disk, no
// clean-up, and every byte a caller wrote can be inspected afterwards.
//
// Paths are plain texts separated by "/". "" and "/" always exist as
// directories; a file or directory can be created only inside an existing
// directory, as on a real disk, so a missing working directory is noticed.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quirovel {

class MemoryFileSystem final : public FileSystem {
 public:
  // Puts a whole file in place (its directory must exist), replacing any old one.
  bool SetContents(const std::string& path, std::string bytes);
  // The whole file, or nothing when there is no such file.
  const std::string* Contents(const std::string& path) const;

  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  bool Exists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  std::vector<std::string> List(const std::string& directory) override;
  bool MakeDirectories(const std::string& path) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;

 private:
  bool ParentExists(const std::string& path) const;
  bool IsDirectoryPath(const std::string& path) const;

  // Open files share their contents with the map, so a removed file stays
  // readable through handles opened before, as on POSIX.
  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::set<std::string> directories_;
};

}  // namespace quirovel
