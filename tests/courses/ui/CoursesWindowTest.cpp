// The "Kursy" window's wiring: each command through its action, with the
// forms and questions scripted; undo of course and participant edits puts the
// database back exactly; issuing and cancelling are confirmed and not undone.

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/ui/CoursesWindow.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QAction>
#include <QFile>

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
        window = std::make_unique<CoursesWindow>(database, messages, dir.path(), 3, 2, QStringLiteral("Okresowe"));
        CoursesWindow::Questions &q = window->questions();
        q.course = [this](QWidget *, Course *c) {
            const qint64 id = c->id;
            *c = testCourse(3);
            c->id = id;
            c->place = nextPlace;
            return true;
        };
        q.participant = [this](QWidget *, Participant *p) {
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
        q.cancelReason = [](QWidget *) { return QStringLiteral("literówka w nazwisku"); };
        q.savePath = [this](QWidget *, const QString &) { return dir.file(nextDocument); };
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
    ScriptedMessages messages;
    std::unique_ptr<CoursesWindow> window;
    QString nextPlace = QStringLiteral("Sala A");
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
                                                               {"QelCourseCertificates", "kurs.pdf"},
                                                               {"QelCertificateRegister", "rejestr.csv"}};
    for (const auto &[command, file] : documents) {
        nextDocument = QLatin1String(file);
        trigger(command);
        EXPECT_TRUE(QFile::exists(dir.file(nextDocument))) << command;
    }
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
