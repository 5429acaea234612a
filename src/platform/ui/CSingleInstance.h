#pragma once
// Keeps one running program per user: the first start listens on a local
// socket; a later start hands its request ("open FILE" or "activate") to it and
// ends without touching anything else.
//
// The socket lies in a folder only the user can enter: $XDG_RUNTIME_DIR when it
// is the user's own with mode 0700, else "<temp>/kavo-diagrammer-<uid>" made
// with mode 0700 (refused when someone else owns it or others may enter it). A
// client also checks that the listener runs as the same user before it sends a
// path, so no other local user can take the channel and read the user's files'
// names.
#include <QObject>
#include <QString>

class QLocalServer;

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    // `key`: the socket's full path (empty: no channel).
    explicit CSingleInstance(QString key, QObject* parent = nullptr);
    ~CSingleInstance() override;
    // True when another instance took the request (this start should end).
    bool ForwardToRunning(const QString& request);
    // Starts listening; false when the socket cannot be created.
    bool Listen();
    // The socket path for this user, or empty when no private folder can be had.
    static QString DefaultKey();
    // The private folder from a runtime folder and a temporary folder (either may
    // be empty); empty when neither gives one.
    static QString PrivateChannelFolder(const QString& runtimeDir, const QString& tempDir);

signals:
    void requestReceived(const QString& request);

private:
    QString m_key;
    QLocalServer* m_server = nullptr;
};
