#include "transfer/transfer_staging.h"

#include <unistd.h>

#include <array>
#include <vector>

#include "platform/little_endian.h"

namespace quirovel {

std::string FreshTemporaryName(FileSystem& fs, const std::string& target) {
  std::string name = target + ".tmp";
  for (int n = 1; fs.Exists(name); ++n) name = target + ".tmp" + std::to_string(n);
  return name;
}

bool CommitStagedTable(FileSystem& fs, const std::string& staged, const std::string& target,
                       std::uint32_t records) {
  bool whole = false;
  if (auto file = fs.Open(staged, OpenMode::kReadWrite)) {
    std::array<unsigned char, 32> header{};
    if (file->ReadAt(0, header.data(), 32) == 32 && GetLe32(&header[4]) == records) {
      const std::uint64_t end = static_cast<std::uint64_t>(GetLe16(&header[8])) +
                                static_cast<std::uint64_t>(GetLe16(&header[10])) * records;
      const std::int64_t size = file->Size();
      whole = size >= 0 && static_cast<std::uint64_t>(size) >= end && file->Sync();
    }
  }
  if (whole && fs.Rename(staged, target)) return true;
  fs.Remove(staged);
  return false;
}

bool CommitStagedFile(FileSystem& fs, const std::string& staged, const std::string& target) {
  bool whole = false;
  if (auto file = fs.Open(staged, OpenMode::kReadWrite)) whole = file->Sync();
  if (whole && fs.Rename(staged, target)) return true;
  fs.Remove(staged);
  return false;
}

namespace {

std::string Normalised(const std::string& path) {
  std::string absolute = path;
  if (absolute.empty() || absolute[0] != '/') {
    std::vector<char> cwd(4096);
    if (::getcwd(cwd.data(), cwd.size()) != nullptr)
      absolute = std::string(cwd.data()) + "/" + path;
  }
  std::vector<std::string> parts;
  std::size_t begin = 0;
  while (begin <= absolute.size()) {
    std::size_t end = absolute.find('/', begin);
    if (end == std::string::npos) end = absolute.size();
    std::string part = absolute.substr(begin, end - begin);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    begin = end + 1;
  }
  std::string out;
  for (const auto& part : parts) out += "/" + part;
  return out;
}

}  // namespace

bool SameHostFile(const std::string& a, const std::string& b) {
  return Normalised(a) == Normalised(b);
}

}  // namespace quirovel
