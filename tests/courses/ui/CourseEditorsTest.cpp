// The forms of the "Kursy" window keep what was typed when a rule refuses it:
// they stay open, say why and mark the field; corrected, they close with
// everything typed.

#include "courses/ui/CourseEditors.h"
#include "support/CourseData.h"
#include "support/ui/Scripted.h"

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
                     const bool ok = editCourseForm(nullptr, &course);
                     *kept = course.place;
                     return ok;
                 }},
        FormCase{"SameParticipantTwice", "QelParticipantSurname", testParticipants(1).front().surname,
                 QStringLiteral("Inny"),
                 [](QString *kept) {
                     Participant p = testParticipants(1).front();
                     p.surname = QStringLiteral("x");
                     const bool ok = editParticipantForm(nullptr, &p, testParticipants(1));
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
        FormCase{"CancelWithoutReason", "QelCancelReason", QStringLiteral("  "), QStringLiteral("literówka"),
                 [](QString *kept) {
                     *kept = cancelReasonForm(nullptr, QStringLiteral("BHP/1/2026"));
                     return !kept->isEmpty();
                 }}),
    [](const ::testing::TestParamInfo<FormCase> &info) { return std::string(info.param.name); });

} // namespace
