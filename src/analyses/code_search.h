// The diagnosis and procedure search ("Buscar" of "Búsqueda de Diagnósticos y
// Procedimientos"): every episode of the current file whose code fields match
// a pattern of the search text and that meets the checked conditions, listed
// in "busqueda.txt" (one wide line per episode) and "busqueda2.txt" (two
// narrower lines), with the per-pattern counts, and optionally kept by record
// number for the episode table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analyses/code_search_patterns.h"

namespace quirovel {

struct Session;

inline constexpr std::size_t kMaxSearchText = 1989;
inline constexpr std::size_t kMaxKeptEpisodes = 30000;

// The eight conditions of the dialog, each switched on by its check box and
// tested in this order. Dates are AAAAMMDD texts; the edit fields are texts as
// typed; the chosen values of the lists are their numbers.
struct SearchConditions {
  bool discharge = false;  // "Alta"
  std::string discharge_from, discharge_to;
  bool service = false;  // "Servicio": the numeric value of the service's code
  long service_value = 0;
  bool sex = false;  // "Sexo": 1, 2, 3 or 9
  long sex_value = 0;
  bool age = false;  // "Edad": two fields of at most 3 characters
  std::string age_low, age_high;
  bool admission_type = false;  // "Tiping": 1, 2 or 3
  long admission_type_value = 0;
  bool residence = false;  // "Residencia": at most 5 characters
  std::string residence_text;
  bool discharge_type = false;  // "Tipo Alta": 1 to 9
  long discharge_type_value = 0;
  bool admission = false;  // "Ingreso"
  std::string admission_from, admission_to;

  bool AnyChecked() const {
    return discharge || service || sex || age || admission_type || residence || discharge_type ||
           admission;
  }
};

struct SearchRequest {
  std::string text;  // the search text; only its first 1989 characters count
  SearchConditions conditions;
  bool keep_episodes = false;  // "Reflejar Episodios en Pestaña"
};

enum class SearchEnd {
  kNoPatterns,  // the text holds no pattern: nothing was searched
  kNoReport,    // a report could not be created: nothing was searched
  kNoTable,     // the current file could not be opened: the last reports stay
  kCompleted,   // the whole file was searched
  kUnreadable,  // a record could not be read: the search ended before it
  kStopped,     // a stop was requested: both reports were removed
  kNotWritten,  // a report could not be written whole: the last one stays
};

struct SearchResult {
  SearchEnd end = SearchEnd::kNoPatterns;
  PatternList patterns;  // with their frequencies and episodes
  std::int32_t matches = 0;
  std::int64_t record_count = 0;
  long smallest_discharge = 20500101;  // FECALT of every record read, as numbers
  long largest_discharge = 1;
  std::vector<std::int64_t> kept;  // record numbers, at most 30000
};

// The report lines of one matching episode.
struct SearchLines {
  std::string wide;    // "busqueda.txt"
  std::string narrow;  // "busqueda2.txt"
};

// "Limpia": the search text emptied and the eight boxes unchecked; the chosen
// values stay.
void ClearSearch(SearchRequest* request);

// Whether the decoded episode of s meets the checked conditions, in order.
bool MeetsConditions(const Session& s, const SearchConditions& c);

// The test of the current episode of s: the conditions, then every code field
// against every pattern (counting frequencies and episodes). True for a match,
// with its report lines in *lines.
bool MatchEpisode(const Session& s, const SearchConditions& c, PatternList* patterns,
                  SearchLines* lines);

// The whole search over the current file.
SearchResult SearchEpisodes(Session& s, const SearchRequest& request);

// The choice lists of the dialog (shown text, value); each list also begins
// with an empty entry of value 0.
struct ChoiceEntry {
  std::string_view text;  // Windows-1252
  int value;
};
const std::vector<ChoiceEntry>& SexChoices();
const std::vector<ChoiceEntry>& AdmissionTypeChoices();
const std::vector<ChoiceEntry>& DischargeTypeChoices();

}  // namespace quirovel
