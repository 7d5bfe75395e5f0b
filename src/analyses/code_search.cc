#include "analyses/code_search.h"

#include "analyses/out_of_range_period.h"
#include "output/progress_tracker.h"
#include "output/report_file.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

constexpr const char* kWideHeading =
    "NHC         Cod1    Cod2    Cod3    Cod4    Cod5    Cod6    Cod7    Cod8    Cod9   Cod10  "
    "Cod11   Cod12   Cod13   Cod14   Cod15   CodE    CodE2   Proc1  Proc2  Proc3  Proc4  Proc5  "
    "Proc6  Proc7  Proc8  Proc9  Proc10 Proc11 Proc12 Proc13 Proc14 Proc15 Ser   F.Ingreso   "
    "F.Alta    Sex Edad";
constexpr const char* kWideDashes =
    "-------   ------- ------- ------- ------- ------- ------- ------- ------- ------- ------- "
    "------- ------- ------- ------- ------- ------- ------- ------ ------ ------ ------ ------ "
    "------ ------ ------ ------ ------ ------ ------ ------ ------ ------ ----- ---------- "
    "---------- --- ----";
constexpr const char* kWideClosingDashes =
    "-------   ------- ------- ------- ------- ------- ------- ------- ------- ------- ------"
    "- ------- ------- ------ ------ ------ ------ ------ ------ ------ ------ ------ ------ "
    "--- ---------- ---------- --- ----";
constexpr const char* kNarrowHeading =
    "NHC      C1/P1   C2/P2   C3/P3   C4/P4   C5/P5   C6/P6   C7/P7   C8/P8   C9/P9  C10/P10   "
    "CodE   CodE2  Ser   F.Ingres  F.Alta  Sex Edad";
constexpr const char* kNarrowDashes =
    "------- ------- ------- ------- ------- ------- ------- ------- ------- ------- ------- "
    "------- ------- ----- -------- -------- --- ----";

std::string_view Raw(const Session& s, int k) { return CView(CmbdFieldText(s, k)); }
long Number(const Session& s, int k) { return DecimalValue(Raw(s, k)); }

char At(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : ' '; }

// "DD/MM/AAAA", or "DD/MM/AA" with `short_year`, from the characters of an
// AAAAMMDD text; a character the text lacks is a blank.
std::string DateChars(std::string_view d, bool short_year) {
  std::string out{At(d, 6), At(d, 7), '/', At(d, 4), At(d, 5), '/'};
  if (!short_year) out += At(d, 0), out += At(d, 1);
  out += At(d, 2), out += At(d, 3);
  return out;
}

long AgeOf(const Session& s) { return (Number(s, FECING) - Number(s, FECNAC)) / 10000; }

bool InPeriod(long value, const std::string& from, const std::string& to) {
  return DecimalValue(from) <= value && value <= DecimalValue(to);
}

// The first five characters of both agree, a shorter text ending first.
bool SameResidence(std::string_view field, std::string_view text) {
  return field.substr(0, 5) == text.substr(0, 5);
}

void AppendPadded(std::string* out, std::string_view text, std::size_t width) {
  if (text.size() < width) out->append(width - text.size(), ' ');
  out->append(text);
}

// The lines of one matching episode; starred[i] for code field C1 + i.
void EpisodeLines(const Session& s, const std::array<bool, 34>& starred, SearchLines* lines) {
  const std::string_view servalt = Raw(s, SERVALT);
  const std::string_view fecing = Raw(s, FECING);
  const std::string_view fecalt = Raw(s, FECALT);
  const std::string tail_age = StrFormat("%3ld", AgeOf(s));
  std::string& wide = lines->wide;
  std::string& narrow = lines->narrow;
  AppendPadded(&wide, Raw(s, HISTORIA), 12);
  wide += ": ";
  AppendPadded(&narrow, Raw(s, HISTORIA), 12);
  for (int k = C1; k <= P15; ++k) {
    const std::string_view code = Raw(s, k);
    const char mark = starred[static_cast<std::size_t>(k - C1)] ? '*' : ' ';
    wide += mark;
    wide += code;
    wide += ' ';
    narrow += mark;
    AppendPadded(&narrow, code, 6);
    narrow += ' ';
    if (k == CE2) {
      AppendPadded(&narrow, servalt, 5);
      narrow += ' ' + DateChars(fecing, true) + ' ' + DateChars(fecalt, true) + "  ";
      narrow += Raw(s, SEXO);
      narrow += "  " + tail_age + "\n        ";
    }
  }
  narrow += '\n';
  AppendPadded(&wide, servalt, 5);
  wide += ' ' + DateChars(fecing, false) + ' ' + DateChars(fecalt, false) + "  ";
  wide += Raw(s, SEXO);
  wide += "  " + tail_age + "\n";
}

void WriteHeading(ReportFile& out, const Session& s, const std::string& text,
                  const SearchConditions& c, const char* heading, const char* dashes) {
  out.WriteFormatted("[%s] %s\n\nBúsqueda: %s\n\n\n"_cp, s.config.CurrentPath().c_str(),
                     s.config.HospitalName().c_str(), text.c_str());
  if (c.discharge)
    out.Write("  Alta  : " + DateChars(c.discharge_from, true) + " -> " +
              DateChars(c.discharge_to, true) + "\n");
  if (c.service) out.WriteFormatted("  Servic: %5s\n", std::to_string(c.service_value).c_str());
  if (c.sex) out.WriteFormatted("  Sexo  : %ld\n", c.sex_value);
  if (c.age)
    out.WriteFormatted("  Edad  : %3s -> %3s  años\n"_cp, c.age_low.c_str(), c.age_high.c_str());
  if (c.admission_type) out.WriteFormatted("  TipIng: %ld\n", c.admission_type_value);
  if (c.residence) out.WriteFormatted("  Reside: %s\n", c.residence_text.c_str());
  if (c.admission)
    out.Write("  Ingres: " + DateChars(c.admission_from, true) + " -> " +
              DateChars(c.admission_to, true) + "\n");
  if (c.discharge_type) out.WriteFormatted("  TipAlt: %ld\n\n", c.discharge_type_value);
  out.WriteFormatted("\n%s\n", heading);
  out.WriteFormatted("\n%s\n", dashes);
}

void WriteTotals(ReportFile& out, const SearchResult& r, bool period) {
  out.WriteFormatted(
      "Episodios: %5d de %5ld\n\nCodigos:              total episodios\n"
      "-------------------- ------ ---------\n",
      r.matches, static_cast<long>(r.record_count));
  for (const CodePattern& p : r.patterns) {
    if (p.range)
      out.WriteFormatted("  %-7s - %-7s :%6d %9d\n", p.LowShown().c_str(), p.HighShown().c_str(),
                         p.frequency, p.episodes);
    else
      out.WriteFormatted("  %-7s   %-7s :%6d %9d\n", p.LowShown().c_str(), " ", p.frequency,
                         p.episodes);
  }
  if (period)
    out.WriteFormatted("\n\nPeriodo analizado: %ld -> %ld", r.smallest_discharge,
                       r.largest_discharge);
}

long Today() { return DecimalValue(TodayDate()); }

}  // namespace

void ClearSearch(SearchRequest* request) {
  request->text.clear();
  SearchConditions& c = request->conditions;
  c.discharge = c.service = c.sex = c.age = c.admission_type = c.residence = c.discharge_type =
      c.admission = false;
}

bool MeetsConditions(const Session& s, const SearchConditions& c) {
  if (c.discharge && !InPeriod(Number(s, FECALT), c.discharge_from, c.discharge_to)) return false;
  if (c.service && Number(s, SERVALT) != c.service_value) return false;
  if (c.sex && Number(s, SEXO) != c.sex_value) return false;
  if (c.age) {
    const long age = AgeOf(s);
    if (age < DecimalValue(c.age_low) || age > DecimalValue(c.age_high)) return false;
  }
  if (c.admission_type && Number(s, TIPING) != c.admission_type_value) return false;
  if (c.residence && !SameResidence(Raw(s, RESIDE), c.residence_text)) return false;
  if (c.discharge_type && Number(s, TIPALT) != c.discharge_type_value) return false;
  if (c.admission && !InPeriod(Number(s, FECING), c.admission_from, c.admission_to)) return false;
  return true;
}

bool MatchEpisode(const Session& s, const SearchConditions& c, PatternList* patterns,
                  SearchLines* lines) {
  if (c.AnyChecked() && !MeetsConditions(s, c)) return false;
  for (CodePattern& p : *patterns) p.pending = true;
  // A field is marked in the lines when it matched a pattern: the code it
  // holds is among the codes found.
  std::array<bool, 34> starred{};
  bool any = false;
  for (int k = C1; k <= P15; ++k) {
    if (!s.field_map.Present(k)) continue;
    const std::string_view code = Raw(s, k);
    if (code.empty() || code[0] == ' ') continue;  // matches no pattern
    const float value = LeadingNumber(code);
    const bool procedure_field = k >= P1;
    for (CodePattern& p : *patterns) {
      if (MatchCode(p, code, value, procedure_field) == CodeMatch::kNone) continue;
      ++p.frequency;
      starred[static_cast<std::size_t>(k - C1)] = true;
      any = true;
      if (p.pending) {
        ++p.episodes;
        p.pending = false;
      }
    }
  }
  if (!any) return false;
  if (lines != nullptr) EpisodeLines(s, starred, lines);
  return true;
}

SearchResult SearchEpisodes(Session& s, const SearchRequest& request) {
  SearchResult result;
  const std::string text = request.text.substr(0, kMaxSearchText);
  std::string shown;  // without its line ends
  for (char ch : text)
    if (ch != '\r' && ch != '\n') shown.push_back(ch);
  result.patterns = ParsePatterns(shown);
  if (result.patterns.empty()) return result;

  const SearchConditions& c = request.conditions;
  if (c.discharge) {
    if (DecimalValue(c.discharge_from) > DecimalValue(c.discharge_to))
      s.feedback.Message("Rango de fechas incorrecto");
    if (DecimalValue(c.discharge_to) > Today())
      s.feedback.Message("Fecha hasta incorrecta: mayor a hoy");
  }

  if (!ReopenCurrentTable(s)) {
    result.end = SearchEnd::kNoTable;
    return result;
  }
  ReportFile wide, narrow;
  if (!wide.Create(s.fs, OutputHostPath(s, "busqueda.txt")) ||
      !narrow.Create(s.fs, OutputHostPath(s, "busqueda2.txt"))) {
    result.end = SearchEnd::kNoReport;
    return result;
  }
  WriteHeading(wide, s, shown, c, kWideHeading, kWideDashes);
  WriteHeading(narrow, s, shown, c, kNarrowHeading, kNarrowDashes);

  s.feedback.ShowActivity("Buscando diagnosticos");
  ProgressTracker progress(s.feedback);
  SearchLines lines;
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t record) {
    const long fecalt = Number(s, FECALT);
    if (fecalt < result.smallest_discharge) result.smallest_discharge = fecalt;
    if (fecalt > result.largest_discharge) result.largest_discharge = fecalt;
    lines.wide.clear();
    lines.narrow.clear();
    if (MatchEpisode(s, c, &result.patterns, &lines)) {
      ++result.matches;
      if (request.keep_episodes && result.kept.size() < kMaxKeptEpisodes)
        result.kept.push_back(record);
      wide.Write(lines.wide);
      narrow.Write(lines.narrow);
    }
    return true;
  });
  result.record_count = s.table.record_count();
  s.feedback.ShowActivity("");
  if (walk.end == WalkEnd::kStopped) {
    // Half a list would pass for the whole one: none is left.
    wide.Discard();
    narrow.Discard();
    s.feedback.ShowStatus("busqueda.txt no generado: cancelado");
    result.end = SearchEnd::kStopped;
    return result;
  }
  s.feedback.ShowInfo(StrFormat("Encontrado %ld", static_cast<long>(result.matches)));
  progress.Finish();
  if (result.matches >= static_cast<std::int32_t>(kMaxKeptEpisodes))
    s.feedback.Message(StrFormat("Demasiados registros: Han sido seleccionados %d",
                                 static_cast<int>(result.kept.size())));

  wide.WriteFormatted("%s\n", kWideClosingDashes);
  narrow.WriteFormatted("%s\n", kNarrowDashes);
  WriteTotals(wide, result, !c.discharge);
  WriteTotals(narrow, result, !c.discharge);
  // Both closed, whatever the first gives.
  const bool wide_whole = wide.Close();
  const bool whole = narrow.Close() && wide_whole;
  if (!whole) {
    s.feedback.Message("Error al escribir busqueda.txt o busqueda2.txt");
    result.end = SearchEnd::kNotWritten;
  } else {
    result.end = walk.end == WalkEnd::kUnreadable ? SearchEnd::kUnreadable : SearchEnd::kCompleted;
  }
  return result;
}

const std::vector<ChoiceEntry>& SexChoices() {
  static const std::vector<ChoiceEntry> list = {
      {"Hombre", 1}, {"Mujer", 2}, {"Indeterminado", 3}, {"Desconocido", 9}};
  return list;
}

const std::vector<ChoiceEntry>& AdmissionTypeChoices() {
  static const std::vector<ChoiceEntry> list = {{"Urgente", 1}, {"Programado", 2}, {"C.M.A.", 3}};
  return list;
}

const std::vector<ChoiceEntry>& DischargeTypeChoices() {
  // Named apart: clang 14 crashes on a _cp literal inside this initializer list.
  static constexpr const char* kDeath = "Defunción"_cp;
  static const std::vector<ChoiceEntry> list = {{"Destino al domicilio", 1},
                                                {"Traslado a otro hospital", 2},
                                                {"Traslado a Residencia Social", 3},
                                                {"Alta voluntaria", 4},
                                                {kDeath, 5},
                                                {"Hospitalizado a domicilio", 6},
                                                {"In extremis", 7},
                                                {"Fuga", 8},
                                                {"Desconocido", 9}};
  return list;
}

}  // namespace quirovel
