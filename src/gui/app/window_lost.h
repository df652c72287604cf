#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <functional>

// A top-level window whose native window is destroyed from outside (an X client destroying
// it, a compositor that crashed, a session that is ending) would leave the process running
// with nothing on screen. This filter sees the X server's notice of that destruction and
// reports it, so that the program can end as on a close.

namespace gryvel::gui {

class TWindowLostWatch : public QAbstractNativeEventFilter {
 public:
  // Watches `window` (borrowed) for as long as this object lives; `lost` runs on the UI thread
  // from the event loop, once.
  TWindowLostWatch(QWidget& window, std::function<void()> lost);
  ~TWindowLostWatch() override;
  TWindowLostWatch(const TWindowLostWatch&) = delete;
  TWindowLostWatch& operator=(const TWindowLostWatch&) = delete;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  QWidget& FWindow;
  std::function<void()> FLost;
  bool FReported = false;
};

}  // namespace gryvel::gui
