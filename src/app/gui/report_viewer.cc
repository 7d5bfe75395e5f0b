#include "app/gui/report_viewer.h"

#include <QFont>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "platform/cp1252.h"

namespace quirovel {

QString ReportText(const std::string& bytes) {
  // Reports are Windows-1252 only: no byte is taken for UTF-8 here.
  QString text = QString::fromStdString(Cp1252ToUtf8(bytes));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\f'),
               QStringLiteral("\n") + QString(72, QChar(0x2500)) + QStringLiteral("\n"));
  return text;
}

ReportViewer::ReportViewer(const QString& title, const std::string& bytes, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fixed(QStringLiteral("Courier New"), 10);
  fixed.setStyleHint(QFont::TypeWriter);
  text_->setFont(fixed);
  text_->setPlainText(ReportText(bytes));

  find_ = new QLineEdit(this);
  find_->setPlaceholderText(QStringLiteral("Buscar"));
  auto* next = new QPushButton(QStringLiteral("&Siguiente"), this);
  auto* bigger = new QPushButton(QStringLiteral("A+"), this);
  auto* smaller = new QPushButton(QStringLiteral("A-"), this);
  auto* close = new QPushButton(QStringLiteral("&Cerrar"), this);
  bigger->setShortcut(QKeySequence::ZoomIn);
  smaller->setShortcut(QKeySequence::ZoomOut);
  auto* find_label = new QLabel(QStringLiteral("&Buscar:"), this);
  find_label->setBuddy(find_);

  auto* bar = new QHBoxLayout;
  bar->addWidget(find_label);
  bar->addWidget(find_, 1);
  bar->addWidget(next);
  bar->addWidget(smaller);
  bar->addWidget(bigger);
  bar->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addLayout(bar);

  connect(next, &QPushButton::clicked, this, &ReportViewer::FindNext);
  connect(find_, &QLineEdit::returnPressed, this, &ReportViewer::FindNext);
  connect(bigger, &QPushButton::clicked, text_, [this] { text_->zoomIn(1); });
  connect(smaller, &QPushButton::clicked, text_, [this] { text_->zoomOut(1); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  new QShortcut(QKeySequence::Find, this, [this] { find_->setFocus(); });
  new QShortcut(QKeySequence::FindNext, this, [this] { FindNext(); });
  resize(900, 650);
}

void ReportViewer::FindNext() {
  if (find_->text().isEmpty()) return;
  if (text_->find(find_->text())) return;
  text_->moveCursor(QTextCursor::Start);  // from the top again
  text_->find(find_->text());
}

}  // namespace quirovel
