// The course database file as the program finds it at start: any bytes are
// either refused, and then left exactly as they were, or opened at the
// current schema version and read and written without a crash, employers
// and renewals included.

#include "FuzzSupport.h"

#include "courses/Courses.h"
#include "courses/Employers.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/Renewals.h"
#include "store/db/Database.h"
#include "store/db/Migrations.h"

#include <QFile>

using namespace marbelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = db::Database::pathIn(fuzz::workDir());
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    fuzz::inputFile(data, size, db::kDatabaseName);
    const QByteArray original = fuzz::readFile(path);

    db::Database database(path);
    QString error;
    if (!database.open(&error)) {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(database.state() != db::Database::State::Open);
        FUZZ_CHECK(fuzz::readFile(path) == original);
        return 0;
    }
    FUZZ_CHECK(database.schemaVersion() == db::currentSchemaVersion());
    for (const Course &course : listCourses(database)) {
        listParticipants(database, course.id);
        int issued = 0;
        if (!issueCertificates(database, fuzz::workDir(), course.id, QDate(2026, 3, 3), &issued, &error))
            FUZZ_CHECK(!error.isEmpty());
    }
    readRegister(database);
    listEmployers(database);
    // Whatever the rows say, every certificate shown is due on a real day.
    for (const Renewal &r : dueRenewals(readCertificateFacts(database, &error), QDate(2026, 3, 3), 1200))
        FUZZ_CHECK(r.due.isValid());
    return 0;
}
