#include "platform/ui/CSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kConnectTimeoutMs = 500;
constexpr int kMaxRequestBytes = 64 * 1024;
constexpr const char* kSocketName = "kavo-diagrammer";

// A real folder (not a link) owned by this user that nobody else may enter.
bool IsPrivateFolder(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

// The user id of the process at the other end of a connected local socket.
bool PeerIsThisUser(const QLocalSocket& socket)
{
    struct ucred cred {};
    socklen_t len = sizeof cred;
    const qintptr fd = socket.socketDescriptor();
    if (fd < 0 || ::getsockopt(int(fd), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0)
        return false;
    return cred.uid == ::getuid();
}
} // namespace

CSingleInstance::CSingleInstance(QString key, QObject* parent) : QObject(parent), m_key(std::move(key)) {}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::PrivateChannelFolder(const QString& runtimeDir, const QString& tempDir)
{
    if (IsPrivateFolder(runtimeDir))
        return QDir::cleanPath(runtimeDir);
    if (tempDir.isEmpty())
        return {};
    const QString folder = QDir::cleanPath(tempDir) + QString("/%1-%2").arg(kSocketName).arg(::getuid());
    ::mkdir(QFile::encodeName(folder).constData(), 0700); // fails harmlessly when it exists
    return IsPrivateFolder(folder) ? folder : QString();
}

QString CSingleInstance::DefaultKey()
{
    const QString folder = PrivateChannelFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
    return folder.isEmpty() ? QString() : folder + "/" + kSocketName;
}

bool CSingleInstance::ForwardToRunning(const QString& request)
{
    if (m_key.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    // A listener of another user gets nothing; this start then runs on its own.
    if (!PeerIsThisUser(socket))
        return false;
    socket.write(request.toUtf8() + '\n');
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen()
{
    if (m_key.isEmpty())
        return false;
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
            if (!PeerIsThisUser(*s)) {
                s->abort();
                s->deleteLater();
                continue;
            }
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
