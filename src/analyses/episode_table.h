// The table of page "Errores por Tipo/Servicio" as a model: whole episodes,
// 63 columns of raw CMBD-A field texts and a 64th that identifies the row,
// filled in one of four modes: the episodes kept by the code search, the
// uncoded discharges of one service, all discharges of one service, or the
// error-log entries of one error type or one service.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analyses/uncoded_histogram.h"
#include "validation/cmbd_layout.h"

namespace quirovel {

struct Session;

// The rows are kept as the episodes' record numbers (and log positions), 16
// bytes a row whatever the file's width; their texts are read back from the
// current table when they are shown, saved or drawn, as a list that shows a
// window of a long table reads only the rows in view.
class EpisodeTable {
 public:
  static constexpr int kColumns = kCmbdFieldCount + 1;
  static constexpr int kIdColumn = kCmbdFieldCount;

  // The field names of the layout, then "Id" for column 63.
  static std::string_view Header(int column);

  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  // "@%ld" of the record number for an episode row, "%d" of the entry's
  // position in the log, from 0, for an error row.
  std::string Id(std::size_t row) const;
  // The episode's record number (for an error row, that of its entry).
  std::int64_t Record(std::size_t row) const { return rows_[row].record; }
  bool IsErrorRow(std::size_t row) const { return rows_[row].entry >= 0; }
  // The entry's position in the log, -1 for an episode row.
  std::int64_t Entry(std::size_t row) const { return rows_[row].entry; }

  void Clear() { rows_.clear(); }
  void Add(std::int64_t record, std::int64_t entry = -1) { rows_.push_back({record, entry}); }

 private:
  struct Row {
    std::int64_t record = 0;
    std::int64_t entry = -1;  // position in the log, -1 for an episode row
  };
  std::vector<Row> rows_;
};

// Reads the row's episode into the current table's record buffer; false when
// it cannot be read.
bool LoadRow(Session& s, const EpisodeTable& table, std::size_t row);
// Column 0..62 of the loaded row: the raw text of field column + 1 as stored
// (empty when the file lacks it); column 63: its Id.
std::string_view RowField(const Session& s, int column);
std::string RowText(const Session& s, const EpisodeTable& table, std::size_t row, int column);

enum class EpisodeTableMode {
  kSearchResult,         // the record numbers kept by the code search
  kUncodedOfService,     // double click on the summary
  kDischargesOfService,  // right double click on the summary
  kErrors,               // the error type or service filter
};

struct EpisodeQuery {
  EpisodeTableMode mode = EpisodeTableMode::kErrors;
  std::vector<std::int64_t> records;  // kSearchResult
  std::string service_code;           // the two service modes: the code as tallied
  std::string type_filter;            // kErrors: "%2d" of an error number, or empty
  std::string service_filter;         // kErrors: "%d" of a service's value, or empty
};

struct EpisodeTableCounts {
  std::int64_t rows = 0;              // "Errores encontrados"
  std::int64_t service_episodes = 0;  // "Altas que se han producido en el servicio"
  std::string service_name;           // the two service modes
  bool stopped = false;
  bool incomplete = false;  // a record or the log could not be read
};

// "%2d" of an error number, as the type filter holds it.
std::string TypeFilter(int error_number);
// "%d" of a service code's value, as the service filter holds it.
std::string ServiceFilter(std::string_view service_code);

// Empties the table and fills it in the query's mode.
EpisodeTableCounts SearchEpisodes(Session& s, const EpisodeQuery& query, EpisodeTable* table);

// The admissions graph ("Gr"): the rows counted by their FECING (column 11).
UncodedHistogram AdmissionsHistogram(Session& s, const EpisodeTable& table);
// The same over every episode of the current file; false when a stop was requested.
bool FileAdmissionsHistogram(Session& s, UncodedHistogram* histogram);

}  // namespace quirovel
