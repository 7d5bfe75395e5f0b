#include "app/gui/episode_tree_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "analyses/episode_table_description.h"
#include "app/gui/text_codec.h"

namespace quirovel {

EpisodeTreeDialog::EpisodeTreeDialog(WindowContext& window, std::vector<std::int64_t> records,
                                     QWidget* parent)
    : QDialog(parent), window_(window), records_(std::move(records)) {
  tree_ = new QTreeWidget(this);
  tree_->setHeaderHidden(true);
  next_ = new QPushButton(QStringLiteral("&Siguiente"), this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("&Cerrar"), QDialogButtonBox::RejectRole);
  buttons->addButton(next_, QDialogButtonBox::ActionRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(next_, &QPushButton::clicked, this, [this] { Show(shown_ + 1); });
  resize(560, 520);
  Show(0);
}

void EpisodeTreeDialog::Show(std::size_t i) {
  if (i >= records_.size()) return;
  shown_ = i;
  next_->setEnabled(i + 1 < records_.size());
  tree_->clear();
  // A modal dialog: no operation owns the session while it is open.
  const EpisodeDescription d = DescribeEpisode(window_.session, records_[i]);
  setWindowTitle(QStringLiteral("Episodio ") + ToQString(d.caption));
  for (const DescriptionRoot& root : d.roots) {
    auto* item = new QTreeWidgetItem(tree_, QStringList{ToQString(root.text)});
    for (const std::string& child : root.children)
      new QTreeWidgetItem(item, QStringList{ToQString(child)});
    item->setExpanded(true);
  }
}

}  // namespace quirovel
