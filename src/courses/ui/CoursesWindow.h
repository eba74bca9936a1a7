// The "Kursy" window of one training: its courses, the participants of the
// selected course with their results and certificates, and the commands of
// the trainer's road in its menus, tool bar and context menus, all from the
// program's command table. It shows and asks; the paperwork's rules are the
// course service's. Course and participant edits can be undone; issuing and
// cancelling certificates are confirmed and never undone. The employers and
// the renewals open in windows of their own; a course made from the renewals
// comes back here (or to the window of its training) selected, undoable.
// Commands of a higher layer (the exam's) are carried out by the handler set
// for them.
#pragma once

#include "common/Command.h"
#include "courses/CourseService.h"
#include "courses/ui/CourseEditors.h"
#include "courses/ui/CourseTables.h"
#include "courses/ui/RecordHistory.h"
#include "courses/ui/RenewalsWindow.h"

#include <QDialog>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QStatusBar;

namespace marbelo {

class CommandMenus;
class CoursesWindow;
class EmployersWindow;
class Messages;
class RecordTableView;
class RegisterWindow;

// Carries out the window's commands that belong to a higher layer.
class CourseCommandHandler
{
public:
    virtual ~CourseCommandHandler() = default;
    virtual bool handles(Command command) const = 0;
    virtual void run(Command command, CoursesWindow &window) = 0;
};

class CoursesWindow : public QDialog
{
    Q_OBJECT
public:
    // The forms and questions the commands ask; tests put scripted ones in.
    using Questions = CourseQuestions;

    CoursesWindow(CourseService &service, Messages &messages, int training, QWidget *owner = nullptr);
    ~CoursesWindow() override;

    Questions &questions() { return m_questions; }
    void setCommandHandler(CourseCommandHandler *handler);
    // Opens the "Kursy" window of another training for a course made there
    // from the renewals; without one, the course is only told of.
    void setCourseOpener(std::function<void(MadeCourse)> opener) { m_courseOpener = std::move(opener); }
    // A course made from the renewals: selected here, its undo in this window's history.
    void adoptCourse(MadeCourse made);
    QUndoStack &history() { return m_history; }
    // The window's entry of a command by its object name ("QelIssueCertificates", ...).
    QAction *command(const QString &objectName) const;

    CourseService &service() const { return m_service; }
    Messages &messages() const { return m_messages; }
    qint64 selectedCourse() const;
    qint64 selectedParticipant() const;
    void selectCourse(qint64 id);
    void selectParticipant(qint64 id);
    // The selected course's row and its participants, as last read.
    const Course *courseRow() const;
    const std::vector<Participant> &participantRows() const;
    // Asks where to save a document, proposing that name; empty when cancelled.
    QString askSavePath(const QString &filter, const QString &proposed);
    // The name a document of the selected course is proposed under:
    // "what – kurs nr 3 z 14.12.2026.pdf".
    QString courseFileName(const QString &what) const;
    // Reads the courses and participants again, keeping the selection.
    void reload();

signals:
    // The register window just opened from here, before it runs (tests script it).
    void registerOpened(RegisterWindow *window);
    void employersOpened(EmployersWindow *window);
    void renewalsOpened(RenewalsWindow *window);

private:
    // The menu bar and the tool bar, above the tables.
    QWidget *buildCommands();
    void runCommand(Command command);
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
    void openEmployers();
    void openRenewals();
    void saveDocument(const QString &filter, const QString &proposed,
                      const std::function<bool(const QString &, QString *)> &write);

    void reloadCourses(qint64 select);
    void reloadParticipants(qint64 select);
    void refreshCommands();
    // Records an edit already made with its undo; a failed one is told.
    bool record(std::optional<RecordEdit> edit, const QString &error);
    bool askOrganiser(Organiser *organiser);
    const Participant *currentParticipant() const;
    // What the course and participant forms offer; false (told) when the employers cannot be read.
    bool readChoices(ParticipantChoices *choices);

    CourseService &m_service;
    Messages &m_messages;
    int m_training;
    Questions m_questions;
    RecordHistory m_history;
    std::unique_ptr<CommandMenus> m_commands;
    CourseCommandHandler *m_handler = nullptr;
    std::function<void(MadeCourse)> m_courseOpener;
    bool m_toldIssuedKeepText = false;
    int m_testQuestions = 0; // of the selected course's test, for the participants' points
    CourseTable *m_courseTable;
    ParticipantTable *m_participantTable;
    RecordTableView *m_courses;
    RecordTableView *m_participants;
    QStatusBar *m_status;
};

} // namespace marbelo
