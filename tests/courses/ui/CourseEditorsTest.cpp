// The forms of the "Kursy" window keep what was typed when a rule refuses it:
// they stay open, say why and mark the field; corrected, they close with
// everything typed. The participant form offers the intervals of periodic
// training the training type allows, and no other.

#include "courses/ui/CourseEditors.h"
#include "support/CourseData.h"
#include "support/ui/Scripted.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <functional>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

struct FormCase
{
    const char *name;
    const char *field;    // the line edit typed into
    QString refused;      // what a rule refuses there
    QString accepted;     // what it takes
    std::function<bool(QString *kept)> open; // runs the form; *kept: the field's value in the record
};

class CourseEditorsTest : public ::testing::TestWithParam<FormCase>
{
};

TEST_P(CourseEditorsTest, ARefusedFieldKeepsTheFormOpenWithWhatWasTyped)
{
    const FormCase &c = GetParam();
    QString problem;
    bool marked = false;
    whenModalShows([&](QWidget *form) {
        auto *dialog = qobject_cast<QDialog *>(form);
        auto *edit = form->findChild<QLineEdit *>(QLatin1String(c.field));
        edit->setText(c.refused);
        dialog->accept();
        problem = form->findChild<QLabel *>(QStringLiteral("QelFormProblem"))->text();
        marked = dialog->isVisible() && !edit->styleSheet().isEmpty();
        edit->setText(c.accepted);
        dialog->accept();
    });
    QString kept;
    EXPECT_TRUE(c.open(&kept));
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_TRUE(marked);
    EXPECT_EQ(kept, c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CourseEditorsTest,
    ::testing::Values(
        FormCase{"CoursePlace", "QelCoursePlace", QString(), QStringLiteral("Sala A"),
                 [](QString *kept) {
                     Course course = testCourse();
                     const bool ok = editCourseForm(nullptr, &course, {});
                     *kept = course.place;
                     return ok;
                 }},
        FormCase{"SameParticipantTwice", "QelParticipantSurname", testParticipants(1).front().surname,
                 QStringLiteral("Inny"),
                 [](QString *kept) {
                     Participant p = testParticipants(1).front();
                     p.surname = QStringLiteral("x");
                     const bool ok = editParticipantForm(nullptr, &p, {testParticipants(1)});
                     *kept = p.surname;
                     return ok;
                 }},
        FormCase{"OrganiserNumberFormat", "QelOrganiserFormat", QStringLiteral("RRRR"), QStringLiteral("BHP/N/RRRR"),
                 [](QString *kept) {
                     Organiser o = testOrganiser();
                     const bool ok = editOrganiserForm(nullptr, &o);
                     *kept = o.numberFormat;
                     return ok;
                 }},
        FormCase{"EmployerNip", "QelEmployerNip", QStringLiteral("123-456-78-90"), QStringLiteral("123-456-78-83"),
                 [](QString *kept) {
                     Employer e;
                     e.name = QStringLiteral("Zakład Przykładowy");
                     const bool ok = editEmployerForm(nullptr, &e);
                     *kept = e.nip;
                     return ok;
                 }},
        FormCase{"CancelWithoutReason", "QelCancelReason", QStringLiteral("  "), QStringLiteral("literówka"),
                 [](QString *kept) {
                     *kept = cancelReasonForm(nullptr, QStringLiteral("BHP/1/2026"));
                     return !kept->isEmpty();
                 }}),
    [](const ::testing::TestParamInfo<FormCase> &info) { return std::string(info.param.name); });

TEST(ParticipantFormTest, OffersOnlyTheIntervalsOfTheTrainingType)
{
    // Manual posts every 3 years, or every year on an especially dangerous
    // one; managers every 5 years alone; office staff every 6, on other posts 5.
    const std::pair<int, std::vector<int>> cases[] = {{2, {0, 1}}, {1, {0}}, {5, {0, 5}}};
    for (const auto &[type, expected] : cases) {
        std::vector<int> offered;
        whenModalShows([&](QWidget *form) {
            auto *box = form->findChild<QComboBox *>(QStringLiteral("QelParticipantInterval"));
            for (int i = 0; i < box->count(); ++i)
                offered.push_back(box->itemData(i).toInt());
            box->setCurrentIndex(box->count() - 1);
            qobject_cast<QDialog *>(form)->accept();
        });
        Participant p = testParticipants(1).front();
        ParticipantChoices choices;
        choices.trainingType = type;
        EXPECT_TRUE(editParticipantForm(nullptr, &p, choices));
        EXPECT_EQ(offered, expected) << type;
        EXPECT_EQ(p.intervalYears, expected.back()) << type;
    }
}

} // namespace
