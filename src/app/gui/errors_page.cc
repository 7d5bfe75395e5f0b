#include "app/gui/errors_page.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "analyses/episode_table_save.h"
#include "app/gui/double_clicks.h"
#include "app/gui/error_browser_dialogs.h"
#include "app/gui/graph_dialog.h"
#include "app/gui/text_codec.h"
#include "app/gui/tooltips.h"
#include "platform/format.h"
#include "session/session.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

QLineEdit* CountField(QWidget* parent, const char* tooltip) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  field->setMaximumWidth(90);
  field->setToolTip(ToQString(tooltip));
  return field;
}

QPushButton* Button(const QString& text, const char* tooltip, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  if (tooltip != nullptr) button->setToolTip(ToQString(tooltip));
  return button;
}

}  // namespace

ErrorsPage::ErrorsPage(WindowContext& window, QWidget* parent) : QWidget(parent), window_(window) {
  types_ = new QComboBox(this);
  types_->setToolTip(ToQString(tooltips::kErrorTypeList));
  types_->addItem(QString());
  for (int e = 1; e <= kCatalogueSize; ++e) types_->addItem(ToQString(ErrorText(e)));
  types_->setMaxVisibleItems(24);
  services_ = new QComboBox(this);
  services_->setToolTip(ToQString(tooltips::kServiceList));
  services_->addItem(QString());
  service_choices_ = ServiceChoices(window_.session.references.services);
  for (const ServiceChoice& c : service_choices_) services_->addItem(ToQString(c.name));
  found_ = CountField(this, tooltips::kErrorsFound);
  service_episodes_ = CountField(this, tooltips::kServiceEpisodes);
  service_name_ = new QLineEdit(this);
  service_name_->setReadOnly(true);

  previous_ = Button(QStringLiteral("<<"), tooltips::kPreviousType, this);
  next_ = Button(QStringLiteral(">>"), tooltips::kNextType, this);
  previous_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  next_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  print_type_ = Button(QStringLiteral("Imprimir tipo"), tooltips::kPrintByType, this);
  print_service_ = Button(QStringLiteral("Imprimir servicio"), tooltips::kPrintByService, this);
  jump_ = Button(QStringLiteral("C&1-P15"), tooltips::kDiagnosisJump, this);
  describe_ = Button(QStringLiteral("E&pi"), tooltips::kEpisodeLabels, this);
  save_ = Button(QStringLiteral("&disco"), tooltips::kSaveTable, this);
  graph_ = Button(QStringLiteral("&Gr"), nullptr, this);

  model_ = new EpisodeTableModel(window_, this);
  view_ = new QTableView(this);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSortingEnabled(true);
  view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view_->horizontalHeader()->setSortIndicatorShown(false);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
  // A right double click does what "Epi" does.
  view_->viewport()->installEventFilter(
      new DoubleClicks(this, Qt::RightButton, [this](bool) { DescribeSelected(); }));
  QFont fixed(QStringLiteral("Courier New"), 9);
  fixed.setStyleHint(QFont::TypeWriter);
  view_->setFont(fixed);

  auto* type_label = new QLabel(QStringLiteral("&Tipo de error"), this);
  type_label->setBuddy(types_);
  auto* service_label = new QLabel(QStringLiteral("Ser&vicio"), this);
  service_label->setBuddy(services_);
  auto* controls = new QGridLayout;
  controls->addWidget(type_label, 0, 0);
  controls->addWidget(types_, 0, 1);
  controls->addWidget(previous_, 0, 2);
  controls->addWidget(next_, 0, 3);
  controls->addWidget(found_, 0, 4);
  controls->addWidget(print_type_, 0, 5);
  controls->addWidget(service_label, 1, 0);
  controls->addWidget(services_, 1, 1);
  controls->addWidget(service_name_, 1, 2, 1, 2);
  controls->addWidget(service_episodes_, 1, 4);
  controls->addWidget(print_service_, 1, 5);
  controls->setColumnStretch(1, 1);
  auto* table_buttons = new QHBoxLayout;
  for (QPushButton* b : {jump_, describe_, save_, graph_}) table_buttons->addWidget(b);
  table_buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addLayout(table_buttons);
  layout->addWidget(view_, 1);

  connect(types_, &QComboBox::activated, this, [this](int index) { ShowErrorType(index); });
  connect(services_, &QComboBox::activated, this, [this](int index) { ShowService(index); });
  connect(previous_, &QPushButton::clicked, this,
          [this] { ShowErrorType(StepErrorNumber(error_number_, -1)); });
  connect(next_, &QPushButton::clicked, this,
          [this] { ShowErrorType(StepErrorNumber(error_number_, 1)); });
  // The errors of the chosen type or service, straight from the log.
  auto print_type = [this] {
    const int type = types_->currentIndex();
    window_.print_error_table(false, type > 0 ? TypeFilter(type) : std::string());
  };
  auto print_service = [this] {
    const int index = services_->currentIndex();
    window_.print_error_table(
        true, index > 0 ? StrFormat("%ld", ChoiceValue(service_choices_, index)) : std::string());
  };
  connect(print_type_, &QPushButton::clicked, this, print_type);
  connect(print_service_, &QPushButton::clicked, this, print_service);
  if (window_.add_print_menu) {
    window_.add_print_menu(print_type_, print_type);
    window_.add_print_menu(print_service_, print_service);
  }
  connect(jump_, &QPushButton::clicked, this, &ErrorsPage::JumpToDiagnoses);
  connect(describe_, &QPushButton::clicked, this, &ErrorsPage::DescribeSelected);
  connect(save_, &QPushButton::clicked, this, &ErrorsPage::SaveTable);
  connect(graph_, &QPushButton::clicked, this, &ErrorsPage::DrawAdmissions);
  connect(view_, &QTableView::doubleClicked, this, [this] {
    const int row = SelectedRow("Haga doble click en valor de la primera columna");
    if (row >= 0) emit browseRequested(model_->Text(row, EpisodeTable::kIdColumn));
  });
}

void ErrorsPage::ShowErrorType(int error_number) {
  error_number_ = std::clamp(error_number, 0, kCatalogueSize);
  types_->setCurrentIndex(error_number_);
  services_->setCurrentIndex(0);
  service_name_->clear();
  EpisodeQuery query;
  if (error_number_ > 0) query.type_filter = TypeFilter(error_number_);
  Search(query);
}

void ErrorsPage::ShowService(int index) {
  types_->setCurrentIndex(0);
  error_number_ = 0;
  services_->setCurrentIndex(index);
  service_name_->clear();
  EpisodeQuery query;
  if (index > 0) query.service_filter = StrFormat("%ld", ChoiceValue(service_choices_, index));
  Search(query);
}

void ErrorsPage::ShowServiceEpisodes(const std::string& code, bool uncoded_only) {
  EpisodeQuery query;
  query.mode =
      uncoded_only ? EpisodeTableMode::kUncodedOfService : EpisodeTableMode::kDischargesOfService;
  query.service_code = code;
  Search(query);
}

void ErrorsPage::ShowSearchResult(std::vector<std::int64_t> records) {
  EpisodeQuery query;
  query.mode = EpisodeTableMode::kSearchResult;
  query.records = std::move(records);
  Search(query);
}

void ErrorsPage::Search(const EpisodeQuery& query) {
  if (window_.runner.busy()) return;
  Session& s = window_.session;
  auto table = std::make_shared<EpisodeTable>();
  auto counts = std::make_shared<EpisodeTableCounts>();
  model_->SetTable({});
  found_->clear();
  service_episodes_->clear();
  stale_ = false;
  window_.runner.Start(
      QStringLiteral("Llenando tabla"),
      [&s, query, table, counts] {
        *counts = SearchEpisodes(s, query, table.get());
        return !counts->stopped && !counts->incomplete;
      },
      [this, table, counts](bool, bool) {
        model_->SetTable(std::move(*table));
        found_->setText(QString::number(counts->rows));
        service_episodes_->setText(QString::number(counts->service_episodes));
        if (!counts->service_name.empty()) service_name_->setText(ToQString(counts->service_name));
      });
}

void ErrorsPage::ResultsChanged() {
  stale_ = true;
  if (isVisible()) Shown();
}

void ErrorsPage::Shown() {
  if (!stale_ || window_.runner.busy()) return;  // "disco" or "Gr" may be reading the rows
  stale_ = false;
  model_->SetTable({});
  found_->clear();
  service_episodes_->clear();
}

void ErrorsPage::SetBusy(bool busy) {
  for (QWidget* w :
       std::initializer_list<QWidget*>{types_, services_, previous_, next_, print_type_,
                                       print_service_, describe_, save_, graph_})
    w->setEnabled(!busy);
}

int ErrorsPage::SelectedRow(const char* text) const {
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  if (rows.isEmpty()) {
    window_.feedback.Message(text);
    return -1;
  }
  return rows.first().row();
}

void ErrorsPage::JumpToDiagnoses() {
  // The diagnosis column first in view, the rows kept where they are.
  const int x = view_->columnViewportPosition(kDiagnosisColumn);
  QScrollBar* bar = view_->horizontalScrollBar();
  bar->setValue(bar->value() + x);
}

void ErrorsPage::DescribeSelected() {
  if (window_.runner.busy()) return;
  const int row = SelectedRow("Elija un episodio");
  if (row < 0) return;
  const EpisodeTable& table = model_->table();
  // A modal dialog: no operation owns the session while it is open.
  // "Siguiente" shows the episode of the next row.
  std::size_t shown = static_cast<std::size_t>(row);
  EpisodeDialog dialog(window_.session, this);
  dialog.Describe(table.Record(shown));
  dialog.next_button()->setEnabled(shown + 1 < table.size());
  connect(dialog.next_button(), &QPushButton::clicked, &dialog, [&] {
    if (shown + 1 >= table.size()) return;
    dialog.Describe(table.Record(++shown));
    dialog.next_button()->setEnabled(shown + 1 < table.size());
  });
  dialog.exec();
}

void ErrorsPage::SaveTable() {
  Session& s = window_.session;
  const EpisodeTable* table = &model_->table();
  window_.runner.Start(QStringLiteral("disco"),
                       [&s, table] { return SaveEpisodeTable(s, *table); });
}

void ErrorsPage::DrawAdmissions() {
  Session& s = window_.session;
  const EpisodeTable* table = &model_->table();
  auto histogram = std::make_shared<UncodedHistogram>();
  window_.runner.Start(
      QStringLiteral("Gr"),
      [&s, table, histogram] {
        *histogram = AdmissionsHistogram(s, *table);
        return true;
      },
      [this, histogram](bool, bool) {
        last_graph_ = ShowGraph(*histogram, kAdmissionsGraphTitle, this);
      });
}

}  // namespace quirovel
