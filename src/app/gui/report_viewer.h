// The window's own report viewer, for when the configured editor cannot be
// started on this machine (the default names a Windows program): the
// report's Windows-1252 bytes shown as text, form feeds as page breaks, with
// find, zoom and copy.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>

namespace quirovel {

// The report's bytes as the viewer shows them.
QString ReportText(const std::string& bytes);

class ReportViewer final : public QDialog {
  Q_OBJECT

 public:
  ReportViewer(const QString& title, const std::string& bytes, QWidget* parent = nullptr);
  QPlainTextEdit* text() const { return text_; }

 private:
  void FindNext();

  QPlainTextEdit* text_;
  QLineEdit* find_;
};

}  // namespace quirovel
