// The window a new user first sees: sized for its toolbars and the screen it opens on.

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/main_window/toolbar_fit.h"

namespace gryvel::gui {

void TKivMainForm::FitFirstRunWindow() {
  const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (screen == nullptr) screen = this->screen();
  const QRect area = screen->availableGeometry();
  // Room for the title bar and the borders the window manager adds.
  const QSize room = area.size() - QSize(kFrameWidth, kFrameHeight);

  auto toolbars = [this] {
    return ToolBarsWidth(*this, *FCommands->SearchToolBar, *FCommands->SortToolBar);
  };
  // Captioned buttons that cannot fit the screen lose their captions, not their place.
  if (toolbars() > room.width()) FCommands->SetToolBarLabels(0);

  const int w = std::min(std::max({width(), toolbars(), room.width() / 2}), room.width());
  const int h = std::min(std::max({height(), minimumHeight(), w * 3 / 4}), room.height());
  resize(w, h);
  move(area.center() - QPoint(w / 2, h / 2));
}

}  // namespace gryvel::gui
