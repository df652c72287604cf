#pragma once

class QWidget;

namespace gryvel::gui {

// Puts `window`, with its frame, over the middle of `owner`'s window and inside its screen,
// rather than where the window manager drops a new window (often a corner of the screen). The
// owner's frame tells what the window manager adds around a window: a window that fills the
// screen keeps its title bar on it. Nothing without an owner.
void PlaceOver(QWidget& window, const QWidget* owner);

// The width a window manager's title bar needs to show `window`'s title whole: the title in a
// bold face of the window's font, beside room for the window's icon and its buttons.
int TitleBarWidth(const QWidget& window);

}  // namespace gryvel::gui
