#include "analyses/history_append_file.h"

#include <limits>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "platform/little_endian.h"

namespace quirovel {
namespace {
constexpr std::size_t kBlockBytes = 1 << 20;
}  // namespace

bool HistoryAppendFile::Open(FileSystem& fs, const std::string& host_path, std::string* problem) {
  *this = HistoryAppendFile();
  file_ = fs.Open(host_path, OpenMode::kReadWrite);
  if (!file_) {
    *problem = StrFormat("Error al abril el fichero %s", host_path.c_str());
    return false;
  }
  unsigned char header[32];
  const std::int64_t size = file_->Size();
  if (size < 32 || file_->ReadAt(0, header, 32) != 32) {
    *problem = StrFormat("Cabecera incompleta en %s", host_path.c_str());
    return false;
  }
  old_count_ = GetLe32(header + 4);
  header_length_ = GetLe16(header + 8);
  record_length_ = GetLe16(header + 10);
  if (header_length_ < 33 || record_length_ <= 0) {
    *problem = StrFormat("Cabecera incorrecta en %s", host_path.c_str());
    return false;
  }
  const std::uint64_t data_end = DataEnd();
  old_size_ = static_cast<std::uint64_t>(size);
  if (old_size_ < data_end) {
    *problem = StrFormat("El fichero %s tiene menos registros que los %u que indica su cabecera"_cp,
                         host_path.c_str(), old_count_);
    return false;
  }
  // A record or more past the counted ones: what an interrupted append left.
  if (old_size_ - data_end >= static_cast<std::uint64_t>(record_length_)) {
    if (!file_->Truncate(data_end)) {
      *problem =
          StrFormat("No se pudo recortar %s a sus %u registros"_cp, host_path.c_str(), old_count_);
      return false;
    }
    cut_bytes_ = old_size_ - data_end;
    old_size_ = data_end;
  }
  tail_.resize(static_cast<std::size_t>(old_size_ - data_end));
  if (!tail_.empty() && file_->ReadAt(data_end, tail_.data(), tail_.size()) !=
                            static_cast<std::int64_t>(tail_.size())) {
    *problem = StrFormat("Error al leer %s", host_path.c_str());
    return false;
  }
  if (old_count_ == 0) {
    head_.resize(static_cast<std::size_t>(header_length_));
    if (file_->ReadAt(0, head_.data(), head_.size()) != static_cast<std::int64_t>(head_.size())) {
      *problem = StrFormat("Cabecera incompleta en %s", host_path.c_str());
      return false;
    }
  }
  block_.reserve(kBlockBytes + static_cast<std::size_t>(record_length_));
  block_offset_ = data_end + static_cast<std::uint64_t>(record_length_);
  return true;
}

bool HistoryAppendFile::WriteBlock() {
  if (block_.empty()) return !failed_;
  const std::int64_t n = file_->WriteAt(block_offset_, block_.data(), block_.size());
  if (n != static_cast<std::int64_t>(block_.size())) failed_ = true;
  block_offset_ += block_.size();
  block_.clear();
  return !failed_;
}

bool HistoryAppendFile::Add(const char* record) {
  if (failed_ || !file_) return false;
  if (static_cast<std::uint64_t>(old_count_) + appended_ >=
      std::numeric_limits<std::uint32_t>::max()) {
    failed_ = true;  // the header could not count it
    return false;
  }
  const auto length = static_cast<std::size_t>(record_length_);
  if (appended_ == 0)
    first_.assign(record, length);
  else
    block_.append(record, length);
  ++appended_;
  return block_.size() < kBlockBytes || WriteBlock();
}

bool HistoryAppendFile::Commit() {
  if (failed_ || !file_) return false;
  if (appended_ == 0) return true;
  if (!WriteBlock()) return false;
  const std::uint32_t new_count = old_count_ + appended_;
  first_written_ = true;
  if (old_count_ == 0) {
    // Header and first record in one write: the end mark they cover is never
    // overwritten unless the new count is written with it.
    std::string bytes = head_ + first_;
    PutLe32(reinterpret_cast<unsigned char*>(bytes.data()) + 4, new_count);
    header_written_ = true;
    if (!file_->Sync() ||
        file_->WriteAt(0, bytes.data(), bytes.size()) != static_cast<std::int64_t>(bytes.size()) ||
        !file_->Sync())
      failed_ = true;
    return !failed_;
  }
  if (file_->WriteAt(DataEnd(), first_.data(), first_.size()) !=
          static_cast<std::int64_t>(first_.size()) ||
      !file_->Sync()) {
    failed_ = true;
    return false;
  }
  unsigned char count[4];
  PutLe32(count, new_count);
  header_written_ = true;
  if (file_->WriteAt(4, count, 4) != 4 || !file_->Sync()) failed_ = true;
  return !failed_;
}

bool HistoryAppendFile::Restore(std::uint64_t offset, const std::string& bytes) {
  // Written only when they differ: a device that refuses every write leaves
  // them as they were when the write that failed wrote nothing.
  std::string found(bytes.size(), '\0');
  if (file_->ReadAt(offset, found.data(), found.size()) ==
          static_cast<std::int64_t>(found.size()) &&
      found == bytes)
    return true;
  return file_->WriteAt(offset, bytes.data(), bytes.size()) ==
         static_cast<std::int64_t>(bytes.size());
}

bool HistoryAppendFile::RollBack() {
  if (!file_) return false;
  bool ok = file_->Truncate(old_size_);
  if (first_written_ && !tail_.empty()) ok = Restore(DataEnd(), tail_) && ok;
  if (header_written_) {
    std::string count(4, '\0');
    PutLe32(reinterpret_cast<unsigned char*>(count.data()), old_count_);
    ok = Restore(4, count) && ok;
  }
  ok = file_->Sync() && ok;
  appended_ = 0;
  return ok;
}

}  // namespace quirovel
