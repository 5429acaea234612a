#pragma once
// Keeps one running program per user: the first start listens on a local
// socket; a later start hands its request ("open FILE" or "activate") to it and
// ends without touching anything else.
#include <QObject>
#include <QString>

class QLocalServer;

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(QString key, QObject* parent = nullptr);
    ~CSingleInstance() override;
    // True when another instance took the request (this start should end).
    bool ForwardToRunning(const QString& request);
    // Starts listening; false when the socket cannot be created.
    bool Listen();
    static QString DefaultKey();

signals:
    void requestReceived(const QString& request);

private:
    QString m_key;
    QLocalServer* m_server = nullptr;
};
