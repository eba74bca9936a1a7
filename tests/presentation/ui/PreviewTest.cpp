// "Podgląd prezentacji": the full-screen window, its keys, buttons, key help
// and end confirmation, and the command around it.

#include "PresentationFixture.h"

#include "presentation/ui/KeyHelpForm.h"
#include "presentation/ui/ViewForm.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "presentation/ui/SlideCanvas.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace marbelo;
using namespace testing_support;

namespace {

const QString kEndQuestion = QStringLiteral("Czy jesteś pewien, że chcesz zakończyć podgląd prezentacji?");

void releaseKey(QWidget *w, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void releaseButton(ViewForm *view, Qt::MouseButton button)
{
    const QPointF at(10, 10);
    QMouseEvent event(QEvent::MouseButtonRelease, at, view->canvas()->mapToGlobal(at), button, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view->canvas(), &event);
}

// 'r', 'g' or 'b': the strongest colour in the middle of the shown slide, or
// '-' when nothing is drawn there.
char shownColour(ViewForm *view)
{
    if (!view->canvas()->hasPicture())
        return '-';
    const QImage shot = view->canvas()->grab().toImage();
    const QColor c = shot.pixelColor(shot.width() / 2, shot.height() / 2);
    if (c.red() > c.green() + 60 && c.red() > c.blue() + 60)
        return 'r';
    if (c.green() > c.red() + 60 && c.green() > c.blue() + 60)
        return 'g';
    if (c.blue() > c.red() + 60 && c.blue() > c.green() + 60)
        return 'b';
    return '?';
}

class PreviewTest : public PresentationTest
{
protected:
    // Runs the preview command; body drives the window and must end it.
    void preview(std::function<void(ViewForm *)> body)
    {
        bool shown = false;
        whenModalShows([&](QWidget *modal) {
            auto *view = qobject_cast<ViewForm *>(modal);
            ASSERT_NE(view, nullptr);
            shown = true;
            body(view);
            if (view->isVisible()) {
                ADD_FAILURE() << "the preview is still open";
                view->reject();
            }
        });
        window->entries(Command::Preview).mainMenu->trigger();
        EXPECT_TRUE(shown);
    }

    // Runs the command expecting no window at all.
    bool previewOpensNothing()
    {
        bool opened = false;
        QTimer guard;
        guard.callOnTimeout([&] {
            if (QApplication::activeModalWidget()) {
                opened = true;
                closeStrayDialogs();
            }
        });
        guard.start(1);
        window->entries(Command::Preview).mainMenu->trigger();
        return !opened;
    }

    void endWithYes(ViewForm *view)
    {
        messages.answers.push_back(true);
        releaseKey(view, Qt::Key_Escape);
    }

    // The main menus and tool buttons that DisableCommands greys out, and
    // the preview's own entry.
    bool commandsEnabled() const
    {
        bool enabled = window->entries(Command::Preview).mainMenu->isEnabled();
        for (QMenu *menu : window->mainMenus())
            enabled = enabled && menu->menuAction()->isEnabled();
        for (QToolButton *button : child<QToolBar>("QelMainToolBar")->findChildren<QToolButton *>())
            enabled = enabled && button->isEnabled();
        return enabled;
    }
};

} // namespace

TEST_F(PreviewTest, FullScreenWindowShowsFrontPageThenItemsInOutlineOrder)
{
    open();
    preview([&](ViewForm *view) {
        EXPECT_EQ(view->windowTitle(), " Podgląd prezentacji");
        EXPECT_TRUE(view->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(view->geometry(), QGuiApplication::primaryScreen()->geometry());
        EXPECT_EQ(view->canvas()->geometry(), view->rect());
        EXPECT_TRUE(view->property("ownsF1").toBool());
        EXPECT_EQ(view->palette().color(QPalette::Window), view->palette().color(QPalette::Button));
        EXPECT_EQ(view->slideCount(), 3);
        // One screen: no presenter console.
        EXPECT_EQ(view->console(), nullptr);
        EXPECT_FALSE(commandsEnabled());
        EXPECT_TRUE(fileExists(workFile()));
        EXPECT_TRUE(view->pointerHidden());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BlankCursor);
        EXPECT_EQ(shownColour(view), 'r');
        releaseKey(view, Qt::Key_Space);
        EXPECT_EQ(shownColour(view), 'g');
        releaseKey(view, Qt::Key_Space);
        EXPECT_EQ(shownColour(view), 'b');
        EXPECT_FALSE(fileExists(temporaryDir() + kViewJpgName));
        endWithYes(view);
    });
    EXPECT_FALSE(fileExists(workFile()));
    EXPECT_TRUE(commandsEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(messages.texts(), QStringList({kEndQuestion}));
    EXPECT_EQ(messages.calls[0].defaultAnswer, DefaultAnswer::Yes);
}

TEST_F(PreviewTest, KeysAndButtonsStopAtBothEnds)
{
    open();
    preview([&](ViewForm *view) {
        const struct
        {
            std::function<void()> input;
            int from;
            int to;
        } steps[] = {
            {[&] { releaseKey(view, Qt::Key_Left); }, 0, 0},
            {[&] { releaseKey(view, Qt::Key_Up); }, 0, 0},
            {[&] { releaseKey(view, Qt::Key_PageUp); }, 0, 0},
            {[&] { releaseButton(view, Qt::RightButton); }, 0, 0},
            {[&] { releaseKey(view, Qt::Key_Right); }, 0, 1},
            {[&] { releaseButton(view, Qt::MiddleButton); }, 1, 1},
            {[&] { releaseKey(view, Qt::Key_F2); }, 1, 1},
            {[&] { releaseKey(view, Qt::Key_A); }, 1, 1},
            {[&] { releaseButton(view, Qt::LeftButton); }, 1, 2},
            {[&] { releaseKey(view, Qt::Key_Space); }, 2, 2},
            {[&] { releaseKey(view, Qt::Key_Right); }, 2, 2},
            {[&] { releaseKey(view, Qt::Key_Down); }, 2, 2},
            {[&] { releaseKey(view, Qt::Key_PageDown); }, 2, 2},
            {[&] { releaseButton(view, Qt::LeftButton); }, 2, 2},
            {[&] { releaseKey(view, Qt::Key_Up); }, 2, 1},
            {[&] { releaseKey(view, Qt::Key_PageUp); }, 1, 0},
            {[&] { releaseKey(view, Qt::Key_Down); }, 0, 1},
            {[&] { releaseKey(view, Qt::Key_PageDown); }, 1, 2},
            {[&] { releaseButton(view, Qt::RightButton); }, 2, 1},
        };
        int i = 0;
        for (const auto &step : steps) {
            EXPECT_EQ(view->currentSlide(), step.from) << i;
            step.input();
            EXPECT_EQ(view->currentSlide(), step.to) << i;
            ++i;
        }
        EXPECT_TRUE(messages.calls.empty());
        endWithYes(view);
    });
}

TEST_F(PreviewTest, EscThenNoKeepsTheSlideWithThePointerHidden)
{
    open();
    preview([&](ViewForm *view) {
        releaseKey(view, Qt::Key_Space);
        messages.answers.push_back(false);
        releaseKey(view, Qt::Key_Escape);
        EXPECT_TRUE(view->isVisible());
        EXPECT_EQ(view->currentSlide(), 1);
        EXPECT_EQ(shownColour(view), 'g');
        EXPECT_TRUE(view->pointerHidden());
        EXPECT_EQ(messages.texts(), QStringList({kEndQuestion}));
        // Closing the window by other means asks the same question.
        messages.answers.push_back(false);
        view->close();
        EXPECT_TRUE(view->isVisible());
        EXPECT_EQ(messages.calls.size(), 2u);
        endWithYes(view);
        EXPECT_FALSE(view->isVisible());
    });
    EXPECT_EQ(messages.calls.size(), 3u);
    EXPECT_FALSE(fileExists(workFile()));
    EXPECT_TRUE(commandsEnabled());
}

TEST_F(PreviewTest, F1OpensTheKeyHelpAndClosingItReturnsToTheSameSlide)
{
    open();
    preview([&](ViewForm *view) {
        releaseKey(view, Qt::Key_Space);
        for (const bool withEsc : {true, false}) {
            bool helped = false;
            whenModalShows([&](QWidget *help) {
                helped = qobject_cast<KeyHelpForm *>(help) != nullptr;
                EXPECT_EQ(help->windowTitle(), " Pomoc");
                EXPECT_EQ(QApplication::overrideCursor(), nullptr);
                if (withEsc)
                    releaseKey(help, Qt::Key_Escape);
                else
                    help->findChild<QPushButton *>("QelHelpCloseButton")->click();
            });
            releaseKey(view, Qt::Key_F1);
            EXPECT_TRUE(helped);
            EXPECT_TRUE(view->isVisible());
            EXPECT_EQ(view->currentSlide(), 1);
            EXPECT_EQ(shownColour(view), 'g');
            EXPECT_TRUE(view->pointerHidden());
        }
        EXPECT_TRUE(messages.calls.empty());
        endWithYes(view);
    });
}

TEST_F(PreviewTest, UndecodableSlideShowsAnEmptyScreen)
{
    // The second item's slide is not a picture.
    writeFile(dir.file(imageStoreFileName(0)),
              readFile(dir.file(imageStoreFileName(0))).replace(slideB, QByteArray(slideB.size(), 'x')));
    open();
    preview([&](ViewForm *view) {
        releaseKey(view, Qt::Key_Space);
        EXPECT_EQ(shownColour(view), 'g');
        releaseKey(view, Qt::Key_Space);
        EXPECT_EQ(view->currentSlide(), 2);
        EXPECT_EQ(shownColour(view), '-');
        releaseKey(view, Qt::Key_Left);
        EXPECT_EQ(shownColour(view), 'g');
        endWithYes(view);
    });
}

TEST_F(PreviewTest, NothingToShowIsToldWithoutAWindow)
{
    const struct
    {
        std::function<void()> setUp;
        QString message;
    } cases[] = {
        {[&] { QFile::remove(dir.file(imageStoreFileName(0))); },
         "Nie udało się przygotować podglądu prezentacji"},
        {[&] {
             // No front page and no item with a slide.
             QFile::remove(dir.file(kFrontPageName));
             writeFile(dir.file(imageStoreFileName(0)), QByteArray());
             QString error;
             ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)), {{QStringLiteral("Sekcja"), 0, 0}}, &error));
         },
         "Prezentacja nie zawiera żadnego slajdu do wyświetlenia."},
    };
    int i = 0;
    for (const auto &c : cases) {
        c.setUp();
        window.reset();
        messages.calls.clear();
        open();
        EXPECT_TRUE(previewOpensNothing()) << i;
        ASSERT_EQ(messages.calls.size(), 1u) << i;
        EXPECT_TRUE(messages.calls[0].text.startsWith(c.message)) << messages.calls[0].text.toStdString();
        EXPECT_FALSE(fileExists(workFile()));
        EXPECT_TRUE(commandsEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        ++i;
    }
}
