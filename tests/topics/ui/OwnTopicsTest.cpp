// Own topics through the window: importing slides from the list's menu, the
// progress dialog's "Anuluj", a file that disappears before the import, and
// renaming and deleting own topics, which vendor topics do not allow.

#include "common/ui/PaneWidgets.h"
#include "store/TopicFile.h"
#include "support/SlideSources.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTest>

using namespace marbelo;
using namespace testing_support;

namespace {

class OwnTopicsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        writeTopicFile(dir.file("a.mdl"), QStringLiteral("Apteczka"),
                       {topicRecord("0", "0", "0", QStringLiteral("Zawartość apteczki"))});
        files = std::make_shared<ScriptedOpenFilesDialog>();
    }

    void openWithDialog()
    {
        open();
        window->topicLibrary().setOpenFilesDialog(files);
    }

    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QString selectedLine() const
    {
        const auto selected = moduleList()->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text();
    }

    bool contextEnabled(Command command) const { return window->entries(command).context->isEnabled(); }

    std::shared_ptr<ScriptedOpenFilesDialog> files;
    TempDataDir sources; // the trainer's own files, outside the data directory
};

} // namespace

TEST_F(OwnTopicsTest, ImportAddsTheTopicFromADeckAndAPictureAndSelectsIt)
{
    writePdf(sources.file("Szkolenie wstępne.pdf"), 2, {{QStringLiteral("Wstep"), 0, 0}});
    writeFile(sources.file("hala.png"), pictureBytes(40, 20, "PNG"));
    files->answers.push_back({sources.file("Szkolenie wstępne.pdf"), sources.file("hala.png")});
    openWithDialog();
    QString offered;
    whenModalShows([&offered](QWidget *form) {
        auto *edit = form->findChild<QLineEdit *>(QStringLiteral("QelImportTitleTitleEdit"));
        offered = edit->text();
        EXPECT_EQ(edit->maxLength(), 128);
        EXPECT_TRUE(childrenWithoutContext(*form, 4120).isEmpty());
        buttonWithText(form, QStringLiteral("Importuj"))->click();
    });
    window->entries(Command::ImportSlides).context->trigger();

    EXPECT_EQ(offered, QStringLiteral("Szkolenie wstępne"));
    EXPECT_TRUE(messages.calls.empty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(entries(), QStringList({"Własne 001.mdl", "a.mdl"}));
    EXPECT_EQ(listTexts(moduleList()), QStringList({"Apteczka", "Szkolenie wstępne"}));
    EXPECT_EQ(selectedLine(), QStringLiteral("Szkolenie wstępne"));
    EXPECT_EQ(treeShape(moduleTree()), QStringList({"0:Wstep", "1:Slajd 2", "0:hala"}));
    EXPECT_TRUE(contextEnabled(Command::RenameOwnTopic));
    EXPECT_TRUE(contextEnabled(Command::DeleteOwnTopic));
}

TEST_F(OwnTopicsTest, AnulujInTheProgressDialogLeavesNoFile)
{
    writePdf(sources.file("deck.pdf"), 4);
    files->answers.push_back({sources.file("deck.pdf")});
    openWithDialog();
    bool progressShown = false;
    whenModalShows([&progressShown](QWidget *form) {
        whenModalShows([&progressShown](QWidget *progress) {
            progressShown = qobject_cast<QProgressDialog *>(progress) != nullptr;
            buttonWithText(progress, QStringLiteral("Anuluj"))->click();
        });
        buttonWithText(form, QStringLiteral("Importuj"))->click();
    });
    window->entries(Command::ImportSlides).mainMenu->trigger();

    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(entries(), QStringList({"a.mdl"}));
    EXPECT_EQ(listTexts(moduleList()), QStringList({"Apteczka"}));
}

TEST_F(OwnTopicsTest, AFileThatDisappearsIsNamedAndNothingIsAdded)
{
    writeFile(sources.file("zdjęcie.jpg"), makeJpeg(20, 10));
    writeFile(sources.file("hala.png"), pictureBytes(20, 10, "PNG"));
    files->answers.push_back({sources.file("hala.png"), sources.file("zdjęcie.jpg")});
    openWithDialog();
    whenModalShows([this](QWidget *form) {
        QFile::remove(sources.file("zdjęcie.jpg"));
        buttonWithText(form, QStringLiteral("Importuj"))->click();
    });
    window->entries(Command::ImportSlides).dropDown->trigger();

    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.contains(QStringLiteral("„zdjęcie.jpg”"))) << messages.calls[0].text.toStdString();
    EXPECT_EQ(entries(), QStringList({"a.mdl"}));
}

TEST_F(OwnTopicsTest, OwnTopicsAreRenamedAndDeletedVendorTopicsAreNot)
{
    const std::vector<TopicRecordSource> records = {
        topicRecord("0", "0", "1", QStringLiteral("Slajd 1"), makeJpeg(8, 8))};
    writeTopicFile(dir.file("Własne 001.mdl"), QStringLiteral("Moje slajdy"), records);
    openWithDialog();
    ASSERT_EQ(listTexts(moduleList()), QStringList({"Apteczka", "Moje slajdy"}));
    EXPECT_FALSE(contextEnabled(Command::RenameOwnTopic)); // the vendor's "Apteczka"
    EXPECT_FALSE(contextEnabled(Command::DeleteOwnTopic));
    EXPECT_TRUE(contextEnabled(Command::ImportSlides));

    clickLine(moduleList(), 1);
    ASSERT_TRUE(contextEnabled(Command::RenameOwnTopic));
    whenModalShows([](QWidget *form) {
        auto *edit = form->findChild<QLineEdit *>(QStringLiteral("QelRenameTopicTitleEdit"));
        EXPECT_EQ(edit->text(), QStringLiteral("Moje slajdy"));
        edit->selectAll();
        typeText(edit, QStringLiteral("Ćwiczenia żurawia"));
        buttonWithText(form, QStringLiteral("Zmień"))->click();
    });
    window->entries(Command::RenameOwnTopic).context->trigger();
    EXPECT_EQ(listTexts(moduleList()), QStringList({"Apteczka", "Ćwiczenia żurawia"}));
    EXPECT_EQ(selectedLine(), QStringLiteral("Ćwiczenia żurawia"));
    QString title;
    ASSERT_TRUE(readTopicTitle(dir.file("Własne 001.mdl"), &title));
    EXPECT_EQ(title, QStringLiteral("Ćwiczenia żurawia"));

    // "Nie" keeps it, "Tak" deletes it.
    messages.answers = {false, true};
    window->entries(Command::DeleteOwnTopic).context->trigger();
    EXPECT_TRUE(fileExists(dir.file("Własne 001.mdl")));
    window->entries(Command::DeleteOwnTopic).context->trigger();
    EXPECT_FALSE(fileExists(dir.file("Własne 001.mdl")));
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(messages.calls[1].kind, QStringLiteral("confirmation"));
    EXPECT_TRUE(messages.calls[1].text.contains(QStringLiteral("„Ćwiczenia żurawia”")));
    EXPECT_EQ(listTexts(moduleList()), QStringList({"Apteczka"}));
    EXPECT_EQ(selectedLine(), QStringLiteral("Apteczka"));
    EXPECT_FALSE(contextEnabled(Command::DeleteOwnTopic));
}
