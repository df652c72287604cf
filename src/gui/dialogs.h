#pragma once

#include <QString>

#include "common/message_sink.h"

class QDialog;
class QWidget;

// The seam between the windows and every modal question or file dialog: windows ask through
// Dialogs(), so tests answer without a modal loop by installing their own TDialogs.

namespace gryvel::gui {

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // A message box; `message` holds code page 1251 text.
  virtual TMessageAnswer Ask(QWidget* parent, const TMessage& message) = 0;
  // The chosen file, empty when cancelled. `filter` is in Qt's form ("A (*.a);;B (*.b)").
  virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                               const QString& filter) = 0;
  // As OpenFileName; *selected_filter (when given) starts as the filter to show and returns
  // the one chosen.
  virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                               const QString& filter, QString* selected_filter) = 0;
  // Runs one of the program's own dialogs modally and returns its result (QDialog::Accepted
  // or Rejected). Tests fill the dialog's fields and answer instead.
  virtual int Exec(QDialog& dialog);
};

// The dialogs in use: real Qt dialogs unless a test installed others.
TDialogs& Dialogs();
// Installs `dialogs` (borrowed; null restores the real ones) and returns the previous one.
TDialogs* SetDialogs(TDialogs* dialogs);

// Routes the engine's messages (ShowMessage) to Dialogs().Ask over the active window.
void InstallMessageSink();

// An engine filter ("Name|*.kiv|All files|*.*", code page 1251) in Qt's form.
QString QtFileFilter(std::string_view pipe_filter);

}  // namespace gryvel::gui
