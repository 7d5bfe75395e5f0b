// Page 0, "Detección": the test type, "Test", the two count lists and the
// report of the errors found.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>

#include "app/gui/count_lists.h"
#include "app/gui/window_context.h"

namespace quirovel {

class DetectionPage final : public QWidget {
  Q_OBJECT

 public:
  explicit DetectionPage(WindowContext& window, QWidget* parent = nullptr);
  ~DetectionPage() override;

  int TestType() const;
  // Fills the type list from the log of the last run, as the page shows it
  // when the program starts or another file is chosen (on the worker).
  void CountFromLog();
  // Window thread, a few times a second.
  void Repaint() { counts_->Repaint(); }
  void SetBusy(bool busy);
  // Rows of errors the configuration does not check for the chosen test
  // type are drawn in grey.
  void ColourDisabledErrors();

  QPushButton* test_button() const { return test_; }
  QPushButton* print_button() const { return print_; }
  QListWidget* type_list() const { return types_; }
  QListWidget* field_list() const { return fields_; }

 private:
  void RunTest();

  WindowContext& window_;
  QRadioButton* mensual_;
  QRadioButton* trimestral_;
  QRadioButton* cma_;
  QPushButton* test_;
  QPushButton* edit_;
  QPushButton* print_;
  QListWidget* types_;
  QListWidget* fields_;
  std::unique_ptr<CountLists> counts_;
};

}  // namespace quirovel
