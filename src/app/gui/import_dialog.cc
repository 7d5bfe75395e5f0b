#include "app/gui/import_dialog.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/text_codec.h"
#include "session/config_file.h"
#include "transfer/text_import_session.h"

namespace quirovel {
namespace {

// A path chosen in a file dialog, as the record stores it.
std::string Stored(const Session& s, const QString& chosen) {
  return s.paths.ToStored(chosen.toStdString());
}

}  // namespace

ImportDialog::ImportDialog(WindowContext& window, QWidget* parent)
    : QDialog(parent), window_(window) {
  setWindowTitle(ToQString("Importación de ficheros de texto"_cp));
  text_file_ = new QLineEdit(this);
  structure_ = new QComboBox(this);
  structure_->setEditable(true);
  separator_ = new QLineEdit(this);
  separator_->setMaxLength(1);
  delimiter_ = new QLineEdit(this);
  delimiter_->setMaxLength(1);
  date_format_ = new QComboBox(this);
  for (const char* format : kImportDateFormats) date_format_->addItem(ToQString(format));
  header_ = new QCheckBox(QStringLiteral("&Cabecera"), this);
  fixed_ = new QCheckBox(QStringLiteral("Campos de &longitud fija"), this);
  table_name_ = new QLineEdit(this);

  auto* browse_text = new QPushButton(QStringLiteral("..."), this);
  auto* browse_structure = new QPushButton(QStringLiteral("..."), this);
  auto* text_row = new QHBoxLayout;
  text_row->addWidget(text_file_, 1);
  text_row->addWidget(browse_text);
  auto* structure_row = new QHBoxLayout;
  structure_row->addWidget(structure_, 1);
  structure_row->addWidget(browse_structure);
  auto* form = new QFormLayout;
  // Rows whose field is a layout need their buddy named, or "&" shows as it is.
  auto* text_label = new QLabel(QStringLiteral("Fichero de &texto"), this);
  text_label->setBuddy(text_file_);
  auto* structure_label = new QLabel(QStringLiteral("&Estructura"), this);
  structure_label->setBuddy(structure_);
  form->addRow(text_label, text_row);
  form->addRow(structure_label, structure_row);
  form->addRow(QStringLiteral("&Separador"), separator_);
  form->addRow(QStringLiteral("&Delimitador"), delimiter_);
  form->addRow(QStringLiteral("&Formato de fecha"), date_format_);
  form->addRow(header_);
  form->addRow(fixed_);
  form->addRow(QStringLiteral("&Nueva tabla"), table_name_);

  auto* import = new QPushButton(QStringLiteral("&Importar"), this);
  import->setDefault(true);
  auto* save_cmbd = new QPushButton(ToQString("Guarda Especificación CMBD"_cp), this);
  auto* save_cma = new QPushButton(ToQString("Guarda Especificación CMA"_cp), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(import);
  buttons->addWidget(save_cmbd);
  buttons->addWidget(save_cma);
  buttons->addStretch();
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);

  connect(browse_text, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Fichero de texto"), text_file_->text(),
        QStringLiteral("Ficheros de texto (*.txt *.TXT *.csv *.CSV);;Todos (*)"));
    if (!chosen.isEmpty()) text_file_->setText(ToQString(Stored(window_.session, chosen)));
  });
  connect(browse_structure, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Estructura"), {}, QStringLiteral("Tablas dBase (*.dbf *.DBF)"));
    if (!chosen.isEmpty()) structure_->setCurrentText(ToQString(Stored(window_.session, chosen)));
  });
  connect(import, &QPushButton::clicked, this, &ImportDialog::Import);
  for (auto [button, layout_into] : {std::pair{save_cmbd, ImportLayout::kSavedCmbd},
                                     std::pair{save_cma, ImportLayout::kSavedCma}})
    connect(button, &QPushButton::clicked, this, [this, into = layout_into] {
      if (Store(ImportLayout::kCurrent) && Store(into) && !SaveConfig(window_.session))
        window_.feedback.Message("Error al grabar la configuracion");
    });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  Fill(ImportLayout::kCurrent);
}

void ImportDialog::Fill(ImportLayout from) {
  const ConfigRecord& record = window_.session.config;
  const ImportControls c = FillImportControls(record, from);
  text_file_->setText(ToQString(c.text_file));
  structure_->clear();
  for (int slot = 0; slot < 5; ++slot)
    if (!record.RecentStructure(slot).empty())
      structure_->addItem(ToQString(record.RecentStructure(slot)));
  structure_->setCurrentText(ToQString(c.structure_file));
  separator_->setText(ToQString(c.separator));
  delimiter_->setText(ToQString(c.delimiter));
  date_format_->setCurrentIndex(c.date_format_position);
  header_->setChecked(c.header_line);
  fixed_->setChecked(c.fixed_length);
  table_name_->setText(ToQString(c.table_name));
}

ImportControls ImportDialog::Controls() const {
  ImportControls c;
  c.text_file = ToProgramText(text_file_->text());
  c.structure_file = ToProgramText(structure_->currentText());
  c.separator = ToProgramText(separator_->text());
  c.delimiter = ToProgramText(delimiter_->text());
  c.date_format_position = date_format_->currentIndex();
  c.header_line = header_->isChecked();
  c.fixed_length = fixed_->isChecked();
  c.table_name = ToProgramText(table_name_->text());
  return c;
}

bool ImportDialog::Store(ImportLayout into) {
  if (StoreImportControls(Controls(), &window_.session.config, into)) return true;
  window_.feedback.Message("Una ruta no cabe en la configuración (máximo 99 caracteres)"_cp);
  return false;
}

void ImportDialog::Import() {
  if (!Store(ImportLayout::kCurrent)) return;
  Session& s = window_.session;
  window_.runner.Start(
      QStringLiteral("Importar"), [&s] { return ImportTextFile(s).table_written; },
      [&window = window_](bool, bool) {  // the dialog may be gone by then
        if (window.results_changed) window.results_changed();
      });
  accept();
}

}  // namespace quirovel
