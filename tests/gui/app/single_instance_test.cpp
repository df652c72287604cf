#include "gui/app/single_instance.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>

#include "scripted_dialogs.h"

using gryvel::gui::TScriptedDialogs;
using gryvel::gui::TSingleInstance;

namespace {

constexpr char kHoldArgument[] = "--hold-instance";

// Child mode: takes the instance in `directory`, says "held" (or "refused"), and reports every
// raise request with a line "raised" until killed; `shows` says whether it has a window to show.
int HoldInstance(int argc, char** argv, const char* directory, bool shows) {
  QCoreApplication app(argc, argv);
  TSingleInstance instance(QStringLiteral("test"), QString::fromLocal8Bit(directory));
  instance.OnRaiseRequest = [shows] {
    std::puts("raised");
    std::fflush(stdout);
    return shows;
  };
  std::puts(instance.Acquire() ? "held" : "refused");
  std::fflush(stdout);
  return QCoreApplication::exec();
}

// A message box that stays open, running its own event loop through WhileOpen, until it is
// answered.
class TBoxThatStaysOpen : public TScriptedDialogs {
 public:
  gryvel::TMessageAnswer Ask(QWidget* parent, const gryvel::TMessage& message) override {
    if (WhileOpen) WhileOpen();
    return TScriptedDialogs::Ask(parent, message);
  }
  std::function<void()> WhileOpen;
};

}  // namespace

class TSingleInstanceTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;

  // Starts a child that holds the instance; waits until it says so.
  void StartHolder(QProcess& child, const char* window = "shows") {
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({kHoldArgument, FDir.path(), window});
    child.start();
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(5000));
    QCOMPARE(child.readLine().trimmed(), QByteArray("held"));
  }

  static void Kill(QProcess& child) {
    child.kill();  // SIGKILL: no destructor runs, the socket file stays behind
    QVERIFY(child.waitForFinished(5000));
  }

 private Q_SLOTS:
  void init() { QVERIFY(FDir.isValid()); }

  void SecondObjectInSameProcessIsRefused() {
    TSingleInstance first(QStringLiteral("test"), FDir.path());
    QVERIFY(first.Acquire());
    QVERIFY(first.Held());
    QVERIFY(first.Acquire());  // again: still ours

    TSingleInstance second(QStringLiteral("test"), FDir.path());
    QVERIFY(!second.Acquire());
    QVERIFY(!second.Held());

    TSingleInstance other_name(QStringLiteral("other"), FDir.path());
    QVERIFY(other_name.Acquire());
  }

  void ReleasedOnDestruction() {
    {
      TSingleInstance first(QStringLiteral("test"), FDir.path());
      QVERIFY(first.Acquire());
    }
    TSingleInstance next(QStringLiteral("test"), FDir.path());
    QVERIFY(next.Acquire());
  }

  void RaiseRequestReachesRunningCopy() {
    TSingleInstance first(QStringLiteral("test"), FDir.path());
    int raised = 0;
    first.OnRaiseRequest = [&raised] {
      ++raised;
      return true;
    };
    QVERIFY(first.Acquire());
    TSingleInstance second(QStringLiteral("test"), FDir.path());
    QVERIFY(!second.Acquire());
    QTRY_COMPARE(raised, 1);
  }

  void FilesOfALaterCopyReachTheRunningOne() {
    TSingleInstance first(QStringLiteral("test"), FDir.path());
    QStringList opened;
    int raised = 0;
    first.OnRaiseRequest = [&raised] {
      ++raised;
      return true;
    };
    first.OnOpenFiles = [&opened](const QStringList& files) { opened = files; };
    QVERIFY(first.Acquire());
    const QStringList files = {QStringLiteral("/a b/словарь.kiv"), QStringLiteral("/x\nfile 100%")};
    TSingleInstance second(QStringLiteral("test"), FDir.path());
    QVERIFY(!second.Acquire(files));
    QTRY_COMPARE(opened, files);
    QCOMPARE(raised, 1);
  }

  // Opening handed-over files may show a message box, whose own event loop runs on while the
  // later copy hangs up; the running copy has let go of the connection before it.
  void AMessageBoxOverHandedOverFilesOutlivesTheSender() {
    TBoxThatStaysOpen box;
    gryvel::gui::SetDialogs(&box);
    TSingleInstance first(QStringLiteral("test"), FDir.path());
    int raised = 0;
    first.OnRaiseRequest = [&raised] {
      ++raised;
      return true;
    };
    first.OnOpenFiles = [](const QStringList&) {
      gryvel::TMessage message;
      message.Text = "File is empty.";
      (void)gryvel::gui::Dialogs().Ask(nullptr, message);
    };
    QVERIFY(first.Acquire());
    QLocalSocket sender;
    box.WhileOpen = [&] {
      QVERIFY(first.findChildren<QLocalSocket*>().isEmpty());  // let go before the box
      // The box's own event loop runs while the later copy sees the connection end.
      QTRY_COMPARE(sender.state(), QLocalSocket::UnconnectedState);
    };
    sender.connectToServer(first.ServerPath());
    QVERIFY(sender.waitForConnected(1000));
    QTRY_COMPARE(first.findChildren<QLocalSocket*>().size(), 1);  // taken, then the request
    sender.write("raise\nfile /tmp/e.txt\n\n");
    QTRY_COMPARE(box.Asked, QStringList({"File is empty."}));
    QCOMPARE(raised, 1);
    // The running copy goes on hearing later copies.
    TSingleInstance later(QStringLiteral("test"), FDir.path());
    QVERIFY(!later.Acquire({QStringLiteral("/tmp/e.txt")}));
    QTRY_COMPARE(box.Asked.size(), 2);
    QCOMPARE(raised, 2);
    gryvel::gui::SetDialogs(nullptr);
  }

  void OtherProcessIsRefusedAndRaised() {
    QProcess child;
    StartHolder(child);
    TSingleInstance second(QStringLiteral("test"), FDir.path());
    QVERIFY(!second.Acquire());
    QVERIFY(child.waitForReadyRead(5000));
    QCOMPARE(child.readLine().trimmed(), QByteArray("raised"));
    Kill(child);
  }

  void KilledCopyDoesNotBlockNewStart() {
    QProcess child;
    StartHolder(child);
    const QString socket_path = TSingleInstance(QStringLiteral("test"), FDir.path()).ServerPath();
    Kill(child);
    QVERIFY(QFile::exists(socket_path));  // left behind by the killed copy

    TSingleInstance next(QStringLiteral("test"), FDir.path());
    int raised = 0;
    next.OnRaiseRequest = [&raised] {
      ++raised;
      return true;
    };
    QVERIFY(next.Acquire());
    // The stale socket was replaced: a later copy reaches this one.
    TSingleInstance later(QStringLiteral("test"), FDir.path());
    QVERIFY(!later.Acquire());
    QTRY_COMPARE(raised, 1);
  }

  void GarbageOnSocketIsIgnored() {
    TSingleInstance first(QStringLiteral("test"), FDir.path());
    int raised = 0;
    first.OnRaiseRequest = [&raised] {
      ++raised;
      return true;
    };
    QVERIFY(first.Acquire());
    // A wrong line and an overlong one: the running copy reads them and hangs up.
    for (const QByteArray& bytes : {QByteArray("hello\n"), QByteArray(4096, 'x')}) {
      QLocalSocket socket;
      socket.connectToServer(first.ServerPath());
      QVERIFY(socket.waitForConnected(1000));
      socket.write(bytes);
      QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
      QCOMPARE(raised, 0);
    }
    // A connection that says nothing and goes.
    {
      QLocalSocket socket;
      socket.connectToServer(first.ServerPath());
      QVERIFY(socket.waitForConnected(1000));
      socket.disconnectFromServer();
    }
    TSingleInstance second(QStringLiteral("test"), FDir.path());
    QVERIFY(!second.Acquire());
    QTRY_COMPARE(raised, 1);
    // Every connection, the silent one included, came before the request and is closed by now.
    QTRY_VERIFY(first.findChildren<QLocalSocket*>().isEmpty());
    QCOMPARE(raised, 1);
  }

  // A later copy learns whether the running one showed its window: not when it has none, nor
  // when it hangs.
  void ALaterCopyKnowsWhetherTheRunningOneAnswered() {
    for (const char* window : {"shows", "lost", "hangs"}) {
      QProcess holder;
      StartHolder(holder, std::strcmp(window, "lost") == 0 ? "lost" : "shows");
      if (std::strcmp(window, "hangs") == 0) ::kill(static_cast<pid_t>(holder.processId()), SIGSTOP);
      TSingleInstance later(QStringLiteral("test"), FDir.path());
      QVERIFY(!later.Acquire());
      QCOMPARE(later.HolderAnswered(), std::strcmp(window, "shows") == 0);
      ::kill(static_cast<pid_t>(holder.processId()), SIGCONT);
      Kill(holder);
    }
  }

  void UnusableDirectoryStillStarts() {
    TSingleInstance instance(QStringLiteral("test"), FDir.filePath("missing/dir"));
    QVERIFY(instance.Acquire());
    QVERIFY(!instance.Held());
  }

  void DefaultDirectoryIsPrivate() {
    const QString dir = TSingleInstance::DefaultDirectory();
    QVERIFY(!dir.isEmpty());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(dir) & others, QFile::Permissions());
  }
};

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], kHoldArgument) == 0)
    return HoldInstance(argc, argv, argv[2], std::strcmp(argv[3], "shows") == 0);
  QCoreApplication app(argc, argv);
  TSingleInstanceTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "single_instance_test.moc"
