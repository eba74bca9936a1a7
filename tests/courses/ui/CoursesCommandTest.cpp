// "Kursy..." through the main window: it opens the courses of the selected
// training; a damaged course database is reported at start, left as it was,
// and the rest of the window keeps working. A course made from the renewals,
// opened from the menu or from the "Kursy" window of another training, opens
// selected in the "Kursy" window of its own training, undoable there. The
// database is switched only to one that opens.

#include "DueCertificates.h"

#include "courses/Courses.h"
#include "courses/ui/CourseCommands.h"
#include "courses/ui/CoursesWindow.h"
#include "courses/ui/RenewalsWindow.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"
#include "support/Fixtures.h"
#include "support/ui/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class CoursesCommandTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Okresowe biuro"), 5, 0}).has_value());
    }

    // Makes a course of the first employer's people once the renewals show;
    // *preset gets the employer the course form starts with.
    static void makeCourseOfFirstGroup(RenewalsWindow *renewals, qint64 *preset)
    {
        renewals->questions().course = [preset](QWidget *, Course *course, const std::vector<Employer> &) {
            *preset = course->employer;
            course->place = QStringLiteral("Sala 1");
            return true;
        };
        QTimer::singleShot(0, renewals, [renewals] {
            QTreeView *tree = renewals->tree();
            tree->selectionModel()->select(tree->model()->index(0, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            renewals->command(QStringLiteral("QelCourseFromRenewals"))->trigger();
            if (renewals->isVisible()) // refused: the test fails rather than waits
                renewals->reject();
        });
    }

    std::size_t coursesOf(int training)
    {
        db::Database database(db::Database::pathIn(dir.path()));
        EXPECT_TRUE(database.open());
        return listCourses(database, training).size();
    }
};

} // namespace

TEST_F(CoursesCommandTest, OpensTheCoursesOfTheSelectedTraining)
{
    open();
    QAction *entry = window->entries(Command::Courses).mainMenu;
    ASSERT_NE(entry, nullptr);
    clickLine(trainingList(), 0);
    ASSERT_TRUE(entry->isEnabled());
    QString title;
    QObject::connect(&window->courses(), &CourseCommands::windowOpened, [&](CoursesWindow *courses) {
        title = courses->windowTitle();
        QTimer::singleShot(0, courses, &QDialog::reject);
    });
    entry->trigger();
    EXPECT_TRUE(title.contains(QStringLiteral("Okresowe biuro"))) << title.toStdString();
    EXPECT_TRUE(QFile::exists(db::Database::pathIn(dir.path())));
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(CoursesCommandTest, DamagedDatabaseIsReportedAtStartAndLeftAlone)
{
    const QByteArray damaged(6000, '\x13');
    writeFile(db::Database::pathIn(dir.path()), damaged);
    open();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.contains(QStringLiteral("uszkodzona")));
    clickLine(trainingList(), 0);
    bool opened = false;
    QObject::connect(&window->courses(), &CourseCommands::windowOpened, [&](CoursesWindow *) { opened = true; });
    window->entries(Command::Courses).mainMenu->trigger();
    EXPECT_FALSE(opened);
    EXPECT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(readFile(db::Database::pathIn(dir.path())), damaged);
    EXPECT_TRUE(window->entries(Command::RenameTraining).mainMenu->isEnabled()) << "the rest keeps working";
}

TEST_F(CoursesCommandTest, ACourseMadeFromTheRenewalsOpensSelectedInItsKursyWindow)
{
    const DueCertificates due = writeDueCertificates(dir.path());
    open();
    qint64 preset = 0;
    QObject::connect(&window->courses(), &CourseCommands::renewalsOpened,
                     [&](RenewalsWindow *renewals) { makeCourseOfFirstGroup(renewals, &preset); });
    QString title;
    qint64 selected = 0;
    std::size_t people = 0;
    std::size_t afterUndo = 0;
    QObject::connect(&window->courses(), &CourseCommands::windowOpened, [&](CoursesWindow *courses) {
        title = courses->windowTitle();
        selected = courses->selectedCourse();
        people = courses->participantRows().size();
        courses->history().undo();
        afterUndo = coursesOf(due.manual);
        QTimer::singleShot(0, courses, &QDialog::reject);
    });
    window->entries(Command::Renewals).mainMenu->trigger();
    EXPECT_EQ(preset, due.employerA) << "the employer all of them share";
    EXPECT_TRUE(title.contains(QStringLiteral("Okresowe robotnicze"))) << title.toStdString();
    EXPECT_GT(selected, 0);
    EXPECT_EQ(people, 2u);
    EXPECT_EQ(afterUndo, 2u) << "the undo takes the new course back";
    EXPECT_TRUE(messages.calls.empty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(CoursesCommandTest, ACourseOfAnotherTrainingOpensInItsOwnKursyWindow)
{
    const DueCertificates due = writeDueCertificates(dir.path());
    open();
    clickLine(trainingList(), int(listTexts(trainingList()).indexOf(QStringLiteral("Okresowe biurowe"))));
    qint64 preset = 0;
    QStringList titles;
    qint64 selected = 0;
    QObject::connect(&window->courses(), &CourseCommands::windowOpened, [&](CoursesWindow *courses) {
        titles << courses->windowTitle();
        if (titles.size() > 1) {
            selected = courses->selectedCourse();
            QTimer::singleShot(0, courses, &QDialog::reject);
            return;
        }
        QObject::connect(courses, &CoursesWindow::renewalsOpened,
                         [&](RenewalsWindow *renewals) { makeCourseOfFirstGroup(renewals, &preset); });
        QTimer::singleShot(0, courses, [courses] {
            courses->command(QStringLiteral("QelCourseRenewals"))->trigger();
            courses->reject();
        });
    });
    window->entries(Command::Courses).mainMenu->trigger();
    ASSERT_EQ(titles.size(), 2);
    EXPECT_TRUE(titles[0].contains(QStringLiteral("Okresowe biurowe"))) << titles[0].toStdString();
    EXPECT_TRUE(titles[1].contains(QStringLiteral("Okresowe robotnicze"))) << titles[1].toStdString();
    EXPECT_GT(selected, 0);
    EXPECT_EQ(coursesOf(due.manual), 3u);
}

// "Baza danych...": a server that does not answer leaves the choice as it
// was and says why; the file chosen again is in use at once.
TEST_F(CoursesCommandTest, ChoosingTheDatabaseSwitchesOnlyToOneThatOpens)
{
    open();
    const auto fillForm = [](int kind, const QString &host) {
        QTimer::singleShot(0, [kind, host] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QComboBox *>(QStringLiteral("QelDatabaseKind"))->setCurrentIndex(kind);
            dialog->findChild<QLineEdit *>(QStringLiteral("QelDatabaseHost"))->setText(host);
            dialog->findChild<QSpinBox *>(QStringLiteral("QelDatabasePort"))->setValue(1);
            dialog->findChild<QLineEdit *>(QStringLiteral("QelDatabaseName"))->setText(QStringLiteral("firma"));
            dialog->findChild<QLineEdit *>(QStringLiteral("QelDatabaseUser"))->setText(QStringLiteral("trener"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    QAction *entry = window->entries(Command::ChooseDatabase).mainMenu;
    ASSERT_NE(entry, nullptr);
    fillForm(1, QStringLiteral("127.0.0.1"));
    entry->trigger();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.contains(QStringLiteral("nie został zmieniony"))) << messages.calls[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file(db::kLocationFileName)));

    writeFile(dir.file(db::kLocationFileName), "postgresql://trener@127.0.0.1:1/firma\n");
    fillForm(0, QString());
    entry->trigger();
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_FALSE(QFile::exists(dir.file(db::kLocationFileName)));
    EXPECT_TRUE(QFile::exists(db::Database::pathIn(dir.path())));
}
