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

  // A stored path in host form. "C:\..." (either case of c, "\" or "/") lands
  // under the root; any other text is a host path and is returned as it stands.
  std::string ToHost(std::string_view stored) const;

  // A host path in stored form: "C:\..." when it lies under the root, else unchanged.
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

}  // namespace quirovel
