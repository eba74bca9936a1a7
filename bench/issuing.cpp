// Times issuing 1,000 certificates on the data folder's file or on a server:
// one course of 1,000 people issued in one transaction, then 1,000 courses of
// one person each issued one after the other (a transaction each, as
// trainers issue). On a server the tables live in a schema of their own,
// dropped at the end.
// Usage: bench_issuing file|postgresql://USER@HOST:PORT/DB [CERTIFICATES]

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "store/db/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace marbelo;

namespace {

std::vector<Participant> people(int count, int first)
{
    std::vector<Participant> list;
    for (int i = 0; i < count; ++i) {
        Participant p;
        p.firstName = QStringLiteral("Osoba");
        p.surname = QStringLiteral("Nazwisko%1").arg(first + i, 5, 10, QLatin1Char('0'));
        p.birthDate = QDate(1980, 1, 1 + i % 28);
        p.birthPlace = QStringLiteral("Łódź");
        p.passed = true;
        list.push_back(p);
    }
    return list;
}

Course course(int day)
{
    Course c;
    c.training = 0;
    c.from = c.to = QDate(2026, 1, 1).addDays(day % 300);
    c.place = QStringLiteral("Sala");
    return c;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const int count = args.size() > 2 ? args[2].toInt() : 1000;
    QTemporaryDir dir;
    db::DatabaseLocation location = db::DatabaseLocation::file(dir.filePath(db::kDatabaseName));
    QString error;
    if (args[1] != QLatin1String("file")) {
        if (!db::DatabaseLocation::fromUrl(args[1], &location, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        location.schema = QStringLiteral("bench_%1").arg(QCoreApplication::applicationPid());
    }
    int result = 0;
    {
        db::Database database(location);
        if (!database.open(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        Organiser organiser;
        organiser.name = QStringLiteral("Ośrodek");
        organiser.address = QStringLiteral("ul. Polna 1");
        organiser.place = QStringLiteral("Wieś");
        std::vector<qint64> singles;
        const auto big = addCourse(database, course(0), &error);
        bool ok = saveOrganiser(database, organiser, &error) && big
                  && addParticipants(database, *big, people(count, 0), &error).has_value();
        for (int i = 0; ok && i < count; ++i) {
            const auto single = addCourse(database, course(i), &error);
            ok = single && addParticipants(database, *single, people(1, count + i), &error).has_value();
            singles.push_back(single.value_or(0));
        }
        QElapsedTimer timer;
        timer.start();
        int issued = 0;
        ok = ok && issueCertificates(database, dir.path() + QLatin1Char('/'), *big, QDate(2026, 11, 30), &issued, &error);
        const qint64 together = timer.elapsed();
        timer.restart();
        for (const qint64 single : singles) {
            int one = 0;
            ok = ok && issueCertificates(database, dir.path() + QLatin1Char('/'), single, QDate(2026, 11, 30), &one, &error);
        }
        const qint64 apart = timer.elapsed();
        if (!ok) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            result = 1;
        } else {
            std::printf("%s: %d certificates in one transaction %lld ms, one per transaction %lld ms\n",
                        database.isServer() ? "server" : "file", count, static_cast<long long>(together),
                        static_cast<long long>(apart));
        }
        if (database.isServer()) {
            QSqlQuery q = database.query();
            db::run(q, QStringLiteral("SET client_min_messages = warning"));
            db::run(q, QStringLiteral("DROP SCHEMA %1 CASCADE").arg(location.schema));
        }
    }
    return result;
}
