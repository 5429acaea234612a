#include "platform/ui/CSingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr int kConnectTimeoutMs = 500;
constexpr int kMaxRequestBytes = 64 * 1024;
} // namespace

CSingleInstance::CSingleInstance(QString key, QObject* parent) : QObject(parent), m_key(std::move(key)) {}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::DefaultKey()
{
    return QString("kavo-diagrammer-%1").arg(getuid());
}

bool CSingleInstance::ForwardToRunning(const QString& request)
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(request.toUtf8() + '\n');
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_key)) {
        // A socket left by a crashed instance: nobody answered, so take it over.
        QLocalServer::removeServer(m_key);
        if (!m_server->listen(m_key))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (!s->canReadLine() && s->bytesAvailable() < kMaxRequestBytes)
                    return;
                const QByteArray line = s->readLine(kMaxRequestBytes).trimmed();
                emit requestReceived(QString::fromUtf8(line));
                s->disconnectFromServer();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}
