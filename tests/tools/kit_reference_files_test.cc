// The reference files of the sample installation: their shape, and that the
// program's own readers take them without a complaint.
#include <set>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/recording_feedback.h"
#include "reference/reference_tables.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"
#include "tools/kit_files.h"

namespace quirovel {
namespace {

// The codes of a list of CR LF lines, each a code of `digits` digits and then
// at most `text` more characters; fails on a repeated code.
std::set<std::string> Codes(const std::string& name, std::size_t digits, std::size_t text) {
  const std::string bytes = testing::ReadFileBytes(testing::KitInstall() + "/" + name);
  std::set<std::string> codes;
  for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = bytes.substr(at, end - at);
    if (name == "servicios.txt" && at == 0) continue;  // "Cod. Servicio"
    EXPECT_EQ(line.find_first_not_of("0123456789"),
              line.size() > digits ? digits : std::string::npos)
        << line;
    EXPECT_LE(line.size(), digits + text) << line;
    EXPECT_TRUE(codes.insert(line.substr(0, digits)).second) << "repeated " << line;
  }
  return codes;
}

TEST(KitReferenceFilesTest, ListsHoldUniqueCodesInTheirLineLayout) {
  SKIP_WITHOUT_KIT();
  EXPECT_EQ(Codes("servicios.txt", 5, 58).size(), 40u);
  EXPECT_EQ(Codes("ocupaciones.txt", 3, 93).size(), 170u);
  EXPECT_EQ(Codes("hospitnosas.txt", 5, 91).count("02012"), 0u)
      << "the own hospital is no destination";
  // One entry of four bytes for each postal code from 01000 to 52999.
  EXPECT_EQ(testing::ReadFileBytes(testing::KitInstall() + "/ZKCP.dat").size(),
            (52999u - 1000u + 1u) * 4u);
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
  EXPECT_EQ(tables.services.ServiceName("70190"),
            "Geriatr\xED"
            "a");  // Windows-1252
  // Codes of the province that the built-in list lacks, and another province's.
  EXPECT_TRUE(tables.hospitals.Contains("02060") && tables.hospitals.Contains("16001"));
  EXPECT_TRUE(tables.occupations.Contains("212"));
  for (const auto& [code, province] : {std::pair{1001, 1},
                                       {2001, 2},
                                       {11403, 11},
                                       {52001, 52},
                                       {28080, 0},    // a PO-box code: not on residential addresses
                                       {2000, 0}}) {  // no address of the province has it
    EXPECT_EQ(tables.postal_codes.PostalCodeKnown(code), province) << code;
  }
  tables.postal_codes.Close();
  EXPECT_EQ(HospitalCodeFor(fs, feedback, paths, "Hospital General de Quirovel"), "02012");
}

}  // namespace
}  // namespace quirovel
