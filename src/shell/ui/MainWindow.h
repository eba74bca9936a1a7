// The main window: builds the frame (menus, tool bar, three columns of panes
// with their caption strips and splitters, status bar), creates the panes,
// connects their commands and signals, and applies command availability to
// every entry in one place. The panes own their widgets, state and handlers.
#pragma once

#include "common/CommandRules.h"
#include "common/ui/PaneInterfaces.h"
#include "store/DataLocation.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <vector>

class QAction;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace marbelo {

struct MenuInfo;
struct CommandPlacement;
enum class MenuPlace;
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

    // The actions, tool button and context entries of one command.
    struct CommandEntries
    {
        QAction *mainMenu = nullptr;
        QAction *dropDown = nullptr;
        QAction *context = nullptr;
        QToolButton *toolButton = nullptr;
    };
    const CommandEntries &entries(Command command) const { return m_commands[static_cast<int>(command)]; }
    // The entry that carries a command's shortcut: its main menu entry, or
    // its context entry when it has none.
    QAction *shortcutEntry(Command command) const
    {
        const CommandEntries &e = entries(command);
        return e.mainMenu ? e.mainMenu : e.context;
    }
    // "Program", "Tematy", "Szkolenia", "Prezentacje", "Pomoc".
    const std::array<QMenu *, 5> &mainMenus() const { return m_menus; }
    // The one-shot timer that opens the first-run wizard after the start.
    QTimer *firstRunTimer() { return &m_firstRunTimer; }
    TopicLibraryPane &topicLibrary() const { return *m_topics; }
    SlidePreviewPane &slidePreview() const { return *m_preview; }
    TrainingListPane &trainingList() const { return *m_trainings; }
    OutlinePane &outline() const { return *m_outline; }
    CourseCommands &courses() const { return *m_courses; }

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
    // The entry of a placed command; its role follows from its place.
    QAction *makeEntry(const CommandPlacement &placement);
    // The entries and separators placed in a menu, in order.
    void fillMenu(QMenu *menu, MenuPlace place);
    // A drop-down or context menu.
    QMenu *buildPopup(const MenuInfo &info, QWidget *owner);
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
    CourseCommands *m_courses;
    QToolBar *m_toolBar = nullptr;
    QStatusBar *m_statusBar = nullptr;
    std::array<QMenu *, 5> m_menus{};
    QToolButton *m_topicsButton = nullptr;
    QToolButton *m_presentationsButton = nullptr;
    std::vector<QToolButton *> m_toolButtons; // the nine buttons disableCommands greys out
    std::array<CommandEntries, kCommandCount> m_commands{};
    QTimer m_firstRunTimer;
    bool m_shownOnce = false;
};

} // namespace marbelo
