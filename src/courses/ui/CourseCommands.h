// The "Kursy" command of the training list, which opens the courses of the
// selected training, the register of every training ("Rejestr
// zaświadczeń...") and the renewals ("Odnowienia...": a course made there
// opens in the "Kursy" window of its training), over the data folder's one
// database, which is checked
// at start when its file exists (a damaged or newer file is reported once and
// left alone; the rest of the program keeps working) and created on first use.
#pragma once

#include "common/ui/PaneInterfaces.h"

#include <QObject>
#include <QString>

#include <optional>

namespace marbelo {

namespace db {
class Database;
class DatabaseSession;
}
class CourseCommandHandler;
class CoursesWindow;
class CourseService;
class Messages;
class RegisterWindow;
class RenewalsWindow;
struct MadeCourse;

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
    void renewalsOpened(RenewalsWindow *window);

public slots:
    void openCourses();
    void openRegister();
    void openRenewals();
    // The data folder's database: its file or a firm's server, switched once it opens.
    void chooseDatabase();

private:
    // The open database, or null after telling the user why.
    db::Database *openDatabase();
    // The "Kursy" window of a training, with a course made from the renewals
    // selected there and its undo in the window's history.
    void showCourses(CourseService &service, int training, std::optional<MadeCourse> made);

    QString m_dataDir;
    db::DatabaseSession &m_session;
    Messages &m_messages;
    CommandFrame &m_frame;
    const TrainingSource &m_trainings;
    CourseCommandHandler *m_handler = nullptr;
};

} // namespace marbelo
