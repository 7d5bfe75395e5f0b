#include "app/gui/utilities_page.h"

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
#include "app/gui/text_codec.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "storage/dates.h"

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
  operations_ = {structure_, history_};

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(period);
  layout->addWidget(BuildOutOfRange());
  layout->addWidget(BuildReadmissions());
  auto* others = new QHBoxLayout;
  others->addWidget(structure_);
  others->addWidget(history_);
  others->addStretch();
  layout->addLayout(others);
  layout->addStretch();

  connect(structure_, &QPushButton::clicked, this, &UtilitiesPage::ShowStructure);
  connect(history_, &QPushButton::clicked, this, &UtilitiesPage::RunHistory);
  Shown();
}

QWidget* UtilitiesPage::BuildOutOfRange() {
  auto* box = new QGroupBox(QStringLiteral("Fuera de Rango"), this);
  out_of_range_ = new QPushButton(QStringLiteral("&Fuera de Rango"), box);
  range_ = new QPushButton(QStringLiteral("&Rango altas"), box);
  auto* edit = new QPushButton(QStringLiteral("Editar"), box);
  auto* print = new QPushButton(QStringLiteral("Imprimir"), box);
  print->setEnabled(false);  // printing comes with its own dialog
  out_of_range_result_ = ResultField(box);
  auto* layout = new QGridLayout(box);
  layout->addWidget(out_of_range_, 0, 0);
  layout->addWidget(range_, 0, 1);
  layout->addWidget(edit, 0, 2);
  layout->addWidget(print, 0, 3);
  layout->addWidget(out_of_range_result_, 1, 0, 1, 4);
  operations_.insert(operations_.end(), {out_of_range_, range_, edit});
  connect(out_of_range_, &QPushButton::clicked, this, &UtilitiesPage::RunOutOfRange);
  connect(range_, &QPushButton::clicked, this, &UtilitiesPage::RunDischargeRange);
  connect(edit, &QPushButton::clicked, this, [this] { window_.edit_report("fuerango.txt"); });
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
  print->setEnabled(false);
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
  operations_.insert(operations_.end(), {readmissions_, same_service_, edit});
  connect(readmissions_, &QPushButton::clicked, this, [this] { RunReadmissions(1); });
  connect(same_service_, &QPushButton::clicked, this, [this] { RunReadmissions(2); });
  connect(edit, &QPushButton::clicked, this, [this] { window_.edit_report("reingr.txt"); });
  return box;
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
  for (QPushButton* b : operations_) b->setEnabled(!busy);
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
