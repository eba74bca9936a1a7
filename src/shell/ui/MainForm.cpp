#include "shell/ui/MainForm.h"

#include "shell/ui/HelpContext.h"
#include "shell/ui/PaneWidgets.h"
#include "topics/ui/PreviewWidgets.h"

#include <QAction>
#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

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
constexpr int kListBlockHeight = 120;
constexpr int kCaptionHeight = 20;

QIcon menuImage(int index)
{
    return QIcon(QStringLiteral(":/icons/menu/%1.png").arg(index, 2, 10, QLatin1Char('0')));
}

QIcon toolImage(int index)
{
    return QIcon(QStringLiteral(":/icons/toolbar/%1.png").arg(index, 2, 10, QLatin1Char('0')));
}

// "short|long": the short part is a tooltip, the long part the status text.
QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

} // namespace

TQelMainForm::TQelMainForm(const QString &dataDir, Messages &messages, SaveDialog &saveDialog,
                           QWidget *parent)
    : QMainWindow(parent), m_messages(messages), m_saveDialog(saveDialog)
{
    initResources();
    setObjectName(QStringLiteral("QelMainForm"));
    m_state.dataDir = dataDir;
    setWindowTitle(QStringLiteral(" Marbelo"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/program.png")));
    QFont font = QApplication::font();
    font.setPixelSize(11);
    setFont(font);

    buildMenus();
    buildToolBar();
    buildPanes();
    buildContextMenus();

    QelMainStatusBar = new QStatusBar(this);
    QelMainStatusBar->setObjectName(QStringLiteral("QelMainStatusBar"));
    QelMainStatusBar->setFixedHeight(19);
    QelMainStatusBar->setSizeGripEnabled(true);
    setHelpContext(QelMainStatusBar, 2900);
    QelMainStatusBar->setProperty("hint", QStringLiteral("Linia status"));
    QelMainStatusBar->installEventFilter(this);
    setStatusBar(QelMainStatusBar);

    // The window is never smaller than its design size and starts centred.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth, kMinimumHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_startTimer.setObjectName(QStringLiteral("QelStartTimer"));
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(500);
    connect(&m_startTimer, &QTimer::timeout, this, &TQelMainForm::QelStartTimerTimer);
}

TQelMainForm::~TQelMainForm() = default;

QAction *TQelMainForm::makeEntry(Command command, const QString &objectName, const QString &caption,
                                 int image, int helpContextNumber, const QString &hint)
{
    auto *action = new QAction(menuImage(image), caption, this);
    action->setObjectName(objectName);
    setHelpContext(action, helpContextNumber);
    if (!hint.isEmpty())
        action->setStatusTip(hint);
    CommandEntries &entries = m_commands[static_cast<int>(command)];
    if (objectName.contains(QLatin1String("Body")))
        entries.context = action;
    else if (objectName.contains(QLatin1String("Popup")))
        entries.dropDown = action;
    else
        entries.mainMenu = action;
    return action;
}

void TQelMainForm::connectCommand(Command command, void (TQelMainForm::*handler)())
{
    const CommandEntries &e = m_commands[static_cast<int>(command)];
    for (QAction *action : {e.mainMenu, e.dropDown, e.context}) {
        if (action)
            connect(action, &QAction::triggered, this, handler);
    }
    if (e.toolButton)
        connect(e.toolButton, &QToolButton::clicked, this, handler);
}

void TQelMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("QelMainMenu"));
    struct MenuSpec { const char *name; QString caption; int help; QString hint; };
    const MenuSpec menus[5] = {
        {"QelProgramMenu", QStringLiteral("Program"), 2210, QStringLiteral("Funkcje pomocnicze")},
        {"QelModulesMenu", QStringLiteral("Tematy"), 2220,
         QStringLiteral("Funkcje do przeszukiwania i kopiowania tematów do prezentacji")},
        {"QelProjectsMenu", QStringLiteral("Szkolenia"), 2230,
         QStringLiteral("Funkcje do tworzenia, poprawiania i usuwania szkoleń")},
        {"QelViewMenu", QStringLiteral("Prezentacje"), 2240,
         QStringLiteral("Funkcje do tworzenia, poprawiania, usuwania i generacji prezentacji")},
        {"QelHelpMenu", QStringLiteral("Pomoc"), 2260, QStringLiteral("Funkcje informacyjne i kontaktowe")},
    };
    for (int i = 0; i < 5; ++i) {
        QMenu *menu = bar->addMenu(menus[i].caption);
        menu->setObjectName(QString::fromLatin1(menus[i].name));
        menu->menuAction()->setObjectName(QString::fromLatin1(menus[i].name) + QStringLiteral("Item"));
        menu->menuAction()->setStatusTip(menus[i].hint);
        setHelpContext(menu, menus[i].help);
        setHelpContext(menu->menuAction(), menus[i].help);
        mainMenus[static_cast<size_t>(i)] = menu;
    }
    QMenu *program = mainMenus[0];
    QMenu *topics = mainMenus[1];
    QMenu *trainings = mainMenus[2];
    QMenu *view = mainMenus[3];
    QMenu *helpMenu = mainMenus[4];

    program->addAction(makeEntry(Command::Exit, QStringLiteral("QelProgramExitMenuItem"), QStringLiteral("Zakończ"), 0,
                                 2219, QStringLiteral("Kończy działanie programu")));

    topics->addAction(makeEntry(Command::Find, QStringLiteral("QelModulesFindMenuItem"), QStringLiteral("Szukaj"), 1,
                                2221, QStringLiteral("Przeszukuje tematy ramowe i szczegółowe")));
    topics->addAction(makeEntry(Command::FindNext, QStringLiteral("QelModulesFindNextMenuItem"),
                                QStringLiteral("Szukaj dalej"), 2, 2222,
                                QStringLiteral("Kontynuuje dalsze przeszukiwanie tematów")));
    topics->addSeparator();
    topics->addAction(makeEntry(Command::CopyTopic, QStringLiteral("QelModulesMoveMenuItem"), QStringLiteral("Kopiuj"),
                                3, 2223, QStringLiteral("Kopiuje temat szczegółowy do prezentacji")));

    trainings->addAction(makeEntry(Command::NewTraining, QStringLiteral("QelProjectsNewMenuItem"), QStringLiteral("Nowe"),
                                   4, 2231, QStringLiteral("Tworzy nowe szkolenie")));
    trainings->addAction(makeEntry(Command::NewTrainingFrom, QStringLiteral("QelProjectsNewFromMenuItem"),
                                   QStringLiteral("Nowe od ..."), 5, 2232,
                                   QStringLiteral("Tworzy nowe szkolenie na podstawie już istniejącego")));
    trainings->addAction(makeEntry(Command::RenameTraining, QStringLiteral("QelProjectsCorectMenuItem"),
                                   QStringLiteral("Popraw"), 6, 2233,
                                   QStringLiteral("Umożliwia poprawienie nazwy aktualnie wybranego szkolenia")));
    trainings->addAction(makeEntry(Command::DeleteTraining, QStringLiteral("QelProjectsDeleteMenuItem"),
                                   QStringLiteral("Usuń"), 7, 2234, QStringLiteral("Usuwa aktualnie wybrane szkolenie")));

    const struct { Command command; const char *name; QString caption; int image; int help; QString hint; } viewEntries[] = {
        {Command::NewItem, "QelViewNewMenuItem", QStringLiteral("Nowa pozycja"), 8, 2241,
         QStringLiteral("Tworzy nową pozycję w aktualnie tworzonej prezentacji do szkolenia")},
        {Command::RenameItem, "QelViewCorectMenuItem", QStringLiteral("Popraw pozycję"), 9, 2242,
         QStringLiteral("Umożliwia poprawienie aktualnie wybranej pozycji w prezentacji")},
        {Command::MoveItemTop, "QelViewTopMenuItem", QStringLiteral("Przenieś wzwyż"), 10, 2243,
         QStringLiteral("Przenosi wzwyż w chierarchi aktualnie wybrana pozycję w prezentacji")},
        {Command::MoveItemUp, "QelViewUpMenuItem", QStringLiteral("Przenieś w górę"), 11, 2244,
         QStringLiteral("Przenosi w górę aktualnie wybrana pozycję w prezentacji")},
        {Command::MoveItemDown, "QelViewDownMenuItem", QStringLiteral("Przenieś w dół"), 12, 2245,
         QStringLiteral("Przenosi w dół aktualnie wybrana pozycję w prezentacji")},
        {Command::MoveItemBottom, "QelViewBottomMenuItem", QStringLiteral("Przenieś wgłąb"), 13, 2246,
         QStringLiteral("Przenosi wgłąb w chierarchi aktualnie wybrana pozycję w prezentacji")},
        {Command::DeleteItem, "QelViewDeleteMenuItem", QStringLiteral("Usuń pozycję"), 14, 2247,
         QStringLiteral("Usuwa aktualnie wybraną pozycję prezentacji")},
        {Command::Preview, "QelViewViewMenuItem", QStringLiteral("Podgląd prezentacji"), 15, 2248,
         QStringLiteral("Wyświetla podgląd aktualnie tworzonej prezentacji")},
        {Command::Export, "QelViewCreateMenuItem", QStringLiteral("Utwórz prezentację"), 16, 2249,
         QStringLiteral("Generuje i zapisuje gotową prezentację w wybranej lokalizacji")},
        {Command::SavePdf, "QelViewPdfMenuItem", QStringLiteral("Zapisz jako PDF"), 16, 2250,
         QStringLiteral("Zapisuje slajdy prezentacji lub materiały dla uczestników w pliku PDF")},
    };
    for (const auto &e : viewEntries)
        view->addAction(makeEntry(e.command, QString::fromLatin1(e.name), e.caption, e.image, e.help, e.hint));

    helpMenu->addAction(makeEntry(Command::HelpContents, QStringLiteral("QelHelpContentMenuItem"),
                                  QStringLiteral("Spis treści"), 17, 2261,
                                  QStringLiteral("Uruchamia system pomocy programu i przechodzi do spisu treści pomocy")));
    helpMenu->addAction(makeEntry(Command::HelpIndex, QStringLiteral("QelHelpIndexMenuItem"), QStringLiteral("Indeks"),
                                  18, 2262,
                                  QStringLiteral("Uruchamia system pomocy programu i przechodzi do indeksu pomocy")));
    helpMenu->addSeparator();
    helpMenu->addAction(makeEntry(
        Command::HelpInternet, QStringLiteral("QelHelpInternetMenuItem"), QStringLiteral("Tavo w internecie"), 19, 2263,
        QStringLiteral("Uruchamia przeglądarkę internetową i przechodzi na stronę producenta programu")));
    helpMenu->addAction(makeEntry(
        Command::HelpEmail, QStringLiteral("QelHelpEmailMenuItem"), QStringLiteral("Poczta do tavo"), 20, 2264,
        QStringLiteral("Uruchamia program pocztowy wraz z rozpoczętą wiadomościa do producenta programu")));
    helpMenu->addSeparator();
    helpMenu->addAction(makeEntry(Command::About, QStringLiteral("QelHelpAboutMenuItem"),
                                  QStringLiteral("O programie ..."), 21, 2265,
                                  QStringLiteral("Wyświetla informacje o programie, jego wersji, prawach autorskich")));

    // The status bar shows the long hint of the highlighted entry.
    for (QMenu *menu : mainMenus)
        connect(menu, &QMenu::hovered, this, [this](QAction *action) { showHint(action->statusTip()); });
}

void TQelMainForm::buildToolBar()
{
    QelMainToolBar = new QToolBar(this);
    QelMainToolBar->setObjectName(QStringLiteral("QelMainToolBar"));
    QelMainToolBar->setMovable(false);
    QelMainToolBar->setFloatable(false);
    // The icon size resets the bar's minimum height, so it comes first.
    QelMainToolBar->setIconSize(QSize(32, 32));
    QelMainToolBar->setFixedHeight(48);
    QelMainToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    setHelpContext(QelMainToolBar, 2300);
    QelMainToolBar->setProperty("hint", QStringLiteral("Pasek przycisków szybkiego dostępu"));
    QelMainToolBar->installEventFilter(this);
    addToolBar(Qt::TopToolBarArea, QelMainToolBar);

    auto button = [this](const char *name, int image, const QString &hint, Command command, int help) {
        auto *b = new QToolButton(QelMainToolBar);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(toolImage(image));
        b->setIconSize(QSize(32, 32));
        b->setAutoRaise(true);
        b->setFixedSize(40, 38);
        b->setToolTip(shortHint(hint));
        b->setProperty("hint", longHint(hint));
        setHelpContext(b, help);
        b->installEventFilter(this);
        if (command != Command::Count)
            m_commands[static_cast<int>(command)].toolButton = b;
        QelMainToolBar->addWidget(b);
        toolButtons.push_back(b);
        return b;
    };
    auto separator = [this] {
        auto *gap = new QWidget(QelMainToolBar);
        gap->setFixedWidth(8);
        QelMainToolBar->addWidget(gap);
    };

    button("QelProgramExitToolButton", 0, QStringLiteral("Zakończ|Kończy działanie programu"), Command::Exit, 2219);
    separator();
    QelModulesToolButton = button("QelModulesToolButton", 1,
                                  QStringLiteral("Tematy|Funkcje do przeszukiwania i kopiowania tematów do prezentacji"),
                                  Command::Count, 2220);
    separator();
    QelProjectsToolButton = button("QelProjectsToolButton", 2,
                                   QStringLiteral("Szkolenia|Funkcje do tworzenia, poprawiania i usuwania szkoleń"),
                                   Command::Count, 2230);
    separator();
    QelViewToolButton = button(
        "QelViewToolButton", 3,
        QStringLiteral("Prezentacje|Funkcje do tworzenia, poprawiania, usuwania i generacji prezentacji"),
        Command::Count, 2240);
    separator();
    button("QelHelpContentToolButton", 4,
           QStringLiteral("Spis treści pomocy|Uruchamia system pomocy programu i przechodzi do spisu treści pomocy"),
           Command::HelpContents, 2261);
    button("QelHelpIndexToolButton", 5,
           QStringLiteral("Indeks pomocy|Uruchamia system pomocy programu i przechodzi do indeksu pomocy"),
           Command::HelpIndex, 2262);
    separator();
    button("QelHelpInternetToolButton", 6,
           QStringLiteral("Tavo w internecie|Uruchamia przeglądarkę internetową i przechodzi na stronę producenta "
                          "programu"),
           Command::HelpInternet, 2263);
    button("QelHelpEmailToolButton", 7,
           QStringLiteral("Poczta do tavo|Uruchamia program pocztowy wraz z rozpoczętą wiadomościa do producenta "
                          "programu"),
           Command::HelpEmail, 2264);
    separator();
    button("QelHelpAboutToolButton", 8,
           QStringLiteral("Informacje o programie|Wyświetla informacje o programie, jego wersji, prawach autorskich"),
           Command::About, 2265);

    // Drop-down buttons: the topics button itself runs the search; the
    // trainings and presentations buttons only open their menus.
    struct DropDown { QToolButton *button; const char *menuName; };
    for (const DropDown &d : {DropDown{QelModulesToolButton, "QelModulesToolBarPopupMenu"},
                              DropDown{QelProjectsToolButton, "QelProjectsToolBarPopupMenu"},
                              DropDown{QelViewToolButton, "QelViewToolBarPopupMenu"}}) {
        auto *menu = new QMenu(d.button);
        menu->setObjectName(QString::fromLatin1(d.menuName));
        d.button->setMenu(menu);
        d.button->setPopupMode(QToolButton::MenuButtonPopup);
        d.button->setFixedSize(52, 38);
    }
    QMenu *topics = QelModulesToolButton->menu();
    topics->addAction(makeEntry(Command::Find, QStringLiteral("QelModulesFindPopupMenuItem"),
                                QStringLiteral("Szukaj w tematach"), 1, 2221, QString()));
    topics->addAction(makeEntry(Command::FindNext, QStringLiteral("QelModulesFindNextPopupMenuItem"),
                                QStringLiteral("Szukaj dalej w tematach"), 2, 2222, QString()));
    topics->addAction(makeEntry(Command::CopyTopic, QStringLiteral("QelModulesMovePopupMenuItem"),
                                QStringLiteral("Kopiuj temat"), 3, 2223, QString()));
    connect(QelModulesToolButton, &QToolButton::clicked, this, &TQelMainForm::QelModulesFindMenuItemClick);

    QMenu *trainings = QelProjectsToolButton->menu();
    trainings->addAction(makeEntry(Command::NewTraining, QStringLiteral("QelProjectsNewPopupMenuItem"),
                                   QStringLiteral("Nowe szkolenie"), 4, 2231, QString()));
    trainings->addAction(makeEntry(Command::NewTrainingFrom, QStringLiteral("QelProjectsNewFromPopupMenuItem"),
                                   QStringLiteral("Nowe szkolenie od ..."), 5, 2232, QString()));
    trainings->addAction(makeEntry(Command::RenameTraining, QStringLiteral("QelProjectsCorectPopupMenuItem"),
                                   QStringLiteral("Popraw szkolenie"), 6, 2233, QString()));
    trainings->addAction(makeEntry(Command::DeleteTraining, QStringLiteral("QelProjectsDeletePopupMenuItem"),
                                   QStringLiteral("Usuń szkolenie"), 7, 2234, QString()));

    QMenu *view = QelViewToolButton->menu();
    const struct { Command command; const char *name; QString caption; int image; int help; } viewEntries[] = {
        {Command::NewItem, "QelViewNewPopupMenuItem", QStringLiteral("Nowa pozycja w prezentacji"), 8, 2241},
        {Command::RenameItem, "QelViewCorectPopupMenuItem", QStringLiteral("Popraw pozycję w prezentacji"), 9, 2242},
        {Command::MoveItemTop, "QelViewTopPopupMenuItem", QStringLiteral("Przenieś wzwyż"), 10, 2243},
        {Command::MoveItemUp, "QelViewUpPopupMenuItem", QStringLiteral("Przenieś w górę"), 11, 2244},
        {Command::MoveItemDown, "QelViewDownPopupMenuItem", QStringLiteral("Przenieś w dół"), 12, 2245},
        {Command::MoveItemBottom, "QelViewBottomPopupMenuItem", QStringLiteral("Przenieś wgłąb"), 13, 2246},
        {Command::DeleteItem, "QelViewDeletePopupMenuItem", QStringLiteral("Usuń pozycję z prezentacji"), 14, 2247},
        {Command::Preview, "QelViewViewPopupMenuItem", QStringLiteral("Podgląd prezentacji"), 15, 2248},
        {Command::Export, "QelViewCreatePopupMenuItem", QStringLiteral("Utwórz prezentację"), 16, 2249},
        {Command::SavePdf, "QelViewPdfPopupMenuItem", QStringLiteral("Zapisz jako PDF"), 16, 2250},
    };
    for (const auto &e : viewEntries)
        view->addAction(makeEntry(e.command, QString::fromLatin1(e.name), e.caption, e.image, e.help, QString()));
}

void TQelMainForm::buildContextMenus()
{
    auto contextMenu = [this](QWidget *pane, const char *name) {
        auto *menu = new QMenu(pane);
        menu->setObjectName(QString::fromLatin1(name));
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pane, &QWidget::customContextMenuRequested, menu,
                [pane, menu](const QPoint &at) { menu->popup(pane->mapToGlobal(at)); });
        return menu;
    };

    QMenu *list = contextMenu(QelModuleListBox, "QelModulesListBodyPopupMenu");
    list->addAction(makeEntry(Command::Find, QStringLiteral("QelModulesBodyFindPopupMenuItem"),
                              QStringLiteral("Szukaj w tematach"), 1, 2221, QString()));
    list->addAction(makeEntry(Command::FindNext, QStringLiteral("QelModulesBodyFindNextPopupMenuItem"),
                              QStringLiteral("Szukaj dalej w tematach"), 2, 2222, QString()));

    QMenu *tree = contextMenu(QelModuleTreeView, "QelModulesBodyToolBarPopupMenu");
    tree->addAction(makeEntry(Command::CopyTopic, QStringLiteral("QelModulesBodyMovePopupMenuItem"),
                              QStringLiteral("Kopiuj temat"), 3, 2223, QString()));

    QMenu *trainings = contextMenu(QelProjectsListBox, "QelProjectsBodyToolBarPopupMenu");
    trainings->addAction(makeEntry(Command::NewTraining, QStringLiteral("QelProjectsBodyNewPopupMenuItem"),
                                   QStringLiteral("Nowe szkolenie"), 4, 2231, QString()));
    trainings->addAction(makeEntry(Command::NewTrainingFrom, QStringLiteral("QelProjectsBodyNewFromPopupMenuItem"),
                                   QStringLiteral("Nowe szkolenie od ..."), 5, 2232, QString()));
    trainings->addAction(makeEntry(Command::RenameTraining, QStringLiteral("QelProjectsBodyCorectPopupMenuItem"),
                                   QStringLiteral("Popraw szkolenie"), 6, 2233, QString()));
    trainings->addAction(makeEntry(Command::DeleteTraining, QStringLiteral("QelProjectsBodyDeletePopupMenuItem"),
                                   QStringLiteral("Usuń szkolenie"), 7, 2234, QString()));

    QMenu *outline = contextMenu(QelProjectsTreeView, "QelViewBodyToolBarPopupMenu");
    const struct { Command command; const char *name; QString caption; int image; int help; } entries[] = {
        {Command::NewItem, "QelViewBodyNewPopupMenuItem", QStringLiteral("Nowa pozycja w prezentacji"), 8, 2241},
        {Command::RenameItem, "QelViewBodyCorectPopupMenuItem", QStringLiteral("Popraw pozycję w prezentacji"), 9, 2242},
        {Command::MoveItemTop, "QelViewBodyTopPopupMenuItem", QStringLiteral("Przenieś wzwyż"), 10, 2243},
        {Command::MoveItemUp, "QelViewBodyUpPopupMenuItem", QStringLiteral("Przenieś w górę"), 11, 2244},
        {Command::MoveItemDown, "QelViewBodyDownPopupMenuItem", QStringLiteral("Przenieś w dół"), 12, 2245},
        {Command::MoveItemBottom, "QelViewBodyBottomPopupMenuItem", QStringLiteral("Przenieś wgłąb"), 13, 2246},
        {Command::DeleteItem, "QelViewBodyDeletePopupMenuItem", QStringLiteral("Usuń pozycję z prezentacji"), 14, 2247},
        {Command::Preview, "QelViewBodyViewPopupMenuItem", QStringLiteral("Podgląd prezentacji"), 15, 2248},
        {Command::Export, "QelViewBodyCreatePopupMenuItem", QStringLiteral("|Utwórz prezentację"), 16, 2249},
        {Command::SavePdf, "QelViewBodyPdfPopupMenuItem", QStringLiteral("Zapisz jako PDF"), 16, 2250},
    };
    for (const auto &e : entries)
        outline->addAction(makeEntry(e.command, QString::fromLatin1(e.name), e.caption, e.image, e.help, QString()));

    connectCommand(Command::Exit, &TQelMainForm::QelProgramExitMenuItemClick);
    connectCommand(Command::Find, &TQelMainForm::QelModulesFindMenuItemClick);
    connectCommand(Command::FindNext, &TQelMainForm::QelModulesFindNextMenuItemClick);
    connectCommand(Command::CopyTopic, &TQelMainForm::QelModulesMoveMenuItemClick);
    connectCommand(Command::NewTraining, &TQelMainForm::QelProjectsNewMenuItemClick);
    connectCommand(Command::NewTrainingFrom, &TQelMainForm::QelProjectsNewFromMenuItemClick);
    connectCommand(Command::RenameTraining, &TQelMainForm::QelProjectsCorectMenuItemClick);
    connectCommand(Command::DeleteTraining, &TQelMainForm::QelProjectsDeleteMenuItemClick);
    connectCommand(Command::NewItem, &TQelMainForm::QelViewNewMenuItemClick);
    connectCommand(Command::RenameItem, &TQelMainForm::QelViewCorectMenuItemClick);
    connectCommand(Command::MoveItemTop, &TQelMainForm::QelViewTopMenuItemClick);
    connectCommand(Command::MoveItemUp, &TQelMainForm::QelViewUpMenuItemClick);
    connectCommand(Command::MoveItemDown, &TQelMainForm::QelViewDownMenuItemClick);
    connectCommand(Command::MoveItemBottom, &TQelMainForm::QelViewBottomMenuItemClick);
    connectCommand(Command::DeleteItem, &TQelMainForm::QelViewDeleteMenuItemClick);
    connectCommand(Command::Preview, &TQelMainForm::QelViewViewMenuItemClick);
    connectCommand(Command::Export, &TQelMainForm::QelViewCreateMenuItemClick);
    connectCommand(Command::SavePdf, &TQelMainForm::QelViewPdfMenuItemClick);
    connectCommand(Command::HelpContents, &TQelMainForm::QelHelpContentMenuItemClick);
    connectCommand(Command::HelpIndex, &TQelMainForm::QelHelpIndexMenuItemClick);
    connectCommand(Command::HelpInternet, &TQelMainForm::QelHelpInternetMenuItemClick);
    connectCommand(Command::HelpEmail, &TQelMainForm::QelHelpEmailMenuItemClick);
    connectCommand(Command::About, &TQelMainForm::QelHelpAboutMenuItemClick);
}

void TQelMainForm::buildPanes()
{
    auto *main = new QWidget(this);
    main->setObjectName(QStringLiteral("QelMainPanel"));
    auto *mainLayout = new QHBoxLayout(main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(main);

    // A block made of a caption strip over a control; both share the pane's
    // hint and help context.
    auto block = [this](const char *blockName, const char *captionName, const QString &caption, QWidget *control,
                        const QString &hint, int help) {
        auto *panel = new QWidget;
        panel->setObjectName(QString::fromLatin1(blockName));
        auto *layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto *strip = new QLabel(caption, panel);
        strip->setObjectName(QString::fromLatin1(captionName));
        strip->setFixedHeight(kCaptionHeight);
        strip->setFrameShape(QFrame::Panel);
        strip->setFrameShadow(QFrame::Raised);
        strip->setIndent(4);
        layout->addWidget(strip);
        layout->addWidget(control, 1);
        for (QWidget *w : {static_cast<QWidget *>(strip), control}) {
            setHelpContext(w, help);
            w->setProperty("hint", hint);
            w->installEventFilter(this);
        }
        control->setAccessibleName(caption);
        return panel;
    };

    QelModuleListBox = new PaneList;
    QelModuleListBox->setObjectName(QStringLiteral("QelModuleListBox"));
    QelModuleTreeView = new PaneTree;
    QelModuleTreeView->setObjectName(QStringLiteral("QelModuleTreeView"));
    QelModuleTreeView->setDragEnabled(true);
    QelModuleTreeView->setDragDropMode(QAbstractItemView::DragOnly);
    QelModuleTreeView->setAcceptDrops(true);
    QelModuleTreeView->setDefaultDropAction(Qt::CopyAction);
    QelProjectsListBox = new PaneList;
    QelProjectsListBox->setObjectName(QStringLiteral("QelProjectsListBox"));
    QelProjectsTreeView = new PaneTree;
    QelProjectsTreeView->setObjectName(QStringLiteral("QelProjectsTreeView"));
    QelProjectsTreeView->setDragEnabled(true);
    QelProjectsTreeView->setAcceptDrops(true);
    QelProjectsTreeView->setDragDropMode(QAbstractItemView::DragDrop);
    QelProjectsTreeView->setDefaultDropAction(Qt::MoveAction);
    // The outline hides its selection while it has no focus; the topic tree keeps it.
    QPalette outlinePalette = QelProjectsTreeView->palette();
    outlinePalette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
    outlinePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                            outlinePalette.color(QPalette::Active, QPalette::Text));
    QelProjectsTreeView->setPalette(outlinePalette);
    for (PaneList *list : {QelModuleListBox, QelProjectsListBox})
        list->setUniformItemSizes(true);

    // Left column.
    QelModuleSplitter = new QSplitter(Qt::Vertical);
    QelModuleSplitter->setObjectName(QStringLiteral("QelModuleSplitter"));
    QWidget *moduleList = block("QelModuleListPanel", "QelModuleListNamePanel", QStringLiteral("Tematy ramowe"),
                                QelModuleListBox, QStringLiteral("Okienko tematów ramowych"), 2400);
    QWidget *moduleBody = block("QelModuleBodyPanel", "QelModuleBodyNamePanel", QStringLiteral("Tematy szczegółowe"),
                                QelModuleTreeView, QStringLiteral("Okienko tematów szczegółowych"), 2500);
    QelModuleSplitter->addWidget(moduleList);
    QelModuleSplitter->addWidget(moduleBody);
    QelModuleSplitter->setSizes({kListBlockHeight, 400});
    auto *modulePanel = new QWidget;
    modulePanel->setObjectName(QStringLiteral("QelModulePanel"));
    auto *moduleLayout = new QVBoxLayout(modulePanel);
    moduleLayout->setContentsMargins(0, 0, 0, 0);
    moduleLayout->addWidget(QelModuleSplitter);

    // Middle column: the preview pane with its picture and title labels.
    QelViewBodyPanel = new QWidget;
    QelViewBodyPanel->setObjectName(QStringLiteral("QelViewBodyPanel"));
    QelViewImage = new SlideImage(QelViewBodyPanel);
    QelViewImage->setObjectName(QStringLiteral("QelViewImage"));
    QelViewImage->setGeometry(0, 0, 0, 0);
    const QColor face = palette().color(QPalette::Button);
    Qel3DLabel1 = new TitleLabel(QStringLiteral("Mar"), face, QelViewBodyPanel);
    Qel3DLabel2 = new TitleLabel(QStringLiteral("be"), Qt::gray, QelViewBodyPanel);
    Qel3DLabel3 = new TitleLabel(QStringLiteral("lo"), Qt::gray, QelViewBodyPanel);
    const char *labelNames[3] = {"Qel3DLabel1", "Qel3DLabel2", "Qel3DLabel3"};
    int n = 0;
    for (TitleLabel *label : {Qel3DLabel1, Qel3DLabel2, Qel3DLabel3}) {
        label->setObjectName(QString::fromLatin1(labelNames[n++]));
        label->setGeometry(0, 0, 0, 81);
        setHelpContext(label, 2600);
        label->setProperty("hint", QStringLiteral("Okienko podglądu tematu szczegółowego"));
        label->installEventFilter(this);
    }
    setHelpContext(QelViewImage, 2600);
    QelViewImage->setProperty("hint", QStringLiteral("Okienko podglądu tematu szczegółowego"));
    QelViewImage->installEventFilter(this);
    QWidget *viewPanel = block("QelViewPanel", "QelViewNamePanel", QStringLiteral("Podgląd tematu"), QelViewBodyPanel,
                               QStringLiteral("Okienko podglądu tematu szczegółowego"), 2600);

    // Right column.
    QelProjectsSplitter = new QSplitter(Qt::Vertical);
    QelProjectsSplitter->setObjectName(QStringLiteral("QelProjectsSplitter"));
    QelProjectsSplitter->addWidget(block("QelProjectsListPanel", "QelProjectsListNamePanel",
                                         QStringLiteral("Rodzaje szkoleń"), QelProjectsListBox,
                                         QStringLiteral("Okienko rodzajów szkoleń"), 2700));
    QelProjectsSplitter->addWidget(block("QelProjectsBodyPanel", "QelProjectsBodyNamePanel",
                                         QStringLiteral("Prezentacje do szkoleń"), QelProjectsTreeView,
                                         QStringLiteral("Okienko prezentacji do szkoleń"), 2800));
    QelProjectsSplitter->setSizes({kListBlockHeight, 400});
    auto *projectsPanel = new QWidget;
    projectsPanel->setObjectName(QStringLiteral("QelProjectsPanel"));
    auto *projectsLayout = new QVBoxLayout(projectsPanel);
    projectsLayout->setContentsMargins(0, 0, 0, 0);
    projectsLayout->addWidget(QelProjectsSplitter);

    // Columns: left | (middle | right), each border a 3-pixel splitter.
    QelRightSplitter = new QSplitter(Qt::Horizontal);
    QelRightSplitter->setObjectName(QStringLiteral("QelRightSplitter"));
    QelRightSplitter->addWidget(viewPanel);
    QelRightSplitter->addWidget(projectsPanel);
    QelRightSplitter->setStretchFactor(0, 1);
    QelRightSplitter->setStretchFactor(1, 0);
    QelLeftSplitter = new QSplitter(Qt::Horizontal);
    QelLeftSplitter->setObjectName(QStringLiteral("QelLeftSplitter"));
    QelLeftSplitter->addWidget(modulePanel);
    QelLeftSplitter->addWidget(QelRightSplitter);
    QelLeftSplitter->setStretchFactor(0, 0);
    QelLeftSplitter->setStretchFactor(1, 1);
    for (QSplitter *s : {QelLeftSplitter, QelRightSplitter, QelModuleSplitter, QelProjectsSplitter}) {
        s->setHandleWidth(3);
        s->setChildrenCollapsible(false);
    }
    QelLeftSplitter->setSizes({kColumnWidth, kMinimumWidth - kColumnWidth});
    QelRightSplitter->setSizes({kMinimumWidth - 2 * kColumnWidth, kColumnWidth});
    mainLayout->addWidget(QelLeftSplitter);

    // Events of the panes go to their handlers. While a topic search runs
    // (the window keeps processing events) no pane input acts on a list or
    // tree: the handlers are not called and drops are refused.
    const auto idle = [this](void (TQelMainForm::*handler)()) {
        return [this, handler] {
            if (!m_state.searching)
                (this->*handler)();
        };
    };
    connect(QelModuleListBox, &QListWidget::clicked, this, idle(&TQelMainForm::QelModuleListBoxClick));
    QelModuleListBox->onKeyUp = [idle](QKeyEvent *) { idle(&TQelMainForm::QelModuleListBoxKeyUp)(); };
    connect(QelModuleTreeView, &QTreeWidget::clicked, this, idle(&TQelMainForm::QelModuleTreeViewClick));
    connect(QelModuleTreeView, &QTreeWidget::itemDoubleClicked, this, idle(&TQelMainForm::QelModuleTreeViewDblClick));
    QelModuleTreeView->onKeyUp = [idle](QKeyEvent *) { idle(&TQelMainForm::QelModuleTreeViewKeyUp)(); };
    QelModuleTreeView->onDragOver = [this](QDragMoveEvent *e) { QelModuleTreeViewDragOver(e); };
    connect(QelProjectsListBox, &QListWidget::clicked, this, idle(&TQelMainForm::QelProjectsListBoxClick));
    QelProjectsListBox->onKeyUp = [idle](QKeyEvent *) { idle(&TQelMainForm::QelProjectsListBoxKeyUp)(); };
    connect(QelProjectsTreeView, &QTreeWidget::clicked, this, idle(&TQelMainForm::QelProjectsTreeViewClick));
    QelProjectsTreeView->onKeyUp = [idle](QKeyEvent *) { idle(&TQelMainForm::QelProjectsTreeViewKeyUp)(); };
    QelProjectsTreeView->onDragOver = [this](QDragMoveEvent *e) {
        if (m_state.searching)
            e->ignore();
        else
            QelProjectsTreeViewDragOver(e);
    };
    QelProjectsTreeView->onDrop = [this](QDropEvent *e) {
        if (m_state.searching)
            e->ignore();
        else
            QelProjectsTreeViewDragDrop(e);
    };
    QelViewBodyPanel->installEventFilter(this);
}

void TQelMainForm::showHint(const QString &hint)
{
    if (QelMainStatusBar && QelMainStatusBar->isEnabled())
        QelMainStatusBar->showMessage(longHint(hint));
}

bool TQelMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == QelViewBodyPanel && event->type() == QEvent::Resize)
        QelViewBodyPanelResize();
    if (event->type() == QEvent::Enter) {
        const QVariant hint = watched->property("hint");
        if (hint.isValid())
            showHint(hint.toString());
    } else if (event->type() == QEvent::Leave && watched->property("hint").isValid()) {
        showHint(QString());
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace marbelo
