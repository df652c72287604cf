// The main window when its settings file cannot be written: at closing, and from the first
// start on.

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "dictionary/kiv_dictionary.h"
#include "gui/app/platform_hooks.h"
#include "gui/dialogs.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/text.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "shell/session.h"
#include "shell/settings_file.h"
#include "support/failing_file_system.h"
#include "window_test.h"

using namespace gryvel;
using namespace gryvel::gui;

class TSettingsFailureTest : public TWindowTest {
  Q_OBJECT

 private:
  testing::FailingFileSystem FFiles;

  void Open() {
    FForm.reset();
    const std::string dir = PathFromQString(FDir.path());
    FSession = std::make_unique<TSession>(
        std::make_unique<TSettingsFile>(FFiles, PathFromQString(Ini()), dir));
    FForm = std::make_unique<TKivMainForm>(*FSession);
    FForm->ShowAsSaved();
    QTRY_VERIFY(FSession->Collection.LoadingCount() == 0);
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(FDir.isValid());
    QDir(FDir.path()).mkpath("Dictionaries");
    WriteDictionary(Path("Dictionaries/dictionary.kiv"), {"кот", "кит", "дом"});
    QFile::remove(Ini());
    FFiles.FailCommit(false);
    FDialogs.Answers.clear();
    FDialogs.Asked.clear();
  }

  // The question names the file in the interface language; "No" keeps the window, "Yes"
  // closes it.
  void AFailedSaveAtClosingAsksWhetherToClose() {
    Open();
    QVERIFY(QFile::exists(Ini()) && FDialogs.Asked.isEmpty());
    FFiles.FailCommit(true);
    FDialogs.Answers = {TMessageAnswer::No};
    FForm->close();
    QCOMPARE(FDialogs.Asked.size(), 1);
    QVERIFY(FDialogs.Asked[0].startsWith(QString::fromUtf8("Не удалось сохранить параметры")));
    QVERIFY(FDialogs.Asked[0].contains(Ini()));
    QVERIFY(FForm->isVisible());
    QVERIFY(!FForm->Closing());

    FDialogs.Answers = {TMessageAnswer::Yes};
    FForm->close();
    QCOMPARE(FDialogs.Asked.size(), 2);
    QVERIFY(!FForm->isVisible());
  }

  // Nothing can be written from the start: the bundled dictionary is loaded all the same, and
  // one message says the settings will not be kept.
  void AFirstStartWithNowhereToWriteRunsOnTheFirstRunSettings() {
    FFiles.FailCommit(true);
    Open();
    QCOMPARE(FSession->Collection.Count(), 3);
    QTRY_COMPARE(FDialogs.Asked.size(), 1);
    QVERIFY(FDialogs.Asked[0].startsWith(QString::fromUtf8("Параметры не удастся сохранить")));
    QVERIFY(FDialogs.Asked[0].contains(Ini()));
    FForm->close();
    QVERIFY(!FForm->isVisible());
    QCOMPARE(FDialogs.Asked.size(), 1);
    QVERIFY(!QFile::exists(Ini()));
  }
};

QTEST_MAIN(TSettingsFailureTest)
#include "settings_failure_test.moc"
