#include "app/gui/uncoded_page.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

#include "analyses/uncoded_service_report.h"
#include "app/gui/double_clicks.h"
#include "app/gui/text_codec.h"
#include "app/gui/tooltips.h"
#include "session/session.h"

namespace quirovel {
namespace {

constexpr const char* kUncodedPrintTitle = "DETECCION de ERRORES del CMBDA: Altas no codificadas";

}  // namespace
namespace {

QPushButton* Button(const QString& text, const char* tooltip, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setToolTip(ToQString(tooltip));
  return button;
}

}  // namespace

UncodedPage::UncodedPage(WindowContext& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  summary_button_ = Button(QStringLiteral("&Resumen"), tooltips::kUncodedSummary, this);
  print_summary_ = Button(QStringLiteral("Imprimir"), tooltips::kPrintUncodedSummary, this);
  print_list_ = Button(QStringLiteral("Imprimir"), tooltips::kPrintUncodedList, this);
  service_report_ =
      Button(QStringLiteral("&No codif x servicio"), tooltips::kUncodedOfService, this);
  graph_ = Button(QStringLiteral("&Grafica"), tooltips::kUncodedGraph, this);

  list_ = new QTreeWidget(this);
  list_->setToolTip(ToQString(tooltips::kSummaryList));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  QStringList headers;
  for (std::string_view h : kSummaryHeaders) headers << ToQString(h);
  list_->setHeaderLabels(headers);
  list_->header()->setSectionsClickable(true);
  list_->header()->setSortIndicatorShown(false);
  QFont fixed(QStringLiteral("Courier New"), 9);
  fixed.setStyleHint(QFont::TypeWriter);
  list_->setFont(fixed);
  list_->setColumnWidth(1, 260);
  list_->viewport()->installEventFilter(new DoubleClicks(
      this, Qt::LeftButton | Qt::RightButton, [this](bool right) { OpenSelectedService(right); }));

  text_ = new QLineEdit(this);
  text_->setReadOnly(true);
  text_->setFont(fixed);

  auto* buttons = new QGridLayout;
  buttons->addWidget(summary_button_, 0, 0);
  buttons->addWidget(print_summary_, 0, 1);
  buttons->addWidget(service_report_, 0, 2);
  buttons->addWidget(print_list_, 0, 3);
  buttons->addWidget(graph_, 0, 4);
  buttons->setColumnStretch(5, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(list_, 1);
  layout->addWidget(text_);

  connect(summary_button_, &QPushButton::clicked, this, &UncodedPage::BuildSummary);
  connect(service_report_, &QPushButton::clicked, this, &UncodedPage::WriteServiceReport);
  connect(print_summary_, &QPushButton::clicked, this, &UncodedPage::PrintSummary);
  auto print_list = [this] { window_.print_report("altnocod.txt", kUncodedPrintTitle, 1.0); };
  connect(print_list_, &QPushButton::clicked, this, print_list);
  if (window_.add_print_menu) window_.add_print_menu(print_list_, print_list);
  connect(graph_, &QPushButton::clicked, this, &UncodedPage::DrawGraph);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &UncodedPage::SortByColumn);
}

void UncodedPage::BuildSummary() {
  Session& s = window_.session;
  auto built = std::make_shared<UncodedSummary>();
  const int direction = direction_;
  list_->clear();
  text_->clear();
  window_.runner.Start(
      QStringLiteral("Resumen"),
      [&s, built, direction] {
        *built = BuildUncodedSummary(s, direction);
        return !built->stopped && !built->incomplete;
      },
      [this, built](bool, bool) {
        summary_ = std::move(*built);
        ShowRows();
        text_->setText(ToQString(summary_.text));
      });
}

void UncodedPage::ShowRows() {
  list_->clear();
  const ServiceTable& services = window_.session.references.services;
  QList<QTreeWidgetItem*> items;
  for (const ServiceTally& row : summary_.rows) {
    const auto texts = SummaryRowTexts(row, services, summary_.last_run_errors);
    QStringList columns;
    for (const std::string& t : texts) columns << ToQString(t);
    auto* item = new QTreeWidgetItem(columns);
    for (int c : {2, 3, 4, 5, 6}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    items << item;
  }
  list_->addTopLevelItems(items);
  list_->scrollToTop();
}

void UncodedPage::SortByColumn(int column) {
  if (window_.runner.busy() || column < 0 || column >= kSummaryColumns) return;
  direction_ = -direction_;
  SortSummary(&summary_, window_.session.references.services, column, direction_);
  ShowRows();
}

int UncodedPage::SelectedRow() const {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return -1;
  const int row = list_->indexOfTopLevelItem(selected.first());
  return row >= 0 && static_cast<std::size_t>(row) < summary_.rows.size() ? row : -1;
}

void UncodedPage::OpenSelectedService(bool right_button) {
  if (window_.runner.busy()) return;
  const int row = SelectedRow();
  if (row < 0) {
    window_.feedback.Message("Haga doble click en valor de la primera columna");
    return;
  }
  emit serviceEpisodesRequested(summary_.rows[static_cast<std::size_t>(row)].code, !right_button);
}

void UncodedPage::WriteServiceReport() {
  const int row = SelectedRow();
  if (row < 0) return;  // without a chosen service there is nothing to write
  Session& s = window_.session;
  const std::string code = summary_.rows[static_cast<std::size_t>(row)].code;
  const std::string name = s.references.services.ServiceName(code);
  window_.runner.Start(
      QStringLiteral("No codif x servicio"),
      [&s, code] { return WriteUncodedOfService(s, code).written; },
      [this, name](bool written, bool) {
        // Printed once this operation has finished in every listener.
        if (written)
          QTimer::singleShot(
              0, this, [this, name] { window_.print_service_report("altnocodserv.txt", name); });
      });
}

void UncodedPage::PrintSummary() {
  // The list as it stands, in its current order, goes to "altas.txt" first.
  Session& s = window_.session;
  const UncodedSummary* summary = &summary_;
  window_.runner.Start(
      QStringLiteral("Imprimir"), [&s, summary] { return WriteUncodedTotals(s, *summary); },
      [this](bool written, bool) {
        if (written)
          QTimer::singleShot(
              0, this, [this] { window_.print_report("altas.txt", kUncodedPrintTitle, 1.0); });
      });
}

void UncodedPage::DrawGraph() {
  if (summary_.histogram.bars == 0) return;
  last_graph_ = ShowGraph(summary_.histogram, kUncodedGraphTitle, this);
}

void UncodedPage::SetBusy(bool busy) {
  for (QWidget* w : std::initializer_list<QWidget*>{summary_button_, print_summary_,
                                                    service_report_, print_list_, graph_})
    w->setEnabled(!busy);
}

}  // namespace quirovel
