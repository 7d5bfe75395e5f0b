#include "analyses/readmissions_overlaps.h"

#include <algorithm>
#include <cstring>

#include "output/report_file.h"
#include "reference/reference_tables.h"

namespace quirovel {
namespace {

// Characters `at`..`at + 7` of a 17-character text (missing ones are zero
// bytes, as in a zero-padded buffer).
std::string Part(const std::string& text, std::size_t at) {
  std::string part(8, '\0');
  if (at < text.size()) text.copy(part.data(), std::min<std::size_t>(8, text.size() - at), at);
  return part;
}

// strncmp of two zero-padded 8-byte parts: byte by byte up to a zero byte.
int Compare8(const std::string& a, const std::string& b) {
  return std::strncmp(a.c_str(), b.c_str(), 8);
}

}  // namespace

std::size_t HistoryEpisodeList::Add(std::string_view fecalt, std::string_view fecing,
                                    std::string_view servalt) {
  Entry e;
  e.text.append(fecalt).append(" ").append(fecing);
  if (e.text.size() > 17) e.text.resize(17);
  e.fecalt = fecalt;
  e.fecing = fecing;
  e.servalt = servalt;
  entries_.push_back(std::move(e));
  return entries_.size();
}

long HistoryEpisodeList::WriteOverlaps(ReportFile& out, std::string_view history,
                                       const ServiceTable& services) const {
  if (entries_.size() < 2) return 0;
  std::vector<const Entry*> sorted;
  sorted.reserve(entries_.size());
  for (const Entry& e : entries_) sorted.push_back(&e);
  // By discharge date, then admission date; equal texts keep the walk's order.
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Entry* a, const Entry* b) { return a->text < b->text; });
  const std::string history_text(history);
  long overlaps = 0;
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    const Entry& previous = *sorted[i - 1];
    const Entry& current = *sorted[i];
    if (Compare8(Part(current.text, 9), Part(previous.text, 0)) >= 0) continue;
    out.WriteFormatted("%9s %-20.20s %8s %s -> %s, %s -> %8.8s Solapamiento\n",
                       history_text.c_str(), services.ServiceName(current.servalt).c_str(), " ",
                       previous.fecing.c_str(), previous.fecalt.c_str(), current.fecing.c_str(),
                       current.fecalt.c_str());
    ++overlaps;
  }
  return overlaps;
}

}  // namespace quirovel
