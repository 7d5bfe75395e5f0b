#include "platform/host_paths.h"

#include <cstdlib>
#include <vector>

#include "platform/cp1252.h"

namespace quirovel {
namespace {

// Windows-1252 letters folded to lower case: A-Z and the accented capitals.
unsigned char Folded(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
    return static_cast<unsigned char>(c + 0x20);
  return c;
}

// Two host names (UTF-8) alike but for the case of their letters, as
// Windows compares them.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  // A name with characters Windows-1252 lacks only matches itself.
  if (!FitsStoredText(a) || !FitsStoredText(b)) return a == b;
  const std::string x = Utf8ToCp1252(a), y = Utf8ToCp1252(b);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i)
    if (Folded(static_cast<unsigned char>(x[i])) != Folded(static_cast<unsigned char>(y[i])))
      return false;
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
  // Stored texts are Windows-1252; names on the host are UTF-8.
  // "\x" is x on the current drive, which is always C:.
  const bool rooted = !stored.empty() && stored[0] == '\\';
  if (!rooted && (!HasDriveLetter(stored) || (stored[0] != 'C' && stored[0] != 'c')))
    return Cp1252ToUtf8(stored);
  std::string path = root_;
  std::size_t i = rooted ? 1 : 2;
  while (i <= stored.size()) {
    std::size_t end = stored.find_first_of("\\/", i);
    if (end == std::string_view::npos) end = stored.size();
    const std::string part = Cp1252ToUtf8(stored.substr(i, end - i));
    i = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      // As Windows stops at C:\, nothing climbs above the root.
      if (path.size() > root_.size()) path.erase(path.find_last_of('/'));
      continue;
    }
    std::string chosen = part;
    if (!fs_.Exists(path + "/" + chosen)) {
      for (const std::string& name : fs_.List(path)) {
        if (EqualsIgnoringCase(name, part)) {
          chosen = name;
          break;
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
    return Utf8ToCp1252(stored);
  }
  return Utf8ToCp1252(host);
}

bool FitsStoredText(std::string_view host) { return Cp1252ToUtf8(Utf8ToCp1252(host)) == host; }

std::string HostPaths::DefaultRoot(std::string_view option) {
  if (!option.empty()) return std::string(option);
  if (const char* env = std::getenv("QUIROVEL_ROOT"); env != nullptr && *env != '\0') return env;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0')
    return std::string(xdg) + "/quirovel";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.local/share/quirovel";
}

}  // namespace quirovel
