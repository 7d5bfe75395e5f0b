#include "reference/reference_tables.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/format.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"

namespace quirovel {
namespace {

class ReferenceTablesTest : public ::testing::Test {
 protected:
  ReferenceTablesTest() : paths(fs, "/r") { fs.MakeDirectories("/r/QUIROVEL"); }

  void Put(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(fs.SetContents("/r/QUIROVEL/" + name, bytes));
  }
  // "servicios.txt" with a header and services "S0001".."Snnnn" named "Servicio n".
  static std::string Services(int n) {
    std::string text = "CODIGONOMBRE\r\n";
    for (int i = 1; i <= n; ++i) {
      char line[40];
      std::snprintf(line, sizeof line, "S%04dServicio %d\r\n", i, i);
      text += line;
    }
    return text;
  }
  void Load() {
    feedback.Clear();
    LoadReferenceTables(fs, feedback, paths, &tables);
  }

  MemoryFileSystem fs;
  HostPaths paths;
  RecordingFeedback feedback;
  ReferenceTables tables;
};

TEST_F(ReferenceTablesTest, MissingFilesAreReportedInLoadingOrder) {
  Load();
  EXPECT_EQ(feedback.Texts(), (std::vector<std::string>{
                                  "Error al abrir fichero de servicios.txt",
                                  "Error al abrir fichero de hospitnosas.txt",
                                  "Error al abrir fichero de ocupaciones.txt"}));
  EXPECT_EQ(tables.services.ServiceName(""), "");
  EXPECT_EQ(tables.services.ServiceName("70100"), "Error");
  EXPECT_FALSE(tables.hospitals.Contains("02001"));
  EXPECT_FALSE(tables.occupations.Contains("001"));
}

TEST_F(ReferenceTablesTest, HeaderOnlyGivesFortyOneEmptySlots) {
  Put("servicios.txt", "CODIGO NOMBRE\n");
  Put("hospitnosas.txt", "");
  Put("ocupaciones.txt", "");
  Load();
  EXPECT_TRUE(feedback.Texts().empty());
  for (int i = 0; i < ServiceTable::kSlots; ++i) {
    EXPECT_EQ(tables.services.slot(i).code, "");
    EXPECT_EQ(tables.services.slot(i).name, "");
  }
  EXPECT_EQ(tables.services.ServiceName(""), "");
  EXPECT_EQ(tables.services.ServiceName("CODIG"), "Error");  // the header is no service
}

TEST_F(ReferenceTablesTest, EmptyFilesLoadNothingAndSayNothing) {
  Put("servicios.txt", "");
  Put("hospitnosas.txt", "");
  Put("ocupaciones.txt", "\r\n\r\n");
  Put("hospital.dat", "");
  Load();
  EXPECT_TRUE(feedback.Texts().empty());
  EXPECT_EQ(tables.services.ServiceName(""), "");
  EXPECT_EQ(tables.services.ServiceName("70100"), "Error");
  EXPECT_TRUE(tables.hospitals.empty());
  EXPECT_TRUE(tables.occupations.empty());
  EXPECT_TRUE(HospitalCatalogue(fs, feedback, paths).Names().empty());
}

TEST_F(ReferenceTablesTest, ServiceLinesGiveCodeAndName) {
  Put("servicios.txt",
      "header\r\n"
      "70100Medicina Interna\r\n"
      "70440" + std::string(60, 'n') + "\r\n"  // cut to 58
      "7055\r\n"                               // shorter than six: empty name
      "70100Repetido\n"
      "\n"                                      // an empty line still takes a slot
      "C" "\xF3" "d 1Cirug" "\xED" "a");       // Windows-1252, no final line end
  Load();
  const ServiceTable& t = tables.services;
  EXPECT_EQ(t.ServiceName("70100"), "Medicina Interna");
  EXPECT_EQ(t.ServiceName("70440"), std::string(58, 'n'));
  EXPECT_EQ(t.ServiceName("7055"), "");
  EXPECT_EQ(t.slot(3).code, "7055");
  EXPECT_EQ(t.slot(4).name, "Repetido");
  EXPECT_EQ(t.slot(5).code, "");
  EXPECT_EQ(t.ServiceName("C\xF3" "d 1"), "Cirug\xED" "a");
  EXPECT_EQ(t.ServiceName("70100 "), "Error");  // compared exactly
}

TEST_F(ReferenceTablesTest, FortyServicesFitAndEachExtraLineIsReported) {
  Put("servicios.txt", Services(40));
  Load();
  EXPECT_EQ(feedback.Texts().front(), "Error al abrir fichero de hospitnosas.txt");
  EXPECT_EQ(tables.services.ServiceName("S0040"), "Servicio 40");

  Put("servicios.txt", Services(43));
  Load();
  std::vector<std::string> texts = feedback.Texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 3),
            std::vector<std::string>(3, "Numero de servicios incorrecto"));
  EXPECT_EQ(texts[3], "Error al abrir fichero de hospitnosas.txt");
  EXPECT_EQ(tables.services.ServiceName("S0040"), "Servicio 40");
  EXPECT_EQ(tables.services.ServiceName("S0041"), "Error");
}

TEST_F(ReferenceTablesTest, ThousandsOfExtraServicesDoNotFloodTheUser) {
  Put("servicios.txt", Services(5040));
  Load();
  std::vector<std::string> texts = feedback.Texts();
  ASSERT_EQ(texts.size(), 10u + 1u + 2u);
  EXPECT_EQ(texts[9], "Numero de servicios incorrecto");
  EXPECT_EQ(texts[10], "Numero de servicios incorrecto: 5000 líneas de servicios.txt sin cargar "
                       "(solo caben 40 servicios)"_cp);
}

TEST_F(ReferenceTablesTest, LongLinesAreCutNotSplitIntoMoreEntries) {
  // The part past 99 characters must not become a service or a code of its own.
  Put("servicios.txt", "h\n70100" + std::string(200, 'x') + "\n70200Segundo\n");
  Put("hospitnosas.txt", "02001" + std::string(150, ' ') + "99999\n02002\n");
  Put("ocupaciones.txt", std::string(300, '7') + "\n001\n");
  Load();
  EXPECT_TRUE(feedback.Texts().empty());
  EXPECT_EQ(tables.services.slot(2).code, "70200");
  EXPECT_EQ(tables.services.ServiceName("70100"), std::string(58, 'x'));
  EXPECT_EQ(tables.hospitals.size(), 2u);
  EXPECT_FALSE(tables.hospitals.Contains("99999"));
  EXPECT_EQ(tables.occupations.size(), 2u);
  EXPECT_TRUE(tables.occupations.Contains("777"));
}

TEST_F(ReferenceTablesTest, CodeListsTakeTheirFirstCharactersAndReportDuplicates) {
  Put("servicios.txt", "h\n");
  Put("hospitnosas.txt", "02001 Hospital A\r\n11005\r\n02001 otra vez\r\n\r\n");
  Put("ocupaciones.txt", "001xx\n010\n");
  Load();
  EXPECT_EQ(feedback.Texts(),
            (std::vector<std::string>{"Btree: Código duplicado"_cp, "02001"}));
  EXPECT_TRUE(tables.hospitals.Contains("02001"));
  EXPECT_TRUE(tables.hospitals.Contains("11005"));
  EXPECT_FALSE(tables.hospitals.Contains("02001 "));
  EXPECT_FALSE(tables.hospitals.Contains(""));  // the blank line holds no code
  EXPECT_TRUE(tables.occupations.Contains("001"));
  EXPECT_TRUE(tables.occupations.Contains("010"));
}

TEST_F(ReferenceTablesTest, OversizedCodeListsAreBounded) {
  std::string many, same;
  // Scattered codes: the index is an unbalanced tree, and this test is about
  // the bound, not about the tree's worst case.
  for (int i = 0; i < 10005; ++i) {
    char line[8];
    std::snprintf(line, sizeof line, "%05d\n", (i * 7919) % 10007);
    many += line;
  }
  for (int i = 0; i < 1000; ++i) same += "12\n";
  Put("servicios.txt", "h\n");
  Put("hospitnosas.txt", many);
  Put("ocupaciones.txt", same);
  Load();
  std::vector<std::string> texts = feedback.Texts();
  ASSERT_EQ(texts.size(), 1u + 20u + 1u);
  EXPECT_EQ(texts[0], "El fichero hospitnosas.txt tiene más de 10000 códigos: no se cargan los demás"_cp);
  EXPECT_EQ(texts[1], "Btree: Código duplicado"_cp);
  EXPECT_EQ(texts[2], "12");
  EXPECT_EQ(texts[21], "Btree: Código duplicado: 999 códigos repetidos en ocupaciones.txt"_cp);
  EXPECT_EQ(tables.hospitals.size(), 10000u);
  EXPECT_TRUE(tables.hospitals.Contains("07919"));
  EXPECT_FALSE(tables.hospitals.Contains(StrFormat("%05d", (10000 * 7919) % 10007)));
  EXPECT_EQ(tables.occupations.size(), 1u);
}

class PostalCodeTest : public ReferenceTablesTest {
 protected:
  void Open(FileSystem& on) {
    feedback.Clear();
    table.Open(on, feedback, "/r/QUIROVEL/ZKCP.dat");
  }
  static std::string Entries(std::size_t count) { return std::string(4 * count, '\0'); }
  PostalCodeTable table;
};

TEST_F(PostalCodeTest, ProvinceCodesAreKnownWithoutTheFile) {
  Open(fs);
  EXPECT_EQ(feedback.Texts(),
            std::vector<std::string>{"Error al abrir fichero de codigos postales"});
  EXPECT_EQ(*fs.Contents("/r/QUIROVEL/ZKCP.dat"), "");
  struct Case {
    std::int32_t code;
    std::int32_t result;
    bool province_only;
  } cases[] = {{11999, 1, true}, {99999, 1, true}, {1999, 1, true},  {52999, 1, true},
               {53999, 0, false}, {999, 0, false}, {98999, 0, false}, {11403, 0, false},
               {0, 0, false},     {-1999, 0, false}, {1000, 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(table.PostalCodeKnown(c.code), c.result) << c.code;
    EXPECT_EQ(table.ProvinceOnly(), c.province_only) << c.code;
  }
}

TEST_F(PostalCodeTest, EntriesAreReadAtTheirOffsets) {
  std::string bytes = Entries(10403);
  bytes += std::string("\x07\x00\x00\x00", 4);  // 11403 at byte 41612
  bytes += std::string("\x00\x00\x00\x80", 4);  // 11404: any non-zero value counts
  bytes += std::string("\x01\x02", 2);          // 11405: cut short by the end
  Put("ZKCP.dat", bytes);
  Open(fs);
  EXPECT_TRUE(feedback.Texts().empty());
  EXPECT_EQ(table.PostalCodeKnown(11999), 1);
  EXPECT_EQ(table.PostalCodeKnown(11403), 7);
  EXPECT_FALSE(table.ProvinceOnly());
  EXPECT_EQ(table.PostalCodeKnown(11404), static_cast<std::int32_t>(0x80000000u));
  EXPECT_EQ(table.PostalCodeKnown(11405), 0);
  EXPECT_EQ(table.PostalCodeKnown(11402), 0);
  EXPECT_EQ(table.PostalCodeKnown(2000000000), 0);
}

TEST_F(PostalCodeTest, CodesBeyondTheMemoryCopyAreReadFromTheFile) {
  std::string bytes = Entries(PostalCodeTable::kEntriesInMemory + 1);
  bytes[4 * PostalCodeTable::kEntriesInMemory] = 3;
  Put("ZKCP.dat", bytes);
  Open(fs);
  const auto code = static_cast<std::int32_t>(PostalCodeTable::kEntriesInMemory + 1000);
  EXPECT_EQ(table.PostalCodeKnown(code), 3);
  EXPECT_EQ(table.PostalCodeKnown(code + 1), 0);
}

TEST_F(PostalCodeTest, TableThatCannotBeCreatedKnowsOnlyProvinces) {
  FaultyFileSystem faulty(fs);
  faulty.FailOpensOf("ZKCP");
  Open(faulty);
  EXPECT_EQ(feedback.Texts(), (std::vector<std::string>{
                                  "Error al abrir fichero de codigos postales",
                                  "Error al Crear fichero de codigos postales"}));
  EXPECT_EQ(table.PostalCodeKnown(28001), 0);
  EXPECT_EQ(table.PostalCodeKnown(28999), 1);
}

TEST_F(ReferenceTablesTest, HospitalCatalogueKeepsFileOrderAndFirstMatch) {
  Put("hospital.dat",
      "02012Hospital General de Quirovel\r\n"
      "11005Hospital del Mar\r\n"
      "\r\n"
      "28001Hospital del Mar\r\n"
      "4\r\n");
  HospitalCatalogue catalogue(fs, feedback, paths);
  EXPECT_EQ(catalogue.Names(), (std::vector<std::string>{"Hospital General de Quirovel",
                                                         "Hospital del Mar",
                                                         "Hospital del Mar", ""}));
  EXPECT_EQ(catalogue.CodeFor("Hospital del Mar"), "11005");
  EXPECT_EQ(catalogue.CodeFor("Hospital del mar"), "Error");
  EXPECT_TRUE(feedback.Texts().empty());
  fs.Remove("/r/QUIROVEL/hospital.dat");
  EXPECT_TRUE(catalogue.Names().empty());
  EXPECT_EQ(catalogue.CodeFor("Hospital del Mar"), "Error");
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>(2, "Error al abrir fichero de hospitales"));
}

}  // namespace
}  // namespace quirovel
