#include "app/gui/utilities_page.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <memory>

#include "analyses/history.h"
#include "analyses/out_of_range.h"
#include "analyses/readmissions.h"
#include "app/gui/code_search_dialog.h"
#include "app/gui/import_dialog.h"
#include "app/gui/structure_editor_dialog.h"
#include "app/gui/text_codec.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "storage/dates.h"
#include "transfer/error_table_export.h"
#include "transfer/export_run.h"
#include "transfer/text_import_session.h"

namespace quirovel {
namespace {

QDate DateOf(const std::string& aaaammdd) {
  return QDate(std::stoi(aaaammdd.substr(0, 4)), std::stoi(aaaammdd.substr(4, 2)),
               std::stoi(aaaammdd.substr(6, 2)));
}

std::string TextOf(const QDate& date) {
  return StrFormat("%4d%02d%02d", date.year(), date.month(), date.day());
}

QDateEdit* DateField(QWidget* parent) {
  auto* field = new QDateEdit(QDate::currentDate(), parent);
  field->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  field->setCalendarPopup(true);
  // The fields accept from 1970 on; the discharge range still refuses dates
  // outside 1970-2019, the window its operations have always checked.
  field->setDateRange(QDate(1970, 1, 1), QDate(2099, 12, 31));
  return field;
}

QLineEdit* ResultField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  return field;
}

}  // namespace

UtilitiesPage::UtilitiesPage(WindowContext& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  start_ = DateField(this);
  end_ = DateField(this);
  auto* period = new QGroupBox(QStringLiteral("Periodo"), this);
  auto* from_label = new QLabel(QStringLiteral("&Desde"), period);
  auto* to_label = new QLabel(QStringLiteral("&Hasta"), period);
  from_label->setBuddy(start_);
  to_label->setBuddy(end_);
  auto* period_layout = new QHBoxLayout(period);
  period_layout->addWidget(from_label);
  period_layout->addWidget(start_);
  period_layout->addWidget(to_label);
  period_layout->addWidget(end_);
  period_layout->addStretch();

  structure_ = new QPushButton(QStringLiteral("&Analiza estructura fichero"), this);
  history_ = new QPushButton(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(period);
  layout->addWidget(BuildOutOfRange());
  layout->addWidget(BuildReadmissions());
  auto* transfer = new QHBoxLayout;
  transfer->addWidget(BuildExport(), 3);
  transfer->addWidget(BuildImport(), 2);
  layout->addLayout(transfer);
  errors_table_ = new QPushButton(QStringLiteral("Exportar &Errores.dbf"), this);
  auto* others = new QHBoxLayout;
  others->addWidget(structure_);
  others->addWidget(errors_table_);
  others->addWidget(history_);
  search_ = new QPushButton(ToQString("&Búsqueda diags/procs"_cp), this);
  others->addWidget(search_);
  others->addStretch();
  layout->addLayout(others);
  layout->addStretch();
  connect(errors_table_, &QPushButton::clicked, this, &UtilitiesPage::RunErrorsTable);

  connect(structure_, &QPushButton::clicked, this, &UtilitiesPage::ShowStructure);
  connect(history_, &QPushButton::clicked, this, &UtilitiesPage::RunHistory);
  connect(search_, &QPushButton::clicked, this, &UtilitiesPage::OpenSearch);
  Shown();
}

CodeSearchDialog* UtilitiesPage::search_dialog() {
  if (search_dialog_ == nullptr)
    search_dialog_ =
        new CodeSearchDialog(window_, window());  // stays enabled while the page is busy
  return search_dialog_;
}

void UtilitiesPage::OpenSearch() {
  CodeSearchDialog* dialog = search_dialog();
  dialog->Opened();
  dialog->exec();
  if (!dialog->kept().empty()) emit searchEpisodesKept(dialog->kept());
}

void UtilitiesPage::WirePrint(QPushButton* button, const char* name, const char* title) {
  auto print = [this, name, title] { window_.print_report(name, title, 1.0); };
  connect(button, &QPushButton::clicked, this, print);
  if (window_.add_print_menu) window_.add_print_menu(button, print);
}

QWidget* UtilitiesPage::BuildOutOfRange() {
  auto* box = new QGroupBox(QStringLiteral("Fuera de Rango"), this);
  out_of_range_ = new QPushButton(QStringLiteral("&Fuera de Rango"), box);
  range_ = new QPushButton(QStringLiteral("&Rango altas"), box);
  auto* edit = new QPushButton(QStringLiteral("Editar"), box);
  auto* print = new QPushButton(QStringLiteral("Imprimir"), box);
  out_of_range_result_ = ResultField(box);
  auto* layout = new QGridLayout(box);
  layout->addWidget(out_of_range_, 0, 0);
  layout->addWidget(range_, 0, 1);
  layout->addWidget(edit, 0, 2);
  layout->addWidget(print, 0, 3);
  layout->addWidget(out_of_range_result_, 1, 0, 1, 4);
  connect(out_of_range_, &QPushButton::clicked, this, &UtilitiesPage::RunOutOfRange);
  connect(range_, &QPushButton::clicked, this, &UtilitiesPage::RunDischargeRange);
  connect(edit, &QPushButton::clicked, this, [this] { window_.edit_report("fuerango.txt"); });
  WirePrint(print, "fuerango.txt", "DETECCION de ERRORES del CMBDA: Fuera de rango");
  return box;
}

QWidget* UtilitiesPage::BuildReadmissions() {
  auto* box = new QGroupBox(QStringLiteral("Reingresos"), this);
  readmissions_ = new QPushButton(QStringLiteral("Reingresos &C1"), box);
  same_service_ = new QPushButton(QStringLiteral("&Mismo Servicio"), box);
  days_ = new QLineEdit(QStringLiteral("30"), box);
  days_->setMaximumWidth(60);
  auto* days_label = new QLabel(QStringLiteral("Mismo C1 en"), box);
  days_label->setBuddy(days_);
  auto* edit = new QPushButton(QStringLiteral("Editar"), box);
  auto* print = new QPushButton(QStringLiteral("Imprimir"), box);
  readmissions_result_ = ResultField(box);
  auto* layout = new QGridLayout(box);
  layout->addWidget(readmissions_, 0, 0);
  layout->addWidget(same_service_, 0, 1);
  layout->addWidget(days_label, 0, 2);
  layout->addWidget(days_, 0, 3);
  layout->addWidget(new QLabel(QStringLiteral("dias"), box), 0, 4);
  layout->addWidget(edit, 0, 5);
  layout->addWidget(print, 0, 6);
  layout->addWidget(readmissions_result_, 1, 0, 1, 7);
  connect(readmissions_, &QPushButton::clicked, this, [this] { RunReadmissions(1); });
  connect(same_service_, &QPushButton::clicked, this, [this] { RunReadmissions(2); });
  connect(edit, &QPushButton::clicked, this, [this] { window_.edit_report("reingr.txt"); });
  WirePrint(print, "reingr.txt", "DETECCION de ERRORES del CMBDA: Reingresos");
  return box;
}

QWidget* UtilitiesPage::BuildExport() {
  auto* box = new QGroupBox(QStringLiteral("EXPORTAR"), this);
  auto* layout = new QGridLayout(box);
  int column = 0;
  for (const char* text : {"Mensual", "Trimestral", "CMA"}) {
    auto* button = new QRadioButton(QString::fromLatin1(text), box);
    export_tests_.push_back(button);
    layout->addWidget(button, 0, column++);
  }
  export_tests_[0]->setChecked(true);
  cma_only_ = new QCheckBox(ToQString("Sólo CMA"_cp), box);
  text_format_ = new QRadioButton(QStringLiteral("Texto"), box);
  dbf_format_ = new QRadioButton(QStringLiteral("DBF"), box);
  text_format_->setChecked(true);
  auto* formats = new QButtonGroup(box);
  formats->addButton(text_format_);
  formats->addButton(dbf_format_);
  accumulated_ = new QCheckBox(QStringLiteral("Acumulado Enero"), box);
  layout->addWidget(cma_only_, 0, 3);
  layout->addWidget(text_format_, 1, 0);
  layout->addWidget(dbf_format_, 1, 1);
  layout->addWidget(accumulated_, 1, 2, 1, 2);
  const char* months[] = {"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                          "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
  auto* month_grid = new QGridLayout;
  for (int m = 1; m <= 12; ++m) {
    auto* button = new QPushButton(QString::fromLatin1(months[m - 1]), box);
    month_grid->addWidget(button, (m - 1) / 3, (m - 1) % 3);
    connect(button, &QPushButton::clicked, this, [this, m] { PressMonth(m); });
  }
  layout->addLayout(month_grid, 2, 0, 1, 4);
  export_name_ = new QLineEdit(box);
  export_ = new QPushButton(QStringLiteral("E&xportar"), box);
  auto* name_label = new QLabel(QStringLiteral("&Nombre"), box);
  name_label->setBuddy(export_name_);
  layout->addWidget(name_label, 3, 0);
  layout->addWidget(export_name_, 3, 1, 1, 2);
  layout->addWidget(export_, 3, 3);

  export_page_.accumulated = true;
  export_page_.from = export_page_.to = {QDate::currentDate().year(), QDate::currentDate().month(),
                                         QDate::currentDate().day()};
  auto changed = [this] {
    if (showing_export_) return;
    TakeExportPage();
    RefreshExportName(&export_page_, window_.session.config.HospitalCode());
    ShowExportPage();
  };
  for (QRadioButton* b : export_tests_) connect(b, &QRadioButton::toggled, this, changed);
  connect(start_, &QDateEdit::dateChanged, this, changed);
  connect(end_, &QDateEdit::dateChanged, this, changed);
  connect(export_, &QPushButton::clicked, this, &UtilitiesPage::RunExport);
  accumulated_->setChecked(true);
  cma_only_->setChecked(true);
  changed();
  return box;
}

QWidget* UtilitiesPage::BuildImport() {
  auto* box = new QGroupBox(QStringLiteral("IMPORTAR"), this);
  auto* cmbd = new QPushButton(ToQString("Importar con especificación &CMBD"_cp), box);
  auto* cma = new QPushButton(ToQString("Importar con especificación CM&A"_cp), box);
  auto* dialog = new QPushButton(QStringLiteral("Importar &texto..."), box);
  auto* editor = new QPushButton(QStringLiteral("Crear Estructura &DBF..."), box);
  auto* layout = new QVBoxLayout(box);
  for (QPushButton* b : {cmbd, cma, dialog, editor}) layout->addWidget(b);
  layout->addStretch();
  connect(cmbd, &QPushButton::clicked, this, [this] { RunSavedImport(false); });
  connect(cma, &QPushButton::clicked, this, [this] { RunSavedImport(true); });
  connect(dialog, &QPushButton::clicked, this, [this] {
    ImportDialog d(window_, this);
    d.exec();
  });
  connect(editor, &QPushButton::clicked, this, [this] {
    StructureEditorDialog d(window_, this);
    d.exec();
  });
  return box;
}

void UtilitiesPage::TakeExportPage() {
  for (int t = 0; t < 3; ++t)
    if (export_tests_[static_cast<std::size_t>(t)]->isChecked()) export_page_.test = t;
  export_page_.cma_only = cma_only_->isChecked();
  export_page_.text_format = text_format_->isChecked();
  export_page_.accumulated = accumulated_->isChecked();
  const QDate from = start_->date(), to = end_->date();
  export_page_.from = {from.year(), from.month(), from.day()};
  export_page_.to = {to.year(), to.month(), to.day()};
  export_page_.name = ToProgramText(export_name_->text());
}

void UtilitiesPage::ShowExportPage() {
  showing_export_ = true;
  export_tests_[static_cast<std::size_t>(export_page_.test)]->setChecked(true);
  cma_only_->setVisible(export_page_.test == 2);  // shown only with "CMA"
  cma_only_->setChecked(export_page_.cma_only);
  (export_page_.text_format ? text_format_ : dbf_format_)->setChecked(true);
  accumulated_->setChecked(export_page_.accumulated);
  start_->setDate(QDate(export_page_.from.year, export_page_.from.month, export_page_.from.day));
  end_->setDate(QDate(export_page_.to.year, export_page_.to.month, export_page_.to.day));
  export_name_->setText(ToQString(export_page_.name));
  showing_export_ = false;
}

void UtilitiesPage::PressMonth(int month) {
  TakeExportPage();
  PressMonthButton(&export_page_, month, window_.session.config.HospitalCode());
  ShowExportPage();
}

void UtilitiesPage::ChooseExport(int test, bool cma_only, bool text_format) {
  export_tests_[static_cast<std::size_t>(test)]->setChecked(true);
  cma_only_->setChecked(cma_only);
  (text_format ? text_format_ : dbf_format_)->setChecked(true);
}

void UtilitiesPage::RunExport() {
  TakeExportPage();
  Session& s = window_.session;
  const ExportRequest request = RequestFrom(export_page_, TodayDate());
  window_.runner.Start(QStringLiteral("Exportar"),
                       [&s, request] { return quirovel::RunExport(s, request).written; });
}

void UtilitiesPage::RunErrorsTable() {
  Session& s = window_.session;
  window_.runner.Start(QStringLiteral("Exportar Errores.dbf"),
                       [&s] { return ExportErrors(s).written; });
}

void UtilitiesPage::RunSavedImport(bool cma) {
  Session& s = window_.session;
  const ImportLayout layout = cma ? ImportLayout::kSavedCma : ImportLayout::kSavedCmbd;
  window_.runner.Start(
      QStringLiteral("Importar"),
      [&s, layout] { return ImportWithSavedLayout(s, layout).table_written; },
      [this](bool, bool) {
        if (window_.results_changed) window_.results_changed();
      });
}

std::string UtilitiesPage::StartDate() const { return TextOf(start_->date()); }
std::string UtilitiesPage::EndDate() const { return TextOf(end_->date()); }

void UtilitiesPage::SetPeriod(const QDate& start, const QDate& end) {
  start_->setDate(start);
  end_->setDate(end);
}

void UtilitiesPage::Shown() {
  history_->setText(ToQString("Añadir a Historico ("_cp +
                              HistoryFileName(window_.session.config.HistoryFile()) + ")"));
}

void UtilitiesPage::SetBusy(bool busy) {
  // Every control here reads the configuration, which the worker owns meanwhile.
  setEnabled(!busy);
}

void UtilitiesPage::RunOutOfRange() {
  Session& s = window_.session;
  const AnalysisPeriod period = PeriodOf(StartDate(), EndDate());
  auto result = std::make_shared<OutOfRangeResult>();
  window_.runner.Start(
      QStringLiteral("Fuera de Rango"),
      [&s, period, result] {
        *result = ListOutOfRangeDischarges(s, period);
        return result->completed;
      },
      [this, result](bool, bool) {
        if (!result->result_text.empty())
          out_of_range_result_->setText(ToQString(result->result_text));
      });
}

void UtilitiesPage::RunDischargeRange() {
  Session& s = window_.session;
  auto range = std::make_shared<DischargeRange>();
  window_.runner.Start(
      QStringLiteral("Rango altas"),
      [&s, range] {
        *range = FindDischargeRange(s);
        return !range->cancelled;
      },
      [this, range](bool, bool) {
        if (range->cancelled) return;
        if (range->start_set) start_->setDate(DateOf(range->start_date()));
        if (range->end_set) end_->setDate(DateOf(range->end_date()));
      });
}

void UtilitiesPage::RunReadmissions(int mode) {
  Session& s = window_.session;
  ReadmissionsRequest request;
  request.mode = mode == 2 ? ReadmissionMode::kSameService : ReadmissionMode::kSameC1;
  request.period = PeriodOf(StartDate(), EndDate());
  request.days = static_cast<int>(DecimalValue(ToProgramText(days_->text())));  // no number: 0
  auto result = std::make_shared<ReadmissionsResult>();
  window_.runner.Start(
      mode == 2 ? QStringLiteral("Mismo Servicio") : QStringLiteral("Reingresos C1"),
      [&s, request, result] {
        *result = FindReadmissions(s, request);
        return result->completed;
      },
      [this, result](bool, bool) {
        if (!result->result_text.empty())
          readmissions_result_->setText(ToQString(result->result_text));
      });
}

void UtilitiesPage::RunHistory() {
  Session& s = window_.session;
  window_.runner.Start(
      history_->text(), [&s] { return AppendToHistory(s).outcome == HistoryOutcome::kAppended; },
      [this](bool, bool) {
        if (window_.results_changed) window_.results_changed();
      });
}

void UtilitiesPage::ShowStructure() {
  Session& s = window_.session;
  auto text = std::make_shared<std::string>();
  window_.runner.Start(
      QStringLiteral("Analiza estructura"),
      [&s, text] {
        const bool opened = ReopenCurrentTable(s);
        s.structure.path = s.config.CurrentPath();
        *text = StructureAnalysisText(s.structure);
        return opened;
      },
      [this, text](bool, bool) {
        auto* dialog = new QDialog(this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(QStringLiteral("Analisis de la estructura CMBD"));
        auto* view = new QPlainTextEdit(ToQString(*text), dialog);
        view->setReadOnly(true);
        (new QVBoxLayout(dialog))->addWidget(view);
        dialog->resize(600, 500);
        dialog->show();
      });
}

}  // namespace quirovel
