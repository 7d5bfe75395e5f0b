// The structure editor's list and "Crear".
#include "transfer/structure_editor.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "support/dbf_builder.h"

namespace quirovel {
namespace {

TEST(StructureEditor, RowsFromTheBoxesAndTheTemplatesWithPositions) {
  StructureEditor e;
  e.Add(RowFromBoxes("CODIGOLARGO12", "Texto", "123"));
  e.Add(RowFromBoxes("FECHA", "Fecha", "3"));
  e.Insert(RowFromBoxes("NO", "Numero", "4"));  // nothing selected: nothing inserted
  e.Select(1);
  e.Insert(RowFromBoxes("N", "Numero", "4"));
  ASSERT_EQ(e.size(), 3);
  const std::vector<std::string> expected = {"CODIGOLARGO#C12", "N#N4", "FECHA#D8"};
  EXPECT_EQ(e.Definitions(), expected);
  EXPECT_EQ(e.rows()[2].position, 16);
  EXPECT_EQ(e.rows()[2].number, 3);
  e.Select(0);
  e.Modify(RowFromBoxes("A", "x", "5"));
  e.Select(1);
  e.Delete();
  EXPECT_EQ(e.Definitions(), (std::vector<std::string>{"A#C5", "FECHA#D8"}));
  EXPECT_EQ(e.rows()[1].position, 5);

  e.LoadTemplate(true);
  ASSERT_EQ(e.size(), 27);
  EXPECT_EQ(e.Definitions()[26], "HOSPITAL#C5");
  EXPECT_EQ(e.rows()[26].position, 144);  // 149 bytes of fields in all
  e.LoadTemplate(false);
  EXPECT_EQ(e.size(), 63);
  EXPECT_EQ(e.rows()[62].position + e.rows()[62].width, 319);
}

TEST(StructureEditor, CreateChecksTheNameAndNeverReplacesAFile) {
  MemoryFileSystem fs;
  fs.MakeDirectories("/w");
  fs.SetContents("/w/OLD.DBF", "mine");
  RecordingFeedback feedback;
  std::string created;
  const std::vector<std::string> defs = {"A#C10", "B#N1"};
  EXPECT_EQ(CreateStructureTable(fs, feedback, "", "/w", defs, &created), CreateOutcome::kNoName);
  EXPECT_EQ(CreateStructureTable(fs, feedback, "OLD", "/w", defs, &created),
            CreateOutcome::kExists);
  EXPECT_EQ(*fs.Contents("/w/OLD.DBF"), "mine");
  ASSERT_EQ(CreateStructureTable(fs, feedback, "nueva", "/w", defs, &created),
            CreateOutcome::kCreated);
  EXPECT_EQ(created, "nueva.DBF");
  std::string expected = testing::DbfBytes({{"A", 'C', 10}, {"B", 'N', 1}}) + '\x1A';
  expected[1] = 96, expected[2] = 2, expected[3] = 24;
  EXPECT_EQ(*fs.Contents("/w/nueva.DBF"), expected);
  // The viewer's rows of the table just made.
  const std::vector<ViewerRow> rows = StructureViewerRows(fs, feedback, "/w/nueva.DBF");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].row.name + rows[1].row.type, "BN");
  EXPECT_EQ(rows[1].row.position, 10);
  EXPECT_EQ(rows[1].row.number, 2);
  ASSERT_EQ(feedback.messages.size(), 2u);
  EXPECT_EQ(feedback.messages[0].text, "Introduzca nombre del fichero");
  EXPECT_EQ(feedback.messages[1].text, "Ya existe el fichero en el directorio de trabajo");
}

TEST(StructureEditor, DefinitionsThatMakeNoTableAreRefused) {
  for (const auto& [defs, why] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"A#C5", "A#N2"}, "Campo 2 [A#N2] no v\xE1lido: nombre repetido"},
           {{"NOMBRELARGO#C5"}, "Campo 1 [NOMBRELARGO#C5] no v\xE1lido"},
           {{"A#X5"}, "Campo 1 [A#X5] no v\xE1lido: tipo C, N o D"},
           {{"A#Cx"}, "Campo 1 [A#Cx] no v\xE1lido: longitud en cifras"},
           {{"A#C99", "B#C99", "C#C99", "D#C99", "E#C99", "F#C99", "G#C99"},
            "Estructura no v\xE1lida: 7 campos de 693 bytes"},
       }) {
    RecordingFeedback feedback;
    EXPECT_FALSE(CheckDefinitions(defs, feedback));
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].text.substr(0, why.size()), why);
  }
  RecordingFeedback feedback;
  EXPECT_TRUE(CheckDefinitions({"FECALT#D", "IMPORTE#H", "PESO#N5.2", "X#C99"}, feedback))
      << (feedback.messages.empty() ? "" : feedback.messages[0].text);
}

}  // namespace
}  // namespace quirovel
