#include "app/gui/report_printer.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QSettings>

#include "app/gui/text_codec.h"
#include "platform/format.h"
#include "ui/report_printing.h"

namespace quirovel {

ReportPrinter::ReportPrinter(Session& session, GuiFeedback& feedback, OperationRunner& runner,
                             QWidget* window)
    : QObject(window), session_(session), feedback_(feedback), runner_(runner), window_(window) {
  choose_printer = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, window_);
    // The whole document only: no page range, no selection, no file.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
  };
  choose_pdf = [this](const QString& suggested) {
    return QFileDialog::getSaveFileName(window_, QStringLiteral("Guardar en PDF"), suggested,
                                        QStringLiteral("PDF (*.pdf)"));
  };
}

void ReportPrinter::PrintReport(const std::string& name, const std::string& title, double scale) {
  Run(
      [name, title, scale](Session& s, const PageGeometry& page, PrintJob* job) {
        return quirovel::PrintReport(s, name, title, scale, page, job);
      },
      name);
}

void ReportPrinter::PrintServiceReport(const std::string& name, const std::string& service_name) {
  Run(
      [name, service_name](Session& s, const PageGeometry& page, PrintJob* job) {
        return quirovel::PrintServiceReport(s, name, service_name, page, job);
      },
      name);
}

void ReportPrinter::PrintErrorTable(bool by_service, const std::string& key) {
  if (key.empty()) return;  // no type or service chosen: nothing is printed
  const ErrorTableMode mode = by_service ? ErrorTableMode::kByService : ErrorTableMode::kByType;
  Run([mode, key](Session& s, const PageGeometry& page,
                  PrintJob* job) { return quirovel::PrintErrorTable(s, mode, key, page, job); },
      by_service ? "servicio.txt" : "tipo.txt");
}

void ReportPrinter::ApplySavedPage(QPrinter& printer) const {
  QSettings settings;
  const QString printer_name = settings.value("print/printer").toString();
  if (!printer_name.isEmpty() && printer.outputFormat() == QPrinter::NativeFormat)
    printer.setPrinterName(printer_name);
  const QVariant size = settings.value("print/page_size");
  if (size.isValid())
    printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(size.toInt())));
  const QVariant orientation = settings.value("print/orientation");
  if (orientation.isValid())
    printer.setPageOrientation(static_cast<QPageLayout::Orientation>(orientation.toInt()));
}

void ReportPrinter::SavePage(const QPrinter& printer) const {
  QSettings settings;
  if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
    settings.setValue("print/printer", printer.printerName());
  settings.setValue("print/page_size", static_cast<int>(printer.pageLayout().pageSize().id()));
  settings.setValue("print/orientation", static_cast<int>(printer.pageLayout().orientation()));
}

void ReportPrinter::PageSetup() {
  QPrinter printer(QPrinter::HighResolution);
  ApplySavedPage(printer);
  QPageSetupDialog dialog(&printer, window_);
  if (dialog.exec() == QDialog::Accepted) SavePage(printer);
}

void ReportPrinter::AddMenu(QPushButton* button, std::function<void()> print) {
  button->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto add = [this, button, print](const QString& text, PrintOutput output) {
    auto* action = new QAction(text, button);
    connect(action, &QAction::triggered, this, [this, print, output] {
      output_ = output;
      print();
      output_ = PrintOutput::kPrinter;
    });
    button->addAction(action);
  };
  add(QStringLiteral("Vista previa..."), PrintOutput::kPreview);
  add(QStringLiteral("Guardar en PDF..."), PrintOutput::kPdf);
  auto* setup = new QAction(ToQString("Configurar página..."_cp), button);
  connect(setup, &QAction::triggered, this, &ReportPrinter::PageSetup);
  button->addAction(setup);
  if (button->toolTip().isEmpty())
    button->setToolTip(
        QStringLiteral("Imprime el informe (bot%1n derecho: vista previa, PDF)").arg(QChar(0xF3)));
}

void ReportPrinter::Run(SessionJob make, const std::string& suggested_name) {
  if (runner_.busy()) return;
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  ApplySavedPage(*printer);
  Session& s = session_;
  if (output_ == PrintOutput::kPreview) {
    // Painted on the window's thread while the preview is open: no
    // operation runs meanwhile, the dialog being modal.
    QPrintPreviewDialog preview(printer.get(), window_);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* p) {
      // The preview paints on pictures; printing from it paints every page.
      const bool previewing = p->paintEngine() && p->paintEngine()->type() == QPaintEngine::Picture;
      const RenderOutcome outcome = RenderPrintJob(
          *p, [&](const PageGeometry& page, PrintJob* job) { return make(s, page, job); },
          feedback_, previewing ? kPreviewPages : 0);
      if (previewing && outcome.pages == kPreviewPages)
        feedback_.ShowStatus(StrFormat("Vista previa: las primeras %d páginas"_cp, kPreviewPages));
    });
    preview.exec();
    SavePage(*printer);
    return;
  }
  if (output_ == PrintOutput::kPdf) {
    QString base = QString::fromStdString(suggested_name);
    base = base.left(base.lastIndexOf('.')) + QStringLiteral(".pdf");
    const QString path = choose_pdf(QDir::home().filePath(base));
    if (path.isEmpty()) return;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
  } else {
    if (!choose_printer(*printer)) return;
    SavePage(*printer);
  }
  runner_.Start(QStringLiteral("Imprimir"), [this, printer, make, &s] {
    const RenderOutcome outcome = RenderPrintJob(
        *printer, [&](const PageGeometry& page, PrintJob* job) { return make(s, page, job); },
        feedback_);
    return outcome.completed;
  });
}

}  // namespace quirovel
