// The "Kursy" command of the training list, which opens the courses of the
// selected training, and the register of every training ("Rejestr
// zaświadczeń..."), over the data folder's one database, which is checked
// at start when its file exists (a damaged or newer file is reported once and
// left alone; the rest of the program keeps working) and created on first use.
#pragma once

#include "common/ui/PaneInterfaces.h"

#include <QObject>
#include <QString>

namespace marbelo {

namespace db {
class Database;
class DatabaseSession;
}
class CourseCommandHandler;
class CoursesWindow;
class Messages;
class RegisterWindow;

class CourseCommands : public QObject, public TrainingKeeper
{
    Q_OBJECT
public:
    CourseCommands(const QString &dataDir, db::DatabaseSession &session, Messages &messages, CommandFrame &frame,
                   const TrainingSource &trainings, QObject *parent = nullptr);

    // At start: opens an existing database and says when it cannot be used.
    void checkAtStart();
    // Carries out the window's commands of a higher layer (the exam's).
    void setCommandHandler(CourseCommandHandler *handler) { m_handler = handler; }
    // A training whose courses issued certificates stays; so does every
    // training while the database cannot be read to tell.
    QString whyTrainingStays(int training) override;

signals:
    // The window just opened, before it runs (tests script it from here).
    void windowOpened(CoursesWindow *window);
    void registerOpened(RegisterWindow *window);

public slots:
    void openCourses();
    void openRegister();

private:
    // The open database, or null after telling the user why.
    db::Database *openDatabase();

    QString m_dataDir;
    db::DatabaseSession &m_session;
    Messages &m_messages;
    CommandFrame &m_frame;
    const TrainingSource &m_trainings;
    CourseCommandHandler *m_handler = nullptr;
};

} // namespace marbelo
