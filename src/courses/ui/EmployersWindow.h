// The employers window: every employer whose staff take the courses, with
// its NIP, address, contact and how many participants and courses refer to
// it. Employers are added, corrected and removed here, each edit undoable;
// the service refuses the removal of one still referred to, in its words.
#pragma once

#include "courses/ui/CourseTables.h"
#include "courses/ui/RecordHistory.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace marbelo {

class CommandMenus;
class CourseService;
class Messages;
class RecordTableView;

class EmployersWindow : public QDialog
{
    Q_OBJECT
public:
    // The form the commands ask; tests put a scripted one in.
    struct Questions
    {
        std::function<bool(QWidget *, Employer *)> employer;
    };

    EmployersWindow(CourseService &service, Messages &messages, QWidget *owner = nullptr);
    ~EmployersWindow() override;

    Questions &questions() { return m_questions; }
    QUndoStack &history() { return m_history; }
    const std::vector<Employer> &employers() const { return m_table->rows(); }
    void selectEmployer(qint64 id);
    // Reads the employers again, keeping the selection; a failed read is told.
    void reload();

private:
    void newEmployer();
    void editEmployer();
    void removeEmployer();
    void refreshCommands();
    const Employer *selectedEmployer() const;

    CourseService &m_service;
    Messages &m_messages;
    Questions m_questions;
    RecordHistory m_history;
    std::unique_ptr<CommandMenus> m_commands;
    EmployerTable *m_table;
    RecordTableView *m_view;
};

} // namespace marbelo
