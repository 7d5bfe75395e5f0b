// Page "Campos erroneos" without its widgets: the errors of the last
// detection run shown one at a time with the episode each belongs to. The
// page only mirrors this state (the "Error actual" field, the slider, the
// search buttons, the type list, the field boxes and their colours) and
// calls these operations.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "validation/cmbd_layout.h"
#include "validation/error_entry.h"

namespace quirovel {

struct Session;
class ConfigRecord;

// "Busca mismo": stepping visits every error, or only those of the type or
// of the service (SERVALT) of the error shown.
enum class SearchMode { kNone, kType, kService };

// The last entry of the error type list, for a record shown without an error.
inline constexpr int kRecordEntry = 72;
inline constexpr const char* kRecordEntryText = "Registro CMBD";

enum class BoxColour : unsigned char {
  kNormal,  // the configured colour of the field's group
  kAbsent,  // the table lacks the field: grey
  kError,   // named by the error shown: yellow
  kPlain,   // a record shown without an error: white
};

struct Rgb {
  int red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kAbsentColour{0xC0, 0xC0, 0xC0};
inline constexpr Rgb kErrorColour{0xFF, 0xFF, 0x00};
inline constexpr Rgb kPlainColour{0xFF, 0xFF, 0xFF};

// The normal colour of field k's box: the configured base colour plus the
// gradient step once for every group of fields before k's (identification,
// admission and discharge, diagnoses, procedures, delivery and stays), each
// part kept within 0..255.
int FieldGroup(int k);
Rgb NormalBoxColour(const ConfigRecord& config, int k);
Rgb BoxRgb(const ConfigRecord& config, int k, BoxColour colour);

// What the page shows of one record.
struct ShownRecord {
  std::int64_t record = 0;  // 0 before any record is shown
  // [k] for field k: its text, dates as DD/MM/AAAA, a single blank when the
  // table lacks the field.
  std::array<std::string, kCmbdFieldCount + 1> boxes;
  std::array<bool, kCmbdFieldCount + 1> present{};
  std::string age;  // "DD/MM/AAAA 34 a " or, in the first year, "DD/MM/AAAA 7 m "
  std::string historia;
};

class ErrorBrowser {
 public:
  explicit ErrorBrowser(Session& s) : s_(s) {}

  // Errors of the last run: valid indexes are 0 .. error_count() - 1.
  std::int64_t error_count() const;
  // The current error index ("Error actual"), 0-based: entry index + 1 of the log.
  std::int64_t current() const { return current_; }
  void set_current(std::int64_t index) { current_ = index; }
  SearchMode mode() const { return mode_; }
  void set_mode(SearchMode mode) { mode_ = mode; }
  // The type list's selection: 1..71, kRecordEntry, 0 for none.
  int selected_type() const { return selected_type_; }
  int current_type() const { return current_type_; }
  const std::string& current_service() const { return current_service_; }
  const ShownRecord& shown() const { return shown_; }
  BoxColour colour(int k) const { return colours_[static_cast<std::size_t>(k)]; }
  // The error shown last (its fields name the yellow boxes).
  const ErrorEntry& entry() const { return entry_; }

  // Reads record n and fills the boxes and the age; the record's SERVALT
  // becomes the current service. False after "ERROR AL LEER FICHERO CMBD".
  bool ShowRecord(std::int64_t n);
  // Steps -1, 0 or +1 from the current error, within the search mode. False,
  // after the message that says why, when no error was shown.
  bool ShowError(int step);
  // The slider: the index becomes its position, the search mode none, and
  // the error there is shown.
  bool MoveTo(std::int64_t position);
  // The type list: the first error of that type, or a message with the
  // error's text captioned "No Encontrado" and nothing changed.
  bool FindFirst(int error);

  // A jump request left by another page: an error index ("17") or a record
  // ("@1234"). Activate takes it.
  void Request(std::string_view request) { request_ = std::string(request); }
  // The page comes to the front: a waiting request is shown, else the
  // current error when nothing is shown yet, or when the error shown belongs
  // to a run or a file that is no longer the last one.
  void Activate();

  // What the last ShowError read of the log: bytes and entries.
  std::uint64_t log_bytes_read() const { return log_bytes_read_; }
  std::int64_t entries_read() const { return entries_read_; }

 private:
  void ResetColours(BoxColour present);
  // What identifies the last run and its file.
  std::string RunStamp() const;

  Session& s_;
  std::int64_t current_ = 0;
  SearchMode mode_ = SearchMode::kNone;
  int selected_type_ = 0;
  int current_type_ = 0;
  std::string current_service_;
  ShownRecord shown_;
  std::array<BoxColour, kCmbdFieldCount + 1> colours_{};
  ErrorEntry entry_;
  std::string request_;
  std::string shown_run_;  // RunStamp() of the error shown
  std::uint64_t log_bytes_read_ = 0;
  std::int64_t entries_read_ = 0;
};

// A jump request: true with the record number for "@N", false with the error
// index for a plain number. Anything else is no request (-1).
bool ParseBrowseRequest(std::string_view request, bool* is_record, std::int64_t* number);

}  // namespace quirovel
