// The "Kursy" window of one training: its courses, the participants of the
// selected course with their results and certificates, and the commands of
// the trainer's road (new course, participants, import, results,
// certificates, the register, the exam's test, results and record). Course
// and participant edits can be undone;
// issuing and cancelling certificates are confirmed and never undone.
#pragma once

#include "courses/CourseTypes.h"
#include "exam/ExamDocuments.h"

#include <QDialog>
#include <QUndoStack>

#include <functional>
#include <vector>

class QAction;
class QTableWidget;

namespace marbelo {

namespace db {
class Database;
}
class Messages;

class CoursesWindow : public QDialog
{
    Q_OBJECT
public:
    // The forms and questions the commands ask; tests put scripted ones in.
    struct Questions
    {
        std::function<bool(QWidget *, Course *, exam::ExamSettings *)> course;
        std::function<bool(QWidget *, Participant *)> participant;
        std::function<bool(QWidget *, Organiser *)> organiser;
        std::function<QString(QWidget *)> csvFile;      // empty: cancelled
        std::function<QString(QWidget *)> cancelReason; // empty: cancelled
        // Where to save a document; filter names the kinds offered. Empty: cancelled.
        std::function<QString(QWidget *, const QString &filter)> savePath;
        // The size of a new test: questions and variants.
        std::function<bool(QWidget *, int *count, int *variants)> testSize;
        // The results of the participants, in and out (a row per participant).
        std::function<bool(QWidget *, const std::vector<Participant> &, std::vector<exam::ResultEntry> *)> results;
    };

    CoursesWindow(db::Database &database, Messages &messages, const QString &dataDir, int training,
                  int trainingType, const QString &trainingName, QWidget *owner = nullptr);
    ~CoursesWindow() override;

    Questions &questions() { return m_questions; }
    // Where the topics of the tests' draw are read; the data folder when not set.
    void setLibraryDirs(const QStringList &dirs) { m_libraryDirs = dirs; }
    QUndoStack &history() { return m_history; }
    // The window's command by its object name ("QelIssueCertificates", ...).
    QAction *command(const QString &objectName) const;
    qint64 selectedCourse() const;
    qint64 selectedParticipant() const;
    void selectCourse(qint64 id);
    void selectParticipant(qint64 id);

private:
    enum class Needs { Nothing, Course, Participant, Certificate, Test };
    struct CommandRow
    {
        const char *objectName;
        QString caption;
        QKeySequence key;
        Needs needs;
        void (CoursesWindow::*handler)();
    };
    static const std::vector<CommandRow> &commandRows();

    void newCourse();
    void editCourse();
    void deleteCourse();
    void addParticipant();
    void editParticipant();
    void removeParticipant();
    void importParticipants();
    void togglePassed();
    void issueCertificates();
    void cancelCertificate();
    void editOrganiser();
    void saveAttendance();
    void saveParticipantCertificate();
    void saveCourseCertificates();
    void saveRegister();
    void prepareExamTest();
    void saveTestSheets();
    void enterResults();
    void saveProtocol();
    // Asks for a path and writes the document there; the user is told of a failure.
    void saveDocument(const QString &filter, const std::function<bool(const QString &, QString *)> &write);

    void reloadCourses(qint64 select);
    void reloadParticipants(qint64 select);
    void refreshCommands();
    // Runs an edit now and records it with its undo; false (the user told)
    // when the edit fails.
    bool record(const QString &what, const std::function<bool(QString *)> &redo,
                const std::function<bool(QString *)> &undo);
    bool askOrganiser(Organiser *organiser);
    Participant currentParticipant() const;
    bool saveExamFile(exam::ExamDocument kind, const QString &filter);

    db::Database &m_database;
    Messages &m_messages;
    QString m_dataDir;
    QStringList m_libraryDirs;
    int m_training;
    int m_trainingType;
    Questions m_questions;
    QUndoStack m_history;
    QTableWidget *m_courses;
    QTableWidget *m_participants;
    std::vector<Course> m_courseRows;
    std::vector<Participant> m_participantRows;
    std::vector<std::pair<QAction *, Needs>> m_commands;
};

} // namespace marbelo
