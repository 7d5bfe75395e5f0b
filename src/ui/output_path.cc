#include "ui/output_path.h"

#include "app/session.h"

namespace quirovel {

std::string OutputPath(const Session& s, std::string_view name) {
  return s.config.WorkDirectory() + "\\" + std::string(name);
}

std::string OutputHostPath(const Session& s, std::string_view name) {
  const std::string directory = s.config.WorkDirectory();
  if (HasDriveLetter(directory)) return s.paths.ToHost(OutputPath(s, name));
  return directory + "/" + std::string(name);
}

}  // namespace quirovel
