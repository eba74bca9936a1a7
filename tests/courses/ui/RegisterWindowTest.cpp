// The register window's wiring: it lists the numbers of a training gone from
// the catalogue, saves the register, and cancels a number with its reason,
// which its form requires and the window then shows greyed.

#include "courses/CourseService.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/ui/CourseEditors.h"
#include "courses/ui/RegisterWindow.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(RegisterWindowTest, ListsSavesAndCancelsNumbersOfAGoneTraining)
{
    TempDataDir dir;
    db::Database database(db::Database::pathIn(dir.path()));
    ASSERT_TRUE(database.open());
    const auto training = appendTrainingRecord(dir.path(), {QStringLiteral("Okresowe biuro"), 5, 0});
    ASSERT_TRUE(training.has_value());
    QString error;
    Course held = testCourse(*training);
    const auto course = addCourse(database, held, &error);
    ASSERT_TRUE(course && addParticipants(database, *course, testParticipants(2), &error)) << error.toStdString();
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error)) << error.toStdString();
    int issued = 0;
    ASSERT_TRUE(issueCertificates(database, dir.path(), *course, held.to, &issued, &error)) << error.toStdString();
    ASSERT_TRUE(markTrainingDeleted(dir.path(), *training));

    CourseService service(database, dir.path());
    ScriptedMessages messages;
    RegisterWindow window(service, messages);
    ASSERT_EQ(window.entries().size(), 2u);
    EXPECT_EQ(window.entries()[0].trainingName, QStringLiteral("Okresowe biuro"));

    QString proposed;
    window.questions().savePath = [&](QWidget *, const QString &, const QString &name) {
        proposed = name;
        return dir.file("rejestr.csv");
    };
    window.findChild<QAction *>(QStringLiteral("QelSaveRegister"))->trigger();
    EXPECT_FALSE(proposed.isEmpty());
    EXPECT_TRUE(readFile(dir.file("rejestr.csv")).contains(window.entries()[1].number.toUtf8()));

    // The real reason form: confirming it empty is refused in the form, which stays open.
    QAction *cancel = window.findChild<QAction *>(QStringLiteral("QelCancelRegisterEntry"));
    EXPECT_FALSE(cancel->isEnabled()) << "no number selected";
    window.selectEntry(1);
    ASSERT_TRUE(cancel->isEnabled());
    window.questions().cancelReason = cancelReasonForm;
    bool stayedOpen = false;
    whenModalShows([&](QWidget *form) {
        auto *dialog = qobject_cast<QDialog *>(form);
        dialog->accept();
        stayedOpen = dialog->isVisible() && form->findChild<QLabel *>(QStringLiteral("QelFormProblem"))->isVisible();
        form->findChild<QLineEdit *>(QStringLiteral("QelCancelReason"))->setText(QStringLiteral("błędna data"));
        dialog->accept();
    });
    messages.answers = {true};
    cancel->trigger();
    EXPECT_TRUE(stayedOpen);
    const std::vector<RegisterEntry> stored = readRegister(database);
    EXPECT_FALSE(stored[0].cancelled);
    EXPECT_TRUE(stored[1].cancelled);
    EXPECT_EQ(stored[1].cancelReason, QStringLiteral("błędna data"));
    EXPECT_TRUE(window.entries()[1].cancelled) << "the window shows it at once";
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_EQ(registerProblem(database), QString());
}
