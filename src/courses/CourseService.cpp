#include "courses/CourseService.h"

#include "courses/CourseDocuments.h"
#include "courses/IssuedCertificate.h"
#include "courses/Courses.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/RegisterCsv.h"
#include "store/db/Database.h"

#include <QSqlQuery>

#include <algorithm>

namespace marbelo {

namespace {

// A reader's result: the list, or false with its message.
template <typename T>
bool readInto(std::vector<T> list, const QString &why, std::vector<T> *out, QString *error)
{
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    *out = std::move(list);
    return true;
}

constexpr auto kIssuedKeepTheirText = u"Wystawione zaświadczenia zachowują swój tekst: zmiana dotyczy tylko "
                                      u"zaświadczeń, które zostaną wystawione. Błędne zaświadczenie anuluj "
                                      u"(z powodem) i wystaw nowe, pod kolejnym numerem.";

// How many certificates were issued to the course (column course) or to one participant (column id).
int issuedTo(db::Database &database, const char *column, qint64 id)
{
    QSqlQuery q = database.query();
    return database.read(q,
                         QStringLiteral("SELECT COUNT(*) FROM certificate z JOIN participant p"
                                        " ON p.id = z.participant WHERE p.%1 = ?")
                             .arg(QLatin1String(column)),
                         {id}, nullptr)
                   && q.next()
               ? q.value(0).toInt()
               : 0;
}

} // namespace

CourseService::CourseService(db::Database &database, const QString &dataDir) : m_database(database), m_dataDir(dataDir)
{
}

TrainingInfo CourseService::training(int number) const
{
    return trainingInfo(m_dataDir, number);
}

bool CourseService::courses(int training, std::vector<Course> *courses, QString *error) const
{
    QString why;
    return readInto(listCourses(m_database, training, &why), why, courses, error);
}

bool CourseService::course(qint64 id, Course *course, QString *error) const
{
    return readCourse(m_database, id, course, error);
}

bool CourseService::participants(qint64 course, std::vector<Participant> *participants, QString *error) const
{
    QString why;
    return readInto(listParticipants(m_database, course, &why), why, participants, error);
}

bool CourseService::registerEntries(std::vector<RegisterEntry> *entries, QString *error) const
{
    QString why;
    return readInto(readRegister(m_database, 0, &why), why, entries, error);
}

bool CourseService::organiser(Organiser *organiser, QString *error) const
{
    error->clear();
    return readOrganiser(m_database, organiser, error);
}

Course CourseService::newCourse(int training) const
{
    Course course;
    course.training = training;
    course.from = course.to = QDate::currentDate();
    course.form = defaultCourseForm(m_dataDir, training);
    course.purpose = defaultCoursePurpose(this->training(training).type);
    return course;
}

std::optional<RecordEdit> CourseService::addCourse(const Course &course, QString *error)
{
    const auto id = marbelo::addCourse(m_database, course, error);
    if (!id)
        return std::nullopt;
    Course again = course;
    again.id = *id;
    return RecordEdit{QStringLiteral("Nowy kurs"),
                      [this, id = *id](QString *why) { return marbelo::deleteCourse(m_database, id, why); },
                      [this, again](QString *why) { return marbelo::addCourse(m_database, again, why).has_value(); },
                      *id};
}

std::optional<RecordEdit> CourseService::changeCourse(const Course &changed, QString *error)
{
    Course old;
    if (!readCourse(m_database, changed.id, &old, error) || !updateCourse(m_database, changed, error))
        return std::nullopt;
    // A new pass mark scores the results again in the same transaction; the
    // undo scores them again by the old one.
    return RecordEdit{QStringLiteral("Popraw kurs"),
                      [this, old](QString *why) { return updateCourse(m_database, old, why); },
                      [this, changed](QString *why) { return updateCourse(m_database, changed, why); },
                      0,
                      issuedTo(m_database, "course", changed.id) > 0 ? QString::fromUtf16(kIssuedKeepTheirText)
                                                                      : QString()};
}

std::optional<RecordEdit> CourseService::deleteCourse(qint64 id, QString *error)
{
    db::RowSnapshot rows;
    if (!marbelo::deleteCourse(m_database, id, error, &rows))
        return std::nullopt;
    return RecordEdit{QStringLiteral("Usuń kurs"),
                      [this, rows](QString *why) { return restoreRows(m_database, rows, why); },
                      [this, id](QString *why) { return marbelo::deleteCourse(m_database, id, why); }};
}

std::optional<RecordEdit> CourseService::addParticipants(qint64 course, const std::vector<Participant> &people,
                                                         const QString &what, QString *error)
{
    const auto ids = marbelo::addParticipants(m_database, course, people, error);
    if (!ids)
        return std::nullopt;
    // The redo puts them back under the same numbers.
    std::vector<Participant> again = people;
    for (std::size_t i = 0; i < again.size(); ++i)
        again[i].id = (*ids)[i];
    return RecordEdit{what, [this, ids = *ids](QString *why) { return removeParticipants(m_database, ids, why); },
                      [this, course, again](QString *why) {
                          return marbelo::addParticipants(m_database, course, again, why).has_value();
                      },
                      ids->empty() ? 0 : ids->front()};
}

std::optional<RecordEdit> CourseService::importParticipants(qint64 course, const ParticipantCsv &csv,
                                                            std::vector<CsvRowProblem> *skipped, QString *error)
{
    std::vector<Participant> listed;
    if (!participants(course, &listed, error))
        return std::nullopt;
    std::vector<Participant> joining;
    for (std::size_t i = 0; i < csv.participants.size(); ++i) {
        const Participant &p = csv.participants[i];
        if (const QString problem = duplicateProblem(listed, p); !problem.isEmpty()) {
            skipped->push_back({csv.lines[i], problem});
            continue;
        }
        joining.push_back(p);
        listed.push_back(p);
        listed.back().id = -1 - qint64(listed.size()); // a number no stored one has
    }
    if (joining.empty()) {
        *error = QStringLiteral("Nikogo nie zaimportowano: wszyscy z pliku już są na liście kursu.");
        return std::nullopt;
    }
    return addParticipants(course, joining, QStringLiteral("Importuj uczestników"), error);
}

std::optional<RecordEdit> CourseService::changeParticipant(const Participant &changed, QString *error)
{
    std::vector<Participant> people;
    if (!participants(changed.course, &people, error))
        return std::nullopt;
    const auto old = std::find_if(people.begin(), people.end(), [&](const Participant &p) { return p.id == changed.id; });
    if (old == people.end()) {
        *error = QStringLiteral("Nie ma uczestnika nr %1.").arg(changed.id);
        return std::nullopt;
    }
    if (!updateParticipant(m_database, changed, error))
        return std::nullopt;
    return RecordEdit{QStringLiteral("Popraw uczestnika"),
                      [this, before = *old](QString *why) { return updateParticipant(m_database, before, why); },
                      [this, changed](QString *why) { return updateParticipant(m_database, changed, why); },
                      0,
                      issuedTo(m_database, "id", changed.id) > 0 ? QString::fromUtf16(kIssuedKeepTheirText)
                                                                  : QString()};
}

std::optional<RecordEdit> CourseService::removeParticipant(qint64 id, QString *error)
{
    db::RowSnapshot rows;
    if (!removeParticipants(m_database, {id}, error, &rows))
        return std::nullopt;
    return RecordEdit{QStringLiteral("Usuń uczestnika"),
                      [this, rows](QString *why) { return restoreRows(m_database, rows, why); },
                      [this, id](QString *why) { return removeParticipants(m_database, {id}, why); }};
}

std::optional<RecordEdit> CourseService::setPassed(qint64 participant, bool passed, QString *error)
{
    if (!marbelo::setPassed(m_database, {participant}, passed, error))
        return std::nullopt;
    const auto mark = [this, participant](bool value) {
        return [this, participant, value](QString *why) { return marbelo::setPassed(m_database, {participant}, value, why); };
    };
    return RecordEdit{passed ? QStringLiteral("Zaliczył") : QStringLiteral("Nie zaliczył"), mark(!passed), mark(passed)};
}

bool CourseService::saveOrganiser(const Organiser &organiser, QString *error)
{
    return marbelo::saveOrganiser(m_database, organiser, error);
}

bool CourseService::issue(qint64 course, const QDate &issued, int *count, QString *error)
{
    return issueCertificates(m_database, m_dataDir, course, issued, count, error);
}

QDate CourseService::proposedIssueDate(qint64 course, QString *error) const
{
    Course stored;
    if (!this->course(course, &stored, error))
        return {};
    return marbelo::proposedIssueDate(m_database, stored, error);
}

bool CourseService::cancelCertificate(const QString &number, const QString &reason, QString *error)
{
    QString why;
    const std::vector<RegisterEntry> entries = readRegister(m_database, 0, &why);
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    for (const RegisterEntry &e : entries)
        if (e.number == number.trimmed())
            return marbelo::cancelCertificate(m_database, e.id, reason, error);
    *error = QStringLiteral("W rejestrze nie ma zaświadczenia nr %1.").arg(number.trimmed());
    return false;
}

bool CourseService::cancelCertificateOf(qint64 participant, const QString &reason, QString *error)
{
    QString why;
    const std::vector<RegisterEntry> entries = readRegister(m_database, 0, &why);
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    for (const RegisterEntry &e : entries)
        if (e.participant == participant && !e.cancelled)
            return marbelo::cancelCertificate(m_database, e.id, reason, error);
    *error = QStringLiteral("Uczestnik nie ma zaświadczenia w mocy.");
    return false;
}

bool CourseService::saveAttendanceList(qint64 course, const QString &path, QString *error)
{
    return marbelo::saveAttendanceList(m_database, m_dataDir, course, path, error);
}

bool CourseService::saveCertificates(qint64 course, qint64 participant, const QString &path, QString *error)
{
    return marbelo::saveCertificates(m_database, m_dataDir, course, participant, path, error);
}

bool CourseService::saveRegister(const QString &path, QString *error)
{
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return saveRegisterDocument(m_database, m_dataDir, path, error);
    QString why;
    const std::vector<RegisterEntry> entries = readRegister(m_database, 0, &why);
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    return saveRegisterCsv(path, entries, [this](int number) { return training(number).name; }, error);
}

QString CourseService::whyTrainingStays(int training) const
{
    QSqlQuery q = m_database.query();
    QString error;
    if (!m_database.read(q,
                         QStringLiteral("SELECT COUNT(*) FROM certificate z JOIN participant p ON p.id = z.participant"
                                        " JOIN course c ON c.id = p.course WHERE c.training = ?"),
                         {training}, &error)
        || !q.next())
        return QStringLiteral("Nie można sprawdzić, czy szkolenie ma wystawione zaświadczenia: %1").arg(error);
    const int issued = q.value(0).toInt();
    if (issued == 0)
        return QString();
    return QStringLiteral("Szkolenia „%1” nie można usunąć: w jego kursach wystawiono zaświadczenia (%2), a rejestr "
                          "przechowuje je bezterminowo.")
        .arg(this->training(training).shownName())
        .arg(issued);
}

bool CourseService::storeMissingTexts(QString *error)
{
    return storeMissingCertificateTexts(m_database, m_dataDir, error);
}

} // namespace marbelo
