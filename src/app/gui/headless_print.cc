#include "app/gui/headless_print.h"

#include <QPrinter>
#include <cstdio>

#include "app/gui/print_rendering.h"
#include "app/gui/reports_page.h"
#include "app/gui/text_codec.h"
#include "ui/report_printing.h"

namespace quirovel {
namespace {

QString ValueOf(const QStringList& args, const QString& option, int offset = 1) {
  const int at = args.indexOf(option);
  return at >= 0 && at + offset < args.size() ? args[at + offset] : QString();
}

int Usage() {
  std::fputs(
      "uso: quirovel-gui [--root DIR] --print INFORME --pdf SALIDA.pdf [--title T] [--scale S]\n"
      "     quirovel-gui [--root DIR] --print-errors type N|service CODIGO --pdf SALIDA.pdf\n",
      stderr);
  return 2;
}

}  // namespace

bool WantsHeadlessPrint(const QStringList& args) {
  return args.contains(QStringLiteral("--print")) ||
         args.contains(QStringLiteral("--print-errors"));
}

void UseStandardError(GuiFeedback& feedback) {
  feedback.show_message = [](const QString& text, const QString&) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
  };
  feedback.ask = [](const QString&, const QString&) { return false; };
}

int RunHeadlessPrint(Session& s, GuiFeedback& feedback, const QStringList& args) {
  const QString pdf = ValueOf(args, QStringLiteral("--pdf"));
  if (pdf.isEmpty()) return Usage();
  JobMaker make;
  if (args.contains(QStringLiteral("--print"))) {
    const std::string name = ToProgramText(ValueOf(args, QStringLiteral("--print")));
    if (name.empty()) return Usage();
    // The title and scale of the "Listados" page, unless given.
    std::string title = name;
    double scale = 1.0;
    for (const ReportEntry& entry : ReportEntries())
      if (name == entry.printed) {
        title = entry.title;
        scale = entry.scale;
      }
    if (args.contains(QStringLiteral("--title")))
      title = ToProgramText(ValueOf(args, QStringLiteral("--title")));
    if (args.contains(QStringLiteral("--scale"))) {
      bool ok = false;
      scale = ValueOf(args, QStringLiteral("--scale")).toDouble(&ok);
      if (!ok || !(scale >= 0.1 && scale <= 10)) {
        std::fputs("--scale: un número entre 0.1 y 10\n", stderr);
        return 2;
      }
    }
    make = [&s, name, title, scale](const PageGeometry& page, PrintJob* job) {
      return PrintReport(s, name, title, scale, page, job);
    };
  } else {
    const QString mode = ValueOf(args, QStringLiteral("--print-errors"));
    const std::string key = ToProgramText(ValueOf(args, QStringLiteral("--print-errors"), 2));
    if ((mode != QStringLiteral("type") && mode != QStringLiteral("service")) || key.empty())
      return Usage();
    const bool by_type = mode == QStringLiteral("type");
    bool number = false;
    const long value = QString::fromStdString(key).trimmed().toLong(&number);
    if (!number || (by_type && (value < 1 || value > 71))) {
      std::fputs(
          "Nada que imprimir: un tipo de error es un número de 1 a 71, un servicio el "
          "valor de su código\n",
          stderr);
      return 1;
    }
    const ErrorTableMode table = by_type ? ErrorTableMode::kByType : ErrorTableMode::kByService;
    make = [&s, table, key](const PageGeometry& page, PrintJob* job) {
      return PrintErrorTable(s, table, key, page, job);
    };
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const RenderOutcome outcome = RenderPrintJob(printer, make, feedback);
  if (!outcome.completed) return 1;
  std::fprintf(stderr, "%s: %d páginas\n", pdf.toUtf8().constData(), outcome.pages);
  return 0;
}

}  // namespace quirovel
