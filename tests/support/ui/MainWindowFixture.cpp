#include "support/ui/MainWindowFixture.h"

#include "common/ui/PaneWidgets.h"

#include <QApplication>
#include <QTest>

namespace testing_support {

void MainWindowTest::TearDown()
{
    closeStrayDialogs();
    window.reset();
}

marbelo::MainWindow &MainWindowTest::open(bool keepStartTimer)
{
    window = std::make_unique<marbelo::MainWindow>(dir.path(), messages, saveDialog);
    window->show();
    if (!keepStartTimer)
        window->firstRunTimer()->stop();
    QApplication::processEvents();
    return *window;
}

void MainWindowTest::clickLine(QListWidget *list, int row)
{
    QListWidgetItem *line = list->item(row);
    EXPECT_NE(line, nullptr);
    if (!line)
        return;
    list->scrollToItem(line);
    const QPoint at = list->visualItemRect(line).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void MainWindowTest::clickItem(QTreeWidget *tree, QTreeWidgetItem *item)
{
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void MainWindowTest::doubleClickItem(QTreeWidget *tree, QTreeWidgetItem *item)
{
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void MainWindowTest::pressKey(QWidget *widget, Qt::Key key)
{
    widget->setFocus();
    QTest::keyPress(widget, key);
    QTest::keyRelease(widget, key);
}

QStringList MainWindowTest::listTexts(const QListWidget *list) const
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList MainWindowTest::treeShape(const QTreeWidget *tree) const
{
    QStringList out;
    const auto *pane = qobject_cast<const marbelo::PaneTree *>(tree);
    if (!pane)
        return out;
    for (const QTreeWidgetItem *item : pane->flatItems()) {
        int level = 0;
        for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            ++level;
        out << QString::number(level) + QLatin1Char(':') + item->text(0);
    }
    return out;
}

} // namespace testing_support
