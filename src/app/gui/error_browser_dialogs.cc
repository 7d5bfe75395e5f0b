#include "app/gui/error_browser_dialogs.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "analyses/episode_table_description.h"
#include "app/gui/text_codec.h"
#include "platform/cp1252.h"
#include "session/config_file.h"
#include "session/session.h"

namespace quirovel {
namespace {

QFont Fixed() {
  QFont font(QStringLiteral("Courier New"), 9);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace

EpisodeDialog::EpisodeDialog(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  tree_ = new QTreeWidget(this);
  tree_->setHeaderHidden(true);
  tree_->setFont(Fixed());
  next_ = new QPushButton(QStringLiteral("&Siguiente"), this);
  auto* close = new QPushButton(QStringLiteral("&Cerrar"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(next_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_, 1);
  layout->addLayout(buttons);
  resize(760, 520);
}

void EpisodeDialog::Describe(std::int64_t record) {
  const EpisodeDescription d = DescribeEpisode(session_, record);
  setWindowTitle(ToQString(d.caption));
  tree_->clear();
  for (const DescriptionRoot& root : d.roots) {
    auto* item = new QTreeWidgetItem(tree_, QStringList{ToQString(root.text)});
    for (const std::string& child : root.children)
      new QTreeWidgetItem(item, QStringList{ToQString(child)});
    item->setExpanded(true);
  }
}

HistoryErrorsDialog::HistoryErrorsDialog(const QString& historia,
                                         const std::vector<HistoryErrorRow>& rows, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Errores en la historia"));
  auto* number = new QLineEdit(historia, this);
  number->setReadOnly(true);
  table_ = new QTreeWidget(this);
  table_->setRootIsDecorated(false);
  table_->setHeaderLabels(
      {QStringLiteral("ERROR"), QStringLiteral("ALTA"), QStringLiteral("VALORES")});
  table_->setFont(Fixed());
  for (const HistoryErrorRow& row : rows)
    new QTreeWidgetItem(
        table_, QStringList{ToQString(row.error), ToQString(row.alta), ToQString(row.valores)});
  table_->header()->resizeSections(QHeaderView::ResizeToContents);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Historia"), number);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(table_, 1);
  layout->addWidget(close);
  resize(900, 400);
}

FieldColoursDialog::FieldColoursDialog(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setWindowTitle(QStringLiteral("Colores de los campos"));
  const char* names[] = {"R", "V", "A"};
  auto group = [&](const QString& title, int first) {
    auto* box = new QGroupBox(title, this);
    auto* form = new QFormLayout(box);
    for (int c = 0; c < 3; ++c) {
      auto* slider = new QSlider(Qt::Horizontal, box);
      slider->setRange(0, first == 0 ? 255 : 64);
      const std::int32_t value =
          first == 0 ? session_.config.FieldColour(c) : session_.config.ColourStep(c);
      slider->setValue(value);
      connect(slider, &QSlider::valueChanged, this, [this, first, c](int v) {
        if (first == 0)
          session_.config.SetFieldColour(c, v);
        else
          session_.config.SetColourStep(c, v);
        emit changed();
      });
      sliders_[static_cast<std::size_t>(first + c)] = slider;
      form->addRow(QString::fromLatin1(names[c]), slider);
    }
    return box;
  };
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group(QStringLiteral("Color"), 0));
  layout->addWidget(group(ToQString("Degradación"_cp), 3));
  layout->addWidget(close);
  resize(360, 300);
}

void FieldColoursDialog::done(int result) {
  if (!SaveConfig(session_)) session_.feedback.Message("Error al grabar la configuracion");
  QDialog::done(result);
}

}  // namespace quirovel
