// The window a new user first sees: both toolbars whole, in either language, on the screen it
// opens on. Run once on the default offscreen screen and once on a small one (see CMakeLists).

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/session.h"

using namespace gryvel;
using namespace gryvel::gui;

class TFirstWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { InstallPlatformHooks(); }
  void cleanupTestCase() { RemovePlatformHooks(); }
  void cleanup() { SetUILanguage(TUILanguage::NotSet); }

  void ToolbarsShowEveryButton_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::newRow("Russian") << QByteArray("RUS");
    QTest::newRow("English") << QByteArray("ENG");
  }
  void ToolbarsShowEveryButton() {
    QFETCH(QByteArray, language);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Only the language: no window position yet, as on a first start.
    QFile ini(dir.filePath("gryvel.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\r\nLanguage=" + language + "\r\n");
    ini.close();

    TSession session(ProgramSettings(PathFromQString(dir.path())));
    TKivMainForm form(session);
    form.ShowAsSaved();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const QList<QToolBar*> bars = form.findChildren<QToolBar*>();
    QCOMPARE(bars.size(), 2);
    for (QToolBar* bar : bars) {
      QVERIFY(bar->isVisible());
      QTRY_VERIFY2(bar->width() >= bar->sizeHint().width(), qPrintable(bar->objectName()));
      for (auto* extension : bar->findChildren<QToolButton*>("qt_toolbar_ext_button"))
        QVERIFY2(!extension->isVisible(), qPrintable(bar->objectName()));
    }

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(area.contains(form.frameGeometry()),
             qPrintable(QStringLiteral("window %1x%2 on a %3x%4 screen")
                            .arg(form.width()).arg(form.height())
                            .arg(area.width()).arg(area.height())));
    // Centred, give or take the frame's rounding.
    QVERIFY((form.frameGeometry().center() - area.center()).manhattanLength() <= 4);
  }
};

QTEST_MAIN(TFirstWindowTest)
#include "first_window_test.moc"
