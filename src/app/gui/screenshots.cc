#include "app/gui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>

#include "app/gui/code_search_dialog.h"
#include "app/gui/detection_page.h"
#include "app/gui/error_browser_dialogs.h"
#include "app/gui/error_browser_page.h"
#include "app/gui/errors_page.h"
#include "app/gui/graph_dialog.h"
#include "app/gui/import_dialog.h"
#include "app/gui/main_window.h"
#include "app/gui/report_viewer.h"
#include "app/gui/structure_editor_dialog.h"
#include "app/gui/uncoded_page.h"
#include "app/gui/utilities_page.h"
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
  // Page 1 with the first type of error found, page 3 with its summary.
  QListWidget* types = window.detection_page()->type_list();
  for (int row = 0; row < types->count(); ++row) {
    if (types->item(row)->text().left(6).trimmed().toInt() == 0) continue;
    window.errors_page()->ShowErrorType(row + 1);
    WaitIdle(window);
    break;
  }
  window.uncoded_page()->BuildSummary();
  WaitIdle(window);
  for (int page = 0; page < MainWindow::kPageCount; ++page) {
    if (!window.tabs()->isTabEnabled(page)) continue;
    window.SelectPage(page);
    WaitIdle(window);
    saved &= window.grab().save(directory + QStringLiteral("/pagina-%1.png").arg(page));
  }
  CodeSearchDialog* search = window.utilities_page()->search_dialog();
  search->search_text()->setPlainText(QStringLiteral("4*, 8* - 9*, V30"));
  search->Search();
  WaitIdle(window);
  search->show();
  QApplication::processEvents();
  saved &= search->grab().save(directory + QStringLiteral("/busqueda.png"));
  search->hide();
  window.uncoded_page()->DrawGraph();
  if (GraphDialog* graph = window.uncoded_page()->last_graph()) {
    QApplication::processEvents();
    saved &= graph->grab().save(directory + QStringLiteral("/grafica.png"));
    graph->close();
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
