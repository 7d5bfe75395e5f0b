#include "transfer/export_layout.h"

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

void AppendRightAligned(std::string_view value, int width, std::string* out) {
  const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
  if (value.size() >= w) {
    out->append(value.substr(0, w));
  } else {
    out->append(w - value.size(), ' ');
    out->append(value);
  }
}

}  // namespace quirovel
