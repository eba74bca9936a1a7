#include "support/ui/InstalledWindow.h"

#include "common/ui/PaneWidgets.h"
#include "support/ui/DialogTesting.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace testing_support {

bool InstalledWindow::open(const marbelo::DataLocation &location)
{
    QString error;
    if (!location.prepare(&error)) {
        ADD_FAILURE() << error.toStdString();
        return false;
    }
    window = std::make_unique<marbelo::MainWindow>(location, messages, saveDialog);
    window->show();
    window->firstRunTimer()->stop();
    QApplication::processEvents();
    return true;
}

void InstalledWindow::close()
{
    closeStrayDialogs();
    window.reset();
}

void InstalledWindow::createTraining(const QString &name, int type)
{
    whenModalShows([=](QWidget *form) {
        auto *edit = form->findChild<QLineEdit *>(QStringLiteral("QelNewProjectNameEdit"));
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, name);
        form->findChild<QComboBox *>()->setCurrentIndex(type);
        buttonWithText(form, QStringLiteral("Utwórz"))->click();
    });
    window->entries(marbelo::Command::NewTraining).mainMenu->trigger();
}

QStringList InstalledWindow::lines(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

} // namespace testing_support
