#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quirovel {
namespace {

TEST(MemoryFileSystem, ActsLikeADiskWithDirectories) {
  MemoryFileSystem fs;
  EXPECT_FALSE(fs.Open("/missing", OpenMode::kReadWrite));
  EXPECT_FALSE(fs.Open("/dir/new", OpenMode::kCreateTruncate));
  ASSERT_TRUE(fs.MakeDirectories("/dir/sub/"));
  EXPECT_FALSE(fs.Open("/dir", OpenMode::kRead));
  auto file = fs.Open("/dir/a.bin", OpenMode::kReadWriteCreate);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->WriteAt(4, "xy", 2), 2);  // the gap reads as zeros
  char buffer[8];
  EXPECT_EQ(file->ReadAt(3, buffer, 8), 3);
  EXPECT_EQ(std::string(buffer, 3), std::string("\0xy", 3));
  EXPECT_EQ(file->ReadAt(600, buffer, 8), 0);
  EXPECT_TRUE(file->Truncate(8));
  EXPECT_EQ(*fs.Contents("/dir/a.bin"), std::string("\0\0\0\0xy\0\0", 8));
  auto reader = fs.Open("/dir/a.bin", OpenMode::kRead);
  EXPECT_FALSE(reader->Truncate(0));
  EXPECT_EQ(reader->WriteAt(0, "z", 1), -1);
  fs.Open("/dir/a.bin", OpenMode::kCreateTruncate);  // seen by the handles already open
  EXPECT_EQ(reader->Size(), 0);
  EXPECT_FALSE(fs.MakeDirectories("/dir/a.bin/deeper"));

  auto names = fs.List("/dir");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.bin", "sub"}));
  std::string back;
  ASSERT_TRUE(WriteWholeFile(fs, "/dir/a.bin", std::string(100000, 'q')));
  ASSERT_TRUE(ReadWholeFile(fs, "/dir/a.bin", &back));
  EXPECT_EQ(back, std::string(100000, 'q'));
  EXPECT_TRUE(fs.Remove("/dir/a.bin"));
  EXPECT_FALSE(fs.Remove("/dir/a.bin"));
  EXPECT_FALSE(ReadWholeFile(fs, "/dir/a.bin", &back));
}

}  // namespace
}  // namespace quirovel
