// Page 2, "Campos erroneos": the errors of the last run one at a time, each
// with every field of its episode. The page mirrors an ErrorBrowser (the
// core's page without widgets) and calls it; the two whole-file lists run on
// the worker thread.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QWidget>
#include <array>

#include "app/gui/window_context.h"
#include "ui/error_browser.h"

namespace quirovel {

class ErrorBrowserPage final : public QWidget {
  Q_OBJECT

 public:
  explicit ErrorBrowserPage(WindowContext& window, QWidget* parent = nullptr);

  // Each time the page comes to the front.
  void Shown();
  void SetBusy(bool busy);

  ErrorBrowser& browser() { return browser_; }
  QPushButton* next_button() const { return next_; }
  QPushButton* previous_button() const { return previous_; }
  QPushButton* history_button() const { return history_; }
  QPushButton* episode_button() const { return episode_; }
  QPushButton* frequency_button() const { return frequency_; }
  QPushButton* colours_button() const { return colours_; }
  QRadioButton* type_search() const { return by_type_; }
  QRadioButton* service_search() const { return by_service_; }
  QLineEdit* current_error() const { return current_; }
  QLineEdit* jump_box() const { return jump_; }
  QSlider* slider() const { return slider_; }
  QListWidget* type_list() const { return types_; }
  QLineEdit* age() const { return age_; }
  QLabel* fill_rate() const { return fill_rate_; }
  // The box of field k (1..63).
  QLineEdit* box(int k) const { return boxes_[static_cast<std::size_t>(k)]; }

 public slots:
  // Shows an error index ("17") or a record ("@1234"), bringing the page to
  // the front.
  void Browse(const QString& request);
  // "-->" (+1), "<--" (-1), or the error shown again (0).
  void Step(int step);
  // Home and End: the first and the last error.
  void First();
  void Last();

 signals:
  void BringToFront();

 private:
  QWidget* BuildControls();
  QWidget* BuildBoxes();
  void Activate();
  // The current index typed in "Error actual", before a step.
  void TakeCurrentIndex();
  void ShowState();
  void ShowFrequencies();
  void MoveBy(int errors);
  void ListHistory();
  void OpenEpisode();
  void OpenColours();
  bool Usable() const { return !busy_; }

  WindowContext& window_;
  ErrorBrowser browser_;
  bool busy_ = false;
  bool activation_waiting_ = false;
  bool showing_frequencies_ = false;
  QPushButton* previous_;
  QPushButton* next_;
  QLineEdit* current_;
  QSlider* slider_;
  QRadioButton* by_type_;
  QRadioButton* by_service_;
  QLineEdit* jump_;
  QListWidget* types_;
  QPushButton* history_;
  QPushButton* episode_;
  QPushButton* frequency_;
  QPushButton* colours_;
  QLabel* fill_rate_;
  QLineEdit* age_;
  std::array<QLineEdit*, kCmbdFieldCount + 1> boxes_{};
};

}  // namespace quirovel
