// The paperwork of one data folder's courses, as the "Kursy" window and
// marbelo-tool use it alike: reading with every failure told, the edits that
// can be taken back (each returns how), issuing and cancelling certificates,
// and the course documents. The rules live in the functions it calls; this
// is the one road to them.
#pragma once

#include "courses/CourseTypes.h"
#include "courses/ParticipantCsv.h"
#include "courses/Renewals.h"
#include "trainings/TrainingInfo.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace marbelo {

namespace db {
class Database;
}

// An edit already made, with how to take it back and make it again; each
// step false with a Polish message when the database refuses it.
struct RecordEdit
{
    QString what; // for "Cofnij: ..."
    std::function<bool(QString *)> undo;
    std::function<bool(QString *)> redo;
    qint64 made = 0; // the number of the (first) record the edit added
    // Said to the user once the edit is made: an edit of what issued
    // certificates printed changes them not.
    QString notice{};
};

class CourseService
{
public:
    CourseService(db::Database &database, const QString &dataDir);

    db::Database &database() const { return m_database; }
    const QString &dataDir() const { return m_dataDir; }
    TrainingInfo training(int number) const;

    // Reading: false with a Polish message when the database cannot be read.
    bool courses(int training, std::vector<Course> *courses, QString *error) const;
    bool course(qint64 id, Course *course, QString *error) const;
    bool participants(qint64 course, std::vector<Participant> *participants, QString *error) const;
    // Every number of the register, of every training, in number order.
    bool registerEntries(std::vector<RegisterEntry> *entries, QString *error) const;
    // False without a message when no organiser has been entered yet.
    bool organiser(Organiser *organiser, QString *error) const;
    // A course of the training as a new one starts: today, the training's
    // form and the purpose of its type.
    Course newCourse(int training) const;

    std::optional<RecordEdit> addCourse(const Course &course, QString *error);
    std::optional<RecordEdit> changeCourse(const Course &changed, QString *error);
    std::optional<RecordEdit> deleteCourse(qint64 id, QString *error);
    // what names the edit: "Dodaj uczestnika", "Importuj uczestników".
    std::optional<RecordEdit> addParticipants(qint64 course, const std::vector<Participant> &people,
                                              const QString &what, QString *error);
    // The good rows of an HR file, but for the people already on the
    // course's list (or twice in the file), which *skipped gets with their lines.
    std::optional<RecordEdit> importParticipants(qint64 course, const ParticipantCsv &csv,
                                                 std::vector<CsvRowProblem> *skipped, QString *error);
    std::optional<RecordEdit> changeParticipant(const Participant &changed, QString *error);
    std::optional<RecordEdit> removeParticipant(qint64 id, QString *error);
    // The trainer's own mark, for a participant without an exam result.
    std::optional<RecordEdit> setPassed(qint64 participant, bool passed, QString *error);

    // Employers, in Polish alphabetical order.
    bool employers(std::vector<Employer> *employers, QString *error) const;
    std::optional<RecordEdit> addEmployer(const Employer &employer, QString *error);
    std::optional<RecordEdit> changeEmployer(const Employer &changed, QString *error);
    // Refused while a participant or a course refers to it.
    std::optional<RecordEdit> removeEmployer(qint64 id, QString *error);

    // The certificates due for renewal within months after asOf, or overdue.
    bool renewals(const QDate &asOf, int months, std::vector<Renewal> *renewals, QString *error) const;
    // A new course of the training with those people as participants (their
    // employer, post and interval kept), as one edit; refused for people of
    // another training's certificates.
    std::optional<RecordEdit> addCourseFor(const Course &course, const std::vector<Renewal> &people,
                                           QString *error);
    // The mail-merge CSV for a name ending in ".csv", else the employers' letters as PDF.
    bool saveRenewals(const std::vector<Renewal> &renewals, const QDate &asOf, const QString &path,
                      QString *error) const;

    // The register: numbers are given and cancelled for good, never undone.
    bool saveOrganiser(const Organiser &organiser, QString *error);
    bool issue(qint64 course, const QDate &issued, int *count, QString *error);
    // The date of issue to propose for the course's certificates.
    QDate proposedIssueDate(qint64 course, QString *error) const;
    // Cancels the certificate of that number.
    bool cancelCertificate(const QString &number, const QString &reason, QString *error);
    // Cancels the participant's certificate in force, with the reason.
    bool cancelCertificateOf(qint64 participant, const QString &reason, QString *error);

    // The course documents, each written whole or not at all.
    bool saveAttendanceList(qint64 course, const QString &path, QString *error);
    // Every certificate in force of the course, or of one participant when participant > 0.
    bool saveCertificates(qint64 course, qint64 participant, const QString &path, QString *error);
    // The register as CSV for a name ending in ".csv", else as PDF.
    bool saveRegister(const QString &path, QString *error);

    // Why the training must stay in the catalogue, or empty: its courses
    // issued certificates, which the register keeps for good.
    QString whyTrainingStays(int training) const;
    // The texts of certificates issued by an older version, stored once.
    bool storeMissingTexts(QString *error);

private:
    // False with why when an interval of people is not one the course's
    // training type allows; lines, when given, name the file's rows (all of
    // them), else the first is told.
    bool intervalsAllowed(qint64 course, const std::vector<Participant> &people, const std::vector<int> &lines,
                          QString *error) const;
    // addParticipants once the intervals are checked.
    std::optional<RecordEdit> addChecked(qint64 course, const std::vector<Participant> &people, const QString &what,
                                         QString *error);

    db::Database &m_database;
    QString m_dataDir;
};

} // namespace marbelo
