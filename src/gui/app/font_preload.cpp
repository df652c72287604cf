#include "gui/app/font_preload.h"

#include <QFontDatabase>
#include <QStringList>
#include <fontconfig/fontconfig.h>

namespace gryvel::gui {

TFontPreload::TFontPreload()
    : FThread([this] {
        FcInit();
        std::unique_lock lock(FMutex);
        FAsked.wait(lock, [this] { return FRequest != TRequest::kNone; });
        const bool fill = FRequest == TRequest::kFill;
        lock.unlock();
        if (fill) QFontDatabase::families();  // fills the database as its first use does
      }) {}

TFontPreload::~TFontPreload() {
  Finish();
}

void TFontPreload::FillDatabase() {
  Ask(TRequest::kFill);
}

void TFontPreload::Finish() {
  Ask(TRequest::kFinish);
  if (FThread.joinable()) FThread.join();
}

void TFontPreload::Ask(TRequest request) {
  {
    std::lock_guard lock(FMutex);
    if (FRequest != TRequest::kNone) return;  // the first answer stands
    FRequest = request;
  }
  FAsked.notify_one();
}

}  // namespace gryvel::gui
