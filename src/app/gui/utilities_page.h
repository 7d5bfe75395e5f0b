// Page 5, "Utilidades": the period of the two date fields, the out-of-range
// listing and the discharge range, the readmission analysis, the structure
// analysis and the history.
#pragma once

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "app/gui/window_context.h"
#include "transfer/export_period.h"

namespace quirovel {

class CodeSearchDialog;

class UtilitiesPage final : public QWidget {
  Q_OBJECT

 public:
  explicit UtilitiesPage(WindowContext& window, QWidget* parent = nullptr);

  // Each time the page comes to the front: the history button names the file.
  void Shown();
  void SetBusy(bool busy);

  // The period as AAAAMMDD texts, from the two date fields.
  std::string StartDate() const;
  std::string EndDate() const;
  void SetPeriod(const QDate& start, const QDate& end);

  QPushButton* out_of_range_button() const { return out_of_range_; }
  QPushButton* range_button() const { return range_; }
  QPushButton* readmissions_button() const { return readmissions_; }
  QPushButton* same_service_button() const { return same_service_; }
  QPushButton* history_button() const { return history_; }
  QLineEdit* out_of_range_result() const { return out_of_range_result_; }
  QLineEdit* readmissions_result() const { return readmissions_result_; }
  QLineEdit* days() const { return days_; }
  QLineEdit* export_name() const { return export_name_; }
  QCheckBox* accumulated() const { return accumulated_; }
  QPushButton* export_button() const { return export_; }
  QPushButton* errors_table_button() const { return errors_table_; }
  // Month button m (1..12) of the export group.
  void PressMonth(int month);
  // The export group's choices: test type 0..2, "Sólo CMA", "Texto".
  void ChooseExport(int test, bool cma_only, bool text_format);
  // "Búsqueda diags/procs": the search dialog, kept (with its search text)
  // from one opening to the next.
  QPushButton* search_button() const { return search_; }
  CodeSearchDialog* search_dialog();
  void OpenSearch();

 signals:
  // The search dialog closed with episodes kept for the episode table.
  void searchEpisodesKept(const std::vector<std::int64_t>& records);

 private:
  // A print button of a report, with its right-click menu.
  void WirePrint(QPushButton* button, const char* name, const char* title);
  QWidget* BuildOutOfRange();
  QWidget* BuildReadmissions();
  QWidget* BuildExport();
  QWidget* BuildImport();
  // The export model from the widgets, and back after it changed.
  void TakeExportPage();
  void ShowExportPage();
  void RunExport();
  void RunErrorsTable();
  void RunSavedImport(bool cma);
  void RunOutOfRange();
  void RunDischargeRange();
  void RunReadmissions(int mode);
  void RunHistory();
  void ShowStructure();

  WindowContext& window_;
  QDateEdit* start_;
  QDateEdit* end_;
  QPushButton* out_of_range_;
  QPushButton* range_;
  QPushButton* readmissions_;
  QPushButton* same_service_;
  QPushButton* structure_;
  QPushButton* history_;
  QLineEdit* out_of_range_result_;
  QLineEdit* readmissions_result_;
  QLineEdit* days_;
  ExportPage export_page_;
  std::vector<QRadioButton*> export_tests_;
  QCheckBox* cma_only_;
  QRadioButton* text_format_;
  QRadioButton* dbf_format_;
  QCheckBox* accumulated_;
  QLineEdit* export_name_;
  QPushButton* export_;
  QPushButton* errors_table_;
  bool showing_export_ = false;
  QPushButton* search_;
  CodeSearchDialog* search_dialog_ = nullptr;
};

}  // namespace quirovel
