// Times reading a participants' CSV of 10,000 rows (UTF-8 with BOM, ";") and
// storing them in a course of a fresh database in one transaction.
// Usage: bench_csv_import [ROWS]

#include "courses/Courses.h"
#include "courses/ParticipantCsv.h"
#include "courses/Participants.h"
#include "store/db/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace marbelo;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    QByteArray bytes = QStringLiteral("\uFEFFImię;Nazwisko;Data urodzenia;Miejsce urodzenia;Stanowisko\n").toUtf8();
    for (int i = 0; i < rows; ++i)
        bytes += QStringLiteral("Imię%1;Łąkowski;%2.06.1985;Poznań;operator\n").arg(i).arg(1 + i % 28).toUtf8();

    QElapsedTimer timer;
    timer.start();
    const ParticipantCsv csv = readParticipantCsv(bytes);
    const qint64 readMs = timer.elapsed();

    QTemporaryDir dir;
    db::Database database(db::Database::pathIn(dir.path() + QLatin1Char('/')));
    QString error;
    if (!database.open(&error))
        return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
    Course course;
    course.training = 1;
    course.from = course.to = QDate(2026, 3, 2);
    course.place = QStringLiteral("Sala");
    const auto id = addCourse(database, course, &error);
    timer.restart();
    const bool stored = id && addParticipants(database, *id, csv.participants, &error).has_value();
    const qint64 storeMs = timer.elapsed();
    std::printf("rows %d (%lld KB): read %zu in %lld ms, stored %s in %lld ms\n", rows,
                static_cast<long long>(bytes.size() / 1024), csv.participants.size(), static_cast<long long>(readMs),
                stored ? "all" : "none", static_cast<long long>(storeMs));
    return stored ? 0 : 1;
}
