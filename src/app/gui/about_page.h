// Page 7: what the program is, its version and the licences of the data it
// brings.
#pragma once

#include <QWidget>

namespace quirovel {

class AboutPage final : public QWidget {
  Q_OBJECT

 public:
  explicit AboutPage(QWidget* parent = nullptr);
};

}  // namespace quirovel
