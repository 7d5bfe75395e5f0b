#include "reference/cie_catalogue.h"

#include <algorithm>
#include <cstring>

#include "storage/block36.h"

namespace quirovel {
namespace {

// The top `compared` bytes of a key.
std::uint64_t Mask(std::size_t compared) {
  return compared >= 8 ? ~std::uint64_t{0} : ~(~std::uint64_t{0} >> (8 * compared));
}

}  // namespace

int CompareCodes(std::string_view a, std::string_view b, std::size_t limit) {
  for (std::size_t i = 0; i < limit; ++i) {
    auto x = static_cast<std::int8_t>(i < a.size() ? a[i] : '\0');
    auto y = static_cast<std::int8_t>(i < b.size() ? b[i] : '\0');
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return 0;
}

std::uint64_t CieCodeKey(std::string_view code) {
  // Flipping the sign bit orders bytes as signed; zeros after the first NUL
  // make texts that end together compare equal, as the character loop stops there.
  std::uint64_t key = 0;
  bool ended = false;
  for (std::size_t i = 0; i < 7; ++i) {
    unsigned char c = 0;
    if (!ended && i < code.size()) c = static_cast<unsigned char>(code[i]);
    if (c == 0) ended = true;
    key = (key << 8) | static_cast<unsigned char>(c ^ 0x80);
  }
  return key << 8;
}

CieCatalogue::CieCatalogue(FileSystem& fs, Feedback& feedback)
    : fs_(fs), feedback_(feedback), attributes_(fs, feedback), descriptions_(fs, feedback) {}

void CieCatalogue::Close() {
  attributes_.Close();
  descriptions_.Close();
  samples_.clear();
  memo_.Clear();
  found_ = 0;
  found_in_memory_ = false;
  memory_loaded_ = false;
  memory_.clear();
  memory_keys_.clear();
  memory_records_ = 0;
  memory_length_ = 0;
  column_offset_.clear();
  column_width_.clear();
}

void CieCatalogue::Open(const std::string& attributes_path, const std::string& descriptions_path) {
  Close();
  attributes_.Open(attributes_path);
  descriptions_.Open(descriptions_path);
  LoadMemoryCopy();
}

void CieCatalogue::LoadMemoryCopy() {
  if (!attributes_.is_open() || attributes_.record_length() <= 0) return;
  std::unique_ptr<File> file = fs_.Open(attributes_.path(), OpenMode::kRead);
  if (!file) return;
  const std::int64_t size = file->Size();
  const std::int64_t header = attributes_.header_length();
  if (size < 0 || size - header > kMaxMemoryCopy) return;
  const auto length = static_cast<std::size_t>(attributes_.record_length());
  const std::size_t data = size > header ? static_cast<std::size_t>(size - header) : 0;
  const std::size_t records = (data + length - 1) / length;
  memory_.assign(records * length, ' ');  // a record cut by the file's end reads as blanks
  std::int64_t got =
      data > 0 ? file->ReadAt(static_cast<std::uint64_t>(header), memory_.data(), data) : 0;
  if (got < 0 || static_cast<std::size_t>(got) != data) {
    memory_.clear();
    return;
  }
  memory_length_ = length;
  memory_records_ = static_cast<std::int64_t>(records);
  // The same field placement as the table layer's accessors.
  std::size_t offset = 1;
  for (int c = 1; c <= attributes_.field_count(); ++c) {
    auto width = static_cast<std::size_t>(std::max(attributes_.Descriptor(c).width, 0));
    bool inside = offset + width <= length;
    column_offset_.push_back(inside ? offset : 0);
    column_width_.push_back(inside ? width : 0);
    offset += width;
  }
  memory_keys_.resize(records);
  const std::size_t width1 = column_width_.empty() ? 0 : column_width_[0];
  for (std::size_t r = 0; r < records; ++r)
    memory_keys_[r] = CieCodeKey(std::string_view(&memory_[r * length + 1], width1));
  memory_loaded_ = true;
}

void CieCatalogue::BuildSampleIndex(int step) {
  samples_.clear();
  memo_.Clear();
  found_ = 0;
  if (step < 1) step = 1;
  const std::int64_t count = descriptions_.is_open() ? descriptions_.record_count() : 0;
  for (std::int64_t r = 1; r <= count && descriptions_.ReadRecord(r) == 0; r += step) {
    samples_.push_back({CieCodeKey(descriptions_.FieldText(1)), static_cast<std::int32_t>(r)});
    if (samples_.size() > static_cast<std::size_t>(kMaxSamples)) {
      feedback_.Message("V_Bsq: Fichero CIE9MCDESCR incorrecto");
      break;
    }
  }
  samples_.push_back({0, static_cast<std::int32_t>(count)});  // the final entry, never compared
}

std::int32_t CieCatalogue::FindDiagnosis(std::string_view code) { return Find(code, 6); }

std::int32_t CieCatalogue::FindProcedure(std::string_view code) { return Find(code, 5); }

void CieCatalogue::Block(std::uint64_t key, std::int32_t* first, std::int32_t* last) const {
  std::size_t lo = 0, hi = samples_.size() - 1;  // the final entry is not a sample
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (samples_[mid].key < key)
      lo = mid + 1;
    else
      hi = mid;
  }
  *first = lo == 0 ? 1 : samples_[lo - 1].record;
  *last = samples_[lo].record;
}

std::int32_t CieCatalogue::Find(std::string_view code, std::size_t compared) {
  found_ = 0;
  found_in_memory_ = false;
  if (samples_.empty() || !attributes_.is_open()) return 0;
  const std::uint64_t key = CieCodeKey(code);
  std::int32_t first, last;
  if (use_memory_ && memory_loaded_) {
    // A key's last byte is always 0: the count compared goes there.
    const std::uint64_t tag = key | compared;
    if (!memo_.Find(tag, &found_)) {
      Block(key, &first, &last);
      found_ = FindInMemory(key, compared, first, last);
      memo_.Remember(tag, found_);
    }
    found_in_memory_ = found_ != 0;
  } else {
    Block(key, &first, &last);
    found_ = FindInTable(attributes_, code, compared, first, last);
  }
  return found_;
}

std::int32_t CieCatalogue::FindInMemory(std::uint64_t key, std::size_t compared, std::int32_t first,
                                        std::int32_t last) const {
  const std::uint64_t mask = Mask(compared);
  const std::uint64_t wanted = key & mask;
  const std::int64_t end = std::min<std::int64_t>(last, memory_records_);
  int read = 0;
  for (std::int64_t r = first; r <= end; ++r) {
    const std::uint64_t have = memory_keys_[static_cast<std::size_t>(r - 1)] & mask;
    ++read;
    if (have == wanted) return static_cast<std::int32_t>(r);
    if (wanted < have) return 0;
    if (compared == 5 && read >= kProcedureGiveUp) return 0;
  }
  return 0;  // past the block, or at a record the file does not hold
}

std::int32_t CieCatalogue::FindInTable(DbfTable& table, std::string_view code, std::size_t compared,
                                       std::int32_t first, std::int32_t last) {
  int read = 0;
  for (std::int32_t r = first; r <= last; ++r) {
    if (table.ReadRecord(r) != 0) return 0;
    ++read;
    int c = CompareCodes(code, table.FieldText(1), compared);
    if (c == 0) return r;
    if (c < 0) return 0;
    if (compared == 5 && read >= kProcedureGiveUp) return 0;
  }
  return 0;
}

std::string_view CieCatalogue::Column(int c) const {
  if (found_ == 0) return {};
  if (!found_in_memory_) return attributes_.FieldText(c);
  if (c < 1 || static_cast<std::size_t>(c) > column_width_.size()) return {};
  const std::size_t i = static_cast<std::size_t>(c - 1);
  if (column_width_[i] == 0) return {};
  const std::size_t at = static_cast<std::size_t>(found_ - 1) * memory_length_ + column_offset_[i];
  return {memory_.data() + at, column_width_[i]};
}

std::string CieCatalogue::Description(std::string_view code, int compared) {
  std::int32_t r = 0;
  if (!samples_.empty() && descriptions_.is_open()) {
    std::int32_t first, last;
    Block(CieCodeKey(code), &first, &last);
    r = FindInTable(descriptions_, code, static_cast<std::size_t>(compared), first, last);
  }
  if (r != 0) return RestoreDescription(descriptions_.FieldText(2));
  if (code.substr(0, 5).find_first_not_of(' ') != std::string_view::npos)
    return "<< NO ES CIE9-MC >>";
  return {};
}

std::string RestoreDescription(std::string_view stored) {
  std::string out = DecodeBlock36(stored.substr(0, 36));
  std::string rest = DecodeBlock36(stored.size() > 36 ? stored.substr(36, 36) : std::string_view());
  // A blank that falls at the end of the first block separates two words:
  // keep it when the text goes on.
  if (!rest.empty()) {
    out.resize(36, ' ');
    out += rest;
  }
  return out;
}

}  // namespace quirovel
