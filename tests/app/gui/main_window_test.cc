// The window on the offscreen platform, over an installation made from the
// sample kit: the sheet's pages and tooltips, a detection run from page 0
// against the command line's counts, Cancel, messages from the worker thread
// and the report viewer.
#include "app/gui/main_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPaintEngine>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sstream>
#include <tuple>

#include "app/cli/command.h"
#include "app/gui/configuration_page.h"
#include "app/gui/detection_page.h"
#include "app/gui/gui_feedback.h"
#include "app/gui/import_dialog.h"
#include "app/gui/print_rendering.h"
#include "app/gui/report_printer.h"
#include "app/gui/report_viewer.h"
#include "app/gui/reports_page.h"
#include "app/gui/structure_editor_dialog.h"
#include "app/gui/utilities_page.h"
#include "platform/file_system.h"
#include "session/session.h"
#include "session/startup.h"
#include "storage/dbf_table.h"
#include "ui/report_printing.h"
#include "validation/error_catalogue.h"

namespace quirovel {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::string root_;
  QStringList messages_;

  std::string Cli(const std::vector<std::string>& args, int* code = nullptr) {
    std::ostringstream out, err;
    std::vector<std::string> all = {"--root", root_};
    all.insert(all.end(), args.begin(), args.end());
    const int result = RunCli(all, out, err);
    if (code != nullptr) *code = result;
    return out.str();
  }

  // A window over the installation, its messages recorded.
  struct Window {
    GuiFeedback feedback;
    Session session;
    std::unique_ptr<MainWindow> window;
    Window(const std::string& root, QStringList* messages)
        : session(RealFileSystem(), feedback, root) {
      feedback.show_message = [messages](const QString& text, const QString&) {
        messages->append(text);
      };
      LoadConfig(session);
      window = std::make_unique<MainWindow>(session, feedback);
      window->show();
    }
    ~Window() {
      window.reset();
      CloseConfig(session);
    }
    void WaitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!window->runner().busy(), 60000); }
  };

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);  // the window's settings stay out of ~/.config
    QSettings().clear();
    QVERIFY(dir_.isValid());
    root_ = dir_.path().toStdString() + "/root";
    int code = -1;
    Cli({"init", "--kit", QUIROVEL_KIT_DIR}, &code);
    QCOMPARE(code, 0);
  }

  void sheetHasItsPagesAndTooltips() {
    Window w(root_, &messages_);
    w.WaitIdle();
    MainWindow& m = *w.window;
    QCOMPARE(m.windowTitle(), QString::fromUtf8("CMBD-A: Detección de Errores"));
    const QStringList titles = {QString::fromUtf8("Detección"),
                                "Errores por Tipo/Servicio",
                                "Campos erroneos",
                                "Altas no codificadas",
                                "Listados",
                                "Utilidades",
                                QString::fromUtf8("Configuración"),
                                "Quirovel"};
    QCOMPARE(m.tabs()->count(), titles.size());
    for (int i = 0; i < titles.size(); ++i) QCOMPARE(m.tabs()->tabText(i), titles[i]);
    QCOMPARE(m.detection_page()->test_button()->toolTip(),
             QString("Chequea el fichero del CMBD con el tipo de test seleccionado"));
    QCOMPARE(m.file_button()->toolTip(), QString("Selecciona fichero con el CMBD-A a procesar"));
    QCOMPARE(m.status_line()->toolTip(),
             QString("Errores Encontrados, Tiempo, FR registros fuera de rango"));
    QCOMPARE(m.record_count_label()->text(), QString("6011"));
    QCOMPARE(m.detection_page()->type_list()->count(), 71);
    QCOMPARE(m.detection_page()->field_list()->count(), 63);
  }

  void detectionRunCountsAsTheCommandLine() {
    Window w(root_, &messages_);
    w.WaitIdle();
    QTest::mouseClick(w.window->detection_page()->test_button(), Qt::LeftButton);
    QVERIFY(w.window->runner().busy() || w.session.run.ErrorCount > 0);
    QVERIFY(!w.window->file_button()->isEnabled() || !w.window->runner().busy());
    w.WaitIdle();
    w.window->PaintFeedback();
    QVERIFY(w.window->status_line()->text().startsWith("Errs="));
    const QStringList cli = QString::fromStdString(Cli({"counts"})).split('\n', Qt::SkipEmptyParts);
    QListWidget* types = w.window->detection_page()->type_list();
    QCOMPARE(cli.size(), types->count());
    for (int i = 0; i < types->count(); ++i) QCOMPARE(types->item(i)->text(), cli[i]);
  }

  void cancelLeavesALogTheCountsDescribe() {
    Window w(root_, &messages_);
    w.WaitIdle();
    messages_.clear();
    QTest::mouseClick(w.window->detection_page()->test_button(), Qt::LeftButton);
    w.window->cancel_button()->click();  // before the worker reaches its first record
    w.WaitIdle();
    QVERIFY(w.window->file_button()->isEnabled());
    QVERIFY(!w.window->cancel_button()->isEnabled());
    QVERIFY(w.session.run.Cancelled);
    // What the window shows is what the log holds, as the command line reads it.
    w.window->PaintFeedback();
    const QStringList cli = QString::fromStdString(Cli({"counts"})).split('\n', Qt::SkipEmptyParts);
    QListWidget* types = w.window->detection_page()->type_list();
    for (int i = 0; i < types->count(); ++i) QCOMPARE(types->item(i)->text(), cli[i]);
  }

  void messagesOfTheWorkerReachTheWindow() {
    Window w(root_, &messages_);
    w.WaitIdle();
    messages_.clear();
    w.window->ChooseFile(QString::fromStdString(root_ + "/no-existe.dbf"));
    w.WaitIdle();
    QVERIFY2(!messages_.isEmpty(), "the worker's message was not shown");
    QVERIFY(messages_.join('\n').contains("no-existe.dbf"));
    // Only files that became current are offered again.
    const QString table = QString::fromStdString(root_ + "/QUIROVEL/trabajo/Ctprueba.dbf");
    w.window->ChooseFile(table);
    w.WaitIdle();
    QCOMPARE(QSettings().value("recent").toStringList(), QStringList{table});
  }

  // The page saves the same bytes `quirovel config set` writes for the same change.
  void configurationPageWritesWhatTheCommandLineWrites() {
    const std::string gui_root = root_, cli_root = dir_.path().toStdString() + "/cli";
    int code = -1;
    std::ostringstream out, err;
    QCOMPARE(RunCli({"--root", cli_root, "init", "--kit", QUIROVEL_KIT_DIR}, out, err), 0);
    QCOMPARE(RunCli({"--root", cli_root, "config", "set", "errors.E201.cma", "off"}, out, err), 0);
    QCOMPARE(RunCli({"--root", cli_root, "config", "set", "printer-scale", ".5"}, out, err), 0);
    Cli({"config", "defaults"}, &code);  // both start from the same record
    QCOMPARE(code, 0);
    {
      Window w(gui_root, &messages_);
      w.WaitIdle();
      w.window->SelectPage(6);
      ConfigurationPage* page = w.window->configuration_page();
      int row = 0;
      while (ErrorCode(row + 1) != "E201") ++row;
      page->error_marks()->item(row, 2)->setCheckState(Qt::Unchecked);
      page->printer_scale()->setText(".5");
      page->Save();
      w.window->SelectPage(0);
    }
    std::string gui, cli;
    QVERIFY(ReadWholeFile(RealFileSystem(), gui_root + "/QUIROVEL/Quirovel.dat", &gui));
    QVERIFY(ReadWholeFile(RealFileSystem(), cli_root + "/QUIROVEL/Quirovel.dat", &cli));
    QCOMPARE(gui.size(), std::size_t{2460});
    QVERIFY2(gui == cli, "the window and the command line saved different records");
    // "Por defecto" and a save leave what `config defaults` leaves.
    QCOMPARE(RunCli({"--root", cli_root, "config", "defaults"}, out, err), 0);
    {
      Window w(gui_root, &messages_);
      w.WaitIdle();
      w.window->SelectPage(6);
      w.window->configuration_page()->defaults_button()->click();
      w.window->configuration_page()->Save();
    }
    QVERIFY(ReadWholeFile(RealFileSystem(), gui_root + "/QUIROVEL/Quirovel.dat", &gui));
    QVERIFY(ReadWholeFile(RealFileSystem(), cli_root + "/QUIROVEL/Quirovel.dat", &cli));
    QVERIFY2(gui == cli, "Por defecto saved another record than config defaults");
  }

  void utilitiesAsTheCommandLineAndTheHistoryOnlyAfterAYes() {
    int code = -1;
    Cli({"config", "set", "history", "C:\\QUIROVEL\\trabajo\\hist.dbf"}, &code);
    QCOMPARE(code, 0);
    const std::string table = root_ + "/QUIROVEL/trabajo/Ctprueba.dbf";
    const std::string history = root_ + "/QUIROVEL/trabajo/hist.dbf";
    std::string bytes;
    QVERIFY(ReadWholeFile(RealFileSystem(), table, &bytes));
    QVERIFY(WriteWholeFile(RealFileSystem(), history, bytes));
    const QString cli =
        QString::fromStdString(Cli({"out-of-range", "--from", "01/01/2006", "--to", "30/06/2006"}));

    Window w(root_, &messages_);
    w.WaitIdle();
    w.window->SelectPage(5);
    UtilitiesPage* page = w.window->utilities_page();
    QCOMPARE(page->history_button()->text(), QString::fromUtf8("Añadir a Historico (hist.dbf)"));
    page->range_button()->click();
    w.WaitIdle();
    QCOMPARE(page->StartDate(), std::string("20060101"));
    QCOMPARE(page->EndDate(), std::string("20061231"));
    page->SetPeriod(QDate(2006, 1, 1), QDate(2006, 6, 30));
    page->out_of_range_button()->click();
    w.WaitIdle();
    QCOMPARE(page->out_of_range_result()->text(), cli.section('\n', 0, 0));

    QStringList questions;
    bool answer = false;
    w.feedback.ask = [&](const QString& question, const QString& caption) {
      questions.append(caption + "\n" + question);
      return answer;
    };
    page->history_button()->click();
    w.WaitIdle();
    QCOMPARE(questions.size(), 1);
    QVERIFY(questions[0].contains("ATENCION: Puede duplicar episodios"));
    std::string after;
    QVERIFY(ReadWholeFile(RealFileSystem(), history, &after));
    QVERIFY2(after == bytes, "a No changed the history");
    answer = true;
    page->history_button()->click();
    w.WaitIdle();
    QVERIFY(ReadWholeFile(RealFileSystem(), history, &after));
    QCOMPARE(after.size(), 2 * bytes.size() - 2049);  // the records once more, one header
    QCOMPARE(static_cast<unsigned char>(after[4]) | static_cast<unsigned char>(after[5]) << 8,
             12022);
  }

  // A structure made in the editor, a text imported with the dialog and as
  // the current file, and an export the same as the command line's.
  void structureImportAndExport() {
    const std::string work = root_ + "/QUIROVEL/trabajo/";
    QVERIFY(WriteWholeFile(RealFileSystem(), work + "datos.txt",
                           "ABCDE|01/02/2006\r\nXY|15/03/06\r\n"));
    int code = -1;
    Cli({"open", "C:\\Quirovel\\trabajo\\Ctprueba.dbf"}, &code);
    QCOMPARE(code, 0);
    Cli({"export", "--month", "2", "--year", "2006", "--name", "CLI"}, &code);
    QCOMPARE(code, 0);

    Window w(root_, &messages_);
    w.WaitIdle();
    StructureEditorDialog editor(w.window->context());
    for (auto [name, type, length] :
         {std::tuple{"CODIGO", "Caracter", "5"}, std::tuple{"FECHA", "Fecha", ""}}) {
      editor.field_name()->setText(name);
      editor.field_type()->setCurrentText(type);
      editor.field_length()->setText(length);
      editor.AddRow();
    }
    editor.table_name()->setText("est");
    QVERIFY(editor.Create());

    ImportDialog dialog(w.window->context());
    dialog.text_file()->setText("C:\\Quirovel\\trabajo\\datos.txt");
    dialog.structure()->setCurrentText("C:\\Quirovel\\trabajo\\est.DBF");
    dialog.separator()->setText("|");
    dialog.header_line()->setChecked(false);
    dialog.fixed_length()->setChecked(false);
    dialog.table_name()->setText("nuevo");
    dialog.Import();
    w.WaitIdle();
    SilentFeedback quiet;
    DbfTable table(RealFileSystem(), quiet);
    QCOMPARE(table.Open(work + "nuevo.DBF"), 1);
    QCOMPARE(table.record_count(), 2u);
    QCOMPARE(table.ReadRecord(2), 0);
    QCOMPARE(std::string(table.FieldText(2)), std::string("20060315"));
    table.Close();

    UtilitiesPage* page = w.window->utilities_page();
    page->SetPeriod(QDate(2006, 5, 1), QDate(2006, 5, 1));
    page->ChooseExport(0, true, true);
    QCOMPARE(page->export_name()->text(), QString("CM120506"));
    page->accumulated()->setChecked(false);  // as the command line without --accumulated
    page->PressMonth(2);
    QCOMPARE(page->export_name()->text(), QString("CM120206"));
    page->export_name()->setText("GUI");
    page->export_button()->click();
    w.WaitIdle();
    std::string gui, cli;
    QVERIFY(ReadWholeFile(RealFileSystem(), work + "GUI.TXT", &gui));
    QVERIFY(ReadWholeFile(RealFileSystem(), work + "CLI.TXT", &cli));
    QVERIFY(!gui.empty());
    QVERIFY2(gui == cli, "the window exported other bytes than the command line");

    // A text file chosen as the current file is imported beside it and opened.
    w.window->ChooseFile(QString::fromStdString(work + "datos.txt"));
    w.WaitIdle();
    QCOMPARE(w.session.config.CurrentPath(), std::string("C:\\QUIROVEL\\trabajo\\datos.DBF"));
    QCOMPARE(w.window->record_count_label()->text(), QString("2"));
  }

  void viewerShowsWindows1252AndPageBreaks() {
    const QString text = ReportText("\x80 \x8A \x9F \xA4 \xF1 \xE6\r\nA\fB");
    QCOMPARE(text, QString::fromUtf8("€ Š Ÿ ¤ ñ æ\nA\n") + QString(72, QChar(0x2500)) +
                       QStringLiteral("\nB"));
    std::string all;
    for (int b = 0x20; b < 0x100; ++b) all += static_cast<char>(b);
    ReportViewer viewer("todo", all);
    QCOMPARE(viewer.text()->toPlainText().size(), 0x100 - 0x20);  // one character per byte
  }
  // The print buttons print what the core lays out: the page count the
  // window shows is that of the job's pages; a cancelled dialog prints
  // nothing; the right-click menu writes a PDF file.
  void printButtonsPrintTheCoreLayout() {
    int code = -1;
    Cli({"detect"}, &code);
    QCOMPARE(code, 0);
    Window w(root_, &messages_);
    w.WaitIdle();
    ReportPrinter* printer = w.window->report_printer();
    const QString pdf = dir_.path() + "/resumen.pdf";
    PageGeometry geometry;
    printer->choose_printer = [&](QPrinter& p) {
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(pdf);
      geometry = GeometryOf(p);
      return true;
    };
    QPushButton* print = w.window->detection_page()->print_button();
    QVERIFY(print->isEnabled());
    print->click();
    w.WaitIdle();
    w.window->PaintFeedback();
    QVERIFY(QFileInfo(pdf).size() > 0);
    PrintJob job;
    QVERIFY(PrintReport(w.session, "resumen.txt", "t", 1.0, geometry, &job));
    int pages = 0;
    for (PrintedPage page; job.pages->Next(&page);) ++pages;
    QCOMPARE(w.window->status_line()->text(), QString::fromUtf8("%1 páginas impresas").arg(pages));

    printer->choose_printer = [](QPrinter&) { return false; };
    QFile::remove(pdf);
    print->click();
    QVERIFY(!w.window->runner().busy());
    QVERIFY(!QFileInfo::exists(pdf));

    const QString by_type = dir_.path() + "/erragr.pdf";
    printer->choose_pdf = [&](const QString& suggested) {
      return suggested.endsWith("erragr.pdf") ? by_type : QString();
    };
    QPushButton* erragr = w.window->reports_page()->print_buttons()[2];
    QCOMPARE(erragr->actions().size(), 3);
    erragr->actions()[1]->trigger();  // "Guardar en PDF..."
    w.WaitIdle();
    QVERIFY(QFileInfo(by_type).size() > 0);

    // The preview paints on pictures, which is how the window tells it from
    // printing and keeps it to its first pages.
    QPrinter preview_printer;
    QPrintPreviewWidget preview(&preview_printer);
    bool on_pictures = false;
    connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* p) {
      on_pictures = p->paintEngine()->type() == QPaintEngine::Picture;
      QPainter painter(p);
    });
    preview.updatePreview();
    QVERIFY(on_pictures);
  }
};

}  // namespace quirovel

QTEST_MAIN(quirovel::MainWindowTest)
#include "main_window_test.moc"
