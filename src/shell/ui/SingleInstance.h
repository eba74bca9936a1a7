// Keeps one running copy per user: the first copy holds a lock named after
// the executable and listens on a local socket; a second copy asks it to
// bring its window to the front and ends.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>

#include <memory>

class QLocalServer;
class QWidget;

namespace marbelo {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // name: the executable's file name in upper case.
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only running copy; it then holds the lock. A lock
    // left behind by a copy that died is taken over.
    bool acquire();
    // Asks the running copy to restore and raise its window; true when it answered.
    bool activateRunningCopy();
    // The window to bring to the front when another copy starts.
    void setWindow(QWidget *window) { m_window = window; }
    // Keeps the lock in dir (a folder of the user's own) instead of the
    // temporary directory; set before acquire().
    void setLockDir(const QString &dir) { m_lockDir = dir; }

    QString lockPath() const;
    QString serverName() const;

private:
    void raiseWindow();

    QString m_name;
    QString m_lockDir;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    QPointer<QWidget> m_window;
};

} // namespace marbelo
