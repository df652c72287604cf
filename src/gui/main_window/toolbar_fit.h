#pragma once

class QMainWindow;
class QToolBar;

namespace gryvel::gui {

// The width a window's two docked toolbars need to show every button, as they are docked
// now: toolbars on one row add up, toolbars on rows of their own take the widest.
int ToolBarsWidth(const QMainWindow& window, const QToolBar& first, const QToolBar& second);

}  // namespace gryvel::gui
