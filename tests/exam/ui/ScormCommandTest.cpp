// "Pakiet e-learningowy (SCORM)..." in the window: a topic copied into the
// outline, two questions on it in the bank, and the package saved where the
// scripted dialog says; the package itself is checked by its browser test.

#include "exam/QuestionBank.h"
#include "exam/ScormPackage.h"
#include "exam/ui/ScormCommand.h"
#include "shell/ui/MainWindow.h"
#include "store/db/DatabaseSession.h"
#include "support/ui/OutlineFixture.h"
#include "support/ui/Scripted.h"

#include <QAction>
#include <QFile>

using namespace marbelo;
using namespace testing_support;

namespace {

class ScormCommandTest : public OutlineWindowTest
{
protected:
    void SetUp() override
    {
        makeTraining({{QStringLiteral("Rozdział"), 0, kChapter}, {QStringLiteral("Dział"), 1, 0}});
        open();
        window->findChild<exam::ScormCommand *>(QStringLiteral("QelScormCommand"))->setSaveDialog(&saveDialog);
        selectItem(QStringLiteral("Dział"));
        selectTopic(QStringLiteral("Temat A"));
        window->entries(Command::CopyTopic).mainMenu->trigger();
    }
    void addQuestions(int count)
    {
        QString error;
        QStringList notices;
        db::Database *database = window->database().open(&error, &notices);
        ASSERT_TRUE(database) << error.toStdString();
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(exam::addQuestion(*database,
                                          {QStringLiteral("Tematy"), {}, {}, QStringLiteral("Pytanie %1?").arg(i),
                                           {QStringLiteral("tak"), QStringLiteral("nie"), QStringLiteral("nie wiem")}, 0},
                                          &error))
                << error.toStdString();
    }

    ScriptedSaveDialog saveDialog;
};

} // namespace

TEST_F(ScormCommandTest, EveryEntrySavesThePackageOrTellsWhyNot)
{
    const QString zip = dir.file(QStringLiteral("pakiet.zip"));
    const CommandEntries &entries = window->entries(Command::ScormPackage);
    // Too few questions for the self-check test: nothing written, the reason told.
    saveDialog.answers.push_back(zip);
    entries.mainMenu->trigger();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.startsWith(QStringLiteral("Nie udało się utworzyć pakietu")));
    EXPECT_FALSE(fileExists(zip));

    addQuestions(10);
    exam::ScormResult written;
    written.ok = true;
    for (QAction *entry : {entries.mainMenu, entries.dropDown, entries.context}) {
        ASSERT_TRUE(entry);
        QFile::remove(zip);
        saveDialog.answers.push_back(zip);
        entry->trigger();
        EXPECT_EQ(messages.calls.back().text, exam::scormMessage(written));
        EXPECT_TRUE(readFile(zip).startsWith("PK\x03\x04"));
    }
}
