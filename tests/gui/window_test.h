#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

#include "gui/main_window/kiv_main_form.h"
#include "scripted_dialogs.h"
#include "shell/session.h"

namespace gryvel::gui {

// Writes a binary dictionary of `words` (UTF-8) to `path`; `title` (UTF-8) is put in its header
// when given, and every entry gets the part-of-speech bits `parts`.
void WriteDictionary(const QString& path, const QStringList& words, const char* title = nullptr,
                     std::uint16_t parts = 0);

// The set-up the window tests share: the platform hooks and the scripted dialogs installed for
// the whole run, a temporary program folder, and the session and main window a test opens
// there, closed after each test. A test class derives from it and keeps its own init().
class TWindowTest : public QObject {
  Q_OBJECT

 protected:
  QString Path(const char* name) const { return FDir.filePath(QString::fromUtf8(name)); }
  QString Ini() const { return FDir.filePath(QStringLiteral("gryvel.ini")); }

  QTemporaryDir FDir;
  TScriptedDialogs FDialogs;
  std::unique_ptr<TSession> FSession;  // outlives the window
  std::unique_ptr<TKivMainForm> FForm;

 protected Q_SLOTS:
  void initTestCase();
  void cleanupTestCase();
  void cleanup();
};

}  // namespace gryvel::gui
