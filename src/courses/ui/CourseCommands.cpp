#include "courses/ui/CourseCommands.h"

#include "common/ui/PaneInterfaces.h"
#include "courses/CourseService.h"
#include "courses/ui/CourseEditors.h"
#include "courses/ui/CoursesWindow.h"
#include "courses/ui/RegisterWindow.h"
#include "courses/ui/RenewalsWindow.h"
#include "store/Catalogue.h"
#include "store/components/Messages.h"
#include "store/db/DatabaseSession.h"

namespace marbelo {

CourseCommands::CourseCommands(const QString &dataDir, db::DatabaseSession &session, Messages &messages,
                               CommandFrame &frame, const TrainingSource &trainings, QObject *parent)
    : QObject(parent), m_dataDir(dataDir), m_session(session), m_messages(messages), m_frame(frame),
      m_trainings(trainings)
{
}

void CourseCommands::checkAtStart()
{
    if (m_session.hasDatabase())
        openDatabase();
}

db::Database *CourseCommands::openDatabase()
{
    return m_session.openTelling(m_messages);
}

void CourseCommands::openCourses()
{
    const int training = m_trainings.selectedTrainingNumber();
    TrainingRecord record;
    if (training < 0 || !readTrainingRecord(m_dataDir, training, &record))
        return;
    CommandsDisabled guard(m_frame);
    db::Database *database = openDatabase();
    if (!database)
        return;
    CourseService service(*database, m_dataDir);
    showCourses(service, training, std::nullopt);
}

void CourseCommands::showCourses(CourseService &service, int training, std::optional<MadeCourse> made)
{
    CoursesWindow window(service, m_messages, training, qobject_cast<QWidget *>(parent()));
    window.setCommandHandler(m_handler);
    // A course of another training made from this window's renewals opens in its own window, over this one.
    window.setCourseOpener([this, &service](MadeCourse other) {
        const int of = other.training;
        showCourses(service, of, std::move(other));
    });
    if (made)
        window.adoptCourse(std::move(*made));
    emit windowOpened(&window);
    window.exec();
}

void CourseCommands::openRegister()
{
    CommandsDisabled guard(m_frame);
    db::Database *database = openDatabase();
    if (!database)
        return;
    CourseService service(*database, m_dataDir);
    RegisterWindow window(service, m_messages, qobject_cast<QWidget *>(parent()));
    emit registerOpened(&window);
    window.exec();
}

void CourseCommands::openRenewals()
{
    CommandsDisabled guard(m_frame);
    db::Database *database = openDatabase();
    if (!database)
        return;
    CourseService service(*database, m_dataDir);
    std::optional<MadeCourse> made;
    {
        RenewalsWindow window(service, m_messages, qobject_cast<QWidget *>(parent()));
        emit renewalsOpened(&window);
        window.exec();
        made = window.takeMadeCourse();
    }
    if (made) {
        const int training = made->training;
        showCourses(service, training, std::move(made));
    }
}

void CourseCommands::chooseDatabase()
{
    CommandsDisabled guard(m_frame);
    db::DatabaseLocation location;
    QString error;
    // A choice that cannot be read is offered as the file, to be chosen anew.
    if (!db::chosenLocation(m_dataDir, &location, &error))
        location = db::DatabaseLocation{};
    location.path = db::Database::pathIn(m_dataDir); // what the file choice opens
    const QString before = location.url();
    if (!editDatabaseForm(qobject_cast<QWidget *>(parent()), &location) || (location.url() == before && error.isEmpty()))
        return;
    QStringList notices;
    if (!m_session.switchTo(location, &error, &notices)) {
        m_messages.inform(QStringLiteral("Wybór bazy danych nie został zmieniony. %1").arg(error));
        return;
    }
    notices.prepend(location.isServer()
                        ? QStringLiteral("Kursy, uczestnicy i rejestr zaświadczeń są teraz w bazie %1.").arg(location.shown())
                        : QStringLiteral("Kursy, uczestnicy i rejestr zaświadczeń są teraz w pliku %1 w folderze danych.")
                              .arg(location.shown()));
    m_messages.inform(notices.join(QStringLiteral("\n\n")));
}

} // namespace marbelo

namespace marbelo {

QString CourseCommands::whyTrainingStays(int training)
{
    // No database yet: no certificate either.
    if (!m_session.hasDatabase())
        return QString();
    QString error;
    QStringList notices;
    db::Database *database = m_session.open(&error, &notices);
    if (!database)
        return QStringLiteral("Szkolenia nie można usunąć, dopóki nie wiadomo, czy wystawiono w nim zaświadczenia: %1")
            .arg(error);
    return CourseService(*database, m_dataDir).whyTrainingStays(training);
}

} // namespace marbelo
