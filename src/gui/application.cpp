#include "gui/application.h"

#include <QApplication>
#include <QMainWindow>

namespace gryvel::gui {

int RunApplication(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.show();
  return QApplication::exec();
}

}  // namespace gryvel::gui
