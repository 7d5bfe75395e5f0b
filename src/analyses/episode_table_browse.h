// What the pages that browse the episode table choose from and how they
// move through it: the service list (names carrying their codes' values),
// the type filter stepped by "<<" and ">>", the column "C1-P15" scrolls to,
// the order of the rows by any column, and the value of an entry of the
// search dialog's lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analyses/code_search.h"
#include "analyses/episode_table.h"

namespace quirovel {

struct Session;
class ServiceTable;

// A service offered for choice: every slot from 0 to 40 with a name, in slot
// order; the list shows the name and carries the numeric value of the code.
struct ServiceChoice {
  std::string name;  // Windows-1252
  std::string code;
  long value = 0;
};
std::vector<ServiceChoice> ServiceChoices(const ServiceTable& services);

// The type filter's error number after "<<" (-1) or ">>" (+1): never below 0
// (no type) nor above the last catalogue number.
int StepErrorNumber(int error_number, int step);

// The column of C1, where "C1-P15" scrolls the table to.
inline constexpr int kDiagnosisColumn = C1 - 1;

// Orders the rows by the column's text as stored (byte-wise; the Id column by
// the record or log position it names), keeping the order of equal rows.
// False, with the rows as they were, when a row could not be read or a stop
// was requested.
bool SortEpisodeTable(Session& s, int column, bool descending, EpisodeTable* table);

// The value of entry `index` of a dialog list that begins with the empty
// entry (value 0) before `choices`; 0 for an index outside the list.
long ChoiceValue(const std::vector<ChoiceEntry>& choices, int index);
long ChoiceValue(const std::vector<ServiceChoice>& choices, int index);

}  // namespace quirovel
