#include "courses/ui/CoursesWindow.h"

#include "common/CommandTable.h"
#include "common/ui/CommandMenus.h"
#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"
#include "courses/ParticipantCsv.h"
#include "courses/Register.h"
#include "courses/ui/CourseEditors.h"
#include "courses/ui/CourseTables.h"
#include "courses/ui/RecordHistory.h"
#include "courses/ui/RegisterWindow.h"
#include "store/components/Messages.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace marbelo {

namespace {

QTableView *makeTable(QWidget *parent, const char *objectName, const QString &accessibleName,
                      QAbstractItemModel *model)
{
    auto *table = new QTableView(parent);
    table->setObjectName(QLatin1String(objectName));
    table->setAccessibleName(accessibleName);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

constexpr int kCoursesHelpContext = 2237;
// Set on a table whose column widths the user chose: they are kept, not fitted.
constexpr const char *kUserSized = "userSized";

// The widths of the window's columns, kept beside the data they show.
QString columnsFile(const QString &dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("Kursy.ini"));
}

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

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
    m_questions = {editCourseForm,
                   editParticipantForm,
                   editOrganiserForm,
                   [](QWidget *parent) {
                       return QFileDialog::getOpenFileName(parent, QStringLiteral("Importuj uczestników"), QString(),
                                                           QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
                   },
                   cancelReasonForm,
                   [](QWidget *parent, const QString &filter, const QString &proposed) {
                       return QFileDialog::getSaveFileName(parent, QStringLiteral("Zapisz"),
                                                           QDir(fileDialogStartDirectory()).filePath(proposed), filter);
                   },
                   issueDateForm};

    m_courseTable = new CourseTable(courseColumns(), this);
    m_participantTable = new ParticipantTable(participantColumns(&m_testQuestions), this);
    m_courses = makeTable(this, "QelCourseList", QStringLiteral("Kursy"), m_courseTable);
    m_participants = makeTable(this, "QelParticipantList", QStringLiteral("Uczestnicy"), m_participantTable);
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
    restoreColumns(m_courses);
    restoreColumns(m_participants);
    reloadCourses(0);
    // The trainer's road starts at a course: the first one is selected.
    if (!m_courseTable->rows().empty())
        m_courses->selectRow(0);
}

CoursesWindow::~CoursesWindow()
{
    keepColumns(m_courses);
    keepColumns(m_participants);
    // The history is cleared as it goes, after the tables it would reload.
    m_history.disconnect(this);
}

void CoursesWindow::restoreColumns(QTableView *table)
{
    QHeaderView *header = table->horizontalHeader();
    const QStringList widths =
        QSettings(columnsFile(m_service.dataDir()), QSettings::IniFormat).value(table->objectName()).toStringList();
    if (widths.size() == header->count()) {
        for (int column = 0; column < header->count(); ++column)
            header->resizeSection(column, std::clamp(widths[column].toInt(), 24, 1000));
        table->setProperty(kUserSized, true);
    }
    // A width the user drags (the last column only follows the window) is kept.
    connect(header, &QHeaderView::sectionResized, table, [this, table, header](int column) {
        if (!m_fitting && column < header->count() - 1)
            table->setProperty(kUserSized, true);
    });
}

void CoursesWindow::fitColumns(QTableView *table)
{
    if (table->property(kUserSized).toBool())
        return;
    m_fitting = true;
    table->resizeColumnsToContents();
    m_fitting = false;
}

void CoursesWindow::keepColumns(QTableView *table)
{
    if (!table->property(kUserSized).toBool())
        return;
    QStringList widths;
    for (int column = 0; column < table->horizontalHeader()->count(); ++column)
        widths << QString::number(table->horizontalHeader()->sectionSize(column));
    QSettings(columnsFile(m_service.dataDir()), QSettings::IniFormat).setValue(table->objectName(), widths);
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
                                .replace(QLatin1Char('/'), QLatin1Char('-')),
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
    fitColumns(m_courses);
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
    fitColumns(m_participants);
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

void CoursesWindow::newCourse()
{
    Course course = m_service.newCourse(m_training);
    if (!m_questions.course(this, &course))
        return;
    QString error;
    const auto edit = m_service.addCourse(course, &error);
    const qint64 id = edit ? edit->made : 0;
    if (record(edit, error))
        reloadCourses(id);
}

void CoursesWindow::editCourse()
{
    if (!courseRow())
        return;
    Course changed = *courseRow();
    if (!m_questions.course(this, &changed))
        return;
    QString error;
    if (record(m_service.changeCourse(changed, &error), error))
        reloadCourses(changed.id);
}

void CoursesWindow::deleteCourse()
{
    const Course *course = courseRow();
    if (!course
        || !m_messages.confirm(QStringLiteral("Usunąć kurs nr %1 (%2) razem z jego uczestnikami?")
                                   .arg(course->id)
                                   .arg(shortDate(course->from)),
                               DefaultAnswer::No))
        return;
    QString error;
    if (record(m_service.deleteCourse(course->id, &error), error))
        reloadCourses(0);
}

void CoursesWindow::addParticipant()
{
    Participant participant;
    if (!m_questions.participant(this, &participant, participantRows()))
        return;
    QString error;
    auto edit = m_service.addParticipants(selectedCourse(), {participant}, QStringLiteral("Dodaj uczestnika"), &error);
    const qint64 id = edit ? edit->made : 0;
    if (record(std::move(edit), error)) {
        reload();
        selectParticipant(id);
    }
}

void CoursesWindow::editParticipant()
{
    if (!currentParticipant())
        return;
    const Participant original = *currentParticipant();
    Participant changed = original;
    if (!m_questions.participant(this, &changed, participantRows()))
        return;
    // The form changes what was typed, never whose record it is.
    changed.id = original.id;
    changed.course = original.course;
    QString error;
    if (record(m_service.changeParticipant(changed, &error), error)) {
        reload();
        selectParticipant(changed.id);
    }
}

void CoursesWindow::removeParticipant()
{
    const Participant *p = currentParticipant();
    if (!p
        || !m_messages.confirm(QStringLiteral("Usunąć uczestnika %1 %2?").arg(p->firstName, p->surname),
                               DefaultAnswer::No))
        return;
    QString error;
    if (record(m_service.removeParticipant(p->id, &error), error))
        reload();
}

void CoursesWindow::importParticipants()
{
    const QString path = m_questions.csvFile(this);
    if (path.isEmpty())
        return;
    const ParticipantCsv csv = readParticipantCsvFile(path);
    if (!csv.error.isEmpty()) {
        m_messages.inform(csv.error);
        return;
    }
    if (!csv.problems.empty()) {
        QStringList lines;
        for (const CsvRowProblem &p : csv.problems)
            lines << QStringLiteral("wiersz %1: %2").arg(p.line).arg(p.reason);
        if (csv.participants.empty()) {
            m_messages.inform(QStringLiteral("Żaden wiersz pliku nie jest poprawny:\n") + lines.join(QLatin1Char('\n')));
            return;
        }
        if (!m_messages.confirm(QStringLiteral("Błędne wiersze pliku:\n%1\n\nZaimportować %2 poprawnych wierszy, "
                                               "pomijając błędne?")
                                    .arg(lines.join(QLatin1Char('\n')))
                                    .arg(csv.participants.size()),
                                DefaultAnswer::No))
            return;
    }
    QString error;
    std::vector<CsvRowProblem> skipped;
    if (record(m_service.importParticipants(selectedCourse(), csv, &skipped, &error), error))
        reload();
    if (!skipped.empty()) {
        QStringList lines;
        for (const CsvRowProblem &p : skipped)
            lines << QStringLiteral("wiersz %1: %2").arg(p.line).arg(p.reason);
        m_messages.inform(QStringLiteral("Pominięto:\n") + lines.join(QLatin1Char('\n')));
    }
}

void CoursesWindow::togglePassed()
{
    const Participant *p = currentParticipant();
    if (!p)
        return;
    const qint64 id = p->id;
    QString error;
    if (record(m_service.setPassed(id, !p->passed, &error), error)) {
        reload();
        selectParticipant(id);
    }
}

bool CoursesWindow::askOrganiser(Organiser *organiser)
{
    if (!m_questions.organiser(this, organiser))
        return false;
    QString error;
    if (!m_service.saveOrganiser(*organiser, &error)) {
        m_messages.inform(error);
        return false;
    }
    return true;
}

void CoursesWindow::issueCertificates()
{
    Organiser organiser;
    QString error;
    if (!m_service.organiser(&organiser, &error)) {
        if (!error.isEmpty()) {
            m_messages.inform(error);
            return;
        }
        if (!askOrganiser(&organiser))
            return;
    }
    const qint64 course = selectedCourse();
    const QDate earliest = m_service.proposedIssueDate(course, &error);
    // Before the course's last day nothing is asked: the answer would be no.
    if (!error.isEmpty() || !courseRow() || QDate::currentDate() < courseRow()->to) {
        m_messages.inform(error.isEmpty() ? issueDateProblem(*courseRow(), QDate::currentDate(), {}) : error);
        return;
    }
    QDate date = earliest;
    if (!m_questions.issueDate(this, &date, earliest)
        || !m_messages.confirm(QStringLiteral("Wystawić z datą %1 r. zaświadczenia wszystkim uczestnikom kursu nr %2, "
                                              "którzy zaliczyli szkolenie i nie mają jeszcze zaświadczenia? Nadanych "
                                              "numerów nie można cofnąć.")
                                   .arg(shortDate(date))
                                   .arg(course),
                               DefaultAnswer::No))
        return;
    int issued = 0;
    if (!m_service.issue(course, date, &issued, &error)) {
        m_messages.inform(error);
        return;
    }
    // The numbers are given for good: edits made before them cannot be
    // taken back over the register.
    m_history.clear();
    reload();
    m_messages.inform(issued > 0 ? QStringLiteral("Wystawiono zaświadczeń: %1.").arg(issued)
                                 : QStringLiteral("Nikt nie czeka na zaświadczenie: zaznacz, kto zaliczył szkolenie."));
}

void CoursesWindow::cancelCertificate()
{
    const Participant *p = currentParticipant();
    if (!p || p->certificate.isEmpty())
        return;
    const Participant holder = *p;
    const QString reason = m_questions.cancelReason(this, holder.certificate);
    if (reason.trimmed().isEmpty())
        return;
    if (!m_messages.confirm(QStringLiteral("Anulować zaświadczenie nr %1 (%2 %3)? Numer zostanie w rejestrze jako "
                                           "„anulowane”.")
                                .arg(holder.certificate, holder.firstName, holder.surname),
                            DefaultAnswer::No))
        return;
    QString error;
    if (!m_service.cancelCertificateOf(holder.id, reason, &error))
        m_messages.inform(error);
    m_history.clear();
    reload();
}

void CoursesWindow::editOrganiser()
{
    Organiser organiser;
    QString error;
    if (!m_service.organiser(&organiser, &error) && !error.isEmpty()) {
        m_messages.inform(error);
        return;
    }
    askOrganiser(&organiser);
}

} // namespace marbelo
