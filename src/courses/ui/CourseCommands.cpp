#include "courses/ui/CourseCommands.h"

#include "common/ui/PaneInterfaces.h"
#include "courses/ui/CoursesWindow.h"
#include "exam/QuestionBank.h"
#include "store/Catalogue.h"
#include "store/components/Messages.h"
#include "store/db/Database.h"

#include <QFile>

namespace marbelo {

CourseCommands::CourseCommands(const QString &dataDir, Messages &messages, CommandFrame &frame,
                               const TrainingSource &trainings, QObject *parent)
    : QObject(parent), m_dataDir(dataDir), m_libraryDirs{dataDir}, m_messages(messages), m_frame(frame),
      m_trainings(trainings)
{
}

CourseCommands::~CourseCommands() = default;

void CourseCommands::checkAtStart()
{
    if (QFile::exists(db::Database::pathIn(m_dataDir)))
        ensureOpen();
}

bool CourseCommands::ensureOpen()
{
    if (m_database && m_database->isOpen())
        return true;
    // A damaged or newer file stays refused for this run: it is never written to.
    if (m_database && (m_database->state() == db::Database::State::Damaged
                       || m_database->state() == db::Database::State::TooNew)) {
        m_messages.inform(m_openError);
        return false;
    }
    m_database = std::make_unique<db::Database>(db::Database::pathIn(m_dataDir));
    if (!m_database->open(&m_openError)) {
        m_messages.inform(m_openError);
        return false;
    }
    QString error;
    if (!exam::importDemoQuestionsFrom(*m_database, m_libraryDirs, &error))
        m_messages.inform(error);
    return true;
}

void CourseCommands::openCourses()
{
    const int training = m_trainings.selectedTrainingNumber();
    TrainingRecord record;
    if (training < 0 || !readTrainingRecord(m_dataDir, training, &record))
        return;
    CommandsDisabled guard(m_frame);
    if (!ensureOpen())
        return;
    CoursesWindow window(*m_database, m_messages, m_dataDir, training, record.type, record.name,
                         qobject_cast<QWidget *>(parent()));
    window.setLibraryDirs(m_libraryDirs);
    emit windowOpened(&window);
    window.exec();
}

} // namespace marbelo
