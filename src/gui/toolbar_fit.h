#pragma once

#include <QObject>

class QMainWindow;
class QToolBar;

namespace gryvel::gui {

// Keeps a window's docked toolbars whole: the window's minimum width follows the toolbars'
// size hints (captions, language, button size), so no button ever hides behind the overflow
// arrow. Toolbars on one row add up; toolbars on rows of their own take the widest.
class TToolBarFit : public QObject {
 public:
  TToolBarFit(QMainWindow& window, QToolBar& first, QToolBar& second);

  // The width the toolbars need, as they are now docked.
  int NeededWidth() const;
  // Sets the window's minimum width to NeededWidth().
  void Update();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMainWindow& FWindow;
  QToolBar& FFirst;
  QToolBar& FSecond;
};

}  // namespace gryvel::gui
