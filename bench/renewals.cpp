// Times the renewals of a register of 10,000 certificates of 300 employers,
// all of them due or overdue: reading and counting them through the course
// service, opening the "Odnowienia" window on them, and writing the
// mail-merge CSV.
// Usage: bench_renewals [CERTIFICATES [EMPLOYERS]]

#include "courses/CourseService.h"
#include "courses/ui/RenewalsWindow.h"
#include "store/components/Messages.h"
#include "store/db/Database.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace marbelo;

namespace {

// Nothing is asked or told while timing.
class SilentMessages : public Messages
{
public:
    void inform(const QString &) override {}
    bool confirm(const QString &, DefaultAnswer) override { return true; }
};

// The register as years of issuing leave it, written in one transaction.
bool fill(db::Database &database, int certificates, int employers, QString *error)
{
    return database.write(
        [&](QSqlQuery &q, QString *) {
            for (int e = 1; e <= employers; ++e)
                if (!db::run(q, QStringLiteral("INSERT INTO employer (name, nip, contact, email) VALUES (?, '', ?, ?)"),
                             {QStringLiteral("Zakład Pracy nr %1 sp. z o.o.").arg(e), QStringLiteral("Kadry %1").arg(e),
                              QStringLiteral("kadry%1@example.pl").arg(e)}))
                    return false;
            const int perCourse = 100;
            for (int i = 0; i < certificates; ++i) {
                const qint64 course = 1 + i / perCourse;
                const QString end = QDate(2021, 1, 4).addDays(course * 7).toString(Qt::ISODate);
                if (i % perCourse == 0
                    && !db::run(q,
                                QStringLiteral("INSERT INTO course (id, training, date_from, date_to, place, trainers,"
                                               " form, purpose) VALUES (?, 0, ?, ?, 'Sala', '', '', '')"),
                                {course, end, end}))
                    return false;
                const QString first = QStringLiteral("Imię%1").arg(i);
                const QString surname = QStringLiteral("Łąkowski%1").arg(i % 977);
                if (!db::run(q,
                             QStringLiteral("INSERT INTO participant (id, course, first_name, surname, birth_date,"
                                            " birth_place, position, passed, employer) VALUES (?, ?, ?, ?,"
                                            " '1980-01-01', 'Poznań', 'operator', 1, ?)"),
                             {i + 1, course, first, surname, 1 + i % employers})
                    || !db::run(q,
                                QStringLiteral("INSERT INTO certificate (id, series, serial, number, participant, issued)"
                                               " VALUES (?, 0, ?, ?, ?, ?)"),
                                {i + 1, i + 1, QStringLiteral("%1/2023").arg(i + 1), i + 1, end})
                    || !db::run(q,
                                QStringLiteral("INSERT INTO certificate_text VALUES (?, ?, ?, '1980-01-01', 'Poznań',"
                                               " 'Okresowe', 2, '', '', ?, ?, 'Ośrodek', '', 'Poznań', '[]')"),
                                {i + 1, first, surname, end, end}))
                    return false;
            }
            return true;
        },
        error);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int certificates = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    const int employers = argc > 2 ? QByteArray(argv[2]).toInt() : 300;
    QTemporaryDir dir;
    const QString dataDir = dir.path() + QLatin1Char('/');
    db::Database database(db::Database::pathIn(dataDir));
    QString error;
    if (!database.open(&error) || !fill(database, certificates, employers, &error))
        return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
    CourseService service(database, dataDir);
    const QDate asOf(2026, 12, 10);

    QElapsedTimer timer;
    timer.start();
    std::vector<Renewal> due;
    if (!service.renewals(asOf, 3, &due, &error))
        return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
    const qint64 readMs = timer.elapsed();

    timer.restart();
    SilentMessages messages;
    RenewalsWindow window(service, messages);
    window.setPeriod(asOf, 3);
    window.show();
    app.processEvents();
    const qint64 windowMs = timer.elapsed();

    timer.restart();
    if (!service.saveRenewals(due, asOf, dir.filePath(QStringLiteral("odnowienia.csv")), &error))
        return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
    const qint64 csvMs = timer.elapsed();
    std::printf("%d certificates of %d employers, %zu due: read %lld ms, window open %lld ms, CSV %lld ms\n",
                certificates, employers, due.size(), static_cast<long long>(readMs),
                static_cast<long long>(windowMs), static_cast<long long>(csvMs));
    return 0;
}
