// Field definition texts such as "FECALT#D8" or "VALORES#C80": a name, "#",
// a type letter, a width and optionally "." and the decimal count.
#pragma once

#include <string>
#include <string_view>

namespace quirovel {

struct FieldDefinition {
  std::string name;       // the text before "#"
  char type = 'C';        // after the H/D/F/I rules: C, N, D or another letter as written
  int width = 0;          // after the rules (H gives 5, D gives 8)
  int decimals = 0;       // after the rules (H gives 2, D gives 0)
  int written_width = 0;  // the digits as written, before the rules
};

FieldDefinition ParseFieldDefinition(std::string_view text);

}  // namespace quirovel
