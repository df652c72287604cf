#include "gui/widgets/enter_edit.h"

#include <QKeyEvent>

namespace gryvel::gui {

TEnterEdit::TEnterEdit(QWidget* parent) : QLineEdit(parent) {}

void TEnterEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (OnEnterDown) {
        OnEnterDown(*this, event->modifiers());
        event->accept();
        return;
      }
      break;
    case Qt::Key_Escape:
      if (OnEscapeDown) {
        OnEscapeDown(*this);
        event->accept();
        return;
      }
      break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (OnForwardKey && OnForwardKey(event)) {
        event->accept();
        return;
      }
      break;
    default:
      break;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace gryvel::gui
