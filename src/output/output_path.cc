#include "output/output_path.h"

namespace quirovel {

std::string OutputPath(const ConfigRecord& config, std::string_view name) {
  return config.WorkDirectory() + "\\" + std::string(name);
}

std::string OutputHostPath(const ConfigRecord& config, const HostPaths& paths,
                           std::string_view name) {
  const std::string directory = config.WorkDirectory();
  // A blank directory gives "\name": the root of drive C:, never the host's.
  if (directory.empty() || HasDriveLetter(directory)) return paths.ToHost(OutputPath(config, name));
  return paths.ToHost(directory + "/" + std::string(name));
}

}  // namespace quirovel
