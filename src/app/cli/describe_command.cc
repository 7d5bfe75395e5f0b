// quirovel describe RECORD [--tooltips]: the episode description of one
// record of the current file (what "Episodio" shows): the caption, then each
// root with its lines indented below it. --tooltips adds, for every field box
// of the error browser with a tooltip, "NAME: tooltip".
#include <charconv>
#include <ostream>

#include "analyses/episode_table_description.h"
#include "analyses/field_tooltip.h"
#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/format.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

constexpr const char* kUsage = "Uso: quirovel describe REGISTRO [--tooltips]";

}  // namespace

int DescribeCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool tooltips = TakeFlag(&args, "--tooltips");
  long record = 0;
  const std::string text = args.size() == 1 ? args[0] : std::string();
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), record);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || record < 1) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  int code = kExitOk;
  if (!s.table.is_open()) {
    code = kExitFailed;  // the table layer has said why
  } else if (static_cast<std::uint64_t>(record) > s.table.record_count()) {
    context.feedback.Message(StrFormat("El fichero tiene %u registros; no existe el registro %ld",
                                       s.table.record_count(), record));
    code = kExitFailed;
  } else {
    const EpisodeDescription d = DescribeEpisode(s, record);
    if (d.roots.empty()) {
      context.feedback.Message(StrFormat("No se puede leer el registro %ld", record));
      code = kExitFailed;
    }
    if (!d.roots.empty()) PrintLine(context.out, d.caption);
    for (const DescriptionRoot& root : d.roots) {
      PrintLine(context.out, root.text);
      for (const std::string& child : root.children) PrintLine(context.out, "  " + child);
    }
    for (int k = 1; tooltips && !d.roots.empty() && k <= kCmbdFieldCount; ++k) {
      const std::string tip = FieldTooltip(s, k);
      if (!tip.empty()) PrintLine(context.out, std::string(CmbdFieldName(k)) + ": " + tip);
    }
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
