#include "courses/ui/CoursesWindow.h"

#include "courses/CourseDocuments.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/ParticipantCsv.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/RegisterCsv.h"
#include "store/Catalogue.h"
#include "common/ui/HelpContext.h"
#include "courses/ui/CourseEditors.h"
#include "exam/CourseExam.h"
#include "exam/CourseTopics.h"
#include "exam/Draw.h"
#include "exam/ExamDocuments.h"
#include "exam/ui/ExamForms.h"
#include "trainings/OutlineTree.h"
#include "store/DataFiles.h"
#include "store/components/Messages.h"
#include "store/db/Database.h"

#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace marbelo {

namespace {

// An edit already made, recorded with how to take it back and make it again.
class DatabaseEdit : public QUndoCommand
{
public:
    using Step = std::function<bool(QString *)>;
    DatabaseEdit(const QString &what, Step redo, Step undo, std::function<void(const QString &)> failed)
        : QUndoCommand(what), m_redo(std::move(redo)), m_undo(std::move(undo)), m_failed(std::move(failed))
    {
    }
    void redo() override
    {
        if (m_first) {
            m_first = false;
            return;
        }
        run(m_redo);
    }
    void undo() override { run(m_undo); }

private:
    void run(const Step &step)
    {
        QString error;
        if (!step(&error))
            m_failed(error);
    }

    Step m_redo;
    Step m_undo;
    std::function<void(const QString &)> m_failed;
    bool m_first = true;
};

QTableWidget *makeTable(QWidget *parent, const char *objectName, const QString &accessibleName,
                        const QStringList &headers)
{
    auto *table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(QLatin1String(objectName));
    table->setAccessibleName(accessibleName);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void setRow(QTableWidget *table, int row, const QStringList &cells, qint64 id)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        item->setData(Qt::UserRole, id);
        table->setItem(row, column, item);
    }
}

constexpr int kCoursesHelpContext = 2237;

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

const std::vector<CoursesWindow::CommandRow> &CoursesWindow::commandRows()
{
    static const std::vector<CommandRow> rows = {
        {"QelNewCourse", QStringLiteral("Nowy kurs"), QKeySequence(Qt::CTRL | Qt::Key_N), Needs::Nothing,
         &CoursesWindow::newCourse},
        {"QelEditCourse", QStringLiteral("Popraw kurs"), QKeySequence(Qt::CTRL | Qt::Key_E), Needs::Course,
         &CoursesWindow::editCourse},
        {"QelDeleteCourse", QStringLiteral("Usuń kurs"), QKeySequence(Qt::CTRL | Qt::Key_Delete), Needs::Course,
         &CoursesWindow::deleteCourse},
        {"QelAddParticipant", QStringLiteral("Dodaj uczestnika"), QKeySequence(Qt::CTRL | Qt::Key_U), Needs::Course,
         &CoursesWindow::addParticipant},
        {"QelEditParticipant", QStringLiteral("Popraw uczestnika"), QKeySequence(Qt::Key_F2), Needs::Participant,
         &CoursesWindow::editParticipant},
        {"QelRemoveParticipant", QStringLiteral("Usuń uczestnika"), QKeySequence(Qt::Key_Delete),
         Needs::Participant, &CoursesWindow::removeParticipant},
        {"QelImportParticipants", QStringLiteral("Importuj uczestników..."), QKeySequence(Qt::CTRL | Qt::Key_I),
         Needs::Course, &CoursesWindow::importParticipants},
        {"QelTogglePassed", QStringLiteral("Zaliczył / nie zaliczył"), QKeySequence(Qt::CTRL | Qt::Key_T),
         Needs::Participant, &CoursesWindow::togglePassed},
        {"QelIssueCertificates", QStringLiteral("Wystaw zaświadczenia"), QKeySequence(Qt::CTRL | Qt::Key_W),
         Needs::Course, &CoursesWindow::issueCertificates},
        {"QelCancelCertificate", QStringLiteral("Anuluj zaświadczenie"), QKeySequence(), Needs::Certificate,
         &CoursesWindow::cancelCertificate},
        {"QelOrganiser", QStringLiteral("Organizator..."), QKeySequence(), Needs::Nothing,
         &CoursesWindow::editOrganiser},
        {"QelAttendanceList", QStringLiteral("Lista obecności..."), QKeySequence(Qt::CTRL | Qt::Key_L), Needs::Course,
         &CoursesWindow::saveAttendance},
        {"QelParticipantCertificate", QStringLiteral("Zaświadczenie uczestnika..."), QKeySequence(Qt::CTRL | Qt::Key_P),
         Needs::Certificate, &CoursesWindow::saveParticipantCertificate},
        {"QelCourseCertificates", QStringLiteral("Zaświadczenia kursu..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
         Needs::Course, &CoursesWindow::saveCourseCertificates},
        {"QelCertificateRegister", QStringLiteral("Rejestr zaświadczeń..."), QKeySequence(Qt::CTRL | Qt::Key_R),
         Needs::Nothing, &CoursesWindow::saveRegister},
        {"QelPrepareTest", QStringLiteral("Przygotuj test..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T),
         Needs::Course, &CoursesWindow::prepareExamTest},
        {"QelTestSheets", QStringLiteral("Arkusze testu..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
         Needs::Test, &CoursesWindow::saveTestSheets},
        {"QelExamResults", QStringLiteral("Wyniki egzaminu..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
         Needs::Test, &CoursesWindow::enterResults},
        {"QelExamProtocol", QStringLiteral("Protokół egzaminu..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
         Needs::Test, &CoursesWindow::saveProtocol},
    };
    return rows;
}

CoursesWindow::CoursesWindow(db::Database &database, Messages &messages, const QString &dataDir, int training,
                             int trainingType, const QString &trainingName, QWidget *owner)
    : QDialog(owner), m_database(database), m_messages(messages), m_dataDir(dataDir), m_libraryDirs{dataDir},
      m_training(training), m_trainingType(trainingType)
{
    setObjectName(QStringLiteral("QelCoursesWindow"));
    setWindowTitle(QStringLiteral("Kursy – %1").arg(trainingName));
    setHelpContext(this, kCoursesHelpContext);
    resize(900, 560);
    m_questions = {editCourseForm,
                   editParticipantForm,
                   editOrganiserForm,
                   [](QWidget *parent) {
                       return QFileDialog::getOpenFileName(parent, QStringLiteral("Importuj uczestników"), QString(),
                                                           QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
                   },
                   [](QWidget *parent) {
                       return QInputDialog::getText(parent, QStringLiteral("Anuluj zaświadczenie"),
                                                    QStringLiteral("Powód anulowania:"));
                   },
                   [](QWidget *parent, const QString &filter) {
                       return QFileDialog::getSaveFileName(parent, QStringLiteral("Zapisz"), QString(), filter);
                   },
                   exam::testSizeForm,
                   exam::resultsForm};

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("QelCoursesBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *undo = m_history.createUndoAction(this, QStringLiteral("Cofnij"));
    undo->setObjectName(QStringLiteral("QelUndoCourses"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_history.createRedoAction(this, QStringLiteral("Ponów"));
    redo->setObjectName(QStringLiteral("QelRedoCourses"));
    redo->setShortcut(QKeySequence::Redo);
    for (const CommandRow &row : commandRows()) {
        auto *action = new QAction(row.caption, this);
        action->setObjectName(QLatin1String(row.objectName));
        action->setShortcut(row.key);
        connect(action, &QAction::triggered, this, row.handler);
        bar->addAction(action);
        addAction(action);
        m_commands.emplace_back(action, row.needs);
    }
    bar->addSeparator();
    bar->addAction(undo);
    bar->addAction(redo);
    addAction(undo);
    addAction(redo);

    m_courses = makeTable(this, "QelCourseList", QStringLiteral("Kursy"),
                          {QStringLiteral("Nr"), QStringLiteral("Od"), QStringLiteral("Do"), QStringLiteral("Miejsce"),
                           QStringLiteral("Uczestnicy"), QStringLiteral("Zaświadczenia")});
    m_participants = makeTable(this, "QelParticipantList", QStringLiteral("Uczestnicy"),
                               {QStringLiteral("Nazwisko"), QStringLiteral("Imię"), QStringLiteral("Data urodzenia"),
                                QStringLiteral("Miejsce urodzenia"), QStringLiteral("Stanowisko"),
                                QStringLiteral("Zaliczył"), QStringLiteral("Zaświadczenie")});
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(new QLabel(QStringLiteral("Kursy"), this));
    layout->addWidget(m_courses, 1);
    layout->addWidget(new QLabel(QStringLiteral("Uczestnicy"), this));
    layout->addWidget(m_participants, 2);

    connect(m_courses, &QTableWidget::itemSelectionChanged, this, [this] { reloadParticipants(0); });
    connect(m_participants, &QTableWidget::itemSelectionChanged, this, &CoursesWindow::refreshCommands);
    connect(&m_history, &QUndoStack::indexChanged, this, [this] { reloadCourses(selectedCourse()); });
    reloadCourses(0);
}

CoursesWindow::~CoursesWindow()
{
    // The history is cleared as it goes, after the tables it would reload.
    m_history.disconnect(this);
}

QAction *CoursesWindow::command(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

qint64 CoursesWindow::selectedCourse() const
{
    const int row = m_courses->currentRow();
    return row >= 0 && row < static_cast<int>(m_courseRows.size()) && m_courses->item(row, 0)->isSelected()
               ? m_courseRows[static_cast<size_t>(row)].id
               : 0;
}

qint64 CoursesWindow::selectedParticipant() const
{
    const int row = m_participants->currentRow();
    return row >= 0 && row < static_cast<int>(m_participantRows.size()) && m_participants->item(row, 0)->isSelected()
               ? m_participantRows[static_cast<size_t>(row)].id
               : 0;
}

void CoursesWindow::selectCourse(qint64 id)
{
    for (size_t i = 0; i < m_courseRows.size(); ++i)
        if (m_courseRows[i].id == id)
            m_courses->selectRow(static_cast<int>(i));
}

void CoursesWindow::selectParticipant(qint64 id)
{
    for (size_t i = 0; i < m_participantRows.size(); ++i)
        if (m_participantRows[i].id == id)
            m_participants->selectRow(static_cast<int>(i));
}

void CoursesWindow::reloadCourses(qint64 select)
{
    const qint64 participant = selectedParticipant();
    const QSignalBlocker blocker(m_courses);
    m_courseRows = listCourses(m_database, m_training);
    m_courses->setRowCount(static_cast<int>(m_courseRows.size()));
    for (size_t i = 0; i < m_courseRows.size(); ++i) {
        const Course &c = m_courseRows[i];
        setRow(m_courses, static_cast<int>(i),
               {QString::number(c.id), shortDate(c.from), shortDate(c.to), c.place, QString::number(c.participants),
                QString::number(c.certificates)},
               c.id);
    }
    m_courses->clearSelection();
    selectCourse(select);
    reloadParticipants(participant);
}

void CoursesWindow::reloadParticipants(qint64 select)
{
    const QSignalBlocker blocker(m_participants);
    m_participantRows = selectedCourse() > 0 ? listParticipants(m_database, selectedCourse())
                                             : std::vector<Participant>{};
    m_participants->setRowCount(static_cast<int>(m_participantRows.size()));
    for (size_t i = 0; i < m_participantRows.size(); ++i) {
        const Participant &p = m_participantRows[i];
        setRow(m_participants, static_cast<int>(i),
               {p.surname, p.firstName, shortDate(p.birthDate), p.birthPlace, p.position,
                p.passed ? QStringLiteral("tak") : QStringLiteral("nie"), p.certificate},
               p.id);
    }
    m_participants->clearSelection();
    selectParticipant(select);
    refreshCommands();
}

void CoursesWindow::refreshCommands()
{
    const bool course = selectedCourse() > 0;
    const bool participant = selectedParticipant() > 0;
    const bool certificate = participant && !currentParticipant().certificate.isEmpty();
    const bool test = course && exam::examTest(m_database, selectedCourse()).questionCount() > 0;
    for (const auto &[action, needs] : m_commands) {
        switch (needs) {
        case Needs::Nothing:
            action->setEnabled(true);
            break;
        case Needs::Course:
            action->setEnabled(course);
            break;
        case Needs::Participant:
            action->setEnabled(participant);
            break;
        case Needs::Certificate:
            action->setEnabled(certificate);
            break;
        case Needs::Test:
            action->setEnabled(test);
            break;
        }
    }
}

Participant CoursesWindow::currentParticipant() const
{
    for (const Participant &p : m_participantRows)
        if (p.id == selectedParticipant())
            return p;
    return {};
}

bool CoursesWindow::record(const QString &what, const std::function<bool(QString *)> &redo,
                           const std::function<bool(QString *)> &undo)
{
    QString error;
    if (!redo(&error)) {
        m_messages.inform(error);
        return false;
    }
    // A step that fails later (undo of a course that has since issued
    // certificates, a full disk) is reported and ends the history, which no
    // longer matches the database.
    m_history.push(new DatabaseEdit(what, redo, undo, [this](const QString &why) {
        m_messages.inform(why);
        QTimer::singleShot(0, &m_history, &QUndoStack::clear);
    }));
    return true;
}

void CoursesWindow::newCourse()
{
    Course course;
    course.training = m_training;
    course.from = course.to = QDate::currentDate();
    course.form = defaultCourseForm(m_dataDir, m_training);
    course.purpose = defaultCoursePurpose(m_trainingType);
    exam::ExamSettings settings;
    if (!m_questions.course(this, &course, &settings))
        return;
    auto id = std::make_shared<qint64>(0);
    const bool done = record(
        QStringLiteral("Nowy kurs"),
        [this, course, settings, id](QString *error) {
            Course again = course;
            again.id = *id;
            const auto added = exam::addCourseWithExam(m_database, again, settings, error);
            if (added)
                *id = *added;
            return added.has_value();
        },
        [this, id](QString *error) { return marbelo::deleteCourse(m_database, *id, error); });
    if (done)
        reloadCourses(*id);
}

void CoursesWindow::editCourse()
{
    Course old;
    if (!readCourse(m_database, selectedCourse(), &old))
        return;
    Course changed = old;
    const exam::ExamSettings oldExam = exam::examSettings(m_database, old.id);
    exam::ExamSettings changedExam = oldExam;
    if (!m_questions.course(this, &changed, &changedExam))
        return;
    // A new pass mark re-scores the results in the same transaction; undo
    // scores them again by the old one.
    if (record(
            QStringLiteral("Popraw kurs"),
            [this, changed, changedExam](QString *error) {
                return exam::updateCourseWithExam(m_database, changed, changedExam, error);
            },
            [this, old, oldExam](QString *error) { return exam::updateCourseWithExam(m_database, old, oldExam, error); }))
        reloadCourses(old.id);
}

void CoursesWindow::deleteCourse()
{
    Course course;
    if (!readCourse(m_database, selectedCourse(), &course))
        return;
    if (!m_messages.confirm(QStringLiteral("Usunąć kurs nr %1 (%2) razem z jego uczestnikami?")
                                .arg(course.id)
                                .arg(shortDate(course.from)),
                            DefaultAnswer::No))
        return;
    const std::vector<Participant> people = listParticipants(m_database, course.id);
    const exam::ExamRows rows = exam::readExamRows(m_database, course.id);
    if (record(
            QStringLiteral("Usuń kurs"),
            [this, id = course.id](QString *error) { return marbelo::deleteCourse(m_database, id, error); },
            [this, course, people, rows](QString *error) {
                return exam::restoreCourseWithExam(m_database, course, people, rows, error);
            }))
        reloadCourses(0);
}

void CoursesWindow::addParticipant()
{
    Participant participant;
    if (!m_questions.participant(this, &participant))
        return;
    const qint64 course = selectedCourse();
    auto ids = std::make_shared<std::vector<qint64>>();
    if (record(
            QStringLiteral("Dodaj uczestnika"),
            [this, course, participant, ids](QString *error) {
                Participant again = participant;
                again.id = ids->empty() ? 0 : ids->front();
                const auto added = addParticipants(m_database, course, {again}, error);
                if (added)
                    *ids = *added;
                return added.has_value();
            },
            [this, ids](QString *error) { return removeParticipants(m_database, *ids, error); })) {
        reloadCourses(course);
        selectParticipant(ids->front());
    }
}

void CoursesWindow::editParticipant()
{
    const Participant old = currentParticipant();
    Participant changed = old;
    if (old.id == 0 || !m_questions.participant(this, &changed))
        return;
    if (record(
            QStringLiteral("Popraw uczestnika"),
            [this, changed](QString *error) { return updateParticipant(m_database, changed, error); },
            [this, old](QString *error) { return updateParticipant(m_database, old, error); })) {
        reloadCourses(selectedCourse());
        selectParticipant(old.id);
    }
}

void CoursesWindow::removeParticipant()
{
    const Participant old = currentParticipant();
    if (old.id == 0
        || !m_messages.confirm(QStringLiteral("Usunąć uczestnika %1 %2?").arg(old.firstName, old.surname),
                               DefaultAnswer::No))
        return;
    if (record(
            QStringLiteral("Usuń uczestnika"),
            [this, id = old.id](QString *error) { return removeParticipants(m_database, {id}, error); },
            [this, old, rows = exam::readExamRows(m_database, old.course)](QString *error) {
                return exam::restoreParticipantsWithResults(m_database, old.course, {old}, rows, error);
            }))
        reloadCourses(selectedCourse());
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
    const qint64 course = selectedCourse();
    auto ids = std::make_shared<std::vector<qint64>>();
    const std::vector<Participant> people = csv.participants;
    if (record(
            QStringLiteral("Importuj uczestników"),
            [this, course, people, ids](QString *error) {
                std::vector<Participant> again = people;
                for (size_t i = 0; i < ids->size() && i < again.size(); ++i)
                    again[i].id = (*ids)[i];
                const auto added = addParticipants(m_database, course, again, error);
                if (added)
                    *ids = *added;
                return added.has_value();
            },
            [this, ids](QString *error) { return removeParticipants(m_database, *ids, error); }))
        reloadCourses(course);
}

void CoursesWindow::togglePassed()
{
    const Participant p = currentParticipant();
    if (p.id == 0)
        return;
    const auto set = [this, id = p.id](bool passed) {
        return [this, id, passed](QString *error) { return setPassed(m_database, {id}, passed, error); };
    };
    if (record(p.passed ? QStringLiteral("Nie zaliczył") : QStringLiteral("Zaliczył"), set(!p.passed), set(p.passed))) {
        reloadCourses(selectedCourse());
        selectParticipant(p.id);
    }
}

bool CoursesWindow::askOrganiser(Organiser *organiser)
{
    if (!m_questions.organiser(this, organiser))
        return false;
    QString error;
    if (!saveOrganiser(m_database, *organiser, &error)) {
        m_messages.inform(error);
        return false;
    }
    return true;
}

void CoursesWindow::issueCertificates()
{
    Organiser organiser;
    if (!readOrganiser(m_database, &organiser) && !askOrganiser(&organiser))
        return;
    const qint64 course = selectedCourse();
    if (!m_messages.confirm(QStringLiteral("Wystawić zaświadczenia wszystkim uczestnikom kursu nr %1, którzy "
                                           "zaliczyli szkolenie i nie mają jeszcze zaświadczenia? Nadanych numerów "
                                           "nie można cofnąć.")
                                .arg(course),
                            DefaultAnswer::No))
        return;
    int issued = 0;
    QString error;
    if (!marbelo::issueCertificates(m_database, course, QDate::currentDate(), &issued, &error)) {
        m_messages.inform(error);
        return;
    }
    // The numbers are given for good: edits made before them cannot be
    // taken back over the register.
    m_history.clear();
    reloadCourses(course);
    m_messages.inform(issued > 0 ? QStringLiteral("Wystawiono zaświadczeń: %1.").arg(issued)
                                 : QStringLiteral("Nikt nie czeka na zaświadczenie: zaznacz, kto zaliczył szkolenie."));
}

void CoursesWindow::cancelCertificate()
{
    const Participant p = currentParticipant();
    if (p.certificate.isEmpty())
        return;
    const QString reason = m_questions.cancelReason(this);
    if (reason.trimmed().isEmpty())
        return;
    if (!m_messages.confirm(QStringLiteral("Anulować zaświadczenie nr %1 (%2 %3)? Numer zostanie w rejestrze jako "
                                           "„anulowane”.")
                                .arg(p.certificate, p.firstName, p.surname),
                            DefaultAnswer::No))
        return;
    for (const RegisterEntry &e : readRegister(m_database, p.course)) {
        if (e.participant != p.id || e.cancelled)
            continue;
        QString error;
        if (!marbelo::cancelCertificate(m_database, e.id, reason, &error))
            m_messages.inform(error);
    }
    m_history.clear();
    reloadCourses(selectedCourse());
}

void CoursesWindow::editOrganiser()
{
    Organiser organiser;
    readOrganiser(m_database, &organiser);
    askOrganiser(&organiser);
}

void CoursesWindow::saveDocument(const QString &filter,
                                 const std::function<bool(const QString &, QString *)> &write)
{
    const QString path = m_questions.savePath(this, filter);
    if (path.isEmpty())
        return;
    QString error;
    if (!write(path, &error))
        m_messages.inform(error);
}

void CoursesWindow::saveAttendance()
{
    const qint64 course = selectedCourse();
    saveDocument(QStringLiteral("PDF (*.pdf)"), [this, course](const QString &path, QString *error) {
        return saveAttendanceList(m_database, m_dataDir, course, path, error);
    });
}

void CoursesWindow::saveParticipantCertificate()
{
    const Participant p = currentParticipant();
    saveDocument(QStringLiteral("PDF (*.pdf)"), [this, p](const QString &path, QString *error) {
        return saveCertificates(m_database, m_dataDir, p.course, p.id, path, error);
    });
}

void CoursesWindow::saveCourseCertificates()
{
    const qint64 course = selectedCourse();
    saveDocument(QStringLiteral("PDF (*.pdf)"), [this, course](const QString &path, QString *error) {
        return saveCertificates(m_database, m_dataDir, course, 0, path, error);
    });
}

void CoursesWindow::saveRegister()
{
    saveDocument(QStringLiteral("PDF (*.pdf);;CSV (*.csv)"), [this](const QString &path, QString *error) {
        if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            return saveRegisterDocument(m_database, m_dataDir, path, error);
        return saveRegisterCsv(path, readRegister(m_database),
                               [this](int training) {
                                   TrainingRecord record;
                                   return readTrainingRecord(m_dataDir, training, &record) ? record.name : QString();
                               },
                               error);
    });
}

bool CoursesWindow::saveExamFile(exam::ExamDocument kind, const QString &filter)
{
    Course course;
    if (!readCourse(m_database, selectedCourse(), &course))
        return false;
    TrainingRecord training;
    readTrainingRecord(m_dataDir, m_training, &training);
    const QString path = m_questions.savePath(this, filter);
    if (path.isEmpty())
        return false;
    QString error;
    if (exam::saveExamDocument(kind,
                               exam::examDocumentData(m_database, course, training.name), path, &error))
        return true;
    m_messages.inform(error);
    return false;
}

void CoursesWindow::prepareExamTest()
{
    const qint64 course = selectedCourse();
    if (exam::examTest(m_database, course).questionCount() > 0
        && !m_messages.confirm(QStringLiteral("Kurs nr %1 ma już przygotowany test. Wylosować nowy? Wydrukowane "
                                              "arkusze nie będą pasowały do nowego klucza.")
                                   .arg(course),
                               DefaultAnswer::No))
        return;
    int count = exam::kDefaultQuestionCount;
    int variants = exam::kDefaultVariantCount;
    if (!m_questions.testSize(this, &count, &variants))
        return;
    const OutlineTree outline = OutlineTree::load(m_dataDir + outlineFileName(m_training));
    const auto topics = exam::topicsOfOutline(outline, exam::libraryTopics(m_libraryDirs));
    QString error;
    if (!exam::prepareTest(m_database, course, topics, count, variants, exam::newDrawNumber(), &error)) {
        m_messages.inform(error);
        return;
    }
    reloadCourses(course);
    saveTestSheets();
}

void CoursesWindow::saveTestSheets()
{
    // The stored draw: printing again gives the same sheets.
    if (saveExamFile(exam::ExamDocument::Sheets, QStringLiteral("Arkusze testu (*.pdf)")))
        saveExamFile(exam::ExamDocument::Key, QStringLiteral("Klucz odpowiedzi (*.pdf)"));
}

void CoursesWindow::enterResults()
{
    const qint64 course = selectedCourse();
    const std::vector<Participant> people = listParticipants(m_database, course);
    if (people.empty()) {
        m_messages.inform(QStringLiteral("Kurs nr %1 nie ma uczestników.").arg(course));
        return;
    }
    std::vector<exam::ResultEntry> entries(people.size());
    for (const exam::ExamResult &r : exam::examResults(m_database, course))
        for (std::size_t i = 0; i < people.size(); ++i)
            if (people[i].id == r.participant)
                entries[i] = {r.participant, r.variant >= 0 ? QString(exam::variantLetter(r.variant)) : QString(),
                              r.letters, r.points};
    const exam::ExamTest test = exam::examTest(m_database, course);
    // The form opens again with what was typed until every row is right or the user cancels.
    while (m_questions.results(this, people, &entries)) {
        std::vector<exam::ResultEntry> filled;
        QStringList problems;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].isBlank())
                continue;
            if (const QString problem = exam::resultEntryProblem(test, entries[i]); !problem.isEmpty())
                problems << people[i].surname + QLatin1Char(' ') + people[i].firstName + QStringLiteral(": ") + problem;
            filled.push_back(entries[i]);
        }
        QString error;
        if (problems.isEmpty() && exam::recordResults(m_database, course, filled, &error))
            break;
        m_messages.inform(problems.isEmpty() ? error
                                             : QStringLiteral("Nie zapisano wyników:\n") + problems.join(QLatin1Char('\n')));
    }
    reloadCourses(course);
}

void CoursesWindow::saveProtocol()
{
    saveExamFile(exam::ExamDocument::Protocol, QStringLiteral("Protokół egzaminu (*.pdf)"));
}

} // namespace marbelo
