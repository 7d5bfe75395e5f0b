// The window's printing: the printer dialog (the whole document only), the
// print preview, PDF files and the page setup, remembered between runs. The
// pages come from the core's print jobs and are painted on the worker
// thread, so the window goes on while a long report prints.
#pragma once

#include <QObject>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/gui/gui_feedback.h"
#include "app/gui/operation_runner.h"
#include "app/gui/print_rendering.h"
#include "session/session.h"

namespace quirovel {

enum class PrintOutput { kPrinter, kPreview, kPdf };

class ReportPrinter final : public QObject {
  Q_OBJECT

 public:
  ReportPrinter(Session& session, GuiFeedback& feedback, OperationRunner& runner, QWidget* window);

  void PrintReport(const std::string& name, const std::string& title, double scale);
  void PrintServiceReport(const std::string& name, const std::string& service_name);
  void PrintErrorTable(bool by_service, const std::string& key);

  // Gives a print button a menu on its right click: preview, PDF file and
  // page setup, each running `print` with that output.
  void AddMenu(QPushButton* button, std::function<void()> print);
  void PageSetup();

  // Pages shown by the preview at most: the preview keeps every page it shows.
  static constexpr int kPreviewPages = 300;

  // How the printer and the PDF file are chosen; the window asks with its
  // dialogs, tests answer directly. False: cancelled, nothing is printed.
  std::function<bool(QPrinter& printer)> choose_printer;
  std::function<QString(const QString& suggested)> choose_pdf;

 private:
  using SessionJob = std::function<bool(Session& s, const PageGeometry& page, PrintJob* job)>;
  void Run(SessionJob make, const std::string& suggested_name);
  void ApplySavedPage(QPrinter& printer) const;
  void SavePage(const QPrinter& printer) const;

  Session& session_;
  GuiFeedback& feedback_;
  OperationRunner& runner_;
  QWidget* window_;
  PrintOutput output_ = PrintOutput::kPrinter;
};

}  // namespace quirovel
