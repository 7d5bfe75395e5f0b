#include "analyses/episode_table_description.h"

#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/catalogue_session.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

struct Label {
  long code;
  const char* text;
  const char* tooltip;  // nullptr: the same text
};

constexpr Label kProcedencia[] = {{1, "Urgencias", nullptr},
                                  {2, "Consultas Externas", nullptr},
                                  {3, "Lista de Espera", nullptr},
                                  {4, "Hospital de Día Médico"_cp, nullptr},
                                  {5, "Hospital de Día Quirúrgico"_cp, nullptr},
                                  {6, "Otros Centros", nullptr},
                                  {7, "Nacidos en el Hospital", "Nacidos Hospital"}};
constexpr Label kSexo[] = {{1, "Hombre", nullptr},
                           {2, "Mujer", nullptr},
                           {3, "Indeterminado", nullptr},
                           {9, "Desconocido", nullptr}};
constexpr Label kRegfin[] = {{1, "Seguridad Social", nullptr},
                             {2, "Mutuas de Accidentes de Tráfico"_cp, nullptr},
                             {3, "Mutuas de Accidentes de Trabajo", nullptr},
                             {4, "Mutualidades Públicas"_cp, nullptr},
                             {5, "Privado", nullptr},
                             {6, "Financiación Mixta"_cp, "financiación Mixta"_cp},
                             {7, "Convenio Internacional", "Convenio internacional"},
                             {8, "Otros", nullptr},
                             {9, "Desconocido", nullptr}};
constexpr Label kTiping[] = {
    {1, "Urgente", nullptr}, {2, "Programado", nullptr}, {3, "C.M.A.", nullptr}};
constexpr Label kTipalt[] = {{1, "Destino al domicilio", nullptr},
                             {2, "Traslado a otro hospital", nullptr},
                             {3, "Traslado a Residencia Social", nullptr},
                             {4, "Alta voluntaria", nullptr},
                             {5, "Defunción"_cp, nullptr},
                             {6, "Hospitalizado a domicilio", nullptr},
                             {7, "In Extremis", nullptr},
                             {8, "Fuga", nullptr},
                             {9, "Desconocido", nullptr}};

template <std::size_t N>
std::string_view Find(const Label (&table)[N], long code, bool tooltip) {
  for (const Label& l : table)
    if (l.code == code) return tooltip && l.tooltip != nullptr ? l.tooltip : l.text;
  return {};
}

std::string_view Raw(const Session& s, int k) { return CView(CmbdFieldText(s, k)); }

// "%s   %6s " and the description of every code field of [first, last] in use.
void ListCodes(Session& s, int first, int last, DescriptionRoot* root) {
  for (int k = first; k <= last; ++k) {
    if (!s.field_map.Present(k)) continue;
    const std::string code(Raw(s, k));
    if (code.empty() || code[0] == ' ') continue;
    root->children.push_back(
        StrFormat("%s   %6s ", std::string(CmbdFieldName(k)).c_str(), code.c_str()) +
        CodeDescription(s, k));
  }
}

}  // namespace

std::string_view CodedValueLabel(int field, long code, bool tooltip) {
  switch (field) {
    case PROCEDEN:
      return Find(kProcedencia, code, tooltip);
    case SEXO:
    case SEXO1N:
    case SEXO2N:
    case SEXO3N:
      return Find(kSexo, code, tooltip);
    case REGFIN:
      return Find(kRegfin, code, tooltip);
    case TIPING:
      return Find(kTiping, code, tooltip);
    case TIPALT:
      return Find(kTipalt, code, tooltip);
    default:
      return {};
  }
}

std::string_view CodeLabel(const Session& s, int field) {
  if (!s.field_map.Present(field)) return {};
  return CodedValueLabel(field, DecimalValue(Raw(s, field)));
}

EpisodeDescription DescribeEpisode(Session& s, std::int64_t record) {
  EpisodeDescription d;
  if (s.table.ReadRecord(record) != 0) return d;
  DecodeRecord(s);
  d.caption = "Hª "_cp + std::string(Raw(s, HISTORIA)) + "  ";
  const long stay = DaysBetween(SplitDate(Raw(s, FECALT)), SplitDate(Raw(s, FECING)));
  const std::string age = s.record.AgeYears == 0 ? StrFormat("  %d meses ", s.record.AgeMonths)
                                                 : StrFormat("  %d años "_cp, s.record.AgeYears);
  auto label = [&](int field) { return std::string(CodeLabel(s, field)); };
  auto service = [&](int field) { return s.references.services.ServiceName(Raw(s, field)); };
  DescriptionRoot episode;
  episode.text = StrFormat(
      "Episodio                                                                Estancia : %ld ",
      stay);
  episode.children = {
      "Procedencia   : " + label(PROCEDEN) + " ",
      "Tipo Ingreso   : " + label(TIPING) + " ",
      "Financiación   : "_cp + label(REGFIN) + " ",
      "Sexo               : " + label(SEXO) + "  " + age,
      "Ingreso            : " + DisplayDate(Raw(s, FECING)) + "   " + service(SERVING),
      "Intervención    : "_cp + DisplayDate(Raw(s, FEINTV)) + " ",
      "Parto               : " + DisplayDate(Raw(s, FECPART)) + " ",
      "Alta                 : " + DisplayDate(Raw(s, FECALT)) + "   " + service(SERVALT),
      "Tipo Alta         : " + label(TIPALT) + " ",
  };
  DescriptionRoot diagnoses{"Diagnosticos", {}};
  ListCodes(s, C1, C15, &diagnoses);
  ListCodes(s, CE, CE4, &diagnoses);
  DescriptionRoot procedures{"Procedimientos", {}};
  ListCodes(s, P1, P15, &procedures);
  d.roots = {std::move(episode), std::move(diagnoses), std::move(procedures)};
  return d;
}

}  // namespace quirovel
