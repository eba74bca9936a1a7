// The course database at opening: created owner-only, in WAL mode with
// foreign keys on, at the current schema version; a damaged or newer file is
// refused and left byte for byte as it was.

#include "store/db/Database.h"
#include "store/db/Migrations.h"
#include "support/Fixtures.h"

#include <QFile>
#include <QSqlQuery>
#include <QVariant>

#include <gtest/gtest.h>

#include <functional>

using namespace marbelo;
using namespace marbelo::db;
using namespace testing_support;

namespace {

QVariant pragma(Database &database, const QString &name)
{
    QSqlQuery q = database.query();
    return run(q, QStringLiteral("PRAGMA ") + name) && q.next() ? q.value(0) : QVariant();
}

// A database file of the current schema holding some rows, closed; in the
// rollback-journal mode when asked (as a file from elsewhere may be).
void makeFilledDatabase(const QString &path, int userVersion = -1, bool rollbackJournal = false)
{
    Database database(path);
    ASSERT_TRUE(database.open());
    ASSERT_TRUE(database.write([](QSqlQuery &q, QString *) {
        for (int i = 0; i < 200; ++i)
            if (!run(q, QStringLiteral("INSERT INTO course (training, date_from, date_to, place, trainers, form, purpose)"
                                       " VALUES (1, '2026-01-01', '2026-01-02', ?, '', '', '')"),
                     {QString(100, QLatin1Char('a' + i % 26))}))
                return false;
        return true;
    }));
    if (userVersion >= 0) {
        ASSERT_TRUE(database.write([&](QSqlQuery &q, QString *) {
            return run(q, QStringLiteral("PRAGMA user_version = %1").arg(userVersion));
        }));
    }
    QSqlQuery q = database.query();
    ASSERT_TRUE(run(q, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    if (rollbackJournal) {
        ASSERT_TRUE(run(q, QStringLiteral("PRAGMA journal_mode = DELETE")));
    }
}

struct OpenCase
{
    const char *name;
    std::function<void(const QString &path)> prepare;
    Database::State state;
};

class DatabaseOpenTest : public ::testing::TestWithParam<OpenCase>
{
};

} // namespace

TEST_P(DatabaseOpenTest, OpensSoundFilesAndLeavesOthersUntouched)
{
    TempDataDir dir;
    const QString path = Database::pathIn(dir.path());
    GetParam().prepare(path);
    const bool existed = QFile::exists(path);
    const QByteArray before = existed ? readFile(path) : QByteArray();

    Database database(path);
    QString error;
    const bool opened = database.open(&error);
    EXPECT_EQ(database.state(), GetParam().state) << error.toStdString();
    if (GetParam().state != Database::State::Open) {
        EXPECT_FALSE(opened);
        EXPECT_TRUE(error.contains(QStringLiteral("Baza kursów"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("pozostała część programu działa")));
        EXPECT_EQ(readFile(path), before);
        return;
    }
    ASSERT_TRUE(opened);
    EXPECT_EQ(database.schemaVersion(), currentSchemaVersion());
    EXPECT_EQ(pragma(database, QStringLiteral("journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ(pragma(database, QStringLiteral("foreign_keys")).toInt(), 1);
#ifndef Q_OS_WIN
    const QFile::Permissions rights = QFile::permissions(path);
    EXPECT_TRUE(rights.testFlags(QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_FALSE(rights & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
#endif
}

INSTANTIATE_TEST_SUITE_P(
    States, DatabaseOpenTest,
    ::testing::Values(
        OpenCase{"Missing", [](const QString &) {}, Database::State::Open},
        OpenCase{"EmptyFile", [](const QString &p) { writeFile(p, {}); }, Database::State::Open},
        OpenCase{"WorldReadableFile",
                 [](const QString &p) {
                     makeFilledDatabase(p);
                     QFile::setPermissions(p, QFile::permissions(p) | QFile::ReadOther | QFile::ReadGroup);
                 },
                 Database::State::Open},
        OpenCase{"NotADatabase", [](const QString &p) { writeFile(p, QByteArray(9000, 'x')); },
                 Database::State::Damaged},
        OpenCase{"HeaderOnly",
                 [](const QString &p) {
                     makeFilledDatabase(p);
                     writeFile(p, readFile(p).left(100));
                 },
                 Database::State::Damaged},
        OpenCase{"PagesOverwritten",
                 [](const QString &p) {
                     makeFilledDatabase(p);
                     QByteArray bytes = readFile(p);
                     bytes.replace(4096, 8192, QByteArray(8192, '\x5a'));
                     writeFile(p, bytes);
                 },
                 Database::State::Damaged},
        // Its tables say the current schema, its number an older one: the
        // migration fails, and the file keeps its journal mode and every byte.
        OpenCase{"MigrationFails", [](const QString &p) { makeFilledDatabase(p, 1, true); }, Database::State::Failed},
        OpenCase{"NewerVersion",
                 [](const QString &p) { makeFilledDatabase(p, currentSchemaVersion() + 1); },
                 Database::State::TooNew}),
    [](const ::testing::TestParamInfo<OpenCase> &info) { return std::string(info.param.name); });

TEST(DatabaseWriteTest, RefusedOrFailedChangeLeavesNothing)
{
    TempDataDir dir;
    Database database(Database::pathIn(dir.path()));
    ASSERT_TRUE(database.open());
    const auto count = [&] {
        QSqlQuery q = database.query();
        return run(q, QStringLiteral("SELECT COUNT(*) FROM course")) && q.next() ? q.value(0).toInt() : -1;
    };
    const QString insert = QStringLiteral("INSERT INTO course (training, date_from, date_to, place, trainers, form,"
                                          " purpose) VALUES (1, '2026-01-01', '2026-01-01', 'X', '', '', '')");
    QString error;
    EXPECT_FALSE(database.write(
        [&](QSqlQuery &q, QString *refusal) {
            run(q, insert);
            *refusal = QStringLiteral("odmowa");
            return false;
        },
        &error));
    EXPECT_EQ(error, QStringLiteral("odmowa"));
    // A statement failing half-way (a participant of no course) takes the first one back.
    EXPECT_FALSE(database.write(
        [&](QSqlQuery &q, QString *) {
            return run(q, insert)
                   && run(q, QStringLiteral("INSERT INTO participant (course, first_name, surname, birth_date,"
                                            " birth_place, position, passed) VALUES (999, 'a', 'b', '', '', '', 0)"));
        },
        &error));
    EXPECT_TRUE(error.contains(QStringLiteral("baza pozostaje bez zmian"))) << error.toStdString();
    EXPECT_EQ(count(), 0);
    EXPECT_TRUE(database.write([&](QSqlQuery &q, QString *) { return run(q, insert); }));
    EXPECT_EQ(count(), 1);
}
