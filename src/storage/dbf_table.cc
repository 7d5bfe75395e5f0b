#include "storage/dbf_table.h"

#include <algorithm>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "platform/little_endian.h"

namespace quirovel {
namespace {

// Descriptor names are NUL-terminated within their 11 bytes.
std::string DescriptorName(const std::array<unsigned char, 32>& d) {
  std::size_t n = 0;
  while (n < 11 && d[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(d.data()), n);
}

constexpr std::size_t kReadAheadLimit = 1 << 20;

}  // namespace

DbfTable::DbfTable(FileSystem& fs, Feedback& feedback) : fs_(fs), feedback_(feedback) {
  offsets_.fill(-1);
  record_.fill(' ');
}

DbfTable::~DbfTable() { Close(); }

int DbfTable::Open(const std::string& path) {
  if (file_) Close();
  for (auto& d : descriptors_) d.fill(0);
  offsets_.fill(-1);
  field_count_ = 0;
  record_count_ = records_in_file_ = 0;
  header_length_ = record_length_ = 0;
  header_.fill(0);
  DropReadAhead();
  last_read_ = -1;
  path_ = path;
  // A record appended before any is read is a live record of blank fields:
  // dBase readers take a deletion flag other than a blank as "not a record".
  record_.fill(' ');

  file_ = fs_.Open(path, OpenMode::kReadWrite);
  // A table on a read-only medium can still be read; appends then fail with their message.
  if (!file_) file_ = fs_.Open(path, OpenMode::kRead);
  if (!file_) {
    feedback_.Message(StrFormat("Error al abril el fichero %s", path.c_str()));
    return -1;
  }
  if (file_->ReadAt(0, header_.data(), 32) != 32) {
    feedback_.Message(
        StrFormat("El fichero %s no es una tabla dBase: cabecera incompleta", path.c_str()));
    return Refuse();
  }
  record_count_ = GetLe32(&header_[4]);
  header_length_ = GetLe16(&header_[8]);
  record_length_ = GetLe16(&header_[10]);
  if (record_length_ == 0) feedback_.Message("ERROR: APERTURA FICHERO (longitud resgistro)");

  int n = (header_length_ - 33) / 32;
  field_count_ = n;
  if (n > kMaxFields || n == 0)
    feedback_.Message(StrFormat("Num campos incorrecto %d  MAX=%d\n", n, kMaxFields));

  int blocks = 0;
  bool terminated = false;
  while (blocks < kMaxSlots) {
    auto& slot = descriptors_[static_cast<std::size_t>(blocks)];
    std::int64_t got = file_->ReadAt(32 + 32 * static_cast<std::uint64_t>(blocks), slot.data(), 32);
    if (got <= 0) break;
    if (got < 32) std::fill(slot.begin() + got, slot.end(), 0);
    ++blocks;
    if (slot[0] == 0x0D) {
      terminated = true;
      break;
    }
  }
  int found = blocks - 1;

  for (int i = 0; i < kMaxSlots; ++i) {
    if (i == 0)
      offsets_[0] = 1;
    else if (i < n)
      offsets_[static_cast<std::size_t>(i)] =
          offsets_[static_cast<std::size_t>(i - 1)] +
          static_cast<std::int8_t>(descriptors_[static_cast<std::size_t>(i - 1)][16]);
    else
      offsets_[static_cast<std::size_t>(i)] = -1;
  }

  if (found != n || n > kMaxSlots || record_length_ > kMaxRecordLength) {
    feedback_.Message(
        StrFormat("Numero de campos incorrecto: ¿Encontrados:%d = Especificados:%d? MAX_CAMPOS=%d, "
                  "MAX_LONG_REG=%d, longitud del resgistro=%d\n"_cp,
                  found, n, kMaxSlots, 640, record_length_));
    return Refuse();
  }
  // Without its 0x0D the descriptor area has no end we can trust, even when
  // the count happens to agree (a file cut short, or 150 blocks of anything).
  if (!terminated) {
    feedback_.Message(StrFormat(
        "El fichero %s no es una tabla dBase: falta el final de los descriptores", path.c_str()));
    return Refuse();
  }
  if (!CheckLayout()) return Refuse();
  CountRecordsInFile();
  return 1;
}

// Compares the header's record count with the bytes that follow the header,
// so that a table cut short is said, not read as if it ended early.
void DbfTable::CountRecordsInFile() {
  const std::int64_t size = file_->Size();
  const std::int64_t data = size - header_length_;
  std::int64_t held = 0;
  // A last byte alone (the end-of-file mark) is not a record.
  if (record_length_ > 1 && data > 1) held = (data + record_length_ - 2) / record_length_;
  if (record_length_ == 1 && data > 0) held = data;
  records_in_file_ = static_cast<std::uint32_t>(std::min<std::int64_t>(held, UINT32_MAX));
  if (size < 0 || !HeaderOvercounts()) return;
  const std::string said = StrFormat(
      "El fichero %s está incompleto: su cabecera dice %u registros y solo contiene %u"_cp,
      path_.c_str(), record_count_, records_in_file_);
  // An operation reopens its table: the same damage is said once.
  if (said == overcount_said_) return;
  overcount_said_ = said;
  feedback_.Message(said);
}

// A refused table must not be used; nothing about it is kept but its path, so
// a caller that loops to record_count() or field_count() anyway does nothing.
int DbfTable::Refuse() {
  file_.reset();
  for (auto& d : descriptors_) d.fill(0);
  offsets_.fill(-1);
  field_count_ = 0;
  record_count_ = records_in_file_ = 0;
  header_length_ = record_length_ = 0;
  return -1;
}

// Refuses what the field accessors could not handle safely: widths outside
// 0..127 and fields that end beyond the record.
bool DbfTable::CheckLayout() {
  int end = 1;
  for (int i = 0; i < field_count_; ++i) {
    const auto& d = descriptors_[static_cast<std::size_t>(i)];
    int width = static_cast<std::int8_t>(d[16]);
    if (width < 0) {
      feedback_.Message(
          StrFormat("El fichero %s tiene el campo %s con una anchura no admitida (%d)",
                    path_.c_str(), DescriptorName(d).c_str(), d[16]));
      return false;
    }
    end += width;
  }
  if (field_count_ > 0 && end > record_length_) {
    feedback_.Message(
        StrFormat("El fichero %s no es valido: sus campos ocupan %d bytes y el registro solo %d",
                  path_.c_str(), end, record_length_));
    return false;
  }
  return true;
}

void DbfTable::Close() {
  if (!file_) return;
  std::uint32_t on_disk = GetLe32(&header_[4]);
  // Only appends change the header; a table that was just read is left untouched.
  if (on_disk != record_count_) {
    PutLe32(&header_[4], record_count_);
    file_->WriteAt(0, header_.data(), 32);
  }
  file_.reset();
  DropReadAhead();
}

int DbfTable::ReadRecord(std::int64_t n) {
  status_ = 1;
  if (!file_ || n < 1 || record_length_ <= 0) return status_;
  const std::int64_t length = record_length_;
  if (n < ahead_first_ || n >= ahead_first_ + ahead_count_) {
    // Grow the read-ahead while the caller walks the records in order.
    if (n == last_read_ + 1)
      ahead_want_ =
          std::min(std::max<std::size_t>(ahead_want_ * 2, 4 * static_cast<std::size_t>(length)),
                   kReadAheadLimit);
    else
      ahead_want_ = static_cast<std::size_t>(length);
    std::size_t want = std::max<std::size_t>(ahead_want_ / static_cast<std::size_t>(length), 1) *
                       static_cast<std::size_t>(length);
    std::uint64_t offset = static_cast<std::uint64_t>(header_length_) +
                           static_cast<std::uint64_t>(n - 1) * static_cast<std::uint64_t>(length);
    // No buffer beyond the end of the file: a small table needs no megabyte.
    if (want > static_cast<std::size_t>(length)) {
      std::int64_t size = file_->Size();
      if (size >= 0) {
        std::uint64_t left = static_cast<std::uint64_t>(size) > offset
                                 ? static_cast<std::uint64_t>(size) - offset
                                 : 0;
        std::uint64_t whole = (left + static_cast<std::uint64_t>(length) - 1) /
                              static_cast<std::uint64_t>(length) *
                              static_cast<std::uint64_t>(length);
        want = static_cast<std::size_t>(
            std::clamp<std::uint64_t>(whole, static_cast<std::uint64_t>(length), want));
      }
    }
    if (ahead_.size() < want) ahead_.resize(want);
    std::int64_t got = file_->ReadAt(offset, ahead_.data(), want);
    if (got <= 0) {
      DropReadAhead();
      return status_;
    }
    ahead_first_ = n;
    ahead_bytes_ = got;
    // One look at the whole block: the records of a file without zero bytes,
    // nearly every file, need no look of their own.
    ahead_has_zero_ = std::memchr(ahead_.data(), 0, static_cast<std::size_t>(got)) != nullptr;
    ahead_count_ = (got + length - 1) / length;
  }
  std::int64_t start = (n - ahead_first_) * length;
  std::int64_t available = std::min(length, ahead_bytes_ - start);
  std::memcpy(record_.data(), ahead_.data() + start, static_cast<std::size_t>(available));
  // A record cut short by the end of the file still counts as read; its
  // missing bytes read as blanks rather than as the previous record's.
  std::memset(record_.data() + available, ' ', static_cast<std::size_t>(length - available));
  record_may_hold_zero_ = ahead_has_zero_;
  last_read_ = n;
  status_ = 0;
  return status_;
}

std::string_view DbfTable::FieldText(int i) const {
  if (i < 1 || i > field_count_ || i > kMaxSlots) return {};
  int offset = offsets_[static_cast<std::size_t>(i - 1)];
  int width = static_cast<std::int8_t>(descriptors_[static_cast<std::size_t>(i - 1)][16]);
  if (offset < 0 || width <= 0 || offset + width > kMaxRecordLength + 1) return {};
  return {record_.data() + offset, static_cast<std::size_t>(width)};
}

void DbfTable::SetFieldText(int i, std::string_view text) {
  std::string_view field = FieldText(i);
  if (field.empty()) return;
  char* at = record_.data() + (field.data() - record_.data());
  std::size_t n = std::min(field.size(), text.size());
  if (auto nul = text.substr(0, n).find('\0'); nul != std::string_view::npos) n = nul;
  if (n > 0) std::memcpy(at, text.data(), n);  // an empty text may have no data at all
  std::memset(at + n, ' ', field.size() - n);
}

void DbfTable::BlankField(int i) { SetFieldText(i, {}); }

bool DbfTable::WriteRecordAt(std::uint32_t index, const char* bytes) {
  status_ = 1;
  if (!file_ || record_length_ <= 0) {
    feedback_.Message("APPEND:ERROR ESCRITURA");
    return false;
  }
  DropReadAhead();
  std::uint64_t offset =
      static_cast<std::uint64_t>(header_length_) +
      static_cast<std::uint64_t>(index) * static_cast<std::uint64_t>(record_length_);
  // A header that counts more records than the file holds would put the new
  // record far beyond the end, with a hole of garbage records before it.
  if (std::int64_t size = file_->Size(); size >= 0 && static_cast<std::uint64_t>(size) < offset) {
    feedback_.Message(
        StrFormat("El fichero %s tiene menos registros que los %u que indica su cabecera"_cp,
                  path_.c_str(), index));
    feedback_.Message("APPEND:ERROR ESCRITURA");
    return false;
  }
  std::int64_t written = file_->WriteAt(offset, bytes, static_cast<std::size_t>(record_length_));
  // A record written in part (a full disk) is not a record: counting it would
  // put a torn record inside the table's count.
  if (written != record_length_) {
    feedback_.Message("APPEND:ERROR ESCRITURA");
    return false;
  }
  ++record_count_;
  records_in_file_ = std::max(records_in_file_, record_count_);
  status_ = 0;
  return true;
}

bool DbfTable::Append() { return WriteRecordAt(record_count_, record_.data()); }

bool DbfTable::AppendScratch(std::string_view record) {
  std::array<char, kMaxRecordLength + 2> scratch;
  std::size_t length = record_length_ > 0 ? static_cast<std::size_t>(record_length_) : 0;
  std::size_t n = std::min(length, record.size());
  if (n > 0) std::memcpy(scratch.data(), record.data(), n);
  std::memset(scratch.data() + n, ' ', length - n);
  return WriteRecordAt(record_count_, scratch.data());
}

FieldDescriptor DbfTable::Descriptor(int i) const {
  FieldDescriptor out;
  if (i < 1 || i > field_count_ || i > kMaxSlots) return out;
  const auto& d = descriptors_[static_cast<std::size_t>(i - 1)];
  out.name = DescriptorName(d);
  out.type = static_cast<char>(d[11]);
  out.width = static_cast<std::int8_t>(d[16]);
  out.decimals = d[17];
  return out;
}

std::string_view DbfTable::FieldName(int i) const {
  if (i < 1 || i > field_count_ || i > kMaxSlots) return {};
  const auto& d = descriptors_[static_cast<std::size_t>(i - 1)];
  std::size_t n = 0;
  while (n < 11 && d[n] != 0) ++n;
  return {reinterpret_cast<const char*>(d.data()), n};
}

int DbfTable::FieldNumber(std::string_view name) const {
  for (int i = 1; i <= field_count_ && i <= kMaxSlots; ++i)
    if (FieldName(i) == name) return i;
  return 0;
}

}  // namespace quirovel
