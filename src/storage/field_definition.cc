#include "storage/field_definition.h"

namespace quirovel {
namespace {

// Reads decimal digits from text starting at *pos; stops at the first non-digit.
int ReadNumber(std::string_view text, std::size_t* pos) {
  long value = 0;
  while (*pos < text.size() && text[*pos] >= '0' && text[*pos] <= '9') {
    if (value < 100000) value = value * 10 + (text[*pos] - '0');
    ++*pos;
  }
  return static_cast<int>(value);
}

}  // namespace

FieldDefinition ParseFieldDefinition(std::string_view text) {
  FieldDefinition def;
  std::size_t hash = text.find('#');
  def.name = std::string(text.substr(0, hash));
  if (hash == std::string_view::npos || hash + 1 >= text.size()) return def;
  std::size_t pos = hash + 1;
  def.type = text[pos++];
  def.written_width = ReadNumber(text, &pos);
  def.width = def.written_width;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    def.decimals = ReadNumber(text, &pos);
  }
  switch (def.type) {
    case 'H':
      def.type = 'N', def.width = 5, def.decimals = 2;
      break;
    case 'D':
      def.width = 8, def.decimals = 0;
      break;
    case 'F':
    case 'I':
      def.type = 'N';
      break;
    default:
      break;
  }
  return def;
}

}  // namespace quirovel
