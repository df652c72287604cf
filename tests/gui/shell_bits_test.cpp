#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QtTest>

#include "gui/about_box.h"
#include "gui/dialogs.h"
#include "gui/filter_form.h"
#include "gui/help_window.h"
#include "gui/icons.h"
#include "gui/options/option_form.h"
#include "gui/qt_translation.h"
#include "gui/statistics/stat_form.h"
#include "gui/text.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "shell/session.h"
#include "support/kiv_bytes.h"
#include "install_info.h"

using namespace gryvel;
using namespace gryvel::gui;

namespace {

// Share of pixels of `image` that are not fully transparent.
double Coverage(const QImage& image) {
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 0;
  return double(opaque) / (image.width() * image.height());
}

void WriteFile(const QString& path, const std::string& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), qint64(bytes.size()));
}

QString QtCancel() {
  return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

}  // namespace

class TShellBitsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { SetUILanguage(TUILanguage::English); }

  // Every icon is a valid picture that draws something at every toolbar size.
  void IconsRenderAtEverySize() {
    for (int i = 0; i < kIconCount; ++i) {
      const auto icon = static_cast<TIcon>(i);
      QVERIFY2(QFile::exists(IconPath(icon)), qPrintable(IconPath(icon)));
      QVERIFY(!Icon(icon).isNull());
      for (int size : {16, 22, 28, 56}) {
        const QImage image = Icon(icon).pixmap(size, size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        const double coverage = Coverage(image);
        QVERIFY2(
            coverage > 0.05,
            qPrintable(
                QStringLiteral("%1 at %2 px: %3").arg(IconPath(icon)).arg(size).arg(coverage)));
      }
    }
  }

  void IconsThatMeanDifferentThingsLookDifferent() {
    const TIcon pairs[][2] = {{TIcon::StateConnected, TIcon::StateDisconnected},
                              {TIcon::StateConnected, TIcon::StateConnectedActive},
                              {TIcon::EqualActive, TIcon::EqualInactive},
                              {TIcon::PanelShow, TIcon::PanelHide},
                              {TIcon::SortAscending, TIcon::SortDescending},
                              {TIcon::DictionaryBinary, TIcon::DictionaryText}};
    for (const auto& pair : pairs)
      QVERIFY(Icon(pair[0]).pixmap(22, 22).toImage() != Icon(pair[1]).pixmap(22, 22).toImage());
  }

  void QtTranslationFollowsLanguage() {
    QCOMPARE(QtCancel(), QStringLiteral("Cancel"));
    SetQtTranslation(true);
    QCOMPARE(QtCancel(), QStringLiteral("Отмена"));
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("Отмена"));
    SetQtTranslation(true);  // twice on, once off: off
    SetQtTranslation(false);
    QCOMPARE(QtCancel(), QStringLiteral("Cancel"));
    SetQtTranslation(false);
    QCOMPARE(QtCancel(), QStringLiteral("Cancel"));
  }

  void MissingQtTranslationChangesNothing() {
    QTemporaryDir empty;
    SetQtTranslation(true, empty.path());
    QCOMPARE(QtCancel(), QStringLiteral("Cancel"));
    SetQtTranslation(false);
  }

  void HelpPagesShowInBothLanguages() {
    THelpWindow window;
    for (bool english : {false, true}) {
      window.ShowPage(GRYVEL_HELP_SOURCE_DIR, HelpContentsPage(english), english);
      QTextBrowser* browser = window.findChild<QTextBrowser*>("helpBrowser");
      QVERIFY(browser != nullptr);
      QCOMPARE(browser->source().fileName(), HelpContentsPage(english));
      const QString text = browser->toPlainText();
      QVERIFY(text.contains(english ? "Crossword patterns" : "Шаблоны кроссворда"));
      QVERIFY(text.contains("1221"));
      QVERIFY(text.contains("Alt+Enter"));
      QVERIFY(!browser->document()->isEmpty());
    }
  }

  // Every local link of every page leads to a page, and to an <a name> anchor of it.
  void HelpPageLinksLeadToExistingPagesAndAnchors() {
    const QDir dir(GRYVEL_HELP_SOURCE_DIR);
    const QRegularExpression href("href=\"([^\"#]*)(?:#([^\"]*))?\"");
    const QRegularExpression external("^[a-z]+:");
    const auto read = [&dir](const QString& page) {
      QFile file(dir.filePath(page));
      return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
    QVERIFY(pages.contains("index.html") && pages.contains("index_en.html"));
    for (const QString& page : pages) {
      for (const QRegularExpressionMatch& link : href.globalMatch(read(page))) {
        if (external.match(link.captured(1)).hasMatch()) continue;  // web and mail addresses
        const QString target = link.captured(1).isEmpty() ? page : link.captured(1);
        QVERIFY2(QFile::exists(dir.filePath(target)), qPrintable(page + ": " + target));
        if (!link.captured(2).isEmpty())
          QVERIFY2(read(target).contains(QStringLiteral("name=\"%1\"").arg(link.captured(2))),
                   qPrintable(page + ": " + target + "#" + link.captured(2)));
      }
    }
  }

  void TextTheDictionariesCannotHoldIsNamedInTheInterfaceLanguage() {
    QString error;
    SetLanguage("ENG");
    QVERIFY(FromQString(QStringLiteral("кот") + QChar(0x263A), &error) == std::nullopt);
    QCOMPARE(error, QStringLiteral("Character U+263A \"☺\" at position 4 cannot be written in "
                                   "code page 1251."));
    SetLanguage("RUS");
    QVERIFY(!FromQString(QStringLiteral("a\u4E2Db"), &error));
    QCOMPARE(error, QStringLiteral("Символ U+4E2D «中» в позиции 2 нельзя записать в кодировке 1251."));
    QCOMPARE(*FromQString(QStringLiteral("ёж"), &error), std::string("\xB8\xE6"));
  }

  // The span found is what a line edit selects to show the character whole.
  void TheCharacterFoundIsSelectedWholeInALineEdit() {
    const struct {
      const char* text;
      const char* selected;
    } cases[] = {{"ab😀c", "😀"}, {"😀😀", "😀"}, {"cafe\u0301s", "e\u0301"}, {"ок👍🏽!", "👍🏽"},
                 {"a\tb€✓", "✓"}};
    QLineEdit edit;
    for (const auto& c : cases) {
      edit.setText(QString::fromUtf8(c.text));
      const std::optional<TUnstorableText> found = FindUnstorable(edit.text());
      QVERIFY2(found.has_value(), c.text);
      edit.setSelection(found->Start, found->Length);
      QCOMPARE(edit.selectedText(), QString::fromUtf8(c.selected));
    }
    QVERIFY(!FindUnstorable(QStringLiteral("кот € №")).has_value());
  }

  // F1 in the filter, settings and statistics windows opens the window's own page in the
  // interface language, the settings on the part about the page shown; the help window passes
  // to the window asking, so that a modal dialog does not block it.
  void F1OpensTheHelpOfTheWindow() {
    TSession session;
    TFilterForm filter(session.Source);
    TOptionForm options(session);
    TStatForm statistics(session.Source, session.Collection);
    options.findChild<QTabWidget*>("PageControl")->setCurrentIndex(2);
    struct TCase {
      QWidget* Window;
      const char* Language;
      QString Page;
    };
    const TCase cases[] = {{&filter, "RUS", "filter.html"},
                           {&filter, "ENG", "filter_en.html"},
                           {&options, "RUS", "options.html#wordlist"},
                           {&options, "ENG", "options_en.html#wordlist"},
                           {&statistics, "ENG", "statistics_en.html"},
                           {&statistics, "RUS", "statistics.html"}};
    for (const TCase& c : cases) {
      SetLanguage(c.Language);
      c.Window->show();
      c.Window->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(c.Window));
      QTest::keyClick(c.Window, Qt::Key_F1);
      const auto* help = c.Window->findChild<THelpWindow*>("helpWindow");
      QVERIFY2(help != nullptr, qPrintable(c.Page));
      QVERIFY(help->isVisible());
      QCOMPARE(help->Page(), c.Page);
      c.Window->hide();
    }
    SetUILanguage(TUILanguage::NotSet);
  }

  void MissingHelpShowsMessage() {
    QTemporaryDir empty;
    THelpWindow window;
    window.ShowPage(empty.path(), "index_en.html", true);
    QVERIFY(window.Browser()->toPlainText().contains("help pages are missing"));
    window.ShowPage({}, "index.html", false);
    QVERIFY(window.Browser()->toPlainText().contains("не найдены"));
  }

  void ShowHelpKeepsOneWindowOverItsOwner() {
    QWidget owner;
    const QRect room = owner.screen()->availableGeometry();
    owner.setGeometry(room.adjusted(room.width() / 4, 0, 0, 0));
    owner.show();
    THelpWindow* first = ShowHelp(&owner, true);
    // Over the owner and inside the screen, not in a corner of it.
    QVERIFY(room.contains(first->geometry()));
    QVERIFY(first->geometry().intersects(owner.geometry()));
    if (first->width() < owner.width())
      QVERIFY(std::abs(first->geometry().center().x() - owner.geometry().center().x()) <= 1);
    THelpWindow* second = ShowHelp(&owner, false);
    QCOMPARE(first, second);
    QVERIFY(first->isVisible());
    QVERIFY(first->isWindow());
    QCOMPARE(owner.findChildren<THelpWindow*>().size(), qsizetype(1));
  }

  void AboutBoxShowsNameVersionAndHeaderLicences() {
    QTemporaryDir dir;
    testing::HeadTexts texts;
    texts.Title = "Test words";
    texts.Comments = "Copyright: 2001 Somebody\r\nLicence: keep this line";
    WriteFile(dir.filePath("dictionary.kiv"), testing::V2Header(0, texts));
    WriteFile(dir.filePath("english.kiv"), "not a dictionary at all");

    TAboutBox box(nullptr, {dir.filePath("missing"), dir.path()});
    QCOMPARE(box.objectName(), QStringLiteral("aboutBox"));
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QVERIFY(box.isModal());
    QCOMPARE(box.findChild<QLabel*>("nameLabel")->text(), QStringLiteral("Gryvel"));
    QVERIFY(box.findChild<QLabel*>("versionLabel")->text().endsWith(GRYVEL_VERSION));
    QVERIFY(!box.findChild<QLabel*>("pictureLabel")->pixmap().isNull());
    auto* ok = box.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QCOMPARE(ok->text(), QStringLiteral("Ok"));

    const QString licences = box.findChild<QPlainTextEdit*>("licencesTextEdit")->toPlainText();
    QVERIFY(licences.contains("Test words\n\nCopyright: 2001 Somebody\nLicence: keep this line"));
    // The unreadable English file falls back to the short line.
    QVERIFY(licences.contains("WordNet 3.0, © 2006 Princeton University"));
    QVERIFY(!licences.contains("Lebedev"));
  }

  // Without a browser or a mail program the user is told so, naming the address.
  void AddressesThatCannotBeOpenedAreNamedInAMessage() {
    TScriptedDialogs dialogs;
    dialogs.DefaultAnswer = TMessageAnswer::Ok;
    TDialogs* previous = SetDialogs(&dialogs);
    TAboutBox box(nullptr, {});
    Q_EMIT box.findChild<QLabel*>("homePageLabel")->linkActivated(QString());
    QVERIFY(!OpenExternalUrl(nullptr, QUrl("mailto:someone@a.example")));
    dialogs.UrlsOpen = true;
    QVERIFY(OpenExternalUrl(nullptr, QUrl("https://b.example/")));
    SetDialogs(previous);
    QCOMPARE(dialogs.Urls, (QStringList{"https://gryvel.example/", "mailto:someone@a.example",
                                        "https://b.example/"}));
    QCOMPARE(dialogs.Asked.size(), 2);
    QVERIFY2(dialogs.Asked[0].startsWith(
                 "No web browser could be started to open the address\r\nhttps://gryvel.example/\r\n"),
             qPrintable(dialogs.Asked[0]));
    QVERIFY2(dialogs.Asked[1].startsWith(
                 "No e-mail program could be started to write to\r\nsomeone@a.example\r\n"),
             qPrintable(dialogs.Asked[1]));
  }

  void AboutBoxFallsBackToShortLinesInRussian() {
    SetUILanguage(TUILanguage::Russian);
    QTemporaryDir empty;
    TAboutBox box(nullptr, {empty.path()});
    QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
    const QString licences = box.LicenceText();
    QVERIFY(licences.contains("© 1997–2008 Alexander I. Lebedev"));
    QVERIFY(licences.contains("флаги аффиксов удалены"));
    QVERIFY(licences.contains("© 2006 Princeton University"));
  }
};

QTEST_MAIN(TShellBitsTest)
#include "shell_bits_test.moc"
