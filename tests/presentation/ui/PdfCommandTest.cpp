// "Zapisz jako PDF" through the window: its entries, the layout dialog, the
// save dialog for *.pdf, the file it writes and what the user is told.

#include "PresentationFixture.h"

#include "presentation/ui/PdfCommand.h"
#include "common/ui/HelpContext.h"
#include "support/ui/DialogTesting.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

using namespace marbelo;
using namespace testing_support;

namespace {

const QString kSaved = QStringLiteral("Plik PDF został poprawnie zapisany.");

class PdfCommandTest : public PresentationTest
{
protected:
    void SetUp() override
    {
        PresentationTest::SetUp();
        open();
        PdfCommandDialogs::of(window.get()).setSaveDialog(&pdfDialog);
    }

    // Runs the command, answering the layout dialog with the button named
    // choice (empty: Cancel) and the save dialog with path (empty: Cancel).
    void savePdf(const QString &choice, const QString &path)
    {
        pdfDialog.answers.push_back(path);
        whenModalShows([&](QWidget *form) {
            EXPECT_EQ(form->windowTitle(), QStringLiteral("Zapisz jako PDF"));
            EXPECT_TRUE(childrenWithoutContext(*form, 2250).isEmpty());
            if (choice.isEmpty()) {
                form->findChild<QPushButton *>(QStringLiteral("QelPdfCancelButton"))->click();
                return;
            }
            form->findChild<QRadioButton *>(choice)->click();
            form->findChild<QPushButton *>(QStringLiteral("QelPdfOkButton"))->click();
        });
        window->entries(Command::SavePdf).mainMenu->trigger();
    }

    static QString pdfInfo(const QString &pdf, const QString &field)
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        info.waitForFinished(60000);
        for (const QString &line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            if (line.startsWith(field + QLatin1Char(':')))
                return line.mid(field.size() + 1).trimmed();
        }
        return QString();
    }

    ScriptedSaveDialog pdfDialog;
};

} // namespace

TEST_F(PdfCommandTest, HasThreeEntriesBesideTheExportsWithTheirOwnHelp)
{
    const auto &e = window->entries(Command::SavePdf);
    const struct
    {
        QAction *action;
        const char *name;
    } cases[] = {{e.mainMenu, "QelViewPdfMenuItem"},
                 {e.dropDown, "QelViewPdfPopupMenuItem"},
                 {e.context, "QelViewBodyPdfPopupMenuItem"}};
    for (const auto &c : cases) {
        ASSERT_NE(c.action, nullptr) << c.name;
        EXPECT_EQ(c.action->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(c.action->text(), QStringLiteral("Zapisz jako PDF"));
        EXPECT_EQ(helpContext(c.action), 2250);
        EXPECT_TRUE(c.action->isEnabled());
    }
    const QList<QAction *> menu = window->mainMenus()[3]->actions();
    EXPECT_EQ(menu.indexOf(e.mainMenu), menu.indexOf(window->entries(Command::Export).mainMenu) + 1);
}

TEST_F(PdfCommandTest, WritesTheChosenLayout)
{
    const struct
    {
        const char *choice;
        const char *pages;
    } cases[] = {{"QelPdfSlidesRadioButton", "3"}, {"QelPdfHandoutsRadioButton", "1"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.choice);
        messages.calls.clear();
        const QString pdf = outFolder() + QString::fromLatin1(c.choice) + ".pdf";
        savePdf(QString::fromLatin1(c.choice), pdf);
        EXPECT_EQ(pdfDialog.answers.size(), 0u);
        EXPECT_EQ(messages.texts(), QStringList({kSaved}));
        EXPECT_EQ(pdfInfo(pdf, "Pages"), QString::fromLatin1(c.pages));
        EXPECT_EQ(pdfInfo(pdf, "Title"), QStringLiteral("Szkolenie"));
        EXPECT_FALSE(fileExists(workFile()));
    }
}

TEST_F(PdfCommandTest, CancellingEitherDialogWritesAndShowsNothing)
{
    savePdf(QString(), outFolder() + "a.pdf");
    EXPECT_EQ(pdfDialog.shown, 0);
    pdfDialog.answers.clear();
    savePdf(QStringLiteral("QelPdfSlidesRadioButton"), QString());
    EXPECT_EQ(pdfDialog.shown, 1);
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(QDir(outFolder()).isEmpty());
}

TEST_F(PdfCommandTest, FailuresAreToldAndLeaveNoPdf)
{
    const struct
    {
        QString chosen;
        QString message;
    } cases[] = {
        {dir.file("missing/p.pdf"),
         "Nie udało się zapisać pliku PDF. Nie zapisano pliku „" + QDir::toNativeSeparators(dir.file("missing/p.pdf"))
             + "” ("},
        {dir.file("Tree0000.pdl"), "Nie można zapisać pliku PDF pod nazwą Tree0000.pdl"},
    };
    const QByteArray outline = readFile(dir.file("Tree0000.pdl"));
    for (const auto &c : cases) {
        messages.calls.clear();
        savePdf(QStringLiteral("QelPdfHandoutsRadioButton"), c.chosen);
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_TRUE(messages.calls[0].text.startsWith(c.message)) << messages.calls[0].text.toStdString();
    }
    EXPECT_FALSE(QDir(dir.file("missing")).exists());
    EXPECT_EQ(readFile(dir.file("Tree0000.pdl")), outline);
    EXPECT_FALSE(fileExists(workFile()));
}

TEST_F(PdfCommandTest, TheSaveDialogAsksForAPdfFile)
{
    PdfCommandDialogs::of(window.get()).setSaveDialog(nullptr);
    const QString chosen = outFolder() + "Szkolenie.pdf";
    whenModalShows([&](QWidget *form) {
        form->findChild<QPushButton *>(QStringLiteral("QelPdfOkButton"))->click();
        whenModalShows([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Zapisz prezentację jako PDF");
            EXPECT_EQ(dialog->nameFilters(), QStringList({"Pliki PDF (*.pdf)"}));
            EXPECT_EQ(dialog->defaultSuffix(), "pdf");
            EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            dialog->selectFile(chosen);
            static_cast<QDialog *>(dialog)->accept();
        });
    });
    window->entries(Command::SavePdf).context->trigger();
    EXPECT_EQ(messages.texts(), QStringList({kSaved}));
    EXPECT_TRUE(readFile(chosen).startsWith("%PDF-"));
}
