#include "support/check_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/format.h"
#include "reference/config_defaults.h"
#include "reference/reference_tables.h"
#include "storage/block36.h"
#include "storage/field_definition.h"
#include "support/dbf_builder.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/seterr.h"

namespace quirovel::testing {
namespace {

constexpr const char* kInstall = "QUIROVEL";
constexpr const char* kWork = "QUIROVEL/trabajo";

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  WriteFileBytes(path, text);
}

// ZKCP.dat: one int32 per postal code from 01000 on; non-zero = known.
std::string PostalCodes(const std::vector<int>& known) {
  int last = *std::max_element(known.begin(), known.end());
  std::string bytes(static_cast<std::size_t>(last - 1000 + 1) * 4, '\0');
  for (int code : known) bytes[static_cast<std::size_t>(code - 1000) * 4] = 1;
  return bytes;
}

// CIE02.dbf (the attributes) and CIEDE02.dbf (the descriptions), by code.
void WriteCatalogue(std::vector<CatalogueCode> codes, const std::string& attributes,
                    const std::string& descriptions) {
  auto padded = [](const std::string& c) {
    return c + std::string(c.size() < 6 ? 6 - c.size() : 0, ' ');
  };
  std::sort(codes.begin(), codes.end(), [&](const CatalogueCode& a, const CatalogueCode& b) {
    return padded(a.code) < padded(b.code);
  });
  std::vector<std::vector<std::string>> columns, texts;
  for (const CatalogueCode& c : codes) {
    columns.push_back({c.code, "1", c.validity, c.main, c.sex, c.age, c.delivery, c.surgical});
    std::string text = c.description.empty() ? "Codigo " + c.code : c.description;
    text.resize(72, ' ');
    texts.push_back({c.code, EncodeBlock36(text.substr(0, 36)) + EncodeBlock36(text.substr(36))});
  }
  const std::vector<TableField> fields = {
      {"CODIGO", 'C', 6}, {"NIVEL"}, {"VERSIONES", 'C', 5}, {"PRINCIPAL"}, {"SEXO"},
      {"EDAD"},           {"PARTO"}, {"QUIRURGICO"},
  };
  WriteFileBytes(attributes, DbfBytes(fields, columns));
  WriteFileBytes(descriptions, DbfBytes({{"CODIGO", 'C', 6}, {"DESCRIPCIO", 'C', 72}}, texts));
}

}  // namespace

Episode& Episode::Set(const std::string& field, const std::string& value) {
  for (auto& [name, v] : values_)
    if (name == field) {
      v = value;
      return *this;
    }
  values_.emplace_back(field, value);
  return *this;
}

Episode CleanEpisode() {
  static const std::pair<const char*, const char*> kValues[] = {
      {"PROCEDEN", "1"},       {"AFILISS", "281234567890"},
      {"HOSPITAL", "02012"},   {"HISTORIA", "123456"},
      {"ASISTENC", "0512345"}, {"FECNAC", "19700315"},
      {"SEXO", "2"},           {"RESIDE", "02001"},
      {"OCUPACION", "001"},    {"REGFIN", "1"},
      {"FECING", "20050301"},  {"TIPING", "1"},
      {"SERVING", "70100"},    {"SERVALT", "70100"},
      {"FECALT", "20050310"},  {"TIPALT", "1"},
      {"C1", "486"},
  };
  Episode e;
  for (const auto& [field, value] : kValues) e.Set(field, value);
  return e;
}

Episode CleanCmaEpisode() {
  return CleanEpisode()
      .Set("PROCEDEN", "3")
      .Set("TIPING", "3")
      .Set("FECALT", "20050301")
      .Set("P1", "47.0")
      .Set("FEINTV", "20050301");
}

std::vector<CatalogueCode> DefaultCatalogue() {
  //       code      validity main sex  age  deliv surg  description
  return {{"250.00", "VVVVV", " ", " ", " ", " ", " ", "Diabetes mellitus sin complicaciones"},
          {"279.9", " VVVV"},
          {"486", "VVVVV", " ", " ", " ", " ", " ", "Neumonia, organismo sin especificar"},
          {"650", "VVVVV", " ", "2", "3", "T", " ", "Parto normal"},
          {"765.1", "VVVVV", " ", " ", "1"},
          {"799.9", "FFFFF"},
          {"850.0", "VVVVV", " ", " ", " ", " ", " ", "Conmocion"},
          {"V27.0", "VVVVV", "F"},
          {"V30.00", "VVVVV", " ", " ", "1"},
          {"E816.0", "VVVVV", " ", " ", " ", " ", " ", "Accidente de trafico"},
          {"E880.9", "VVVVV", " ", " ", " ", " ", " ", "Caida por escaleras"},
          {"123.4"},
          {"47.0", "VVVVV", " ", " ", " ", " ", "T"},
          {"74.1", "VVVVV", " ", "2", " ", " ", "T"},
          {"88.38"},
          {"99.99", "VVVVV", " ", " ", "3"}};
}

std::vector<int> CheckResult::Errors() const {
  std::vector<int> out;
  for (const auto& e : entries) out.push_back(e.error);
  return out;
}

std::vector<std::string> CheckResult::ErrorsWithFields() const {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(StrFormat("%d:%u", e.error, e.field));
  return out;
}

std::string EntryBytes(const ErrorEntry& entry) {
  auto bytes = entry.Encode();
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

CheckFixture::CheckFixture() : CheckFixture(Options()) {}

CheckFixture::CheckFixture(Options options) : faulty_(RealFileSystem()) {
  session_ = std::make_unique<Session>(faulty_, feedback_, root_.path());
  Session& s = *session_;
  EXPECT_TRUE(s.fs.MakeDirectories(root_.Path(kWork)));
  WriteLines(InstallPath("servicios.txt"),
             {"CODIGSERVICIO", "70100MEDICINA INTERNA", "70440PEDIATRIA", "70552OBSTETRICIA"});
  WriteLines(InstallPath("hospitnosas.txt"), {"02001", "02099", "11005", "28001"});
  WriteLines(InstallPath("ocupaciones.txt"), {"001", "010", "999"});
  WriteFileBytes(InstallPath("ZKCP.dat"), PostalCodes({2001, 2002, 28001, 45600}));
  if (options.write_catalogue)
    WriteCatalogue(options.catalogue, InstallPath("CIE02.dbf"), InstallPath("CIEDE02.dbf"));
  s.config = NewConfigRecord();
  LoadReferences(s, feedback_);
}

CheckFixture::~CheckFixture() {
  session_->run.log.Close();
  session_->run.errors_report.Close();
}

std::string CheckFixture::WorkPath(const std::string& name) const {
  return root_.Path(std::string(kWork) + "/" + name);
}

std::string CheckFixture::InstallPath(const std::string& name) const {
  return root_.Path(std::string(kInstall) + "/" + name);
}

void CheckFixture::LoadReferences(Session& s, RecordingFeedback& feedback) const {
  LoadReferenceTables(s.fs, feedback, s.paths, &s.references);
  s.references.postal_codes.Open(s.fs, feedback, InstallPath("ZKCP.dat"));
  s.catalogue.Open(InstallPath("CIE02.dbf"), InstallPath("CIEDE02.dbf"));
  s.catalogue.BuildSampleIndex(10);
  feedback.Clear();
}

std::vector<std::string> CheckFixture::LayoutWithout(const std::vector<std::string>& names) {
  std::vector<std::string> out;
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    std::string name(CmbdFieldName(k));
    if (std::find(names.begin(), names.end(), name) == names.end())
      out.emplace_back(kCmbdLayout[static_cast<std::size_t>(k - 1)]);
  }
  return out;
}

void CheckFixture::WriteTable(const std::vector<Episode>& episodes,
                              const std::vector<std::string>& definitions) {
  Session& s = *session_;
  s.table.Close();
  // Laid out by hand, so values keep every byte, zero bytes included.
  std::vector<TableField> fields = definitions.empty() ? CmbdAFields() : std::vector<TableField>{};
  for (std::string_view d : definitions) {
    const FieldDefinition f = ParseFieldDefinition(d);
    fields.push_back({f.name, f.type, f.width, f.decimals});
  }
  std::vector<std::vector<std::string>> rows;
  for (const Episode& e : episodes)
    rows.push_back(RowFor(fields, {e.values().begin(), e.values().end()}));
  const std::string path = WorkPath("episodios.dbf");
  WriteFileBytes(path, DbfBytes(fields, rows));
  ASSERT_EQ(s.table.Open(path), 1);
  AnalyseStructure(s);
}

void CheckFixture::BeginRecord(int n, int test_type) {
  Session& s = *session_;
  DetectionRun& run = s.run;
  run.ResetCounters();
  run.TestType = test_type;
  run.ErrorsFileOption = true;
  run.VersionLabel = StrFormat("%04d", s.config.VersionYear());
  run.VersionPosition = 0;
  run.log.Close();
  run.errors_report.Close();
  ASSERT_TRUE(run.log.Open(s.fs, WorkPath("fallos.dat")));
  ASSERT_TRUE(run.errors_report.Create(s.fs, WorkPath("errores.txt")));
  ASSERT_EQ(s.table.ReadRecord(n), 0);
  DecodeRecord(s);
  run.CurrentRecordNumber = n;
}

CheckResult CheckFixture::Collect() {
  Session& s = *session_;
  FlushErrorLog(s.run, s.feedback);
  ShowErrorStatus(s.run, s.feedback);
  CloseErrorLog(s.run, s.feedback);
  s.run.errors_report.Close();
  CheckResult r;
  const std::string log = ReadFileBytes(WorkPath("fallos.dat"));
  for (std::int32_t k = 1; k <= s.run.ErrorCount; ++k) {
    const std::size_t at = 32 * static_cast<std::size_t>(k);
    if (at + 32 > log.size()) break;
    r.raw.push_back(log.substr(at, 32));
    r.entries.push_back(
        ErrorEntry::Decode(reinterpret_cast<const unsigned char*>(log.data() + at)));
  }
  r.errores = ReadFileBytes(WorkPath("errores.txt"));
  r.status = feedback_.status;
  return r;
}

CheckResult CheckFixture::Check(int n, int test_type) {
  BeginRecord(n, test_type);
  CheckAdministrative(checks());
  return Collect();
}

CheckResult CheckFixture::CheckEpisode(const Episode& episode, int test_type) {
  WriteTable({episode});
  return Check(1, test_type);
}

}  // namespace quirovel::testing
