#include "app/gui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>

#include "app/gui/error_browser_dialogs.h"
#include "app/gui/error_browser_page.h"
#include "app/gui/import_dialog.h"
#include "app/gui/main_window.h"
#include "app/gui/report_viewer.h"
#include "app/gui/structure_editor_dialog.h"
#include "output/output_path.h"

namespace quirovel {
namespace {

void WaitIdle(MainWindow& window) {
  QElapsedTimer waited;
  waited.start();
  while ((window.runner().busy() || waited.elapsed() < 200) && waited.elapsed() < 60000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  window.PaintFeedback();
}

}  // namespace

bool SaveScreenshots(MainWindow& window, const QString& directory) {
  QDir().mkpath(directory);
  window.resize(1100, 720);
  WaitIdle(window);
  bool saved = true;
  for (int page = 0; page < MainWindow::kPageCount; ++page) {
    if (!window.tabs()->isTabEnabled(page)) continue;
    window.SelectPage(page);
    WaitIdle(window);
    saved &= window.grab().save(directory + QStringLiteral("/pagina-%1.png").arg(page));
  }
  const std::int64_t shown = window.error_browser_page()->browser().shown().record;
  if (shown > 0) {
    EpisodeDialog episode(window.session());
    episode.Describe(shown);
    episode.show();
    QApplication::processEvents();
    saved &= episode.grab().save(directory + QStringLiteral("/episodio.png"));
  }
  ImportDialog import(window.context());
  import.show();
  QApplication::processEvents();
  saved &= import.grab().save(directory + QStringLiteral("/importar.png"));
  StructureEditorDialog editor(window.context());
  editor.editor().LoadTemplate(true);
  editor.ShowRows();
  editor.show();
  editor.field_name()->setText(QStringLiteral("PROCEDEN"));
  QApplication::processEvents();
  saved &= editor.grab().save(directory + QStringLiteral("/estructura.png"));
  std::string bytes;
  Session& s = window.session();
  if (ReadWholeFile(s.fs, OutputHostPath(s.config, s.paths, "resumen.txt"), &bytes)) {
    ReportViewer viewer(QStringLiteral("resumen.txt"), bytes);
    viewer.resize(900, 600);
    viewer.show();
    QApplication::processEvents();
    saved &= viewer.grab().save(directory + QStringLiteral("/visor.png"));
  }
  return saved;
}

}  // namespace quirovel
