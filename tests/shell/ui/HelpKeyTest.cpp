// F1: the help context of the highlighted menu entry or of the focused
// control's nearest ancestor with one; windows that own F1 are left alone.

#include "shell/ui/HelpKey.h"

#include "RecordingHelp.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>

#include <vector>

using namespace marbelo;

namespace {

// An edit that counts the F1 presses that reach it.
class RecordingEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    int f1Presses = 0;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_F1)
            ++f1Presses;
        QLineEdit::keyPressEvent(event);
    }
};

// window (no context) > outline pane 2800 > frame (none) > edit (none)
//                     > list pane 2400 > list edit 2401
//                     > plain edit (none)
struct Panes
{
    Panes()
    {
        auto *layout = new QVBoxLayout(&window);
        outline = new QWidget(&window);
        setHelpContext(outline, 2800);
        auto *frame = new QWidget(outline);
        (new QVBoxLayout(outline))->addWidget(frame);
        outlineEdit = new RecordingEdit(frame);
        (new QVBoxLayout(frame))->addWidget(outlineEdit);
        list = new QWidget(&window);
        setHelpContext(list, 2400);
        listEdit = new RecordingEdit(list);
        setHelpContext(listEdit, 2401);
        (new QVBoxLayout(list))->addWidget(listEdit);
        plainEdit = new RecordingEdit(&window);
        layout->addWidget(outline);
        layout->addWidget(list);
        layout->addWidget(plainEdit);
        window.show();
        window.activateWindow();
    }

    QWidget window;
    QWidget *outline;
    RecordingEdit *outlineEdit;
    QWidget *list;
    RecordingEdit *listEdit;
    RecordingEdit *plainEdit;
};

void focusOn(QWidget *widget)
{
    widget->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), widget);
}

} // namespace

TEST(HelpKey, OpensTheContextOfTheFocusedControlOrItsNearestAncestor)
{
    RecordingHelp help;
    HelpKey key;
    qApp->installEventFilter(&key);
    Panes panes;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panes.window));

    struct Case { RecordingEdit *focus; QList<int> opened; int reachedControl; };
    const Case cases[] = {
        {panes.outlineEdit, {2800}, 0},  // two levels up
        {panes.listEdit, {2401}, 0},     // its own context before its pane's
        {panes.plainEdit, {}, 1},        // no context anywhere: F1 is not taken
    };
    for (const Case &c : cases) {
        help.topics.clear();
        focusOn(c.focus);
        QTest::keyClick(c.focus, Qt::Key_F1);
        // As std::vector: Qt 6.4 compares two empty QLists through memcmp(nullptr, ...).
        EXPECT_EQ(std::vector<int>(help.topics.begin(), help.topics.end()),
                  std::vector<int>(c.opened.begin(), c.opened.end()));
        EXPECT_EQ(c.focus->f1Presses, c.reachedControl);
    }
}

TEST(HelpKey, HeldF1OpensTheTopicOnce)
{
    RecordingHelp help;
    HelpKey key;
    qApp->installEventFilter(&key);
    Panes panes;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panes.window));
    focusOn(panes.outlineEdit);
    QTest::keyPress(panes.outlineEdit, Qt::Key_F1);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(panes.outlineEdit, &repeat);
    QTest::keyRelease(panes.outlineEdit, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{2800});
    EXPECT_EQ(panes.outlineEdit->f1Presses, 0);
}

TEST(HelpKey, WithoutFocusTheActiveWindowDecides)
{
    RecordingHelp help;
    QWidget window;
    setHelpContext(&window, 4040);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(HelpKey::currentContext(), 4040);
}

TEST(HelpKey, HighlightedMenuEntryWins)
{
    RecordingHelp help;
    HelpKey key;
    qApp->installEventFilter(&key);
    Panes panes;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panes.window));
    focusOn(panes.outlineEdit);

    QMenu menu(&panes.window);
    setHelpContext(menu.menuAction(), 2240);
    QAction *plain = menu.addAction(QStringLiteral("Bez tematu"));
    QAction *create = menu.addAction(QStringLiteral("Utwórz prezentację"));
    setHelpContext(create, 2249);

    struct Case { QAction *highlighted; int opened; };
    const Case cases[] = {
        {create, 2249},  // the entry's own context
        {plain, 2240},   // an entry without one: the menu's entry
    };
    for (const Case &c : cases) {
        help.topics.clear();
        menu.popup(panes.window.geometry().center());
        QTRY_COMPARE(QApplication::activePopupWidget(), &menu);
        menu.setActiveAction(c.highlighted);
        QTest::keyClick(&menu, Qt::Key_F1);
        EXPECT_EQ(help.topics, QList<int>{c.opened});
        // Help closes the menu.
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST(HelpKey, MenuBarEntryOpensItsContext)
{
    RecordingHelp help;
    HelpKey key;
    qApp->installEventFilter(&key);
    QMainWindow window;
    QMenu *view = window.menuBar()->addMenu(QStringLiteral("Prezentacje"));
    setHelpContext(view->menuAction(), 2240);
    QAction *preview = view->addAction(QStringLiteral("Podgląd prezentacji"));
    setHelpContext(preview, 2248);
    window.setCentralWidget(new QLineEdit);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    window.menuBar()->setActiveAction(view->menuAction());
    QTRY_COMPARE(QApplication::activePopupWidget(), view);
    EXPECT_EQ(HelpKey::currentContext(), 2240);
    view->setActiveAction(preview);
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{2248});
}

TEST(HelpKey, WindowThatOwnsF1IsLeftAlone)
{
    RecordingHelp help;
    HelpKey key;
    qApp->installEventFilter(&key);
    Panes panes;
    panes.window.setProperty("ownsF1", true);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panes.window));
    focusOn(panes.outlineEdit);

    EXPECT_EQ(HelpKey::currentContext(), 0);
    QTest::keyClick(panes.outlineEdit, Qt::Key_F1);
    EXPECT_TRUE(help.topics.isEmpty());
    EXPECT_EQ(panes.outlineEdit->f1Presses, 1);
}

TEST(HelpKey, TakesF1BeforeAShortcutOnIt)
{
    RecordingHelp help;
    HelpKey key;
    qApp->installEventFilter(&key);
    Panes panes;
    QAction shortcut(&panes.window);
    shortcut.setShortcut(Qt::Key_F1);
    panes.window.addAction(&shortcut);
    int triggered = 0;
    QObject::connect(&shortcut, &QAction::triggered, [&triggered] { ++triggered; });
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panes.window));

    focusOn(panes.outlineEdit);
    QTest::keyClick(panes.outlineEdit, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{2800});
    EXPECT_EQ(triggered, 0);

    // Where F1 has no topic, the shortcut keeps working.
    focusOn(panes.plainEdit);
    QTest::keyClick(panes.plainEdit, Qt::Key_F1);
    EXPECT_EQ(help.topics, QList<int>{2800});
    EXPECT_EQ(triggered, 1);
}

TEST(HelpKey, InstallPutsOneFilterOnTheApplication)
{
    RecordingHelp help;
    HelpKey *key = HelpKey::install();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->parent(), qApp);
    Panes panes;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panes.window));
    focusOn(panes.listEdit);
    QTest::keyClick(panes.listEdit, Qt::Key_F1);
    delete key;
    EXPECT_EQ(help.topics, QList<int>{2401});
}
