// Page 3, "Altas no codificadas": "Resumen" (the discharges, uncoded
// discharges and errors of every discharge service), its list sorted by any
// column header, "No codif x servicio" and "Grafica"; a double click on a
// service shows its uncoded discharges (a right double click, all its
// discharges) on page "Errores por Tipo/Servicio".
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <string>

#include "analyses/uncoded_summary.h"
#include "app/gui/graph_dialog.h"
#include "app/gui/window_context.h"

namespace quirovel {

class UncodedPage final : public QWidget {
  Q_OBJECT

 public:
  explicit UncodedPage(WindowContext& window, QWidget* parent = nullptr);

  void BuildSummary();
  // A click on column header `column`: the direction turns, then the sort.
  void SortByColumn(int column);
  void WriteServiceReport();
  void PrintSummary();
  void DrawGraph();
  // What a double click on the selected row does (right: all discharges).
  void OpenSelectedService(bool right_button);
  void SetBusy(bool busy);

  const UncodedSummary& summary() const { return summary_; }
  QTreeWidget* list() const { return list_; }
  QLineEdit* summary_text() const { return text_; }
  QPushButton* summary_button() const { return summary_button_; }
  QPushButton* service_report_button() const { return service_report_; }
  QPushButton* graph_button() const { return graph_; }
  QPushButton* print_summary_button() const { return print_summary_; }
  QPushButton* print_list_button() const { return print_list_; }
  GraphDialog* last_graph() const { return last_graph_; }

 signals:
  // The uncoded discharges (or all discharges) of the service code.
  void serviceEpisodesRequested(const std::string& code, bool uncoded_only);

 private:
  void ShowRows();
  int SelectedRow() const;

  WindowContext& window_;
  UncodedSummary summary_;
  int direction_ = 1;
  QPushButton* summary_button_;
  QPushButton* print_summary_;
  QPushButton* print_list_;
  QPushButton* service_report_;
  QPushButton* graph_;
  QTreeWidget* list_;
  QLineEdit* text_;
  QPointer<GraphDialog> last_graph_;
};

}  // namespace quirovel
