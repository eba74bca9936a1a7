// "Pytania do tematu..." through the window: the selected topic's questions
// (the demo questions put into the bank on first use), a new question typed
// into the form, and undo, all kept in the data folder's database.

#include "exam/QuestionBank.h"
#include "store/db/Database.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace marbelo;
using namespace testing_support;

TEST_F(MainWindowTest, QuestionBankWindowAddsAndUndoes)
{
    writeTopicFile(dir.file("a.mdl"), QStringLiteral("Apteczka"),
                   {topicRecord("0", "0", "0", QStringLiteral("Zawartość apteczki"))});
    writeFile(dir.file("Pytania.gift"), QStringLiteral("$CATEGORY: Apteczka\n\nCo? {=a ~b ~c}\n\n"
                                                       "$CATEGORY: Inny\n\nCo? {=a ~b ~c}\n")
                                            .toUtf8());
    open();
    clickLine(moduleList(), 0);
    int shownFirst = -1;
    int afterAdd = -1;
    int afterUndo = -1;
    whenModalShows([&](QWidget *bank) {
        auto *list = bank->findChild<QListWidget *>(QStringLiteral("QelQuestionsList"));
        shownFirst = list->count();
        whenModalShows([](QWidget *form) {
            form->findChild<QPlainTextEdit *>(QStringLiteral("QelQuestionText"))->setPlainText(QStringLiteral("Gdzie?"));
            for (const char *answer : {"QelQuestionAnswerA", "QelQuestionAnswerB", "QelQuestionAnswerC"})
                form->findChild<QLineEdit *>(QLatin1String(answer))->setText(QLatin1String(answer));
            form->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        buttonWithText(bank, QStringLiteral("Nowe..."))->click();
        afterAdd = list->count();
        buttonWithText(bank, QStringLiteral("Cofnij"))->click();
        afterUndo = list->count();
        buttonWithText(bank, QStringLiteral("Ponów"))->click();
        buttonWithText(bank, QStringLiteral("Zamknij"))->click();
    });
    window->entries(Command::QuestionBank).mainMenu->trigger();
    EXPECT_EQ(shownFirst, 1);
    EXPECT_EQ(afterAdd, 2);
    EXPECT_EQ(afterUndo, 1);

    db::Database database(db::Database::pathIn(dir.path()));
    ASSERT_TRUE(database.open());
    const auto questions = exam::listQuestions(database, QStringLiteral("Apteczka"));
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1].question.text, QStringLiteral("Gdzie?"));
    EXPECT_EQ(questions[1].question.answers.size(), 3);
}
