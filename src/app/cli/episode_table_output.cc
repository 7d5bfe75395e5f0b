#include "app/cli/episode_table_output.h"

#include <ostream>

#include "analyses/episode_table_save.h"
#include "output/output_path.h"
#include "platform/cp1252.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

std::string_view TrimmedRight(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// "12", or the error's code "E201".
int ErrorNumberOf(const std::string& text) {
  for (int e = 1; e <= kCatalogueSize; ++e)
    if (text == ErrorCode(e) || text == std::to_string(e)) return e;
  return 0;
}

}  // namespace

bool PrintEpisodeTable(CliContext& context, const EpisodeTable& table) {
  std::string line;
  for (int c = 0; c < EpisodeTable::kColumns; ++c) {
    if (c > 0) line += '\t';
    line += EpisodeTable::Header(c);
  }
  context.out << line << "\n";
  for (std::size_t row = 0; row < table.size(); ++row) {
    line.clear();
    if (!LoadRow(context.session, table, row)) {
      context.feedback.Message("ERROR AL LEER FICHERO CMBD");
      return false;
    }
    for (int c = 0; c < EpisodeTable::kColumns; ++c) {
      if (c > 0) line += '\t';
      AppendCp1252AsUtf8(
          EscapeControls(TrimmedRight(CView(RowText(context.session, table, row, c)))), &line);
    }
    line += '\n';
    context.out << line;
  }
  return true;
}

int TakeEpisodeSelection(CliContext& context, std::vector<std::string>* args, EpisodeQuery* query) {
  std::string type, service, uncoded, discharges;
  const bool taken = TakeOption(args, "--type", &type) && TakeOption(args, "--service", &service) &&
                     TakeOption(args, "--uncoded", &uncoded) &&
                     TakeOption(args, "--discharges", &discharges);
  const int given = !type.empty() + !service.empty() + !uncoded.empty() + !discharges.empty();
  if (!taken || given > 1) {
    context.feedback.Message(
        "Elija una sola de --type N, --service CODIGO, --uncoded CODIGO, --discharges CODIGO");
    return -1;
  }
  if (given == 0) return 0;
  if (!type.empty()) {
    const int e = ErrorNumberOf(type);
    if (e == 0) {
      context.feedback.Message("--type: error desconocido '" + Utf8ToCp1252(type) +
                               "' (1 a 71, o su código E11 a E331)"_cp);
      return -1;
    }
    query->mode = EpisodeTableMode::kErrors;
    query->type_filter = TypeFilter(e);
  } else if (!service.empty()) {
    query->mode = EpisodeTableMode::kErrors;
    query->service_filter = ServiceFilter(Utf8ToCp1252(service));
  } else {
    query->mode = uncoded.empty() ? EpisodeTableMode::kDischargesOfService
                                  : EpisodeTableMode::kUncodedOfService;
    query->service_code = Utf8ToCp1252(uncoded.empty() ? discharges : uncoded);
  }
  return 1;
}

bool SaveAndTell(CliContext& context, const EpisodeTable& table) {
  Session& s = context.session;
  if (!SaveEpisodeTable(s, table)) return false;
  context.out << OutputHostPath(s, "TABLA.DBF")
              << Cp1252ToUtf8(" [" + OutputPath(s, "TABLA.DBF") + "]") << "\n";
  return true;
}

}  // namespace quirovel
