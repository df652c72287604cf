#pragma once

#include <functional>

#include <QMainWindow>
#include <QString>

class QTextBrowser;

// The help: HTML pages under help/ (index.html in Russian, index_en.html in English) shown in
// one non-modal window.

namespace gryvel::gui {

// The help directory in use: help/ beside the executable when it holds the Russian contents
// page, else the installed one (<data>/gryvel/help) when that does; empty when neither does.
QString HelpDirectory();

// The contents page of a language: "index.html" or "index_en.html".
QString HelpContentsPage(bool english);

class THelpWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // Shows `page` (a file name, optionally with "#anchor") of `directory`; when the file is
  // not there, shows a message naming what is missing, in English or Russian.
  void ShowPage(const QString& directory, const QString& page, bool english);

  QTextBrowser* Browser() const { return FBrowser; }
  // The page last asked for, as given to ShowPage.
  const QString& Page() const { return FPage; }

 private:
  QTextBrowser* FBrowser;
  QString FPage;
};

// Opens the help window (one for the whole program, created on first use as a separate window
// owned by `parent`) on `page` of HelpDirectory(), or on the contents page when `page` is
// empty, and raises it. Returns the window. The window passes to `parent`, so that a modal
// dialog asking for help does not block it (and the help of a dialog closes with it).
THelpWindow* ShowHelp(QWidget* parent, bool english, const QString& page = {});

// The page of a help topic in a language: "filter" gives "filter.html" or "filter_en.html";
// an anchor stays at the end ("options#search" gives "options_en.html#search").
QString HelpTopicPage(const QString& topic, bool english);

// F1 anywhere in `window` opens the help on the topic `topic` names at that moment, in the
// interface language.
void AddHelpKey(QWidget& window, std::function<QString()> topic);

}  // namespace gryvel::gui
