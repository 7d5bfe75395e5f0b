// A FileSystem that forwards to another and fails on purpose: writes stop at a
// size limit (a full disk), the Nth write or read call fails, opens of some
// paths fail, or the medium is read only. The faults may be kept to the files
// whose path holds a fragment, leaving every other file alone. Used by tests
// and fuzzers to exercise every failure path of the callers.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "platform/file_system.h"

namespace quirovel {

class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& base) : base_(base) {}

  // Files may not grow beyond this many bytes; writes beyond are cut short and
  // a Truncate beyond fails.
  void SetFileSizeLimit(std::uint64_t bytes) { size_limit_ = bytes; }
  // The Nth write call from now (1 = the next one) and every later one write nothing.
  void FailWritesFrom(std::int64_t n) { writes_left_ = n - 1; }
  // The Nth read call from now and every later one read nothing.
  void FailReadsFrom(std::int64_t n) { reads_left_ = n - 1; }
  // Failed reads and writes return -1, an error of the device, instead of 0.
  void FailWithErrors() { failed_result_ = -1; }
  // Opening a path whose text contains this fragment fails.
  void FailOpensOf(std::string fragment) { failing_open_ = std::move(fragment); }
  // Opening for anything but reading fails, as on a read-only medium.
  void MakeReadOnly() { read_only_ = true; }
  // The size limit and the failing reads and writes touch only files opened
  // under a path that contains this fragment ("" = every file, the default);
  // calls on other files neither fail nor count towards the Nth call.
  void KeepFaultsTo(std::string fragment) { faulty_paths_ = std::move(fragment); }
  void Heal();

  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  bool Exists(const std::string& path) override { return base_.Exists(path); }
  bool IsDirectory(const std::string& path) override { return base_.IsDirectory(path); }
  std::vector<std::string> List(const std::string& dir) override { return base_.List(dir); }
  bool MakeDirectories(const std::string& path) override { return base_.MakeDirectories(path); }
  bool Remove(const std::string& path) override { return base_.Remove(path); }
  bool Rename(const std::string& from, const std::string& to) override {
    return !read_only_ && base_.Rename(from, to);
  }

 private:
  friend class FaultyFile;
  FileSystem& base_;
  std::uint64_t size_limit_ = std::numeric_limits<std::uint64_t>::max();
  std::int64_t writes_left_ = std::numeric_limits<std::int64_t>::max();
  std::int64_t reads_left_ = std::numeric_limits<std::int64_t>::max();
  std::int64_t failed_result_ = 0;
  std::string failing_open_;
  std::string faulty_paths_;
  bool read_only_ = false;
};

}  // namespace quirovel
