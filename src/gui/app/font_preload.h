#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// Fonts at start-up: reading the font configuration takes milliseconds, and so does filling
// Qt's font database with every installed font. A worker does both while the window is being
// built (the configuration from the start, the database once the application object exists)
// so that the first text the window measures waits for neither.

namespace gryvel::gui {

// Thread safety: every member is called from the UI thread; FMutex guards FRequest, which the
// worker waits on.
class TFontPreload {
 public:
  // Starts reading the font configuration on the worker.
  TFontPreload();
  // Calls Finish.
  ~TFontPreload();
  TFontPreload(const TFontPreload&) = delete;
  TFontPreload& operator=(const TFontPreload&) = delete;

  // Has the worker fill Qt's font database once the configuration is read. Qt's font
  // database locks itself, so fonts may be used meanwhile: they wait for the fill instead
  // of doing it again. REQUIRES: the QGuiApplication exists and outlives Finish.
  void FillDatabase();
  // Returns once the worker has ended; a fill not asked for by then is not done.
  void Finish();

 private:
  enum class TRequest { kNone, kFill, kFinish };

  void Ask(TRequest request);

  std::mutex FMutex;
  std::condition_variable FAsked;
  TRequest FRequest = TRequest::kNone;
  std::thread FThread;  // last: started once the members above exist
};

}  // namespace gryvel::gui
