// The two count lists of page "Detección": errors by type (71 rows) and
// errors by field (63 rows), each count drawn with "%6d " before the text.
// The run hands them counts from the worker thread; the window repaints the
// rows that changed a few times a second.
#pragma once

#include <QListWidget>
#include <array>
#include <atomic>
#include <cstdint>

#include "validation/error_recorder.h"

namespace quirovel {

class CountLists final : public ErrorCountView {
 public:
  CountLists(QListWidget* types, QListWidget* fields);

  void ErrorCountChanged(int row, std::int32_t count) override;
  void FieldCountChanged(int row, std::int32_t count) override;
  void Clear();
  // Window thread: the rows whose counts changed since the last repaint.
  void Repaint();

 private:
  QListWidget* types_;
  QListWidget* fields_;
  std::array<std::atomic<std::int32_t>, 71> type_counts_{};
  std::array<std::atomic<std::int32_t>, 63> field_counts_{};
  std::array<std::int32_t, 71> type_shown_{};
  std::array<std::int32_t, 63> field_shown_{};
};

}  // namespace quirovel
