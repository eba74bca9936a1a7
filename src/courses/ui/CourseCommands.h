// The "Kursy" command of the training list: opens the courses of the
// selected training. Owns the course database, which is checked at start
// when its file exists (a damaged or newer file is reported once and left
// alone; the rest of the program keeps working) and created on first use.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace marbelo {

namespace db {
class Database;
}
class CommandFrame;
class CoursesWindow;
class Messages;
class TrainingSource;

class CourseCommands : public QObject
{
    Q_OBJECT
public:
    CourseCommands(const QString &dataDir, Messages &messages, CommandFrame &frame, const TrainingSource &trainings,
                   QObject *parent = nullptr);
    ~CourseCommands() override;

    // At start: opens an existing database and says when it cannot be used.
    void checkAtStart();
    db::Database *database() const { return m_database.get(); }
    // The topic library's folders: the tests' draw reads their topics, and
    // the demo questions lying there go into the bank once.
    void setLibraryDirs(const QStringList &dirs) { m_libraryDirs = dirs; }

signals:
    // The window just opened, before it runs (tests script it from here).
    void windowOpened(CoursesWindow *window);

public slots:
    void openCourses();

private:
    bool ensureOpen();

    QString m_dataDir;
    QStringList m_libraryDirs;
    Messages &m_messages;
    CommandFrame &m_frame;
    const TrainingSource &m_trainings;
    std::unique_ptr<db::Database> m_database;
    QString m_openError;
};

} // namespace marbelo
