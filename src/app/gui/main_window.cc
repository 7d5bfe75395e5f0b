#include "app/gui/main_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFont>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/about_page.h"
#include "app/gui/configuration_page.h"
#include "app/gui/detection_page.h"
#include "app/gui/error_browser_page.h"
#include "app/gui/errors_page.h"
#include "app/gui/report_printer.h"
#include "app/gui/report_viewer.h"
#include "app/gui/reports_page.h"
#include "app/gui/text_codec.h"
#include "app/gui/tooltips.h"
#include "app/gui/uncoded_page.h"
#include "app/gui/utilities_page.h"
#include "output/edit_report.h"
#include "platform/format.h"
#include "reference/install_paths.h"
#include "session/current_file.h"
#include "transfer/text_import_session.h"
#include "transfer/text_import_settings.h"

namespace quirovel {
namespace {

constexpr const char* kManual = "C:\\QUIROVEL\\ManualQuirovel.PDF";

}  // namespace

MainWindow::MainWindow(Session& session, GuiFeedback& feedback, QWidget* parent)
    : QWidget(parent),
      session_(session),
      feedback_(feedback),
      runner_(feedback),
      printer_(new ReportPrinter(session, feedback, runner_, this)),
      context_{session,
               feedback,
               runner_,
               [this](const std::string& name) { EditReport(name); },
               [this] {
                 ShowCurrentFile();
                 if (errors_ != nullptr) errors_->ResultsChanged();
               },
               [this](const std::string& name, const std::string& title, double scale) {
                 printer_->PrintReport(name, title, scale);
               },
               [this](const std::string& name, const std::string& service_name) {
                 printer_->PrintServiceReport(name, service_name);
               },
               [this](bool by_service, const std::string& key) {
                 printer_->PrintErrorTable(by_service, key);
               },
               [this](QPushButton* button, std::function<void()> print) {
                 printer_->AddMenu(button, std::move(print));
               }} {
  setWindowTitle(ToQString("CMBD-A: Detección de Errores"_cp));
  setAcceptDrops(true);

  tabs_ = new QTabWidget(this);
  detection_ = new DetectionPage(context_, tabs_);
  reports_ = new ReportsPage(context_, tabs_);
  configuration_ = new ConfigurationPage(context_, tabs_);
  utilities_ = new UtilitiesPage(context_, tabs_);
  errors_ = new ErrorsPage(context_, tabs_);
  error_browser_ = new ErrorBrowserPage(context_, tabs_);
  uncoded_ = new UncodedPage(context_, tabs_);
  tabs_->addTab(detection_, ToQString("Detección"_cp));
  tabs_->addTab(errors_, ToQString("Errores por Tipo/Servicio"));
  tabs_->addTab(error_browser_, ToQString("Campos erroneos"));
  tabs_->addTab(uncoded_, ToQString("Altas no codificadas"));
  tabs_->addTab(reports_, ToQString("Listados"));
  tabs_->addTab(utilities_, ToQString("Utilidades"));
  tabs_->addTab(configuration_, ToQString("Configuración"_cp));
  tabs_->addTab(new AboutPage(tabs_), ToQString("Quirovel"));
  // Page 0's type list, page 3's services and the code search fill page 1.
  connect(detection_->type_list(), &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) {
            SelectPage(1);
            errors_->ShowErrorType(detection_->type_list()->row(item) + 1);
          });
  connect(uncoded_, &UncodedPage::serviceEpisodesRequested, this,
          [this](const std::string& code, bool uncoded_only) {
            SelectPage(1);
            errors_->ShowServiceEpisodes(code, uncoded_only);
          });
  connect(utilities_, &UtilitiesPage::searchEpisodesKept, this,
          [this](const std::vector<std::int64_t>& records) {
            SelectPage(1);
            errors_->ShowSearchResult(records);
          });
  // A row of page 1 opens its error or record on page 2.
  connect(errors_, &ErrorsPage::browseRequested, this, [this](const QString& request) {
    SelectPage(2);
    error_browser_->Browse(request);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(BuildSharedControls());

  // The configuration page applies what it shows before an operation reads
  // the record: started is emitted before the worker begins.
  connect(&runner_, &OperationRunner::started, this, [this] {
    if (shown_page_ == 6) configuration_->Left();
    SetBusy(true);
  });
  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::PageChanged);
  connect(error_browser_, &ErrorBrowserPage::BringToFront, this, [this] {
    if (tabs_->currentWidget() == error_browser_)
      error_browser_->Shown();
    else
      tabs_->setCurrentWidget(error_browser_);
  });
  connect(&runner_, &OperationRunner::finished, this, [this] {
    PaintFeedback();
    SetBusy(false);
  });
  connect(&paint_timer_, &QTimer::timeout, this, &MainWindow::PaintFeedback);
  paint_timer_.start(100);

  QSettings settings;
  restoreGeometry(settings.value("window/geometry").toByteArray());
  const int page = settings.value("window/page", 0).toInt();
  tabs_->setCurrentIndex(page >= 0 && page < kPageCount && tabs_->isTabEnabled(page) ? page : 0);
  PageChanged(tabs_->currentIndex());
  ShowCurrentFile();
  detection_->CountFromLog();
}

MainWindow::~MainWindow() { runner_.CancelAndWait(); }

QWidget* MainWindow::BuildSharedControls() {
  auto* shared = new QWidget(this);
  QFont font(QStringLiteral("Courier New"), 9);
  font.setStyleHint(QFont::TypeWriter);
  shared->setFont(font);

  current_file_ = new QLineEdit(shared);
  current_file_->setReadOnly(true);
  record_count_ = new QLabel(shared);
  info_ = new QLabel(shared);
  file_ = new QPushButton(QStringLiteral("&Fichero"), shared);
  file_->setToolTip(ToQString(tooltips::kFile));
  recent_ = new QToolButton(shared);
  recent_->setText(QStringLiteral("Recien&tes"));
  recent_->setPopupMode(QToolButton::InstantPopup);
  recent_->setMenu(new QMenu(recent_));
  connect(recent_->menu(), &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
  auto* help = new QPushButton(QStringLiteral("Ay&uda"), shared);
  help->setToolTip(ToQString(tooltips::kHelp));
  auto* quit = new QPushButton(QStringLiteral("&Salir"), shared);
  status_ = new QLabel(shared);
  status_->setFrameShape(QFrame::Panel);
  status_->setFrameShadow(QFrame::Sunken);
  status_->setToolTip(ToQString(tooltips::kStatusLine));
  progress_ = new QProgressBar(shared);
  progress_->setTextVisible(false);
  progress_->setRange(0, 1);  // a range of 0..0 would be Qt's "busy" bar
  cancel_ = new QPushButton(QStringLiteral("&Cancelar"), shared);
  cancel_->setEnabled(false);

  auto* file_row = new QHBoxLayout;
  file_row->addWidget(current_file_, 3);
  file_row->addWidget(record_count_);
  file_row->addWidget(info_, 1);
  file_row->addWidget(file_);
  file_row->addWidget(recent_);
  file_row->addWidget(help);
  file_row->addWidget(quit);
  auto* status_row = new QHBoxLayout;
  status_row->addWidget(status_, 2);
  status_row->addWidget(progress_, 1);
  status_row->addWidget(cancel_);
  auto* layout = new QVBoxLayout(shared);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(file_row);
  layout->addLayout(status_row);

  connect(file_, &QPushButton::clicked, this, [this] {
    const QString start =
        QString::fromStdString(session_.paths.ToHost(session_.config.CurrentPath()));
    const QString chosen = QFileDialog::getOpenFileName(
        this, ToQString("Selección del fichero con el CMBD-A a procesar"_cp), start,
        QStringLiteral("Ficheros CMBD-A (DBF) (*.dbf *.DBF);;Ficheros de texto (*.txt *.TXT)"));
    if (!chosen.isEmpty()) ChooseFile(chosen);
  });
  connect(help, &QPushButton::clicked, this, &MainWindow::OpenManual);
  connect(quit, &QPushButton::clicked, this, &QWidget::close);
  connect(cancel_, &QPushButton::clicked, &runner_, &OperationRunner::Cancel);
  return shared;
}

void MainWindow::ChooseFile(const QString& host_path) {
  const std::string host = host_path.toStdString();
  if (!FitsStoredText(host)) {
    feedback_.Message("El nombre " + host +
                      " tiene caracteres que la configuración no puede guardar (Windows-1252)"_cp);
    return;
  }
  const std::string stored = session_.paths.ToStored(host);
  if (HasTxtExtension(stored)) {
    // Imported into the .DBF beside it, which becomes current once whole.
    if (!ChooseTextFile(&session_.config, stored)) {
      feedback_.Message("La ruta no cabe en la configuración (máximo 99 caracteres)"_cp);
      return;
    }
    const ImportSettings settings = session_.config.Import(ImportLayout::kCurrent);
    runner_.Start(
        QStringLiteral("Importar"),
        [this, settings] { return ImportAndMakeCurrent(session_, settings).table_written; },
        [this](bool, bool) {
          ShowCurrentFile();
          errors_->ResultsChanged();
          detection_->CountFromLog();
        });
    return;
  }
  if (!HasDbfExtension(stored)) return;  // any other extension does nothing
  runner_.Start(
      QStringLiteral("Fichero"), [this, stored] { return ChooseDbfFile(session_, stored); },
      [this, host_path](bool ok, bool) {
        if (ok && session_.table.is_open()) RememberRecent(host_path);
        ShowCurrentFile();
        errors_->ResultsChanged();
        info_->clear();
        status_->clear();
        detection_->CountFromLog();
      });
}

void MainWindow::RememberRecent(const QString& host_path) {
  QSettings settings;
  QStringList recent = settings.value("recent").toStringList();
  recent.removeAll(host_path);
  recent.prepend(host_path);
  while (recent.size() > 8) recent.removeLast();
  settings.setValue("recent", recent);
}

void MainWindow::FillRecentMenu() {
  QMenu* menu = recent_->menu();
  menu->clear();
  int n = 0;
  for (const QString& path : QSettings().value("recent").toStringList()) {
    QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(path));
    connect(action, &QAction::triggered, this, [this, path] { ChooseFile(path); });
  }
  if (n == 0) menu->addAction(QStringLiteral("(ninguno)"))->setEnabled(false);
}

void MainWindow::ShowCurrentFile() {
  current_file_->setText(ToQString(session_.config.CurrentPath()));
  record_count_->setText(session_.table.is_open() ? QString::number(session_.table.record_count())
                                                  : QString());
}

void MainWindow::PaintFeedback() {
  GuiFeedback::Shown shown;
  if (feedback_.TakeShown(&shown)) {
    status_->setText(shown.status);
    info_->setText(shown.info);
    if (shown.activity_set)
      current_file_->setText(shown.activity.isEmpty() ? ToQString(session_.config.CurrentPath())
                                                      : shown.activity);
    if (shown.record_count >= 0) record_count_->setText(QString::number(shown.record_count));
    progress_->setRange(0, static_cast<int>(std::clamp<long>(shown.range, 1, INT32_MAX)));
    progress_->setValue(static_cast<int>(std::min<long>(shown.position, INT32_MAX)));
  }
  detection_->Repaint();
}

void MainWindow::PageChanged(int index) {
  if (index == shown_page_) return;
  if (shown_page_ == 6 && !runner_.busy()) {
    const int year = session_.config.VersionYear();
    configuration_->Left();
    if (session_.config.VersionYear() != year) ShowCurrentFile();
  }
  shown_page_ = index;
  if (index == 6) configuration_->Shown();
  if (index == 5) utilities_->Shown();
  if (index == 1) errors_->Shown();
  if (index == 2) error_browser_->Shown();
}

void MainWindow::SetBusy(bool busy) {
  cancel_->setEnabled(busy);
  file_->setEnabled(!busy);
  recent_->setEnabled(!busy);
  detection_->SetBusy(busy);
  reports_->SetBusy(busy);
  configuration_->SetBusy(busy);
  utilities_->SetBusy(busy);
  errors_->SetBusy(busy);
  uncoded_->SetBusy(busy);
  error_browser_->SetBusy(busy);
  setCursor(busy ? Qt::BusyCursor : Qt::ArrowCursor);
}

void MainWindow::EditReport(const std::string& name) {
  // The editor is waited for on a thread of its own: the window goes on.
  const ConfigRecord config = session_.config;
  auto outcome = std::make_shared<EditOutcome>();
  QThread* editor = QThread::create([this, config, name, outcome] {
    *outcome = quirovel::EditReport(config, session_.paths, session_.fs, name);
  });
  connect(editor, &QThread::finished, this, [this, editor, outcome, name] {
    editor->deleteLater();
    if (outcome->started) return;
    std::string bytes;
    if (!ReadWholeFile(session_.fs, outcome->report_path, &bytes)) {
      feedback_.Message(StrFormat("No existe el informe %s", outcome->report_path.c_str()));
      return;
    }
    auto* viewer = new ReportViewer(QString::fromStdString(name), bytes, this);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->show();
  });
  editor->start();
}

void MainWindow::OpenManual() {
  const std::string manual = session_.paths.ToHost(kManual);
  if (session_.fs.Exists(manual) &&
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(manual))))
    return;
  feedback_.Message(
      StrFormat("No se puede abrir el manual %s: no existe o no hay un lector de PDF instalado",
                manual.c_str()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runner_.busy()) {
    const auto answer =
        QMessageBox::question(this, windowTitle(),
                              ToQString("Hay una operación en curso ("_cp) + runner_.running() +
                                  ToQString("). ¿Cancelarla y salir?"_cp));
    if (answer != QMessageBox::Yes) {
      event->ignore();
      return;
    }
    runner_.CancelAndWait();
  }
  QSettings settings;
  settings.setValue("window/geometry", saveGeometry());
  settings.setValue("window/page", tabs_->currentIndex());
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && !runner_.busy()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) ChooseFile(urls.first().toLocalFile());
}

}  // namespace quirovel
