// PrintErrorTable: the rows come from the error log and the current file as
// the pages ask for them, so the table of a run of any size is printed in the
// memory of one page.
#include <cstdlib>

#include "analyses/episode_table.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "ui/report_pages.h"
#include "ui/report_printing.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"
#include "validation/error_log_reader.h"

namespace quirovel {
namespace {

constexpr const char* kDocumentName = "Impresión tipo error/servicio"_cp;

std::string FieldValue(const Session& s, std::uint32_t f) {
  return f >= 1 && f <= static_cast<std::uint32_t>(kCmbdFieldCount)
             ? std::string(CView(CmbdFieldText(s, static_cast<int>(f))))
             : std::string();
}

// The number of a key such as " 7" or "7"; 0 when it is not one.
long KeyNumber(std::string_view key) {
  const std::string text(key);
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  while (end && *end == ' ') ++end;
  return end && *end == '\0' && !text.empty() ? n : 0;
}

class ErrorTableRows final : public LineSource {
 public:
  ErrorTableRows(Session& s, ErrorTableMode mode, std::string key, std::int64_t count,
                 std::unique_ptr<ErrorLogReader> log)
      : s_(s), mode_(mode), key_(std::move(key)), count_(count), log_(std::move(log)) {}
  ~ErrorTableRows() override { log_->Close(); }

  bool Next(ReportLine* line) override {
    EntryBytes entry;
    while (k_ < count_) {
      ++k_;
      if ((k_ & 1023) == 0 && s_.feedback.StopRequested()) break;
      if (!log_->Read(k_, &entry)) {
        s_.feedback.Message("Error al leer");
        break;
      }
      if (mode_ == ErrorTableMode::kByType && ErrorNumberText(entry) != key_) continue;
      const std::int64_t record = EntryRecordNumber(entry);
      if (record < 1 || record > static_cast<std::int64_t>(s_.table.record_count()) ||
          s_.table.ReadRecord(record) != 0)
        continue;
      if (mode_ == ErrorTableMode::kByService && CView(CmbdFieldText(s_, SERVALT)) != key_)
        continue;
      line->text = Row(entry);
      line->continuation = false;
      return true;
    }
    k_ = count_;
    return false;
  }

 private:
  std::string Row(const EntryBytes& entry) const {
    std::string row = StrFormat(" %s ", FieldValue(s_, HISTORIA).c_str());
    row += StrFormat("%s ", DisplayShortDate(FieldValue(s_, FECALT)).c_str());
    if (mode_ == ErrorTableMode::kByType) {
      for (int slot = 0; slot < 4; ++slot) {
        const std::uint32_t f = EntryFieldSlot(entry, slot);
        if (f == 0) continue;
        row += IsCmbdCodeField(f) ? StrFormat("%-6s=%6s ", std::string(CmbdFieldName(f)).c_str(),
                                              FieldValue(s_, f).c_str())
                                  : StrFormat("%11s ", FieldValue(s_, f).c_str());
      }
      return row;
    }
    const int error = ErrorEntry::Decode(entry.data()).error;
    const std::string text =
        error >= 1 && error <= kCatalogueSize ? std::string(ErrorText(error)) : std::string();
    row += StrFormat("%-50.50s ", text.c_str());
    int shown = 0;
    for (int slot = 0; slot < 4 && shown < 2; ++slot) {
      const std::uint32_t f = EntryFieldSlot(entry, slot);
      if (f == 0) continue;
      row += StrFormat("%s=%s ", std::string(CmbdFieldName(f)).c_str(), FieldValue(s_, f).c_str());
      ++shown;
    }
    return row;
  }

  Session& s_;
  ErrorTableMode mode_;
  std::string key_;  // the error number text, or the service code text
  std::int64_t count_;
  std::unique_ptr<ErrorLogReader> log_;
  std::int64_t k_ = 0;
};

// The slot columns of the first entry of the type: "%13s " "Diagnost/Proc"
// for a code field, "%11s " with the field's name otherwise.
std::string TypeColumns(Session& s, ErrorLogReader& log, const std::string& type_text,
                        std::int64_t count) {
  EntryBytes entry;
  for (std::int64_t k = 1; k <= count; ++k) {
    if ((k & 1023) == 0 && s.feedback.StopRequested()) break;
    if (!log.Read(k, &entry)) {
      s.feedback.Message("Error al leer");
      break;
    }
    if (ErrorNumberText(entry) != type_text) continue;
    std::string columns;
    for (int slot = 0; slot < 4; ++slot) {
      const std::uint32_t f = EntryFieldSlot(entry, slot);
      if (f == 0) continue;
      columns += IsCmbdCodeField(f) ? StrFormat("%13s ", "Diagnost/Proc")
                                    : StrFormat("%11s ", std::string(CmbdFieldName(f)).c_str());
    }
    return columns;
  }
  return {};
}

// The service's name as the page's list shows it: the slot whose code has
// that value.
std::string ServiceListName(const Session& s, std::string_view key) {
  for (int i = 1; i < ServiceTable::kSlots; ++i) {
    const ServiceTable::Slot& slot = s.references.services.slot(i);
    if (slot.code.empty()) continue;
    if (ServiceFilter(slot.code) == key) return slot.name;
  }
  return std::string(key);
}

}  // namespace

bool PrintErrorTable(Session& s, ErrorTableMode mode, std::string_view key,
                     const PageGeometry& page, PrintJob* job) {
  std::string key_text;
  std::string band;
  std::string title;
  if (mode == ErrorTableMode::kByType) {
    const long number = KeyNumber(key);
    if (number < 1 || number > kCatalogueSize) return false;  // no type chosen
    key_text = StrFormat("%2ld", number);
    band = std::string(ErrorText(static_cast<int>(number)));
    title = "DETECCION de ERRORES del CMBDA: Errores por tipo";
  } else {
    if (KeyNumber(key) == 0 && key != "0") return false;  // no service chosen
    key_text = std::string(key);
    band = ServiceListName(s, key).substr(0, 29);
    title = "DETECCION de ERRORES del CMBDA: Errores por Servicio";
  }
  auto log = std::make_unique<ErrorLogReader>();
  if (!log->Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    s.feedback.Message("error al abrir fallos.dat");
    return false;
  }
  if (!ReopenCurrentTable(s)) {
    log->Close();
    return false;
  }
  const std::int64_t count = s.config.ErrorCount() > 0 ? s.config.ErrorCount() : 0;
  PageSettings settings;
  settings.frame = ReportFrame(s, title, band);
  const std::string columns =
      mode == ErrorTableMode::kByType ? TypeColumns(s, *log, key_text, count) : std::string();
  settings.frame.column_heading = StrFormat(" HISTORIA   ALTA   %s", columns.c_str());
  settings.geometry = page;
  settings.factors = ReportFactors(page, UsablePrinterScale(s.config.PrinterScale()), 1.0);
  job->document_name = kDocumentName;
  job->factors = settings.factors;
  job->pages = std::make_unique<ReportPages>(
      std::move(settings),
      std::make_unique<ErrorTableRows>(s, mode, key_text, count, std::move(log)));
  return true;
}

}  // namespace quirovel
