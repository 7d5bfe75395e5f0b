// Page 4, "Listados": an "Editar" and a print button for every report.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <vector>

#include "app/gui/window_context.h"

namespace quirovel {

struct ReportEntry {
  const char* label;    // the group's label
  const char* edited;   // the report "Editar" opens
  const char* printed;  // the report printed
  const char* title;    // the printed title
  double scale;
};

// In the page's order.
const std::vector<ReportEntry>& ReportEntries();

class ReportsPage final : public QWidget {
  Q_OBJECT

 public:
  explicit ReportsPage(WindowContext& window, QWidget* parent = nullptr);
  void SetBusy(bool busy);
  const std::vector<QPushButton*>& edit_buttons() const { return edit_buttons_; }
  const std::vector<QPushButton*>& print_buttons() const { return print_buttons_; }

 private:
  std::vector<QPushButton*> edit_buttons_;
  std::vector<QPushButton*> print_buttons_;
};

}  // namespace quirovel
