#include "app/gui/configuration_page.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/gui/text_codec.h"
#include "reference/reference_tables.h"
#include "session/config_file.h"
#include "session/config_page_actions.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr int kMarkColumns = 3;  // "Men Trim  CMA"

}  // namespace

ConfigurationPage::ConfigurationPage(WindowContext& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  auto* marks_box = new QGroupBox(QStringLiteral("Errores a testear"), this);
  marks_ = new QTableWidget(71, kMarkColumns + 1, marks_box);
  marks_->setHorizontalHeaderLabels({"Men", "Trim", "CMA", ""});
  marks_->horizontalHeader()->setStretchLastSection(true);
  marks_->verticalHeader()->setVisible(false);
  for (int e = 1; e <= 71; ++e) {
    for (int t = 0; t < kMarkColumns; ++t) {
      auto* mark = new QTableWidgetItem;
      mark->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
      marks_->setItem(e - 1, t, mark);
    }
    auto* text = new QTableWidgetItem(ToQString(ErrorText(e)));
    text->setFlags(Qt::ItemIsEnabled);
    marks_->setItem(e - 1, kMarkColumns, text);
  }
  marks_->resizeColumnsToContents();
  (new QVBoxLayout(marks_box))->addWidget(marks_);

  auto* hospital_box = new QGroupBox(QStringLiteral("Hospital"), this);
  hospitals_ = new QComboBox(hospital_box);
  code_ = new QLineEdit(hospital_box);
  code_->setReadOnly(true);
  code_->setMaximumWidth(80);
  auto* code_label = new QLabel(ToQString("Código"_cp), hospital_box);
  auto* hospital_layout = new QHBoxLayout(hospital_box);
  hospital_layout->addWidget(hospitals_, 1);
  hospital_layout->addWidget(code_label);
  hospital_layout->addWidget(code_);

  auto* version_box = new QGroupBox(ToQString("Versión CIE9MC"_cp), this);
  auto* version_layout = new QVBoxLayout(version_box);
  auto* version_group = new QButtonGroup(this);
  for (const VersionButton& b : kVersionButtons) {
    auto* button = new QRadioButton(ToQString(b.text), version_box);
    button->setVisible(b.shown);  // the automatic mode is never offered
    version_group->addButton(button);
    version_layout->addWidget(button);
    versions_.push_back(button);
  }

  auto* editor_button = new QPushButton(QStringLiteral("&Editor"), this);
  editor_ = new QLabel(this);
  auto* history_button = new QPushButton(ToQString("&Histórico"_cp), this);
  history_ = new QLabel(this);
  scale_ = new QLineEdit(this);
  scale_->setMaxLength(5);
  scale_->setMaximumWidth(70);
  auto* scale_label = new QLabel(QStringLiteral("Letra &Impresora  X"), this);
  scale_label->setBuddy(scale_);

  auto* fields_box = new QGroupBox(ToQString("% cumplimentación (Tener en cuenta)"_cp), this);
  fields_ = new QListWidget(fields_box);
  fields_->setSelectionMode(QAbstractItemView::MultiSelection);
  for (int k = 1; k <= kCmbdFieldCount; ++k) fields_->addItem(ToQString(CmbdFieldName(k)));
  (new QVBoxLayout(fields_box))->addWidget(fields_);

  auto* save = new QPushButton(ToQString("&Guardar Personalización"_cp), this);
  auto* reload = new QPushButton(ToQString("&Recuperar Personalización"_cp), this);
  defaults_ = new QPushButton(QStringLiteral("&Por defecto"), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(marks_box, 0, 0, 6, 1);
  grid->addWidget(hospital_box, 0, 1, 1, 2);
  grid->addWidget(version_box, 1, 1, 3, 1);
  grid->addWidget(fields_box, 1, 2, 3, 1);
  grid->addWidget(editor_button, 4, 1);
  grid->addWidget(editor_, 4, 2);
  grid->addWidget(history_button, 5, 1);
  grid->addWidget(history_, 5, 2);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(scale_label);
  bottom->addWidget(scale_);
  bottom->addStretch();
  bottom->addWidget(save);
  bottom->addWidget(reload);
  bottom->addWidget(defaults_);
  grid->addLayout(bottom, 6, 0, 1, 3);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(2, 1);

  connect(marks_, &QTableWidget::itemChanged, this, [this] {
    if (filling_) return;
    // The marks reach the record as the list leaves them, without writing.
    TakeControls();
    StoreErrorMarks(controls_, &window_.session.config);
  });
  connect(hospitals_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    if (filling_) return;
    ChooseHospital(window_.session, ToProgramText(name), &controls_);
    code_->setText(ToQString(controls_.hospital_code));
  });
  connect(editor_button, &QPushButton::clicked, this, &ConfigurationPage::ChooseEditorFile);
  connect(history_button, &QPushButton::clicked, this, &ConfigurationPage::ChooseHistoryFile);
  connect(save, &QPushButton::clicked, this, &ConfigurationPage::Save);
  connect(reload, &QPushButton::clicked, this, [this] {
    ReloadConfig(window_.session);
    Fill();
  });
  connect(defaults_, &QPushButton::clicked, this, [this] {
    if (LoadDefaultsFile(window_.session)) Fill();
  });
  // The field list saves as it loses the focus.
  fields_->installEventFilter(this);
  connect(fields_, &QListWidget::itemSelectionChanged, this, [this] {
    if (filling_) return;
    TakeControls();
  });

  Fill();
}

void ConfigurationPage::Fill() {
  filling_ = true;
  Session& s = window_.session;
  controls_ = FillControls(s.config);
  for (int e = 0; e < 71; ++e)
    for (int t = 0; t < kMarkColumns; ++t)
      marks_->item(e, t)->setCheckState(
          controls_.error_marks[static_cast<std::size_t>(e)][static_cast<std::size_t>(t)]
              ? Qt::Checked
              : Qt::Unchecked);
  hospitals_->clear();
  for (const std::string& name : HospitalNames(s.fs, s.feedback, s.paths))
    hospitals_->addItem(ToQString(name));
  hospitals_->setCurrentText(ToQString(controls_.hospital_name));
  code_->setText(ToQString(controls_.hospital_code));
  for (std::size_t i = 0; i < versions_.size(); ++i)
    versions_[i]->setChecked(static_cast<int>(i) == controls_.version_button);
  editor_->setText(ToQString(controls_.editor_path));
  history_->setText(ToQString(controls_.history_file));
  scale_->setText(ToQString(controls_.printer_scale));
  for (int k = 0; k < kCmbdFieldCount; ++k)
    fields_->item(k)->setSelected(controls_.completeness[static_cast<std::size_t>(k)]);
  filling_ = false;
}

void ConfigurationPage::TakeControls() {
  for (int e = 0; e < 71; ++e)
    for (int t = 0; t < kMarkColumns; ++t)
      controls_.error_marks[static_cast<std::size_t>(e)][static_cast<std::size_t>(t)] =
          marks_->item(e, t)->checkState() == Qt::Checked;
  controls_.hospital_name = ToProgramText(hospitals_->currentText());
  controls_.hospital_code = ToProgramText(code_->text());
  for (std::size_t i = 0; i < versions_.size(); ++i)
    if (versions_[i]->isChecked()) controls_.version_button = static_cast<int>(i);
  controls_.printer_scale = ToProgramText(scale_->text());
  for (int k = 0; k < kCmbdFieldCount; ++k)
    controls_.completeness[static_cast<std::size_t>(k)] = fields_->item(k)->isSelected();
}

void ConfigurationPage::Save() {
  TakeControls();
  StoreErrorMarks(controls_, &window_.session.config);
  ApplyConfigPage(window_.session, controls_, true);
}

void ConfigurationPage::Shown() { year_when_shown_ = window_.session.config.VersionYear(); }

void ConfigurationPage::Left() {
  TakeControls();
  LeaveConfigPage(window_.session, controls_, year_when_shown_);
  year_when_shown_ = window_.session.config.VersionYear();
}

bool ConfigurationPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == fields_ && event->type() == QEvent::FocusOut && !filling_) Save();
  return QWidget::eventFilter(watched, event);
}

void ConfigurationPage::ChooseEditorFile() {
  Session& s = window_.session;
  const QString chosen = QFileDialog::getOpenFileName(
      this, QStringLiteral("Selección del Editor de Textos"),
      QString::fromStdString(s.paths.ToHost("C:\\Archivos de Programa")));
  if (chosen.isEmpty()) return;
  const std::string stored = s.paths.ToStored(chosen.toStdString());
  if (!FitsStoredText(chosen.toStdString()) || !ChooseEditor(stored, &s.config)) {
    window_.feedback.Message("La ruta no cabe en la configuración (máximo 99 caracteres)"_cp);
    return;
  }
  controls_.editor_path = s.config.EditorPath();
  editor_->setText(ToQString(controls_.editor_path));
}

void ConfigurationPage::ChooseHistoryFile() {
  Session& s = window_.session;
  const QString chosen =
      QFileDialog::getOpenFileName(this, ToQString("Selección del fichero histórico"_cp),
                                   QString::fromStdString(s.paths.ToHost("C:\\Quirovel\\Trabajo")),
                                   QStringLiteral("Fichero DBF (*.DBF *.dbf)"));
  if (chosen.isEmpty()) return;
  const std::string stored = s.paths.ToStored(chosen.toStdString());
  if (!FitsStoredText(chosen.toStdString()) || !s.config.SetHistoryFile(stored)) {
    window_.feedback.Message("La ruta no cabe en la configuración (máximo 99 caracteres)"_cp);
    return;
  }
  controls_.history_file = s.config.HistoryFile();
  history_->setText(ToQString(controls_.history_file));
}

}  // namespace quirovel
