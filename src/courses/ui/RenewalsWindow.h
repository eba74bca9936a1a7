// The "Odnowienia" window: the people whose periodic training falls due
// within the months chosen after a day (today at first), or is overdue,
// grouped by employer and sortable within the groups. From here the
// employers get their letters (PDF) or a mail-merge CSV, and the people
// chosen become a new course, which then opens in the "Kursy" window of its
// training. The due dates and documents are the course service's.
#pragma once

#include "courses/CourseService.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QDateEdit;
class QLabel;
class QSpinBox;
class QTreeView;

namespace marbelo {

class CommandMenus;
class Messages;
class RenewalSort;
class RenewalTree;

// A course made from the renewals, for the "Kursy" window of its training to
// show selected and to take back.
struct MadeCourse
{
    int training = -1;
    qint64 course = 0;
    RecordEdit edit;
};

class RenewalsWindow : public QDialog
{
    Q_OBJECT
public:
    // The questions the commands ask; tests put scripted ones in.
    struct Questions
    {
        // Where to save; filter names the kind, proposed the name. Empty: cancelled.
        std::function<QString(QWidget *, const QString &filter, const QString &proposed)> savePath;
        // The new course, its employer chosen among employers.
        std::function<bool(QWidget *, Course *, const std::vector<Employer> &employers)> course;
    };

    RenewalsWindow(CourseService &service, Messages &messages, QWidget *owner = nullptr);
    ~RenewalsWindow() override;

    Questions &questions() { return m_questions; }
    QAction *command(const QString &objectName) const;
    QTreeView *tree() const { return m_view; }
    RenewalTree &model() const { return *m_tree; }
    // Counts from asOf, due within months after it.
    void setPeriod(const QDate &asOf, int months);
    // The course "Nowy kurs z zaznaczonych" made before the window closed, once.
    std::optional<MadeCourse> takeMadeCourse();
    // Reads the renewals again; a failed read is told and the rows stay.
    void reload();

private:
    // The selected people and everyone of the selected employers, in the order
    // shown; everyone shown when nothing is selected and allWhenNone holds.
    std::vector<Renewal> chosen(bool allWhenNone) const;
    void save(const QString &filter, const QString &suffix, const QString &proposed);
    void newCourse();
    void refreshCommands();

    CourseService &m_service;
    Messages &m_messages;
    Questions m_questions;
    std::unique_ptr<CommandMenus> m_commands;
    std::optional<MadeCourse> m_made;
    RenewalTree *m_tree;
    RenewalSort *m_sorted;
    QTreeView *m_view;
    QDateEdit *m_asOf;
    QSpinBox *m_months;
    QLabel *m_summary;
};

} // namespace marbelo
