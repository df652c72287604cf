#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "gui/dialogs.h"
#include "gui/text.h"

// Dialogs that answer from a script and record what they were asked, for the window tests.
// Every answer starts as "cancelled" or empty; a test sets only those it drives.

namespace gryvel::gui {

class TScriptedDialogs : public TDialogs {
 public:
  // Messages: recorded, answered by the next of Answers, then by DefaultAnswer.
  TMessageAnswer Ask(QWidget*, const TMessage& message) override {
    Asked << MessageText(message);
    Kinds << message.Kind;
    return Answers.isEmpty() ? DefaultAnswer : Answers.takeFirst();
  }
  // File dialogs answer with the next of Files.
  QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return NextFile();
  }
  // Records the folder and the filters; the file type chosen is the filter at position
  // Filter, else Selected, when either is set.
  QString SaveFileName(QWidget*, const QString&, const QString& dir, const QString& filter,
                       QString* selected) override {
    ++SaveDialogs;
    SaveDirs << dir;
    Filters = filter;
    if (selected != nullptr && Filter >= 0) *selected = filter.split(";;").value(Filter);
    if (selected != nullptr && !Selected.isEmpty()) *selected = Selected;
    return NextFile();
  }
  std::optional<QFont> ChooseFont(QWidget*, const QFont&,
                                  const std::function<void(const QFont&)>& trying) override {
    if (Trying && trying) trying(*Trying);
    return Font;
  }
  std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return Color; }
  std::optional<TEqualLetters> AskEqualLetters(QWidget*, bool add,
                                               const TEqualLetters& initial) override {
    EqualAsked.push_back({add, initial});
    return Equal;
  }
  int Exec(QDialog& dialog) override {
    ++Execs;
    return Fill ? Fill(dialog) : QDialog::Rejected;
  }
  bool OpenUrl(const QUrl& url) override {
    Urls << url.toString();
    return UrlsOpen;
  }

  QStringList Asked;
  QList<TMessageKind> Kinds;  // of each message asked
  QList<TMessageAnswer> Answers;
  TMessageAnswer DefaultAnswer = TMessageAnswer::Cancel;
  QStringList Files;
  QStringList SaveDirs;
  QString Filters;
  int Filter = -1;
  QString Selected;
  int SaveDialogs = 0;
  std::optional<QFont> Trying;  // a font the user tries before deciding
  std::optional<QFont> Font;
  std::optional<QColor> Color;
  std::optional<TEqualLetters> Equal;
  std::vector<std::pair<bool, TEqualLetters>> EqualAsked;  // (add, initial) of each
  int Execs = 0;
  std::function<int(QDialog&)> Fill;  // fills the dialog's fields and answers
  QStringList Urls;
  bool UrlsOpen = false;

 private:
  QString NextFile() { return Files.isEmpty() ? QString() : Files.takeFirst(); }
};

}  // namespace gryvel::gui
