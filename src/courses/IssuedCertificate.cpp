#include "courses/IssuedCertificate.h"

#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "store/DataFiles.h"
#include "store/db/Database.h"
#include "trainings/OutlineTree.h"
#include "trainings/TrainingInfo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>

namespace marbelo {

namespace {

// The programme as stored: a row each, then the total.
QString programmeJson(const std::vector<ProgrammeRow> &rows, const PlannedHours &total)
{
    QJsonArray array;
    for (const ProgrammeRow &row : rows)
        array.append(QJsonObject{{QStringLiteral("number"), row.number},
                                 {QStringLiteral("level"), row.level},
                                 {QStringLiteral("name"), row.name},
                                 {QStringLiteral("theory"), row.hours.theory},
                                 {QStringLiteral("exercises"), row.hours.exercises},
                                 {QStringLiteral("counts"), row.counts}});
    const QJsonObject document{{QStringLiteral("rows"), array},
                               {QStringLiteral("theory"), total.theory},
                               {QStringLiteral("exercises"), total.exercises}};
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Compact));
}

void readProgramme(const QString &json, IssuedCertificate *c)
{
    const QJsonObject document = QJsonDocument::fromJson(json.toUtf8()).object();
    for (const QJsonValue &value : document.value(QStringLiteral("rows")).toArray()) {
        const QJsonObject row = value.toObject();
        ProgrammeRow programmeRow;
        programmeRow.number = row.value(QStringLiteral("number")).toString();
        programmeRow.level = row.value(QStringLiteral("level")).toInt();
        programmeRow.name = row.value(QStringLiteral("name")).toString();
        programmeRow.hours = {row.value(QStringLiteral("theory")).toInt(), row.value(QStringLiteral("exercises")).toInt()};
        programmeRow.counts = row.value(QStringLiteral("counts")).toBool(true);
        c->programme.push_back(programmeRow);
    }
    c->total = {document.value(QStringLiteral("theory")).toInt(), document.value(QStringLiteral("exercises")).toInt()};
}

QString isoDate(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate fromIso(const QVariant &value)
{
    return QDate::fromString(value.toString(), Qt::ISODate);
}

} // namespace

IssuedCertificate certificateText(const QString &dataDir, const Organiser &organiser, const Course &course,
                                  const Participant &participant, const QString &number, const QDate &issued)
{
    const TrainingInfo training = trainingInfo(dataDir, course.training);
    const OutlineTree outline = OutlineTree::load(dataDir + outlineFileName(course.training));
    IssuedCertificate c;
    c.participant = participant.id;
    c.number = number;
    c.issued = issued;
    c.firstName = participant.firstName;
    c.surname = participant.surname;
    c.birthDate = participant.birthDate;
    c.birthPlace = participant.birthPlace;
    c.trainingName = training.shownName();
    c.trainingType = training.type;
    c.form = course.form;
    c.purpose = course.purpose;
    c.from = course.from;
    c.to = course.to;
    c.organiserName = organiser.name;
    c.organiserAddress = organiser.address;
    c.place = organiser.place;
    c.programme = programmeRows(outline);
    c.total = programmeTotal(outline);
    return c;
}

bool storeCertificateText(QSqlQuery &q, qint64 certificate, const IssuedCertificate &c)
{
    return db::run(q,
                   QStringLiteral("INSERT INTO certificate_text (certificate, first_name, surname, birth_date,"
                                  " birth_place, training_name, training_type, form, purpose, date_from, date_to,"
                                  " organiser_name, organiser_address, place, programme)"
                                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
                                  // Two programs filling in old certificates at once store one text.
                                  " ON CONFLICT (certificate) DO NOTHING"),
                   {certificate, db::text(c.firstName), db::text(c.surname), isoDate(c.birthDate),
                    db::text(c.birthPlace), db::text(c.trainingName), c.trainingType, db::text(c.form),
                    db::text(c.purpose), isoDate(c.from), isoDate(c.to), db::text(c.organiserName),
                    db::text(c.organiserAddress), db::text(c.place), programmeJson(c.programme, c.total)});
}

std::vector<IssuedCertificate> issuedCertificates(db::Database &database, qint64 course, QString *error)
{
    std::vector<IssuedCertificate> list;
    QSqlQuery q = database.query();
    if (!database.read(q,
                       QStringLiteral("SELECT z.id, z.participant, z.number, z.issued, z.cancelled, z.cancel_reason,"
                                      " t.first_name, t.surname, t.birth_date, t.birth_place, t.training_name,"
                                      " t.training_type, t.form, t.purpose, t.date_from, t.date_to, t.organiser_name,"
                                      " t.organiser_address, t.place, t.programme FROM certificate z"
                                      " JOIN certificate_text t ON t.certificate = z.id"
                                      " JOIN participant p ON p.id = z.participant")
                           + (course > 0 ? QStringLiteral(" WHERE p.course = ?") : QString())
                           + QStringLiteral(" ORDER BY z.series, z.serial"),
                       course > 0 ? QVariantList{course} : QVariantList{}, error))
        return list;
    while (q.next()) {
        IssuedCertificate c;
        c.id = q.value(0).toLongLong();
        c.participant = q.value(1).toLongLong();
        c.number = q.value(2).toString();
        c.issued = fromIso(q.value(3));
        c.cancelled = q.value(4).toBool();
        c.cancelReason = q.value(5).toString();
        c.firstName = q.value(6).toString();
        c.surname = q.value(7).toString();
        c.birthDate = fromIso(q.value(8));
        c.birthPlace = q.value(9).toString();
        c.trainingName = q.value(10).toString();
        c.trainingType = q.value(11).toInt();
        c.form = q.value(12).toString();
        c.purpose = q.value(13).toString();
        c.from = fromIso(q.value(14));
        c.to = fromIso(q.value(15));
        c.organiserName = q.value(16).toString();
        c.organiserAddress = q.value(17).toString();
        c.place = q.value(18).toString();
        readProgramme(q.value(19).toString(), &c);
        list.push_back(c);
    }
    return list;
}

bool storeMissingCertificateTexts(db::Database &database, const QString &dataDir, QString *error)
{
    QSqlQuery q = database.query();
    if (!database.read(q,
                       QStringLiteral("SELECT z.id, z.number, z.issued, p.id, p.course FROM certificate z"
                                      " JOIN participant p ON p.id = z.participant WHERE NOT EXISTS"
                                      " (SELECT 1 FROM certificate_text t WHERE t.certificate = z.id)"),
                       {}, error))
        return false;
    struct Missing
    {
        qint64 id;
        QString number;
        QDate issued;
        qint64 participant;
        qint64 course;
    };
    std::vector<Missing> missing;
    while (q.next())
        missing.push_back({q.value(0).toLongLong(), q.value(1).toString(), fromIso(q.value(2)),
                           q.value(3).toLongLong(), q.value(4).toLongLong()});
    if (missing.empty())
        return true;
    Organiser organiser;
    readOrganiser(database, &organiser, error);
    std::vector<std::pair<qint64, IssuedCertificate>> texts;
    for (const Missing &m : missing) {
        Course course;
        if (!readCourse(database, m.course, &course, error))
            return false;
        for (const Participant &p : listParticipants(database, m.course, error))
            if (p.id == m.participant)
                texts.emplace_back(m.id, certificateText(dataDir, organiser, course, p, m.number, m.issued));
    }
    return database.write(
        [&](QSqlQuery &w, QString *) {
            for (const auto &[id, text] : texts)
                if (!storeCertificateText(w, id, text))
                    return false;
            return true;
        },
        error);
}

} // namespace marbelo
