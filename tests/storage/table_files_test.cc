// Create, CopyStructure and RecordCountOf.
#include "storage/table_files.h"

#include <gtest/gtest.h>

#include "platform/faulty_file_system.h"
#include "platform/file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"

namespace quirovel {
namespace {

using testing::DbfBytes;
using testing::DbfShape;
using Messages = std::vector<std::string>;

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }

// A 32-byte descriptor written out by hand.
std::string Descriptor(const std::string& name, char type, int width, int decimals) {
  return name + Zeros(11 - name.size()) + type + Zeros(4) + static_cast<char>(width) +
         static_cast<char>(decimals) + Zeros(14);
}

TEST(Create, EmptiesTheFileAndWritesTheHeaderDescriptorsByTheTypeRulesTerminatorAndEndMarker) {
  MemoryFileSystem fs;
  fs.SetContents("/t.dbf", std::string(5000, 'x'));
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback,
                     {"IMPORTE#H", "FECHA#D10", "PESO#F8.2", "CUENTA#I4", "NOMBRE#C20.3"},
                     "/t.dbf"));
  // Version 3, the date 96-02-24, no records, a header of 32 * 5 + 33 bytes and
  // a record of 1 + 5 + 8 + 8 + 4 + 20: the widths as stored.
  EXPECT_EQ(*fs.Contents("/t.dbf"),
            std::string("\x03\x60\x02\x18", 4) + Zeros(4) + "\xC1" + Zeros(1) + "\x2E" + Zeros(21) +
                Descriptor("IMPORTE", 'N', 5, 2) + Descriptor("FECHA", 'D', 8, 0) +
                Descriptor("PESO", 'N', 8, 2) + Descriptor("CUENTA", 'N', 4, 0) +
                Descriptor("NOMBRE", 'C', 20, 3) + "\x0D\x1A");
  EXPECT_TRUE(feedback.messages.empty());
}

TEST(Create, TellsWhatCouldNotBeWritten) {
  MemoryFileSystem memory;
  FaultyFileSystem fs(memory);
  RecordingFeedback feedback;
  EXPECT_FALSE(Create(fs, feedback, {"A#C1"}, "/no/such/dir/t.dbf"));
  EXPECT_EQ(feedback.Texts(), Messages{"Error al abril el fichero /no/such/dir/t.dbf"});
  feedback.Clear();
  fs.SetFileSizeLimit(40);  // the header and a quarter of the first descriptor
  EXPECT_FALSE(Create(fs, feedback, {"A#C10", "B#N1"}, "/t.dbf"));
  EXPECT_EQ(feedback.Texts(),
            (Messages{"Err def cabecera campos", "Err def cabecera campos", "Err def cabeceras"}));
  feedback.Clear();
  fs.Heal();
  fs.FailWritesFrom(1);
  EXPECT_FALSE(Create(fs, feedback, {"A#C10"}, "/t.dbf"));
  EXPECT_EQ(feedback.Texts(),
            (Messages{"Err crea cabecera", "Err def cabecera campos", "Err def cabeceras"}));
}

TEST(CopyStructure, CopiesHeaderAndDescriptorsWithACountOfZeroAndNoRecords) {
  MemoryFileSystem fs;
  const std::string source =
      DbfBytes({{"A", 'C', 3}, {"B", 'N', 4, 1}}, {{"abc", "12.5"}, {"def", "1.0"}});
  fs.SetContents("/s.dbf", source);
  RecordingFeedback feedback;
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/t.dbf"), 1);
  std::string expected = source.substr(0, 32 * 3 + 1);
  expected[4] = 0;  // the count was 2
  EXPECT_EQ(*fs.Contents("/t.dbf"), expected);
  EXPECT_EQ(*fs.Contents("/s.dbf"), source);
  EXPECT_TRUE(feedback.messages.empty());
}

TEST(CopyStructure, RefusesToCopyOntoItselfOrFromOrToFilesThatCannotBeOpenedOrWritten) {
  MemoryFileSystem memory;
  FaultyFileSystem fs(memory);
  const std::string source = DbfBytes({{"A", 'C', 3}}, {{"abc"}});
  memory.SetContents("/s.dbf", source);
  RecordingFeedback feedback;
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/s.dbf"), 0);
  EXPECT_EQ(CopyStructure(fs, feedback, "/none.dbf", "/t.dbf"), 0);
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/no/dir/t.dbf"), 0);
  EXPECT_EQ(memory.Contents("/t.dbf"), nullptr);
  fs.FailWritesFrom(1);
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/t.dbf"), 0);
  EXPECT_EQ(feedback.Texts(), (Messages{"No se puede copiar sobre si mismo",
                                        "IMPORTAR:Error al abrir fichero con la estructura origen",
                                        "IMPORTAR: Error al abrir fichero destino [/no/dir/t.dbf]",
                                        "IMPORTAR: Error al escribir fichero destino [/t.dbf]"}));
  EXPECT_EQ(*memory.Contents("/s.dbf"), source);
}

TEST(CopyStructure, EndsAStructureWithoutTerminatorAndStopsAfter256Blocks) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  DbfShape no_end;
  no_end.terminator = false;
  const std::string cut = DbfBytes({{"A", 'C', 3}, {"B", 'C', 3}}, {}, no_end);
  fs.SetContents("/cut.dbf", cut);
  EXPECT_EQ(CopyStructure(fs, feedback, "/cut.dbf", "/t.dbf"), 1);
  EXPECT_EQ(*fs.Contents("/t.dbf"), cut + "\x0D");
  EXPECT_TRUE(feedback.messages.empty());

  const std::string endless = std::string(32, '\0') + std::string(32 * 300, 'x');
  fs.SetContents("/endless.dbf", endless);
  EXPECT_EQ(CopyStructure(fs, feedback, "/endless.dbf", "/t.dbf"), 1);
  EXPECT_EQ(*fs.Contents("/t.dbf"), endless.substr(0, 32 + 32 * 256) + "\x0D");
  EXPECT_EQ(feedback.Texts(), Messages{"Estructa DBF no valida"});

  // Even a file too short for a header gives a structure rather than a crash.
  fs.SetContents("/tiny.dbf", "\x03\x01");
  EXPECT_EQ(CopyStructure(fs, feedback, "/tiny.dbf", "/t.dbf"), 1);
  EXPECT_EQ(*fs.Contents("/t.dbf"), std::string("\x03\x01", 2) + Zeros(30) + "\x0D");
}

TEST(CopyStructure, KeepsTheStructureWhenTwoSpellingsNameOneFile) {
  testing::TempDir dir;
  const std::string source = DbfBytes({{"A", 'C', 3}}, {{"abc"}});
  testing::WriteFileBytes(dir.Path("s.dbf"), source);
  RecordingFeedback feedback;
  EXPECT_EQ(CopyStructure(RealFileSystem(), feedback, dir.Path("s.dbf"), dir.path() + "//s.dbf"),
            1);
  std::string expected = source.substr(0, 65);
  expected[4] = 0;
  EXPECT_EQ(testing::ReadFileBytes(dir.Path("s.dbf")), expected);
}

TEST(RecordCountOf, ReadsTheHeaderCountOrSaysTheFileCannotBeOpened) {
  MemoryFileSystem fs;
  fs.SetContents("/t.dbf",
                 std::string("\x03\x60\x02\x18\x40\xE2\x01\x00", 8) + Zeros(56));  // no records
  fs.SetContents("/short.dbf", "\x03\x00\x00");
  RecordingFeedback feedback;
  EXPECT_EQ(RecordCountOf(fs, feedback, "/t.dbf"), 123456u);
  EXPECT_EQ(RecordCountOf(fs, feedback, "/none.dbf"), std::nullopt);
  EXPECT_EQ(RecordCountOf(fs, feedback, "/short.dbf"), std::nullopt);
  EXPECT_EQ(feedback.Texts(), (Messages{"Error al abrir fichero", "Error al abrir fichero"}));
}

}  // namespace
}  // namespace quirovel
