// What "Epi" of the episode table shows: the labels of the coded values and
// the description of one episode (the "Episodio" dialog), as texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirovel {

struct Session;

// The label of a code of PROCEDEN, SEXO (and SEXO1N..SEXO3N), REGFIN, TIPING
// or TIPALT; empty for any other field or a code not in its table. The
// tooltip variant differs in three texts.
std::string_view CodedValueLabel(int field, long code, bool tooltip = false);

// The label of the current record's value of the field, in the variant of
// the episode description; empty when the table lacks the field.
std::string_view CodeLabel(const Session& s, int field);

struct DescriptionRoot {
  std::string text;
  std::vector<std::string> children;  // the root is shown expanded
};

struct EpisodeDescription {
  std::string caption;                 // "Hª %s  "
  std::vector<DescriptionRoot> roots;  // "Episodio ...", "Diagnosticos", "Procedimientos"
};

// Reads the record and describes it; nothing (no roots) when it cannot be read.
EpisodeDescription DescribeEpisode(Session& s, std::int64_t record);

}  // namespace quirovel
