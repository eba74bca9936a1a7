// The employers window's wiring: it opens from the "Kursy" window; an
// employer is added, corrected and removed, each undone and made again; the
// removal of one a course refers to is refused and told.

#include "courses/CourseService.h"
#include "courses/Employers.h"
#include "courses/ui/CoursesWindow.h"
#include "courses/ui/EmployersWindow.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QAction>
#include <QTimer>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class EmployersWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(database.open());
        // A course ordered by an employer, which therefore stays.
        Employer employer;
        employer.name = QStringLiteral("Zakład A");
        QString error;
        const auto added = service.addEmployer(employer, &error);
        ASSERT_TRUE(added) << error.toStdString();
        used = added->made;
        Course course = testCourse();
        course.employer = used;
        ASSERT_TRUE(service.addCourse(course, &error)) << error.toStdString();
    }

    // The employers' names as stored.
    QStringList stored()
    {
        QStringList names;
        for (const Employer &e : listEmployers(database))
            names << e.name;
        return names;
    }

    TempDataDir dir;
    db::Database database{db::Database::pathIn(dir.path())};
    CourseService service{database, dir.path()};
    ScriptedMessages messages;
    qint64 used = 0;
};

} // namespace

TEST_F(EmployersWindowTest, OpensFromTheKursyWindow)
{
    CoursesWindow courses(service, messages, 1);
    std::size_t listed = 0;
    QObject::connect(&courses, &CoursesWindow::employersOpened, [&](EmployersWindow *shown) {
        listed = shown->employers().size();
        QTimer::singleShot(0, shown, &QDialog::reject);
    });
    QAction *open = courses.command(QStringLiteral("QelEmployers"));
    ASSERT_TRUE(open && open->isEnabled());
    open->trigger();
    EXPECT_EQ(listed, 1u);
}

TEST_F(EmployersWindowTest, AddsCorrectsAndRemovesWithUndo)
{
    EmployersWindow window(service, messages);
    Employer typed;
    window.questions().employer = [&](QWidget *, Employer *e) {
        *e = typed;
        return true;
    };
    const auto trigger = [&](const char *name) {
        QAction *action = window.findChild<QAction *>(QLatin1String(name));
        ASSERT_TRUE(action && action->isEnabled()) << name;
        action->trigger();
    };
    typed.name = QStringLiteral("Piekarnia");
    trigger("QelNewEmployer");
    typed.name = QStringLiteral("Piekarnia Kłos");
    trigger("QelEditEmployer"); // the new one is selected
    EXPECT_EQ(stored(), QStringList({QStringLiteral("Piekarnia Kłos"), QStringLiteral("Zakład A")}));
    messages.answers = {true};
    trigger("QelRemoveEmployer");
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Zakład A")});
    window.history().undo();
    window.history().undo();
    EXPECT_EQ(stored(), QStringList({QStringLiteral("Piekarnia"), QStringLiteral("Zakład A")}));
    window.history().redo();
    window.history().redo();
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Zakład A")});

    // The course's employer stays, and the user is told why.
    window.selectEmployer(used);
    messages.answers = {true};
    const std::size_t told = messages.calls.size();
    trigger("QelRemoveEmployer");
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Zakład A")});
    ASSERT_EQ(messages.calls.size(), told + 2); // the question, then the refusal
    EXPECT_EQ(messages.calls.back().kind, QStringLiteral("information"));
}
