#include "installation_lists.h"

#include <cstdint>
#include <string_view>

#include "platform/file_system.h"

namespace quirovel::gen {
namespace {

// The first `width` characters of every non-empty line.
std::vector<std::string> Codes(const std::string& text, std::size_t width, bool skip_header) {
  std::vector<std::string> out;
  std::size_t at = 0;
  bool first = true;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!(first && skip_header) && line.size() >= width) out.emplace_back(line.substr(0, width));
    first = false;
    at = end + 1;
  }
  return out;
}

}  // namespace

bool InstallationLists::Load(const std::string& dir, std::string* error) {
  FileSystem& fs = RealFileSystem();
  std::string text;
  struct {
    const char* name;
    std::size_t width;
    bool header;
    std::vector<std::string>* list;
  } files[] = {{"servicios.txt", 5, true, &services},
               {"hospitnosas.txt", 5, false, &hospitals},
               {"ocupaciones.txt", 3, false, &occupations}};
  for (auto& f : files) {
    if (!ReadWholeFile(fs, dir + "/" + f.name, &text) ||
        (*f.list = Codes(text, f.width, f.header)).empty()) {
      *error = dir + "/" + f.name + ": missing or empty";
      return false;
    }
  }
  if (!ReadWholeFile(fs, dir + "/ZKCP.dat", &text) || text.size() < 4) {
    *error = dir + "/ZKCP.dat: missing or empty";
    return false;
  }
  for (std::size_t i = 0; i + 4 <= text.size(); i += 4) {
    std::uint32_t v = 0;
    for (int b = 3; b >= 0; --b)
      v = (v << 8) | static_cast<unsigned char>(text[i + static_cast<std::size_t>(b)]);
    const int code = 1000 + static_cast<int>(i / 4);
    const int province = code / 1000;
    if (v != 0 && province <= 52 && code % 1000 != 999)
      postal_codes[static_cast<std::size_t>(province)].push_back(code);
  }
  if (postal_codes[2].empty()) {
    *error = dir + "/ZKCP.dat: no postal code of the hospital's province (02)";
    return false;
  }
  return true;
}

}  // namespace quirovel::gen
