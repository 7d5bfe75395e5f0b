// The window: the sheet "CMBD-A: Detección de Errores" with its eight pages,
// and below them the controls every page shares (the current file, its
// record count, the information label, "Fichero", "Ayuda", "Salir", the
// status line, the progress bar and Cancel).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <memory>
#include <string>

#include "app/gui/gui_feedback.h"
#include "app/gui/operation_runner.h"
#include "app/gui/window_context.h"
#include "session/session.h"

namespace quirovel {

class ConfigurationPage;
class DetectionPage;
class ErrorsPage;
class ErrorBrowserPage;
class ReportPrinter;
class ReportsPage;
class UncodedPage;
class UtilitiesPage;

class MainWindow final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageCount = 8;

  MainWindow(Session& session, GuiFeedback& feedback, QWidget* parent = nullptr);
  ~MainWindow() override;

  void SelectPage(int index) { tabs_->setCurrentIndex(index); }
  // Chooses a CMBD-A table as "Fichero" does with a chosen host path.
  void ChooseFile(const QString& host_path);
  // Paints what the running operation has shown since the last paint.
  void PaintFeedback();

  QTabWidget* tabs() const { return tabs_; }
  DetectionPage* detection_page() const { return detection_; }
  ReportsPage* reports_page() const { return reports_; }
  ConfigurationPage* configuration_page() const { return configuration_; }
  UtilitiesPage* utilities_page() const { return utilities_; }
  ErrorsPage* errors_page() const { return errors_; }
  UncodedPage* uncoded_page() const { return uncoded_; }
  ErrorBrowserPage* error_browser_page() const { return error_browser_; }
  OperationRunner& runner() { return runner_; }
  Session& session() { return session_; }
  WindowContext& context() { return context_; }
  ReportPrinter* report_printer() const { return printer_; }
  QLabel* status_line() const { return status_; }
  QLabel* record_count_label() const { return record_count_; }
  QLabel* info_label() const { return info_; }
  QLineEdit* current_file() const { return current_file_; }
  QProgressBar* progress_bar() const { return progress_; }
  QPushButton* cancel_button() const { return cancel_; }
  QPushButton* file_button() const { return file_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* BuildSharedControls();
  void ShowCurrentFile();
  void EditReport(const std::string& name);
  void OpenManual();
  void SetBusy(bool busy);
  void PageChanged(int index);
  // The last files chosen, most recent first, kept between runs.
  void RememberRecent(const QString& host_path);
  void FillRecentMenu();

  Session& session_;
  GuiFeedback& feedback_;
  OperationRunner runner_;
  ReportPrinter* printer_ = nullptr;
  WindowContext context_;
  QTabWidget* tabs_;
  DetectionPage* detection_;
  ReportsPage* reports_;
  ConfigurationPage* configuration_;
  UtilitiesPage* utilities_;
  ErrorsPage* errors_ = nullptr;
  UncodedPage* uncoded_ = nullptr;
  ErrorBrowserPage* error_browser_ = nullptr;
  int shown_page_ = -1;
  QLineEdit* current_file_;
  QLabel* record_count_;
  QLabel* info_;
  QLabel* status_;
  QProgressBar* progress_;
  QPushButton* cancel_;
  QPushButton* file_;
  QToolButton* recent_;
  QTimer paint_timer_;
};

}  // namespace quirovel
