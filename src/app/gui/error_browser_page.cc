#include "app/gui/error_browser_page.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <vector>

#include "analyses/field_tooltip.h"
#include "app/gui/error_browser_dialogs.h"
#include "app/gui/text_codec.h"
#include "session/session.h"
#include "ui/error_browser_lists.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr const char* kNextTip = "Siguiente error";
constexpr const char* kPreviousTip = "Anterior error";
constexpr const char* kCurrentTip = "Error actual";
constexpr const char* kSliderTip = "Desplazamiento sobre los errores";
constexpr const char* kTypeTip = "Busca el mismo tipo de error al pulsar los botones (<--) o (-->)";
constexpr const char* kServiceTip =
    "Busca error en el mismo servicio al pulsar los botones (<--) o  (-->)";
constexpr const char* kHistoryTip = "Visualiza todos los errores encontrados en la historia";
constexpr const char* kJumpTip = "Error (17) o registro (@1234) a mostrar";

// The wait cursor for as long as an operation of the page runs.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

void Paint(QLineEdit* box, const Rgb& rgb) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, QColor(rgb.red, rgb.green, rgb.blue));
  palette.setColor(QPalette::Text, Qt::black);
  box->setPalette(palette);
}

}  // namespace

ErrorBrowserPage::ErrorBrowserPage(WindowContext& window, QWidget* parent)
    : QWidget(parent), window_(window), browser_(window.session) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildControls());
  layout->addWidget(BuildBoxes(), 1);

  struct Key {
    QKeySequence keys;
    std::function<void()> act;
  };
  const std::vector<Key> keys = {
      {QKeySequence(Qt::Key_Right), [this] { Step(+1); }},
      {QKeySequence(Qt::Key_Left), [this] { Step(-1); }},
      {QKeySequence(Qt::Key_PageDown), [this] { MoveBy(+10); }},
      {QKeySequence(Qt::Key_PageUp), [this] { MoveBy(-10); }},
      {QKeySequence(Qt::Key_Home), [this] { First(); }},
      {QKeySequence(Qt::Key_End), [this] { Last(); }},
  };
  for (const Key& key : keys) {
    auto* shortcut = new QShortcut(key.keys, this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, key.act);
  }
}

QWidget* ErrorBrowserPage::BuildControls() {
  auto* controls = new QWidget(this);
  previous_ = new QPushButton(QStringLiteral("<--"), controls);
  previous_->setToolTip(ToQString(kPreviousTip));
  previous_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  next_ = new QPushButton(QStringLiteral("-->"), controls);
  next_->setToolTip(ToQString(kNextTip));
  next_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  current_ = new QLineEdit(controls);
  current_->setToolTip(ToQString(kCurrentTip));
  current_->setValidator(new QIntValidator(0, INT32_MAX, current_));
  current_->setMaximumWidth(90);
  auto* current_label = new QLabel(QStringLiteral("Error &actual"), controls);
  current_label->setBuddy(current_);
  slider_ = new QSlider(Qt::Horizontal, controls);
  slider_->setToolTip(ToQString(kSliderTip));
  slider_->setTracking(false);  // the error is shown where the slider is let go
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setFocusPolicy(Qt::NoFocus);  // the arrow keys step through the errors

  auto* search = new QGroupBox(QStringLiteral("Busca mismo"), controls);
  by_type_ = new QRadioButton(QStringLiteral("Ti&po"), search);
  by_type_->setToolTip(ToQString(kTypeTip));
  by_service_ = new QRadioButton(QStringLiteral("Ser&vicio"), search);
  by_service_->setToolTip(ToQString(kServiceTip));
  auto* search_layout = new QHBoxLayout(search);
  for (QRadioButton* b : {by_type_, by_service_}) {
    b->setAutoExclusive(false);  // the slider clears both
    search_layout->addWidget(b);
  }
  connect(by_type_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) by_service_->setChecked(false);
  });
  connect(by_service_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) by_type_->setChecked(false);
  });

  jump_ = new QLineEdit(controls);
  jump_->setToolTip(ToQString(kJumpTip));
  jump_->setMaximumWidth(90);
  auto* jump_label = new QLabel(QStringLiteral("&Ir a"), controls);
  jump_label->setBuddy(jump_);

  types_ = new QListWidget(controls);
  for (int e = 1; e <= 71; ++e) types_->addItem(ToQString(ErrorText(e)));
  types_->addItem(QString::fromLatin1(kRecordEntryText));
  types_->setMaximumHeight(130);

  history_ = new QPushButton(QStringLiteral("Errores Detectados &Historia"), controls);
  history_->setToolTip(ToQString(kHistoryTip));
  episode_ = new QPushButton(QStringLiteral("&Episodio"), controls);
  episode_->setToolTip(ToQString("Traducción de los campos codificados"_cp));
  frequency_ = new QPushButton(QStringLiteral("F&recuencia, % cumplimentacion"), controls);
  frequency_->setToolTip(
      ToQString("Frecuencia de los campos y porcentaje de cumplimentación de variables"_cp));
  frequency_->setCheckable(true);
  colours_ = new QPushButton(QStringLiteral("Co&lores"), controls);
  fill_rate_ = new QLabel(controls);
  age_ = new QLineEdit(controls);
  age_->setReadOnly(true);
  age_->setFocusPolicy(Qt::NoFocus);
  auto* age_label = new QLabel(QStringLiteral("Nacimiento y edad"), controls);

  auto* top = new QHBoxLayout;
  top->addWidget(previous_);
  top->addWidget(next_);
  top->addWidget(current_label);
  top->addWidget(current_);
  top->addWidget(slider_, 1);
  top->addWidget(search);
  top->addWidget(jump_label);
  top->addWidget(jump_);
  auto* buttons = new QGridLayout;
  buttons->addWidget(history_, 0, 0);
  buttons->addWidget(episode_, 0, 1);
  buttons->addWidget(frequency_, 1, 0);
  buttons->addWidget(fill_rate_, 1, 1);
  buttons->addWidget(colours_, 2, 0);
  buttons->addWidget(age_label, 3, 0);
  buttons->addWidget(age_, 3, 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(types_, 1);
  middle->addLayout(buttons);
  auto* layout = new QVBoxLayout(controls);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addLayout(middle);

  connect(next_, &QPushButton::clicked, this, [this] { Step(+1); });
  connect(previous_, &QPushButton::clicked, this, [this] { Step(-1); });
  connect(current_, &QLineEdit::returnPressed, this, [this] { Step(0); });
  connect(jump_, &QLineEdit::returnPressed, this, [this] { Browse(jump_->text().trimmed()); });
  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    if (!Usable()) return;
    WaitCursor wait;
    browser_.MoveTo(position);
    ShowState();
  });
  auto choose_type = [this](QListWidgetItem* item) {
    const int error = types_->row(item) + 1;
    if (!Usable() || error > 71) return;
    WaitCursor wait;
    browser_.FindFirst(error);
    ShowState();
  };
  connect(types_, &QListWidget::itemClicked, this, choose_type);
  connect(types_, &QListWidget::itemActivated, this, choose_type);
  connect(history_, &QPushButton::clicked, this, &ErrorBrowserPage::ListHistory);
  connect(episode_, &QPushButton::clicked, this, &ErrorBrowserPage::OpenEpisode);
  connect(colours_, &QPushButton::clicked, this, &ErrorBrowserPage::OpenColours);
  connect(frequency_, &QPushButton::clicked, this, &ErrorBrowserPage::ShowFrequencies);
  return controls;
}

QWidget* ErrorBrowserPage::BuildBoxes() {
  auto* boxes = new QWidget(this);
  auto* grid = new QGridLayout(boxes);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(1);
  QFont fixed(QStringLiteral("Courier New"), 9);
  fixed.setStyleHint(QFont::TypeWriter);
  constexpr int kRows = 16;
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    auto* box = new QLineEdit(boxes);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFont(fixed);
    box->setAutoFillBackground(true);
    auto* name = new QLabel(
        QString::fromLatin1(CmbdFieldName(k).data(), static_cast<int>(CmbdFieldName(k).size())),
        boxes);
    const int row = (k - 1) % kRows, column = 2 * ((k - 1) / kRows);
    grid->addWidget(name, row, column);
    grid->addWidget(box, row, column + 1);
    boxes_[static_cast<std::size_t>(k)] = box;
  }
  for (int c = 1; c < 8; c += 2) grid->setColumnStretch(c, 1);
  return boxes;
}

void ErrorBrowserPage::Shown() { Activate(); }

void ErrorBrowserPage::Activate() {
  if (!Usable()) {
    activation_waiting_ = true;  // once the operation that owns the session ends
    return;
  }
  activation_waiting_ = false;
  WaitCursor wait;
  TakeCurrentIndex();
  browser_.Activate();
  ShowState();
}

void ErrorBrowserPage::Browse(const QString& request) {
  browser_.Request(ToProgramText(request));
  emit BringToFront();
}

void ErrorBrowserPage::TakeCurrentIndex() {
  bool ok = false;
  const qlonglong typed = current_->text().toLongLong(&ok);
  if (ok) browser_.set_current(typed);
}

void ErrorBrowserPage::Step(int step) {
  if (!Usable()) return;
  WaitCursor wait;
  TakeCurrentIndex();
  browser_.set_mode(by_type_->isChecked()      ? SearchMode::kType
                    : by_service_->isChecked() ? SearchMode::kService
                                               : SearchMode::kNone);
  browser_.ShowError(step);
  ShowState();
}

void ErrorBrowserPage::MoveBy(int errors) {
  if (!Usable()) return;
  TakeCurrentIndex();
  const std::int64_t last = std::max<std::int64_t>(0, browser_.error_count() - 1);
  const std::int64_t target = std::clamp<std::int64_t>(browser_.current() + errors, 0, last);
  const SearchMode mode = browser_.mode();
  WaitCursor wait;
  browser_.set_current(target);
  browser_.set_mode(SearchMode::kNone);
  browser_.ShowError(0);
  browser_.set_mode(mode);
  ShowState();
}

void ErrorBrowserPage::First() { MoveBy(-browser_.error_count() - 1); }
void ErrorBrowserPage::Last() { MoveBy(browser_.error_count() + 1); }

void ErrorBrowserPage::ShowState() {
  Session& s = window_.session;
  if (showing_frequencies_) {
    showing_frequencies_ = false;
    frequency_->setChecked(false);
    fill_rate_->clear();
  }
  current_->setText(QString::number(browser_.current()));
  {
    const QSignalBlocker block(slider_);
    const std::int64_t count = browser_.error_count();
    slider_->setRange(0, static_cast<int>(std::min<std::int64_t>(count - 1, INT32_MAX)));
    slider_->setTickInterval(static_cast<int>(std::max<std::int64_t>(1, count / 4)));
    slider_->setValue(static_cast<int>(std::min<std::int64_t>(browser_.current(), INT32_MAX)));
  }
  {
    const QSignalBlocker block_type(by_type_), block_service(by_service_);
    by_type_->setChecked(browser_.mode() == SearchMode::kType);
    by_service_->setChecked(browser_.mode() == SearchMode::kService);
  }
  if (browser_.selected_type() > 0)
    types_->setCurrentRow(browser_.selected_type() - 1);
  else
    types_->clearSelection();
  const ShownRecord& shown = browser_.shown();
  if (shown.record == 0) return;
  // The tooltips read the shown record: the search may have read others since.
  if (s.table.ReadRecord(shown.record) == 0) DecodeRecord(s);
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    QLineEdit* box = boxes_[static_cast<std::size_t>(k)];
    box->setText(ToQString(shown.boxes[static_cast<std::size_t>(k)]));
    box->setCursorPosition(0);
    box->setToolTip(ToQString(FieldTooltip(s, k)));
    Paint(box, BoxRgb(s.config, k, browser_.colour(k)));
  }
  age_->setText(ToQString(shown.age));
}

void ErrorBrowserPage::ShowFrequencies() {
  if (!frequency_->isChecked()) {  // the second press: the errors again
    showing_frequencies_ = false;
    fill_rate_->clear();
    Step(0);
    return;
  }
  Session& s = window_.session;
  auto frequencies = std::make_shared<FieldFrequencies>();
  const bool started = window_.runner.Start(
      QStringLiteral("Frecuencia"),
      [&s, frequencies] { return CountFieldFrequencies(s, frequencies.get()); },
      [this, frequencies](bool ok, bool) {
        if (!ok) {
          frequency_->setChecked(false);
          return;
        }
        showing_frequencies_ = true;
        for (int k = 1; k <= kCmbdFieldCount; ++k) {
          QLineEdit* box = boxes_[static_cast<std::size_t>(k)];
          box->setText(ToQString(FrequencyBoxText(*frequencies, k)));
          box->setCursorPosition(0);
        }
        fill_rate_->setText(ToQString(OverallFillRate(*frequencies, window_.session.config)));
      });
  if (!started) frequency_->setChecked(false);
}

void ErrorBrowserPage::ListHistory() {
  if (!Usable()) return;
  Step(0);
  Session& s = window_.session;
  const std::string historia = browser_.shown().historia;
  auto rows = std::make_shared<std::vector<HistoryErrorRow>>();
  window_.runner.Start(
      QStringLiteral("Errores en la historia"),
      [&s, historia, rows] { return ListHistoryErrors(s, historia, rows.get()); },
      [this, historia, rows](bool, bool) {
        HistoryErrorsDialog dialog(ToQString(historia), *rows, this);
        dialog.exec();
        Step(0);
      });
}

void ErrorBrowserPage::OpenEpisode() {
  if (!Usable() || browser_.shown().record == 0) return;
  EpisodeDialog dialog(window_.session, this);
  dialog.Describe(browser_.shown().record);
  connect(dialog.next_button(), &QPushButton::clicked, &dialog, [this, &dialog] {
    Step(+1);
    dialog.Describe(browser_.shown().record);
  });
  dialog.exec();
}

void ErrorBrowserPage::OpenColours() {
  if (!Usable()) return;
  FieldColoursDialog dialog(window_.session, this);
  connect(&dialog, &FieldColoursDialog::changed, this, [this] {
    Session& s = window_.session;
    if (showing_frequencies_ || browser_.shown().record == 0) return;
    for (int k = 1; k <= kCmbdFieldCount; ++k)
      Paint(boxes_[static_cast<std::size_t>(k)], BoxRgb(s.config, k, browser_.colour(k)));
  });
  dialog.exec();
}

void ErrorBrowserPage::SetBusy(bool busy) {
  busy_ = busy;
  for (QWidget* w :
       std::initializer_list<QWidget*>{previous_, next_, current_, slider_, by_type_, by_service_,
                                       jump_, types_, history_, episode_, colours_})
    w->setEnabled(!busy);
  if (!busy && activation_waiting_ && isVisible()) Activate();
}

}  // namespace quirovel
