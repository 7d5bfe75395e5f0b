#include "app/gui/code_search_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>

#include "analyses/code_search_descriptions.h"
#include "app/gui/text_codec.h"
#include "session/session.h"

namespace quirovel {
namespace {

constexpr const char* kTitle = "Búsqueda de Diagnósticos y Procedimientos"_cp;
constexpr const char* kExample = "Ejemplo.: 652.6,  65*,  37.2  -  37.99,  6*  -  7*";
constexpr const char* kKeep = "Reflejar Episodios en Pestaña:  Errores por Tipo / Servicio"_cp;
constexpr const char* kFindCodes = "Buscar c&ódigos"_cp;

QDateEdit* DateField(const QDate& date, QWidget* parent) {
  auto* field = new QDateEdit(date, parent);
  field->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  field->setCalendarPopup(true);
  field->setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));
  return field;
}

std::string DateText(const QDateEdit* field) {
  return field->date().toString(QStringLiteral("yyyyMMdd")).toStdString();
}

QComboBox* ChoiceList(const std::vector<ChoiceEntry>& choices, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->addItem(QString());
  for (const ChoiceEntry& c : choices) list->addItem(ToQString(c.text));
  return list;
}

QLineEdit* ShortField(int length, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setMaxLength(length);
  field->setMaximumWidth(16 + 12 * length);
  return field;
}

}  // namespace

CodeSearchDialog::CodeSearchDialog(WindowContext& window, QWidget* parent)
    : QDialog(parent), window_(window) {
  setWindowTitle(ToQString(kTitle));
  text_ = new QPlainTextEdit(this);
  text_->setMaximumHeight(90);
  description_ = new QLineEdit(this);
  description_->setMaxLength(static_cast<int>(kMaxDescriptionText));
  find_codes_ = new QPushButton(ToQString(kFindCodes), this);

  auto* codes = new QGroupBox(ToQString("Códigos"_cp), this);
  auto* codes_layout = new QGridLayout(codes);
  codes_layout->addWidget(text_, 0, 0, 1, 3);
  codes_layout->addWidget(new QLabel(QString::fromLatin1(kExample), codes), 1, 0, 1, 3);
  auto* description_label = new QLabel(ToQString("&Descripción contiene"_cp), codes);
  description_label->setBuddy(description_);
  codes_layout->addWidget(description_label, 2, 0);
  codes_layout->addWidget(description_, 2, 1);
  codes_layout->addWidget(find_codes_, 2, 2);

  const QDate today = QDate::currentDate();
  discharge_from_ = DateField(QDate(today.year(), 1, 1), this);
  discharge_to_ = DateField(today, this);
  admission_from_ = DateField(QDate(today.year(), 1, 1), this);
  admission_to_ = DateField(today, this);
  service_ = new QComboBox(this);
  service_->addItem(QString());
  service_choices_ = ServiceChoices(window_.session.references.services);
  for (const ServiceChoice& c : service_choices_) service_->addItem(ToQString(c.name));
  sex_ = ChoiceList(SexChoices(), this);
  admission_type_ = ChoiceList(AdmissionTypeChoices(), this);
  discharge_type_ = ChoiceList(DischargeTypeChoices(), this);
  age_low_ = ShortField(3, this);
  age_high_ = ShortField(3, this);
  residence_ = ShortField(5, this);

  auto* conditions = new QGroupBox(QStringLiteral("Condiciones"), this);
  auto* grid = new QGridLayout(conditions);
  const char* names[8] = {"&Alta",   "Se&rvicio",   "Se&xo",      "&Edad",
                          "T&iping", "Resi&dencia", "Tipo A&lta", "I&ngreso"};
  for (int i = 0; i < 8; ++i) {
    boxes_[static_cast<std::size_t>(i)] = new QCheckBox(QString::fromLatin1(names[i]), conditions);
    grid->addWidget(boxes_[static_cast<std::size_t>(i)], i, 0);
  }
  auto pair = [conditions](QWidget* a, QWidget* b) {
    auto* row = new QWidget(conditions);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(a);
    layout->addWidget(new QLabel(QStringLiteral("->"), row));
    layout->addWidget(b);
    layout->addStretch();
    return row;
  };
  grid->addWidget(pair(discharge_from_, discharge_to_), kAlta, 1);
  grid->addWidget(service_, kServicio, 1);
  grid->addWidget(sex_, kSexo, 1);
  grid->addWidget(pair(age_low_, age_high_), kEdad, 1);
  grid->addWidget(admission_type_, kTiping, 1);
  grid->addWidget(residence_, kResidencia, 1);
  grid->addWidget(discharge_type_, kTipoAlta, 1);
  grid->addWidget(pair(admission_from_, admission_to_), kIngreso, 1);

  patterns_ = new QTableWidget(0, 6, this);
  patterns_->setHorizontalHeaderLabels(
      {QStringLiteral("Rango"), QStringLiteral("Desde"), QStringLiteral("Hasta"),
       QStringLiteral("Frecuencia"), QStringLiteral("Episodios"), QStringLiteral("Observaciones")});
  patterns_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  patterns_->verticalHeader()->hide();
  patterns_->horizontalHeader()->setStretchLastSection(true);

  keep_ = new QCheckBox(ToQString(kKeep), this);
  search_ = new QPushButton(QStringLiteral("&Buscar"), this);
  search_->setDefault(true);
  clear_ = new QPushButton(QStringLiteral("Lim&pia"), this);
  stop_ = new QPushButton(QStringLiteral("De&tener"), this);
  stop_->setEnabled(false);
  episodes_ = new QLineEdit(this);
  episodes_->setReadOnly(true);
  episodes_->setMaximumWidth(90);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

  auto* actions = new QHBoxLayout;
  actions->addWidget(search_);
  actions->addWidget(clear_);
  actions->addWidget(stop_);
  actions->addWidget(new QLabel(QStringLiteral("Episodios"), this));
  actions->addWidget(episodes_);
  actions->addStretch();
  auto* top = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(codes);
  left->addLayout(actions);
  left->addWidget(patterns_, 1);
  top->addLayout(left, 3);
  top->addWidget(conditions, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(keep_);
  layout->addWidget(buttons);

  connect(search_, &QPushButton::clicked, this, &CodeSearchDialog::Search);
  connect(find_codes_, &QPushButton::clicked, this, &CodeSearchDialog::FindCodes);
  connect(clear_, &QPushButton::clicked, this, &CodeSearchDialog::Clear);
  connect(stop_, &QPushButton::clicked, &window_.runner, &OperationRunner::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(980, 620);
}

void CodeSearchDialog::Opened() { kept_.clear(); }

SearchRequest CodeSearchDialog::Request() const {
  SearchRequest r;
  r.text = ToProgramText(text_->toPlainText());
  r.keep_episodes = keep_->isChecked();
  SearchConditions& c = r.conditions;
  auto on = [this](Condition k) { return boxes_[k]->isChecked(); };
  c.discharge = on(kAlta);
  c.discharge_from = DateText(discharge_from_);
  c.discharge_to = DateText(discharge_to_);
  c.service = on(kServicio);
  c.service_value = ChoiceValue(service_choices_, service_->currentIndex());
  c.sex = on(kSexo);
  c.sex_value = ChoiceValue(SexChoices(), sex_->currentIndex());
  c.age = on(kEdad);
  c.age_low = ToProgramText(age_low_->text());
  c.age_high = ToProgramText(age_high_->text());
  c.admission_type = on(kTiping);
  c.admission_type_value = ChoiceValue(AdmissionTypeChoices(), admission_type_->currentIndex());
  c.residence = on(kResidencia);
  c.residence_text = ToProgramText(residence_->text());
  c.discharge_type = on(kTipoAlta);
  c.discharge_type_value = ChoiceValue(DischargeTypeChoices(), discharge_type_->currentIndex());
  c.admission = on(kIngreso);
  c.admission_from = DateText(admission_from_);
  c.admission_to = DateText(admission_to_);
  return r;
}

void CodeSearchDialog::Search() {
  if (window_.runner.busy()) return;
  Session& s = window_.session;
  const SearchRequest request = Request();
  auto result = std::make_shared<SearchResult>();
  kept_.clear();
  patterns_->setRowCount(0);
  episodes_->clear();
  SetBusy(true);
  const bool started = window_.runner.Start(
      QStringLiteral("Buscar"),
      [&s, request, result] {
        *result = SearchEpisodes(s, request);
        return result->end == SearchEnd::kCompleted;
      },
      [this, result](bool, bool) {
        SetBusy(false);
        ShowPatterns(result->patterns);
        if (result->end == SearchEnd::kCompleted || result->end == SearchEnd::kUnreadable) {
          episodes_->setText(QString::number(result->matches));
          kept_ = std::move(result->kept);
        }
      });
  if (!started) SetBusy(false);
}

void CodeSearchDialog::ShowPatterns(const PatternList& patterns) {
  patterns_->setRowCount(static_cast<int>(patterns.size()));
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    const PatternTableRow row = PatternRow(static_cast<int>(i), patterns[i]);
    const std::string* texts[6] = {&row.number,    &row.low,      &row.high,
                                   &row.frequency, &row.episodes, &row.remarks};
    for (int c = 0; c < 6; ++c) {
      const bool shown = c != 2 || patterns[i].range;
      auto* item = new QTableWidgetItem(shown ? ToQString(*texts[c]) : QString());
      if (c == 0 || c == 3 || c == 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      patterns_->setItem(static_cast<int>(i), c, item);
    }
  }
}

void CodeSearchDialog::FindCodes() {
  if (window_.runner.busy()) return;
  Session& s = window_.session;
  const std::string text = ToProgramText(description_->text());
  auto found = std::make_shared<FoundCodes>();
  SetBusy(true);
  const bool started = window_.runner.Start(
      ToQString("Buscar códigos"_cp),
      [&s, text, found] {
        *found = FindCodesByDescription(s, text);
        return !found->stopped;
      },
      [this, found](bool, bool) {
        SetBusy(false);
        if (!found->stopped) text_->setPlainText(ToQString(found->text));
      });
  if (!started) SetBusy(false);
}

void CodeSearchDialog::Clear() {
  text_->clear();
  for (QCheckBox* box : boxes_) box->setChecked(false);
}

void CodeSearchDialog::SetBusy(bool busy) {
  for (QWidget* w : std::initializer_list<QWidget*>{search_, find_codes_, clear_})
    w->setEnabled(!busy);
  stop_->setEnabled(busy);
}

void CodeSearchDialog::done(int result) {
  if (window_.runner.busy()) return;  // the search ends first (or "Detener")
  QDialog::done(result);
}

}  // namespace quirovel
