// What an export writes for one episode: the CMBD-A structure (63 fields,
// field i from CMBD-A field i) or the CMA structure (27 fields mapped from
// the CMBD-A fields, the second HOSPITAL left blank), each value
// right-aligned in its field's width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quirovel {

struct ExportField {
  std::string name;
  char type = 'C';
  int width = 0;
  int source = 0;  // CMBD-A field number, 0 for a field always blank
};

// The definitions of the structure a test type exports (CmbdLayout or CmaLayout).
std::vector<std::string_view> ExportDefinitions(int test);
std::vector<ExportField> ExportFields(int test);

// The value right-aligned in width ("%*s"), cut to the width when longer.
void AppendRightAligned(std::string_view value, int width, std::string* out);

// One line of the text export: the values side by side, dates reordered from
// AAAAMMDD to DDMMAAAA, no separators, no line end.
// value(k) is the text of CMBD-A field k (empty when the table lacks it).
template <typename ValueOf>
void AppendTextLine(const std::vector<ExportField>& fields, ValueOf value, std::string* out) {
  for (const ExportField& f : fields) {
    const std::string_view v = f.source > 0 ? value(f.source) : std::string_view();
    if (f.type != 'D' || f.width != 8) {
      AppendRightAligned(v, f.width, out);
      continue;
    }
    char date[8];
    std::string aligned;
    AppendRightAligned(v, 8, &aligned);
    date[0] = aligned[6], date[1] = aligned[7], date[2] = aligned[4], date[3] = aligned[5];
    for (int i = 0; i < 4; ++i) date[4 + i] = aligned[static_cast<std::size_t>(i)];
    out->append(date, 8);
  }
}

}  // namespace quirovel
