// "Kursy..." through the main window: it opens the courses of the selected
// training; a damaged course database is reported at start, left as it was,
// and the rest of the window keeps working.

#include "courses/ui/CourseCommands.h"
#include "courses/ui/CoursesWindow.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"
#include "support/ui/MainWindowFixture.h"

#include <QAction>
#include <QTimer>

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
