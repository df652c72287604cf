// Starts as the window does and ends at its first paint that shows words, so that a timer
// around the whole process (bench/startup) measures start-up as a user sees it. With "empty"
// it shows an empty Qt Widgets window instead and ends at its first paint: the yardstick.
//   startup_probe empty
//   startup_probe window PROGRAM_DIR      (PROGRAM_DIR holds Dictionaries/ and gryvel.ini)

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/stopwatch.h"
#include "gui/kiv_main_form.h"
#include "gui/platform_hooks.h"
#include "gui/ui/kiv_viewer.h"

namespace {

// Quits once `widget` has painted and `ready` holds.
class TPaintWatch : public QObject {
 public:
  TPaintWatch(QWidget& widget, std::function<bool()> ready) : FReady(std::move(ready)) {
    widget.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && FReady())
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return false;
  }

 private:
  std::function<bool()> FReady;
};

}  // namespace

int main(int argc, char** argv) {
  gryvel::TStopwatch::Start("Initialization");
  QApplication app(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "empty") == 0) {
    QWidget window;
    window.resize(525, 395);
    TPaintWatch watch(window, [] { return true; });
    window.show();
    return QApplication::exec();
  }
  if (argc < 3 || std::strcmp(argv[1], "window") != 0) {
    std::fprintf(stderr, "usage: startup_probe empty | window PROGRAM_DIR\n");
    return 2;
  }
  gryvel::gui::InstallPlatformHooks();
  int status = 0;
  {
    gryvel::gui::TKivMainForm form(argv[2]);
    gryvel::gui::TKivViewer& viewer = form.Viewer();
    TPaintWatch watch(viewer, [&form] { return form.ResultSource().Count() > 0; });
    form.SetInitTime(gryvel::TStopwatch::Stop("Initialization"));
    form.ShowAsSaved();
    status = QApplication::exec();
  }
  gryvel::gui::RemovePlatformHooks();
  return status;
}
