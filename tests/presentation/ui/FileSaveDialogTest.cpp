// The export's save dialog: caption, filter, extension, start folder, the
// overwrite question and the remembered name.

#include "common/ui/DialogParts.h"
#include "presentation/ui/FileSaveDialog.h"
#include "support/Fixtures.h"
#include "support/ui/Scripted.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

TEST(FileSaveDialog, AsksForAPresentationFileAndRemembersTheLastName)
{
    TempDataDir dir;
    FileSaveDialog saveDialog;
    const QString chosen = dir.file("Szkolenie.pnn");
    QString startedIn;
    whenModalShows([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Zapisz prezentację w wybranej lokalizacji pod nazwą ...");
        EXPECT_EQ(dialog->nameFilters(), QStringList({"Pliki prezentacji (*.pnn)"}));
        EXPECT_EQ(dialog->defaultSuffix(), "pnn");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog->isSizeGripEnabled());
        startedIn = dialog->directory().absolutePath();
        dialog->selectFile(chosen);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept checks the name first
    });
    EXPECT_EQ(saveDialog.execute(), chosen);
    EXPECT_EQ(startedIn, QDir(fileDialogStartDirectory()).absolutePath());
    EXPECT_EQ(fileDialogStartDirectory(), QDir::homePath());

    QString proposed;
    whenModalShows([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        proposed = dialog->selectedFiles().value(0);
        dialog->reject();
    });
    EXPECT_TRUE(saveDialog.execute().isEmpty());
    EXPECT_EQ(proposed, chosen);
}
