// "Pakiet e-learningowy (SCORM)..." in the window: a topic copied into the
// outline, questions on it in the bank, the self-check test's size and pass
// mark given in the form, and the package saved where the scripted dialog
// says; the package itself is checked by its browser test.

#include "exam/QuestionBank.h"
#include "exam/ScormPackage.h"
#include "exam/ui/ScormCommand.h"
#include "shell/ui/MainWindow.h"
#include "store/db/DatabaseSession.h"
#include "support/ui/OutlineFixture.h"
#include "support/ui/Scripted.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

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

    // Answers the form of the self-check test when it opens.
    void answerForm(int questions, int passMark)
    {
        QTimer::singleShot(0, [=] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            dialog->findChild<QSpinBox *>(QStringLiteral("QelScormQuestionCount"))->setValue(questions);
            dialog->findChild<QSpinBox *>(QStringLiteral("QelScormPassMark"))->setValue(passMark);
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
    }
    // The manifest as Info-ZIP's unzip reads it from the package.
    static QString manifest(const QString &zip)
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, QStringLiteral("imsmanifest.xml")});
        unzip.waitForFinished(60000);
        return QString::fromUtf8(unzip.readAllStandardOutput());
    }

    ScriptedSaveDialog saveDialog;
};

} // namespace

TEST_F(ScormCommandTest, SavesThePackageOrTellsWhyNot)
{
    const QString zip = dir.file(QStringLiteral("pakiet.zip"));
    const CommandEntries &entries = window->entries(Command::ScormPackage);
    // Too few questions for the self-check test: nothing written, the reason told.
    answerForm(3, 70);
    saveDialog.answers.push_back(zip);
    entries.mainMenu->trigger();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.startsWith(QStringLiteral("Nie udało się utworzyć pakietu")));
    EXPECT_FALSE(fileExists(zip));

    addQuestions(10);
    exam::ScormResult written;
    written.ok = true;
    answerForm(10, 65);
    saveDialog.answers.push_back(zip);
    entries.dropDown->trigger();
    EXPECT_EQ(messages.calls.back().text, exam::scormMessage(written));
    EXPECT_TRUE(manifest(zip).contains(QStringLiteral("masteryscore>65<")));
}
