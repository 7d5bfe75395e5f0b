#include "reference/cie_catalogue.h"

#include <cstdint>

#include "storage/block36.h"

namespace quirovel {
namespace {

// The sample after the last one carries this marker; it is never compared.
constexpr char kEndMarker = static_cast<char>(0xAD);

// Sign of the first difference over at most seven characters, as signed bytes;
// a text that ends compares as its terminating zero.
int CompareCodes(std::string_view a, std::string_view b, std::size_t limit) {
  for (std::size_t i = 0; i < limit; ++i) {
    auto x = static_cast<std::int8_t>(i < a.size() ? a[i] : '\0');
    auto y = static_cast<std::int8_t>(i < b.size() ? b[i] : '\0');
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return 0;
}

}  // namespace

CieCatalogue::CieCatalogue(FileSystem& fs, Feedback& feedback)
    : fs_(fs), feedback_(feedback), attributes_(fs, feedback), descriptions_(fs, feedback) {}

void CieCatalogue::Close() {
  attributes_.Close();
  descriptions_.Close();
  samples_.clear();
  found_ = 0;
}

void CieCatalogue::Open(const std::string& attributes_path, const std::string& descriptions_path) {
  Close();
  attributes_.Open(attributes_path);
  descriptions_.Open(descriptions_path);
}

void CieCatalogue::BuildSampleIndex(int step) {
  samples_.clear();
  found_ = 0;
  if (step < 1) step = 1;
  const std::int64_t count = descriptions_.is_open() ? descriptions_.record_count() : 0;
  for (std::int64_t r = 1; r <= count && descriptions_.ReadRecord(r) == 0; r += step) {
    std::string_view code = descriptions_.FieldText(1);
    samples_.push_back({std::string(code.substr(0, 7)), static_cast<std::int32_t>(r)});
    if (samples_.size() > 2300) {
      feedback_.Message("V_Bsq: Fichero CIE9MCDESCR incorrecto");
      break;
    }
  }
  samples_.push_back({std::string(1, kEndMarker), static_cast<std::int32_t>(count)});
}

std::int32_t CieCatalogue::FindDiagnosis(std::string_view code) { return Find(code, 6); }

std::int32_t CieCatalogue::FindProcedure(std::string_view code) { return Find(code, 5); }

std::int32_t CieCatalogue::Find(std::string_view code, std::size_t compared) {
  found_ = 0;
  if (samples_.empty() || !attributes_.is_open()) return 0;
  const std::size_t count = samples_.size() - 1;  // without the final entry
  std::size_t lo = 0, hi = count;
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (CompareCodes(samples_[mid].code, code, 7) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  std::int32_t first = lo == 0 ? 1 : samples_[lo - 1].record;
  std::int32_t last = samples_[lo].record;
  int read = 0;
  for (std::int32_t r = first; r <= last; ++r) {
    if (attributes_.ReadRecord(r) != 0) return 0;
    ++read;
    int c = CompareCodes(code, attributes_.FieldText(1), compared);
    if (c == 0) {
      found_ = r;
      return r;
    }
    if (c < 0) return 0;
    if (compared == 5 && read >= 201) return 0;
  }
  return 0;
}

std::string_view CieCatalogue::Column(int c) const {
  if (found_ == 0) return {};
  return attributes_.FieldText(c);
}

std::string CieCatalogue::Description(std::string_view code, int compared) {
  std::int32_t r = Find(code, static_cast<std::size_t>(compared));
  if (r != 0 && descriptions_.ReadRecord(r) == 0) {
    std::string_view text = descriptions_.FieldText(2);
    std::string out = DecodeBlock36(text.substr(0, 36));
    out += DecodeBlock36(text.size() > 36 ? text.substr(36, 36) : std::string_view());
    return out;
  }
  if (code.substr(0, 5).find_first_not_of(' ') != std::string_view::npos)
    return "<< NO ES CIE9-MC >>";
  return {};
}

}  // namespace quirovel
