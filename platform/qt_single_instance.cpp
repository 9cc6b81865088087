#include "platform/qt_single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace zrv {
namespace {

constexpr char kShowRequest[] = "show\n";

}  // namespace

QString QSingleInstance::BasePath(const QString& name) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime + QLatin1Char('/') + name;
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(getuid());
}

QSingleInstance::QSingleInstance(const QString& name, QObject* parent)
    : QObject(parent), base_(BasePath(name)) {
    connect(&server_, &QLocalServer::newConnection, this, &QSingleInstance::Accept);
}

QSingleInstance::~QSingleInstance() {
    server_.close();
    if (lockFd_ >= 0) close(lockFd_);
}

bool QSingleInstance::Start() {
    const QByteArray lockPath = QFile::encodeName(base_ + QStringLiteral(".lock"));
    lockFd_ = open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) {
        // No lock file (an unwritable folder): still run, unless a first instance answers.
        if (AskToShow(QDeadlineTimer(500))) return false;
        Listen();
        return true;
    }
    if (flock(lockFd_, LOCK_EX | LOCK_NB) == 0) {
        // The lock proves any socket file left behind belongs to an instance that is gone.
        QLocalServer::removeServer(base_);
        Listen();
        return true;
    }
    close(lockFd_);
    lockFd_ = -1;
    // The first instance may hold the lock but not listen yet: try for a while.
    AskToShow(QDeadlineTimer(3000));
    return false;
}

void QSingleInstance::Listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(base_);
}

bool QSingleInstance::AskToShow(QDeadlineTimer deadline) {
    do {
        QLocalSocket socket;
        socket.connectToServer(base_);
        if (socket.waitForConnected(500)) {
            socket.write(kShowRequest);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
            return true;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

void QSingleInstance::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto check = [this, socket] {
            if (socket->bytesAvailable() < static_cast<qint64>(sizeof kShowRequest - 1)) return;
            if (socket->readAll().startsWith(kShowRequest)) Q_EMIT showRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, check);
        check();
    }
}

}  // namespace zrv
