#include "courses/CourseService.h"

#include "courses/CourseDocuments.h"
#include "courses/IssuedCertificate.h"
#include "courses/Courses.h"
#include "courses/Employers.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "courses/RegisterCsv.h"
#include "courses/RenewalDocuments.h"
#include "trainings/RenewalIntervals.h"
#include "store/db/Database.h"

#include <QSqlQuery>

#include <algorithm>
#include <memory>

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

// Why the participant cannot carry that interval on a course of the type, or empty.
QString intervalProblem(const Participant &p, const TrainingInfo &training)
{
    if (renewalYearsAllowed(training.type, p.intervalYears))
        return QString();
    QStringList allowed;
    for (const RenewalInterval &interval : renewalIntervals(training.type))
        allowed << (interval.post.isEmpty() ? yearsText(interval.years)
                                            : QStringLiteral("%1 (%2)").arg(yearsText(interval.years), interval.post));
    return QStringLiteral("Szkolenie okresowe co %1 nie jest przewidziane dla szkolenia „%2”%3.")
        .arg(yearsText(p.intervalYears), training.shownName(),
             allowed.isEmpty() ? QString() : QStringLiteral(" (przewidziane: %1)").arg(allowed.join(QStringLiteral(", "))));
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

bool CourseService::intervalsAllowed(qint64 course, const std::vector<Participant> &people,
                                     const std::vector<int> &lines, QString *error) const
{
    Course stored;
    if (!this->course(course, &stored, error))
        return false;
    const TrainingInfo info = training(stored.training);
    QStringList refused;
    for (std::size_t i = 0; i < people.size(); ++i) {
        const QString problem = intervalProblem(people[i], info);
        if (problem.isEmpty())
            continue;
        if (lines.empty()) {
            *error = problem;
            return false;
        }
        refused << QStringLiteral("wiersz %1: %2").arg(lines[i]).arg(problem);
    }
    if (refused.isEmpty())
        return true;
    *error = QStringLiteral("Nikogo nie zaimportowano:\n") + refused.join(QLatin1Char('\n'));
    return false;
}

std::optional<RecordEdit> CourseService::addParticipants(qint64 course, const std::vector<Participant> &people,
                                                         const QString &what, QString *error)
{
    if (!intervalsAllowed(course, people, {}, error))
        return std::nullopt;
    return addChecked(course, people, what, error);
}

std::optional<RecordEdit> CourseService::addChecked(qint64 course, const std::vector<Participant> &people,
                                                    const QString &what, QString *error)
{
    std::vector<qint64> newEmployers;
    const auto ids = marbelo::addParticipants(m_database, course, people, error, &newEmployers);
    if (!ids)
        return std::nullopt;
    // The redo puts them back under the same numbers, and the employers the
    // addition created with them.
    std::vector<Participant> again = people;
    for (std::size_t i = 0; i < again.size(); ++i)
        again[i].id = (*ids)[i];
    auto employersBack = std::make_shared<db::RowSnapshot>();
    return RecordEdit{what,
                      [this, ids = *ids, newEmployers, employersBack](QString *why) {
                          employersBack->clear();
                          return removeParticipants(m_database, ids, why, nullptr, newEmployers, employersBack.get());
                      },
                      [this, course, again, employersBack](QString *why) {
                          return marbelo::addParticipants(m_database, course, again, why, nullptr, employersBack.get())
                              .has_value();
                      },
                      ids->empty() ? 0 : ids->front()};
}

std::optional<RecordEdit> CourseService::importParticipants(qint64 course, const ParticipantCsv &csv,
                                                            std::vector<CsvRowProblem> *skipped, QString *error)
{
    std::vector<Participant> listed;
    if (!participants(course, &listed, error))
        return std::nullopt;
    if (!intervalsAllowed(course, csv.participants, csv.lines, error))
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
    return addChecked(course, joining, QStringLiteral("Importuj uczestników"), error);
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
    if (!intervalsAllowed(changed.course, {changed}, {}, error) || !updateParticipant(m_database, changed, error))
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

bool CourseService::employers(std::vector<Employer> *employers, QString *error) const
{
    QString why;
    return readInto(listEmployers(m_database, &why), why, employers, error);
}

std::optional<RecordEdit> CourseService::addEmployer(const Employer &employer, QString *error)
{
    const auto id = marbelo::addEmployer(m_database, employer, error);
    if (!id)
        return std::nullopt;
    Employer again = employer;
    again.id = *id;
    return RecordEdit{QStringLiteral("Nowy pracodawca"),
                      [this, id = *id](QString *why) { return removeEmployers(m_database, {id}, why); },
                      [this, again](QString *why) { return marbelo::addEmployer(m_database, again, why).has_value(); },
                      *id};
}

std::optional<RecordEdit> CourseService::changeEmployer(const Employer &changed, QString *error)
{
    Employer old;
    if (!readEmployer(m_database, changed.id, &old, error) || !updateEmployer(m_database, changed, error))
        return std::nullopt;
    return RecordEdit{QStringLiteral("Popraw pracodawcę"),
                      [this, old](QString *why) { return updateEmployer(m_database, old, why); },
                      [this, changed](QString *why) { return updateEmployer(m_database, changed, why); }};
}

std::optional<RecordEdit> CourseService::removeEmployer(qint64 id, QString *error)
{
    db::RowSnapshot rows;
    if (!removeEmployers(m_database, {id}, error, &rows))
        return std::nullopt;
    return RecordEdit{QStringLiteral("Usuń pracodawcę"),
                      [this, rows](QString *why) { return restoreRows(m_database, rows, why); },
                      [this, id](QString *why) { return removeEmployers(m_database, {id}, why); }};
}

bool CourseService::renewals(const QDate &asOf, int months, std::vector<Renewal> *renewals, QString *error) const
{
    QString why;
    std::vector<CertificateFact> facts = readCertificateFacts(m_database, &why);
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    *renewals = dueRenewals(facts, asOf, months);
    return true;
}

std::optional<RecordEdit> CourseService::addCourseFor(const Course &course, const std::vector<Renewal> &people,
                                                      QString *error)
{
    if (people.empty()) {
        *error = QStringLiteral("Zaznacz osoby, które mają wziąć udział w kursie.");
        return std::nullopt;
    }
    std::vector<Participant> joining;
    for (const Renewal &r : people) {
        if (r.fact.training != course.training) {
            *error = QStringLiteral("Zaznaczone osoby ukończyły różne szkolenia: nowy kurs obejmuje osoby jednego "
                                    "szkolenia.");
            return std::nullopt;
        }
        Participant p;
        p.firstName = r.fact.firstName;
        p.surname = r.fact.surname;
        p.birthDate = r.fact.birthDate;
        p.birthPlace = r.fact.birthPlace;
        p.position = r.fact.position;
        p.employer = r.fact.employer.id;
        p.intervalYears = r.fact.chosenYears;
        joining.push_back(p);
    }
    const auto id = marbelo::addCourse(m_database, course, error);
    if (!id)
        return std::nullopt;
    if (!marbelo::addParticipants(m_database, *id, joining, error)) {
        QString ignored;
        marbelo::deleteCourse(m_database, *id, &ignored);
        return std::nullopt;
    }
    auto rows = std::make_shared<db::RowSnapshot>();
    return RecordEdit{QStringLiteral("Nowy kurs z zaznaczonych"),
                      [this, id = *id, rows](QString *why) {
                          rows->clear();
                          return marbelo::deleteCourse(m_database, id, why, rows.get());
                      },
                      [this, rows](QString *why) { return restoreRows(m_database, *rows, why); }, *id};
}

bool CourseService::saveRenewals(const std::vector<Renewal> &renewals, const QDate &asOf, const QString &path,
                                 QString *error) const
{
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return saveRenewalsCsv(path, renewals, error);
    Organiser organiser;
    if (!this->organiser(&organiser, error)) {
        if (error->isEmpty())
            *error = QStringLiteral("Podaj najpierw dane organizatora szkolenia.");
        return false;
    }
    return saveRenewalLetters(organiser, renewals, asOf, path, error);
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
