// Create, CopyStructure and RecordCountOf.
#include <gtest/gtest.h>

#include "platform/faulty_file_system.h"
#include "platform/file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "storage/table_files.h"
#include "support/dbf_builder.h"
#include "support/temp_dir.h"

namespace quirovel {
namespace {

using testing::DbfBytes;
using testing::DbfShape;
using testing::Le16At;

using Messages = std::vector<std::string>;

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }

// A 32-byte descriptor written out by hand.
std::string Descriptor(const std::string& name, char type, int width, int decimals) {
  return name + Zeros(11 - name.size()) + type + Zeros(4) + static_cast<char>(width) +
         static_cast<char>(decimals) + Zeros(14);
}

TEST(Create, WritesTheHeaderDescriptorsTerminatorAndEndMarker) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback, {"A#C10", "B#N1"}, "/t.dbf"));
  const std::string expected = std::string("\x03\x60\x02\x18", 4) + Zeros(4) + "\x61" + Zeros(1) +
                               "\x0C" + Zeros(21) + Descriptor("A", 'C', 10, 0) +
                               Descriptor("B", 'N', 1, 0) + "\x0D\x1A";
  EXPECT_EQ(*fs.Contents("/t.dbf"), expected);
  EXPECT_EQ(Le16At(expected, 8), 97);
  EXPECT_EQ(Le16At(expected, 10), 12);
  EXPECT_EQ(expected[32 + 16], 10);
  EXPECT_TRUE(feedback.messages.empty());
}

TEST(Create, AppliesTheTypeRulesAndSizesTheRecordByTheStoredWidths) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback, {"IMPORTE#H", "FECHA#D10", "PESO#F8.2", "CUENTA#I4", "NOMBRE#C20.3"},
                     "/t.dbf"));
  const std::string& bytes = *fs.Contents("/t.dbf");
  EXPECT_EQ(bytes.substr(32, 32), Descriptor("IMPORTE", 'N', 5, 2));
  EXPECT_EQ(bytes.substr(64, 32), Descriptor("FECHA", 'D', 8, 0));
  EXPECT_EQ(bytes.substr(96, 32), Descriptor("PESO", 'N', 8, 2));
  EXPECT_EQ(bytes.substr(128, 32), Descriptor("CUENTA", 'N', 4, 0));
  EXPECT_EQ(bytes.substr(160, 32), Descriptor("NOMBRE", 'C', 20, 3));
  // 1 + 5 + 8 + 8 + 4 + 20: the record holds its fields exactly.
  EXPECT_EQ(Le16At(bytes, 10), 46);
  EXPECT_EQ(Le16At(bytes, 8), 32 * 5 + 33);
}

TEST(Create, MakesAnEmptyCmbdATableOf320ByteRecords) {
  MemoryFileSystem fs;
  RecordingFeedback feedback;
  std::vector<std::string> defs;
  for (const auto& f : testing::CmbdAFields())
    defs.push_back(f.name + "#" + f.type + std::to_string(f.width));
  ASSERT_TRUE(Create(fs, feedback, std::vector<std::string_view>(defs.begin(), defs.end()), "/c.dbf"));
  const std::string& bytes = *fs.Contents("/c.dbf");
  EXPECT_EQ(Le16At(bytes, 8), 2049);
  EXPECT_EQ(Le16At(bytes, 10), 320);
  EXPECT_EQ(bytes, DbfBytes(testing::CmbdAFields()).substr(0, 4).replace(1, 3, "\x60\x02\x18") +
                       DbfBytes(testing::CmbdAFields()).substr(4) + "\x1A");
}

TEST(Create, EmptiesAnExistingFile) {
  MemoryFileSystem fs;
  fs.SetContents("/t.dbf", std::string(5000, 'x'));
  RecordingFeedback feedback;
  ASSERT_TRUE(Create(fs, feedback, {"A#C1"}, "/t.dbf"));
  EXPECT_EQ(fs.Contents("/t.dbf")->size(), 32u + 32u + 2u);
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
  const std::string source = DbfBytes({{"A", 'C', 3}, {"B", 'N', 4, 1}}, {{"abc", "12.5"}, {"def", "1.0"}});
  fs.SetContents("/s.dbf", source);
  RecordingFeedback feedback;
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/t.dbf"), 1);
  std::string expected = source.substr(0, 32 * 3 + 1);
  expected[4] = 0;  // the count was 2
  EXPECT_EQ(*fs.Contents("/t.dbf"), expected);
  EXPECT_EQ(*fs.Contents("/s.dbf"), source);
  EXPECT_TRUE(feedback.messages.empty());
}

TEST(CopyStructure, RefusesToCopyOntoItselfOrFromToFilesThatCannotBeOpened) {
  MemoryFileSystem fs;
  const std::string source = DbfBytes({{"A", 'C', 3}}, {{"abc"}});
  fs.SetContents("/s.dbf", source);
  RecordingFeedback feedback;
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/s.dbf"), 0);
  EXPECT_EQ(CopyStructure(fs, feedback, "/none.dbf", "/t.dbf"), 0);
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/no/dir/t.dbf"), 0);
  EXPECT_EQ(feedback.Texts(), (Messages{"No se puede copiar sobre si mismo",
                                        "IMPORTAR:Error al abrir fichero con la estructura origen",
                                        "IMPORTAR: Error al abrir fichero destino [/no/dir/t.dbf]"}));
  EXPECT_EQ(*fs.Contents("/s.dbf"), source);
  EXPECT_EQ(fs.Contents("/t.dbf"), nullptr);
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
  feedback.Clear();
  fs.SetContents("/tiny.dbf", "\x03\x01");
  EXPECT_EQ(CopyStructure(fs, feedback, "/tiny.dbf", "/t.dbf"), 1);
  EXPECT_EQ(*fs.Contents("/t.dbf"), std::string("\x03\x01", 2) + Zeros(30) + "\x0D");
}

TEST(CopyStructure, ReportsATargetThatCannotBeWritten) {
  MemoryFileSystem memory;
  FaultyFileSystem fs(memory);
  memory.SetContents("/s.dbf", DbfBytes({{"A", 'C', 3}}));
  fs.FailWritesFrom(1);
  RecordingFeedback feedback;
  EXPECT_EQ(CopyStructure(fs, feedback, "/s.dbf", "/t.dbf"), 0);
  EXPECT_EQ(feedback.Texts(), Messages{"IMPORTAR: Error al escribir fichero destino [/t.dbf]"});
}

TEST(CopyStructure, KeepsTheStructureWhenTwoSpellingsNameOneFile) {
  testing::TempDir dir;
  const std::string source = DbfBytes({{"A", 'C', 3}}, {{"abc"}});
  testing::WriteFileBytes(dir.Path("s.dbf"), source);
  RecordingFeedback feedback;
  EXPECT_EQ(CopyStructure(RealFileSystem(), feedback, dir.Path("s.dbf"), dir.path() + "//s.dbf"), 1);
  std::string expected = source.substr(0, 65);
  expected[4] = 0;
  EXPECT_EQ(testing::ReadFileBytes(dir.Path("s.dbf")), expected);
}

TEST(RecordCountOf, ReadsTheHeaderCountOrSaysTheFileCannotBeOpened) {
  MemoryFileSystem fs;
  DbfShape lying;
  lying.record_count = 123456;
  fs.SetContents("/t.dbf", DbfBytes({{"A", 'C', 3}}, {}, lying));
  fs.SetContents("/short.dbf", "\x03\x00\x00");
  RecordingFeedback feedback;
  EXPECT_EQ(RecordCountOf(fs, feedback, "/t.dbf"), 123456u);
  EXPECT_TRUE(feedback.messages.empty());
  EXPECT_EQ(RecordCountOf(fs, feedback, "/none.dbf"), std::nullopt);
  EXPECT_EQ(RecordCountOf(fs, feedback, "/short.dbf"), std::nullopt);
  EXPECT_EQ(feedback.Texts(), (Messages{"Error al abrir fichero", "Error al abrir fichero"}));
}

}  // namespace
}  // namespace quirovel
