#include "gui/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "gui/icons.h"
#include "gui/text.h"
#include "gui/window_place.h"
#include "results/language.h"
#include "install_info.h"

namespace gryvel::gui {

namespace {

QString MissingPageHtml(const QString& directory, const QString& file, bool english) {
  const QString where = directory.isEmpty()
                            ? QDir(QCoreApplication::applicationDirPath()).filePath("help") +
                                  QStringLiteral(", ") + QStringLiteral(GRYVEL_DATA_DIR "/help")
                            : QDir(directory).filePath(file);
  const QString text = english ? QStringLiteral(
                                     "<h2>The help pages are missing</h2>"
                                     "<p>The page <b>%1</b> was not found.</p><p>Looked in: %2</p>"
                                     "<p>Reinstall the program to bring the help back.</p>")
                               : QStringLiteral(
                                     "<h2>Страницы справки не найдены</h2>"
                                     "<p>Не найдена страница <b>%1</b>.</p><p>Место поиска: %2</p>"
                                     "<p>Чтобы вернуть справку, установите программу заново.</p>");
  return text.arg(file.toHtmlEscaped(), where.toHtmlEscaped());
}


}  // namespace

QString HelpDirectory() {
  const QString contents = HelpContentsPage(false);
  const QStringList places = {QDir(QCoreApplication::applicationDirPath()).filePath("help"),
                              QStringLiteral(GRYVEL_DATA_DIR "/help")};
  for (const QString& place : places)
    if (QFileInfo(QDir(place).filePath(contents)).isFile()) return place;
  return {};
}

QString HelpContentsPage(bool english) {
  return english ? QStringLiteral("index_en.html") : QStringLiteral("index.html");
}

THelpWindow::THelpWindow(QWidget* parent) : QMainWindow(parent), FBrowser(new QTextBrowser(this)) {
  setObjectName("helpWindow");
  setWindowIcon(Icon(TIcon::Application));
  FBrowser->setObjectName("helpBrowser");
  FBrowser->setOpenExternalLinks(true);
  setCentralWidget(FBrowser);
  auto* back = new QShortcut(QKeySequence::Back, this);
  connect(back, &QShortcut::activated, FBrowser, &QTextBrowser::backward);
  auto* forward = new QShortcut(QKeySequence::Forward, this);
  connect(forward, &QShortcut::activated, FBrowser, &QTextBrowser::forward);
  auto* close_key = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close_key, &QShortcut::activated, this, &QWidget::close);
  resize(780, 620);
}

void THelpWindow::ShowPage(const QString& directory, const QString& page, bool english) {
  FPage = page;
  setWindowTitle(ToQString(Term(TTerm::Help)) + QStringLiteral(" — Gryvel"));
  const QString file = page.section('#', 0, 0);
  const QString anchor = page.section('#', 1);
  const QString path = directory.isEmpty() ? QString() : QDir(directory).filePath(file);
  if (path.isEmpty() || !QFileInfo(path).isFile()) {
    FBrowser->clearHistory();
    FBrowser->setHtml(MissingPageHtml(directory, file, english));
    return;
  }
  QUrl url = QUrl::fromLocalFile(path);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  FBrowser->setSource(url);
}

THelpWindow* ShowHelp(QWidget* parent, bool english, const QString& page) {
  static QPointer<THelpWindow> window;
  // A main window is a top-level window even with a parent, which only ties its lifetime.
  if (!window) {
    window = new THelpWindow(parent);
    PlaceOver(*window, parent);
  } else if (window->parentWidget() != parent) {
    const QRect place = window->geometry();
    window->setParent(parent, window->windowFlags());
    window->setGeometry(place);
  }
  window->ShowPage(HelpDirectory(), page.isEmpty() ? HelpContentsPage(english) : page, english);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

QString HelpTopicPage(const QString& topic, bool english) {
  const QString anchor = topic.section('#', 1);
  return topic.section('#', 0, 0) + (english ? QStringLiteral("_en.html") : QStringLiteral(".html")) +
         (anchor.isEmpty() ? QString() : QLatin1Char('#') + anchor);
}

void AddHelpKey(QWidget& window, std::function<QString()> topic) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, &window, [&window, topic = std::move(topic)] {
    const bool english = UILanguage() != TUILanguage::Russian;
    ShowHelp(&window, english, HelpTopicPage(topic(), english));
  });
}

}  // namespace gryvel::gui
