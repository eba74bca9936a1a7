#include "courses/ui/CoursesWindow.h"

#include "common/CommandTable.h"
#include "common/ui/CommandMenus.h"
#include "common/ui/HelpContext.h"
#include "common/ui/RecordTableView.h"
#include "courses/ui/CourseEditors.h"
#include "courses/ui/CourseTables.h"
#include "courses/ui/EmployersWindow.h"
#include "courses/ui/RecordHistory.h"
#include "courses/ui/RegisterWindow.h"
#include "store/components/Messages.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace marbelo {

namespace {

constexpr int kCoursesHelpContext = 2237;

} // namespace

CoursesWindow::CoursesWindow(CourseService &service, Messages &messages, int training, QWidget *owner)
    : QDialog(owner), m_service(service), m_messages(messages), m_training(training),
      m_history([this](const QString &why) { m_messages.inform(why); }),
      m_commands(std::make_unique<CommandMenus>(this))
{
    setObjectName(QStringLiteral("QelCoursesWindow"));
    setWindowTitle(QStringLiteral("Kursy – %1").arg(service.training(training).shownName()));
    setHelpContext(this, kCoursesHelpContext);
    resize(900, 560);
    m_questions = courseForms();

    m_courseTable = new CourseTable(courseColumns(), this);
    m_participantTable = new ParticipantTable(participantColumns(&m_testQuestions), this);
    // The widths of the window's columns are kept beside the data they show.
    const QString widths = QDir(service.dataDir()).filePath(QStringLiteral("Kursy.ini"));
    m_courses = new RecordTableView(this, "QelCourseList", QStringLiteral("Kursy"), m_courseTable, widths);
    m_participants =
        new RecordTableView(this, "QelParticipantList", QStringLiteral("Uczestnicy"), m_participantTable, widths);
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("QelCoursesStatusBar"));

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(buildCommands());
    layout->addWidget(new QLabel(QStringLiteral("Kursy"), this));
    layout->addWidget(m_courses, 1);
    layout->addWidget(new QLabel(QStringLiteral("Uczestnicy"), this));
    layout->addWidget(m_participants, 2);
    layout->addWidget(m_status);

    connect(m_courses->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { reloadParticipants(0); });
    connect(m_participants->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CoursesWindow::refreshCommands);
    connect(&m_history, &QUndoStack::indexChanged, this, [this] { reload(); });
    reloadCourses(0);
    // The trainer's road starts at a course: the first one is selected.
    if (!m_courseTable->rows().empty())
        m_courses->selectRow(0);
}

CoursesWindow::~CoursesWindow()
{
    // The history is cleared as it goes, after the tables it would reload.
    m_history.disconnect(this);
}

QWidget *CoursesWindow::buildCommands()
{
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("QelCoursesMenuBar"));
    m_commands->buildMainMenus(menuBar, CommandWindow::Courses,
                               [this](const QString &hint) { m_status->showMessage(hint); });
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("QelCoursesBar"));
    m_commands->fillTextToolBar(bar, MenuPlace::CoursesToolBar);
    auto *top = new QWidget(this);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(menuBar);
    topLayout->addWidget(bar);
    m_commands->attachContextMenu(MenuPlace::CourseListMenu, m_courses);
    m_commands->attachContextMenu(MenuPlace::ParticipantListMenu, m_participants);
    m_commands->applyShortcuts(CommandWindow::Courses, [this](ShortcutScope) { return this; });
    for (const CommandInfo &info : commandTable())
        if (windowOf(info) == CommandWindow::Courses)
            m_commands->connectCommand(info.command, this, [this, command = info.command] { runCommand(command); });
    return top;
}

void CoursesWindow::setCommandHandler(CourseCommandHandler *handler)
{
    m_handler = handler;
    refreshCommands();
}

QAction *CoursesWindow::command(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void CoursesWindow::runCommand(Command command)
{
    switch (command) {
    case Command::NewCourse: return newCourse();
    case Command::EditCourse: return editCourse();
    case Command::DeleteCourse: return deleteCourse();
    case Command::AddParticipant: return addParticipant();
    case Command::EditParticipant: return editParticipant();
    case Command::RemoveParticipant: return removeParticipant();
    case Command::ImportParticipants: return importParticipants();
    case Command::TogglePassed: return togglePassed();
    case Command::IssueCertificates: return issueCertificates();
    case Command::CancelCertificate: return cancelCertificate();
    case Command::EditOrganiser: return editOrganiser();
    case Command::AttendanceList:
        return saveDocument(QStringLiteral("PDF (*.pdf)"), courseFileName(QStringLiteral("Lista obecności")),
                            [this, course = selectedCourse()](const QString &path, QString *error) {
                                return m_service.saveAttendanceList(course, path, error);
                            });
    case Command::ParticipantCertificate:
        return saveDocument(QStringLiteral("PDF (*.pdf)"),
                            QStringLiteral("Zaświadczenie %1 – %2 %3.pdf")
                                .arg(currentParticipant()->certificate, currentParticipant()->surname,
                                     currentParticipant()->firstName)
                                .replace(QRegularExpression(QStringLiteral("[/\\\\:]")), QStringLiteral("-")),
                            [this, p = *currentParticipant()](const QString &path, QString *error) {
                                return m_service.saveCertificates(p.course, p.id, path, error);
                            });
    case Command::CourseCertificates:
        return saveDocument(QStringLiteral("PDF (*.pdf)"), courseFileName(QStringLiteral("Zaświadczenia")),
                            [this, course = selectedCourse()](const QString &path, QString *error) {
                                return m_service.saveCertificates(course, 0, path, error);
                            });
    case Command::CertificateRegister: {
        RegisterWindow window(m_service, m_messages, this);
        emit registerOpened(&window);
        window.exec();
        // A certificate cancelled there shows here too.
        return reload();
    }
    case Command::Employers: return openEmployers();
    case Command::CourseRenewals: return openRenewals();
    case Command::UndoCourses: return m_history.undo();
    case Command::RedoCourses: return m_history.redo();
    default:
        if (m_handler && m_handler->handles(command)) {
            m_handler->run(command, *this);
            reload();
        }
    }
}

qint64 CoursesWindow::selectedCourse() const
{
    const QModelIndexList rows = m_courses->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : m_courseTable->rows()[std::size_t(rows.first().row())].id;
}

qint64 CoursesWindow::selectedParticipant() const
{
    const Participant *p = currentParticipant();
    return p ? p->id : 0;
}

const Participant *CoursesWindow::currentParticipant() const
{
    const QModelIndexList rows = m_participants->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : &m_participantTable->rows()[std::size_t(rows.first().row())];
}

const Course *CoursesWindow::courseRow() const
{
    const int row = m_courseTable->rowOf(selectedCourse());
    return row < 0 ? nullptr : &m_courseTable->rows()[std::size_t(row)];
}

const std::vector<Participant> &CoursesWindow::participantRows() const
{
    return m_participantTable->rows();
}

void CoursesWindow::selectCourse(qint64 id)
{
    const int row = m_courseTable->rowOf(id);
    if (row >= 0)
        m_courses->selectRow(row);
    else
        m_courses->clearSelection();
}

void CoursesWindow::selectParticipant(qint64 id)
{
    const int row = m_participantTable->rowOf(id);
    if (row >= 0)
        m_participants->selectRow(row);
    else
        m_participants->clearSelection();
}

void CoursesWindow::reload()
{
    reloadCourses(selectedCourse());
}

void CoursesWindow::reloadCourses(qint64 select)
{
    const qint64 participant = selectedParticipant();
    std::vector<Course> courses;
    QString error;
    // A database that cannot be read is told; the window keeps what it last read.
    if (!m_service.courses(m_training, &courses, &error)) {
        m_messages.inform(error);
        return;
    }
    {
        const QSignalBlocker blocker(m_courses->selectionModel());
        m_courseTable->setRows(std::move(courses));
        selectCourse(select);
    }
    m_courses->fitColumns();
    reloadParticipants(participant);
}

void CoursesWindow::reloadParticipants(qint64 select)
{
    std::vector<Participant> people;
    QString error;
    if (selectedCourse() > 0 && !m_service.participants(selectedCourse(), &people, &error)) {
        m_messages.inform(error);
        return;
    }
    {
        const QSignalBlocker blocker(m_participants->selectionModel());
        m_testQuestions = courseRow() ? courseRow()->testQuestions : 0;
        m_participantTable->setRows(std::move(people));
        selectParticipant(select);
    }
    m_participants->fitColumns();
    refreshCommands();
}

void CoursesWindow::refreshCommands()
{
    CommandConditions c;
    c.coursesShown = true;
    c.courseSelected = selectedCourse() > 0;
    c.participantSelected = currentParticipant() != nullptr;
    c.certificateSelected = c.participantSelected && !currentParticipant()->certificate.isEmpty();
    c.testPrepared = courseRow() && courseRow()->testQuestions > 0;
    c.coursesCanUndo = m_history.canUndo();
    c.coursesCanRedo = m_history.canRedo();
    CommandStates states = evaluateCommands(c);
    // The exam's commands only where a handler carries them out.
    for (const Command exam : {Command::PrepareTest, Command::TestSheets, Command::ExamResults, Command::ExamProtocol})
        if (!m_handler || !m_handler->handles(exam))
            states.enabled[std::size_t(exam)] = false;
    m_commands->applyStates(states);
    const std::pair<Command, QString> history[] = {
        {Command::UndoCourses, historyCaption(QStringLiteral("Cofnij"), m_history.undoText())},
        {Command::RedoCourses, historyCaption(QStringLiteral("Ponów"), m_history.redoText())}};
    for (const auto &[command, caption] : history)
        if (QAction *entry = m_commands->entries(command).mainMenu)
            entry->setText(caption);
}

bool CoursesWindow::record(std::optional<RecordEdit> edit, const QString &error)
{
    const QString notice = edit ? edit->notice : QString();
    if (!m_history.record(std::move(edit), error))
        return false;
    // Said once a window: issued certificates keep the text they printed.
    if (!notice.isEmpty() && !m_toldIssuedKeepText) {
        m_toldIssuedKeepText = true;
        m_messages.inform(notice);
    }
    return true;
}

QString CoursesWindow::askSavePath(const QString &filter, const QString &proposed)
{
    return m_questions.savePath(this, filter, proposed);
}

QString CoursesWindow::courseFileName(const QString &what) const
{
    const Course *course = courseRow();
    return course ? QStringLiteral("%1 – kurs nr %2 z %3.pdf").arg(what).arg(course->id).arg(shortDate(course->from))
                  : what + QStringLiteral(".pdf");
}

void CoursesWindow::saveDocument(const QString &filter, const QString &proposed,
                                 const std::function<bool(const QString &, QString *)> &write)
{
    const QString path = askSavePath(filter, proposed);
    if (path.isEmpty())
        return;
    QString error;
    if (!write(path, &error))
        m_messages.inform(error);
}

} // namespace marbelo
