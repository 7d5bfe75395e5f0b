#include "analyses/code_search_descriptions.h"

#include "output/progress_tracker.h"
#include "platform/cp1252.h"
#include "reference/cie_catalogue.h"
#include "session/session.h"

namespace quirovel {

FoundCodes FindCodesByDescription(Session& s, std::string_view text) {
  FoundCodes found;
  const std::string_view wanted = text.substr(0, kMaxDescriptionText);
  s.feedback.ShowActivity("Buscando códigos"_cp);
  DbfTable& descriptions = s.catalogue.descriptions();
  const long total = descriptions.is_open() ? static_cast<long>(descriptions.record_count()) : 0;
  ProgressTracker progress(s.feedback);
  progress.Start(total);
  for (long r = 1; r <= total; ++r) {
    if ((r & 1023) == 0 && s.feedback.StopRequested()) {
      found.stopped = true;
      break;
    }
    if (descriptions.ReadRecord(r) != 0) break;
    if (RestoreDescription(descriptions.FieldText(2)).find(wanted) != std::string::npos) {
      if (found.text.size() >= kMaxFoundCodesText) {
        s.feedback.Message("Demasiados códigos"_cp);
        found.too_many = true;
        break;
      }
      // The code as the user writes it: without the blanks that fill the column.
      std::string_view code = CView(descriptions.FieldText(1));
      code = code.substr(0, code.find_last_not_of(' ') + 1);
      if (!found.text.empty()) found.text += ", ";
      found.text += code;
      ++found.count;
    }
    progress.Step(r);
  }
  s.feedback.ShowActivity("");
  progress.Finish();
  return found;
}

}  // namespace quirovel
