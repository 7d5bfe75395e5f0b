// Page 1, "Errores por Tipo/Servicio": the errors of one type or one
// service, the uncoded or all discharges of a service, or the episodes found
// by the code search, in the episode table; its episodes described ("Epi"),
// saved as "TABLA.DBF" ("disco") and drawn by admission day ("Gr").
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "analyses/episode_table.h"
#include "analyses/episode_table_browse.h"
#include "app/gui/episode_table_model.h"
#include "app/gui/graph_dialog.h"
#include "app/gui/window_context.h"

namespace quirovel {

class ErrorsPage final : public QWidget {
  Q_OBJECT

 public:
  explicit ErrorsPage(WindowContext& window, QWidget* parent = nullptr);

  // The errors of catalogue number e (1..71; 0 empties the table), as a
  // choice in the type list does.
  void ShowErrorType(int error_number);
  // The errors of the service of entry `index` of the service list (0 is the
  // empty entry).
  void ShowService(int index);
  // The uncoded (or all) discharges of a service code, from the summary of
  // page "Altas no codificadas".
  void ShowServiceEpisodes(const std::string& code, bool uncoded_only);
  // The episodes kept by the code search.
  void ShowSearchResult(std::vector<std::int64_t> records);
  // A new detection run or another file: the table is emptied when the page
  // is next shown (at once when it is in view: its rows name records of the
  // file and entries of the log it was filled from).
  void ResultsChanged();
  void Shown();
  void SetBusy(bool busy);

  // "Epi": the description of the selected row's episode and the next ones.
  void DescribeSelected();
  // "Gr": the admissions of the rows, drawn.
  void DrawAdmissions();
  // "disco".
  void SaveTable();
  // "C1-P15".
  void JumpToDiagnoses();

  EpisodeTableModel* model() const { return model_; }
  QTableView* view() const { return view_; }
  QComboBox* type_list() const { return types_; }
  QComboBox* service_list() const { return services_; }
  QLineEdit* errors_found() const { return found_; }
  QLineEdit* service_episodes() const { return service_episodes_; }
  QPushButton* previous_button() const { return previous_; }
  QPushButton* next_button() const { return next_; }
  QPushButton* save_button() const { return save_; }
  QPushButton* graph_button() const { return graph_; }
  QPushButton* print_type_button() const { return print_type_; }
  QPushButton* print_service_button() const { return print_service_; }
  // The graph "Gr" showed last, while it is open.
  GraphDialog* last_graph() const { return last_graph_; }

 signals:
  // A double click on a row: its Id text ("17", or "@1234" for an episode
  // row), for the error browser.
  void browseRequested(const QString& request);

 private:
  void Search(const EpisodeQuery& query);
  // The selected row, or -1 after "text" in a message.
  int SelectedRow(const char* text) const;

  WindowContext& window_;
  std::vector<ServiceChoice> service_choices_;
  int error_number_ = 0;
  bool stale_ = false;
  QComboBox* types_;
  QComboBox* services_;
  QLineEdit* found_;
  QLineEdit* service_episodes_;
  QLineEdit* service_name_;
  QPushButton* previous_;
  QPushButton* next_;
  QPushButton* print_type_;
  QPushButton* print_service_;
  QPushButton* jump_;
  QPushButton* describe_;
  QPushButton* save_;
  QPushButton* graph_;
  QTableView* view_;
  EpisodeTableModel* model_;
  QPointer<GraphDialog> last_graph_;
};

}  // namespace quirovel
