// The "Odnowienia" window's wiring: people due grouped by employer and sorted
// within their groups; the letters and the CSV written for the people chosen
// (a refusal told); people of two trainings refused a common course.

#include "DueCertificates.h"

#include "courses/CourseService.h"
#include "courses/ui/RenewalTree.h"
#include "courses/ui/RenewalsWindow.h"
#include "store/db/Database.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class RenewalsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(database.open());
        window = std::make_unique<RenewalsWindow>(service, messages);
        window->questions().savePath = [this](QWidget *, const QString &, const QString &) { return dir.file(next); };
    }

    void trigger(const char *objectName)
    {
        QAction *action = window->command(QLatin1String(objectName));
        ASSERT_NE(action, nullptr) << objectName;
        ASSERT_TRUE(action->isEnabled()) << objectName;
        action->trigger();
    }
    // The row of an employer's group, or of a person under it, as shown.
    QModelIndex shown(int group, int person = -1) const
    {
        const QAbstractItemModel *model = window->tree()->model();
        const QModelIndex row = model->index(group, 0);
        return person < 0 ? row : model->index(person, RenewalTree::Name, row);
    }
    void select(int group)
    {
        window->tree()->selectionModel()->select(shown(group), QItemSelectionModel::ClearAndSelect
                                                                   | QItemSelectionModel::Rows);
    }

    TempDataDir dir;
    DueCertificates due = writeDueCertificates(dir.path());
    db::Database database{db::Database::pathIn(dir.path())};
    CourseService service{database, dir.path()};
    ScriptedMessages messages;
    std::unique_ptr<RenewalsWindow> window;
    QString next;
};

} // namespace

TEST_F(RenewalsWindowTest, GroupsByEmployerAndSortsWithinTheGroups)
{
    const std::vector<RenewalGroup> &groups = window->model().groups();
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].employer.id, due.employerA);
    EXPECT_EQ(groups[1].employer.id, due.employerB);
    EXPECT_EQ(groups[1].overdue, 1);
    EXPECT_EQ(groups[2].employer.id, 0) << "the people without an employer last";
    EXPECT_EQ(groups[2].people.size(), 1u);

    // A's two share their due date: by name ("Ćma" before "Lis"), then reversed; the groups stay.
    window->tree()->sortByColumn(RenewalTree::Name, Qt::AscendingOrder);
    EXPECT_TRUE(shown(0, 0).data().toString().startsWith(QStringLiteral("Ćma")));
    window->tree()->sortByColumn(RenewalTree::Name, Qt::DescendingOrder);
    EXPECT_TRUE(shown(0, 0).data().toString().startsWith(QStringLiteral("Lis")));
    EXPECT_TRUE(shown(0).data().toString().startsWith(QStringLiteral("Zakład A")));
    EXPECT_EQ(window->tree()->model()->rowCount(shown(2)), 1);
}

TEST_F(RenewalsWindowTest, WritesTheLettersAndTheCsvOfThoseChosen)
{
    // Nothing selected: everyone shown; the CSV's name gets its ending.
    next = QStringLiteral("odnowienia");
    trigger("QelRenewalsCsv");
    const QString csv = QString::fromUtf8(readFile(dir.file("odnowienia.csv")));
    for (const char16_t *surname : {u"Żabka", u"Łoś", u"Lis", u"Ćma"})
        EXPECT_TRUE(csv.contains(QString::fromUtf16(surname))) << csv.toStdString();

    select(1);
    next = QStringLiteral("wykaz.pdf");
    trigger("QelRenewalLetters");
    EXPECT_TRUE(readFile(dir.file("wykaz.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(messages.calls.empty());

    // The people without an employer have no one to write to: the service says so.
    select(2);
    next = QStringLiteral("nikt.pdf");
    trigger("QelRenewalLetters");
    EXPECT_FALSE(fileExists(dir.file("nikt.pdf")));
    EXPECT_EQ(messages.calls.size(), 1u);
}

TEST_F(RenewalsWindowTest, PeopleOfTwoTrainingsAreRefusedACourse)
{
    bool asked = false;
    window->questions().course = [&](QWidget *, Course *, const std::vector<Employer> &) { return asked = true; };
    window->tree()->selectAll();
    trigger("QelCourseFromRenewals");
    EXPECT_FALSE(asked);
    EXPECT_EQ(messages.calls.size(), 1u);
    EXPECT_FALSE(window->takeMadeCourse().has_value());
    std::vector<Course> courses;
    QString error;
    ASSERT_TRUE(service.courses(due.manual, &courses, &error));
    EXPECT_EQ(courses.size(), 2u);
}
