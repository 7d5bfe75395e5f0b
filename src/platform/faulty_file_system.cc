#include "platform/faulty_file_system.h"

namespace quirovel {

class FaultyFile final : public File {
 public:
  FaultyFile(FaultyFileSystem& owner, std::unique_ptr<File> base)
      : owner_(owner), base_(std::move(base)) {}

  std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    if (owner_.reads_left_ <= 0) return owner_.failed_result_;
    --owner_.reads_left_;
    return base_->ReadAt(offset, buffer, size);
  }

  std::int64_t WriteAt(std::uint64_t offset, const void* buffer, std::size_t size) override {
    if (owner_.writes_left_ <= 0) return owner_.failed_result_;
    --owner_.writes_left_;
    if (offset >= owner_.size_limit_) return 0;
    std::uint64_t room = owner_.size_limit_ - offset;
    if (size > room) size = static_cast<std::size_t>(room);
    return base_->WriteAt(offset, buffer, size);
  }

  std::int64_t Size() override { return base_->Size(); }
  bool Sync() override { return base_->Sync(); }
  // Like a full disk: a file may shrink, or grow up to the limit only.
  bool Truncate(std::uint64_t size) override {
    return size <= owner_.size_limit_ && base_->Truncate(size);
  }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<File> base_;
};

void FaultyFileSystem::Heal() {
  size_limit_ = std::numeric_limits<std::uint64_t>::max();
  writes_left_ = std::numeric_limits<std::int64_t>::max();
  reads_left_ = std::numeric_limits<std::int64_t>::max();
  failed_result_ = 0;
  failing_open_.clear();
  faulty_paths_.clear();
  read_only_ = false;
}

std::unique_ptr<File> FaultyFileSystem::Open(const std::string& path, OpenMode mode) {
  if (!failing_open_.empty() && path.find(failing_open_) != std::string::npos) return nullptr;
  if (read_only_ && mode != OpenMode::kRead) return nullptr;
  auto file = base_.Open(path, mode);
  if (!file) return nullptr;
  if (!faulty_paths_.empty() && path.find(faulty_paths_) == std::string::npos) return file;
  return std::make_unique<FaultyFile>(*this, std::move(file));
}

}  // namespace quirovel
