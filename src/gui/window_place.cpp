#include "gui/window_place.h"

#include <algorithm>

#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

namespace gryvel::gui {

void PlaceOver(QWidget& window, const QWidget* owner) {
  if (owner == nullptr) return;
  const QWidget* top = owner->window();
  const QRect outer = top->frameGeometry();
  const QRect inner = top->geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  QRect place(QPoint(), window.size().grownBy(frame));
  place.moveCenter(outer.center());
  if (const QScreen* screen = top->screen()) {
    const QRect room = screen->availableGeometry();
    place.setSize(place.size().boundedTo(room.size()));
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() - place.width() + 1));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() - place.height() + 1));
  }
  window.resize(place.size().shrunkBy(frame));
  window.move(place.topLeft());  // a window's position is its frame's
}

int TitleBarWidth(const QWidget& window) {
  QFont bold = window.font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  // The icon and up to five buttons, each about a line square, with the spacing between them
  // and at the ends.
  constexpr int kTitleBarLines = 8;
  return metrics.horizontalAdvance(window.windowTitle()) + kTitleBarLines * metrics.height();
}

}  // namespace gryvel::gui
