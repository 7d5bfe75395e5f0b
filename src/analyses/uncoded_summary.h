// Uncoded discharges ("Altas no codificadas"): every discharge service of the
// current file with its discharges, its uncoded discharges (C1 blank) and the
// errors of the last detection run, the list of uncoded discharges
// "altnocod.txt", the summary "altas.txt" and their spread over the days.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "analyses/uncoded_histogram.h"

namespace quirovel {

struct Session;
class ServiceTable;

inline constexpr std::size_t kMaxServiceTallies = 999;
inline constexpr std::size_t kMaxServiceCode = 15;

struct ServiceTally {
  std::string code;  // the raw SERVALT, at most 15 characters; " " when the file lacks it
  std::int32_t discharges = 0;
  std::int32_t uncoded = 0;
  std::int32_t errors = 0;
};

inline constexpr int kSummaryColumns = 7;
// "Código", "Servicio", "Frecuencia", "No codificado", "% Codificación",
// "Errores", "% Errores" (Windows-1252).
extern const std::array<std::string_view, kSummaryColumns> kSummaryHeaders;

struct UncodedSummary {
  std::vector<ServiceTally> rows;    // the list, in its current order
  std::int32_t last_run_errors = 0;  // the error count of the last run
  long smallest = 20500101;          // FECALT of the uncoded discharges
  long largest = 1;
  std::map<long, std::int32_t> uncoded_by_date;
  std::int64_t discharges_left_out = 0;  // of services past the 999th
  UncodedHistogram histogram;
  std::string text;         // "Altas: ... No Codificadas: ..."
  bool listed = false;      // "altnocod.txt" was written whole
  bool stopped = false;     // a stop was requested
  bool incomplete = false;  // a record or an error entry could not be read
};

// The first six characters of C1 are blanks (a table without C1 reads it as
// one blank, so none of its discharges is uncoded).
bool IsUncoded(std::string_view c1);
// The current record's discharge service as tallied: " " when the file lacks it.
std::string_view TallyCode(const Session& s);
std::string_view UncodedC1(const Session& s);

// "Resumen": the tally, "altnocod.txt", the sort by column 3 in `direction`
// (+1 or -1), the summary text, "altas.txt" and the histogram.
UncodedSummary BuildUncodedSummary(Session& s, int direction = 1);

// The histogram of the uncoded discharges alone, without the reports; false
// when a stop was requested.
bool UncodedDistribution(Session& s, UncodedHistogram* histogram);

// The seven texts of a row of the list.
std::array<std::string, kSummaryColumns> SummaryRowTexts(const ServiceTally& row,
                                                         const ServiceTable& services,
                                                         std::int32_t last_run_errors);
// Sorts the list by a column (0..6) in a direction (+1 or -1).
void SortSummary(UncodedSummary* summary, const ServiceTable& services, int column, int direction);
// "altas.txt" from the list in its current order; false after "Error al abrir
// fichero de altas.txt" (or when it could not be written whole).
bool WriteUncodedTotals(Session& s, const UncodedSummary& summary);

}  // namespace quirovel
