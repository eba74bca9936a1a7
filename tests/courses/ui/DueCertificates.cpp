#include "DueCertificates.h"

#include "courses/CourseService.h"
#include "store/Catalogue.h"
#include "store/db/Database.h"
#include "support/CourseData.h"

#include <gtest/gtest.h>

using namespace marbelo;

namespace testing_support {

namespace {

// A course of the training that ended on end, its people passed and certified that day.
void certify(CourseService &service, int training, const QDate &end, qint64 employer,
             const std::vector<Participant> &people)
{
    Course course = testCourse(training);
    course.from = end.addDays(-1);
    course.to = end;
    course.employer = employer;
    QString error;
    int issued = 0;
    const auto made = service.addCourse(course, &error);
    ASSERT_TRUE(made && service.addParticipants(made->made, people, QStringLiteral("Dodaj uczestnika"), &error)
                && service.issue(made->made, end, &issued, &error))
        << error.toStdString();
}

} // namespace

DueCertificates writeDueCertificates(const QString &dataDir)
{
    DueCertificates ids;
    ids.manual = appendTrainingRecord(dataDir, {QStringLiteral("Okresowe robotnicze"), 2, 0}).value_or(-1);
    ids.office = appendTrainingRecord(dataDir, {QStringLiteral("Okresowe biurowe"), 5, 0}).value_or(-1);
    db::Database database(db::Database::pathIn(dataDir));
    EXPECT_TRUE(database.open());
    CourseService service(database, dataDir);
    QString error;
    EXPECT_TRUE(service.saveOrganiser(testOrganiser(), &error)) << error.toStdString();
    Employer employer;
    employer.name = QStringLiteral("Zakład A");
    ids.employerA = service.addEmployer(employer, &error).value_or(RecordEdit{}).made;
    employer.name = QStringLiteral("Zakład B");
    ids.employerB = service.addEmployer(employer, &error).value_or(RecordEdit{}).made;
    // Issued in the order of their dates, as the register requires.
    const QDate today = QDate::currentDate();
    certify(service, ids.office, today.addYears(-6).addDays(10), 0, testParticipants(1, true, 0));
    certify(service, ids.manual, today.addYears(-3).addMonths(-1), ids.employerB, testParticipants(1, true, 1));
    certify(service, ids.manual, today.addYears(-3).addDays(20), ids.employerA, testParticipants(2, true, 2));
    return ids;
}

} // namespace testing_support
