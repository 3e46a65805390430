#include "app/file_handover.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <algorithm>

namespace strumvale::app {
namespace {

constexpr int kWaitMs = 5000;
constexpr unsigned long kRetryMs = 50;
// A path is a few hundred bytes; a peer sending more is no later start of ours.
constexpr qint64 kLongestRequest = 64 * 1024;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

} // namespace

FileHandover::FileHandover(const QString& socketPath, Receiver receive, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), receive_(std::move(receive)) {
    QLocalServer::removeServer(socketPath);
    // Only this user's later starts may hand files over.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(socketPath);
    connect(server_, &QLocalServer::newConnection, this, &FileHandover::take);
}

FileHandover::~FileHandover() {
    server_->close();
}

bool FileHandover::isListening() const {
    return server_->isListening();
}

void FileHandover::take() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kLongestRequest) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            QByteArray line = socket->readLine();
            line.chop(1);
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            // Opening may ask questions; the later start has its answer by then.
            const QString path = QString::fromUtf8(line);
            QPointer<FileHandover> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, path] {
                    if (self && self->receive_ && !path.isEmpty())
                        self->receive_(path);
                },
                Qt::QueuedConnection);
        });
    }
}

bool handOverFile(const QString& socketPath, const QString& path,
                  std::chrono::milliseconds patience) {
    QLocalSocket socket;
    // A window that has just started holds its lock before it listens.
    QDeadlineTimer deadline(patience);
    for (;;) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(
                static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kRetryMs);
    }
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kWaitMs))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(kWaitMs))
        answer += socket.readAll();
    return answer == kAnswer;
}

} // namespace strumvale::app
