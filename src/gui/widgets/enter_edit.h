#pragma once

#include <QLineEdit>
#include <functional>

// A one-line edit that reports Enter and Escape, and lets its owner take the keys that move
// through a list (Page Up, Page Down, Up, Down) before the edit sees them.

namespace gryvel::gui {

class TEnterEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TEnterEdit(QWidget* parent = nullptr);

  // Enter or Return, with the modifiers held (Alt+Enter asks for another kind of search).
  std::function<void(TEnterEdit&, Qt::KeyboardModifiers)> OnEnterDown;
  std::function<void(TEnterEdit&)> OnEscapeDown;
  // Offered Page Up, Page Down, Up and Down first; true means taken, the edit ignores it.
  std::function<bool(QKeyEvent*)> OnForwardKey;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace gryvel::gui
