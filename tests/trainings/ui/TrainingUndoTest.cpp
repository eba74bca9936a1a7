// Undo and redo of the training commands through the window: after an undo
// the catalogue is byte for byte what it was, after a redo what the command
// left; a deleted training comes back with its outline.

#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>

#include <functional>

using namespace marbelo;
using namespace testing_support;

namespace {

class TrainingUndoTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("BHP ogólne"), 1, 0}).has_value());
        ASSERT_TRUE(createTrainingFiles(dir.path(), 0));
        QString error;
        ASSERT_TRUE(saveOutline(dir.file(outlineFileName(0)), {{QStringLiteral("Rozdział"), 0, 0x40000000}}, &error));
    }

    void run(Command command) { window->entries(command).mainMenu->trigger(); }
    QString caption(Command command) const { return window->entries(command).mainMenu->text(); }
    QByteArray catalogue() const { return readFile(dir.file(kCatalogueName)); }
};

} // namespace

TEST_F(TrainingUndoTest, EveryTrainingCommandIsUndoneAndRedoneByteForByte)
{
    struct Case
    {
        const char *what;
        std::function<void()> change;
        QStringList listAfter;
    };
    const std::vector<Case> cases = {
        {"Nowe szkolenie",
         [&] {
             answerNameDialog(QStringLiteral("Nowe BHP"), QStringLiteral("Utwórz"));
             run(Command::NewTraining);
         },
         {"BHP ogólne", "Nowe BHP"}},
        {"Nowe szkolenie od ...",
         [&] {
             answerNameDialog(QStringLiteral("Kopia"), QStringLiteral("Utwórz"));
             run(Command::NewTrainingFrom);
         },
         {"BHP ogólne", "Kopia"}},
        {"Popraw szkolenie",
         [&] {
             answerNameDialog(QStringLiteral("Ogólne BHP"), QStringLiteral("Popraw"));
             run(Command::RenameTraining);
         },
         {"Ogólne BHP"}},
        {"Usuń szkolenie",
         [&] {
             messages.answers = {true};
             run(Command::DeleteTraining);
         },
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        open();
        messages.calls.clear();
        const QByteArray before = catalogue();
        c.change();
        const QByteArray after = catalogue();
        ASSERT_NE(after, before);
        EXPECT_EQ(listTexts(trainingList()), c.listAfter);
        EXPECT_EQ(caption(Command::UndoTraining), QStringLiteral("Cofnij: ") + QString::fromUtf8(c.what));

        run(Command::UndoTraining);
        EXPECT_EQ(catalogue(), before);
        EXPECT_EQ(listTexts(trainingList()), QStringList({"BHP ogólne"}));
        // The training that was there before is shown with its outline.
        EXPECT_EQ(treeShape(outlineTree()), QStringList({"0:Rozdział"}));
        EXPECT_EQ(caption(Command::RedoTraining), QStringLiteral("Ponów: ") + QString::fromUtf8(c.what));

        run(Command::RedoTraining);
        EXPECT_EQ(catalogue(), after);
        EXPECT_EQ(listTexts(trainingList()), c.listAfter);
        for (const auto &call : messages.calls)
            EXPECT_EQ(call.kind, QStringLiteral("confirmation")) << call.text.toStdString();

        // Back to the start for the next case; a training taken back for
        // good leaves no files behind.
        run(Command::UndoTraining);
        window.reset();
        EXPECT_EQ(catalogue(), before);
        EXPECT_FALSE(QFile::exists(dir.file(outlineFileName(1))));
    }
}

TEST_F(TrainingUndoTest, ACatalogueThatCannotBeWrittenIsReportedAndShownAsOnDisk)
{
    open();
    messages.answers = {true};
    run(Command::DeleteTraining);
    const QByteArray deleted = catalogue();
    // The catalogue's place is taken by a folder: the undo cannot write it.
    ASSERT_TRUE(QFile::rename(dir.file(kCatalogueName), dir.file(QStringLiteral("saved.pdl"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(kCatalogueName));
    run(Command::UndoTraining);
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_TRUE(messages.calls[1].text.contains(QStringLiteral("Widoczna jest lista szkoleń zapisana na dysku")));
    EXPECT_EQ(trainingList()->count(), 0);
    EXPECT_FALSE(window->entries(Command::UndoTraining).mainMenu->isEnabled());
    EXPECT_FALSE(window->entries(Command::RedoTraining).mainMenu->isEnabled());
    EXPECT_EQ(readFile(dir.file(QStringLiteral("saved.pdl"))), deleted);
}
