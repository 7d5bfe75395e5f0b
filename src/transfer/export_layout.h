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

// Where a value lies in the table's record (the deletion flag at 0); an
// offset of -1 for a field the table lacks.
struct ExportSource {
  int offset = -1;
  int width = 0;
};

// Lays out one episode from the table's record bytes: each value (its text up
// to a zero byte) right-aligned in its field, cut to the width when longer,
// a field the table lacks blank. As a text line the dates are reordered from
// AAAAMMDD to DDMMAAAA and nothing else is added; as a dBase record a blank
// deletion flag comes first.
class ExportLineBuilder {
 public:
  ExportLineBuilder(std::vector<ExportField> fields, std::vector<ExportSource> sources,
                    bool text_line);
  // record_may_hold_zero false: the record certainly holds no zero byte.
  std::string_view Build(std::string_view record, bool record_may_hold_zero);

 private:
  std::vector<ExportField> fields_;
  std::vector<ExportSource> sources_;
  bool text_line_;
  std::string out_;
};

}  // namespace quirovel
