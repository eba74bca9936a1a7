// The window of an installed program: topics from the shared and the user's
// folder, the user's files only in their own folder, the front page and the
// player taken from the package's folders.

#include "common/ui/PaneWidgets.h"
#include "store/Catalogue.h"
#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/components/Coding.h"
#include "support/Fixtures.h"
#include "support/ui/InstalledWindow.h"

#include <QAction>
#include <QDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

QByteArray block(const QByteArray &coded)
{
    QByteArray bytes(4, '\0');
    const quint32 size = static_cast<quint32>(coded.size());
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return bytes + coded;
}

// The coded front page of training type t: a small JPEG, as the export
// accepts only pictures.
QByteArray frontPage(int t)
{
    return BCodeToStr(makeJpeg(16, 12, 0x102030u * static_cast<unsigned>(t + 1)));
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

class InstalledModeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &d : {shared, player})
            QDir().mkpath(d);
        writeTopicFile(shared + "przepisy.mdl", QStringLiteral("Przepisy"),
                       {topicRecord("0", "1", "0", QStringLiteral("Kodeks pracy"))});
        writeTopicFile(shared + "ergonomia.mdl", QStringLiteral("Ergonomia"),
                       {topicRecord("0", "1", "0", QStringLiteral("Stanowisko"))});
        QByteArray fronts;
        for (int t = 0; t < kTrainingTypeCount; ++t)
            fronts += block(frontPage(t));
        writeFile(shared + kFrontPageName, fronts);
        writeFile(player + "TarvixView.exe", "installed player");
        writeFile(player + "Autorun.inf", "[autorun]\nopen=Start.exe\n");
        sharedBefore = entries(shared);
    }
    void TearDown() override { session.close(); }

    TempDataDir root;
    QString shared = root.file("share/marbelo/");
    QString player = root.file("lib/marbelo/");
    QString user = root.file("home/marbelo/");
    DataLocation location = DataLocation::installed(user, shared, player);
    QStringList sharedBefore;
    InstalledWindow session;
};

} // namespace

TEST_F(InstalledModeTest, ListsSharedAndOwnTopicsAndKeepsTrainingsInTheUsersFolder)
{
    QDir().mkpath(user);
    writeTopicFile(user + "przepisy.mdl", QStringLiteral("Moje tematy"),
                   {topicRecord("0", "1", "0", QStringLiteral("Własny temat"))});
    ASSERT_TRUE(session.open(location));
    PaneList *topics = session.window->topicLibrary().list();
    EXPECT_EQ(InstalledWindow::lines(topics), QStringList({"Ergonomia", "Moje tematy", "Przepisy"}));
    // Each line opens its own file, the user's file of the same name included.
    QStringList firstTopics;
    for (int row = 0; row < topics->count(); ++row) {
        topics->setCurrentRow(row);
        emit topics->clicked(topics->currentIndex());
        ASSERT_EQ(session.window->topicLibrary().tree()->topLevelItemCount(), 1);
        firstTopics << session.window->topicLibrary().tree()->topLevelItem(0)->text(0);
    }
    EXPECT_EQ(firstTopics, QStringList({"Stanowisko", QStringLiteral("Własny temat"), "Kodeks pracy"}));

    session.createTraining(QStringLiteral("Okresowe BHP"), 2);
    EXPECT_EQ(entries(user), QStringList({"Data0000.pdl", "Projects.pdl", "Tree0000.pdl", "przepisy.mdl"}));
    EXPECT_EQ(entries(shared), sharedBefore);

    session.close();
    ASSERT_TRUE(session.open(location));
    EXPECT_EQ(InstalledWindow::lines(session.window->trainingList().list()), QStringList({"Okresowe BHP"}));
    EXPECT_TRUE(session.messages.calls.empty());
}

TEST_F(InstalledModeTest, ExportTakesTheSharedFrontPageAndTheInstalledPlayer)
{
    QDir().mkpath(user);
    ASSERT_TRUE(appendTrainingRecord(user, {QStringLiteral("Okresowe"), 3, 0}).has_value());
    ASSERT_TRUE(createTrainingFiles(user, 0));
    QString error;
    ASSERT_TRUE(saveOutline(user + outlineFileName(0), {{QStringLiteral("Rozdział"), 0, 0x40000000}}, &error));
    ASSERT_TRUE(session.open(location));
    const QString out = root.file("out/");
    QDir().mkpath(out);
    session.saveDialog.answers.push_back(out + "p.pnn");
    session.window->entries(Command::Export).mainMenu->trigger();
    EXPECT_EQ(readFile(out + "p.pnn"), block(frontPage(3)));
    EXPECT_EQ(readFile(out + "Start.exe"), QByteArray("installed player"));
    EXPECT_EQ(readFile(out + "Autorun.inf"), readFile(player + "Autorun.inf"));
    EXPECT_EQ(entries(shared), sharedBefore);
}
