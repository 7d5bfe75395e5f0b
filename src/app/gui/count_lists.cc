#include "app/gui/count_lists.h"

#include "app/gui/text_codec.h"
#include "platform/format.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

QString Row(std::int32_t count, std::string_view text) {
  return ToQString(StrFormat("%6d ", count) + std::string(text));
}

}  // namespace

CountLists::CountLists(QListWidget* types, QListWidget* fields) : types_(types), fields_(fields) {
  for (int e = 1; e <= 71; ++e) types_->addItem(Row(0, ErrorText(e)));
  for (int k = 1; k <= 63; ++k) fields_->addItem(Row(0, CmbdFieldName(k)));
}

void CountLists::ErrorCountChanged(int row, std::int32_t count) {
  if (row >= 0 && row < 71) type_counts_[static_cast<std::size_t>(row)].store(count);
}

void CountLists::FieldCountChanged(int row, std::int32_t count) {
  if (row >= 0 && row < 63) field_counts_[static_cast<std::size_t>(row)].store(count);
}

void CountLists::Clear() {
  for (auto& c : type_counts_) c.store(0);
  for (auto& c : field_counts_) c.store(0);
}

void CountLists::Repaint() {
  for (std::size_t i = 0; i < type_counts_.size(); ++i) {
    const std::int32_t count = type_counts_[i].load();
    if (count == type_shown_[i]) continue;
    type_shown_[i] = count;
    types_->item(static_cast<int>(i))->setText(Row(count, ErrorText(static_cast<int>(i) + 1)));
  }
  for (std::size_t i = 0; i < field_counts_.size(); ++i) {
    const std::int32_t count = field_counts_[i].load();
    if (count == field_shown_[i]) continue;
    field_shown_[i] = count;
    fields_->item(static_cast<int>(i))->setText(Row(count, CmbdFieldName(static_cast<int>(i) + 1)));
  }
}

}  // namespace quirovel
