// The commands that change the trainer's files, run through the window against
// a file-size limit at every byte count of a small case: every file ends as it
// was or as the command makes it, nothing is left behind, the window shows
// what the files hold, and the user is told whenever a change did not reach
// the disk.

#include "common/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/SlideBlocks.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/OutlineFixture.h"
#include "topics/ui/PreviewWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QtEndian>

using namespace marbelo;
using namespace testing_support;

namespace {

class CommandFaultTest : public OutlineWindowTest
{
protected:
    const std::vector<OutlineRecord> kOutline{{QStringLiteral("Rozdział 1"), 0, kChapter},
                                              {QStringLiteral("Dział 1.1"), 1, 0},
                                              {QStringLiteral("Poddział 1.1.1"), 2, 0},
                                              {QStringLiteral("Dział 1.2"), 1, 0}};

    void SetUp() override
    {
        if (!FileSizeLimit::isSupported())
            GTEST_SKIP() << "this platform has no per-process file-size limit";
        makeTraining(kOutline);
        catalogue = readFile(dir.file(kCatalogueName));
        outline0 = readFile(outlinePath());
    }

    // Runs the command once; true when it showed no message.
    bool runQuietly(const std::function<void()> &command)
    {
        messages.calls.clear();
        command();
        return messages.calls.empty();
    }

    void answerTrainingForm(const QString &editName, const QString &name, int type, const QString &okText)
    {
        whenModalShows([=](QWidget *form) {
            auto *edit = form->findChild<QLineEdit *>(editName);
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, name);
            form->findChild<QComboBox *>()->setCurrentIndex(type);
            buttonWithText(form, okText)->click();
        });
    }

    // The list shows exactly the trainings the catalogue holds.
    void expectListMatchesCatalogue()
    {
        std::vector<CatalogueEntry> entries;
        ASSERT_TRUE(readCatalogue(dir.path(), &entries));
        QStringList live;
        for (const CatalogueEntry &e : entries) {
            if (e.record.isLive())
                live << e.record.name;
        }
        QStringList shown = listTexts(trainingList());
        live.sort();
        shown.sort();
        EXPECT_EQ(shown, live);
    }

    // Puts the list back to what the catalogue holds and selects line 0.
    void reloadList()
    {
        trainingList()->clear();
        std::vector<CatalogueEntry> entries;
        ASSERT_TRUE(readCatalogue(dir.path(), &entries));
        for (const CatalogueEntry &e : entries) {
            if (e.record.isLive())
                trainingList()->insertSorted(e.record.name, e.number);
        }
        clickLine(trainingList(), 0);
    }

    QByteArray catalogue;
    QByteArray outline0;
};

} // namespace

TEST_F(CommandFaultTest, NewTraining)
{
    open();
    expectSoundMatrix({QStringLiteral("window: new training"), dir.path(),
                 {{dir.file(kCatalogueName), catalogue, catalogue + trainingRecordBytes(QStringLiteral("Beta"), 2)},
                  {dir.file(outlineFileName(1)), std::nullopt, QByteArray()},
                  {dir.file(imageStoreFileName(1)), std::nullopt, QByteArray()}},
                 [&] {
                     const bool quiet = runQuietly([&] {
                         answerTrainingForm(QStringLiteral("QelNewProjectNameEdit"), QStringLiteral("Beta"), 2,
                                            QStringLiteral("Utwórz"));
                         window->entries(Command::NewTraining).mainMenu->trigger();
                     });
                     expectListMatchesCatalogue();
                     return quiet;
                 },
                 [&] { reloadList(); }});
}

TEST_F(CommandFaultTest, NewTrainingFromAnother)
{
    writeFile(storePath(), kImageStoreMagic + blockBytes(QByteArray(300, 's')));
    const QByteArray store = readFile(storePath());
    open();
    expectSoundMatrix({QStringLiteral("window: new training from another"), dir.path(),
                 {{dir.file(kCatalogueName), catalogue, catalogue + trainingRecordBytes(QStringLiteral("Kopia"), 0)},
                  {dir.file(imageStoreFileName(1)), std::nullopt, store},
                  {dir.file(outlineFileName(1)), std::nullopt, outline0}},
                 [&] {
                     const bool quiet = runQuietly([&] {
                         answerTrainingForm(QStringLiteral("QelNewProjectFromNameEdit"), QStringLiteral("Kopia"), 0,
                                            QStringLiteral("Utwórz"));
                         window->entries(Command::NewTrainingFrom).mainMenu->trigger();
                     });
                     expectListMatchesCatalogue();
                     // A copy that fails takes the whole training back: no
                     // record without its slides or its outline.
                     if (!quiet) {
                         EXPECT_EQ(readFile(dir.file(kCatalogueName)), catalogue);
                         EXPECT_FALSE(fileExists(dir.file(imageStoreFileName(1))));
                         EXPECT_FALSE(fileExists(dir.file(outlineFileName(1))));
                     }
                     return quiet;
                 },
                 [&] { reloadList(); }});
}

TEST_F(CommandFaultTest, RenameAndDeleteTraining)
{
    open();
    expectSoundMatrix({QStringLiteral("window: rename training"), dir.path(),
                 {{dir.file(kCatalogueName), catalogue, trainingRecordBytes(QStringLiteral("Nowa nazwa"), 4)}},
                 [&] {
                     const bool quiet = runQuietly([&] {
                         answerTrainingForm(QStringLiteral("QelCorectProjectNameEdit"), QStringLiteral("Nowa nazwa"),
                                            4, QStringLiteral("Popraw"));
                         window->entries(Command::RenameTraining).mainMenu->trigger();
                     });
                     expectListMatchesCatalogue();
                     return quiet;
                 },
                 [&] { reloadList(); }});

    expectSoundMatrix({QStringLiteral("window: delete training"), dir.path(),
                 {{dir.file(kCatalogueName), catalogue, trainingRecordBytes(QStringLiteral("Szkolenie"), 0, -1)}},
                 [&] {
                     const bool quiet = runQuietly([&] {
                         messages.answers = {true};
                         window->entries(Command::DeleteTraining).mainMenu->trigger();
                     });
                     // The question is always asked; only a failure adds a message.
                     const bool told = messages.calls.size() > 1;
                     EXPECT_FALSE(quiet);
                     expectListMatchesCatalogue();
                     return !told;
                 },
                 [&] { reloadList(); }});
}

TEST_F(CommandFaultTest, CopyTopicIntoTheOutline)
{
    open();
    // The block copied is the topic file's own, still coded.
    const QByteArray file = readFile(dir.file("t.mdl"));
    selectTopic(QStringLiteral("Temat A"));
    const auto offset = static_cast<qsizetype>(slideOffset(PaneTree::referenceOf(topic(QStringLiteral("Temat A")))));
    const QByteArray coded = file.mid(offset + 4, qFromLittleEndian<std::int32_t>(file.constData() + offset));
    std::vector<OutlineRecord> grown = kOutline;
    grown.insert(grown.begin() + 3, {QStringLiteral("Temat A"), 2, 4});
    expectSoundMatrix({QStringLiteral("window: copy a topic into the outline"), dir.path(),
                 {{storePath(), QByteArray(), kImageStoreMagic + blockBytes(coded)},
                  {outlinePath(), outline0, outlineBytes(grown)},
                  {dir.file(kCopyJpgName), std::nullopt, std::nullopt}},
                 [&] {
                     return runQuietly([&] { window->entries(Command::CopyTopic).mainMenu->trigger(); });
                 },
                 [&] {
                     reloadList();
                     selectItem(QStringLiteral("Dział 1.1"));
                     selectTopic(QStringLiteral("Temat A"));
                 }});
}

TEST_F(CommandFaultTest, MoveAnItem)
{
    open();
    const std::vector<OutlineRecord> moved{kOutline[0], kOutline[3], kOutline[1], kOutline[2]};
    expectSoundMatrix({QStringLiteral("window: move an outline item"), dir.path(),
                 {{outlinePath(), outline0, outlineBytes(moved)}},
                 [&] {
                     const bool quiet =
                         runQuietly([&] { window->entries(Command::MoveItemUp).mainMenu->trigger(); });
                     // A save that failed leaves the move on screen, and says so.
                     EXPECT_EQ(treeShape(outline()).size(), 4);
                     return quiet;
                 },
                 [&] {
                     reloadList();
                     selectItem(QStringLiteral("Dział 1.2"));
                 }});
}

TEST_F(CommandFaultTest, SlidePreviewThroughViewJpg)
{
    open();
    std::vector<qint64> limits;
    for (qint64 limit = 0; limit <= jpegA.size(); ++limit)
        limits.push_back(limit);
    const FaultRow row = runFaultMatrix(
        {QStringLiteral("window: topic slide preview through View.jpg"),
         dir.path(),
         {{dir.file(kViewJpgName), std::nullopt, std::nullopt}},
         [&] {
             selectTopic(QStringLiteral("Temat A"));
             // Shown whole, or not at all: the title labels take its place.
             const bool shown = window->slidePreview().slideShown();
             EXPECT_EQ(previewImage()->isVisible(), shown);
             EXPECT_EQ(child<QWidget>("Qel3DLabel1")->isVisible(), !shown);
             return shown;
         },
         [&] { selectTopic(QStringLiteral("Rozdział tematów")); }},
        limits);
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(row.whole, 2) << row.summary().toStdString();
    EXPECT_EQ(row.refused, static_cast<int>(limits.size()) - 1) << row.summary().toStdString();
}

TEST_F(CommandFaultTest, UndoADeleteAndRedoIt)
{
    open();
    std::vector<OutlineRecord> deleted = kOutline;
    deleted.erase(deleted.begin() + 1, deleted.begin() + 3);
    // Each run starts from a delete of "Dział 1.1" with its subsection.
    const auto deleteTheSection = [&] {
        writeFile(outlinePath(), outline0);
        reloadList();
        selectItem(QStringLiteral("Dział 1.1"));
        messages.answers = {true, true};
        window->entries(Command::DeleteItem).mainMenu->trigger();
        ASSERT_EQ(readFile(outlinePath()), outlineBytes(deleted));
    };
    // A failed step shows what is on disk, and says so.
    const auto undoOrRedo = [&](Command command) {
        const bool quiet = runQuietly([&] { window->entries(command).mainMenu->trigger(); });
        EXPECT_EQ(treeShape(outline()), fileShape());
        return quiet;
    };
    expectSoundMatrix({QStringLiteral("window: undo of a delete"), dir.path(),
                 {{outlinePath(), outlineBytes(deleted), outline0}},
                 [&] { return undoOrRedo(Command::UndoItem); }, deleteTheSection});
    expectSoundMatrix({QStringLiteral("window: redo of a delete"), dir.path(),
                 {{outlinePath(), outline0, outlineBytes(deleted)}},
                 [&] { return undoOrRedo(Command::RedoItem); },
                 [&] {
                     deleteTheSection();
                     window->entries(Command::UndoItem).mainMenu->trigger();
                 }});
}
