// The main window: builds the frame (menus, tool bar, three columns of panes
// with their caption strips and splitters, status bar), creates the panes,
// connects their commands and signals, and applies command availability to
// every entry in one place. The panes own their widgets, state and handlers.
#pragma once

#include "common/CommandRules.h"
#include "common/ui/CommandMenus.h"
#include "common/ui/PaneInterfaces.h"
#include "store/DataLocation.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace marbelo {

namespace db {
class DatabaseSession;
}
namespace exam {
class ExamCommands;
class QuestionBankCommand;
class ScormCommand;
}
class CourseCommands;
class HelpCommands;
class Messages;
class OutlinePane;
class PresentationCommands;
class SaveDialog;
class SlidePreviewPane;
class TopicLibraryPane;
class TrainingListPane;

class MainWindow : public QMainWindow, public CommandFrame
{
    Q_OBJECT
public:
    MainWindow(const DataLocation &location, Messages &messages, SaveDialog &saveDialog, QWidget *parent = nullptr);
    // Everything in one folder, as a program folder that keeps its data.
    MainWindow(const QString &dataDir, Messages &messages, SaveDialog &saveDialog, QWidget *parent = nullptr);
    ~MainWindow() override;

    using CommandEntries = marbelo::CommandEntries;
    const CommandEntries &entries(Command command) const { return m_commands.entries(command); }
    // The entry that carries a command's shortcut: its main menu entry, or
    // its context entry when it has none.
    QAction *shortcutEntry(Command command) const { return m_commands.shortcutEntry(command); }
    // "Program", "Tematy", "Szkolenia", "Prezentacje", "Pomoc".
    const std::array<QMenu *, 5> &mainMenus() const { return m_menus; }
    // The one-shot timer that opens the first-run wizard after the start.
    QTimer *firstRunTimer() { return &m_firstRunTimer; }
    TopicLibraryPane &topicLibrary() const { return *m_topics; }
    SlidePreviewPane &slidePreview() const { return *m_preview; }
    TrainingListPane &trainingList() const { return *m_trainings; }
    OutlinePane &outline() const { return *m_outline; }
    CourseCommands &courses() const { return *m_courses; }
    db::DatabaseSession &database() const { return *m_database; }

    void refreshCommands() override;
    void disableCommands() override;
    void enableCommands() override;
    bool paneInputBlocked() const override;

public slots:
    // The one-shot start timer: the first-run wizard.
    void runFirstStart();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildPanes();
    void connectCommands();
    void showHint(const QString &hint);
    // Every command's availability from what the panes show now.
    CommandStates currentStates() const;
    // The undo and redo entries: their captions name what they act on.
    void refreshHistoryEntries(const CommandStates &states);
    // Start of the program: every pane loaded in order, the first time the window shows.
    void startUp();

    TopicLibraryPane *m_topics;
    SlidePreviewPane *m_preview;
    TrainingListPane *m_trainings;
    OutlinePane *m_outline;
    PresentationCommands *m_presentation;
    HelpCommands *m_help;
    std::unique_ptr<db::DatabaseSession> m_database;
    CourseCommands *m_courses;
    exam::ExamCommands *m_exam;
    exam::QuestionBankCommand *m_questionBank;
    exam::ScormCommand *m_scorm;
    QToolBar *m_toolBar = nullptr;
    QStatusBar *m_statusBar = nullptr;
    std::array<QMenu *, 5> m_menus{};
    QToolButton *m_topicsButton = nullptr;
    QToolButton *m_presentationsButton = nullptr;
    std::vector<QToolButton *> m_toolButtons; // the nine buttons disableCommands greys out
    CommandMenus m_commands{this};
    QTimer m_firstRunTimer;
    bool m_shownOnce = false;
};

} // namespace marbelo
