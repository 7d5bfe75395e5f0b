#include "ui/error_browser.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/session.h"
#include "storage/dates.h"
#include "ui/error_log_stepper.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr const char* kNoMore = "No hay mas errores";

std::string FieldView(const Session& s, int k) { return std::string(CView(CmbdFieldText(s, k))); }

}  // namespace

int FieldGroup(int k) {
  if (k <= OCUPACION) return 0;
  if (k <= TRASH) return 1;
  if (k <= CE4) return 2;
  if (k <= P15) return 3;
  return 4;
}

Rgb NormalBoxColour(const ConfigRecord& config, int k) {
  const int g = FieldGroup(k);
  auto part = [&](int c) {
    return std::clamp(config.FieldColour(c) + g * config.ColourStep(c), 0, 255);
  };
  return {part(0), part(1), part(2)};
}

Rgb BoxRgb(const ConfigRecord& config, int k, BoxColour colour) {
  switch (colour) {
    case BoxColour::kAbsent:
      return kAbsentColour;
    case BoxColour::kError:
      return kErrorColour;
    case BoxColour::kPlain:
      return kPlainColour;
    case BoxColour::kNormal:
      break;
  }
  return NormalBoxColour(config, k);
}

bool ParseBrowseRequest(std::string_view request, bool* is_record, std::int64_t* number) {
  *is_record = !request.empty() && request[0] == '@';
  if (*is_record) request.remove_prefix(1);
  *number = -1;
  if (request.empty() || request.size() > 10 ||
      request.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  std::int64_t n = 0;
  for (char c : request) n = n * 10 + (c - '0');
  *number = n;
  return true;
}

std::string ErrorBrowser::RunStamp() const {
  return StrFormat("%d|%lld|", s_.config.ErrorCount(), static_cast<long long>(s_.run.EndTime)) +
         s_.config.LastRunDate() + "|" + s_.config.CurrentPath();
}

std::int64_t ErrorBrowser::error_count() const { return std::max(0, s_.config.ErrorCount()); }

void ErrorBrowser::ResetColours(BoxColour present) {
  for (int k = 1; k <= kCmbdFieldCount; ++k)
    colours_[static_cast<std::size_t>(k)] =
        shown_.present[static_cast<std::size_t>(k)] ? present : BoxColour::kAbsent;
}

bool ErrorBrowser::ShowRecord(std::int64_t n) {
  if (n < 1 || !s_.table.is_open() || s_.table.ReadRecord(n) != 0) {
    s_.feedback.Message("ERROR AL LEER FICHERO CMBD");
    return false;
  }
  DecodeRecord(s_);
  shown_.record = n;
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    const auto at = static_cast<std::size_t>(k);
    const bool present = s_.field_map.Present(k);
    shown_.present[at] = present;
    std::string text = present ? FieldView(s_, k) : std::string(1, ' ');
    if (present && s_.table.Descriptor(s_.field_map.TableField(k)).type == 'D')
      text = DisplayDate(text);
    shown_.boxes[at].swap(text);
  }
  const std::string born = DisplayDate(FieldView(s_, FECNAC));
  shown_.age = s_.record.AgeYears == 0 ? StrFormat("%s %d m ", born.c_str(), s_.record.AgeMonths)
                                       : StrFormat("%s %d a ", born.c_str(), s_.record.AgeYears);
  shown_.historia = FieldView(s_, HISTORIA);
  current_service_ = FieldView(s_, SERVALT);
  return true;
}

bool ErrorBrowser::ShowError(int step) {
  log_bytes_read_ = 0;
  entries_read_ = 0;
  ErrorLogStepper log;
  if (!log.Open(s_.fs, OutputHostPath(s_, "fallos.dat"))) {
    s_.feedback.Message("error al abrir fallos.dat");
    return false;
  }
  const std::int64_t count = error_count();
  const std::int64_t start = current_;
  std::int64_t i = start;
  EntryBytes bytes{};
  auto read = [&](std::int64_t index) {
    ++entries_read_;
    const bool ok = log.Read(index + 1, &bytes);
    log_bytes_read_ = log.bytes_read();
    return ok;
  };
  if (step != 0 && mode_ != SearchMode::kNone) {
    bool found = false;
    // Before any error is shown there is no type to look for: nothing to read.
    const bool hopeless = mode_ == SearchMode::kType && (current_type_ < 1 || current_type_ > 71);
    while (!found && !hopeless) {
      i += step;
      if (i < 0 || i >= count || !read(i)) break;
      if (mode_ == SearchMode::kType) {
        found = ErrorEntry::Decode(bytes.data()).error == current_type_;
      } else {
        // The search compares the services of the records themselves; an
        // unreadable record ends it.
        const std::string service = current_service_;
        if (!ShowRecord(EntryRecordNumber(bytes))) break;
        found = FieldView(s_, SERVALT) == service;
        current_service_ = service;
      }
    }
    if (!found) {
      i = start + step;
      s_.feedback.Message("No hay más: Siguiente error"_cp);
    }
  } else {
    i = start + step;
  }
  if (i < 0 || i >= count) {
    s_.feedback.Message(kNoMore);
    return false;
  }
  current_ = i;
  if (!read(i)) {
    s_.feedback.Message("error lectura errores");
    return false;
  }
  entry_ = ErrorEntry::Decode(bytes.data());
  shown_run_ = RunStamp();
  selected_type_ = entry_.error;
  const bool shown = ShowRecord(entry_.record);
  current_type_ = entry_.error;
  if (!shown) return false;
  ResetColours(BoxColour::kNormal);
  for (std::uint32_t k : {entry_.field, entry_.related1, entry_.related2})
    if (k >= 1 && k <= static_cast<std::uint32_t>(kCmbdFieldCount) &&
        shown_.present[static_cast<std::size_t>(k)])
      colours_[static_cast<std::size_t>(k)] = BoxColour::kError;
  return true;
}

bool ErrorBrowser::MoveTo(std::int64_t position) {
  current_ = position;
  mode_ = SearchMode::kNone;
  return ShowError(0);
}

bool ErrorBrowser::FindFirst(int error) {
  if (error < 1 || error > 71) return false;
  const std::int64_t index = current_;
  const int type = current_type_;
  const SearchMode mode = mode_;
  const std::int64_t count = error_count();
  // Searched quietly first: a type that never occurs changes nothing.
  std::int64_t found = -1;
  ErrorLogStepper log;
  if (!log.Open(s_.fs, OutputHostPath(s_, "fallos.dat"))) {
    s_.feedback.Message("error al abrir fallos.dat");
    return false;
  }
  EntryBytes bytes{};
  for (std::int64_t i = 0; i < count && found < 0 && log.Read(i + 1, &bytes); ++i)
    if (ErrorEntry::Decode(bytes.data()).error == error) found = i;
  if (found < 0) {
    s_.feedback.Message(ErrorText(error), "No Encontrado");
    current_ = index;
    current_type_ = type;
    return false;
  }
  current_ = found;
  mode_ = SearchMode::kNone;
  const bool shown = ShowError(0);
  mode_ = mode;
  return shown;
}

void ErrorBrowser::Activate() {
  bool is_record = false;
  std::int64_t number = -1;
  const bool requested = ParseBrowseRequest(request_, &is_record, &number);
  request_.clear();
  if (requested && is_record) {
    if (ShowRecord(number)) {
      ResetColours(BoxColour::kPlain);
      selected_type_ = kRecordEntry;
    }
    return;
  }
  if (requested) current_ = number;
  if (current_ > error_count() - 1 || current_ < 0) current_ = 0;
  // A requested error is shown even when another one was on the page, and
  // so is the current one after a new run.
  if (shown_.record == 0 || requested || shown_run_ != RunStamp()) ShowError(0);
}

}  // namespace quirovel
