// Starts the window as gryvel does and ends the process right after its first paint that
// shows words, so that a timer around the whole process (bench/startup) measures the time from
// process start to that paint, as a user sees it. With "empty" it shows an empty Qt Widgets
// window instead and ends after its first paint: the yardstick. Neither tears anything down,
// so only the start is timed. Run it from a folder holding Dictionaries/ (the window's program
// folder is the probe's own):
//   startup_probe empty
//   startup_probe window

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "gui/app/application.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/widgets/kiv_viewer.h"

namespace {

// Quits once the watched widget has painted while `ready` holds.
class TPaintWatch : public QObject {
 public:
  TPaintWatch(QWidget& widget, std::function<bool()> ready)
      : QObject(&widget), FReady(std::move(ready)) {
    widget.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && FReady())
      QTimer::singleShot(0, [] { std::_Exit(0); });  // once the paint is done
    return false;
  }

 private:
  std::function<bool()> FReady;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "empty") == 0) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(525, 395);
    new TPaintWatch(window, [] { return true; });
    window.show();
    return QApplication::exec();
  }
  // The mode is the probe's, not the window's: left in, the window would take it for a
  // dictionary file to open.
  if (argc >= 2) {
    std::copy(argv + 2, argv + argc + 1, argv + 1);
    --argc;
  }
  return gryvel::gui::RunApplication(
      argc, argv, [](gryvel::gui::TKivMainForm& form, gryvel::TSession& session) {
        auto* list = form.findChild<gryvel::gui::TKivViewer*>("KivViewer1");
        new TPaintWatch(*list, [&session] { return session.Source.Count() > 0; });
      });
}
