#pragma once

#include <QScrollBar>

// A vertical scroll bar with its own flat look: a plain track, a thumb with a soft gradient and
// a border, and small arrow buttons. Everything but the drawing is QScrollBar's, so it takes
// the same input and sends the same signals. 16 pixels wide.

namespace gryvel::gui {

class TSkinScroll : public QScrollBar {
  Q_OBJECT

 public:
  static constexpr int kWidth = 16;

  explicit TSkinScroll(QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace gryvel::gui
