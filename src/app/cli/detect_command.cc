// quirovel detect [--test mensual|trimestral|cma]: the detection run ("Test")
// on the current file of the configuration. The reports, the error log and
// the count and date of the run are left as the program leaves them.
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "detection/run_detection.h"

namespace quirovel {
namespace {

constexpr const char* kUsage = "Uso: quirovel detect [--test mensual|trimestral|cma]";

bool ParseDetectionTest(const std::string& text, int* test_type) {
  if (text == "mensual")
    *test_type = kMensual;
  else if (text == "trimestral")
    *test_type = kTrimestral;
  else if (text == "cma")
    *test_type = kCma;
  else
    return false;
  return true;
}

}  // namespace

int DetectCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string test_text = "trimestral";
  int test_type = kTrimestral;
  if (!TakeOption(&args, "--test", &test_text) || !args.empty() ||
      !ParseDetectionTest(test_text, &test_type)) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  StartSession(context);
  const bool ok = RunDetection(context.session, test_type);
  // What the status line shows at the end, "Errs=%ld (%ld\") FR=%ld", once
  // the run got that far.
  if (context.session.run.EndTime != 0) PrintLine(context.out, context.feedback.last_status());
  EndSession(context);
  return ok ? kExitOk : kExitFailed;
}

}  // namespace quirovel
