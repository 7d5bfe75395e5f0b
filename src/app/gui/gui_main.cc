// quirovel-gui [--root DIR] [--screenshots OUT]: the desktop window over the
// installation under the root (as `quirovel` finds it), or pictures of it.
// quirovel-gui --manual-pdf MANUAL.md OUT.pdf: the manual for the kit.
// quirovel-gui [--root DIR] --print REPORT --pdf OUT.pdf [--title T] [--scale S]
// quirovel-gui [--root DIR] --print-errors type N|service CODE --pdf OUT.pdf:
// a report or the error table printed to a PDF file, with no window.
#include <QApplication>
#include <QMessageBox>
#include <string>

#include "app/gui/gui_feedback.h"
#include "app/gui/headless_print.h"
#include "app/gui/main_window.h"
#include "app/gui/manual_pdf.h"
#include "app/gui/screenshots.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "reference/install_paths.h"
#include "session/session.h"
#include "session/startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quirovel"));
  QApplication::setApplicationName(QStringLiteral("quirovel-gui"));
  const QStringList early = QApplication::arguments();
  if (early.size() == 4 && early[1] == QStringLiteral("--manual-pdf"))
    return quirovel::WriteManualPdf(early[2], early[3]) ? 0 : 1;

  std::string root;
  QString screenshots;
  const QStringList args = QApplication::arguments();
  for (int i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QStringLiteral("--root")) root = args[i + 1].toStdString();
    if (args[i] == QStringLiteral("--screenshots")) screenshots = args[i + 1];
  }

  using namespace quirovel;
  GuiFeedback feedback;
  if (WantsHeadlessPrint(args)) UseStandardError(feedback);
  Session session(RealFileSystem(), feedback, HostPaths::DefaultRoot(root));
  if (!session.fs.IsDirectory(session.paths.ToHost(kInstallDirectory))) {
    if (WantsHeadlessPrint(args)) {
      feedback.Message("No hay instalación de Quirovel en "_cp + session.paths.root());
      return 1;
    }
    QMessageBox::critical(
        nullptr, QStringLiteral("Quirovel"),
        QString::fromUtf8(
            "No hay instalación de Quirovel en %1: créela con quirovel --root %1 init")
            .arg(QString::fromStdString(session.paths.root())));
    return 1;
  }
  LoadConfig(session);
  if (session.config_unreadable) return 1;  // said by start-up
  if (WantsHeadlessPrint(args)) {
    const int code = RunHeadlessPrint(session, feedback, args);
    CloseConfig(session);
    return code;
  }
  MainWindow window(session, feedback);
  window.show();
  const int code =
      screenshots.isEmpty() ? QApplication::exec() : (SaveScreenshots(window, screenshots) ? 0 : 1);
  CloseConfig(session);
  return code;
}
