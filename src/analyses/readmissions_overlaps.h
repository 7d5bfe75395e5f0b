// The overlap check of the readmission analysis: the episodes of one history,
// as "FECALT FECING" texts of 17 characters, sorted, and each compared with
// the one before it: an admission before the previous discharge is an overlap.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quirovel {

class ReportFile;
class ServiceTable;

class HistoryEpisodeList {
 public:
  static constexpr std::size_t kMaxEpisodes = 101;

  void Clear() { entries_.clear(); }
  // Adds an episode; returns the episodes now listed.
  std::size_t Add(std::string_view fecalt, std::string_view fecing, std::string_view servalt);

  // Writes a "Solapamiento" line for every overlap of the listed episodes
  // (two at least) and returns how many. The service column names the
  // service of the later episode, the one admitted during the other's stay.
  long WriteOverlaps(ReportFile& out, std::string_view history, const ServiceTable& services) const;

 private:
  struct Entry {
    std::string text;  // FECALT, " ", FECING, cut to 17 characters
    std::string fecalt, fecing, servalt;
  };
  std::vector<Entry> entries_;
};

}  // namespace quirovel
