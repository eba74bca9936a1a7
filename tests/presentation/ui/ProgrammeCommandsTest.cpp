// The programme in the window, as a newcomer does it: hours on three chapters
// of a type-2 training show the programme line marked below the minimum, two
// more hours make it plain, and "Program szkolenia (PDF)..." writes the file.

#include "presentation/ui/PdfCommand.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/OutlineFixture.h"
#include "support/ui/Scripted.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTimer>

using namespace marbelo;
using namespace testing_support;

namespace {

class ProgrammeCommandsTest : public OutlineWindowTest
{
protected:
    void SetUp() override
    {
        makeTraining({{QStringLiteral("Rozdział 1"), 0, kChapter},
                      {QStringLiteral("Rozdział 2"), 0, kChapter},
                      {QStringLiteral("Rozdział 3"), 0, kChapter},
                      {QStringLiteral("Rozdział 4"), 0, kChapter}});
        // The training is a periodic one for manual positions (type 2).
        RecordBytes bytes{};
        ASSERT_TRUE(packTrainingRecord({QStringLiteral("Szkolenie"), 2, 0}, &bytes));
        ASSERT_TRUE(restoreTrainingRecord(dir.path(), 0, bytes));
        open();
        PdfCommandDialogs::of(window.get()).setSaveDialog(&saveDialog);
    }

    void setHours(const QString &chapter, double theory)
    {
        selectItem(chapter);
        QTimer::singleShot(0, [=] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            dialog->findChild<QDoubleSpinBox *>(QStringLiteral("QelHoursTheoryEdit"))->setValue(theory);
            buttonWithText(dialog, QStringLiteral("OK"))->click();
        });
        window->entries(Command::SetHours).context->trigger();
    }
    QLabel *line() const { return window->findChild<QLabel *>(QStringLiteral("QelProgrammeLabel")); }

    ScriptedSaveDialog saveDialog;
};

} // namespace

TEST_F(ProgrammeCommandsTest, ANewcomerPlansTheHoursAndPrintsTheProgramme)
{
    ASSERT_TRUE(line());
    EXPECT_TRUE(line()->isVisible());
    for (const char *chapter : {"Rozdział 1", "Rozdział 2", "Rozdział 3"})
        setHours(QString::fromUtf8(chapter), 2);
    EXPECT_EQ(line()->text(), QStringLiteral("Program: 6 h z wymaganych 8 — poniżej minimum"));
    EXPECT_FALSE(line()->styleSheet().isEmpty()); // marked in colour as well
    EXPECT_EQ(item(QStringLiteral("Rozdział 1"))->data(0, kItemSuffixRole).toString(), QStringLiteral(" — 2 h"));

    setHours(QStringLiteral("Rozdział 4"), 2);
    EXPECT_EQ(line()->text(), QStringLiteral("Program: 8 h z wymaganych 8"));
    EXPECT_TRUE(line()->styleSheet().isEmpty());

    const QString pdf = dir.file(QStringLiteral("program.pdf"));
    saveDialog.answers.push_back(pdf);
    window->entries(Command::SaveProgramme).mainMenu->trigger();
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.contains(QStringLiteral("Program szkolenia został zapisany")));
    EXPECT_TRUE(readFile(pdf).startsWith("%PDF"));
}
