#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>

#include "common/message_sink.h"
#include "search/character_manager.h"

class QDialog;
class QUrl;
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

  // The dialogs below answer "cancelled" unless overridden, so a test scripts only those it
  // drives; the real ones are Qt's, and the equal-letters dialog.

  // The font chosen, starting from `initial`; nullopt when cancelled. `trying` (when set)
  // hears each font the user picks before deciding.
  virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial,
                                          const std::function<void(const QFont&)>& trying);
  // The colour chosen, starting from `initial`; nullopt when cancelled.
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial);
  // The equal-letters dialog, adding a group (`add`) or changing `initial`: the group typed,
  // active; nullopt when cancelled or a field was left empty.
  virtual std::optional<TEqualLetters> AskEqualLetters(QWidget* parent, bool add,
                                                       const TEqualLetters& initial);
  // Runs one of the program's own dialogs modally and returns its result (QDialog::Accepted
  // or Rejected). Tests fill the dialog's fields and answer instead.
  virtual int Exec(QDialog& dialog);
  // Hands `url` to the desktop (a web page to the browser, "mailto:" to the mail program);
  // false when nothing could be started. The real one asks the desktop; this one opens
  // nothing.
  virtual bool OpenUrl(const QUrl& url);
};

// The dialogs in use: real Qt dialogs unless a test installed others.
TDialogs& Dialogs();
// Installs `dialogs` (borrowed; null restores the real ones) and returns the previous one.
TDialogs* SetDialogs(TDialogs* dialogs);

// Opens `url` through Dialogs().OpenUrl; when nothing can be started, says so in a message
// box over `parent`, in the interface language, naming the address. Returns whether it opened.
bool OpenExternalUrl(QWidget* parent, const QUrl& url);

// Routes the engine's messages (ShowMessage) to Dialogs().Ask over the active window.
void InstallMessageSink();

// An engine filter ("Name|*.kiv|All files|*.*", code page 1251) in Qt's form.
QString QtFileFilter(std::string_view pipe_filter);

}  // namespace gryvel::gui
