// What every report of the analyses tests starts with, and lines joined with
// the CR LF that reports end them with.
#pragma once

#include <string>
#include <vector>

namespace quirovel::testing {

inline std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

// The heading of the detection fixture's installation, times hidden by WithoutTimes.
inline const std::string kAnalysisHeading =
    Lines({"HOSPITAL DE PRUEBAS                                     DD/MM/AAAA HH:MM",
           std::string(79, '-'), "[C:\\Quirovel\\trabajo\\episodios.dbf]", ""});

}  // namespace quirovel::testing
