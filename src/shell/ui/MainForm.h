// The main window: owns every pane, menu, tool button and the shared state,
// and every command is one of its handlers. Handlers are defined per
// subsystem: shell/ui (frame, start, commands, help), topics/ui (library,
// preview, search, copy), trainings/ui (catalogue, outline persistence,
// training commands), presentation/ui (outline editing, preview, export).
#pragma once

#include "presentation/DropPlacement.h"
#include "shell/CommandRules.h"
#include "store/Records.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeWidgetItem;

namespace marbelo {

struct ComposeResult;
class Messages;
class PaneList;
class PaneTree;
class SaveDialog;
struct SearchHit;
class SlideImage;
class TitleLabel;
enum class OutlineMove;

// State shared between commands for as long as the window lives.
struct MainFormState
{
    QString dataDir;                                // with its trailing separator
    std::vector<std::pair<QString, int>> moduleFiles; // ModuleFiles: file name, running index
    bool moduleFilesCreated = false;
    bool slideShown = false;                        // SlideShown
    TrainingRecord workingTraining;                 // the working training record
    // Search state.
    bool findActive = false;
    int findModuleIndex = 0;
    int findNodeIndex = 0;
    QString findText;
    int savedModuleIndex = 0;
    int savedNodeIndex = 0;
    bool searching = false;                         // a search is running: pane input is ignored
};

class TQelMainForm : public QMainWindow
{
    Q_OBJECT
public:
    TQelMainForm(const QString &dataDir, Messages &messages, SaveDialog &saveDialog,
                 QWidget *parent = nullptr);
    ~TQelMainForm() override;

    const MainFormState &state() const { return m_state; }
    QTimer *startTimer() { return &m_startTimer; }
    // The actions, tool button and context entries of one command.
    struct CommandEntries
    {
        QAction *mainMenu = nullptr;
        QAction *dropDown = nullptr;
        QAction *context = nullptr;
        QToolButton *toolButton = nullptr;
    };
    const CommandEntries &entries(Command command) const { return m_commands[static_cast<int>(command)]; }
    // The outline's drop, with the tree the drag came from (null: elsewhere)
    // and the drop point in the outline's viewport.
    void handleOutlineDrop(const PaneTree *source, const QPoint &viewportPos);

public slots:
    // Frame and start (shell).
    void FormShow();
    void FormHide();
    void QelStartTimerTimer();
    void QelProgramExitMenuItemClick();
    void RefreshCommands();
    void DisableCommands();
    void EnableCommands();

    // Topic library (topics).
    void QelModuleListBoxClick();
    void QelModuleListBoxKeyUp();
    void QelModuleTreeViewClick();
    void QelModuleTreeViewKeyUp();
    void QelModuleTreeViewDblClick();
    void QelModulesMoveMenuItemClick();
    void QelModulesFindMenuItemClick();
    void QelModulesFindNextMenuItemClick();
    void QelViewBodyPanelResize();

    // Trainings.
    void QelProjectsListBoxClick();
    void QelProjectsListBoxKeyUp();
    void QelProjectsNewMenuItemClick();
    void QelProjectsNewFromMenuItemClick();
    void QelProjectsCorectMenuItemClick();
    void QelProjectsDeleteMenuItemClick();

    // Outline editing, preview and export (presentation).
    void QelProjectsTreeViewClick();
    void QelProjectsTreeViewKeyUp();
    void QelViewNewMenuItemClick();
    void QelViewCorectMenuItemClick();
    void QelViewTopMenuItemClick();
    void QelViewUpMenuItemClick();
    void QelViewDownMenuItemClick();
    void QelViewBottomMenuItemClick();
    void QelViewDeleteMenuItemClick();
    void QelViewViewMenuItemClick();
    void QelViewCreateMenuItemClick();
    void QelViewPdfMenuItemClick(); // in presentation/ui/PdfCommand.cpp

    // Help, contact and About (shell).
    void QelHelpContentMenuItemClick();
    void QelHelpIndexMenuItemClick();
    void QelHelpInternetMenuItemClick();
    void QelHelpEmailMenuItemClick();
    void QelHelpAboutMenuItemClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction (shell).
    void buildMenus();
    void buildToolBar();
    void buildPanes();
    void buildContextMenus();
    QAction *makeEntry(Command command, const QString &objectName, const QString &caption, int image,
                       int helpContext, const QString &hint);
    void connectCommand(Command command, void (TQelMainForm::*handler)());
    void showHint(const QString &hint);
    CommandConditions currentConditions() const;

    // Topic library (topics).
    void LoadModuleList();
    void LoadModuleTree();
    void ShowModuleSlide();
    void LayoutViewPanel();
    QString selectedModuleFile() const; // full path, or empty when none
    // Writes the decoded slide to View.jpg, loads it into the preview picture
    // and deletes the file; false when nothing could be shown.
    bool showSlideThroughViewJpg(const QByteArray &coded);
    // Shows the slide of the item selected in tree, read from the file at
    // path (opened with flag): the title labels for an item without a slide,
    // nothing for a block that cannot be read. Then refreshes the commands.
    void showSelectedSlide(const PaneTree *tree, const QString &path, std::int32_t flag);
    void AppendTopicToOutline(QTreeWidgetItem *target, Placement placement);
    void QelModuleTreeViewDragOver(QDragMoveEvent *event);
    // Topic search: the library is read in a worker thread while the window
    // stays live; then the hit (or the end of the walk) is shown.
    SearchHit searchLibrary(int startLine, int startNode);
    void recordSearchHit(const SearchHit &hit);
    // After a walk without a hit: nothing is left to continue, the phrase is forgotten.
    void endSearch();
    void selectModuleLine(int row);
    void selectModuleNode(int flatIndex);

    // Trainings.
    void LoadProjectList();
    void LoadProjectTree();
    void SaveProjectTree();
    int selectedTrainingNumber() const; // -1 when none
    // The new-training command; true when a training was created.
    bool newTraining();
    // Appends a training record and selects its new line; reports a failure.
    std::optional<int> addTraining(const TrainingRecord &record);
    // The end of every training command: commands back, the outline reloaded
    // when a training was added or deleted, availability and focus.
    void finishTrainingCommand(bool reloadOutline);
    // Reads training number's record for a command; tells the user when it cannot.
    bool readTrainingForCommand(int number, TrainingRecord *record);

    // Outline (presentation).
    void QelProjectsTreeViewDragOver(QDragMoveEvent *event);
    void QelProjectsTreeViewDragDrop(QDropEvent *event);
    void ShowItemSlide();
    void moveSelectedOutlineItem(OutlineMove move);
    // Composes the selected training's presentation into outPath.
    ComposeResult ComposePresentation(const QString &outPath);

public:
    // Panes and components, named as the window's design names them.
    QToolBar *QelMainToolBar = nullptr;
    QStatusBar *QelMainStatusBar = nullptr;
    PaneList *QelModuleListBox = nullptr;
    PaneTree *QelModuleTreeView = nullptr;
    QWidget *QelViewBodyPanel = nullptr;
    SlideImage *QelViewImage = nullptr;
    TitleLabel *Qel3DLabel1 = nullptr;
    TitleLabel *Qel3DLabel2 = nullptr;
    TitleLabel *Qel3DLabel3 = nullptr;
    PaneList *QelProjectsListBox = nullptr;
    PaneTree *QelProjectsTreeView = nullptr;
    QSplitter *QelLeftSplitter = nullptr;
    QSplitter *QelRightSplitter = nullptr;
    QSplitter *QelModuleSplitter = nullptr;
    QSplitter *QelProjectsSplitter = nullptr;
    QToolButton *QelModulesToolButton = nullptr;
    QToolButton *QelProjectsToolButton = nullptr;
    QToolButton *QelViewToolButton = nullptr;
    std::array<QMenu *, 5> mainMenus{}; // "Program", "Tematy", "Szkolenia", "Prezentacje", "Pomoc"
    std::vector<QToolButton *> toolButtons; // the nine buttons DisableCommands greys out

private:
    MainFormState m_state;
    Messages &m_messages;
    SaveDialog &m_saveDialog;
    QTimer m_startTimer;
    std::array<CommandEntries, kCommandCount> m_commands{};
    bool m_shownOnce = false;
};

} // namespace marbelo
