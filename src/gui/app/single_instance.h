#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

// Keeps the program to one running copy per user. The first copy takes an advisory lock
// (flock) on a file in the user's runtime directory and listens on a local socket beside it;
// a later copy finds the lock taken, asks the first copy over the socket to raise its window
// and ends. The first copy answers once its window shows, so a later copy can tell a copy that
// hangs (or has lost its window) from one that works. The kernel drops the lock when a process dies, so a crashed copy never blocks a
// new start, and the socket file it left behind is replaced.

namespace gryvel::gui {

class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  // `name` names the lock file ("<name>.lock") and the socket ("<name>.socket") in
  // `directory`; an empty `directory` means DefaultDirectory(). Tests pass their own.
  explicit TSingleInstance(QString name = QStringLiteral("gryvel"), QString directory = {},
                           QObject* parent = nullptr);
  // Releases the lock and stops listening.
  ~TSingleInstance() override;

  // True when this is the only copy: the lock is now held and raise requests are heard until
  // destruction. False when another copy holds the lock: it has been asked to raise its
  // window and to open `files` (absolute paths), if any; HolderAnswered says whether it
  // showed its window within about a second. When the lock file cannot be made at all,
  // returns true, so the program still starts. Calling it again after success returns true.
  // REQUIRES: a QCoreApplication exists (the socket is served by its event loop).
  bool Acquire(const QStringList& files = {});

  // Whether Acquire succeeded and the lock is held.
  bool Held() const { return FLockFd >= 0; }
  // After a failed Acquire: whether the running copy answered that its window is shown.
  bool HolderAnswered() const { return FHolderAnswered; }

  QString LockFilePath() const;
  QString ServerPath() const;

  // $XDG_RUNTIME_DIR when set and usable, else /tmp/gryvel-<uid> (made with mode 0700 and
  // refused when another user owns it); empty when neither can be used.
  static QString DefaultDirectory();

  // Called in the running copy, on its thread, when a later copy asks it to show itself;
  // returns whether its window now shows (the later copy is told so).
  std::function<bool()> OnRaiseRequest;
  // Called after OnRaiseRequest when the later copy was started with files to open, from the
  // event loop once the connection is closed, so it may show message boxes.
  std::function<void(const QStringList&)> OnOpenFiles;

 private:
  void Listen();
  void AcceptConnections();
  void ReadRequest(QLocalSocket* socket);
  // The files named by a whole request.
  static QStringList RequestedFiles(const QByteArray& request);
  // Whether the running copy answered that it raised its window.
  bool SendRaiseRequest(const QStringList& files) const;

  QString FName;
  QString FDirectory;
  int FLockFd = -1;
  bool FHolderAnswered = false;
  QLocalServer* FServer = nullptr;
};

}  // namespace gryvel::gui
