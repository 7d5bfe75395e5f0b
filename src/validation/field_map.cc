#include "validation/field_map.h"

#include "platform/format.h"
#include "storage/field_definition.h"

namespace quirovel {

void AnalyseStructure(const DbfTable& table, FieldMap* map, StructureReport* report) {
  *report = StructureReport();
  report->path = table.path();
  map->present.fill(0);
  map->table_field.fill(-1);
  const int n = table.is_open() ? table.field_count() : 0;

  bool missing = false;
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    FieldDefinition expected = ParseFieldDefinition(kCmbdLayout[static_cast<std::size_t>(k - 1)]);
    auto slot = static_cast<std::size_t>(k);
    map->present[slot] = 1;
    int match = 0;
    FieldDescriptor found;
    for (int i = 1; i <= n && match == 0; ++i) {
      found = table.Descriptor(i);
      if (found.name == expected.name) match = i;
    }
    if (match == 0) {
      report->problems += StrFormat("%s ", expected.name.c_str());
      report->problems += ", ";
      map->present[slot] = 0;
      missing = true;
      continue;
    }
    map->table_field[slot] = match;
    if (found.width != expected.width || found.type != expected.type || found.decimals != 0) {
      report->problems += StrFormat("%s ->(%c%d.0) ", found.name.c_str(), expected.type, expected.width);
      report->problems += ", ";
      ++report->bad_field_count;
    }
  }

  for (int i = 1; i <= n; ++i) {
    FieldDescriptor d = table.Descriptor(i);
    if (CmbdFieldNumber(d.name) == 0) {
      report->unknown += StrFormat("%s ", d.name.c_str());
      report->unknown += ", ";
    }
  }

  if (missing) {
    for (std::string_view name : kCmbdFieldNames) {
      report->layout += name;
      report->layout += " , ";
    }
  }
}

std::string_view CmbdFieldText(const DbfTable& table, const FieldMap& map, int k) {
  if (!map.Present(k)) return {};
  return table.FieldText(map.TableField(k));
}

}  // namespace quirovel
