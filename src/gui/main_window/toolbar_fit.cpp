#include "gui/main_window/toolbar_fit.h"

#include <QMainWindow>
#include <QToolBar>
#include <algorithm>

namespace gryvel::gui {

int ToolBarsWidth(const QMainWindow& window, const QToolBar& first, const QToolBar& second) {
  auto width = [](const QToolBar& bar) {
    return bar.isVisibleTo(bar.parentWidget()) && !bar.isFloating() ? bar.sizeHint().width() : 0;
  };
  const bool one_row = !window.toolBarBreak(const_cast<QToolBar*>(&first)) &&
                       !window.toolBarBreak(const_cast<QToolBar*>(&second));
  return one_row ? width(first) + width(second) : std::max(width(first), width(second));
}

}  // namespace gryvel::gui
