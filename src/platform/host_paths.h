// Maps the Windows-style paths that the configuration record stores
// ("C:\QUIROVEL\Quirovel.dat", "C:\quirovel\trabajo\fallos.dat") onto the
// installation's root directory, resolving each component without regard to
// case, as Windows would.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quirovel {

class HostPaths {
 public:
  HostPaths(FileSystem& fs, std::string root);

  const std::string& root() const { return root_; }

  // A stored path (Windows-1252) in host form (UTF-8 names). "C:\..." (either
  // case of c, "\" or "/") and "\..." land under the root, ".." never above
  // it; any other text is a host path.
  std::string ToHost(std::string_view stored) const;

  // A host path in stored form: "C:\..." when it lies under the root, in
  // Windows-1252. See FitsStoredText for names that have no such form.
  std::string ToStored(std::string_view host) const;

  // The root in effect: --root, else $QUIROVEL_ROOT, else $XDG_DATA_HOME/quirovel,
  // else ~/.local/share/quirovel. An empty option means "not given".
  static std::string DefaultRoot(std::string_view option);

 private:
  FileSystem& fs_;
  std::string root_;
};

// True for texts of the form "X:..." with X a letter.
bool HasDriveLetter(std::string_view path);

// True when a host path (UTF-8) can be stored in Windows-1252 and read back.
bool FitsStoredText(std::string_view host);

}  // namespace quirovel
