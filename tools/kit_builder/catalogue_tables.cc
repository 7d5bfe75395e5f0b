#include "catalogue_tables.h"

#include <string_view>

#include "platform/file_system.h"
#include "storage/block36.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"

namespace quirovel::kit {
namespace {

const std::vector<std::string_view> kAttributeFields = {
    "CODIGO#C6", "CLASE#C1", "VERSIONES#C7", "PRINCIPAL#C1",
    "SEXO#C1",   "EDAD#C1",  "PARTO#C1",     "QUIRURGICO#C1"};
const std::vector<std::string_view> kDescriptionFields = {"CODIGO#C6", "DESCRIP#C72"};

std::string Flag(bool on, char mark) { return on ? std::string(1, mark) : std::string(" "); }

// Laid out whole: the stored blocks may hold any byte, zero included, which a
// field text would end at.
std::string DescriptionRecord(const CatalogueCode& c) {
  std::string record = " " + c.code;
  record.resize(7, ' ');
  std::string_view text = c.description;
  record += EncodeBlock36(text.substr(0, 36));
  record += EncodeBlock36(text.size() > 36 ? text.substr(36) : std::string_view());
  return record;
}

}  // namespace

std::string ValidityText(const CatalogueCode& code, int edition) {
  std::string text(code.state.begin(), code.state.end());
  text[0] = code.state[static_cast<std::size_t>(edition)];
  return text;
}

bool WriteCatalogueTables(const std::vector<CatalogueCode>& codes, const std::string& install_dir,
                          ToolFeedback& feedback) {
  FileSystem& fs = RealFileSystem();
  for (int e = 0; e < kEditionCount; ++e) {
    const std::string suffix = kEditionSuffixes[static_cast<std::size_t>(e)];
    const std::string attributes_path = install_dir + "/CIE" + suffix + ".dbf";
    const std::string descriptions_path = install_dir + "/CIEDE" + suffix + ".dbf";
    if (!Create(fs, feedback, kAttributeFields, attributes_path) ||
        !Create(fs, feedback, kDescriptionFields, descriptions_path))
      return false;
    DbfTable attributes(fs, feedback), descriptions(fs, feedback);
    if (attributes.Open(attributes_path) != 1 || descriptions.Open(descriptions_path) != 1)
      return false;
    for (const CatalogueCode& c : codes) {
      attributes.SetFieldText(1, c.code);
      attributes.SetFieldText(2, std::string(1, c.kind));
      attributes.SetFieldText(3, ValidityText(c, e));
      attributes.SetFieldText(4, Flag(c.not_principal, 'F'));
      attributes.SetFieldText(5, std::string(1, c.sex));
      attributes.SetFieldText(6, std::string(1, c.age_class));
      attributes.SetFieldText(7, Flag(c.delivery, 'T'));
      attributes.SetFieldText(8, Flag(c.surgical, 'T'));
      if (!attributes.Append() || !descriptions.AppendScratch(DescriptionRecord(c))) return false;
    }
    attributes.Close();
    descriptions.Close();
    if (feedback.failed()) return false;
  }
  return true;
}

}  // namespace quirovel::kit
