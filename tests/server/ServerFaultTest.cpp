// The server's side of the fault matrix: the connection lost at every
// statement of an issuing transaction. A trigger on the register's tables
// ends its own session at the chosen row; the program must report the
// failure and leave the register as it was, and its next writing (or reading)
// takes a new connection.

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "store/db/Database.h"
#include "support/CourseData.h"
#include "support/FaultMatrix.h"
#include "support/Fixtures.h"
#include "support/ServerBackEnd.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(ServerFaultTest, ConnectionLostAtEveryStatementOfAnIssuing)
{
    constexpr int kPeople = 30;
    db::DatabaseLocation location;
    ASSERT_TRUE(db::DatabaseLocation::fromUrl(freshServerDatabase(), &location, nullptr));
    db::Database database(location);
    QString error;
    ASSERT_TRUE(database.open(&error)) << error.toStdString();
    ASSERT_TRUE(saveOrganiser(database, testOrganiser(), &error));
    const qint64 course = addCourse(database, testCourse(0), &error).value_or(0);
    ASSERT_TRUE(addParticipants(database, course, testParticipants(kPeople), &error));
    {
        QSqlQuery q = database.query();
        for (const char *sql : {
                 "CREATE TABLE fault_plan (after INTEGER NOT NULL)",
                 "CREATE SEQUENCE fault_steps",
                 "CREATE FUNCTION fault() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN"
                 " IF nextval('fault_steps') = (SELECT after FROM fault_plan) THEN"
                 " PERFORM pg_terminate_backend(pg_backend_pid()); PERFORM pg_sleep(5); END IF;"
                 " RETURN NEW; END $$",
                 "CREATE TRIGGER fault_counter BEFORE INSERT OR UPDATE ON register_counter"
                 " FOR EACH ROW EXECUTE FUNCTION fault()",
                 "CREATE TRIGGER fault_certificate BEFORE INSERT ON certificate FOR EACH ROW EXECUTE FUNCTION fault()",
                 "CREATE TRIGGER fault_text BEFORE INSERT ON certificate_text FOR EACH ROW EXECUTE FUNCTION fault()",
             })
            ASSERT_TRUE(db::run(q, QString::fromLatin1(sql))) << sql;
    }
    FaultRow row;
    row.writer = QStringLiteral("course database on the server: issuing 30 certificates, the connection lost");
    for (int after = 1;; ++after) {
        // Planned through a connection of its own: the program's may have just been lost.
        db::Database planner(location);
        ASSERT_TRUE(planner.open(&error)) << error.toStdString();
        QSqlQuery q = planner.query();
        ASSERT_TRUE(db::run(q, QStringLiteral("DELETE FROM fault_plan")));
        ASSERT_TRUE(db::run(q, QStringLiteral("SELECT setval('fault_steps', 1, false)")));
        ASSERT_TRUE(db::run(q, QStringLiteral("INSERT INTO fault_plan VALUES (%1)").arg(after)));
        int issued = 0;
        error.clear();
        const bool reported = issueCertificates(database, QString(), course, QDate(2026, 3, 3), &issued, &error);
        ++row.points;
        int certificates = -1;
        const QString problem = registerProblem(planner, &certificates);
        if (!problem.isEmpty())
            row.defects << QStringLiteral("after %1: %2").arg(after).arg(problem);
        else if (reported && issued == kPeople && certificates == kPeople)
            ++row.whole;
        else if (!reported && !error.isEmpty() && certificates == 0)
            ++row.refused;
        else
            row.defects << QStringLiteral("after %1: reported %2, %3 in the register").arg(after).arg(reported).arg(certificates);
        if (reported)
            break;
        ASSERT_LT(after, 10 * kPeople) << "issuing never succeeded";
    }
    // A reading after the server ended the session (a restart, a network gone
    // and back) takes a new connection; the register reads whole.
    {
        db::Database other(location);
        ASSERT_TRUE(other.open(&error));
        QSqlQuery q = other.query();
        ASSERT_TRUE(db::run(q, QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                                              " WHERE application_name = 'marbelo' AND pid <> pg_backend_pid()")));
        EXPECT_EQ(readRegister(database, 0, &error).size(), static_cast<size_t>(kPeople)) << error.toStdString();
    }
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    // Per certificate the counter row is made sure of and advanced, and two rows inserted.
    EXPECT_EQ(row.refused, 4 * kPeople);
}
