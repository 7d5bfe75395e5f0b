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
class DbfTable;
struct FieldMap;

class EpisodeTable {
 public:
  static constexpr int kColumns = kCmbdFieldCount + 1;
  static constexpr int kIdColumn = kCmbdFieldCount;

  // The field names of the layout, then "Id" for column 63.
  static std::string_view Header(int column);

  std::size_t size() const { return ids_.size(); }
  bool empty() const { return ids_.empty(); }
  // Column 0..62: the raw text of field column + 1 as stored (empty when the
  // file lacks it); column 63: "@%ld" of the record number for an episode row,
  // "%d" of the entry's position in the log, from 0, for an error row.
  std::string_view Field(std::size_t row, int column) const;
  std::string Id(std::size_t row) const;
  std::string Text(std::size_t row, int column) const;
  // The episode's record number (for an error row, that of its entry).
  std::int64_t Record(std::size_t row) const { return ids_[row].record; }
  bool IsErrorRow(std::size_t row) const { return ids_[row].entry >= 0; }

  void Clear();
  // Takes the field widths of the current table: every row added after it
  // comes from that table.
  void Start(const FieldMap& map);
  // Adds the record in the table's buffer.
  void AddRow(const DbfTable& table, const FieldMap& map, std::int64_t record,
              std::int64_t entry = -1);

 private:
  struct RowId {
    std::int64_t record = 0;
    std::int64_t entry = -1;  // position in the log, -1 for an episode row
  };
  std::array<std::uint32_t, kCmbdFieldCount + 1> offset_{};  // of column c in a row
  std::array<std::uint32_t, kCmbdFieldCount> width_{};
  std::size_t stride_ = 0;
  std::string texts_;  // every row's 63 texts back to back
  std::vector<RowId> ids_;
};

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
UncodedHistogram AdmissionsHistogram(const EpisodeTable& table, Feedback& feedback);
// The same over every episode of the current file; false when a stop was requested.
bool FileAdmissionsHistogram(Session& s, UncodedHistogram* histogram);

}  // namespace quirovel
