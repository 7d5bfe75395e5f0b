#include "app/gui/detection_page.h"

#include <QColor>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <array>

#include "app/gui/text_codec.h"
#include "app/gui/tooltips.h"
#include "detection/error_grouping.h"
#include "detection/run_detection.h"

namespace quirovel {

DetectionPage::DetectionPage(WindowContext& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  auto* type_box = new QGroupBox(ToQString("Tipo de test"), this);
  mensual_ = new QRadioButton(QStringLiteral("&Mensual"), type_box);
  trimestral_ = new QRadioButton(QStringLiteral("T&rimestral"), type_box);
  cma_ = new QRadioButton(QStringLiteral("C&MA"), type_box);
  trimestral_->setChecked(true);  // as the page has always started
  auto* type_layout = new QVBoxLayout(type_box);
  for (QRadioButton* b : {mensual_, trimestral_, cma_}) type_layout->addWidget(b);

  test_ = new QPushButton(QStringLiteral("&Test"), this);
  test_->setToolTip(ToQString(tooltips::kTest));
  edit_ = new QPushButton(QStringLiteral("&Editar errores"), this);
  edit_->setToolTip(ToQString(tooltips::kEditErrors));
  print_ = new QPushButton(QStringLiteral("&Imprimir"), this);

  types_ = new QListWidget(this);
  fields_ = new QListWidget(this);
  QFont fixed(QStringLiteral("Courier New"), 9);
  fixed.setStyleHint(QFont::TypeWriter);
  types_->setFont(fixed);
  fields_->setFont(fixed);
  counts_ = std::make_unique<CountLists>(types_, fields_);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(type_box);
  buttons->addWidget(test_);
  buttons->addWidget(edit_);
  buttons->addWidget(print_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(types_, 3);
  layout->addWidget(fields_, 1);

  connect(test_, &QPushButton::clicked, this, &DetectionPage::RunTest);
  for (QRadioButton* b : {mensual_, trimestral_, cma_})
    connect(b, &QRadioButton::toggled, this, [this] { ColourDisabledErrors(); });
  ColourDisabledErrors();
  connect(edit_, &QPushButton::clicked, this, [this] { window_.edit_report("errores.txt"); });
  auto print = [this] {
    window_.print_report("resumen.txt", "DETECCION de ERRORES del CMBDA: Resumen", 1.0);
  };
  connect(print_, &QPushButton::clicked, this, print);
  if (window_.add_print_menu) window_.add_print_menu(print_, print);
}

DetectionPage::~DetectionPage() {
  if (window_.session.run.count_view == counts_.get()) window_.session.run.count_view = nullptr;
}

int DetectionPage::TestType() const {
  if (mensual_->isChecked()) return kMensual;
  if (cma_->isChecked()) return kCma;
  if (trimestral_->isChecked()) return kTrimestral;
  return kMensual;  // none checked
}

void DetectionPage::RunTest() {
  Session& s = window_.session;
  s.run.count_view = counts_.get();
  counts_->Clear();
  const int type = TestType();
  window_.runner.Start(
      QStringLiteral("Test"), [&s, type] { return RunDetection(s, type); },
      [this](bool, bool) {
        counts_->Repaint();
        if (window_.results_changed) window_.results_changed();
      });
}

void DetectionPage::CountFromLog() {
  Session& s = window_.session;
  s.run.count_view = counts_.get();
  counts_->Clear();
  window_.runner.Start(
      QStringLiteral("Contando errores"),
      [&s] {
        std::array<std::int32_t, 72> counts{};
        return CountErrorsByType(s, &counts);
      },
      [this](bool, bool) { counts_->Repaint(); });
}

void DetectionPage::ColourDisabledErrors() {
  const int type = TestType();
  for (int e = 1; e <= 71; ++e) {
    QListWidgetItem* item = types_->item(e - 1);
    const bool on = window_.session.config.ErrorEnabled(e, type);
    item->setForeground(on ? palette().color(QPalette::Text) : QColor(Qt::gray));
  }
}

void DetectionPage::SetBusy(bool busy) {
  // The radio buttons read the configuration, which the worker owns meanwhile.
  for (QWidget* w :
       std::initializer_list<QWidget*>{test_, edit_, print_, mensual_, trimestral_, cma_})
    w->setEnabled(!busy);
}

}  // namespace quirovel
