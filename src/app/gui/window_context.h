// What every page of the window works with: the session, the feedback, the
// one operation runner, and the window's services for reports.
#pragma once

#include <functional>
#include <string>

#include "app/gui/gui_feedback.h"
#include "app/gui/operation_runner.h"
#include "session/session.h"

namespace quirovel {

struct WindowContext {
  Session& session;
  GuiFeedback& feedback;
  OperationRunner& runner;
  // Opens a report of the working directory in the editor, or in the
  // window's own viewer when the editor cannot be started.
  std::function<void(const std::string& name)> edit_report;
  // Called on the window thread after an operation changed the current file
  // or the last run, so that every page shows it.
  std::function<void()> results_changed;
};

}  // namespace quirovel
