// The import dialog's controls, the two saved layouts and the recent
// structures, on the configuration record's bytes; and the import as the
// session runs it.
#include "transfer/text_import_settings.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "support/dbf_builder.h"
#include "support/detection_fixture.h"
#include "transfer/text_import_session.h"

namespace quirovel {
namespace {

TEST(ImportSettings, ControlsStoredAndRecalledAsTheDialogDoes) {
  ConfigRecord r;
  r.SetWorkDirectory("C:\\quirovel\\trabajo");
  r.SetImportSeparator(ImportLayout::kCurrent, "|");
  ImportControls c;
  c.text_file = "C:\\datos\\altas.txt";
  c.structure_file = "C:\\datos\\est.dbf";
  c.separator = " ";  // a blank keeps the stored separator
  c.delimiter = "\"";
  c.date_format_position = 5;
  c.header_line = true;
  c.table_name = "nuevo";
  ASSERT_TRUE(StoreImportControls(c, &r, ImportLayout::kCurrent));
  const ImportSettings s = r.Import(ImportLayout::kCurrent);
  EXPECT_EQ(s.separator, "|");
  EXPECT_EQ(s.date_format, "6");
  EXPECT_EQ(s.target_table, "C:\\quirovel\\trabajo\\nuevo.DBF");
  EXPECT_EQ(s.delimiter, "\"");
  EXPECT_EQ(s.header_line, 1);
  EXPECT_EQ(s.fixed_length, 0);

  // Saved as the "CMBD" layout (layout B) and recalled whole into the current settings.
  c.fixed_length = true;
  c.separator = ";";
  c.table_name = "CMBD.DBF";
  ASSERT_TRUE(StoreImportControls(c, &r, ImportLayout::kSavedCmbd));
  RecallImportLayout(&r, ImportLayout::kSavedCmbd);
  EXPECT_EQ(r.Import(ImportLayout::kCurrent).target_table, "C:\\quirovel\\trabajo\\CMBD.DBF");
  EXPECT_EQ(r.Import(ImportLayout::kCurrent).separator, ";");
  const ImportControls back = FillImportControls(r, ImportLayout::kCurrent);
  EXPECT_EQ(back.separator, " ");  // fixed lengths show a blank separator
  EXPECT_EQ(back.table_name, "CMBD.DBF");
  EXPECT_EQ(back.date_format_position, 5);
  EXPECT_EQ(r.Import(ImportLayout::kSavedCma).text_file, "");  // the other layout untouched

  ASSERT_TRUE(ChooseTextFile(&r, "C:\\datos\\altas.txt"));
  EXPECT_EQ(r.Import(ImportLayout::kCurrent).target_table, "C:\\datos\\altas.DBF");
  for (const auto& [name, with] : std::vector<std::pair<std::string, std::string>>{
           {"A", "A.DBF"}, {".DBF", ".DBF.DBF"}, {"x.dbf", "x.dbf"}, {"", ".DBF"}})
    EXPECT_EQ(WithDbfExtension(name), with);
}

TEST(ImportSettings, RecentStructuresRotateThroughFiveSlots) {
  ConfigRecord r;
  EXPECT_EQ(SelectedRecentSlot(r), 4);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(RememberStructure(&r, "s" + std::to_string(i)));
  EXPECT_EQ(r.RecentNext(), 2);
  EXPECT_EQ(SelectedRecentSlot(r), 1);
  const std::vector<std::string> slots = {"s5", "s6", "s2", "s3", "s4"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(r.RecentStructure(i), slots[static_cast<std::size_t>(i)]);
  // One already in the list changes neither the list nor the counter.
  EXPECT_FALSE(RememberStructure(&r, "s3"));
  EXPECT_EQ(r.RecentNext(), 2);
  EXPECT_EQ(r.Text(1228 + 200, 100), "s2");
}

struct ImportSession : ::testing::Test {
  ImportSession() {
    testing::WriteFileBytes(f.WorkPath("est.dbf"),
                            testing::DbfBytes({{"HISTORIA", 'C', 12}, {"FECALT", 'D', 8}}));
    testing::WriteFileBytes(f.WorkPath("altas.txt"), "1|12/05/2006\n2|13/05/2006\n");
    ImportSettings s;
    s.text_file = "C:\\Quirovel\\trabajo\\altas.txt";
    s.structure_table = "C:\\Quirovel\\trabajo\\est.dbf";
    s.target_table = "C:\\Quirovel\\trabajo\\nuevo.dbf";
    s.date_format = "1";
    s.separator = "|";
    s.delimiter = " ";
    f.session().config.SetImport(ImportLayout::kSavedCma, s);
  }
  testing::DetectionFixture f;
};

TEST_F(ImportSession, RefusesTheCurrentFileAndItsOwnSources) {
  f.WriteTable({testing::CleanEpisode()});
  const std::string before = f.Work("episodios.dbf");
  ImportSettings s = f.session().config.Import(ImportLayout::kSavedCma);
  for (const char* target :
       {"C:\\Quirovel\\trabajo\\episodios.dbf", "C:\\Quirovel\\trabajo\\altas.txt",
        "C:\\Quirovel\\trabajo\\est.dbf"}) {
    f.feedback().messages.clear();
    s.target_table = target;
    f.session().config.SetImport(ImportLayout::kCurrent, s);
    EXPECT_FALSE(ImportTextFile(f.session()).table_written);
    ASSERT_EQ(f.feedback().messages.size(), 1u);
  }
  EXPECT_EQ(f.feedback().messages[0].text,
            "El fichero destino C:\\Quirovel\\trabajo\\est.dbf es el fichero de texto o el de la "
            "estructura: no se importa");
  s.target_table = "C:\\Quirovel\\trabajo\\episodios.dbf";
  f.session().config.SetImport(ImportLayout::kCurrent, s);
  f.feedback().messages.clear();
  ImportTextFile(f.session());
  EXPECT_EQ(f.feedback().messages[0].text,
            "El fichero destino C:\\Quirovel\\trabajo\\episodios.dbf est\xE1 siendo usado para la "
            "detecci\xF3n");
  EXPECT_EQ(f.Work("episodios.dbf"), before);
  EXPECT_EQ(f.Work("altas.txt"), "1|12/05/2006\n2|13/05/2006\n");
}

}  // namespace
}  // namespace quirovel
