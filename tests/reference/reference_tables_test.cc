#include "reference/reference_tables.h"

#include <gtest/gtest.h>

#include <cstdint>

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
  std::vector<std::string> Load() {
    feedback.Clear();
    LoadReferenceTables(fs, feedback, paths, &tables);
    return feedback.Texts();
  }

  MemoryFileSystem fs;
  HostPaths paths;
  RecordingFeedback feedback;
  ReferenceTables tables;
};

TEST_F(ReferenceTablesTest, MissingFilesAreReportedInLoadingOrderAndEmptyOnesSayNothing) {
  EXPECT_EQ(Load(), (std::vector<std::string>{"Error al abrir fichero de servicios.txt",
                                              "Error al abrir fichero de hospitnosas.txt",
                                              "Error al abrir fichero de ocupaciones.txt"}));
  EXPECT_EQ(tables.services.ServiceName("70100"), "Error");
  feedback.Clear();
  EXPECT_EQ(HospitalCatalogue(fs, feedback, paths).CodeFor("Hospital del Mar"), "Error");
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"Error al abrir fichero de hospitales"});
  Put("servicios.txt", "CODIGO NOMBRE\n");
  Put("hospitnosas.txt", "");
  Put("ocupaciones.txt", "\r\n\r\n");
  Put("hospital.dat", "");
  EXPECT_TRUE(Load().empty());
  for (int i = 0; i < ServiceTable::kSlots; ++i)
    EXPECT_EQ(tables.services.slot(i).code + tables.services.slot(i).name, "");
  EXPECT_EQ(tables.services.ServiceName("CODIG"), "Error");  // the header is no service
  EXPECT_TRUE(tables.hospitals.empty());
  EXPECT_TRUE(tables.occupations.empty());
  EXPECT_TRUE(HospitalCatalogue(fs, feedback, paths).Names().empty());
}

TEST_F(ReferenceTablesTest, ServiceLinesGiveCodeAndName) {
  Put("servicios.txt", "header\r\n70100Medicina Interna\r\n70440" + std::string(60, 'n') +
                           "\r\n7055\r\n"       // 70440: cut to 58; 7055, shorter than six: no name
                           "70100Repetido\n\n"  // an empty line still takes a slot
                           "C\363d 1Cirug\355a");  // Windows-1252, no final line end
  Load();
  const ServiceTable& t = tables.services;
  EXPECT_EQ(t.ServiceName("70100"), "Medicina Interna");
  EXPECT_EQ(t.ServiceName("70440"), std::string(58, 'n'));
  EXPECT_EQ(t.ServiceName("7055"), "");
  EXPECT_EQ(t.slot(4).name, "Repetido");
  EXPECT_EQ(t.slot(5).code, "");
  EXPECT_EQ(t.ServiceName("C\363d 1"), "Cirug\355a");  // octal: \xF3 and \xED
  EXPECT_EQ(t.ServiceName("70100 "), "Error");         // compared exactly
}

TEST_F(ReferenceTablesTest, FortyServicesFitAndExtraLinesAreReportedWithoutFlooding) {
  const std::string incorrect = "Numero de servicios incorrecto";
  std::vector<std::string> flood(10, incorrect);
  flood.push_back(
      "Numero de servicios incorrecto: 5000 líneas de servicios.txt sin cargar (solo caben 40 servicios)"_cp);
  for (const auto& [count, messages] :
       {std::pair{43, std::vector<std::string>(3, incorrect)}, std::pair{5040, flood}}) {
    std::string text = "CODIGONOMBRE\r\n";
    for (int i = 1; i <= count; ++i) text += StrFormat("S%04dServicio %d\r\n", i, i);
    Put("servicios.txt", text);
    std::vector<std::string> shown = Load();
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.end() - 2), messages)
        << count;  // then the missing lists
    EXPECT_EQ(tables.services.ServiceName("S0040"), "Servicio 40");
    EXPECT_EQ(tables.services.ServiceName("S0041"), "Error");
  }
}

TEST_F(ReferenceTablesTest, LinesGiveTheirFirstCharactersLongOnesAreCutAndDuplicatesReported) {
  // The part past 99 characters must not become a service or a code of its own.
  Put("servicios.txt", "h\n70100" + std::string(200, 'x') + "\n70200Segundo\n");
  Put("hospitnosas.txt", "02001 Hospital A\r\n11005\r\n02001 otra vez\r\n\r\n02002" +
                             std::string(150, ' ') + "99999\n");
  Put("ocupaciones.txt", std::string(300, '7') + "\n001xx\n");
  EXPECT_EQ(Load(), (std::vector<std::string>{"Btree: Código duplicado"_cp, "02001"}));
  EXPECT_EQ(tables.services.slot(2).code, "70200");
  EXPECT_EQ(tables.services.ServiceName("70100"), std::string(58, 'x'));
  EXPECT_EQ(tables.hospitals.size(), 3u);
  for (const char* code : {"02001", "11005", "02002"})
    EXPECT_TRUE(tables.hospitals.Contains(code)) << code;
  for (const char* code : {"02001 ", "", "99999"})
    EXPECT_FALSE(tables.hospitals.Contains(code)) << code;
  EXPECT_EQ(tables.occupations.size(), 2u);
  EXPECT_TRUE(tables.occupations.Contains("777"));
  EXPECT_TRUE(tables.occupations.Contains("001"));
}

TEST_F(ReferenceTablesTest, OversizedCodeListsAreBounded) {
  // Scattered codes: the index is an unbalanced tree, and the bound is what counts here.
  std::string many, same;
  for (int i = 0; i < 10005; ++i) many += StrFormat("%05d\n", (i * 7919) % 10007);
  for (int i = 0; i < 1000; ++i) same += "12\n";
  Put("servicios.txt", "h\n");
  Put("hospitnosas.txt", many);
  Put("ocupaciones.txt", same);
  std::vector<std::string> texts = Load();
  ASSERT_EQ(texts.size(), 1u + 20u + 1u);
  EXPECT_EQ(texts[0],
            "El fichero hospitnosas.txt tiene más de 10000 códigos: no se cargan los demás"_cp);
  EXPECT_EQ(texts[1], "Btree: Código duplicado"_cp);
  EXPECT_EQ(texts[2], "12");
  EXPECT_EQ(texts[21], "Btree: Código duplicado: 999 códigos repetidos en ocupaciones.txt"_cp);
  EXPECT_EQ(tables.hospitals.size(), 10000u);
  EXPECT_FALSE(tables.hospitals.Contains(StrFormat("%05d", (10000 * 7919) % 10007)));
  EXPECT_EQ(tables.occupations.size(), 1u);
}

// "ZKCP.dat": postal code N at byte (N - 1000) * 4.
class PostalCodeTest : public ReferenceTablesTest {
 protected:
  std::vector<std::string> Open(FileSystem& on) {
    feedback.Clear();
    table.Open(on, feedback, "/r/QUIROVEL/ZKCP.dat");
    return feedback.Texts();
  }
  PostalCodeTable table;
};

TEST_F(PostalCodeTest, ProvinceCodesAreKnownWithoutTheFile) {
  FaultyFileSystem faulty(fs);
  faulty.FailOpensOf("ZKCP");
  EXPECT_EQ(Open(faulty), (std::vector<std::string>{"Error al abrir fichero de codigos postales",
                                                    "Error al Crear fichero de codigos postales"}));
  EXPECT_EQ(table.PostalCodeKnown(28999), 1);
  EXPECT_EQ(Open(fs), std::vector<std::string>{"Error al abrir fichero de codigos postales"});
  EXPECT_EQ(*fs.Contents("/r/QUIROVEL/ZKCP.dat"), "");  // created empty
  const std::tuple<std::int32_t, std::int32_t, bool> cases[] = {
      {11999, 1, true},  {99999, 1, true},  {1999, 1, true},   {52999, 1, true},
      {53999, 0, false}, {999, 0, false},   {98999, 0, false}, {11403, 0, false},
      {0, 0, false},     {-1999, 0, false}, {1000, 0, false}};
  for (const auto& [code, known, province_only] : cases) {
    EXPECT_EQ(table.PostalCodeKnown(code), known) << code;
    EXPECT_EQ(table.ProvinceOnly(), province_only) << code;
  }
}

TEST_F(PostalCodeTest, EntriesAreReadAtTheirOffsetsInMemoryAndBeyond) {
  std::string bytes(4 * 10403, '\0');
  bytes += std::string("\x07\x00\x00\x00", 4);  // 11403 at byte 41612
  bytes += std::string("\x00\x00\x00\x80", 4);  // 11404: any non-zero value counts
  bytes += std::string("\x01\x02", 2);          // 11405: cut short by the end
  Put("ZKCP.dat", bytes);
  EXPECT_TRUE(Open(fs).empty());
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {11403, 7}, {11404, INT32_MIN}, {11405, 0}, {11402, 0}, {2000000000, 0}};
  for (const auto& [code, known] : cases) EXPECT_EQ(table.PostalCodeKnown(code), known) << code;
  EXPECT_FALSE(table.ProvinceOnly());
  // Codes past the memory copy are read from the file.
  bytes.assign(4 * (PostalCodeTable::kEntriesInMemory + 1), '\0');
  bytes[4 * PostalCodeTable::kEntriesInMemory] = 3;
  Put("ZKCP.dat", bytes);
  Open(fs);
  EXPECT_EQ(
      table.PostalCodeKnown(static_cast<std::int32_t>(PostalCodeTable::kEntriesInMemory + 1000)),
      3);
}

}  // namespace
}  // namespace quirovel
