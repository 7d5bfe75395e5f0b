#include "app/gui/structure_editor_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/text_codec.h"
#include "output/output_path.h"

namespace quirovel {

StructureEditorDialog::StructureEditorDialog(WindowContext& window, QWidget* parent)
    : QDialog(parent), window_(window) {
  setWindowTitle(QStringLiteral("Crear Estructura DBF"));
  rows_ = new QTableWidget(0, 5, this);
  rows_->setHorizontalHeaderLabels({QStringLiteral("Nombre"), QStringLiteral("Tipo"),
                                    QStringLiteral("Longitud"), QStringLiteral("Posicion"),
                                    ToQString("Nº Campo"_cp)});
  rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows_->setSelectionMode(QAbstractItemView::SingleSelection);
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows_->verticalHeader()->setVisible(false);
  name_ = new QLineEdit(this);
  name_->setMaxLength(11);
  type_ = new QComboBox(this);
  type_->addItems({QStringLiteral("Caracter"), QStringLiteral("Numero"), QStringLiteral("Fecha")});
  length_ = new QLineEdit(this);
  length_->setMaxLength(2);
  table_ = new QLineEdit(this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Nombre"), name_);
  form->addRow(QStringLiteral("&Tipo"), type_);
  form->addRow(QStringLiteral("&Longitud"), length_);
  auto* buttons = new QGridLayout;
  auto* insert = new QPushButton(QStringLiteral("&Inserta"), this);
  auto* add = new QPushButton(ToQString("&Añade"_cp), this);
  auto* modify = new QPushButton(QStringLiteral("&Modifica"), this);
  auto* remove = new QPushButton(QStringLiteral("&Borra"), this);
  auto* cmbd = new QPushButton(QStringLiteral("C&MBD"), this);
  auto* cma = new QPushButton(QStringLiteral("CMA"), this);
  auto* create = new QPushButton(QStringLiteral("&Crear"), this);
  auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
  buttons->addWidget(insert, 0, 0);
  buttons->addWidget(add, 0, 1);
  buttons->addWidget(modify, 1, 0);
  buttons->addWidget(remove, 1, 1);
  buttons->addWidget(cmbd, 2, 0);
  buttons->addWidget(cma, 2, 1);
  auto* table_row = new QFormLayout;
  table_row->addRow(QStringLiteral("Nombre de la &tabla"), table_);
  auto* end_row = new QHBoxLayout;
  end_row->addLayout(table_row, 1);
  end_row->addWidget(create);
  end_row->addWidget(close);
  auto* side = new QVBoxLayout;
  side->addLayout(form);
  side->addLayout(buttons);
  side->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(rows_, 1);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(end_row);

  auto row = [this] {
    return RowFromBoxes(ToProgramText(name_->text()), ToProgramText(type_->currentText()),
                        ToProgramText(length_->text()));
  };
  connect(rows_, &QTableWidget::currentCellChanged, this, [this](int r) { editor_.Select(r); });
  connect(insert, &QPushButton::clicked, this, [this, row] {
    editor_.Insert(row());
    ShowRows();
  });
  connect(add, &QPushButton::clicked, this, &StructureEditorDialog::AddRow);
  connect(modify, &QPushButton::clicked, this, [this, row] {
    editor_.Modify(row());
    ShowRows();
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    editor_.Delete();
    ShowRows();
  });
  connect(cmbd, &QPushButton::clicked, this, [this] {
    editor_.LoadTemplate(false);
    ShowRows();
  });
  connect(cma, &QPushButton::clicked, this, [this] {
    editor_.LoadTemplate(true);
    ShowRows();
  });
  connect(create, &QPushButton::clicked, this, &StructureEditorDialog::Create);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  resize(640, 480);
}

void StructureEditorDialog::AddRow() {
  editor_.Add(RowFromBoxes(ToProgramText(name_->text()), ToProgramText(type_->currentText()),
                           ToProgramText(length_->text())));
  ShowRows();
}

bool StructureEditorDialog::Create() {
  Session& s = window_.session;
  const std::vector<std::string> definitions = editor_.Definitions();
  if (!CheckDefinitions(definitions, window_.feedback)) return false;
  // The new table goes to the working directory, as the import looks for it there.
  const std::string directory = OutputHostPath(s.config, s.paths, "");
  std::string created;
  const CreateOutcome outcome = CreateStructureTable(
      s.fs, window_.feedback, ToProgramText(table_->text()),
      directory.substr(0, directory.find_last_not_of('/') + 1), definitions, &created);
  return outcome == CreateOutcome::kCreated;
}

void StructureEditorDialog::ShowRows() {
  const auto& rows = editor_.rows();
  rows_->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const StructureRow& r = rows[static_cast<std::size_t>(i)];
    const QString cells[] = {ToQString(r.name), QString(QChar(r.type)), QString::number(r.width),
                             QString::number(r.position), QString::number(r.number)};
    for (int c = 0; c < 5; ++c) rows_->setItem(i, c, new QTableWidgetItem(cells[c]));
  }
  if (editor_.selected() >= 0) rows_->selectRow(editor_.selected());
}

}  // namespace quirovel
