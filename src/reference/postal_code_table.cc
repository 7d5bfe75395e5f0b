#include <algorithm>

#include "platform/little_endian.h"
#include "reference/reference_tables.h"

namespace quirovel {

void PostalCodeTable::Open(FileSystem& fs, Feedback& feedback, const std::string& host_path) {
  Close();
  file_ = fs.Open(host_path, OpenMode::kReadWrite);
  // Nothing ever writes the table: a read-only copy serves as well.
  if (!file_) file_ = fs.Open(host_path, OpenMode::kRead);
  if (!file_) {
    feedback.Message("Error al abrir fichero de codigos postales");
    // Created only when missing: an existing table is never emptied.
    fs.Open(host_path, OpenMode::kReadWriteCreate).reset();
    file_ = fs.Open(host_path, OpenMode::kReadWrite);
    if (!file_) {
      feedback.Message("Error al Crear fichero de codigos postales");
      return;
    }
  }
  std::int64_t size = file_->Size();
  if (size <= 0) return;
  std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(size) / 4, kEntriesInMemory);
  std::vector<unsigned char> bytes(count * 4);
  std::int64_t got = file_->ReadAt(0, bytes.data(), bytes.size());
  if (got < 0) got = 0;
  count = static_cast<std::size_t>(got) / 4;
  entries_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* p = &bytes[4 * i];
    entries_[i] = static_cast<std::int32_t>(GetLe32(p));
  }
}

void PostalCodeTable::Close() {
  file_.reset();
  entries_.clear();
  province_only_ = false;
}

std::int32_t PostalCodeTable::PostalCodeKnown(std::int32_t code) {
  province_only_ = false;
  const std::int32_t province = code / 1000, rest = code % 1000;
  if (rest == 999) {
    if (province == 99 || (province >= 1 && province <= 52)) {
      province_only_ = true;
      return 1;
    }
    return 0;
  }
  if (code < 1000) return 0;
  const auto index = static_cast<std::uint64_t>(code - 1000);
  if (index < entries_.size()) return entries_[index];
  if (index < kEntriesInMemory || !file_) return 0;  // beyond the end of the file
  unsigned char p[4];
  if (file_->ReadAt(index * 4, p, 4) != 4) return 0;
  return static_cast<std::int32_t>(GetLe32(p));
}

}  // namespace quirovel
