// The own topic rename against a file-size limit at each byte count: the
// title is rewritten whole or the file stays as it was. (The import's writer
// runs through the window in ui/ImportCommandFaultTest.cpp.)

#include "store/TopicFile.h"
#include "support/FaultMatrix.h"
#include "support/FileSizeLimit.h"
#include "support/Fixtures.h"
#include "topics/OwnTopics.h"

#include <gtest/gtest.h>

using namespace marbelo;
using namespace testing_support;

namespace {

class OwnTopicFaultTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!FileSizeLimit::isSupported())
            GTEST_SKIP() << "this platform has no per-process file-size limit";
    }

    TempDataDir dir;
};

} // namespace

TEST_F(OwnTopicFaultTest, RenameRewritesTheTitleWholeOrNotAtAll)
{
    const std::vector<TopicRecordSource> records = {
        topicRecord("0", "0", "1", QStringLiteral("Slajd 1"), makeJpeg(8, 8))};
    const QByteArray before = buildTopicFile(cp1250(QStringLiteral("Stary tytuł")), records);
    const QByteArray after = buildTopicFile(cp1250(QStringLiteral("Nowy tytuł tematu")), records);
    const QString path = dir.file(QStringLiteral("Własne 001.mdl"));
    expectSoundMatrix({QStringLiteral("own topic rename"), dir.path(), {{path, before, after}}, [&] {
                     QString error;
                     return renameTopicFile(path, QStringLiteral("Nowy tytuł tematu"), &error);
                 }});
}
