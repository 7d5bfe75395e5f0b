#include "detection/error_grouping.h"

#include <algorithm>
#include <string>
#include <vector>

#include "detection/report_text.h"
#include "detection/sort_entry_index.h"
#include "output/output_path.h"
#include "output/progress_tracker.h"
#include "output/report_file.h"
#include "output/report_heading.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"
#include "validation/error_log_reader.h"

namespace quirovel {
namespace {

constexpr char kFormFeed = 12;

// The texts of the grouped entries, each ended by a zero byte, in one block:
// thousands of short texts without an allocation each.
class TextArena {
 public:
  struct Ref {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
  };
  void Reserve(std::size_t bytes) { bytes_.reserve(bytes); }
  Ref Add(std::string_view text) {
    Ref ref{static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(text.size())};
    bytes_.append(text);
    bytes_.push_back('\0');
    return ref;
  }
  // Valid once every text has been added.
  const char* CStr(Ref ref) const { return bytes_.data() + ref.at; }
  std::string_view View(Ref ref) const { return {bytes_.data() + ref.at, ref.size}; }

 private:
  std::string bytes_;
};

// One log entry with the texts of its episode that the reports print. They
// are read once, while the keys are built, so the walk in sorted order does
// not jump about the table.
struct GroupedEntry {
  ErrorLogReader::Bytes bytes{};
  TextArena::Ref type_key;  // the error number text
  TextArena::Ref servalt;   // raw texts; empty when the table lacks the field
  TextArena::Ref fecalt;
  TextArena::Ref historia;
  std::array<TextArena::Ref, 4> slot_texts;
};

std::string ErrorTextOf(const GroupedEntry& e, const TextArena& texts) {
  int number = ErrorEntry::Decode(e.bytes.data()).error;
  if (number >= 1 && number <= kCatalogueSize) return std::string(ErrorText(number));
  return StrFormat("E??? Error desconocido (%s)", texts.CStr(e.type_key));
}

// The entry's field texts, taken from the table's current record.
void TakeTexts(Session& s, GroupedEntry* e, bool readable, TextArena* texts) {
  auto text = [&](std::uint32_t f) {
    if (!readable || f < 1 || f > static_cast<std::uint32_t>(kCmbdFieldCount))
      return texts->Add({});
    return texts->Add(CView(CmbdFieldText(s, static_cast<int>(f))));
  };
  e->servalt = text(SERVALT);
  e->fecalt = text(FECALT);
  e->historia = text(HISTORIA);
  for (int slot = 0; slot < 4; ++slot)
    e->slot_texts[static_cast<std::size_t>(slot)] = text(EntryFieldSlot(e->bytes, slot));
}

// "%5s%-2s%s" of SERVALT (a blank when the table has none), the error number
// text and FECALT (a blank when the table has none).
std::string ServiceKey(std::string_view servalt, std::string_view type_key,
                       std::string_view fecalt) {
  std::string key;
  key.reserve(16);
  if (servalt.size() < 5) key.append(5 - servalt.size(), ' ');
  key.append(servalt);
  key.append(type_key);
  if (type_key.size() < 2) key.append(2 - type_key.size(), ' ');
  key.append(fecalt);
  return key;
}

void WriteSlotColumns(ReportFile& out, const GroupedEntry& e) {
  for (int slot = 0; slot < 4; ++slot) {
    std::uint32_t f = EntryFieldSlot(e.bytes, slot);
    if (f == 0) continue;
    if (IsCmbdCodeField(f))
      out.WriteFormatted("%13s ", "Diagnost/Proc");
    else
      out.WriteFormatted("%11s ", std::string(CmbdFieldName(f)).c_str());
  }
}

// "%*s" and "%-*s": a text padded with blanks to at least `width`, never cut.
void AppendRight(std::string& line, std::string_view text, std::size_t width) {
  if (text.size() < width) line.append(width - text.size(), ' ');
  line.append(text);
}

void AppendLeft(std::string& line, std::string_view text, std::size_t width) {
  line.append(text);
  if (text.size() < width) line.append(width - text.size(), ' ');
}

// "%-6s=%6s " of a code field's name and text, "%11s " of any other field's text.
void AppendSlotValues(std::string& line, const GroupedEntry& e, const TextArena& texts) {
  for (int slot = 0; slot < 4; ++slot) {
    std::uint32_t f = EntryFieldSlot(e.bytes, slot);
    if (f == 0) continue;
    const std::string_view text = texts.View(e.slot_texts[static_cast<std::size_t>(slot)]);
    if (IsCmbdCodeField(f)) {
      AppendLeft(line, CmbdFieldName(f), 6);
      line.push_back('=');
      AppendRight(line, text, 6);
    } else {
      AppendRight(line, text, 11);
    }
    line.push_back(' ');
  }
}

enum class Grouping { kByType, kByServiceAndType };

// The entries that take part, with their sort keys.
struct GroupedEntries {
  std::vector<GroupedEntry> entries;
  std::vector<std::string> keys;
  TextArena texts;
  bool incomplete = false;  // an entry or an episode could not be read (and was said)
};

// Reads log entries 1..n and their episodes. The log may hold fewer entries
// than the stored count (a log removed or cut by hand): the entries it does
// hold are grouped, and the total says so. Returns how many were read.
std::int32_t ReadEntries(Session& s, ErrorLogReader& log, std::int32_t n, Grouping grouping,
                         GroupedEntries* g) {
  // A stored count larger than the log (a damaged record) reserves no more
  // than the entries there are.
  const auto room = static_cast<std::size_t>(std::min<std::int64_t>(n, log.HeldEntries()));
  g->entries.reserve(room);
  g->keys.reserve(room);
  g->texts.Reserve(room * 64);  // seven short texts per entry
  const bool has_servalt = s.field_map.Present(SERVALT);
  const bool has_fecalt = s.field_map.Present(FECALT);
  bool told_unreadable = false;
  std::int64_t last_record = 0;
  for (std::int32_t i = 0; i < n; ++i) {
    if ((i & 1023) == 0 && s.feedback.StopRequested()) return i;
    GroupedEntry e;
    if (!log.Read(i + 1, &e.bytes)) {
      s.feedback.Message("error lectura errores");
      g->incomplete = true;
      return i;
    }
    const std::string type_key = ErrorNumberText(e.bytes);
    e.type_key = g->texts.Add(type_key);
    // An episode that cannot be read shows empty texts, said once.
    const std::int64_t record = EntryRecordNumber(e.bytes);
    bool readable = ReadRecordAfter(s.table, last_record, record) == 0;
    last_record = record;
    if (!readable) g->incomplete = true;
    if (!readable && !told_unreadable) {
      s.feedback.Message("ERROR AL LEER FICHERO CMBD");
      told_unreadable = true;
    }
    TakeTexts(s, &e, readable, &g->texts);
    g->keys.push_back(grouping == Grouping::kByServiceAndType
                          ? ServiceKey(has_servalt ? g->texts.View(e.servalt) : " ", type_key,
                                       has_fecalt ? g->texts.View(e.fecalt) : " ")
                          : type_key);
    g->entries.push_back(e);
  }
  return n;
}

// Writes the groups of the sorted entries: a heading per type (and, by
// service, a page per service), a line per entry, a total per group.
void WriteGroups(Session& s, ReportFile& out, const GroupedEntries& g,
                 const std::vector<std::int32_t>& index, std::int32_t n, Grouping grouping,
                 ProgressTracker& progress) {
  const bool by_service = grouping == Grouping::kByServiceAndType;
  const TextArena& texts = g.texts;
  std::string current_key;
  std::string current_service;
  std::string group_text;  // error text of the open group
  std::int32_t lines = 0;
  std::string line;
  auto write_total = [&]() {
    if (by_service)
      out.WriteFormatted(
          "       - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -\n"
          "       Total errores %s=%d\n\n",
          group_text.c_str(), lines);
    else
      out.WriteFormatted(
          "     - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -\n"
          "     Total errores %s=%d\n\n\n",
          group_text.c_str(), lines);
  };

  for (std::int32_t i = 0; i < n; ++i) {
    if ((i & 1023) == 0 && s.feedback.StopRequested()) return;
    progress.Step(n + i);
    const GroupedEntry& e = g.entries[static_cast<std::size_t>(index[static_cast<std::size_t>(i)])];
    const std::string_view servalt = texts.View(e.servalt);
    const bool new_service = by_service && servalt != current_service;
    if (texts.View(e.type_key) != current_key || new_service) {
      if (by_service) {
        if (lines > 0) write_total();
        if (new_service) {
          // Each service starts a printed page with the heading and its title.
          if (lines > 0) out.WriteFormatted("%c\n", kFormFeed);
          ReportHeading(out, s.config);
          current_service = servalt;
          out.WriteFormatted(
              "^N%s\n=============================================================================="
              "==\n",
              s.references.services.ServiceName(current_service).c_str());
        }
        out.WriteFormatted("  %s\n       SERVICIO HISTORIA        ALTA     ",
                           ErrorTextOf(e, texts).c_str());
        WriteSlotColumns(out, e);
        out.Write(
            "\n       ------------------------------------------------------------------------\n");
      } else {
        if (!current_key.empty()) write_total();
        out.WriteFormatted("%s\n     HISTORIA        ALTA     ", ErrorTextOf(e, texts).c_str());
        WriteSlotColumns(out, e);
        out.Write(
            "\n     --------------------------------------------------------------------------\n");
      }
      current_key = texts.View(e.type_key);
      group_text = ErrorTextOf(e, texts);
      lines = 0;
    }
    // One line per entry, put together by hand: thousands of them.
    line.clear();
    if (by_service) {
      line.append(7, ' ');
      AppendRight(line, texts.View(e.servalt), 8);
      line.push_back(' ');
    } else {
      line.append(5, ' ');
    }
    line.append(texts.View(e.historia));
    line.push_back(' ');
    char date[10];
    DisplayDateInto(texts.View(e.fecalt), date);
    line.append(date, 10);
    line.append(2, ' ');
    AppendSlotValues(line, e, texts);
    line.push_back('\n');
    out.Write(line);
    ++lines;
  }
  if (n > 0) write_total();
  out.WriteFormatted("\n TOTAL Errores procesados = %d\n", n);
}

bool Group(Session& s, Grouping grouping) {
  const bool by_service = grouping == Grouping::kByServiceAndType;
  const char* report_name = by_service ? "erragrserv.txt" : "erragr.txt";
  s.feedback.ShowStatus("Ordenando Errores...");

  std::int32_t n = s.config.ErrorCount();
  if (n < 0) n = 0;
  if (n > kMaxGroupedErrors) {
    s.feedback.Message(
        StrFormat("Atención: El programa está diseñado para ordenar un máximo de %d errores"_cp,
                  kMaxGroupedErrors));
    n = kMaxGroupedErrors;
  }

  ReportFile out;
  if (!out.Create(s.fs, OutputHostPath(s, report_name))) {
    s.feedback.Message(StrFormat("Error al abrir %s", report_name));
    return false;
  }
  if (!by_service) ReportHeading(out, s.config);

  ErrorLogReader log;
  if (!log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    s.feedback.Message("error al abrir fallos.dat");
    out.Abandon();  // the last report grouped stays as it was
    return false;
  }

  ProgressTracker progress(s.feedback);
  progress.Start(2L * n);
  s.table.Close();
  s.table.Open(s.paths.ToHost(s.config.CurrentPath()));
  AnalyseStructure(s);

  GroupedEntries grouped;
  n = ReadEntries(s, log, n, grouping, &grouped);
  if (!s.feedback.StopRequested()) {
    std::vector<std::int32_t> index(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) {
      index[static_cast<std::size_t>(i)] = i;
      progress.Step(i);
    }
    SortEntryIndex(index, n, grouped.keys);
    WriteGroups(s, out, grouped, index, n, grouping, progress);
  }
  log.Close();
  if (s.feedback.StopRequested()) {
    // Half a report would pass for the whole: none is left.
    out.Discard();
    s.feedback.ShowStatus(StrFormat("%s no generado: cancelado", report_name));
    return false;
  }
  progress.Finish();
  if (!out.Close()) {
    s.feedback.Message(StrFormat("Error al escribir %s", report_name));
    return false;
  }
  // The report is whole, but what it could not read is missing from it.
  return !grouped.incomplete;
}

}  // namespace

bool GroupByType(Session& s) { return Group(s, Grouping::kByType); }

bool GroupByServiceAndType(Session& s) { return Group(s, Grouping::kByServiceAndType); }

}  // namespace quirovel
