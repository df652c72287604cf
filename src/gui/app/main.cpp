#include <QGuiApplication>

#include "gui/app/application.h"

int main(int argc, char** argv) {
  // The installed desktop entry's name: desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.gryvel.Gryvel"));
  return gryvel::gui::RunApplication(argc, argv);
}
