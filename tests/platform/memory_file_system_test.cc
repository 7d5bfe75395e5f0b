#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quirovel {
namespace {

TEST(MemoryFileSystem, ReadsAndWritesAtOffsetsLikeADisk) {
  MemoryFileSystem fs;
  auto file = fs.Open("/a.bin", OpenMode::kCreateTruncate);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->WriteAt(4, "xy", 2), 2);
  EXPECT_EQ(*fs.Contents("/a.bin"), std::string("\0\0\0\0xy", 6));
  char buffer[8];
  EXPECT_EQ(file->ReadAt(3, buffer, 8), 3);
  EXPECT_EQ(std::string(buffer, 3), std::string("\0xy", 3));
  EXPECT_EQ(file->ReadAt(6, buffer, 8), 0);
  EXPECT_EQ(file->ReadAt(600, buffer, 8), 0);
  EXPECT_EQ(file->Size(), 6);

  EXPECT_TRUE(file->Truncate(8));
  EXPECT_EQ(*fs.Contents("/a.bin"), std::string("\0\0\0\0xy\0\0", 8));
  EXPECT_TRUE(file->Truncate(6));
  EXPECT_EQ(file->Size(), 6);

  auto reader = fs.Open("/a.bin", OpenMode::kRead);
  EXPECT_FALSE(reader->Truncate(0));
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->WriteAt(0, "z", 1), -1);
  // A second open for writing that empties the file is seen by the first handle.
  fs.Open("/a.bin", OpenMode::kCreateTruncate);
  EXPECT_EQ(reader->Size(), 0);
}

TEST(MemoryFileSystem, OpensOnlyWhatExistsAndCreatesOnlyInExistingDirectories) {
  MemoryFileSystem fs;
  EXPECT_FALSE(fs.Open("/missing", OpenMode::kRead));
  EXPECT_FALSE(fs.Open("/missing", OpenMode::kReadWrite));
  EXPECT_FALSE(fs.Open("/dir/new", OpenMode::kCreateTruncate));
  EXPECT_FALSE(fs.SetContents("/dir/new", "x"));
  ASSERT_TRUE(fs.MakeDirectories("/dir/sub/"));
  EXPECT_TRUE(fs.IsDirectory("/dir"));
  EXPECT_FALSE(fs.Open("/dir", OpenMode::kRead));
  ASSERT_TRUE(fs.Open("/dir/sub/new", OpenMode::kReadWriteCreate));
  EXPECT_TRUE(fs.Exists("/dir/sub/new"));
  EXPECT_FALSE(fs.IsDirectory("/dir/sub/new"));
  EXPECT_FALSE(fs.MakeDirectories("/dir/sub/new/deeper"));

  ASSERT_TRUE(fs.SetContents("/dir/file", "abc"));
  auto names = fs.List("/dir");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"file", "sub"}));
  EXPECT_EQ(fs.List("/"), std::vector<std::string>{"dir"});
  EXPECT_TRUE(fs.List("/nothing").empty());

  EXPECT_TRUE(fs.Remove("/dir/file"));
  EXPECT_FALSE(fs.Remove("/dir/file"));
  EXPECT_EQ(fs.Contents("/dir/file"), nullptr);
}

TEST(MemoryFileSystem, WorksWithTheWholeFileHelpers) {
  MemoryFileSystem fs;
  ASSERT_TRUE(WriteWholeFile(fs, "/w.txt", std::string(100000, 'q')));
  std::string back;
  ASSERT_TRUE(ReadWholeFile(fs, "/w.txt", &back));
  EXPECT_EQ(back, std::string(100000, 'q'));
  EXPECT_FALSE(ReadWholeFile(fs, "/none.txt", &back));
}

}  // namespace
}  // namespace quirovel
