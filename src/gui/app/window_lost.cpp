#include "gui/app/window_lost.h"

#include <QCoreApplication>
#include <QTimer>
#include <utility>
#include <xcb/xcb.h>

namespace gryvel::gui {

TWindowLostWatch::TWindowLostWatch(QWidget& window, std::function<void()> lost)
    : FWindow(window), FLost(std::move(lost)) {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

TWindowLostWatch::~TWindowLostWatch() {
  QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TWindowLostWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (FReported || type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY) return false;
  const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
  if (!FWindow.testAttribute(Qt::WA_WState_Created) || destroyed->window != FWindow.winId())
    return false;
  FReported = true;
  // Not from inside the platform's event handling.
  QTimer::singleShot(0, &FWindow, FLost);
  return false;
}

}  // namespace gryvel::gui
