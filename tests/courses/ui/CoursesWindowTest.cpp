// The "Kursy" window's wiring: each command through its action, with the
// forms and questions scripted; undo of course and participant edits puts the
// database back exactly; issuing and cancelling are confirmed and not undone;
// the exam's commands from the draw to the protocol, with their real forms.

#include "courses/CourseService.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/Results.h"
#include "courses/ui/CoursesWindow.h"
#include "courses/ui/RegisterWindow.h"
#include "exam/ExamStore.h"
#include "exam/QuestionBank.h"
#include "exam/ui/ExamCommands.h"
#include "trainings/OutlineTree.h"
#include "store/DataFiles.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QAction>
#include <QFile>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTimer>
#include <QTableWidget>

#include <deque>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

// Every participant of a course as one comparable text.
QStringList snapshot(db::Database &database, qint64 course)
{
    QStringList rows;
    for (const Participant &p : listParticipants(database, course))
        rows << QStringList{QString::number(p.id), p.firstName, p.surname, p.birthDate.toString(Qt::ISODate),
                            p.birthPlace, p.position, QString::number(p.passed), p.certificate}
                    .join(QLatin1Char('|'));
    return rows;
}

class CoursesWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(database.open());
        window = std::make_unique<CoursesWindow>(service, messages, 3);
        window->setCommandHandler(&examCommands);
        CoursesWindow::Questions &q = window->questions();
        q.course = [this](QWidget *, Course *c, const std::vector<Employer> &) {
            const qint64 id = c->id;
            *c = testCourse(3);
            c->id = id;
            c->place = nextPlace;
            c->exam = nextExam;
            return true;
        };
        q.participant = [this](QWidget *, Participant *p, const ParticipantChoices &) {
            const Participant old = *p;
            *p = nextParticipant;
            p->id = old.id;
            p->passed = old.passed;
            return true;
        };
        q.organiser = [](QWidget *, Organiser *o) {
            *o = testOrganiser();
            return true;
        };
        q.csvFile = [this](QWidget *) { return dir.file("lista.csv"); };
        q.cancelReason = [](QWidget *, const QString &) { return QStringLiteral("literówka w nazwisku"); };
        q.savePath = [this](QWidget *, const QString &, const QString &) { return dir.file(nextDocument); };
        q.issueDate = [](QWidget *, QDate *, const QDate &) { return true; }; // the date proposed
    }

    void trigger(const char *objectName)
    {
        QAction *action = window->command(QLatin1String(objectName));
        ASSERT_NE(action, nullptr) << objectName;
        ASSERT_TRUE(action->isEnabled()) << objectName;
        action->trigger();
    }

    TempDataDir dir;
    db::Database database{db::Database::pathIn(dir.path())};
    CourseService service{database, dir.path()};
    exam::ExamCommands examCommands{{dir.path()}};
    ScriptedMessages messages;
    std::unique_ptr<CoursesWindow> window;
    QString nextPlace = QStringLiteral("Sala A");
    ExamSettings nextExam;
    Participant nextParticipant = testParticipants(1).front();
    QString nextDocument;
};

} // namespace

TEST_F(CoursesWindowTest, TrainersRoadWithUndo)
{
    EXPECT_FALSE(window->command(QStringLiteral("QelAddParticipant"))->isEnabled());
    trigger("QelNewCourse");
    const qint64 course = window->selectedCourse();
    ASSERT_GT(course, 0);
    nextPlace = QStringLiteral("Sala B");
    trigger("QelEditCourse");
    Course stored;
    ASSERT_TRUE(readCourse(database, course, &stored));
    EXPECT_EQ(stored.place, QStringLiteral("Sala B"));
    EXPECT_EQ(stored.training, 3);

    trigger("QelAddParticipant");
    writeFile(dir.file("lista.csv"), QStringLiteral("Imię;Nazwisko;Data urodzenia;Miejsce urodzenia\n"
                                                    "Ewa;Kos;01.02.1990;Wieś\nZła;Data;31.02.1990;Wieś\n")
                                         .toUtf8());
    messages.answers = {true}; // leave the bad row out
    trigger("QelImportParticipants");
    const QStringList imported = snapshot(database, course);
    ASSERT_EQ(imported.size(), 2);
    EXPECT_TRUE(messages.texts().last().contains(QStringLiteral("wiersz 3"))) << messages.texts().last().toStdString();

    // Undo takes each edit back exactly, redo makes it again under the same numbers.
    window->selectParticipant(listParticipants(database, course).front().id);
    nextParticipant = testParticipants(1, true, 5).front(); // not the one added above: no one twice
    nextParticipant.position = QStringLiteral("kierowca");
    trigger("QelEditParticipant");
    EXPECT_NE(snapshot(database, course), imported);
    window->history().undo();
    EXPECT_EQ(snapshot(database, course), imported);
    window->history().redo();
    const QStringList edited = snapshot(database, course);
    window->history().undo();
    window->history().undo(); // the import
    EXPECT_EQ(snapshot(database, course).size(), 1);
    window->history().redo();
    window->history().redo();
    EXPECT_EQ(snapshot(database, course), edited);

    for (const Participant &p : listParticipants(database, course)) {
        window->selectParticipant(p.id);
        trigger("QelTogglePassed");
    }
    for (const Participant &p : listParticipants(database, course))
        EXPECT_TRUE(p.passed) << p.surname.toStdString();
    messages.answers = {true};
    trigger("QelIssueCertificates"); // asks for the organiser first
    ASSERT_EQ(readRegister(database).size(), 2u) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(window->history().count(), 0) << "issuing is not undone";
    Organiser organiser;
    EXPECT_TRUE(readOrganiser(database, &organiser));

    // Each document command writes its file.
    const std::pair<const char *, const char *> documents[] = {{"QelAttendanceList", "lista.pdf"},
                                                               {"QelCourseCertificates", "kurs.pdf"}};
    for (const auto &[command, file] : documents) {
        nextDocument = QLatin1String(file);
        trigger(command);
        EXPECT_TRUE(QFile::exists(dir.file(nextDocument))) << command;
    }
    // The register opens in its own window, over the same service.
    std::size_t listed = 0;
    QObject::connect(window.get(), &CoursesWindow::registerOpened, [&](RegisterWindow *shown) {
        listed = shown->entries().size();
        QTimer::singleShot(0, shown, &QDialog::reject);
    });
    trigger("QelCertificateRegister");
    EXPECT_EQ(listed, 2u);
    window->selectParticipant(readRegister(database).front().participant);
    nextDocument = QStringLiteral("jeden.pdf");
    trigger("QelParticipantCertificate");
    EXPECT_TRUE(QFile::exists(dir.file(nextDocument)));
    messages.answers = {true};
    trigger("QelCancelCertificate");
    EXPECT_TRUE(readRegister(database).front().cancelled);
    EXPECT_EQ(readRegister(database).front().cancelReason, QStringLiteral("literówka w nazwisku"));

    // A course with certificates stays, and the user is told why.
    window->selectCourse(course);
    messages.answers = {true};
    trigger("QelDeleteCourse");
    EXPECT_TRUE(readCourse(database, course, &stored));
    EXPECT_TRUE(messages.texts().last().contains(QStringLiteral("nie można usunąć")));
    EXPECT_EQ(registerProblem(database), QString());
}

TEST_F(CoursesWindowTest, DeletedCourseComesBackWithItsParticipants)
{
    trigger("QelNewCourse");
    const qint64 course = window->selectedCourse();
    trigger("QelAddParticipant");
    trigger("QelTogglePassed");
    const QStringList before = snapshot(database, course);
    messages.answers = {true};
    trigger("QelDeleteCourse");
    EXPECT_TRUE(listCourses(database).empty());
    window->history().undo();
    EXPECT_EQ(snapshot(database, course), before);
}

TEST_F(CoursesWindowTest, ExamFromTheDrawToTheProtocol)
{
    const QString topic = QStringLiteral("Ochrona przeciwpożarowa");
    writeTopicFile(dir.file("Ppoz.mdl"), topic, {topicRecord("0", "1", "0", QStringLiteral("Gaśnice"))});
    QString error;
    ASSERT_TRUE(OutlineTree::fromRecords({{topic, 0, kHeadingFlag, std::nullopt}}).save(dir.file(outlineFileName(3)), &error));
    std::vector<exam::Question> bank;
    for (int i = 0; i < 6; ++i)
        bank.push_back({topic, {}, {}, QStringLiteral("Pytanie %1?").arg(i),
                        {QStringLiteral("tak %1").arg(i), QStringLiteral("nie"), QStringLiteral("może")}, i % 3});
    ASSERT_TRUE(exam::importQuestions(database, bank, &error));

    // The commission and the pass mark come with the course.
    nextExam.passMark = 50;
    nextExam.commission = QStringList{QStringLiteral("Anna Nowak"), QStringLiteral("Jan Kos")};
    trigger("QelNewCourse");
    const qint64 course = window->selectedCourse();
    EXPECT_EQ(examSettings(database, course).commission, nextExam.commission);
    trigger("QelAddParticipant");
    nextParticipant = testParticipants(2).back();
    trigger("QelAddParticipant");
    EXPECT_FALSE(window->command(QStringLiteral("QelExamResults"))->isEnabled()) << "no test yet";

    whenModalShows([](QWidget *form) {
        form->findChild<QSpinBox *>(QStringLiteral("QelTestQuestionCount"))->setValue(4);
        qobject_cast<QDialog *>(form)->accept();
    });
    std::deque<QString> paths{QStringLiteral("arkusze.pdf"), QStringLiteral("klucz.pdf"), QStringLiteral("znowu.pdf"),
                              QStringLiteral("klucz2.pdf"), QStringLiteral("protokol.pdf")};
    window->questions().savePath = [&](QWidget *, const QString &, const QString &) {
        const QString next = paths.front();
        paths.pop_front();
        return dir.file(next);
    };
    trigger("QelPrepareTest");
    const exam::ExamTest test = exam::examTest(database, course);
    ASSERT_EQ(test.variants.size(), 2u);
    ASSERT_EQ(test.questionCount(), 4);
    trigger("QelTestSheets");
    EXPECT_EQ(exam::examTest(database, course).drawNumber, test.drawNumber) << "printed again from the stored draw";
    for (const char *file : {"arkusze.pdf", "klucz.pdf", "znowu.pdf", "klucz2.pdf"})
        EXPECT_GT(readFile(dir.file(QLatin1String(file))).size(), 1000) << file;

    // The results form: a row of letters for one, the points alone for the other.
    QString allRight;
    for (const exam::SheetQuestion &q : test.variants[1])
        allRight += QChar(u'A' + q.right);
    whenModalShows([&](QWidget *form) {
        auto *table = form->findChild<QTableWidget *>(QStringLiteral("QelExamResultsTable"));
        table->item(0, 1)->setText(QStringLiteral("B"));
        table->item(0, 2)->setText(allRight.toLower());
        table->item(1, 3)->setText(QStringLiteral("1"));
        qobject_cast<QDialog *>(form)->accept();
    });
    trigger("QelExamResults");
    const std::vector<Participant> people = listParticipants(database, course);
    const auto passed = [&] {
        QString flags;
        for (const Participant &p : listParticipants(database, course))
            flags += p.passed ? u'1' : u'0';
        return flags;
    };
    ASSERT_EQ(examResults(database, course).size(), 2u) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(passed(), QStringLiteral("10"));
    // The result decides: the hand mark is refused for the one who failed.
    window->selectParticipant(listParticipants(database, course).back().id);
    trigger("QelTogglePassed");
    EXPECT_TRUE(messages.texts().last().contains(QStringLiteral("wynik egzaminu"))) << messages.texts().last().toStdString();
    EXPECT_EQ(passed(), QStringLiteral("10"));

    // A lower pass mark scores the stored results again; undo scores them back.
    nextExam.passMark = 25;
    trigger("QelEditCourse");
    EXPECT_EQ(passed(), QStringLiteral("11"));
    window->history().undo();
    EXPECT_EQ(passed(), QStringLiteral("10"));
    EXPECT_EQ(examSettings(database, course).passMark, 50);

    trigger("QelExamProtocol");
    EXPECT_TRUE(QFile::exists(dir.file("protokol.pdf")));
    EXPECT_TRUE(paths.empty());

    // Undo of a removal brings the exam back with the participant or the course.
    const auto examRows = [&] {
        QStringList rows{exam::examTest(database, course).drawNumber,
                         examSettings(database, course).commission.join(u';')};
        for (const ExamResult &r : examResults(database, course))
            rows << QStringLiteral("%1 %2 %3 %4").arg(r.participant).arg(r.letters).arg(r.points).arg(r.passed);
        return rows;
    };
    const QStringList before = examRows();
    window->selectParticipant(people[0].id);
    for (const char *command : {"QelRemoveParticipant", "QelDeleteCourse"}) {
        messages.answers = {true};
        trigger(command);
        EXPECT_NE(examRows(), before) << command;
        window->history().undo();
        EXPECT_EQ(examRows(), before) << command;
    }
}

TEST_F(CoursesWindowTest, AFailedReadIsToldAndTheLastRowsStay)
{
    trigger("QelNewCourse");
    trigger("QelAddParticipant");
    ASSERT_EQ(window->participantRows().size(), 1u);
    ASSERT_TRUE(database.write([](QSqlQuery &q, QString *) { return db::run(q, QStringLiteral("DROP TABLE exam_result")); }));
    const std::size_t told = messages.texts().size();
    window->reload();
    ASSERT_EQ(messages.texts().size(), told + 1);
    EXPECT_TRUE(messages.texts().last().contains(QStringLiteral("Nie udało się odczytać"))) << messages.texts().last().toStdString();
    EXPECT_EQ(window->participantRows().size(), 1u);
    EXPECT_GT(window->selectedCourse(), 0);
}

// Every change is on disk when the window shows it: a second connection, as
// marbelo-tool would open, reads the undone edit at once, also after a print.
TEST_F(CoursesWindowTest, UndoAfterAPrintIsOnDiskAtOnce)
{
    trigger("QelNewCourse");
    trigger("QelAddParticipant");
    const qint64 course = window->selectedCourse();
    messages.answers = {true, true};
    trigger("QelTogglePassed");
    trigger("QelIssueCertificates");
    window->selectParticipant(listParticipants(database, course).front().id);
    nextDocument = QStringLiteral("jeden.pdf");
    trigger("QelParticipantCertificate");
    const QString before = listParticipants(database, course).front().surname;
    nextParticipant.surname = before + QStringLiteral("-Nowak");
    trigger("QelEditParticipant");
    window->history().undo();
    db::Database other(db::Database::pathIn(dir.path()));
    ASSERT_TRUE(other.open());
    EXPECT_EQ(listParticipants(other, course).front().surname, before) << messages.texts().join(u'\n').toStdString();
    window->history().redo();
    EXPECT_EQ(listParticipants(other, course).front().surname, nextParticipant.surname);
}

// Issuing waits for the course's last day; then the date proposed (the last
// day) is the one the register keeps.
TEST_F(CoursesWindowTest, IssuingWaitsForTheLastDayAndKeepsTheDateProposed)
{
    QDate proposed;
    window->questions().issueDate = [&](QWidget *, QDate *date, const QDate &) {
        proposed = *date;
        return true;
    };
    window->questions().course = [](QWidget *, Course *c, const std::vector<Employer> &) {
        *c = testCourse(3);
        c->from = QDate::currentDate();
        c->to = c->from.addDays(1);
        return true;
    };
    trigger("QelNewCourse");
    trigger("QelAddParticipant");
    trigger("QelTogglePassed");
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), nullptr));
    trigger("QelIssueCertificates");
    EXPECT_FALSE(proposed.isValid()) << "nothing asked before the last day";
    EXPECT_TRUE(readRegister(database).empty());

    Course held = *window->courseRow();
    held.from = held.from.addDays(-3);
    held.to = held.to.addDays(-3);
    window->questions().course = [&](QWidget *, Course *c, const std::vector<Employer> &) {
        *c = held;
        return true;
    };
    trigger("QelEditCourse");
    messages.answers = {true};
    trigger("QelIssueCertificates");
    ASSERT_EQ(readRegister(database).size(), 1u) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(proposed, held.to);
    EXPECT_EQ(readRegister(database).front().issued, held.to);
}
