#include "shell/ui/MainWindow.h"

#include "common/CommandTable.h"
#include "common/ui/HelpContext.h"
#include "common/ui/PaneWidgets.h"
#include "courses/CourseService.h"
#include "courses/Organiser.h"
#include "courses/ui/CourseCommands.h"
#include "exam/QuestionBank.h"
#include "exam/ui/ExamCommands.h"
#include "exam/ui/QuestionBankCommand.h"
#include "exam/ui/ScormCommand.h"
#include "presentation/ui/OutlinePane.h"
#include "presentation/ui/PresentationCommands.h"
#include "shell/ui/HelpCommands.h"
#include "shell/ui/PaneFrame.h"
#include "store/db/DatabaseSession.h"
#include "topics/ui/SlidePreviewPane.h"
#include "topics/ui/TopicLibraryPane.h"
#include "trainings/ui/TrainingListPane.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

// The images live in the GUI library's resources, which a static library must
// register itself.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace marbelo {

namespace {

constexpr int kMinimumWidth = 780;
constexpr int kMinimumHeight = 580;
constexpr int kColumnWidth = 200;

} // namespace

MainWindow::MainWindow(const QString &dataDir, Messages &messages, SaveDialog &saveDialog, QWidget *parent)
    : MainWindow(DataLocation::portable(dataDir), messages, saveDialog, parent)
{
}

MainWindow::MainWindow(const DataLocation &location, Messages &messages, SaveDialog &saveDialog, QWidget *parent)
    : QMainWindow(parent)
{
    const QString dataDir = location.dataDir();
    initResources();
    setObjectName(QStringLiteral("QelMainForm"));
    setWindowTitle(QStringLiteral(" Marbelo"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/program.png")));
    QFont font = QApplication::font();
    font.setPixelSize(11);
    setFont(font);

    m_preview = new SlidePreviewPane(dataDir, *this);
    m_topics = new TopicLibraryPane(location.libraryDirs(), dataDir, messages, *this, *m_preview, this);
    m_trainings = new TrainingListPane(dataDir, messages, *this, this);
    m_outline = new OutlinePane(dataDir, messages, *this, *m_trainings, *m_topics, *m_preview, this);
    m_presentation = new PresentationCommands(location, messages, saveDialog, *this, *m_trainings, *m_outline, this);
    m_help = new HelpCommands(dataDir, *this, this);
    // One database for the run, opened once; the demo questions lying beside
    // the library go into its bank at the first opening.
    m_database = std::make_unique<db::DatabaseSession>(dataDir);
    // A server's password that libpq's password file does not hold is asked
    // for and kept in memory for the run, never written anywhere.
    m_database->setPasswordAsker([this](const QString &prompt, QString *password) {
        bool given = false;
        *password = QInputDialog::getText(this, QStringLiteral("Hasło do bazy danych"), prompt, QLineEdit::Password,
                                          QString(), &given);
        return given;
    });
    m_database->setFirstOpening([dirs = location.libraryDirs(), dataDir](db::Database &database) {
        QString error;
        QStringList told;
        if (!exam::importDemoQuestionsFrom(database, dirs, &error))
            told << error;
        // Certificates of an older version get their texts stored before anything is changed.
        if (!CourseService(database, dataDir).storeMissingTexts(&error))
            told << error;
        return told;
    });
    // The programme's letterhead: the organiser of the database once it is open.
    m_presentation->setLetterhead([this] {
        db::Database *database = m_database->current();
        return database ? readLetterhead(*database) : Letterhead{};
    });
    m_exam = new exam::ExamCommands(location.libraryDirs(), this);
    m_courses = new CourseCommands(dataDir, *m_database, messages, *this, *m_trainings, this);
    m_courses->setCommandHandler(m_exam);
    m_trainings->setKeeper(m_courses);
    m_questionBank = new exam::QuestionBankCommand(*m_database, messages, *this, *m_topics, this);
    m_scorm = new exam::ScormCommand(location, *m_database, messages, *this, *m_trainings, *m_outline, this);

    buildMenus();
    buildToolBar();
    buildPanes();
    connectCommands();

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("QelMainStatusBar"));
    m_statusBar->setFixedHeight(19);
    m_statusBar->setSizeGripEnabled(true);
    setHelpContext(m_statusBar, 2900);
    m_statusBar->setProperty("hint", QStringLiteral("Linia status"));
    setStatusBar(m_statusBar);
    // Every part with a hint shows it in the status bar while the mouse is over it.
    for (QWidget *w : findChildren<QWidget *>()) {
        if (w->property("hint").isValid())
            w->installEventFilter(this);
    }

    // The window is never smaller than its design size and starts centred.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth, kMinimumHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_firstRunTimer.setObjectName(QStringLiteral("QelStartTimer"));
    m_firstRunTimer.setSingleShot(true);
    m_firstRunTimer.setInterval(500);
    connect(&m_firstRunTimer, &QTimer::timeout, this, &MainWindow::runFirstStart);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("QelMainMenu"));
    // The status bar shows the long hint of the highlighted entry.
    const std::vector<QMenu *> menus =
        m_commands.buildMainMenus(menuBar(), CommandWindow::Main, [this](const QString &hint) { showHint(hint); });
    std::copy(menus.begin(), menus.end(), m_menus.begin());
}

void MainWindow::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("QelMainToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    // The icon size resets the bar's minimum height, so it comes first.
    m_toolBar->setIconSize(QSize(32, 32));
    m_toolBar->setFixedHeight(48);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    setHelpContext(m_toolBar, 2300);
    m_toolBar->setProperty("hint", QStringLiteral("Pasek przycisków szybkiego dostępu"));
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    for (const CommandPlacement &placement : placementTable()) {
        if (placement.place != MenuPlace::ToolBar)
            continue;
        if (placement.kind == PlacementKind::Separator) {
            auto *gap = new QWidget(m_toolBar);
            gap->setFixedWidth(8);
            m_toolBar->addWidget(gap);
            continue;
        }
        QToolButton *b = nullptr;
        if (placement.kind == PlacementKind::Entry) {
            const CommandInfo &info = commandInfo(placement.command);
            b = makeToolButton(m_toolBar, placement.objectName, info.toolImage, info.hint, info.helpContext);
            m_commands.entries(placement.command).toolButton = b;
        } else {
            // Drop-down buttons: the topics button itself runs the search;
            // the trainings and presentations buttons only open their menus.
            const MenuInfo &menu = menuInfo(placement.dropDown);
            b = makeToolButton(m_toolBar, placement.objectName, menu.image, menu.hint, menu.helpContext);
            b->setMenu(m_commands.buildPopup(placement.dropDown, b));
            b->setPopupMode(QToolButton::MenuButtonPopup);
            b->setFixedSize(52, 38);
            if (placement.dropDown == MenuPlace::TopicsDropDown)
                m_topicsButton = b;
            else if (placement.dropDown == MenuPlace::PresentationsDropDown)
                m_presentationsButton = b;
        }
        m_toolBar->addWidget(b);
        m_toolButtons.push_back(b);
    }
}

void MainWindow::buildPanes()
{
    QWidget *moduleColumn = column(
        "QelModulePanel", "QelModuleSplitter",
        captionedBlock("QelModuleListPanel", "QelModuleListNamePanel", QStringLiteral("Tematy ramowe"),
                       m_topics->list(), QStringLiteral("Okienko tematów ramowych"), 2400),
        captionedBlock("QelModuleBodyPanel", "QelModuleBodyNamePanel", QStringLiteral("Tematy szczegółowe"),
                       m_topics->tree(), QStringLiteral("Okienko tematów szczegółowych"), 2500));
    QWidget *viewPanel = captionedBlock("QelViewPanel", "QelViewNamePanel", QStringLiteral("Podgląd tematu"),
                                        m_preview, QStringLiteral("Okienko podglądu tematu szczegółowego"), 2600);
    QWidget *projectsColumn = column(
        "QelProjectsPanel", "QelProjectsSplitter",
        captionedBlock("QelProjectsListPanel", "QelProjectsListNamePanel", QStringLiteral("Rodzaje szkoleń"),
                       m_trainings->list(), QStringLiteral("Okienko rodzajów szkoleń"), 2700),
        captionedBlock("QelProjectsBodyPanel", "QelProjectsBodyNamePanel", QStringLiteral("Prezentacje do szkoleń"),
                       m_outline->tree(), QStringLiteral("Okienko prezentacji do szkoleń"), 2800));
    // The programme's hours against the minimum, under the outline's caption strip.
    if (auto *outlineBlock = projectsColumn->findChild<QWidget *>(QStringLiteral("QelProjectsBodyPanel")))
        static_cast<QBoxLayout *>(outlineBlock->layout())->insertWidget(1, m_outline->programmeLine());

    // Columns: left | (middle | right), each border a 3-pixel splitter.
    auto *right = new QSplitter(Qt::Horizontal);
    right->setObjectName(QStringLiteral("QelRightSplitter"));
    right->addWidget(viewPanel);
    right->addWidget(projectsColumn);
    right->setStretchFactor(0, 1);
    right->setStretchFactor(1, 0);
    auto *left = new QSplitter(Qt::Horizontal);
    left->setObjectName(QStringLiteral("QelLeftSplitter"));
    left->addWidget(moduleColumn);
    left->addWidget(right);
    left->setStretchFactor(0, 0);
    left->setStretchFactor(1, 1);
    auto *main = new QWidget(this);
    main->setObjectName(QStringLiteral("QelMainPanel"));
    auto *mainLayout = new QHBoxLayout(main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(left);
    setCentralWidget(main);
    for (QSplitter *s : main->findChildren<QSplitter *>()) {
        s->setHandleWidth(3);
        s->setChildrenCollapsible(false);
    }
    left->setSizes({kColumnWidth, kMinimumWidth - kColumnWidth});
    right->setSizes({kMinimumWidth - 2 * kColumnWidth, kColumnWidth});

    // The panes' context menus.
    m_commands.attachContextMenu(MenuPlace::TopicListMenu, m_topics->list());
    m_commands.attachContextMenu(MenuPlace::TopicTreeMenu, m_topics->tree());
    m_commands.attachContextMenu(MenuPlace::TrainingListMenu, m_trainings->list());
    m_commands.attachContextMenu(MenuPlace::OutlineMenu, m_outline->tree());
}

void MainWindow::connectCommands()
{
    const auto connectCommand = [this](Command command, auto *receiver, auto handler) {
        m_commands.connectCommand(command, receiver, handler);
    };
    m_commands.applyShortcuts(CommandWindow::Main, [this](ShortcutScope scope) -> QWidget * {
        if (scope == ShortcutScope::Outline)
            return m_outline->tree();
        return scope == ShortcutScope::TopicTree ? static_cast<QWidget *>(m_topics->tree()) : this;
    });
    connectCommand(Command::Exit, this, &QWidget::close);
    connectCommand(Command::Find, m_topics, &TopicLibraryPane::findInTopics);
    connectCommand(Command::FindNext, m_topics, &TopicLibraryPane::findNextInTopics);
    // The topics button stays enabled for the import in its list; its own
    // click is the search, when there is something to search.
    connect(m_topicsButton, &QToolButton::clicked, this, [this] {
        if (m_commands.entries(Command::Find).mainMenu->isEnabled())
            m_topics->findInTopics();
    });
    connectCommand(Command::ImportSlides, m_topics, &TopicLibraryPane::importSlides);
    connectCommand(Command::RenameOwnTopic, m_topics, &TopicLibraryPane::renameOwnTopic);
    connectCommand(Command::DeleteOwnTopic, m_topics, &TopicLibraryPane::deleteOwnTopic);
    connectCommand(Command::Courses, m_courses, &CourseCommands::openCourses);
    connectCommand(Command::Register, m_courses, &CourseCommands::openRegister);
    connectCommand(Command::Renewals, m_courses, &CourseCommands::openRenewals);
    connectCommand(Command::ChooseDatabase, m_courses, &CourseCommands::chooseDatabase);
    connectCommand(Command::QuestionBank, m_questionBank, &exam::QuestionBankCommand::editQuestions);
    connectCommand(Command::ScormPackage, m_scorm, &exam::ScormCommand::savePackage);
    connectCommand(Command::CopyTopic, m_outline, &OutlinePane::copySelectedTopic);
    connectCommand(Command::NewTraining, m_trainings, &TrainingListPane::newTraining);
    connectCommand(Command::NewTrainingFrom, m_trainings, &TrainingListPane::newTrainingFrom);
    connectCommand(Command::RenameTraining, m_trainings, &TrainingListPane::renameTraining);
    connectCommand(Command::DeleteTraining, m_trainings, &TrainingListPane::deleteTraining);
    connectCommand(Command::UndoTraining, m_trainings, &TrainingListPane::undo);
    connectCommand(Command::RedoTraining, m_trainings, &TrainingListPane::redo);
    connectCommand(Command::NewItem, m_outline, &OutlinePane::newItem);
    connectCommand(Command::RenameItem, m_outline, &OutlinePane::renameItem);
    connectCommand(Command::MoveItemTop, m_outline, &OutlinePane::moveItemUpALevel);
    connectCommand(Command::MoveItemUp, m_outline, &OutlinePane::moveItemUp);
    connectCommand(Command::MoveItemDown, m_outline, &OutlinePane::moveItemDown);
    connectCommand(Command::MoveItemBottom, m_outline, &OutlinePane::moveItemDownALevel);
    connectCommand(Command::DeleteItem, m_outline, &OutlinePane::deleteItem);
    connectCommand(Command::UndoItem, m_outline, &OutlinePane::undo);
    connectCommand(Command::RedoItem, m_outline, &OutlinePane::redo);
    connectCommand(Command::Preview, m_presentation, &PresentationCommands::previewPresentation);
    connectCommand(Command::Export, m_presentation, &PresentationCommands::exportPresentation);
    connectCommand(Command::SavePdf, m_presentation, &PresentationCommands::savePdf);
    connectCommand(Command::SetHours, m_outline, &OutlinePane::setItemHours);
    connectCommand(Command::SaveProgramme, m_presentation, &PresentationCommands::saveProgramme);
    connectCommand(Command::HelpContents, m_help, &HelpCommands::showContents);
    connectCommand(Command::HelpIndex, m_help, &HelpCommands::showIndex);
    connectCommand(Command::HelpInternet, m_help, &HelpCommands::openProducerPage);
    connectCommand(Command::HelpEmail, m_help, &HelpCommands::writeToProducer);
    connectCommand(Command::About, m_help, &HelpCommands::showAbout);

    // Signals between the panes.
    connect(m_topics, &TopicLibraryPane::topicDoubleClicked, m_outline, &OutlinePane::copyDoubleClickedTopic);
    connect(m_trainings, &TrainingListPane::outlineToShowChanged, m_outline, &OutlinePane::loadOutline);
    connect(m_trainings, &TrainingListPane::trainingCreated, m_outline, &OutlinePane::forgetHistory);
    connect(m_trainings, &TrainingListPane::trainingTypeChanged, m_outline, &OutlinePane::showProgramme);
    connect(m_outline, &OutlinePane::historyChanged, this, [this] { refreshHistoryEntries(currentStates()); });
}

void MainWindow::showHint(const QString &hint)
{
    if (m_statusBar && m_statusBar->isEnabled())
        m_statusBar->showMessage(longHint(hint));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter) {
        const QVariant hint = watched->property("hint");
        if (hint.isValid())
            showHint(hint.toString());
    } else if (event->type() == QEvent::Leave && watched->property("hint").isValid()) {
        showHint(QString());
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        startUp();
    }
}

void MainWindow::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    // Only the end of the program hides the window for good; minimising does not.
    if (!isMinimized() && !event->spontaneous())
        m_topics->shutDown();
}

void MainWindow::startUp()
{
    // The data directory was computed by the program entry.
    m_topics->startUp();
    m_preview->startUp();
    m_trainings->startUp();
    m_outline->startUp();
    m_courses->checkAtStart();
    m_preview->relayout();
    refreshCommands();
    m_topics->list()->setFocus();
    if (m_trainings->list()->count() == 0)
        m_firstRunTimer.start();
}

} // namespace marbelo
