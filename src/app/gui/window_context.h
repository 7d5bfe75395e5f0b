// What every page of the window works with: the session, the feedback, the
// one operation runner, and the window's services for reports.
#pragma once

#include <functional>
#include <string>

#include "app/gui/gui_feedback.h"
#include "app/gui/operation_runner.h"
#include "session/session.h"

class QPushButton;

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
  // Printing, each after the printer dialog (cancel prints nothing): a
  // report of the working directory with its title and font scale; the
  // uncoded discharges of one service with that service's name; the errors
  // of one type (key: the error number) or of one service (key: "%d" of its
  // code's value) straight from the error log; an empty key prints nothing
  // (page 1 passes one by type only when a type is chosen, by service only
  // when no type is).
  std::function<void(const std::string& name, const std::string& title, double scale)> print_report;
  std::function<void(const std::string& name, const std::string& service_name)>
      print_service_report;
  std::function<void(bool by_service, const std::string& key)> print_error_table;
  // Gives a print button its right-click menu (preview, PDF, page setup),
  // each running `print` with that output.
  std::function<void(QPushButton* button, std::function<void()> print)> add_print_menu;
};

}  // namespace quirovel
