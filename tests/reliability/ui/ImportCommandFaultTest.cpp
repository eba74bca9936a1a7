// "Importuj slajdy..." through the window against a file-size limit (a full
// disk): the new topic file is written whole or not at all, nothing is left
// behind, the user is told of every failure, and the list shows the new topic
// only when its file is there.

#include "common/ui/PaneWidgets.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/ui/DialogTesting.h"
#include "support/ui/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>

using namespace marbelo;
using namespace testing_support;

namespace {

class ImportCommandFaultTest : public MainWindowTest
{
};

} // namespace

TEST_F(ImportCommandFaultTest, NewTopicFileIsWholeOrAbsentAndFailuresAreTold)
{
    if (!FileSizeLimit::isSupported())
        GTEST_SKIP() << "this platform has no per-process file-size limit";
    TempDataDir sources;
    const QByteArray jpeg = makeJpeg(8, 8);
    writeFile(sources.file("hala.jpg"), jpeg);
    auto files = std::make_shared<ScriptedOpenFilesDialog>();
    open();
    window->topicLibrary().setOpenFilesDialog(files);
    const QString path = dir.file(QStringLiteral("Własne 001.mdl"));
    const QByteArray after =
        buildTopicFile(cp1250(QStringLiteral("hala")), {topicRecord("0", "0", "1", QStringLiteral("hala"), jpeg)});

    const FaultCase fault{QStringLiteral("window: \"Importuj slajdy...\""), dir.path(), {{path, std::nullopt, after}},
                          [&] {
                              messages.calls.clear();
                              files->answers = {{sources.file("hala.jpg")}};
                              whenModalShows([](QWidget *form) {
                                  buttonWithText(form, QStringLiteral("Importuj"))->click();
                              });
                              window->entries(Command::ImportSlides).mainMenu->trigger();
                              // The list shows the topic exactly when its file is there.
                              EXPECT_EQ(moduleList()->count(), fileExists(path) ? 1 : 0);
                              return messages.calls.empty();
                          }};
    const FaultRow row = runFaultMatrix(fault);
    recordRow(row);
    EXPECT_TRUE(row.defects.isEmpty()) << row.defects.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(row.refused, 0) << row.summary().toStdString();
    EXPECT_GE(row.whole, 1) << row.summary().toStdString();
}
