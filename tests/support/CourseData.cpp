#include "support/CourseData.h"

#include "store/db/Database.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <map>

using namespace marbelo;

namespace testing_support {

Organiser testOrganiser(bool restartYearly, const QString &format)
{
    return {QStringLiteral("Ośrodek Szkoleń Przykładowych"), QStringLiteral("ul. Zmyślona 1, 00-001 Wieś"),
            QStringLiteral("Wieś"), format, restartYearly};
}

QStringList allRows(db::Database &database)
{
    QStringList rows;
    for (const char *table : {"employer", "course", "exam", "exam_item", "participant", "exam_result"}) {
        QSqlQuery q = database.query();
        if (!db::run(q, QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(QLatin1String(table))))
            return {QStringLiteral("unreadable ") + QLatin1String(table)};
        while (q.next()) {
            QStringList cells{QLatin1String(table)};
            for (int i = 0; i < q.record().count(); ++i)
                cells << q.record().fieldName(i) + u'=' + (q.isNull(i) ? QStringLiteral("NULL") : q.value(i).toString());
            rows << cells.join(u'|');
        }
    }
    return rows;
}

Course testCourse(int training)
{
    Course c;
    c.training = training;
    c.from = QDate(2026, 3, 2);
    c.to = QDate(2026, 3, 3);
    c.place = QStringLiteral("Sala 2, ul. Zmyślona 1");
    c.trainers = QStringLiteral("Prowadzący Testowy");
    c.form = QStringLiteral("kurs");
    c.purpose = QStringLiteral("Cel szkolenia.");
    return c;
}

std::vector<Participant> testParticipants(int count, bool passed, int first)
{
    static const char16_t *const surnames[] = {u"Żabka", u"Łoś", u"Lis", u"Ćma", u"Cis", u"Sowa", u"Śliwa", u"Zając"};
    std::vector<Participant> list;
    for (int i = first; i < first + count; ++i) {
        Participant p;
        p.firstName = QStringLiteral("Osoba%1").arg(i);
        p.surname = QString::fromUtf16(surnames[i % 8]);
        p.birthDate = QDate(1970 + i % 30, 1 + i % 12, 1 + i % 28);
        p.birthPlace = QStringLiteral("Miasto%1").arg(i % 5);
        p.position = QStringLiteral("stanowisko %1").arg(i % 3);
        p.passed = passed;
        list.push_back(p);
    }
    return list;
}

QString registerProblem(db::Database &database, int *certificates)
{
    QSqlQuery q = database.query();
    if (!db::run(q, QStringLiteral("SELECT z.series, z.serial, z.number, z.participant, z.cancelled, p.id, p.passed"
                                   " FROM certificate z LEFT JOIN participant p ON z.participant = p.id"
                                   " ORDER BY z.series, z.serial")))
        return QStringLiteral("the register cannot be read");
    std::map<int, int> lastSerial;
    QSet<QString> numbers;
    QSet<qint64> holders;
    int count = 0;
    while (q.next()) {
        ++count;
        const int series = q.value(0).toInt();
        const int serial = q.value(1).toInt();
        if (serial != lastSerial[series] + 1)
            return QStringLiteral("series %1: %2 follows %3").arg(series).arg(serial).arg(lastSerial[series]);
        lastSerial[series] = serial;
        const QString number = q.value(2).toString();
        if (numbers.contains(number))
            return QStringLiteral("number %1 given twice").arg(number);
        numbers.insert(number);
        if (q.value(5).isNull() || !q.value(6).toBool())
            return QStringLiteral("number %1 belongs to no passed participant").arg(number);
        const qint64 holder = q.value(3).toLongLong();
        if (!q.value(4).toBool() && holders.contains(holder))
            return QStringLiteral("participant %1 holds two certificates in force").arg(holder);
        if (!q.value(4).toBool())
            holders.insert(holder);
    }
    // The counter's last number is the register's: the next issuing leaves no gap.
    if (!db::run(q, QStringLiteral("SELECT series, last_serial FROM register_counter")))
        return QStringLiteral("the register's counter cannot be read");
    while (q.next())
        if (q.value(1).toInt() != lastSerial[q.value(0).toInt()])
            return QStringLiteral("series %1: the counter is at %2, the register at %3")
                .arg(q.value(0).toInt())
                .arg(q.value(1).toInt())
                .arg(lastSerial[q.value(0).toInt()]);
    if (certificates)
        *certificates = count;
    return QString();
}

} // namespace testing_support
