#include "shell/ui/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace marbelo {

namespace {

QString userTag()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("user") : user;
}

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() const
{
    if (!m_lockDir.isEmpty())
        return QDir(m_lockDir).filePath(m_name + QStringLiteral(".lock"));
    return QDir::tempPath() + QLatin1Char('/') + m_name + QLatin1Char('-') + userTag() + QStringLiteral(".lock");
}

QString SingleInstance::serverName() const
{
    return m_name + QLatin1Char('-') + userTag();
}

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(lockPath());
    // The lock never goes stale by age; only a dead owner releases it, and
    // tryLock removes the lock of an owner that no longer runs.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            return false;
        // The lock cannot even be written (no temporary directory): run anyway.
        return true;
    }
    QLocalServer::removeServer(serverName());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server->listen(serverName())) {
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *socket = m_server->nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                socket->write("ok");
                socket->flush();
                raiseWindow();
            }
        });
    }
    return true;
}

bool SingleInstance::activateRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(2000))
        return false;
    socket.write("raise");
    socket.flush();
    const bool answered = socket.waitForReadyRead(2000);
    socket.disconnectFromServer();
    return answered;
}

void SingleInstance::raiseWindow()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace marbelo
