// The register window: every number of the certificate register, of every
// training (also of trainings no longer in the catalogue), in the order of
// its numbers, with who holds it and whether it is cancelled. From here the
// register is saved as PDF or CSV and a certificate cancelled with its
// reason; numbers are never changed or removed.
#pragma once

#include "courses/ui/CourseTables.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace marbelo {

class CommandMenus;
class RecordTableView;
class CourseService;
class Messages;

class RegisterWindow : public QDialog
{
    Q_OBJECT
public:
    // The questions the commands ask; tests put scripted ones in.
    struct Questions
    {
        // Where to save; filter names the kinds offered, proposed the name. Empty: cancelled.
        std::function<QString(QWidget *, const QString &filter, const QString &proposed)> savePath;
        // Why the certificate of that number is cancelled; empty: not cancelled.
        std::function<QString(QWidget *, const QString &certificate)> cancelReason;
    };

    RegisterWindow(CourseService &service, Messages &messages, QWidget *owner = nullptr);
    ~RegisterWindow() override;

    Questions &questions() { return m_questions; }
    const std::vector<RegisterEntry> &entries() const { return m_table->rows(); }
    void selectEntry(int row);
    // Reads the register again; a failed read is told and the rows stay.
    void reload();

private:
    void saveRegister();
    void cancelEntry();
    void refreshCommands();
    const RegisterEntry *selectedEntry() const;

    CourseService &m_service;
    Messages &m_messages;
    Questions m_questions;
    std::unique_ptr<CommandMenus> m_commands;
    RegisterTable *m_table;
    RecordTableView *m_view;
};

} // namespace marbelo
