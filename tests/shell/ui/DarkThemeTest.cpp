// Under a dark desktop palette the pale-yellow panes keep dark text and a
// readable selection; what has no colour of its own follows the theme.

#include "common/ui/HelpContext.h"
#include "common/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "support/ui/MainWindowFixture.h"
#include "topics/ui/PreviewWidgets.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QStatusBar>

using namespace marbelo;
using namespace testing_support;

namespace {

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(50, 50, 50));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 55));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(90, 90, 90));
    dark.setColor(QPalette::HighlightedText, QColor(20, 20, 20));
    return dark;
}

bool isDark(const QColor &c) { return c.lightness() < 100; }

class DarkThemeTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        saved = QApplication::palette();
        QApplication::setPalette(darkPalette());
        writeTopicFile(dir.file("a.mdl"), QStringLiteral("Przepisy"),
                       {topicRecord("0", "1", "0", QStringLiteral("Kodeks pracy"))});
        appendTrainingRecord(dir.path(), {QStringLiteral("Wstępne"), 0, 0});
        createTrainingFiles(dir.path(), 0);
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        QApplication::setPalette(saved);
    }
    QPalette saved;
};

} // namespace

TEST_F(DarkThemeTest, PaleYellowPanesKeepDarkTextAndAReadableSelection)
{
    open();
    const struct
    {
        const char *name;
        QWidget *widget;
    } panes[] = {
        {"QelModuleListBox", window->findChild<QWidget *>(QStringLiteral("QelModuleListBox"))},     {"QelModuleTreeView", window->findChild<QWidget *>(QStringLiteral("QelModuleTreeView"))},
        {"QelProjectsListBox", window->findChild<QWidget *>(QStringLiteral("QelProjectsListBox"))}, {"QelProjectsTreeView", window->findChild<QWidget *>(QStringLiteral("QelProjectsTreeView"))},
        {"Qel3DLabel1", window->findChild<QWidget *>(QStringLiteral("Qel3DLabel1"))},               {"QelViewBodyPanel", window->findChild<QWidget *>(QStringLiteral("QelViewBodyPanel"))},
    };
    for (const auto &pane : panes) {
        SCOPED_TRACE(pane.name);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            const QPalette &p = pane.widget->palette();
            EXPECT_EQ(p.color(group, QPalette::Base), kPaleYellow);
            EXPECT_EQ(p.color(group, QPalette::Window), kPaleYellow);
            EXPECT_TRUE(isDark(p.color(group, QPalette::Text)));
            EXPECT_TRUE(isDark(p.color(group, QPalette::WindowText)));
            // Selected lines: light text on a dark enough highlight.
            EXPECT_GT(p.color(group, QPalette::HighlightedText).lightness() -
                          p.color(group, QPalette::Highlight).lightness(), 60);
        }
    }
    // The status bar has no colour of its own: it follows the theme.
    EXPECT_EQ(window->statusBar()->palette().color(QPalette::Window), QColor(45, 45, 45));
}

TEST_F(DarkThemeTest, TopicNamesAreDrawnInDarkInk)
{
    open();
    moduleList()->clearSelection();
    const QImage drawn = moduleList()->viewport()->grab().toImage();
    int darkPixels = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            darkPixels += isDark(drawn.pixelColor(x, y));
    EXPECT_GT(darkPixels, 10); // the line "Przepisy" in dark ink on pale yellow
}
