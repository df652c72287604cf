#include "gui/toolbar_fit.h"

#include <QEvent>
#include <QMainWindow>
#include <QToolBar>
#include <algorithm>

namespace gryvel::gui {

TToolBarFit::TToolBarFit(QMainWindow& window, QToolBar& first, QToolBar& second)
    : QObject(&window), FWindow(window), FFirst(first), FSecond(second) {
  FFirst.installEventFilter(this);
  FSecond.installEventFilter(this);
  FWindow.installEventFilter(this);
}

int TToolBarFit::NeededWidth() const {
  auto width = [](const QToolBar& bar) {
    return bar.isVisibleTo(bar.parentWidget()) && !bar.isFloating() ? bar.sizeHint().width() : 0;
  };
  const bool one_row = !FWindow.toolBarBreak(&FFirst) && !FWindow.toolBarBreak(&FSecond);
  return one_row ? width(FFirst) + width(FSecond) : std::max(width(FFirst), width(FSecond));
}

void TToolBarFit::Update() {
  // The window's own layout may need more (the menu bar, the status bar): keep the larger.
  const int width = std::max(NeededWidth(), FWindow.minimumSizeHint().width());
  if (FWindow.minimumWidth() != width) FWindow.setMinimumWidth(width);
}

bool TToolBarFit::eventFilter(QObject* watched, QEvent* event) {
  // A hidden window needs no minimum, and one being destroyed must not be asked for it.
  if (!FWindow.isVisible()) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::LayoutRequest:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
      Update();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace gryvel::gui
