// The reference files of the sample installation: their bytes, and that the
// program's own readers take them without a complaint.
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/recording_feedback.h"
#include "reference/reference_tables.h"
#include "support/temp_dir.h"
#include "tools/kit_files.h"

namespace quirovel {
namespace {

using testing::KitInstall;
using testing::ReadFileBytes;

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "a line does not end with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::int32_t EntryAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<std::size_t>(i)));
  return static_cast<std::int32_t>(v);
}

TEST(KitReferenceFilesTest, ServicesHoldTheFortyValidCodesWithNames) {
  SKIP_WITHOUT_KIT();
  const std::vector<std::string> expected_codes = {
      "70100", "70150", "70190", "70210", "70220", "70230", "70240", "70250", "70260", "70270",
      "70271", "70276", "70310", "70320", "70330", "70340", "70350", "70360", "70370", "70380",
      "70390", "70391", "70392", "70393", "70420", "70430", "70440", "70441", "70460", "70480",
      "70490", "70500", "70530", "70531", "70540", "70551", "70552", "70560", "70580", "70600"};
  const std::string bytes = ReadFileBytes(KitInstall() + "/servicios.txt");
  EXPECT_EQ(bytes.substr(0, 38), "Cod. Servicio\r\n70100Medicina Interna\r\n");
  // "Geriatría" in Windows-1252: the accent is the single byte 0xED.
  EXPECT_NE(bytes.find("\r\n70190Geriatr\xED" "a\r\n"), std::string::npos);
  const std::vector<std::string> lines = Lines(bytes);
  ASSERT_EQ(lines.size(), 41u);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].substr(0, 5), expected_codes[i - 1]);
    EXPECT_GT(lines[i].size(), 5u) << "service " << expected_codes[i - 1] << " has no name";
    EXPECT_LE(lines[i].size(), 5u + 58u) << lines[i];
  }
}

TEST(KitReferenceFilesTest, HospitalListsNameTheOwnHospitalAndAcceptOthers) {
  SKIP_WITHOUT_KIT();
  const std::string catalogue = ReadFileBytes(KitInstall() + "/hospital.dat");
  EXPECT_NE(catalogue.find("02012Hospital General de Quirovel\r\n"), std::string::npos);
  std::set<std::string> codes;
  for (const std::string& line : Lines(ReadFileBytes(KitInstall() + "/hospitnosas.txt"))) {
    ASSERT_GE(line.size(), 5u);
    EXPECT_EQ(line.find_first_not_of("0123456789"), 5u) << line;
    EXPECT_TRUE(codes.insert(line.substr(0, 5)).second) << "repeated " << line;
    EXPECT_LT(line.size() + 2, 99u);
  }
  EXPECT_EQ(codes.count("02012"), 0u) << "the own hospital must not be an accepted destination";
  // Codes of the province that the built-in list lacks, and another province's.
  EXPECT_EQ(codes.count("02060"), 1u);
  EXPECT_EQ(codes.count("16001"), 1u);
}

TEST(KitReferenceFilesTest, OccupationsAreTheThreeDigitGroups) {
  SKIP_WITHOUT_KIT();
  const std::vector<std::string> lines = Lines(ReadFileBytes(KitInstall() + "/ocupaciones.txt"));
  ASSERT_EQ(lines.size(), 170u);
  EXPECT_EQ(lines[0], "001 Oficiales y suboficiales de las fuerzas armadas");
  EXPECT_EQ(lines[1], "002 Tropa y mariner\xED" "a de las fuerzas armadas");
  std::set<std::string> codes;
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_not_of("0123456789"), 3u) << line;
    EXPECT_TRUE(codes.insert(line.substr(0, 3)).second) << line;
    EXPECT_LT(line.size() + 2, 99u) << line;
  }
}

TEST(KitReferenceFilesTest, PostalCodeTableHoldsTheProvinceOfEachKnownCode) {
  SKIP_WITHOUT_KIT();
  const std::string bytes = ReadFileBytes(KitInstall() + "/ZKCP.dat");
  ASSERT_EQ(bytes.size(), (52999u - 1000u + 1u) * 4u);
  struct Case {
    int code;
    std::int32_t entry;
  };
  for (const Case& c : {Case{2001, 2}, Case{11403, 11}, Case{1001, 1}, Case{52001, 52},
                        Case{28080, 0},   // a PO-box code: not on residential addresses
                        Case{2000, 0}}) {  // no address of the province has it
    EXPECT_EQ(EntryAt(bytes, static_cast<std::size_t>(c.code - 1000) * 4), c.entry) << c.code;
  }
  EXPECT_EQ(EntryAt(bytes, 41612), 11);  // 11403, at the offset the lookup reads
}

TEST(KitReferenceFilesTest, ProgramLoadsTheFilesWithoutAMessage) {
  SKIP_WITHOUT_KIT();
  // The readers see the kit as an installation root whose C: holds QUIROVEL.
  FileSystem& fs = RealFileSystem();
  HostPaths paths(fs, testing::KitRoot());
  RecordingFeedback feedback;
  ReferenceTables tables;
  LoadReferenceTables(fs, feedback, paths, &tables);
  tables.postal_codes.Open(fs, feedback, paths.ToHost("C:\\QUIROVEL\\ZKCP.dat"));
  EXPECT_TRUE(feedback.Texts().empty()) << feedback.Texts().front();
  EXPECT_EQ(tables.services.ServiceName("70552"), "Obstetricia");
  EXPECT_EQ(tables.services.ServiceName("70553"), "Error");
  EXPECT_TRUE(tables.hospitals.Contains("02060"));
  EXPECT_TRUE(tables.occupations.Contains("212"));
  EXPECT_EQ(tables.postal_codes.PostalCodeKnown(2001), 2);
  EXPECT_EQ(tables.postal_codes.PostalCodeKnown(28080), 0);
  tables.postal_codes.Close();
  EXPECT_EQ(HospitalCodeFor(fs, feedback, paths, "Hospital General de Quirovel"), "02012");
}

}  // namespace
}  // namespace quirovel
