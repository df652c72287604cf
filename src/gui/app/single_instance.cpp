#include "gui/app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>

namespace gryvel::gui {

namespace {

// A request: "raise", then one "file <percent-encoded path>" line per file to open, then an
// empty line.
constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaisedAnswer[] = "raised\n";
constexpr char kFileLine[] = "file ";
// A peer that sends more than this without the request is not one of ours.
constexpr qint64 kMaxRequestBytes = 1 << 20;
constexpr int kConnectTimeoutMs = 1000;

// Whether `path` is a real directory (not a symbolic link) owned by us and closed to others.
bool PrivateDirectory(const QByteArray& path) {
  struct stat info {};
  if (lstat(path.constData(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

}  // namespace

TSingleInstance::TSingleInstance(QString name, QString directory, QObject* parent)
    : QObject(parent), FName(std::move(name)), FDirectory(std::move(directory)) {
  if (FDirectory.isEmpty()) FDirectory = DefaultDirectory();
}

TSingleInstance::~TSingleInstance() {
  if (FServer != nullptr) FServer->close();
  if (FLockFd >= 0) ::close(FLockFd);  // closing the only descriptor drops the lock
}

QString TSingleInstance::DefaultDirectory() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && PrivateDirectory(runtime)) return QFile::decodeName(runtime);
  const QByteArray fallback = QByteArray("/tmp/gryvel-") + QByteArray::number(getuid());
  if (mkdir(fallback.constData(), 0700) != 0 && errno != EEXIST) return {};
  // Someone else may have made the directory first, to catch our socket: refuse it then.
  if (!PrivateDirectory(fallback)) return {};
  return QFile::decodeName(fallback);
}

QString TSingleInstance::LockFilePath() const {
  return FDirectory + '/' + FName + ".lock";
}

QString TSingleInstance::ServerPath() const {
  return FDirectory + '/' + FName + ".socket";
}

bool TSingleInstance::Acquire(const QStringList& files) {
  if (FLockFd >= 0) return true;
  if (FDirectory.isEmpty()) return true;
  const QByteArray path = QFile::encodeName(LockFilePath());
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK) return true;
    FHolderAnswered = SendRaiseRequest(files);
    return false;
  }
  FLockFd = fd;
  Listen();
  return true;
}

void TSingleInstance::Listen() {
  // The lock is ours, so a socket file still there was left by a copy that died.
  QLocalServer::removeServer(ServerPath());
  FServer = new QLocalServer(this);
  FServer->setSocketOptions(QLocalServer::UserAccessOption);
  connect(FServer, &QLocalServer::newConnection, this, &TSingleInstance::AcceptConnections);
  if (!FServer->listen(ServerPath())) {
    // Without the socket a later copy still ends; it just cannot raise this one.
    delete FServer;
    FServer = nullptr;
  }
}

void TSingleInstance::AcceptConnections() {
  while (QLocalSocket* socket = FServer->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
    // The request may have arrived before the socket was handed over.
    if (socket->bytesAvailable() > 0) ReadRequest(socket);
  }
}

void TSingleInstance::ReadRequest(QLocalSocket* socket) {
  if (socket->bytesAvailable() > kMaxRequestBytes) {
    socket->abort();
    return;
  }
  const QByteArray request = socket->peek(socket->bytesAvailable());
  // A peer whose first line is not the request is not one of ours: hang up at once.
  const QByteArray expected(kRaiseRequest);
  const qsizetype first_end = request.indexOf('\n');
  if (first_end < 0 ? !expected.startsWith(request) : request.left(first_end + 1) != expected) {
    socket->abort();
    return;
  }
  if (!request.endsWith("\n\n")) return;  // the rest is still coming
  const QStringList files = RequestedFiles(request);
  // Answer, let go of the connection, and open the files only once the socket is gone:
  // opening them may show message boxes, whose own event loops would otherwise run under
  // this socket's signal while the later copy hangs up and the socket is deleted.
  socket->disconnect(this);
  if (OnRaiseRequest && OnRaiseRequest()) {
    socket->write(kRaisedAnswer);
    socket->flush();
  }
  if (!files.isEmpty()) {
    const auto open = [this, files] {
      if (OnOpenFiles) OnOpenFiles(files);
    };
    connect(socket, &QObject::destroyed, this,
            [this, open] { QMetaObject::invokeMethod(this, open, Qt::QueuedConnection); });
  }
  socket->abort();
  socket->deleteLater();
}

QStringList TSingleInstance::RequestedFiles(const QByteArray& request) {
  QStringList files;
  for (const QByteArray& line : request.chopped(1).split('\n').mid(1))
    if (line.startsWith(kFileLine))
      files << QString::fromUtf8(
          QByteArray::fromPercentEncoding(line.mid(qsizetype(sizeof kFileLine) - 1)));
  return files;
}

bool TSingleInstance::SendRaiseRequest(const QStringList& files) const {
  QByteArray request = kRaiseRequest;
  for (const QString& file : files) request += kFileLine + file.toUtf8().toPercentEncoding() + '\n';
  request += '\n';
  // The running copy may hold the lock a moment before it listens: retry for a while.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < kConnectTimeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerPath());
    if (socket.waitForConnected(kConnectTimeoutMs)) {
      socket.write(request);
      socket.waitForBytesWritten(kConnectTimeoutMs);
      // The answer comes once its event loop has run the request; none from a copy that hangs.
      QByteArray answer;
      while (!answer.endsWith('\n') && timer.elapsed() < 2 * kConnectTimeoutMs &&
             answer.size() < kMaxRequestBytes) {
        if (socket.bytesAvailable() == 0 &&
            !socket.waitForReadyRead(static_cast<int>(2 * kConnectTimeoutMs - timer.elapsed())))
          break;
        answer += socket.read(kMaxRequestBytes);
      }
      return answer == kRaisedAnswer;
    }
    QThread::msleep(50);
  }
  return false;
}

}  // namespace gryvel::gui
