// quirovel counts: the errors of the last run by type, rebuilt from the error
// log as page "Detección" lists them when it opens: one row per catalogue
// entry, the count drawn with "%6d " before the error's text.
#include <array>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "detection/error_grouping.h"
#include "platform/format.h"
#include "validation/error_catalogue.h"

namespace quirovel {

int CountsCommand(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) {
    context.feedback.Message("Uso: quirovel counts");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  std::array<std::int32_t, 72> counts{};
  const bool ok = CountErrorsByType(context.session, &counts);
  if (ok) {
    for (int e = 1; e <= kCatalogueSize; ++e)
      PrintLine(context.out, StrFormat("%6d %s", counts[static_cast<std::size_t>(e)],
                                       std::string(ErrorText(e)).c_str()));
  }
  EndSession(context);
  return ok ? kExitOk : kExitFailed;
}

}  // namespace quirovel
