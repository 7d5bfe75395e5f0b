#include "platform/host_paths.h"

#include <cstdlib>
#include <vector>

namespace quirovel {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

HostPaths::HostPaths(FileSystem& fs, std::string root)
    : fs_(fs), root_(StripTrailingSlashes(std::move(root))) {}

std::string HostPaths::ToHost(std::string_view stored) const {
  if (!HasDriveLetter(stored) || (stored[0] != 'C' && stored[0] != 'c')) return std::string(stored);
  std::string path = root_;
  std::size_t i = 2;
  while (i <= stored.size()) {
    std::size_t end = stored.find_first_of("\\/", i);
    if (end == std::string_view::npos) end = stored.size();
    std::string_view part = stored.substr(i, end - i);
    i = end + 1;
    if (part.empty() || part == ".") continue;
    std::string chosen(part);
    if (part != "..") {
      std::string exact = path + "/" + chosen;
      if (!fs_.Exists(exact)) {
        for (const std::string& name : fs_.List(path)) {
          if (EqualsIgnoringCase(name, part)) {
            chosen = name;
            break;
          }
        }
      }
    }
    path += "/";
    path += chosen;
  }
  return path;
}

std::string HostPaths::ToStored(std::string_view host) const {
  std::string_view root = root_;
  if (host.size() > root.size() && host.substr(0, root.size()) == root &&
      host[root.size()] == '/') {
    std::string stored = "C:";
    for (char c : host.substr(root.size())) stored.push_back(c == '/' ? '\\' : c);
    return stored;
  }
  return std::string(host);
}

std::string HostPaths::DefaultRoot(std::string_view option) {
  if (!option.empty()) return std::string(option);
  if (const char* env = std::getenv("QUIROVEL_ROOT"); env != nullptr && *env != '\0') return env;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0')
    return std::string(xdg) + "/quirovel";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.local/share/quirovel";
}

}  // namespace quirovel
