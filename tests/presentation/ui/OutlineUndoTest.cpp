// Undo and redo of every outline change through the window: after an undo
// the outline file and its programme file (the headings' hours) are byte for
// byte what they were before the change, after a redo what they were after
// it; copies never write a slide twice.

#include "trainings/Programme.h"
#include "store/ProgrammeFile.h"
#include "support/FileSizeLimit.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/OutlineFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QTimer>
#include <QUndoStack>

#include <functional>

using namespace marbelo;
using namespace testing_support;

namespace {

// Hours on a section, a subsection and a chapter travel with their items.
const std::vector<OutlineRecord> kOutline = {
    {QStringLiteral("R1"), 0, 0x40000000}, {QStringLiteral("D1"), 1, 0, PlannedHours{4, 2}},
    {QStringLiteral("P1"), 2, 0, PlannedHours{1, 0}}, {QStringLiteral("P2"), 2, 0},
    {QStringLiteral("D2"), 1, 0}, {QStringLiteral("R2"), 0, 0x40000000, PlannedHours{8, 0}},
};

// Answers the next "Liczba godzin" dialog: its own hours, then OK.
void answerHoursDialog(double theory, double exercises)
{
    QTimer::singleShot(0, [=] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        dialog->findChild<QAbstractButton *>(QStringLiteral("QelHoursOwnCheckBox"))->setChecked(true);
        dialog->findChild<QDoubleSpinBox *>(QStringLiteral("QelHoursTheoryEdit"))->setValue(theory);
        dialog->findChild<QDoubleSpinBox *>(QStringLiteral("QelHoursExercisesEdit"))->setValue(exercises);
        buttonWithText(dialog, QStringLiteral("OK"))->click();
    });
}

class OutlineUndoTest : public OutlineWindowTest
{
protected:
    void SetUp() override { makeTraining(kOutline); }

    QString planPath() const { return programmePathFor(outlinePath()); }
    // Every item's hours in the window's model equal those read back from disk.
    void expectHoursAsOnDisk() const
    {
        const std::vector<OutlineRecord> shown = window->outline().outline().records();
        const std::vector<OutlineRecord> saved = OutlineTree::load(outlinePath()).records();
        ASSERT_EQ(shown.size(), saved.size());
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(shown[i].hours, saved[i].hours) << shown[i].name.toStdString();
    }

    void run(Command command) { window->entries(command).mainMenu->trigger(); }
    QString caption(Command command) const { return window->entries(command).mainMenu->text(); }
};

} // namespace

TEST_F(OutlineUndoTest, EveryChangeIsUndoneAndRedoneByteForByte)
{
    struct Case
    {
        const char *what; // the undo entry names it
        std::function<void()> change;
    };
    const std::vector<Case> cases = {
        {"Nowa pozycja",
         [&] {
             selectItem(QStringLiteral("D1"));
             answerNameDialog(QStringLiteral("Nowy"), QStringLiteral("Utwórz"));
             run(Command::NewItem);
         }},
        {"Popraw pozycję",
         [&] {
             selectItem(QStringLiteral("D1"));
             answerNameDialog(QStringLiteral("Dział pierwszy"), QStringLiteral("Popraw"));
             run(Command::RenameItem);
         }},
        {"Przenieś wzwyż", [&] { selectItem(QStringLiteral("D2")); run(Command::MoveItemTop); }},
        {"Przenieś w górę", [&] { selectItem(QStringLiteral("D2")); run(Command::MoveItemUp); }},
        {"Przenieś w dół", [&] { selectItem(QStringLiteral("D1")); run(Command::MoveItemDown); }},
        {"Przenieś wgłąb", [&] { selectItem(QStringLiteral("D1")); run(Command::MoveItemBottom); }},
        {"Usuń pozycję",
         [&] {
             selectItem(QStringLiteral("D1")); // with its two subsections
             messages.answers = {true, true};
             run(Command::DeleteItem);
         }},
        {"Kopiuj temat",
         [&] {
             selectItem(QStringLiteral("D2"));
             selectTopic(QStringLiteral("Temat A"));
             run(Command::CopyTopic);
         }},
        {"Kopiuj temat",
         [&] {
             selectItem(QStringLiteral("D2"));
             moduleTree()->expandAll();
             doubleClickItem(moduleTree(), topic(QStringLiteral("Temat B")));
         }},
        {"Kopiuj temat",
         [&] {
             selectTopic(QStringLiteral("Temat A"));
             window->outline().dropAt(moduleTree(), labelPoint(item(QStringLiteral("R2"))));
         }},
        {"Przenieś pozycję",
         [&] {
             selectItem(QStringLiteral("P1"));
             window->outline().dropAt(outline(), labelPoint(item(QStringLiteral("R2"))));
         }},
        {"Liczba godzin",
         [&] {
             selectItem(QStringLiteral("D2"));
             answerHoursDialog(1.5, 0.25);
             run(Command::SetHours);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        ASSERT_TRUE(OutlineTree::fromRecords(kOutline).save(outlinePath(), &error));
        QFile::remove(storePath());
        open();
        messages.calls.clear();
        EXPECT_EQ(caption(Command::UndoItem), QStringLiteral("Cofnij"));
        const QByteArray before = readFile(outlinePath());
        const QByteArray planBefore = readFile(planPath());
        c.change();
        const QByteArray after = readFile(outlinePath());
        const QByteArray planAfter = readFile(planPath());
        const QByteArray store = readFile(storePath());
        ASSERT_NE(after + planAfter, before + planBefore);
        expectHoursAsOnDisk();
        EXPECT_EQ(caption(Command::UndoItem), QStringLiteral("Cofnij: ") + QString::fromUtf8(c.what));

        run(Command::UndoItem);
        EXPECT_EQ(readFile(outlinePath()), before);
        EXPECT_EQ(readFile(planPath()), planBefore);
        EXPECT_EQ(treeShape(outline()), fileShape());
        expectHoursAsOnDisk();
        EXPECT_EQ(caption(Command::RedoItem), QStringLiteral("Ponów: ") + QString::fromUtf8(c.what));
        EXPECT_FALSE(window->entries(Command::UndoItem).mainMenu->isEnabled());

        run(Command::RedoItem);
        EXPECT_EQ(readFile(outlinePath()), after);
        EXPECT_EQ(readFile(planPath()), planAfter);
        EXPECT_EQ(treeShape(outline()), fileShape());
        expectHoursAsOnDisk();
        EXPECT_EQ(readFile(storePath()), store); // the store only grows by the copy itself
        EXPECT_FALSE(window->entries(Command::RedoItem).mainMenu->isEnabled());
        for (const auto &call : messages.calls)
            EXPECT_EQ(call.kind, QStringLiteral("confirmation")) << call.text.toStdString();
    }
}

TEST_F(OutlineUndoTest, EachTrainingKeepsItsOwnHistory)
{
    ASSERT_TRUE(appendTrainingRecord(dir.path(), {QStringLiteral("Tamto"), 0, 0}).has_value());
    QString error;
    ASSERT_TRUE(saveOutline(dir.file(outlineFileName(1)), {{QStringLiteral("X"), 0, 0}, {QStringLiteral("Y"), 0, 0}},
                            &error));
    open();
    const auto chooseTraining = [&](const QString &name) {
        clickLine(trainingList(), listTexts(trainingList()).indexOf(name));
    };
    chooseTraining(QStringLiteral("Szkolenie"));
    const QByteArray first = readFile(outlinePath());
    selectItem(QStringLiteral("D2"));
    run(Command::MoveItemUp);
    chooseTraining(QStringLiteral("Tamto"));
    EXPECT_FALSE(window->entries(Command::UndoItem).mainMenu->isEnabled());
    const QByteArray second = readFile(dir.file(outlineFileName(1)));
    selectItem(QStringLiteral("Y"));
    run(Command::MoveItemUp);

    chooseTraining(QStringLiteral("Szkolenie"));
    EXPECT_EQ(caption(Command::UndoItem), QStringLiteral("Cofnij: Przenieś w górę"));
    run(Command::UndoItem);
    EXPECT_EQ(readFile(outlinePath()), first);
    EXPECT_NE(readFile(dir.file(outlineFileName(1))), second);
    chooseTraining(QStringLiteral("Tamto"));
    run(Command::UndoItem);
    EXPECT_EQ(readFile(dir.file(outlineFileName(1))), second);
    EXPECT_EQ(treeShape(outline()), QStringList({"0:X", "0:Y"}));
}

TEST_F(OutlineUndoTest, AnUndoThatCannotBeSavedShowsTheOutlineOnDisk)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "no file-size limit on this platform";
    open();
    selectItem(QStringLiteral("D1"));
    messages.answers = {true, true};
    run(Command::DeleteItem);
    const QByteArray deleted = readFile(outlinePath());
    const QStringList shape = fileShape();
    messages.calls.clear();
    {
        // Bringing the subtree back needs a larger file than the disk allows.
        FileSizeLimit limit;
        ASSERT_TRUE(limit.set(deleted.size() + 10));
        run(Command::UndoItem);
    }
    EXPECT_EQ(readFile(outlinePath()), deleted);
    EXPECT_EQ(treeShape(outline()), shape);
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_TRUE(messages.calls[0].text.contains(QStringLiteral("Widoczna jest prezentacja zapisana na dysku")));
    // The history no longer fits the disk and is gone.
    EXPECT_FALSE(window->entries(Command::UndoItem).mainMenu->isEnabled());
    EXPECT_FALSE(window->entries(Command::RedoItem).mainMenu->isEnabled());
}
