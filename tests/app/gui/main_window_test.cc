// The window on the offscreen platform, over an installation made from the
// sample kit: the sheet's pages and tooltips, a detection run from page 0
// against the command line's counts, Cancel, messages from the worker thread
// and the report viewer.
#include "app/gui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QPaintEngine>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <atomic>
#include <sstream>
#include <tuple>

#include "analyses/distribution_graph_figures.h"
#include "analyses/episode_table_browse.h"
#include "analyses/episode_table_description.h"
#include "app/cli/command.h"
#include "app/gui/code_search_dialog.h"
#include "app/gui/configuration_page.h"
#include "app/gui/detection_page.h"
#include "app/gui/episode_table_model.h"
#include "app/gui/error_browser_dialogs.h"
#include "app/gui/error_browser_page.h"
#include "app/gui/errors_page.h"
#include "app/gui/graph_dialog.h"
#include "app/gui/gui_feedback.h"
#include "app/gui/import_dialog.h"
#include "app/gui/print_rendering.h"
#include "app/gui/report_printer.h"
#include "app/gui/report_viewer.h"
#include "app/gui/reports_page.h"
#include "app/gui/structure_editor_dialog.h"
#include "app/gui/text_codec.h"
#include "app/gui/uncoded_page.h"
#include "app/gui/utilities_page.h"
#include "platform/file_system.h"
#include "platform/format.h"
#include "session/session.h"
#include "session/startup.h"
#include "storage/dbf_table.h"
#include "ui/report_printing.h"
#include "validation/error_catalogue.h"
#include "validation/error_log_reader.h"

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
      // No print dialog waits for a click: a test that prints says where.
      window->report_printer()->choose_printer = [](QPrinter&) { return false; };
      window->show();
    }
    ~Window() {
      window.reset();
      CloseConfig(session);
    }
    void WaitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!window->runner().busy(), 60000); }
  };

  // The sample file as the current one, with a whole detection run.
  void DetectOnTheSample() {
    int code = -1;
    Cli({"open", "C:\\Quirovel\\trabajo\\Ctprueba.dbf"}, &code);
    QCOMPARE(code, 0);
    Cli({"detect", "--test", "mensual"}, &code);
    QCOMPARE(code, 0);
  }

  std::string WorkFile(const char* name) {
    std::string bytes;
    ReadWholeFile(RealFileSystem(), root_ + "/QUIROVEL/trabajo/" + name, &bytes);
    return bytes;
  }

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

  // Page 2 over a run of the sample file: the errors it lands on stepping both
  // ways in each search mode are those fallos.dat gives, read by the core;
  // the yellow boxes are the entry's fields; "@record" shows that record.
  void errorBrowserStepsThroughTheLogAsTheCoreReadsIt() {
    int code = -1;
    Cli({"detect", "--test", "mensual"}, &code);
    QCOMPARE(code, 0);
    std::vector<ErrorEntry> entries;
    std::vector<std::string> services;
    std::string historia5;
    {
      SilentFeedback quiet;
      Session core(RealFileSystem(), quiet, root_);
      LoadConfig(core);
      ErrorLogReader log;
      QVERIFY(log.Open(core.fs, OutputHostPath(core, "fallos.dat")));
      ErrorLogReader::Bytes bytes{};
      for (std::int64_t k = 1; k <= core.config.ErrorCount() && log.Read(k, &bytes); ++k) {
        entries.push_back(ErrorEntry::Decode(bytes.data()));
        QCOMPARE(core.table.ReadRecord(entries.back().record), 0);
        services.emplace_back(CView(CmbdFieldText(core, SERVALT)));
      }
      QCOMPARE(core.table.ReadRecord(5), 0);
      historia5 = std::string(CmbdFieldText(core, HISTORIA));
      CloseConfig(core);
    }
    const auto n = static_cast<std::int64_t>(entries.size());
    QVERIFY(n > 50);
    // Where a step from `from` lands: the next error, of the same type or
    // service, else (a search that found none) the error beside; at either
    // end it stays.
    auto lands = [&](int mode, std::int64_t from, int step) {
      const auto at = [&](std::int64_t i) { return static_cast<std::size_t>(i); };
      for (std::int64_t i = from + step; mode != 0 && i >= 0 && i < n; i += step)
        if ((mode == 1 && entries[at(i)].error == entries[at(from)].error) ||
            (mode == 2 && services[at(i)] == services[at(from)]))
          return i;
      const std::int64_t beside = from + step;
      return beside >= 0 && beside < n ? beside : from;
    };

    Window w(root_, &messages_);
    w.WaitIdle();
    ErrorBrowserPage* page = w.window->error_browser_page();
    QApplication::setActiveWindow(w.window.get());
    for (int mode : {0, 1, 2}) {
      page->Browse("3");
      QCOMPARE(w.window->tabs()->currentWidget(), page);
      page->type_search()->setChecked(mode == 1);
      page->service_search()->setChecked(mode == 2);
      std::int64_t expected = 3;
      for (int i = 0; i < 12; ++i) {
        const int step = i < 7 ? +1 : -1;
        expected = lands(mode, expected, step);
        if (i % 2 == 0) {
          QTest::mouseClick(step > 0 ? page->next_button() : page->previous_button(),
                            Qt::LeftButton);
        } else {
          page->type_list()->setFocus();
          QTest::keyClick(page->type_list(), step > 0 ? Qt::Key_Right : Qt::Key_Left);
        }
        QCOMPARE(page->current_error()->text().toLongLong(), expected);
        const ErrorEntry& e = entries[static_cast<std::size_t>(expected)];
        QCOMPARE(page->type_list()->currentRow(), e.error - 1);
        for (int k = 1; k <= kCmbdFieldCount; ++k) {
          const bool named = static_cast<std::uint32_t>(k) == e.field ||
                             static_cast<std::uint32_t>(k) == e.related1 ||
                             static_cast<std::uint32_t>(k) == e.related2;
          QCOMPARE(page->box(k)->palette().color(QPalette::Base) == QColor(255, 255, 0), named);
        }
      }
    }
    QTest::keyClick(page->type_list(), Qt::Key_End);
    QCOMPARE(page->current_error()->text().toLongLong(), n - 1);
    QTest::keyClick(page->type_list(), Qt::Key_Home);
    QCOMPARE(page->current_error()->text().toLongLong(), 0);

    page->Browse("@5");
    QCOMPARE(page->box(HISTORIA)->text(), ToQString(historia5));
    QCOMPARE(page->type_list()->currentItem()->text(), QString("Registro CMBD"));
    QCOMPARE(page->box(SEXO)->palette().color(QPalette::Base), QColor(Qt::white));
    // "Episodio" shows what `quirovel describe` prints.
    EpisodeDialog episode(w.session);
    episode.Describe(5);
    QStringList lines = {episode.windowTitle()};
    for (int i = 0; i < episode.tree()->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* root = episode.tree()->topLevelItem(i);
      lines << root->text(0);
      for (int c = 0; c < root->childCount(); ++c) lines << "  " + root->child(c)->text(0);
    }
    QCOMPARE(lines.join('\n') + '\n', QString::fromStdString(Cli({"describe", "5"})));
    w.window->SelectPage(0);  // the next windows open where this one was left
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

  void typeListFillsTheEpisodeTableAsTheCommandLine() {
    DetectOnTheSample();
    const QStringList counts =
        QString::fromStdString(Cli({"counts"})).split('\n', Qt::SkipEmptyParts);
    int type = 0;  // the first type with errors
    while (type < counts.size() && counts[type].left(6).trimmed().toInt() == 0) ++type;
    QVERIFY(type < counts.size());
    const int expected = counts[type].left(6).trimmed().toInt();
    const QString number = QString::number(type + 1);
    const QStringList cli =
        QString::fromStdString(Cli({"episodes", "--type", number.toStdString()}))
            .split('\n', Qt::SkipEmptyParts);

    Window w(root_, &messages_);
    w.WaitIdle();
    QListWidget* types = w.window->detection_page()->type_list();
    QListWidgetItem* item = types->item(type);
    emit types->itemDoubleClicked(item);
    QCOMPARE(w.window->tabs()->currentIndex(), 1);
    w.WaitIdle();
    ErrorsPage* page = w.window->errors_page();
    QCOMPARE(page->model()->rowCount(), expected);
    QCOMPARE(page->errors_found()->text(), QString::number(expected));
    QCOMPARE(page->type_list()->currentIndex(), type + 1);
    // Row by row the texts the command line prints (without trailing blanks).
    QCOMPARE(cli.size(), expected + 3);  // the header and the two counts
    for (int row = 0; row < expected; row += std::max(1, expected / 7)) {
      QStringList texts;
      for (int c = 0; c < page->model()->columnCount(); ++c)
        texts << page->model()
                     ->data(page->model()->index(row, c), Qt::DisplayRole)
                     .toString()
                     .remove(QRegularExpression(" +$"));
      QCOMPARE(texts.join('\t'), cli[row + 1]);
    }

    // A double click on a row asks the error browser for its log position.
    QSignalSpy browse(page, &ErrorsPage::browseRequested);
    page->view()->selectRow(0);
    emit page->view()->doubleClicked(page->model()->index(0, 0));
    QCOMPARE(browse.size(), 1);
    QCOMPARE(browse[0][0].toString(), page->model()->Text(0, 63));
    // ... which shows that error on page 2.
    QCOMPARE(w.window->tabs()->currentIndex(), 2);
    w.WaitIdle();
    QCOMPARE(w.window->error_browser_page()->browser().shown().record,
             page->model()->table().Record(0));
    w.window->SelectPage(1);

    // "disco" saves what `episodes --save` saves; "Gr" draws what `graph` computes.
    page->save_button()->click();
    w.WaitIdle();
    const std::string gui_table = WorkFile("TABLA.DBF");
    const QStringList graph =
        QString::fromStdString(Cli({"graph", "admissions", "--type", number.toStdString()}))
            .split('\n');
    page->graph_button()->click();
    w.WaitIdle();
    QVERIFY(page->last_graph() != nullptr);
    QCOMPARE(page->last_graph()->StatisticsText(), graph[2]);
    QVERIFY(!page->last_graph()->Render(2).isNull());
    page->last_graph()->close();
    int code = -1;
    Cli({"episodes", "--type", number.toStdString(), "--save", "--quiet"}, &code);
    QCOMPARE(code, 0);
    QVERIFY(!gui_table.empty());
    QVERIFY2(gui_table == WorkFile("TABLA.DBF"), "disco saved other bytes than the command line");

    // ">>" and "<<" step through the types; below the first the table is empty.
    page->previous_button()->click();
    w.WaitIdle();
    QCOMPARE(page->type_list()->currentIndex(), type);
    for (int i = 0; i <= type; ++i) page->ShowErrorType(type - i), w.WaitIdle();
    QCOMPARE(page->model()->rowCount(), 0);
    // Another file chosen: rows of the last one are not shown over it.
    page->ShowErrorType(type + 1);
    w.WaitIdle();
    QCOMPARE(page->model()->rowCount(), expected);
    w.window->ChooseFile(QString::fromStdString(root_ + "/QUIROVEL/trabajo/Ctprueba.dbf"));
    w.WaitIdle();
    QCOMPARE(page->model()->rowCount(), 0);
  }

  void uncodedSummaryAsTheCommandLine() {
    DetectOnTheSample();
    const QStringList cli =
        QString::fromStdString(Cli({"uncoded"})).split('\n', Qt::SkipEmptyParts);
    const QStringList by_discharges =
        QString::fromStdString(Cli({"uncoded", "--sort", "discharges:desc"}))
            .split('\n', Qt::SkipEmptyParts);
    const QStringList graph = QString::fromStdString(Cli({"graph", "uncoded"})).split('\n');

    Window w(root_, &messages_);
    w.WaitIdle();
    w.window->SelectPage(3);
    UncodedPage* page = w.window->uncoded_page();
    page->summary_button()->click();
    w.WaitIdle();
    auto lines = [page] {
      QStringList shown;
      for (int r = 0; r < page->list()->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = page->list()->topLevelItem(r);
        std::string t[7];
        for (int c = 0; c < 7; ++c) t[c] = ToProgramText(item->text(c));
        shown << ToQString(StrFormat("  %6.6s %-25.25s %10.10s %13.13s %14.14s %8.8s %9.9s",
                                     t[0].c_str(), t[1].c_str(), t[2].c_str(), t[3].c_str(),
                                     t[4].c_str(), t[5].c_str(), t[6].c_str()));
      }
      return shown;
    };
    const int rows = page->list()->topLevelItemCount();
    QVERIFY(rows > 1);
    QCOMPARE(lines(), cli.mid(1, rows));
    QCOMPARE(page->summary_text()->text(), cli[rows + 1]);
    // The first click on a header sorts descending.
    page->list()->header()->sectionClicked(2);
    QCOMPARE(lines(), by_discharges.mid(1, rows));

    page->graph_button()->click();
    QVERIFY(page->last_graph() != nullptr);
    QCOMPARE(page->last_graph()->StatisticsText(), graph[2]);
    page->last_graph()->close();

    // A double click on a service: its uncoded discharges on page 1.
    int row = 0;
    while (row < rows && page->summary().rows[row].uncoded == 0) ++row;
    QVERIFY(row < rows);
    messages_.clear();
    page->OpenSelectedService(false);
    QCOMPARE(messages_, QStringList{"Haga doble click en valor de la primera columna"});
    page->list()->setCurrentItem(page->list()->topLevelItem(row));
    page->OpenSelectedService(false);
    QCOMPARE(w.window->tabs()->currentIndex(), 1);
    w.WaitIdle();
    QCOMPARE(w.window->errors_page()->model()->rowCount(), page->summary().rows[row].uncoded);
    w.window->SelectPage(3);
    // A right double click: all its discharges.
    QTreeWidgetItem* item = page->list()->topLevelItem(row);
    page->list()->scrollToItem(item);
    QTest::mouseDClick(page->list()->viewport(), Qt::RightButton, {},
                       page->list()->visualItemRect(item).center());
    QCOMPARE(w.window->tabs()->currentIndex(), 1);
    w.WaitIdle();
    QCOMPARE(w.window->errors_page()->model()->rowCount(), page->summary().rows[row].discharges);
  }

  void searchDialogWritesWhatTheCommandLineWrites() {
    DetectOnTheSample();
    const char* text = "4*, 8* - 9*,V30";
    Window w(root_, &messages_);
    w.WaitIdle();
    UtilitiesPage* utilities = w.window->utilities_page();
    QString found;
    QTimer::singleShot(0, [&] {
      CodeSearchDialog* d = utilities->search_dialog();
      QVERIFY(d->isVisible());
      d->search_text()->setPlainText(text);
      d->condition(CodeSearchDialog::kSexo)->setChecked(true);
      d->sex_list()->setCurrentIndex(2);  // "Mujer"
      d->condition(CodeSearchDialog::kEdad)->setChecked(true);
      d->age_low()->setText("0");
      d->age_high()->setText("60");
      d->keep_episodes()->setChecked(true);
      d->search_button()->click();
      QTRY_VERIFY_WITH_TIMEOUT(!w.window->runner().busy(), 60000);
      QCOMPARE(d->pattern_table()->rowCount(), 3);
      QCOMPARE(d->pattern_table()->item(2, 1)->text(), QString("V30   "));
      found = d->episodes()->text();
      d->accept();
    });
    utilities->OpenSearch();
    QVERIFY(found.toInt() > 0);
    // The kept episodes fill page 1.
    QCOMPARE(w.window->tabs()->currentIndex(), 1);
    w.WaitIdle();
    QCOMPARE(w.window->errors_page()->model()->rowCount(), found.toInt());
    const std::string wide = WorkFile("busqueda.txt"), narrow = WorkFile("busqueda2.txt");
    int code = -1;
    Cli({"search", text, "--sex", "2", "--age", "0-60"}, &code);
    QCOMPARE(code, 0);
    QVERIFY(!wide.empty());
    QVERIFY2(wide == WorkFile("busqueda.txt"), "busqueda.txt differs from the command line's");
    QVERIFY2(narrow == WorkFile("busqueda2.txt"), "busqueda2.txt differs from the command line's");
    // "Limpia": the text and the boxes, not the chosen values.
    CodeSearchDialog* d = utilities->search_dialog();
    d->Clear();
    QVERIFY(d->search_text()->toPlainText().isEmpty());
    QVERIFY(!d->condition(CodeSearchDialog::kSexo)->isChecked());
    QCOMPARE(d->sex_list()->currentIndex(), 2);
  }

  // Bars where the layout puts them, in their shades, the average in its
  // colour; twice the pixels at a device pixel ratio of 2; PNG and PDF files.
  void graphDrawsTheFiguresSharplyAndSaves() {
    UncodedHistogram h;
    h.first_date = 20060130;
    h.last_date = 20060205;
    h.bars = 9;
    const std::int32_t counts[9] = {0, 3, 1, 0, 2, 0, 0, 1, 0};
    for (int i = 0; i < 9; ++i) h.counters[i] = counts[i];
    GraphDialog dialog(ComputeGraphFigures(h, kAdmissionsGraphTitle));
    QCOMPARE(dialog.StatisticsText(), QString("N=7, X=   1.75 Mo=3 Me=1/2/2006"));
    const QImage one = dialog.Render(1), two = dialog.Render(2);
    QCOMPARE(two.size(), one.size() * 2);
    QCOMPARE(two.devicePixelRatio(), 2.0);
    const GraphLayout l = LayOutGraph(dialog.figures(), one.width(), one.height());
    auto at = [&](int bar, double count) {
      return one.pixelColor(static_cast<int>(l.left + l.bar_width * (bar + 0.5)),
                            static_cast<int>(l.baseline - count * l.pixels_per_count));
    };
    QCOMPARE(at(1, 0.5), QColor(32, 16, 8));  // bar i: (32i, 16i, 8i) modulo 256
    QCOMPARE(at(4, 1.5), QColor(128, 64, 32));
    QCOMPARE(at(1, 3.5), QColor(Qt::white));  // above the bar
    QCOMPARE(at(3, 0.5), QColor(Qt::white));  // a day without episodes
    // The moving average at bar 2 is (0 + 3 + 1 + 0 + 2) / 5 = 1.2: its colour there.
    const QColor average = at(2, 1.2);
    QVERIFY2(average.red() > average.green() && average.blue() > average.green(),
             qPrintable(average.name()));

    const QString png = dir_.filePath("grafica.png"), pdf = dir_.filePath("grafica.pdf");
    QVERIFY(dialog.SavePng(png));
    QVERIFY(dialog.SavePdf(pdf));
    QCOMPARE(QImage(png).width(), one.width() * 2);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(ShowGraph(UncodedHistogram{}, kUncodedGraphTitle, nullptr) == nullptr);  // no bars
  }

  // Every widget of the search dialog lands in its field of the request.
  void searchDialogRequestFromItsWidgets() {
    Window w(root_, &messages_);
    w.WaitIdle();
    CodeSearchDialog* d = w.window->utilities_page()->search_dialog();
    d->search_text()->setPlainText(QString::fromUtf8("V30,\n65*"));
    for (int c = CodeSearchDialog::kAlta; c <= CodeSearchDialog::kIngreso; ++c)
      d->condition(static_cast<CodeSearchDialog::Condition>(c))->setChecked(true);
    d->discharge_from()->setDate(QDate(2006, 2, 1));
    d->discharge_to()->setDate(QDate(2006, 3, 31));
    d->admission_from()->setDate(QDate(2005, 12, 24));
    d->admission_to()->setDate(QDate(2006, 1, 9));
    QVERIFY(d->service_list()->count() > 2);
    d->service_list()->setCurrentIndex(2);
    d->sex_list()->setCurrentIndex(4);
    d->admission_type_list()->setCurrentIndex(3);
    d->discharge_type_list()->setCurrentIndex(5);
    d->age_low()->setText("18");
    d->age_high()->setText("1234");  // at most three characters
    d->residence()->setText(QString::fromUtf8("0213ñ7"));
    const SearchRequest r = d->Request();
    QCOMPARE(r.text, std::string("V30,\n65*"));
    const SearchConditions& c = r.conditions;
    QVERIFY(c.discharge && c.service && c.sex && c.age && c.admission_type && c.residence &&
            c.discharge_type && c.admission);
    QCOMPARE(c.discharge_from + c.discharge_to, std::string("2006020120060331"));
    QCOMPARE(c.admission_from + c.admission_to, std::string("2005122420060109"));
    QCOMPARE(c.service_value, ServiceChoices(w.session.references.services)[1].value);
    QCOMPARE(c.sex_value, 9L);             // "Desconocido"
    QCOMPARE(c.admission_type_value, 3L);  // "C.M.A."
    QCOMPARE(c.discharge_type_value, 5L);  // "Defunción"
    QCOMPARE(c.age_low + "-" + c.age_high, std::string("18-123"));
    QCOMPARE(c.residence_text, std::string("0213\xF1"));
    QVERIFY(!r.keep_episodes);
  }

  // "C1-P15", "Epi" with "Siguiente" and "No codif x servicio" against the core.
  void diagnosisJumpEpisodeTreeAndServiceReport() {
    DetectOnTheSample();
    Window w(root_, &messages_);
    w.WaitIdle();
    const QStringList counts =
        QString::fromStdString(Cli({"counts"})).split('\n', Qt::SkipEmptyParts);
    int type = 0;  // the first type with three errors or more
    while (type < counts.size() && counts[type].left(6).trimmed().toInt() < 3) ++type;
    QVERIFY(type < counts.size());
    w.window->SelectPage(1);
    ErrorsPage* page = w.window->errors_page();
    page->ShowErrorType(type + 1);
    w.WaitIdle();
    QVERIFY(page->model()->rowCount() > 2);
    page->JumpToDiagnoses();
    QCOMPARE(page->view()->columnAt(0), kDiagnosisColumn);

    // A click on a column header sorts on the worker; the same rows, in order.
    const int rows = page->model()->rowCount();
    page->view()->sortByColumn(HISTORIA - 1, Qt::DescendingOrder);
    w.WaitIdle();
    QCOMPARE(page->model()->rowCount(), rows);
    for (int r = 1; r < rows; ++r)
      QVERIFY(page->model()->Text(r - 1, HISTORIA - 1) >= page->model()->Text(r, HISTORIA - 1));

    messages_.clear();
    page->DescribeSelected();
    QCOMPARE(messages_, QStringList{"Elija un episodio"});
    page->view()->selectRow(1);
    QStringList shown;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<EpisodeDialog*>(QApplication::activeModalWidget());
      QVERIFY(d != nullptr);
      for (int i = 0; i < 2; ++i) {
        shown << d->windowTitle() + "|" + d->tree()->topLevelItem(0)->text(0);
        d->next_button()->click();
      }
      d->reject();
    });
    page->DescribeSelected();
    QCOMPARE(shown.size(), 2);
    for (int i = 0; i < 2; ++i) {
      const EpisodeDescription e = DescribeEpisode(w.session, page->model()->table().Record(1 + i));
      QCOMPARE(shown[i], ToQString(e.caption) + "|" + ToQString(e.roots[0].text));
    }

    w.window->SelectPage(3);
    UncodedPage* uncoded = w.window->uncoded_page();
    uncoded->BuildSummary();
    w.WaitIdle();
    int row = 0;
    while (uncoded->summary().rows[row].uncoded < 2) ++row;
    uncoded->list()->setCurrentItem(uncoded->list()->topLevelItem(row));
    uncoded->service_report_button()->click();
    w.WaitIdle();
    const std::string gui = WorkFile("altnocodserv.txt");
    int code = -1;
    Cli({"uncoded", "--service", uncoded->summary().rows[row].code}, &code);
    QCOMPARE(code, 0);
    QVERIFY(gui.find("Total no codificadas") != std::string::npos);
    QVERIFY2(gui == WorkFile("altnocodserv.txt"),
             "altnocodserv.txt differs from the command line's");
  }

  // While an operation owns the session the table shows only the rows it
  // read before, and repaints the others when the operation ends.
  void episodeTableReadsNoRowWhileTheWorkerOwnsTheSession() {
    Window w(root_, &messages_);
    w.WaitIdle();
    EpisodeTable table;
    for (std::int64_t record = 1; record <= 3000; ++record) table.Add(record);
    EpisodeTableModel* model = w.window->errors_page()->model();
    model->SetTable(table);
    const QString first = model->Text(0, HISTORIA - 1);
    QVERIFY(!first.isEmpty());
    std::atomic<bool> release = false;
    QVERIFY(w.window->runner().Start("espera", [&release] {
      while (!release) QThread::msleep(5);
      return true;
    }));
    QSignalSpy repaint(model, &EpisodeTableModel::dataChanged);
    QCOMPARE(model->Text(0, HISTORIA - 1), first);  // kept
    QVERIFY(model->Text(2999, HISTORIA - 1).isEmpty());
    QCOMPARE(model->Text(2999, EpisodeTable::kIdColumn), QString("@3000"));
    release = true;
    w.WaitIdle();
    QVERIFY(repaint.size() >= 1);
    QVERIFY(!model->Text(2999, HISTORIA - 1).isEmpty());
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

    // Page 1 prints the errors of its chosen type straight from the log,
    // page 3 the report "No codif x servicio" writes.
    printer->choose_printer = [&](QPrinter& p) {
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(pdf);
      return true;
    };
    ErrorsPage* errors = w.window->errors_page();
    errors->print_type_button()->click();  // no type chosen: nothing
    QVERIFY(!w.window->runner().busy());
    errors->ShowErrorType(1);
    w.WaitIdle();
    while (errors->model()->rowCount() == 0) errors->next_button()->click(), w.WaitIdle();
    errors->print_type_button()->click();
    w.WaitIdle();
    w.window->PaintFeedback();
    QVERIFY(QFileInfo(pdf).size() > 0);
    PrintJob table;
    QVERIFY(PrintErrorTable(w.session, ErrorTableMode::kByType,
                            std::to_string(errors->type_list()->currentIndex()), geometry, &table));
    pages = 0;
    for (PrintedPage page; table.pages->Next(&page);) ++pages;
    QCOMPARE(w.window->status_line()->text(), QString::fromUtf8("%1 páginas impresas").arg(pages));
    QFile::remove(pdf);
    UncodedPage* uncoded = w.window->uncoded_page();
    uncoded->BuildSummary();
    w.WaitIdle();
    uncoded->list()->setCurrentItem(uncoded->list()->topLevelItem(0));
    uncoded->service_report_button()->click();
    w.WaitIdle();
    w.WaitIdle();
    QVERIFY(QFileInfo(pdf).size() > 0);

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
