#include "transfer/export_layout.h"

#include <algorithm>
#include <cstring>

#include "storage/field_definition.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

// Where the 27 CMA fields take their values from.
constexpr int kCmaSources[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 19, 20,
                                 21, 22, 23, 34, 38, 39, 40, 41, 53, 16, 17, 15, 0};

}  // namespace

std::vector<std::string_view> ExportDefinitions(int test) {
  if (test == 2) return {kCmaLayout.begin(), kCmaLayout.end()};
  return {kCmbdLayout.begin(), kCmbdLayout.end()};
}

std::vector<ExportField> ExportFields(int test) {
  std::vector<ExportField> fields;
  const auto definitions = ExportDefinitions(test);
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    const FieldDefinition d = ParseFieldDefinition(definitions[i]);
    const int source = test == 2 ? kCmaSources[i] : static_cast<int>(i + 1);
    fields.push_back({d.name, d.type, d.width, source});
  }
  return fields;
}

ExportLineBuilder::ExportLineBuilder(std::vector<ExportField> fields,
                                     std::vector<ExportSource> sources, bool text_line)
    : fields_(std::move(fields)), sources_(std::move(sources)), text_line_(text_line) {
  std::size_t length = text_line_ ? 0 : 1;
  for (const ExportField& f : fields_) length += static_cast<std::size_t>(std::max(f.width, 0));
  out_.assign(length, ' ');
  sources_.resize(fields_.size());
}

std::string_view ExportLineBuilder::Build(std::string_view record, bool record_may_hold_zero) {
  char* at = out_.data() + (text_line_ ? 0 : 1);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const ExportField& f = fields_[i];
    const std::size_t width = static_cast<std::size_t>(std::max(f.width, 0));
    std::string_view value;
    const ExportSource& from = sources_[i];
    if (from.offset >= 0 && static_cast<std::size_t>(from.offset) < record.size())
      value = record.substr(static_cast<std::size_t>(from.offset),
                            static_cast<std::size_t>(std::max(from.width, 0)));
    if (record_may_hold_zero) value = value.substr(0, value.find('\0'));
    char* field = at;
    if (value.size() >= width) {
      if (width > 0) std::memcpy(field, value.data(), width);
    } else {
      std::memset(field, ' ', width - value.size());
      // An empty value may have no data at all.
      if (!value.empty()) std::memcpy(field + width - value.size(), value.data(), value.size());
    }
    if (text_line_ && f.type == 'D' && width == 8) {
      char date[8];
      std::memcpy(date, field + 6, 2);
      std::memcpy(date + 2, field + 4, 2);
      std::memcpy(date + 4, field, 4);
      std::memcpy(field, date, 8);
    }
    at += width;
  }
  return out_;
}

}  // namespace quirovel
