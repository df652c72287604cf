// The main window with files that are not what they seem, on every way a file comes in (the
// open dialog, a drop, a second copy or the command line handing files over): files that
// cannot be read, that do not exist, folders, empty files, random bytes, and saves over the
// file of another dictionary or over a write-protected file. Questions and messages are
// answered through the dialogs seam.

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <cerrno>
#include <memory>
#include <random>

#include "dictionary/kiv_dictionary.h"
#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/dialogs.h"
#include "gui/main_window/dictionary_tree.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/text.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "shell/session.h"
#include "support/failing_file_system.h"
#include "window_test.h"

using namespace gryvel;
using namespace gryvel::gui;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray RandomBytes(int size) {
  std::mt19937 random(28);
  QByteArray bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}

}  // namespace

class TDictionaryFilesTest : public TWindowTest {
  Q_OBJECT

 private:
  testing::FailingFileSystem FFiles;

  // The window in Russian over the one listed dictionary, which is active.
  void Open() {
    FForm.reset();
    FSession = std::make_unique<TSession>(ProgramSettings(PathFromQString(FDir.path())), &FFiles);
    FForm = std::make_unique<TKivMainForm>(*FSession);
    FForm->resize(600, 420);
    FForm->ShowRightPanel();
    FForm->show();
    QTRY_VERIFY(Collection().LoadingCount() == 0);
  }
  TDictionaryCollection& Collection() const { return FSession->Collection; }
  TDictionaryTree& Tree() const { return *FForm->findChild<TDictionaryTree*>("DictionaryTree"); }
  TMainCommands& Commands() const { return *FForm->findChild<TMainCommands*>(); }
  TKivDictionary& Dictionary(int i) const { return *Collection().Dictionary(i); }
  void Drop(const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(FForm.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(FForm.get(), &drop);
    QVERIFY(drop.isAccepted());
  }
  QString Refusal(const QString& file, const char* reason) const {
    return U("Файл \"%1\" нельзя открыть как словарь:\r\n%2").arg(file, U(reason));
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(FDir.isValid());
    QDir(FDir.path()).removeRecursively();
    QDir().mkpath(FDir.path());
    WriteDictionary(Path("main.kiv"), {U("кот"), U("дом")}, "Основной");
    WriteBytes(Path("gryvel.ini"),
               QStringLiteral("[Main]\nLanguage=RUS\n[Dictionaries]\nCount=1\nEditingDictionary=1\n"
                              "FileName_1=%1\nIsConnected_1=1\n")
                   .arg(Path("main.kiv"))
                   .toUtf8());
    FDialogs = TScriptedDialogs();
    FFiles.FailReading({}, 0);
  }

  // As a user other than root finds a file of mode 000: listed, disconnected, marked with the
  // reason; a click on the mark tries again.
  void AnUnreadableFileIsListedWithItsReasonOnEveryWayIn() {
    WriteDictionary(Path("locked.kiv"), {U("лес")}, "Закрытый");
    FFiles.FailReading(PathFromQString(Path("locked.kiv")), EACCES);
    Open();
    const QString told = U("Не удалось загрузить словарь \"%1\":\r\nНет прав на чтение файла.")
                             .arg(Path("locked.kiv"));
    FDialogs.Files = {Path("locked.kiv")};
    Commands().FileOpen->trigger();
    QCOMPARE(FDialogs.Asked, QStringList{told});
    QCOMPARE(Collection().DictionaryCount(), 2);
    QTreeWidgetItem* node = Tree().topLevelItem(1);
    QCOMPARE(node->text(0), QString("locked.kiv"));
    QCOMPARE(Tree().StateImage(node), 5);
    QVERIFY(node->toolTip(0).contains(U("Нет прав на чтение файла.")));
    QVERIFY(!Dictionary(1).Connected());

    // Dropped or handed over again, it is the same file: its node is selected.
    Drop(Path("locked.kiv"));
    FForm->OpenDictionaryFiles({Path("locked.kiv")});
    QCOMPARE(Collection().DictionaryCount(), 2);
    QCOMPARE(Tree().currentItem(), node);

    FFiles.FailReading({}, 0);
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Tree().StateImageRect(node).center());
    QTRY_COMPARE(Collection().Count(), 3);
    QCOMPARE(Tree().StateImage(node), 2);
    QCOMPARE(FDialogs.Asked.size(), 1);
  }

  void AMissingFileOrAFolderIsRefusedAndNothingIsListed() {
    QDir().mkpath(Path("folder"));
    Open();
    FDialogs.Files = {Path("nosuch.kiv")};
    Commands().FileOpen->trigger();
    Drop(Path("folder"));
    FForm->OpenDictionaryFiles({Path("nosuch.txt"), Path("folder")});
    QCOMPARE(FDialogs.Asked, (QStringList{Refusal(Path("nosuch.kiv"), "Файл не существует."),
                                          Refusal(Path("folder"), "Это папка, а не файл."),
                                          Refusal(Path("nosuch.txt"), "Файл не существует."),
                                          Refusal(Path("folder"), "Это папка, а не файл.")}));
    QCOMPARE(Collection().DictionaryCount(), 1);
    QCOMPARE(Tree().topLevelItemCount(), 1);
  }

  // An empty word list is an empty dictionary, now and at the next start; random bytes named
  // as a dictionary are not read as words.
  void AnEmptyWordListOpensQuietlyAndRandomBytesNamedKivAreRefused() {
    WriteBytes(Path("empty.txt"), {});
    WriteBytes(Path("random.kiv"), RandomBytes(1 << 20));
    Open();
    FForm->OpenDictionaryFiles({Path("empty.txt"), Path("random.kiv")});
    QTRY_VERIFY(Collection().LoadingCount() == 0);
    QCOMPARE(FDialogs.Asked,
             QStringList{Refusal(Path("random.kiv"), "Файл не является словарём Gryvel.")});
    QCOMPARE(Collection().DictionaryCount(), 2);
    QTRY_VERIFY(Dictionary(1).Loaded());
    QCOMPARE(Dictionary(1).Count(), 0);
    QCOMPARE(Collection().Count(), 2);

    QVERIFY(FForm->close());
    FDialogs.Asked.clear();
    Open();
    QCOMPARE(Collection().DictionaryCount(), 2);
    QTRY_VERIFY(Dictionary(1).Loaded());
    QCOMPARE(FDialogs.Asked, QStringList());
  }

  void AWordListThatIsMostlyNotWordsIsKeptOnlyWhenTheUserSaysSo() {
    WriteBytes(Path("random.txt"), RandomBytes(1 << 20));
    Open();
    FDialogs.Answers = {TMessageAnswer::No};
    FForm->OpenDictionaryFiles({Path("random.txt")});
    QCOMPARE(FDialogs.Asked.size(), 1);
    QVERIFY2(FDialogs.Asked[0].startsWith(
                 U("Файл \"%1\" не похож на список слов: ").arg(Path("random.txt"))),
             qPrintable(FDialogs.Asked[0]));
    QCOMPARE(Collection().DictionaryCount(), 1);

    FDialogs.Answers = {TMessageAnswer::Yes};
    FForm->OpenDictionaryFiles({Path("random.txt")});
    QCOMPARE(FDialogs.Asked.size(), 2);
    QCOMPARE(Collection().DictionaryCount(), 2);
  }

  // Two dictionaries sharing a file would each overwrite the other's saves.
  void SaveAsOverAnotherOpenDictionarysFileIsRefusedNamingIt() {
    WriteDictionary(Path("other.kiv"), {U("лес")}, "Другой");
    const QByteArray other = ReadBytes(Path("other.kiv"));
    Open();
    FForm->OpenDictionaryFiles({Path("other.kiv")});
    QTRY_VERIFY(Collection().LoadingCount() == 0);
    QCOMPARE(Collection().Active(), &Dictionary(0));
    FDialogs.Files = {Path("other.kiv")};
    FDialogs.Filter = 0;
    Commands().FileSaveAs->trigger();
    QCOMPARE(FDialogs.Asked,
             QStringList{U("Файл \"%1\" уже занят открытым словарём \"Другой\". У двух словарей "
                           "не может быть одного файла: выберите другое имя или сначала удалите "
                           "тот словарь из списка.")
                             .arg(Path("other.kiv"))});
    QCOMPARE(ReadBytes(Path("other.kiv")), other);
    QCOMPARE(QString::fromStdString(Dictionary(0).FileName()), Path("main.kiv"));
  }

  void AWriteProtectedFileIsReplacedOnlyAfterAskingAndKeepsItsMode() {
    Open();
    QVERIFY(Collection().AddWord(*FromQString(U("лес"))) >= 0);
    const QByteArray before = ReadBytes(Path("main.kiv"));
    const QFile::Permissions mode = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(Path("main.kiv"), mode));
    const QString question =
        U("Файл \"%1\" защищён от записи.\r\nВсё равно заменить его?").arg(Path("main.kiv"));

    FDialogs.Answers = {TMessageAnswer::No};
    Commands().FileSave->trigger();
    QCOMPARE(FDialogs.Asked, QStringList{question});
    QCOMPARE(ReadBytes(Path("main.kiv")), before);
    QVERIFY(Dictionary(0).Modified());

    FDialogs.Answers = {TMessageAnswer::Yes};
    Commands().FileSave->trigger();
    QCOMPARE(FDialogs.Asked, (QStringList{question, question}));
    QVERIFY(!Dictionary(0).Modified());
    QVERIFY(ReadBytes(Path("main.kiv")) != before);
    QCOMPARE(QFile::permissions(Path("main.kiv")) & 0x7077, mode);  // not the "User" bits, which say what this user may do
  }
};

QTEST_MAIN(TDictionaryFilesTest)
#include "dictionary_files_test.moc"
