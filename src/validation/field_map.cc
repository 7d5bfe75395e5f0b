#include "validation/field_map.h"

#include <algorithm>
#include <array>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "storage/field_definition.h"

namespace quirovel {

void AnalyseStructure(const DbfTable& table, FieldMap* map, StructureReport* report) {
  *report = StructureReport();
  report->path = table.path();
  map->present.fill(0);
  map->table_field.fill(-1);
  map->offset.fill(-1);
  map->width.fill(0);
  map->text_width.fill(0);
  const int n = table.is_open() ? table.field_count() : 0;

  // The first table field of each layout name, found in one pass; the
  // fields the layout does not know are listed in table order.
  std::array<int, kCmbdFieldCount + 1> first{};
  for (int i = 1; i <= n; ++i) {
    std::string_view name = table.FieldName(i);
    const int k = CmbdFieldNumber(name);
    if (k == 0) {
      report->unknown += name;
      report->unknown += " , ";
    } else if (first[static_cast<std::size_t>(k)] == 0) {
      first[static_cast<std::size_t>(k)] = i;
    }
  }

  static const std::array<FieldDefinition, kCmbdFieldCount> expected_fields = [] {
    std::array<FieldDefinition, kCmbdFieldCount> fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
      fields[i] = ParseFieldDefinition(kCmbdLayout[i]);
    return fields;
  }();
  bool missing = false;
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    const FieldDefinition& expected = expected_fields[static_cast<std::size_t>(k - 1)];
    auto slot = static_cast<std::size_t>(k);
    map->present[slot] = 1;
    const int match = first[slot];
    if (match == 0) {
      report->problems += StrFormat("%s ", expected.name.c_str());
      report->problems += ", ";
      map->present[slot] = 0;
      missing = true;
      continue;
    }
    const FieldDescriptor found = table.Descriptor(match);
    map->table_field[slot] = match;
    map->offset[slot] = table.FieldOffset(match);
    map->width[slot] = found.width > 0 ? found.width : 0;
    map->text_width[slot] = std::min(map->width[slot], expected.width);
    if (found.width != expected.width || found.type != expected.type || found.decimals != 0) {
      report->problems +=
          StrFormat("%s ->(%c%d.0) ", found.name.c_str(), expected.type, expected.width);
      report->problems += ", ";
      ++report->bad_field_count;
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

std::string StructureAnalysisText(const StructureReport& report) {
  std::string text;
  text += "Analisis de la estructura CMBD\n";
  // Names come from the table's descriptors: any byte may be there.
  text += EscapeControls(report.path) + "\n";
  text += "Campos del cmbda NO ENCONTRADOS\n";
  text += EscapeControls(report.problems) + "\n";
  text += "Mal definidos: " + std::to_string(report.bad_field_count) + "\n";
  text += "No pertenece al CMBDA\n";
  text += EscapeControls(report.unknown) + "\n";
  text += "Campos del CMBD que se reconocen\n";
  text += report.layout + "\n";
  text += "(C=caracter D=fecha N=numero  ancho.decimales)\n";
  return text;
}

}  // namespace quirovel
